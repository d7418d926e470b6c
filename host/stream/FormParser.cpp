#include "host/stream/FormParser.h"

#include <chrono>
#include <exception>
#include <thread>

#include "host/core/CaseFold.h"
#include "host/stream/FormLexerScan.h"

namespace host {

// What the second part read at its outermost level: a whole object, a
// property or an 'end' of an object begun before it, or where the first
// part reads on by itself (a fault, the item before the end of the text or
// before anything else, which the first part then meets as it would, or
// the item the second part did not begin because the first arrived).
struct TFormParser::TTailItem {
  enum TKind : std::uint8_t { Object, Property, End, Stop };
  TKind Kind = Stop;
  int Line = 0;          // of its first token, always a word
  std::size_t Pos = 0;   // where that word begins
  int Deepest = 0;       // the deepest nesting checked inside, counted from it
  std::size_t Objects = 0;  // in it, when it is an object
  const TFormObject* Node = nullptr;
  TFormProperty Prop;
};

namespace {
bool OpensObject(TFormKeyword Keyword) {
  return Keyword == TFormKeyword::Object || Keyword == TFormKeyword::Inherited || Keyword == TFormKeyword::Inline;
}

// The line the lexer counts at Pos: one more for every line end before it,
// CR LF once and a lone CR alone. Tokens never span lines.
int LineAt(std::string_view Text, std::size_t Pos) {
  const char* p = Text.data();
  const char* const end = p + Pos;
  const char* const textEnd = Text.data() + Text.size();
  const auto loneCR = [textEnd](const char* q) { return q + 1 == textEnd || q[1] != '\n'; };
  int lines = 1;
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
  while (end - p >= 16) {
    // Each byte of Sum counts the line feeds in its column, for at most
    // 255 rounds before they are added up.
    __m128i sum = _mm_setzero_si128();
    for (int round = 0; round < 255 && end - p >= 16; ++round, p += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      sum = _mm_sub_epi8(sum, _mm_cmpeq_epi8(v, lf));
      for (unsigned m = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr))); m != 0; m &= m - 1)
        lines += loneCR(p + std::countr_zero(m));
    }
    const __m128i total = _mm_sad_epu8(sum, _mm_setzero_si128());
    lines += _mm_cvtsi128_si32(total) + _mm_extract_epi16(total, 4);
  }
#endif
  for (; p < end; ++p) lines += *p == '\n' || (*p == '\r' && loneCR(p));
  return lines;
}

// Where the first line from From on that opens an object begins (its
// word, past the indentation), or npos.
std::size_t ObjectLineFrom(std::string_view Text, std::size_t From) {
  for (std::size_t nl = Text.find('\n', From); nl != std::string_view::npos; nl = Text.find('\n', nl + 1)) {
    std::size_t word = nl + 1;
    while (word < Text.size() && (Text[word] == ' ' || Text[word] == '\t')) ++word;
    std::size_t after = word;
    while (after < Text.size() && (formchars::Of(Text[after]) & formchars::IdentChar)) ++after;
    if (after == Text.size() || (Text[after] != ' ' && Text[after] != '\t')) continue;
    if (OpensObject(formchars::KeywordOf(Text.substr(word, after - word)))) return word;
  }
  return std::string_view::npos;
}
}  // namespace

class TFormParser::TTail {
public:
  TTail(std::string_view Source, const std::string& FileName, std::size_t Start, std::size_t MaxItems)
      : Parser(Source, FileName, TFormParseOptions{.ParallelFrom = std::string_view::npos}),
        Start(Start),
        MaxItems(MaxItems) {}
  ~TTail() { Stop(); }
  // Asks the second part to stop after its current item, for good.
  void Stop() {
    Halt.store(true, std::memory_order_relaxed);
    if (Thread.joinable()) Thread.join();
  }
  // The first part has reached where the second began: the second stops
  // after its current item (unless a test set how many it reads) and is
  // waited for. It is mostly within an item of its end then, and a
  // processor that waits asleep takes far longer to wake (some 50 us on a
  // virtual machine): so a short spin first, then the join.
  void Arrive() {
    if (MaxItems == std::string_view::npos) Halt.store(true, std::memory_order_relaxed);
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(200);
    for (unsigned spins = 1; !Finished.load(std::memory_order_acquire); ++spins) {
      if (spins % 64 == 0 && std::chrono::steady_clock::now() > until) {
        Thread.join();
        return;
      }
#if defined(__x86_64__) || defined(__i386__)
      __builtin_ia32_pause();
#endif
    }
  }
  // On the second thread. Nothing may leave it: no items, and the first
  // part reads everything itself.
  void Run() noexcept {
    // The first part may have got here before this thread started.
    if (!Halt.load(std::memory_order_relaxed)) {
      try {
        Line = LineAt(Parser.FLexer.Source(), Start);
        Parser.FLexer.Seek(Start, Line);
        Parser.ParseTail(Items, Halt, MaxItems);
      } catch (...) {
        Items.clear();
      }
    }
    Finished.store(true, std::memory_order_release);
  }

