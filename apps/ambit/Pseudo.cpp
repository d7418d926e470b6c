#include "apps/ambit/Pseudo.h"

#include "apps/ambit/TextRules.h"
#include "host/core/Strings.h"

namespace ambit::cli {

namespace {

// Accented look-alikes of A-Z and a-z, readable and wider than the plain
// letters, as every script's diacritics make a text.
constexpr const char* kUpper[26] = {"Å", "Ɓ", "Ç", "Đ", "É", "Ƒ", "Ĝ", "Ĥ", "Î", "Ĵ", "Ķ", "Ļ", "Ṁ",
                                    "Ñ", "Ö", "Þ", "Ǫ", "Ŕ", "Š", "Ţ", "Û", "Ṽ", "Ŵ", "Ẋ", "Ý", "Ž"};
constexpr const char* kLower[26] = {"å", "ƀ", "ç", "đ", "é", "ƒ", "ĝ", "ĥ", "î", "ĵ", "ķ", "ļ", "ɱ",
                                    "ñ", "ö", "þ", "ǫ", "ŕ", "š", "ţ", "û", "ṽ", "ŵ", "ẋ", "ý", "ž"};

bool Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string PseudoText(const std::string& Text) {
  const std::string lead = LeadingBlanks(Text);
  if (lead.size() == Text.size()) return Text;
  const std::string trail = TrailingBlanks(Text);
  const std::string_view core = std::string_view(Text).substr(lead.size(), Text.size() - lead.size() - trail.size());
  std::string out = lead + "[";
  std::size_t characters = 0;
  for (std::size_t i = 0; i < core.size();) {
    const char c = core[i];
    if (c == '&' && i + 1 < core.size()) {
      // "&&" stays a plain "&"; "&F" keeps its key, which must stay typeable.
      std::size_t n = 2;
      while (i + n < core.size() && Continuation(core[i + n])) ++n;
      out.append(core.substr(i, n));
      characters += 1;
      i += n;
      continue;
    }
    if (const std::size_t n = c == '%' ? PlaceholderAt(core, i) : 0; n > 0) {
      out.append(core.substr(i, n));
      i += n;
      continue;
    }
    if (c == '%' && i + 1 < core.size() && core[i + 1] == '%') {
      out += "%%";
      i += 2;
      continue;
    }
    if (c >= 'A' && c <= 'Z') out += kUpper[c - 'A'];
    else if (c >= 'a' && c <= 'z') out += kLower[c - 'a'];
    else out += c;
    if (!Continuation(c)) ++characters;
    ++i;
  }
  // About 40 % longer in all, the brackets included.
  const std::size_t total = (characters * 7 + 4) / 5;
  for (std::size_t n = characters + 2; n < total; ++n) out += "·";
  return out + "]" + trail;
}

std::string PseudoList(const std::string& CommaText) {
  host::TStringList items;
  items.SetCommaText(CommaText);
  for (int i = 0; i < items.Count(); ++i) items.Put(i, PseudoText(items.Get(i)));
  return items.CommaText();
}

}  // namespace ambit::cli
