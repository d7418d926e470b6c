#include "host/stream/FormWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "host/core/Collection.h"
#include "host/core/Strings.h"
#include "host/stream/EventNames.h"
#include "host/stream/FormParser.h"
#include "host/stream/FormStream.h"

namespace host {

namespace {
constexpr std::size_t LineWidth = 64;

bool IsOwnerLevel(TComponent* c) { return c->GetChildOwner() == c; }

struct TLevel {
  int& Level;
  TLevel(int& l, const char* what) : Level(l) {
    if (++Level >= MaxFormNesting) {
      --Level;
      throw EWriteError(std::string(what) + " nested too deeply to write");
    }
  }
  ~TLevel() { --Level; }
};

std::string FloatText(double v) {
  if (!std::isfinite(v)) throw EWriteError("cannot write the number " + std::to_string(v));
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  std::string s(buf, end);
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

// A bare word in a value's place that the reader takes for something else:
// the end of an object, a new object or item, or no component at all.
bool IsFormWord(std::string_view Word) { return TFormParser::IsStructureWord(Word) || SameText(Word, "nil"); }
}  // namespace

std::vector<std::string> FormStringPieces(std::string_view Text, std::size_t MaxWidth) {
  std::vector<std::string> pieces;
  std::string cur;
  bool quoted = false;
  std::size_t visible = 0;  // characters in the current piece
  auto close = [&] {
    if (quoted) cur += '\'';
    quoted = false;
  };
  auto flush = [&] {
    close();
    pieces.push_back(std::move(cur));
    cur.clear();
    visible = 0;
  };
  // Short texts stay in one piece whatever they hold.
  const bool split = MaxWidth > 0 && Text.size() > MaxWidth;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const auto c = static_cast<unsigned char>(Text[i]);
    if (c < 32 || c == 127) {
      close();
      cur += '#';
      cur += std::to_string(c);
      ++visible;
      if (split && c == '\n' && i + 1 < Text.size()) flush();
      continue;
    }
    if (!quoted) {
      cur += '\'';
      quoted = true;
    }
    cur += static_cast<char>(c);
    if (c == '\'') cur += '\'';
    if ((c & 0xC0) != 0x80) ++visible;
    // Cut only between code points, so a piece is whole UTF-8.
    if (split && visible >= MaxWidth && i + 1 < Text.size() && (static_cast<unsigned char>(Text[i + 1]) & 0xC0) != 0x80)
      flush();
  }
  if (cur.empty() && pieces.empty()) cur = "''";
  if (!cur.empty()) flush();
  return pieces;
}

std::string FormQuotedString(std::string_view Text) { return FormStringPieces(Text, 0).front(); }

std::string TFormWriter::ReferencePath(const TComponent* Target, const std::vector<TComponent*>& Chain) {
  if (!Target || Target->Name().empty()) return {};
  if (std::find(Chain.begin(), Chain.end(), Target) != Chain.end()) return Target->Name();
  const TComponent* owner = Target->Owner();
  if (!Chain.empty() && owner == Chain.back()) return Target->Name();
  if (!owner || FindGlobalComponent(Target->Name()) == Target) return Target->Name();
  const std::string outer = ReferencePath(owner, Chain);
  return outer.empty() ? std::string() : outer + "." + Target->Name();
}

void TFormWriter::Indent(int Depth) { FOut.append(static_cast<std::size_t>(Depth) * 2, ' '); }

void TFormWriter::WriteString(std::string_view Text, int Depth) {
  const std::vector<std::string> pieces = FormStringPieces(Text, LineWidth);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) {
      FOut += " +\n";
      Indent(Depth + 1);
    }
    FOut += pieces[i];
  }
}

std::string TFormWriter::Write(const TComponent& Root) {
  FOut.clear();
  FChain.clear();
  FWritten.clear();
  FLevel = -1;
  FNested = 0;
  TComponent& root = const_cast<TComponent&>(Root);
  FChain.push_back(&root);
  WriteComponent(root, "object", 0);
  return std::move(FOut);
}