  TFormParser Parser;
  const std::size_t Start;
  const std::size_t MaxItems;
  // Set when the first part arrives: the second stops after its current
  // item.
  std::atomic<bool> Halt = false;
  std::atomic<bool> Finished = false;  // all the second part read is in place
  int Line = 0;
  std::vector<TTailItem> Items;
  std::thread Thread;
};

TFormParser::TFormParser(std::string_view Source, std::string FileName, const TFormParseOptions& Options)
    : FLexer(Source, std::move(FileName)), FOptions(Options) {}

TFormParser::~TFormParser() = default;

const char* TFormParser::KindKeyword(TFormObjectKind Kind) {
  switch (Kind) {
    case TFormObjectKind::Inherited: return "inherited";
    case TFormObjectKind::Inline: return "inline";
    default: return "object";
  }
}

bool TFormParser::IsStructureWord(std::string_view Word) {
  return SameText(Word, "end") || SameText(Word, "object") || SameText(Word, "item");
}

// The small helpers are inline so that the parser's loops do not call them
// through the shared library's PLT. Only identifiers carry a keyword.
inline bool TFormParser::At(TFormKeyword Keyword) const { return FLexer.Current().Keyword == Keyword; }

inline bool TFormParser::AtObjectKeyword() const { return OpensObject(FLexer.Current().Keyword); }

inline bool TFormParser::AtSymbol(char Symbol) const {
  const TFormToken& t = FLexer.Current();
  return t.Kind == TFormTokenKind::Symbol && t.Text[0] == Symbol;
}

// The faults build their messages out of line, so that the checks in the
// parser's loops stay small enough to be inlined.
void TFormParser::Expected(const char* What) const {
  FLexer.Error("expected " + std::string(What) + " but found " + TFormLexer::Describe(FLexer.Current()));
}

void TFormParser::ExpectedSymbol(char Symbol, const char* Context) const {
  Expected((std::string("'") + Symbol + "'" + Context).c_str());
}

inline void TFormParser::ExpectSymbol(char Symbol, const char* Context) {
  if (!AtSymbol(Symbol)) ExpectedSymbol(Symbol, Context);
  FLexer.Scan();
}

inline std::string_view TFormParser::ExpectIdentifier(const char* What) {
  if (FLexer.Current().Kind != TFormTokenKind::Identifier) Expected(What);
  const std::string_view text = formchars::ReadApart(FLexer.Current().Text);
  FLexer.Scan();
  return text;
}

template <class T>
std::span<const T> TFormParser::Seal(std::vector<T>& Stack, std::size_t Base) {
  if (Stack.size() == Base) return {};  // most components have no children
  const std::span<const T> sealed = FArena.Copy(std::span<const T>(Stack.data() + Base, Stack.size() - Base));
  Stack.resize(Base);
  return sealed;
}

TFormTree TFormParser::ParseRoot() {
  if (FLexer.Source().size() >= FOptions.ParallelFrom) StartTail();
  FLexer.Scan();
  if (!AtObjectKeyword()) Expected("'object'");
  const TFormObject* root = ParseObject(0);
  if (FLexer.Current().Kind != TFormTokenKind::EndOfFile) Expected("end of file after the root object");
  if (FTail) {
    // Unless taken in, its items are of no use any more.
    FTail->Stop();
    if (FTailNext > 0) FArena.Adopt(std::move(FTail->Parser.FArena));
    FTail.reset();
  }
  return TFormTree(*root, std::move(FArena), FObjects);
}

