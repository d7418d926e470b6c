// Finding the first of a few bytes in a text, for the readers whose lines
// (or quoted pieces) are found byte by byte otherwise.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace host {

// The first byte from p on that equals one of Stops, or end. Sixteen bytes
// at a time where SSE2 is there (every x86-64), else eight: a byte equal to
// b leaves a zero in w ^ b, and the lowest byte the zero test marks is
// always a true zero.
template <char... Stops>
inline const char* FindFirstOf(const char* p, const char* end) {
#if defined(__SSE2__)
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hit = (_mm_cmpeq_epi8(v, _mm_set1_epi8(Stops)) | ...);
    if (const int m = _mm_movemask_epi8(hit)) return p + std::countr_zero(static_cast<unsigned>(m));
    p += 16;
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    auto zeros = [](std::uint64_t x) { return (x - ones) & ~x & highs; };
    while (end - p >= 8) {
      std::uint64_t w;
      std::memcpy(&w, p, 8);
      const std::uint64_t m = (zeros(w ^ (ones * static_cast<unsigned char>(Stops))) | ...);
      if (m != 0) return p + std::countr_zero(m) / 8;
      p += 8;
    }
  }
  while (p < end && ((*p != Stops) && ...)) ++p;
  return p;
}

// The end of the line that starts at p: its first CR or LF, or end.
inline const char* FindLineEnd(const char* p, const char* end) { return FindFirstOf<'\r', '\n'>(p, end); }

}  // namespace host
