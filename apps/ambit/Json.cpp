#include "apps/ambit/Json.h"

#include <cstdio>

namespace ambit::cli {

namespace {

// The length of the UTF-8 sequence at Text[i], or 0 when there is none.
std::size_t Utf8Length(std::string_view Text, std::size_t i) {
  const auto c = static_cast<unsigned char>(Text[i]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > Text.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(Text[i + k]) & 0xC0) != 0x80) return 0;
  return n;
}

}  // namespace

std::string JsonString(std::string_view Text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < Text.size();) {
    const char c = Text[i];
    const std::size_t n = Utf8Length(Text, i);
    if (n == 0) {
      out += "\\ufffd";
      ++i;
      continue;
    }
    if (n > 1) {
      out.append(Text.substr(i, n));
      i += n;
      continue;
    }
    ++i;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace ambit::cli