void TFormParser::StartTail() {
  const std::string_view text = FLexer.Source();
  // The second part starts about 0.15 ms later (a thread to start, the
  // lines before it to count): it begins 64 KB past the middle.
  const std::size_t start = ObjectLineFrom(
      text, FOptions.SplitFrom == std::string_view::npos ? text.size() / 2 + 64 * 1024 : FOptions.SplitFrom);
  if (start == std::string_view::npos) return;
  auto tail = std::make_unique<TTail>(text, FLexer.FileName(), start, FOptions.SecondPartItems);
  try {
    tail->Thread = std::thread([t = tail.get()] { t->Run(); });
  } catch (const std::exception&) {
    return;  // no thread to be had: one reads it all
  }
  FTail = std::move(tail);
  FTailStart = text.data() + start;
}

void TFormParser::ParseTail(std::vector<TTailItem>& Items, const std::atomic<bool>& Halt, std::size_t MaxItems) {
  const char* const source = FLexer.Source().data();
  FLexer.Scan();
  for (;;) {
    const TFormToken& t = FLexer.Current();
    if (t.Kind != TFormTokenKind::Identifier || At(TFormKeyword::Item)) break;
    TTailItem item;
    item.Pos = static_cast<std::size_t>(t.Text.data() - source);
    item.Line = t.Line;
    if (Items.size() >= MaxItems || Halt.load(std::memory_order_relaxed)) {
      Items.push_back(item);  // a stop: the first part reads on from here
      return;
    }
    FDeepest = 0;
    const std::size_t objects = FObjects;
    try {
      if (At(TFormKeyword::End)) {
        item.Kind = TTailItem::End;
        FLexer.Scan();
      } else if (AtObjectKeyword()) {
        item.Kind = TTailItem::Object;
        item.Node = ParseObject(0);
      } else {
        std::span<TFormProperty> run;
        ParseProperty(run, 0);
        item.Kind = TTailItem::Property;
        item.Prop = run.front();
      }
    } catch (const std::exception&) {
      item.Kind = TTailItem::Stop;
      Items.push_back(item);
      return;
    }
    item.Deepest = FDeepest;
    item.Objects = FObjects - objects;
    Items.push_back(item);
  }
  if (!Items.empty()) Items.back().Kind = TTailItem::Stop;
}

bool TFormParser::SpliceTail(std::span<TFormProperty>& Props, int Depth) {
  std::vector<TTailItem>& items = FTail->Items;
  if (!FSplicing) {
    // Arrived where the second part begins: taken only when it began on
    // the same line as here and read anything. If it is still reading, it
    // stops after its current item and this part reads the rest: its
    // thread may have found only a processor slower than this one.
    FTail->Arrive();
    if (FTail->Line != FLexer.Current().Line || items.empty() || items.front().Kind == TTailItem::Stop) {
      FTailStart = nullptr;
      return false;
    }
    FSplicing = true;
  }
  for (;;) {
    const TTailItem& item = items[FTailNext];
    // Taken only where the nesting it holds stays within bounds here; the
    // first part reads it again and fails as it would.
    if (item.Kind == TTailItem::Object && Depth + 1 + item.Deepest < MaxFormNesting) {
      FChildren.push_back(item.Node);
      FObjects += item.Objects;
      FObjectsApart += item.Objects;
    } else if (item.Kind == TTailItem::Property && Depth + item.Deepest < MaxFormNesting) {
      FArena.Append(Props) = item.Prop;
    } else if (item.Kind == TTailItem::End) {
      ++FTailNext;
      // Past the root's 'end', what follows is read as after any root.
      if (Depth == 0) StopSplicing(items[FTailNext]);
      return true;
    } else {
      StopSplicing(item);
      return false;
    }
    ++FTailNext;
  }
}

void TFormParser::StopSplicing(const TTailItem& At) {
  FSplicing = false;
  FTailStart = nullptr;
  FLexer.Seek(At.Pos, At.Line);
  FLexer.Scan();
}

