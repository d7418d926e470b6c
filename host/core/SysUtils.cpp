#include "host/core/SysUtils.h"

#include <array>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <vector>

#include "host/core/CaseFold.h"

namespace host {
namespace {

[[noreturn]] void FormatError(std::string_view format) {
  throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

std::string Pad(std::string s, int width, bool left) {
  if (width > 0 && static_cast<int>(s.size()) < width) {
    const std::string fill(static_cast<std::size_t>(width) - s.size(), ' ');
    s = left ? s + fill : fill + s;
  }
  return s;
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TVarRec> argList) {
  const std::vector<TVarRec> args(argList);
  std::string out;
  std::size_t next = 0;  // index of the next argument
  std::size_t i = 0;
  auto readNumber = [&](int& value) -> bool {  // digits or "*"
    if (i < format.size() && format[i] == '*') {
      ++i;
      if (next >= args.size() || !args[next].IsInteger()) FormatError(format);
      value = static_cast<int>(args[next++].AsInteger());
      return true;
    }
    if (i >= format.size() || !std::isdigit(static_cast<unsigned char>(format[i]))) return false;
    long long v = 0;
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) {
      v = v * 10 + (format[i++] - '0');
      if (v > 100000) FormatError(format);
    }
    value = static_cast<int>(v);
    return true;
  };
  while (i < format.size()) {
    const char c = format[i++];
    if (c != '%') {
      out.push_back(c);
      continue;
    }
    if (i >= format.size()) FormatError(format);
    if (format[i] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    // %[index:][-][width][.precision]type
    // An index is digits followed by ':'; a "*" here is a width and must
    // not take an argument while looking.
    const std::size_t start = i;
    std::size_t digitsEnd = i;
    while (digitsEnd < format.size() && std::isdigit(static_cast<unsigned char>(format[digitsEnd]))) ++digitsEnd;
    if (digitsEnd > start && digitsEnd < format.size() && format[digitsEnd] == ':') {
      int number = -1;
      readNumber(number);
      ++i;
      next = static_cast<std::size_t>(number);
    }
    bool left = false;
    if (i < format.size() && format[i] == '-') {
      left = true;
      ++i;
    }
    int width = -1;
    readNumber(width);
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
      ++i;
      if (!readNumber(precision)) precision = 0;
    }
    if (i >= format.size()) FormatError(format);
    const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i++])));
    if (next >= args.size()) FormatError(format);
    const TVarRec& arg = args[next++];
    std::string text;
    switch (type) {
      case 'd':
      case 'u': {
        if (!arg.IsInteger()) FormatError(format);
        std::int64_t v = arg.AsInteger();
        if (type == 'u' && v < 0) v = static_cast<std::int64_t>(static_cast<std::uint32_t>(v));
        const bool neg = v < 0;
        std::string digits = std::to_string(neg ? -(v + 1) + 1ull : static_cast<unsigned long long>(v));
        if (precision > 0 && static_cast<int>(digits.size()) < precision)
          digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
        text = neg ? "-" + digits : digits;
        break;
      }
      case 'x': {
        if (!arg.IsInteger()) FormatError(format);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(arg.AsInteger()));
        text = buf;
        if (precision > 0 && static_cast<int>(text.size()) < precision)
          text.insert(0, static_cast<std::size_t>(precision) - text.size(), '0');
        break;
      }
      case 's':
        if (!arg.IsString()) FormatError(format);
        text = arg.AsString();
        if (precision >= 0 && static_cast<int>(text.size()) > precision) text.resize(static_cast<std::size_t>(precision));
        break;
      case 'f':
      case 'e':
      case 'g': {
        if (!arg.IsFloat() && !arg.IsInteger()) FormatError(format);
        const double v = arg.IsFloat() ? arg.AsFloat() : static_cast<double>(arg.AsInteger());
        const char conversion[] = {'%', '.', '*', type == 'e' ? 'E' : type, '\0'};
        const int digits = precision < 0 ? (type == 'g' ? 15 : 2) : precision;
        // Sized by a first pass: large values with many decimals do not fit
        // a fixed buffer.
        const int n = std::snprintf(nullptr, 0, conversion, digits, v);
        if (n < 0) FormatError(format);
        text.resize(static_cast<std::size_t>(n) + 1);
        std::snprintf(text.data(), text.size(), conversion, digits, v);
        text.resize(static_cast<std::size_t>(n));
        break;
      }
      default:
        FormatError(format);
    }
    out += Pad(std::move(text), width, left);
  }
  return out;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

int StrToIntDef(std::string_view text, int def) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool neg = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
  if (i >= text.size()) return def;
  long long v = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return def;
    v = v * 10 + (c - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) return def;
  }
  if (neg) v = -v;
  if (v > INT_MAX || v < INT_MIN) return def;
  return static_cast<int>(v);
}

int StrToInt(std::string_view text) {
  // Two sentinels tell a valid value from the default without a second parse.
  const int a = StrToIntDef(text, 0);
  if (a == 0 && StrToIntDef(text, 1) == 1)
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return a;
}

std::string TrimLeft(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::string AnsiUpperCase(std::string_view s) { return UpperCase(s); }
std::string AnsiLowerCase(std::string_view s) { return FoldCase(s); }

std::string AnsiQuotedStr(std::string_view s, char quote) {
  std::string out;
  out.reserve(s.size() + 2);
  out.push_back(quote);
  for (char c : s) {
    out.push_back(c);
    if (c == quote) out.push_back(quote);
  }
  out.push_back(quote);
  return out;
}

std::string AnsiExtractQuotedStr(std::string_view s, std::size_t& pos, char quote) {
  if (pos >= s.size() || s[pos] != quote) return {};
  std::string out;
  std::size_t i = pos + 1;
  while (i < s.size()) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        out.push_back(quote);
        i += 2;
        continue;
      }
      ++i;  // the closing quote
      pos = i;
      return out;
    }
    out.push_back(s[i++]);
  }
  pos = i;
  return out;
}

std::string AnsiExtractQuotedStr(std::string_view s, char quote) {
  std::size_t pos = 0;
  return AnsiExtractQuotedStr(s, pos, quote);
}

namespace {
// Bit 1: may start an identifier; bit 2: may go on one.
constexpr std::array<unsigned char, 256> kIdentChars = [] {
  std::array<unsigned char, 256> t{};
  for (int c = 0; c < 256; ++c) {
    const bool alpha = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    t[static_cast<std::size_t>(c)] = static_cast<unsigned char>((alpha ? 3 : 0) | (c >= '0' && c <= '9' ? 2 : 0));
  }
  return t;
}();
}  // namespace

bool IsValidIdent(std::string_view s) {
  if (s.empty()) return false;
  // Every name read from a form comes through here: one table look-up a
  // byte. The loop leaves early, which also keeps the compiler from making
  // it a vector loop whose set-up costs more than a short name.
  if (!(kIdentChars[static_cast<unsigned char>(s[0])] & 1u)) return false;
  for (std::size_t i = 1; i < s.size(); ++i)
    if (!(kIdentChars[static_cast<unsigned char>(s[i])] & 2u)) return false;
  return true;
}

}  // namespace host
