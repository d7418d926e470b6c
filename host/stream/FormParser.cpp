#include "host/stream/FormParser.h"

#include "host/core/CaseFold.h"
#include "host/stream/FormLexerScan.h"

namespace host {

TFormParser::TFormParser(std::string_view Source, std::string FileName) : FLexer(Source, std::move(FileName)) {}

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

inline bool TFormParser::AtObjectKeyword() const {
  const TFormKeyword k = FLexer.Current().Keyword;
  return k == TFormKeyword::Object || k == TFormKeyword::Inherited || k == TFormKeyword::Inline;
}

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
  FLexer.Scan();
  if (!AtObjectKeyword()) Expected("'object'");
  const TFormObject* root = ParseObject(0);
  if (FLexer.Current().Kind != TFormTokenKind::EndOfFile) Expected("end of file after the root object");
  return TFormTree(*root, std::move(FArena), FObjects);
}

const TFormObject* TFormParser::ParseObject(int Depth) {
  if (Depth >= MaxFormNesting) FLexer.Error("objects nested too deeply");
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