const TFormObject* TFormParser::ParseObject(int Depth) {
  if (Depth >= MaxFormNesting) FLexer.Error("objects nested too deeply");
  if (Depth > FDeepest) FDeepest = Depth;
  // Nodes and properties each lie in the order the reader visits them: it
  // walks both forward.
  TFormObject& obj = *FArena.New<TFormObject>();
  ++FObjects;
  obj.Line = FLexer.Current().Line;
  obj.Kind = At(TFormKeyword::Inline)      ? TFormObjectKind::Inline
             : At(TFormKeyword::Inherited) ? TFormObjectKind::Inherited
                                           : TFormObjectKind::Object;
  FLexer.Scan();
  // "object Name: TClass", or "object TClass" for an unnamed component.
  // The usual ':' right after the name is passed over without a token.
  if (FLexer.Current().Kind != TFormTokenKind::Identifier) Expected("a component name");
  const std::string_view first = formchars::ReadApart(FLexer.Current().Text);
  bool named = FLexer.SkipSymbol(':');
  if (!named) {
    FLexer.Scan();
    named = AtSymbol(':');
  }
  if (named) {
    FLexer.Scan();
    obj.Name = first;
    obj.ClassName = ExpectIdentifier("a class name after ':'");
  } else {
    obj.ClassName = first;
  }
  const std::size_t children = FChildren.size();
  // Properties after a child join those before it, in the order written:
  // the run moves past the children's own.
  std::span<TFormProperty> props;
  for (;;) {
    const TFormToken& t = FLexer.Current();
    // Most lines are properties: a name that is no keyword.
    if (t.Kind == TFormTokenKind::Identifier && t.Keyword == TFormKeyword::None) {
      ParseProperty(props, Depth);
      continue;
    }
    if (t.Kind == TFormTokenKind::EndOfFile)
      FLexer.Error("expected 'end' of " + std::string(obj.Name.empty() ? obj.ClassName : obj.Name) +
                   " (begun on line " + std::to_string(obj.Line) + ") but found end of file");
    if (t.Kind != TFormTokenKind::Identifier) Expected("a property name, 'object' or 'end'");
    if (At(TFormKeyword::End)) {
      FLexer.Scan();
      break;
    }
    if (AtObjectKeyword()) {
      // The word where the second part begins stays the current token
      // while its items are taken, so they are taken here.
      if (FLexer.Current().Text.data() == FTailStart) {
        if (SpliceTail(props, Depth)) break;
        continue;
      }
      FChildren.push_back(ParseObject(Depth + 1));
      continue;
    }
    if (At(TFormKeyword::Item)) FLexer.Error("'item' outside a collection");
    ParseProperty(props, Depth);
  }
  obj.Props = props;
  obj.Children = Seal(FChildren, children);
  return &obj;
}

inline void TFormParser::ParseProperty(std::span<TFormProperty>& Props, int Depth) {
  const int line = FLexer.Current().Line;
  const std::string_view path = formchars::ReadApart(FLexer.Current().Text);
  // The usual " = " after the name is passed over without a token, and so
  // is a plain number after it, read straight into the property.
  if (FLexer.SkipSymbol('=')) {
    std::int64_t number;
    std::string_view text;
    if (FLexer.SkipInteger(number, text)) {
      TFormProperty& prop = FArena.Append(Props);
      prop.Line = line;
      prop.Path = path;
      prop.Value.Kind = TFormValueKind::Integer;
      prop.Value.Line = FLexer.Line();
      prop.Value.Int = number;
      prop.Value.Hex = false;
      prop.Value.Text = text;
      FLexer.Scan();
      return;
    }
    FLexer.Scan();
  } else {
    FLexer.Scan();
    ExpectSymbol('=', " after the property name");
  }
  // A collection's items add runs of their own, so its value is read
  // before the property joins its run; any other value is read in its
  // place, which spares copying the record.
  if (AtSymbol('<')) {
    TFormProperty prop;
    prop.Line = line;
    prop.Path = path;
    ParseValue(prop.Value, Depth);
    FArena.Append(Props) = prop;
    return;
  }
  TFormProperty& prop = FArena.Append(Props);
  prop.Line = line;
  prop.Path = path;
  ParseValue(prop.Value, Depth);
}

