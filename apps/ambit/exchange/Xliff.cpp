#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>

#include "apps/ambit/exchange/Exchange.h"
#include "host/stream/FormLexer.h"

namespace ambit::exchange {

namespace {

constexpr const char* kXliffNamespace = "urn:oasis:names:tc:xliff:document:2.0";
constexpr const char* kAmbitNamespace = "urn:ambit:exchange";

// Decodes the UTF-8 sequence at Text[i]; 0 bytes when it is none.
std::size_t DecodeUtf8(std::string_view Text, std::size_t i, char32_t& Code) {
  const auto c = static_cast<unsigned char>(Text[i]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > Text.size()) return 0;
  Code = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
  for (std::size_t k = 1; k < n; ++k) {
    const auto d = static_cast<unsigned char>(Text[i + k]);
    if ((d & 0xC0) != 0x80) return 0;
    Code = (Code << 6) | (d & 0x3F);
  }
  static constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (Code < least[n] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return 0;
  return n;
}

bool ValidInXml(char32_t Code) {
  return Code == 0x9 || Code == 0xA || Code == 0xD || (Code >= 0x20 && Code <= 0xD7FF) ||
         (Code >= 0xE000 && Code <= 0xFFFD) || Code >= 0x10000;
}

// Text as XML content. A carriage return is written as a character
// reference, which XML keeps where it turns a raw one into a line feed;
// characters XML cannot hold become <cp/> elements, as XLIFF defines.
// False for bytes that are no UTF-8.
bool AppendEscaped(std::string& Out, std::string_view Text, bool Attribute) {
  for (std::size_t i = 0; i < Text.size();) {
    char32_t code = 0;
    const std::size_t n = DecodeUtf8(Text, i, code);
    if (n == 0) return false;
    if (!ValidInXml(code)) {
      if (Attribute) return false;
      char buf[32];
      std::snprintf(buf, sizeof buf, "<cp hex=\"%04X\"/>", static_cast<unsigned>(code));
      Out += buf;
    } else {
      switch (code) {
        case '&': Out += "&amp;"; break;
        case '<': Out += "&lt;"; break;
        case '>': Out += "&gt;"; break;
        case '"': Out += Attribute ? "&quot;" : "\""; break;
        case '\r': Out += "&#13;"; break;
        case '\n': Out += Attribute ? "&#10;" : "\n"; break;
        case '\t': Out += Attribute ? "&#9;" : "\t"; break;
        default: Out.append(Text.substr(i, n));
      }
    }
    i += n;
  }
  return true;
}

std::string Escaped(std::string_view Text, bool Attribute, const TUnit* Unit) {
  std::string out;
  if (!AppendEscaped(out, Text, Attribute))
    throw EExchangeError(Unit ? "the text of " + Unit->Section + "." + Unit->Record +
                                    " is no UTF-8 text; an exchange file cannot carry it"
                              : "'" + std::string(Text) + "' cannot be written into an XML attribute");
  return out;
}

int LineOf(std::string_view Text, std::ptrdiff_t Offset) {
  if (Offset < 0) return 0;
  const auto end = Text.begin() + std::min<std::ptrdiff_t>(Offset, static_cast<std::ptrdiff_t>(Text.size()));
  return 1 + static_cast<int>(std::count(Text.begin(), end, '\n'));
}

std::string Where(const std::string& FileName, std::string_view Text, const pugi::xml_node& Node) {
  return FileName + ":" + std::to_string(LineOf(Text, Node.offset_debug()));
}

// The text of a <source> or <target>: character data and <cp/> elements.
// Refusal names markup this suite has no place for.
std::string ContentOf(const pugi::xml_node& Node, std::string& Refusal) {
  std::string text;
  for (const pugi::xml_node& child : Node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      text += child.value();
    } else if (child.type() == pugi::node_element && std::string_view(child.name()) == "cp") {
      const std::string hex = child.attribute("hex").value();
      char* end = nullptr;
      const unsigned long code = std::strtoul(hex.c_str(), &end, 16);
      if (hex.empty() || *end || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        Refusal = "holds <cp hex=\"" + hex + "\"/>, which names no character";
        return {};
      }
      host::AppendUtf8(text, static_cast<std::uint32_t>(code));
    } else if (child.type() == pugi::node_element) {
      Refusal = std::string("holds inline markup <") + child.name() +
                "> that a form's text cannot keep; write the text without it";
      return {};
    }
  }
  return text;
}

void ReadUnit(const pugi::xml_node& Unit, const std::string& Section, const std::string& FileName,
              std::string_view Text, TExchangeFile& Result) {
  TUnit unit;
  unit.Section = Section;
  unit.Record = Unit.attribute("name") ? Unit.attribute("name").value() : Unit.attribute("id").value();
  unit.Where = Where(FileName, Text, Unit);
  if (unit.Record.empty()) throw EExchangeError(unit.Where + ": a <unit> without id");
  bool anySegment = false, allTargets = true, allInitial = true;
  // A tool may have split the text into segments, with ignorable
  // whitespace between them: their texts in order make the record's.
  for (const pugi::xml_node& part : Unit.children()) {
    const std::string_view name = part.name();
    if (name == "notes") {
      // Read as the texts are, so that a <cp/> the writer put there for a
      // character XML cannot hold comes back; a note decides nothing, so
      // markup in it is passed over rather than refused.
      std::string ignored;
      for (const pugi::xml_node& note : part.children("note")) unit.Note += ContentOf(note, ignored);
      continue;
    }
    if (name != "segment" && name != "ignorable") continue;
    anySegment = true;
    const pugi::xml_node source = part.child("source");
    if (!source) throw EExchangeError(Where(FileName, Text, part) + ": a <" + std::string(name) + "> without <source>");
    unit.Source += ContentOf(source, unit.Refusal);
    if (const pugi::xml_node target = part.child("target")) {
      unit.Target += ContentOf(target, unit.Refusal);
    } else if (name == "segment") {
      allTargets = false;
    } else {
      unit.Target += ContentOf(source, unit.Refusal);  // ignorable text stays as it is
    }
    if (name == "segment" && std::string_view(part.attribute("state").as_string("initial")) != "initial")
      allInitial = false;
  }
  if (!anySegment) throw EExchangeError(unit.Where + ": the unit " + unit.Record + " has no <segment>");
  // A target left in state "initial" is no translation yet (tools copy the
  // source there); an empty one neither. One that differs from the source
  // was typed by someone whose tool did not mark it: it is reported rather
  // than taken or dropped unseen.
  unit.HasTarget = allTargets && !allInitial && !unit.Target.empty();
  if (allTargets && allInitial && !unit.Target.empty() && unit.Target != unit.Source && unit.Refusal.empty())
    unit.Refusal = "has a target whose state is still \"initial\": mark it translated or remove it";
  Result.Units.push_back(std::move(unit));
}

void ReadUnits(const pugi::xml_node& Parent, const std::string& Section, const std::string& FileName,
               std::string_view Text, TExchangeFile& Result, int Depth) {
  if (Depth > 32) throw EExchangeError(Where(FileName, Text, Parent) + ": groups nested too deeply");
  for (const pugi::xml_node& child : Parent.children()) {
    const std::string_view name = child.name();
    if (name == "unit") ReadUnit(child, Section, FileName, Text, Result);
    else if (name == "group") ReadUnits(child, Section, FileName, Text, Result, Depth + 1);
  }
}

}  // namespace

std::string WriteXliff(const TExchangeFile& File) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += std::string("<xliff xmlns=\"") + kXliffNamespace + "\" xmlns:am=\"" + kAmbitNamespace +
         "\" version=\"2.0\" srcLang=\"" + Escaped(File.SourceCode, true, nullptr) + "\" trgLang=\"" +
         Escaped(File.TargetCode, true, nullptr) + "\" am:language=\"" + Escaped(File.Language, true, nullptr) +
         "\" am:project=\"" + Escaped(File.Project, true, nullptr) + "\">\n";
  std::string section;
  bool open = false;
  for (const TUnit& u : File.Units) {
    if (!open || u.Section != section) {
      if (open) out += "  </file>\n";
      section = u.Section;
      open = true;
      out += "  <file id=\"" + Escaped(section, true, &u) + "\">\n";
    }
    out += "    <unit id=\"" + Escaped(u.Record, true, &u) + "\">\n";
    if (!u.Note.empty())
      out += "      <notes>\n        <note category=\"location\">" + Escaped(u.Note, false, &u) +
             "</note>\n      </notes>\n";
    out += std::string("      <segment state=\"") + (u.HasTarget ? "translated" : "initial") + "\">\n";
    out += "        <source xml:space=\"preserve\">" + Escaped(u.Source, false, &u) + "</source>\n";
    if (u.HasTarget) out += "        <target xml:space=\"preserve\">" + Escaped(u.Target, false, &u) + "</target>\n";
    out += "      </segment>\n    </unit>\n";
  }
  if (open) out += "  </file>\n";
  out += "</xliff>\n";
  return out;
}

