// A parse tree as text, every line number included, for comparing two
// parses of one text; or the fault they raised.
#pragma once

#include <cstdio>
#include <string>

#include "host/stream/FormParser.h"

namespace streamtest {

inline void Dump(const host::TFormValue& v, std::string& out);

inline void Dump(std::span<const host::TFormProperty> props, std::string& out) {
  for (const host::TFormProperty& p : props) {
    out += std::string(p.Path) + "@" + std::to_string(p.Line) + "=";
    Dump(p.Value, out);
    out += "\n";
  }
}

inline void Dump(const host::TFormValue& v, std::string& out) {
  out += std::to_string(static_cast<int>(v.Kind)) + "@" + std::to_string(v.Line) + ":";
  switch (v.Kind) {
    case host::TFormValueKind::Integer: out += std::to_string(v.Int) + (v.Hex ? "h" : "") + "/" + std::string(v.Text); break;
    case host::TFormValueKind::Float: {
      char bits[64];
      std::snprintf(bits, sizeof bits, "%a/", v.Float);
      out += bits + std::string(v.Text);
      break;
    }
    case host::TFormValueKind::String:
    case host::TFormValueKind::Identifier: out += "[" + std::string(v.Text) + "]"; break;
    case host::TFormValueKind::Set:
    case host::TFormValueKind::List:
      for (std::string_view item : v.Items) out += "[" + std::string(item) + "]";
      break;
    case host::TFormValueKind::Collection:
      for (const host::TFormItem& item : v.Collection) {
        out += "item@" + std::to_string(item.Line) + "{\n";
        Dump(item.Props, out);
        out += "}";
      }
      break;
  }
}

inline void Dump(const host::TFormObject& o, std::string& out) {
  out += std::to_string(static_cast<int>(o.Kind)) + "@" + std::to_string(o.Line) + " " + std::string(o.Name) + ":" +
         std::string(o.ClassName) + "\n";
  Dump(o.Props, out);
  for (const host::TFormObject* child : o.Children) Dump(*child, out);
  out += "end\n";
}

// The tree as text, or the fault with its file and line.
inline std::string ParseOutcome(std::string_view Text, const host::TFormParseOptions& Options, std::size_t* Apart = nullptr) {
  try {
    host::TFormParser parser(Text, "two.dfm", Options);
    const host::TFormTree tree = parser.ParseRoot();
    if (Apart) *Apart = parser.ObjectsReadApart();
    std::string out = std::to_string(tree.Objects()) + " objects\n";
    Dump(tree.Root(), out);
    return out;
  } catch (const host::EReadError& e) {
    return std::string("fault: ") + e.what();
  }
}

}  // namespace streamtest