inline std::string_view TFormParser::ParseStringSum() {
  std::string_view out = formchars::ReadApart(FLexer.Current().Value);
  // A piece decoded into the lexer's own buffer is kept before the next
  // token overwrites it; a view into the source stays valid.
  if (!out.empty() && out.data() == FLexer.Current().Str.data()) out = FArena.Copy(out);
  FLexer.Scan();
  if (!AtSymbol('+')) return out;
  FJoined.assign(out);
  while (AtSymbol('+')) {
    FLexer.Scan();
    if (FLexer.Current().Kind != TFormTokenKind::String) Expected("a string after '+'");
    FJoined += FLexer.Current().Value;
    FLexer.Scan();
  }
  return FArena.Copy(FJoined);
}

inline void TFormParser::ParseValue(TFormValue& Value, int Depth) {
  const TFormToken& t = FLexer.Current();
  Value.Line = t.Line;
  switch (t.Kind) {
    case TFormTokenKind::Integer:
      Value.Kind = TFormValueKind::Integer;
      Value.Int = t.Int;
      Value.Hex = t.Hex;
      Value.Text = formchars::ReadApart(t.Text);
      FLexer.Scan();
      return;
    case TFormTokenKind::Float:
      Value.Kind = TFormValueKind::Float;
      Value.Float = t.Float;
      Value.Text = formchars::ReadApart(t.Text);
      FLexer.Scan();
      return;
    case TFormTokenKind::String:
      Value.Kind = TFormValueKind::String;
      Value.Text = ParseStringSum();
      return;
    case TFormTokenKind::Identifier:
      if (t.Keyword == TFormKeyword::End || t.Keyword == TFormKeyword::Object || t.Keyword == TFormKeyword::Item)
        Expected("a value");
      Value.Kind = TFormValueKind::Identifier;
      Value.Text = formchars::ReadApart(t.Text);
      FLexer.Scan();
      return;
    case TFormTokenKind::EndOfFile:
      Expected("a value");
    case TFormTokenKind::Symbol:
      ParseCompoundValue(Value, Depth);
      return;
  }
}

void TFormParser::ParseCompoundValue(TFormValue& Value, int Depth) {
  if (AtSymbol('[')) {
    Value.Kind = TFormValueKind::Set;
    FLexer.Scan();
    const std::size_t items = FItems.size();
    if (!AtSymbol(']')) {
      for (;;) {
        FItems.push_back(ExpectIdentifier("a set element"));
        if (AtSymbol(']')) break;
        ExpectSymbol(',', " or ']' in the set");
      }
    }
    FLexer.Scan();
    Value.Items = Seal(FItems, items);
  } else if (AtSymbol('(')) {
    Value.Kind = TFormValueKind::List;
    FLexer.Scan();
    const std::size_t items = FItems.size();
    while (!AtSymbol(')')) {
      if (FLexer.Current().Kind != TFormTokenKind::String) Expected("a string or ')' in the list");
      FItems.push_back(ParseStringSum());
    }
    FLexer.Scan();
    Value.Items = Seal(FItems, items);
  } else if (AtSymbol('<')) {
    ParseCollection(Value, Depth + 1);
  } else {
    Expected("a value");
  }
}

void TFormParser::ParseCollection(TFormValue& Value, int Depth) {
  if (Depth >= MaxFormNesting) FLexer.Error("collections nested too deeply");
  if (Depth > FDeepest) FDeepest = Depth;
  Value.Kind = TFormValueKind::Collection;
  FLexer.Scan();
  const std::size_t items = FCollectionItems.size();
  while (!AtSymbol('>')) {
    if (!At(TFormKeyword::Item)) Expected("'item' or '>' in the collection");
    TFormItem item;
    item.Line = FLexer.Current().Line;
    FLexer.Scan();
    std::span<TFormProperty> props;
    for (;;) {
      if (At(TFormKeyword::End)) {
        FLexer.Scan();
        break;
      }
      if (FLexer.Current().Kind == TFormTokenKind::EndOfFile)
        FLexer.Error("expected 'end' of the item begun on line " + std::to_string(item.Line) +
                     " but found end of file");
      if (FLexer.Current().Kind != TFormTokenKind::Identifier || At(TFormKeyword::Item) || At(TFormKeyword::Object))
        Expected("a property name or 'end' in the item");
      ParseProperty(props, Depth);
    }
    item.Props = props;
    FCollectionItems.push_back(item);
  }
  FLexer.Scan();
  Value.Collection = Seal(FCollectionItems, items);
}

}  // namespace host
