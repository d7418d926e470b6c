// The one case-insensitive comparison of the framework. Names of components,
// properties, INI sections and keys, string-list names: all compare through
// these functions, so that "Ä" and "ä", "Σ" and "σ", "Ж" and "ж" match
// everywhere alike.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace host {

// Lower-cases the ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic
// letters of a UTF-8 text; every other byte sequence (including invalid
// UTF-8) is copied unchanged. Two texts are equal ignoring case exactly when
// their folds are equal.
std::string FoldCase(std::string_view s);

// Upper-cases the same letters.
std::string UpperCase(std::string_view s);

// <0, 0, >0 like strcmp, comparing folded code points. Orders texts
// case-insensitively and deterministically.
int CompareText(std::string_view a, std::string_view b);

bool SameText(std::string_view a, std::string_view b);

// Hash and equality functors for unordered containers keyed by names that
// compare ignoring case.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const;
};
// TextHash of S when S is all ASCII, so that a caller that only keeps ASCII
// texts can drop any other at once; false, with Hash unset, otherwise.
bool AsciiTextHash(std::string_view S, std::size_t& Hash);
struct TextEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

// The first N bytes at P (N at most 8) as one word, the rest zero, with
// the bytes in memory order on a little-endian machine. Read in fixed-size
// pieces: a copy of varying length is a library call, and names are mostly
// shorter than eight bytes.
inline std::uint64_t LoadUpTo8(const char* P, std::size_t N) {
  std::uint64_t w = 0;
  if (N == 8) {
    std::memcpy(&w, P, 8);
    return w;
  }
  if constexpr (std::endian::native == std::endian::little) {
    // Two reads that may overlap, or three single bytes: an overlapping
    // byte is the same in both, so OR-ing it in twice leaves it as it is,
    // and there is no branch on each piece of the length.
    if (N >= 4) {
      std::uint32_t lo, hi;
      std::memcpy(&lo, P, 4);
      std::memcpy(&hi, P + N - 4, 4);
      return lo | (std::uint64_t{hi} << (8 * (N - 4)));
    }
    if (N == 0) return 0;
    const auto byte = [P](std::size_t I) { return std::uint64_t{static_cast<unsigned char>(P[I])} << (8 * I); };
    return byte(0) | byte(N / 2) | byte(N - 1);
  }
  std::size_t k = 0;
  if (N >= 4) {
    std::uint32_t x;
    std::memcpy(&x, P, 4);
    w = x;
    k = 4;
  }
  if (N - k >= 2) {
    std::uint16_t x;
    std::memcpy(&x, P + k, 2);
    w |= std::uint64_t{x} << (8 * k);
    k += 2;
  }
  if (N > k) w |= std::uint64_t{static_cast<unsigned char>(P[k])} << (8 * k);
  return w;
}

// Whether the N bytes at A and B are the same. Names and paths are a few
// words long, too short to be worth memcmp's call and length dispatch:
// whole words, the last one overlapping the one before, and for a short
// text two halves or three bytes that cover it.
inline bool SameBytes(const char* A, const char* B, std::size_t N) {
  const auto word = [](const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
  };
  const auto half = [](const char* p) {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
  };
  if (N >= 8) {
    for (std::size_t i = 0; i + 8 < N; i += 8)
      if (word(A + i) != word(B + i)) return false;
    return word(A + N - 8) == word(B + N - 8);
  }
  if (N >= 4) return half(A) == half(B) && half(A + N - 4) == half(B + N - 4);
  return N == 0 || (A[0] == B[0] && A[N - 1] == B[N - 1] && A[N / 2] == B[N / 2]);
}
// The same for two texts: the same length and bytes.
inline bool SameBytes(std::string_view A, std::string_view B) {
  return A.size() == B.size() && SameBytes(A.data(), B.data(), A.size());
}

}  // namespace host
