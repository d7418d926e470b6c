#include "apps/ambit/TextRules.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "host/core/CaseFold.h"

namespace ambit::cli {

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Flags, width and precision of printf and of the host's Format, from j on.
std::size_t SkipSpec(std::string_view Text, std::size_t j) {
  while (j < Text.size() && std::strchr("-+#0", Text[j])) ++j;
  if (j < Text.size() && Text[j] == '*') ++j;
  else while (j < Text.size() && Digit(Text[j])) ++j;
  if (j < Text.size() && Text[j] == '.') {
    ++j;
    if (j < Text.size() && Text[j] == '*') ++j;
    else while (j < Text.size() && Digit(Text[j])) ++j;
  }
  return j;
}

// The conversion letter at j after length modifiers; npos when none.
std::size_t Conversion(std::string_view Text, std::size_t j) {
  while (j < Text.size() && std::strchr("hlLqjzt", Text[j])) ++j;
  if (j < Text.size() && std::strchr("diouxXeEfFgGaAcspnmu", Text[j])) return j;
  return std::string_view::npos;
}

}  // namespace

std::size_t PlaceholderAt(std::string_view Text, std::size_t i) {
  if (i + 1 >= Text.size() || Text[i] != '%' || Text[i + 1] == '%') return 0;
  std::size_t j = i + 1;
  while (j < Text.size() && Digit(Text[j])) ++j;
  // "%0:s": the host's Format with an argument index.
  if (j > i + 1 && j < Text.size() && Text[j] == ':') {
    const std::size_t c = Conversion(Text, SkipSpec(Text, j + 1));
    return c == std::string_view::npos ? 0 : c + 1 - i;
  }
  // "%-5.2f", "%s", "%lu": printf's.
  if (const std::size_t c = Conversion(Text, SkipSpec(Text, i + 1)); c != std::string_view::npos) return c + 1 - i;
  // "%1": a numbered argument.
  return j > i + 1 ? j - i : 0;
}

std::vector<std::string> PlaceholderSignature(std::string_view Text) {
  std::vector<std::string> numbered, ordered;
  for (std::size_t i = 0; i < Text.size();) {
    if (Text[i] == '%' && i + 1 < Text.size() && Text[i + 1] == '%') {
      i += 2;
      continue;
    }
    const std::size_t n = PlaceholderAt(Text, i);
    if (n == 0) {
      ++i;
      continue;
    }
    const std::string_view p = Text.substr(i, n);
    const char last = p.back();
    if (Digit(last)) {
      numbered.emplace_back(p);
    } else if (p.find(':') != std::string_view::npos) {
      numbered.push_back(std::string(p.substr(0, p.find(':') + 1)) + last);
    } else {
      ordered.push_back(std::string("%") + (last == 'i' ? 'd' : last));
    }
    i += n;
  }
  std::sort(numbered.begin(), numbered.end());
  ordered.insert(ordered.end(), numbered.begin(), numbered.end());
  return ordered;
}

std::string JoinPlaceholders(const std::vector<std::string>& Signature) {
  if (Signature.empty()) return "none";
  std::string text;
  for (const std::string& p : Signature) text += (text.empty() ? "" : ", ") + p;
  return text;
}

std::string Accelerator(std::string_view Text) {
  for (std::size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != '&') continue;
    if (Text[i + 1] == '&') {
      ++i;
      continue;
    }
    // The whole UTF-8 character after it.
    std::size_t n = 1;
    while (i + 1 + n < Text.size() && (static_cast<unsigned char>(Text[i + 1 + n]) & 0xC0) == 0x80) ++n;
    if (Blank(Text[i + 1])) return {};
    return host::FoldCase(Text.substr(i + 1, n));
  }
  return {};
}

std::string LeadingBlanks(std::string_view Text) {
  std::size_t n = 0;
  while (n < Text.size() && Blank(Text[n])) ++n;
  return std::string(Text.substr(0, n));
}

std::string TrailingBlanks(std::string_view Text) {
  std::size_t n = Text.size();
  while (n > 0 && Blank(Text[n - 1])) --n;
  return std::string(Text.substr(n));
}

std::string DescribeBlanks(std::string_view Blanks) {
  int spaces = 0, tabs = 0, breaks = 0;
  for (std::size_t i = 0; i < Blanks.size(); ++i) {
    if (Blanks[i] == ' ') ++spaces;
    else if (Blanks[i] == '\t') ++tabs;
    else if (Blanks[i] == '\n' || (Blanks[i] == '\r' && (i + 1 >= Blanks.size() || Blanks[i + 1] != '\n'))) ++breaks;
  }
  std::vector<std::string> parts;
  auto add = [&](int n, const char* one, const char* many) {
    if (n) parts.push_back(n == 1 ? std::string(one) : std::to_string(n) + " " + many);
  };
  add(spaces, "a blank", "blanks");
  add(tabs, "a tab", "tabs");
  add(breaks, "a line break", "line breaks");
  if (parts.empty()) return "nothing";
  std::string text = parts[0];
  for (std::size_t i = 1; i < parts.size(); ++i) text += (i + 1 == parts.size() ? " and " : ", ") + parts[i];
  return text;
}

}  // namespace ambit::cli
