// The syntax tree of a form file and the parser that builds it. The tree
// holds names and values exactly as written; giving them meaning (classes,
// properties, references) is the reader's job. Names, paths, words and
// plain strings are views into the parsed text, which must outlive the
// tree; everything else lives in the tree's arena.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/stream/FormArena.h"
#include "host/stream/FormLexer.h"

namespace host {

struct TFormProperty;

// One `item ... end` of a collection (or of a list of tree nodes).
struct TFormItem {
  int Line = 0;
  std::span<const TFormProperty> Props;
};

enum class TFormValueKind : std::uint8_t { Integer, Float, String, Identifier, Set, List, Collection };

// A value holds only what its kind uses: the members that no kind uses
// together share their place, so that a big form's tree stays small
// enough for the caches. Read a member only for the kinds named beside it.
struct TFormValue {
  // Spelled out: a union member's default initializer would not make the
  // union's default constructor usable when its members' are not trivial.
  constexpr TFormValue() : Int(0), Text() {}

  TFormValueKind Kind = TFormValueKind::Integer;
  bool Hex = false;  // Integer written as $hex
  std::int32_t Line = 0;
  union {
    std::int64_t Int;  // Integer
    double Float;      // Float
  };
  union {
    std::string_view Text;                    // String (decoded), Identifier, number as written
    std::span<const std::string_view> Items;  // Set: element names; List: strings
    std::span<const TFormItem> Collection;    // Collection: its items
  };
};

struct TFormProperty {
  std::string_view Path;  // possibly dotted: Font.Charset, Items.Strings
  std::int32_t Line = 0;
  TFormValue Value;
};

enum class TFormObjectKind : std::uint8_t { Object, Inherited, Inline };

struct TFormObject {
  TFormObjectKind Kind = TFormObjectKind::Object;
  std::int32_t Line = 0;
  std::string_view Name;  // may be empty
  std::string_view ClassName;
  std::span<const TFormProperty> Props;
  std::span<const TFormObject* const> Children;
};

// A parsed file: the root object and the memory of the whole tree.
class TFormTree {
public:
  TFormTree(const TFormObject& Root, TFormArena Arena, std::size_t Objects)
      : FRoot(&Root), FArena(std::move(Arena)), FObjects(Objects) {}
  const TFormObject& Root() const { return *FRoot; }
  const TFormObject& operator*() const { return *FRoot; }
  const TFormObject* operator->() const { return FRoot; }
  const TFormArena& Arena() const { return FArena; }
  // How many objects the tree holds, the root included.
  std::size_t Objects() const { return FObjects; }

private:
  const TFormObject* FRoot;
  TFormArena FArena;
  std::size_t FObjects;
};

// Nesting of objects, collections and tree nodes beyond this is refused, so
// that no input can exhaust the stack of the reader or the writer.
constexpr int MaxFormNesting = 200;

// How a parse may share its work. The tree is the same either way.
struct TFormParseOptions {
  // A text of at least this many bytes (about 1,800 components) is read
  // in two parts at once, the second on a thread of its own: below it,
  // starting the thread costs about what it saves.
  std::size_t ParallelFrom = 320 * 1024;
  // The second part begins on the first line from this offset on that
  // opens an object; unset, 64 KB past the middle of the text.
  std::size_t SplitFrom = std::string_view::npos;
  // The first part stops the second where it has got to on reaching it.
  // For tests, set: the second reads at most this many items and the
  // first waits for them, so that what is taken from it does not depend
  // on timing.
  std::size_t SecondPartItems = std::string_view::npos;
};

class TFormParser {
public:
  TFormParser(std::string_view Source, std::string FileName, const TFormParseOptions& Options = {});
  ~TFormParser();
  // Parses the whole text: exactly one root object and nothing after it.
  // Raises EReadError naming the file and line on any fault. The tree
  // holds views into Source: it must not outlive the text.
  TFormTree ParseRoot();
  // How many of the tree's objects the second part read (for tests and
  // measurements).
  std::size_t ObjectsReadApart() const { return FObjectsApart; }

  static const char* KindKeyword(TFormObjectKind Kind);
  // The words that end or open an object or item and so cannot stand as an
  // identifier value (end, object, item; case ignored).
  static bool IsStructureWord(std::string_view Word);

private:
  struct TTailItem;
  class TTail;

  const TFormObject* ParseObject(int Depth);
  // Reads one property into the end of Props, a run in the arena.
  void ParseProperty(std::span<TFormProperty>& Props, int Depth);
  void ParseValue(TFormValue& Value, int Depth);
  // A set, list or collection (or a fault): the values that begin with a
  // symbol, read apart from the usual ones.
  void ParseCompoundValue(TFormValue& Value, int Depth);
  std::string_view ParseStringSum();
  void ParseCollection(TFormValue& Value, int Depth);
  // What the scratch stack holds from Base up, moved into the arena.
  template <class T>
  std::span<const T> Seal(std::vector<T>& Stack, std::size_t Base);
  bool At(TFormKeyword Keyword) const;
  bool AtObjectKeyword() const;
  bool AtSymbol(char Symbol) const;
  void ExpectSymbol(char Symbol, const char* Context);
  std::string_view ExpectIdentifier(const char* What);
  // The second part: started before the first, read as a run of items at
  // its outermost level, and taken into the tree where the first part's
  // reading reaches it. Whatever the second part could not read as the
  // first would have, the first reads itself from there on.
  void StartTail();
  // Reads items until the text allows no more, Halt is set or MaxItems
  // are read; then the first part reads on from where this one ends.
  void ParseTail(std::vector<TTailItem>& Items, const std::atomic<bool>& Halt, std::size_t MaxItems);
  // Takes the items that belong to the object being read at Depth; says
  // whether one of them closed it.
  bool SpliceTail(std::span<TFormProperty>& Props, int Depth);
  void StopSplicing(const TTailItem& At);
  [[noreturn]] void Expected(const char* What) const;
  [[noreturn]] void ExpectedSymbol(char Symbol, const char* Context) const;

  TFormLexer FLexer;
  TFormArena FArena;
  // The children and list entries of the objects and items still open,
  // innermost last: each is sealed into the arena, contiguous, once its
  // 'end' is read, so the tree holds no vectors of its own. Properties,
  // the bulk of a tree, go straight into runs in the arena.
  std::vector<const TFormObject*> FChildren;
  std::vector<std::string_view> FItems;
  std::vector<TFormItem> FCollectionItems;
  std::string FJoined;  // a string joined with '+'
  std::size_t FObjects = 0;
  // The deepest nesting checked so far: a part read apart tells the first
  // how deep it goes.
  int FDeepest = 0;
  TFormParseOptions FOptions;
  std::unique_ptr<TTail> FTail;
  // Where the second part begins while it may still be taken, else null.
  const char* FTailStart = nullptr;
  std::size_t FTailNext = 0;  // its next item to take
  std::size_t FObjectsApart = 0;
  bool FSplicing = false;
};

}  // namespace host
