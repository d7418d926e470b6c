#include "host/core/CaseFold.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>

namespace host {
namespace {

constexpr char32_t kInvalid = 0x110000;  // raw byte b decodes as kInvalid + b

// Decodes one UTF-8 sequence at s[i]; invalid or truncated sequences yield a
// single raw byte, so every input has a decoding and nothing is lost.
char32_t Decode(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int len = 0;
  char32_t cp = 0;
  if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2) {
    len = 2;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0 && b0 <= 0xF4) {
    len = 4;
    cp = b0 & 0x07;
  } else {
    ++i;
    return kInvalid + b0;
  }
  if (i + len > s.size()) {
    ++i;
    return kInvalid + b0;
  }
  for (int k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kInvalid + b0;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  // Overlong forms and surrogates are kept as raw bytes too.
  if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
    ++i;
    return kInvalid + b0;
  }
  i += len;
  return cp;
}

void Encode(char32_t cp, std::string& out) {
  if (cp >= kInvalid) {
    out.push_back(static_cast<char>(cp - kInvalid));
  } else if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Every mapping keeps the length of the UTF-8 sequence, so a fold never moves
// the byte offsets of a text.
char32_t Lower(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
    return (c % 2 == 0) ? c + 1 : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 1) ? c + 1 : c;
  if (c == 0x178) return 0xFF;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
  if (c == 0x3C2) return 0x3C3;  // final sigma folds with sigma
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x4FF))
    return (c % 2 == 0) ? c + 1 : c;
  if (c == 0x4C0) return 0x4CF;
  if (c >= 0x4C1 && c <= 0x4CE) return (c % 2 == 1) ? c + 1 : c;
  return c;
}

char32_t Upper(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
    return (c % 2 == 1) ? c - 1 : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 37;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 63;
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x3B1 && c <= 0x3CB) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x4FF))
    return (c % 2 == 1) ? c - 1 : c;
  if (c == 0x4CF) return 0x4C0;
  if (c >= 0x4C1 && c <= 0x4CE) return (c % 2 == 0) ? c - 1 : c;
  return c;
}

// Lower-cases the ASCII letters among eight bytes at once; bytes of 0x80
// and above are left alone.
std::uint64_t LowerAscii8(std::uint64_t x) {
  constexpr std::uint64_t high = 0x8080808080808080ull;
  const std::uint64_t low7 = x & ~high;
  const std::uint64_t atLeastA = low7 + 0x3F3F3F3F3F3F3F3Full;  // 'A' reaches 0x80
  const std::uint64_t aboveZ = low7 + 0x2525252525252525ull;    // '[' reaches 0x80
  return x | (((atLeastA & ~aboveZ) & ~x & high) >> 2);
}

std::uint64_t Load(const char* p, std::size_t n) {
  if constexpr (std::endian::native == std::endian::little) return LoadUpTo8(p, n);
  std::uint64_t w = 0;
  std::memcpy(&w, p, n);
  return w;
}

template <class Map>
std::string MapText(std::string_view s, Map map) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {  // fast path for ASCII
      out.push_back(static_cast<char>(map(b)));
      ++i;
      continue;
    }
    Encode(map(Decode(s, i)), out);
  }
  return out;
}

}  // namespace

std::string FoldCase(std::string_view s) { return MapText(s, Lower); }
std::string UpperCase(std::string_view s) { return MapText(s, Upper); }

int CompareText(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t ca = Lower(Decode(a, i));
    const char32_t cb = Lower(Decode(b, j));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;  // folding keeps lengths
  // ASCII eight bytes at a time; from the first word with another byte on,
  // code point by code point (the word starts on a character boundary).
  constexpr std::uint64_t high = 0x8080808080808080ull;
  std::size_t i = 0;
  for (; i + 8 <= a.size(); i += 8) {
    const std::uint64_t x = Load(a.data() + i, 8), y = Load(b.data() + i, 8);
    if ((x | y) & high) return CompareText(a.substr(i), b.substr(i)) == 0;
    if (x != y && LowerAscii8(x) != LowerAscii8(y)) return false;
  }
  for (; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x >= 0x80 || y >= 0x80) return CompareText(a.substr(i), b.substr(i)) == 0;
    if (x != y && Lower(x) != Lower(y)) return false;
  }
  return true;
}

namespace {

// The hash of a folded text, eight bytes a round; ASCII letters are folded
// on the way, so an ASCII text needs no folded copy. Nonzero when HighSeen is
// given and a byte of 0x80 or above turns up: the caller then folds first.
// The bytes are checked once at the end, as such texts are rare.
inline std::uint64_t HashFolded(std::string_view s, bool* HighSeen) {
  constexpr std::uint64_t high = 0x8080808080808080ull;
  const std::size_t size = s.size();
  const char* p = s.data();
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ (size * 0xC2B2AE3D27D4EB4Full);
  std::uint64_t seen = 0;
  const auto round = [&](std::uint64_t w) {
    seen |= w;
    h = (h ^ LowerAscii8(w)) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 32;
  };
  std::size_t i = 0;
  for (; size - i >= 8; i += 8) round(Load(p + i, 8));
  if (const std::size_t n = size - i; n > 0) {
    if (std::endian::native == std::endian::little && size >= 8)
      round(Load(p + size - 8, 8) >> (8 * (8 - n)));  // the same bytes, read in one load
    else
      round(Load(p + i, n));
  }
  if (HighSeen && (seen & high)) {
    *HighSeen = true;
    return 0;
  }
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  return h ^ (h >> 32);
}

}  // namespace

std::size_t TextHash::operator()(std::string_view s) const {
  // The hash of the folded text: ASCII is folded in place without allocating.
  bool high = false;
  const std::uint64_t h = HashFolded(s, &high);
  if (!high) return static_cast<std::size_t>(h);
  return static_cast<std::size_t>(HashFolded(FoldCase(s), nullptr));
}

bool AsciiTextHash(std::string_view S, std::size_t& Hash) {
  bool high = false;
  const std::uint64_t h = HashFolded(S, &high);
  if (high) return false;
  Hash = static_cast<std::size_t>(h);
  return true;
}

}  // namespace host