// Levels count like the parser's (each object and each collection one), so
// whatever is written can be read back.
std::string TFormWriter::DeclaredClassName(const TComponent& Component) {
  if (const TPropInfo* p = GetPropInfo(&Component, "FormClassName"); p && p->GetStr) {
    std::string declared = p->GetStr(Component);
    if (!declared.empty()) return declared;
  }
  return Component.ClassName();
}

void TFormWriter::WriteComponent(TComponent& Component, const char* Keyword, int Depth) {
  TLevel level(FLevel, "components");
  FWritten.insert(&Component);
  const std::string className = DeclaredClassName(Component);
  Indent(Depth);
  FOut += Keyword;
  FOut += ' ';
  if (!Component.Name().empty()) FOut += Component.Name() + ": ";
  FOut += className;
  FOut += '\n';
  WriteProperties(Component, &Component, std::string(), Depth + 1);
  if (Component.DesignInfo() != 0 && !GetPropInfo(&Component, "Left") && !GetPropInfo(&Component, "Top")) {
    Indent(Depth + 1);
    FOut += "Left = " + std::to_string(Component.DesignLeft()) + "\n";
    Indent(Depth + 1);
    FOut += "Top = " + std::to_string(Component.DesignTop()) + "\n";
  }
  std::vector<TComponent*> children;
  Component.GetChildren([&](TComponent* child) { children.push_back(child); }, FChain.back());
  for (TComponent* child : children) {
    // A child handed out twice (or an ancestor handed out again) would be
    // read back as a duplicate; each is written once.
    if (!child || FWritten.count(child)) continue;
    if (IsOwnerLevel(child)) {
      FChain.push_back(child);
      WriteComponent(*child, "inline", Depth + 1);
      FChain.pop_back();
    } else {
      WriteComponent(*child, "object", Depth + 1);
    }
  }
  Indent(Depth);
  FOut += "end\n";
}

