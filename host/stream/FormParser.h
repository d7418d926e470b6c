// The syntax tree of a form file and the parser that builds it. The tree
// holds names and values exactly as written; giving them meaning (classes,
// properties, references) is the reader's job.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/stream/FormLexer.h"

namespace host {

struct TFormProperty;

// One `item ... end` of a collection (or of a list of tree nodes).
struct TFormItem {
  int Line = 0;
  std::vector<TFormProperty> Props;
};

enum class TFormValueKind { Integer, Float, String, Identifier, Set, List, Collection };

struct TFormValue {
  TFormValueKind Kind = TFormValueKind::Integer;
  int Line = 0;
  std::int64_t Int = 0;
  bool Hex = false;                   // Integer written as $hex
  double Float = 0;
  std::string Text;                   // String (decoded) or Identifier
  std::vector<std::string> Items;     // Set: element names; List: strings
  std::vector<TFormItem> Collection;  // Collection: its items
};

struct TFormProperty {
  std::string Path;  // possibly dotted: Font.Charset, Items.Strings
  int Line = 0;
  TFormValue Value;
};

enum class TFormObjectKind { Object, Inherited, Inline };

struct TFormObject {
  TFormObjectKind Kind = TFormObjectKind::Object;
  std::string Name;  // may be empty
  std::string ClassName;
  int Line = 0;
  std::vector<TFormProperty> Props;
  std::vector<std::unique_ptr<TFormObject>> Children;
};

// Nesting of objects, collections and tree nodes beyond this is refused, so
// that no input can exhaust the stack of the reader or the writer.
constexpr int MaxFormNesting = 200;

class TFormParser {
public:
  TFormParser(std::string_view Source, std::string FileName);
  // Parses the whole text: exactly one root object and nothing after it.
  // Raises EReadError naming the file and line on any fault.
  std::unique_ptr<TFormObject> ParseRoot();

  static const char* KindKeyword(TFormObjectKind Kind);
  // The words that end or open an object or item and so cannot stand as an
  // identifier value (end, object, item; case ignored).
  static bool IsStructureWord(std::string_view Word);

private:
  std::unique_ptr<TFormObject> ParseObject(int Depth);
  void ParseProperty(std::vector<TFormProperty>& Props, int Depth);
  void ParseValue(TFormValue& Value, int Depth);
  std::string ParseStringSum();
  void ParseCollection(TFormValue& Value, int Depth);
  bool At(TFormKeyword Keyword) const;
  bool AtObjectKeyword() const;
  bool AtSymbol(char Symbol) const;
  void ExpectSymbol(char Symbol, const char* Context);
  std::string ExpectIdentifier(const char* What);
  [[noreturn]] void Expected(const std::string& What) const;

  TFormLexer FLexer;
};

}  // namespace host