TExchangeFile ReadXliff(std::string_view Text, const std::string& FileName) {
  pugi::xml_document doc;
  // Whitespace-only texts are texts too; character references for CR
  // survive line-end normalisation.
  const pugi::xml_parse_result parsed =
      doc.load_buffer(Text.data(), Text.size(), pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8);
  if (!parsed)
    throw EExchangeError(FileName + ":" + std::to_string(LineOf(Text, parsed.offset)) +
                         ": not well-formed XML: " + parsed.description());
  const pugi::xml_node root = doc.document_element();
  if (std::string_view(root.name()) != "xliff")
    throw EExchangeError(FileName + ": no XLIFF file (the root element is <" + std::string(root.name()) + ">)");
  const std::string version = root.attribute("version").value();
  if (version.rfind("2.", 0) != 0)
    throw EExchangeError(FileName + ": XLIFF version '" + version +
                         "'; this reads XLIFF 2.0 (save the file as XLIFF 2 in the translation tool)");
  TExchangeFile result;
  result.SourceCode = root.attribute("srcLang").value();
  result.TargetCode = root.attribute("trgLang").value();
  result.Language = root.attribute("am:language").value();
  result.Project = root.attribute("am:project").value();
  for (const pugi::xml_node& file : root.children("file")) {
    const std::string section = file.attribute("id").value();
    if (section.empty()) throw EExchangeError(Where(FileName, Text, file) + ": a <file> without id");
    ReadUnits(file, section, FileName, Text, result, 0);
  }
  return result;
}

}  // namespace ambit::exchange