void TFormWriter::WriteProperties(const TObject& Object, const TComponent* Component, const std::string& Prefix,
                                  int Depth) {
  for (const TPropInfo* info : GetPropInfos(&Object)) {
    if (!IsStoredProp(&Object, info)) continue;
    if (Prefix.empty() && &Object == Component && SameText(info->Name, "FormClassName")) continue;
    const std::string name = Prefix + info->Name;
    auto start = [&] {
      Indent(Depth);
      FOut += name;
      FOut += " = ";
    };
    switch (info->Kind) {
      case tkInteger:
      case tkInt64:
      case tkChar:
      case tkWChar:
      case tkEnumeration:
      case tkSet: {
        if (!info->SetOrd || !info->GetOrd) break;
        const std::int64_t v = info->GetOrd(Object);
        if (info->HasDefault && v == info->Default) break;
        start();
        if (info->Kind == tkEnumeration) {
          if (!info->PropType || v < 0 || v >= static_cast<std::int64_t>(info->PropType->EnumNames.size()))
            throw EWriteError(name + ": value " + std::to_string(v) + " has no name");
          FOut += info->PropType->EnumNames[static_cast<std::size_t>(v)];
        } else if (info->Kind == tkSet) {
          const TTypeInfo* comp = info->PropType ? info->PropType->CompType : nullptr;
          FOut += '[';
          bool first = true;
          for (int bit = 0; bit < 64; ++bit) {
            if (!((static_cast<std::uint64_t>(v) >> bit) & 1u)) continue;
            if (!comp || bit >= static_cast<int>(comp->EnumNames.size()))
              throw EWriteError(name + ": set element " + std::to_string(bit) + " has no name");
            if (!first) FOut += ", ";
            FOut += comp->EnumNames[static_cast<std::size_t>(bit)];
            first = false;
          }
          FOut += ']';
        } else if (info->Kind == tkChar || info->Kind == tkWChar) {
          std::string text;
          if (info->Kind == tkChar)
            text = std::string(1, static_cast<char>(v));
          else
            AppendUtf8(text, static_cast<std::uint32_t>(v));
          FOut += FormQuotedString(text);
        } else {
          FOut += std::to_string(v);
        }
        FOut += '\n';
        break;
      }
      case tkFloat: {
        if (!info->SetFloat || !info->GetFloat) break;
        const double v = info->GetFloat(Object);
        if (v == 0.0 && !std::signbit(v)) break;
        start();
        FOut += FloatText(v);
        FOut += '\n';
        break;
      }
      case tkString:
      case tkLString:
      case tkWString: {
        if (!info->SetStr || !info->GetStr) break;
        const std::string v = info->GetStr(Object);
        if (v.empty()) break;
        start();
        WriteString(v, Depth);
        FOut += '\n';
        break;
      }
      case tkMethod: {
        if (!Component || &Object != Component) break;
        const std::string handler = GetEventHandlerName(Component, info->Name);
        if (handler.empty()) break;
        if (!IsValidIdent(handler) || IsFormWord(handler))
          throw EWriteError(Component->Name() + "." + info->Name + ": the handler name '" + handler +
                            "' cannot be written (an identifier other than end, object, item or nil)");
        start();
        FOut += handler;
        FOut += '\n';
        break;
      }
      case tkClass: {
        TObject* v = GetObjectProp(&Object, info);
        if (!v && FOnMissingReference && info->SetObj && info->PropClass &&
            info->PropClass->InheritsFrom(TComponent::StaticClass())) {
          // A reference into a form that is not loaded now keeps its name.
          const std::string path = FOnMissingReference(Object, *info);
          if (!path.empty()) {
            start();
            FOut += path;
            FOut += '\n';
          }
        }
        if (!v) break;
        if (const auto* ref = As<TComponent>(v)) {
          if (!info->SetObj) break;
          const std::string path = ReferencePath(ref, FChain);
          if (path.empty()) break;
          // Only a bare name can be mistaken; a dotted path is one word.
          if (IsFormWord(path))
            throw EWriteError(name + ": a reference to a component named '" + path +
                              "' cannot be written; rename the component");
          start();
          FOut += path;
          FOut += '\n';
        } else if (const auto* strings = As<TStrings>(v)) {
          if (strings->Count() > 0) WriteStrings(*strings, name + ".Strings", Depth);
        } else if (const auto* collection = As<TCollection>(v)) {
          if (collection->Count() > 0) WriteCollection(*collection, Component, name, Depth);
        } else if (const auto* nodes = As<TTreeNodes>(v)) {
          if (nodes->Count() > 0) WriteNodes(nodes->GetFirstNode(), name + ".Nodes", Depth);
        } else {
          // Nested objects add no indentation; the cap only stops a
          // sub-object that leads back to its holder.
          if (++FNested > MaxFormNesting) throw EWriteError(name + ": objects nested too deeply to write");
          WriteProperties(*v, Component, name + ".", Depth);
          --FNested;
        }
        break;
      }
      default:
        break;
    }
  }
}

void TFormWriter::WriteStrings(const TStrings& Strings, const std::string& Name, int Depth) {
  Indent(Depth);
  FOut += Name + " = (";
  for (int i = 0; i < Strings.Count(); ++i) {
    FOut += '\n';
    Indent(Depth + 1);
    WriteString(Strings.Get(i), Depth + 1);
  }
  FOut += ")\n";
}

void TFormWriter::WriteCollection(const TCollection& Collection, const TComponent* Component, const std::string& Name,
                                  int Depth) {
  TLevel level(FLevel, "collections");
  Indent(Depth);
  FOut += Name + " = <";
  for (int i = 0; i < Collection.Count(); ++i) {
    FOut += '\n';
    Indent(Depth + 1);
    FOut += "item\n";
    WriteProperties(*Collection.Items(i), Component, std::string(), Depth + 2);
    Indent(Depth + 1);
    FOut += "end";
  }
  FOut += ">\n";
}

void TFormWriter::WriteNodes(const TTreeNode* First, const std::string& Name, int Depth) {
  TLevel level(FLevel, "tree nodes");
  Indent(Depth);
  FOut += Name + " = <";
  for (const TTreeNode* n = First; n; n = n->GetNextSibling()) {
    FOut += '\n';
    Indent(Depth + 1);
    FOut += "item\n";
    WriteProperties(*n, nullptr, std::string(), Depth + 2);
    if (n->HasChildren()) WriteNodes(n->GetFirstChild(), "Nodes", Depth + 2);
    Indent(Depth + 1);
    FOut += "end";
  }
  FOut += ">\n";
}

}  // namespace host
