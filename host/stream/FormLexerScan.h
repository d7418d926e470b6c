// The lexer's inline part: the character table and the reading of the
// usual tokens. Only the lexer and the parser include it.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "host/core/TextScan.h"
#include "host/stream/FormLexer.h"

namespace host {

namespace formchars {
// What each byte can be in a form file, looked up once per character in
// the lexer's loops.
// WordStart: the first letters of the structure words (end, item, inline,
// inherited, object) in either case: a name that begins otherwise is none.
enum : unsigned char { IdentStart = 1, IdentChar = 2, Digit = 4, Symbol = 8, WordStart = 16 };
struct TTable {
  unsigned char Of[256] = {};
  constexpr TTable() {
    for (int c = 0; c < 256; ++c) {
      const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
      const bool digit = c >= '0' && c <= '9';
      Of[c] = static_cast<unsigned char>((letter ? IdentStart | IdentChar : 0) | (digit ? Digit | IdentChar : 0));
    }
    for (char c : {'=', ':', '[', ']', '(', ')', ',', '<', '>', '+'}) Of[static_cast<unsigned char>(c)] = Symbol;
    for (char c : {'e', 'E', 'i', 'I', 'o', 'O'}) Of[static_cast<unsigned char>(c)] |= WordStart;
  }
};
// Hidden: the library then reads it at a fixed distance from the code,
// not through an address looked up first on every character.
[[gnu::visibility("hidden")]] inline constexpr TTable kTable;
inline unsigned char Of(char c) { return kTable.Of[static_cast<unsigned char>(c)]; }

// The first quote or line end from p on, or end: what ends a quoted piece.
inline const char* FindStringStop(const char* p, const char* end) { return FindFirstOf<'\'', '\n', '\r'>(p, end); }

// Past the run of spaces at p, eight bytes at a time; stops at the first
// other byte, or short of the text's last few bytes, which the caller's
// own loop reads.
inline const char* SkipSpaceRun(const char* p, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    while (end - p >= 8) {
      std::uint64_t w;
      std::memcpy(&w, p, 8);
      w ^= 0x2020202020202020ULL;
      if (w != 0) return p + std::countr_zero(w) / 8;
      p += 8;
    }
  }
  return p;
}

// Identifiers hold only ASCII letters, digits and '_', and setting bit 5
// turns an upper-case letter into its lower case while mapping no digit or
// '_' onto a letter: so this equals case-insensitive comparison here.
template <std::size_t N>
inline bool IsWord(const char* w, const char (&Lower)[N]) {
  for (std::size_t i = 0; i + 1 < N; ++i)
    if ((w[i] | 0x20) != Lower[i]) return false;
  return true;
}

// The end of the decimal integer at p, its value in Value: null for no
// digit and for what the plain reader takes instead (more than eighteen
// digits, which could overflow; floats; what runs on into a letter or '.').
inline const char* PlainInteger(const char* p, const char* end, std::uint64_t& Value) {
  const char* const start = p;
  std::uint64_t v = 0;
  while (p < end && (Of(*p) & Digit)) v = v * 10 + static_cast<std::uint64_t>(*p++ - '0');
  if (p == start || p - start > 18 || (p != end && ((Of(*p) & IdentChar) || *p == '.'))) return nullptr;
  Value = v;
  return p;
}

// A token's view, read word by word. The lexer writes a view as two
// words; copied as it stands, it is read back at once as one 16-byte word,
// and such a load cannot take its value from the two writes still on their
// way to the cache: it waits for them. The empty asm keeps the reads apart.
inline std::string_view ReadApart(const std::string_view& v) {
  const char* data = v.data();
  std::size_t size = v.size();
#if defined(__GNUC__)
  asm("" : "+r"(size));
#endif
  return {data, size};
}

inline TFormKeyword KeywordOf(std::string_view w) {
  switch (w.size()) {
    case 3: return IsWord(w.data(), "end") ? TFormKeyword::End : TFormKeyword::None;
    case 4: return IsWord(w.data(), "item") ? TFormKeyword::Item : TFormKeyword::None;
    case 6:
      return IsWord(w.data(), "object")   ? TFormKeyword::Object
             : IsWord(w.data(), "inline") ? TFormKeyword::Inline
                                          : TFormKeyword::None;
    case 9: return IsWord(w.data(), "inherited") ? TFormKeyword::Inherited : TFormKeyword::None;
    default: return TFormKeyword::None;
  }
}
}  // namespace formchars

inline int TFormLexer::ResetToken() {
  // Only what every kind has: the readers set the members of their kind.
  const int previous = FToken.Line;
  FToken.Kind = TFormTokenKind::EndOfFile;
  FToken.Keyword = TFormKeyword::None;
  FToken.Text = {};
  FToken.Line = FLine;
  return previous;
}

inline bool TFormLexer::SkipSymbol(char Symbol) {
  const char* const begin = FSource.data();
  const char* const end = begin + FSource.size();
  const char* p = begin + FPos;
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  if (p == end || *p != Symbol) return false;
  FPos = static_cast<std::size_t>(p + 1 - begin);
  return true;
}

inline bool TFormLexer::SkipInteger(std::int64_t& Value, std::string_view& Text) {
  using namespace formchars;
  const char* const begin = FSource.data();
  const char* const end = begin + FSource.size();
  const char* p = begin + FPos;
  while (p < end && (*p == ' ' || *p == '\t')) ++p;
  std::uint64_t v;
  const char* const stop = PlainInteger(p, end, v);
  if (!stop) return false;
  Value = static_cast<std::int64_t>(v);
  Text = std::string_view(p, static_cast<std::size_t>(stop - p));
  FPos = static_cast<std::size_t>(stop - begin);
  return true;
}

// The usual tokens of a form file: plain and dotted identifiers, decimal
// integers of up to 18 digits, strings of one plain quoted piece, symbols.
// Anything else starts over at the token with the plain readers.
inline const TFormToken& TFormLexer::Scan() {
  using namespace formchars;
  const char* const begin = FSource.data();
  const char* const end = begin + FSource.size();
  const char* p = begin + FPos;
  int line = FLine;
  while (p < end) {
    const char c = *p;
    // Blanks lie at or below ' ': anything above ends them at once.
    if (static_cast<unsigned char>(c) > ' ') break;
    if (c == ' ' || c == '\t') {
      ++p;
      continue;
    }
    if (c == '\n') {
      ++line;
    } else if (c == '\r') {
      // CR LF counts once, a lone CR as a line end of its own.
      if (p + 1 == end || p[1] != '\n') ++line;
    } else {
      break;
    }
    // The next line's indentation is a run of spaces.
    p = SkipSpaceRun(p + 1, end);
  }
  FLine = line;
  const int previous = ResetToken();
  // The end of the file is reported where the text ends, not on the empty
  // line after its last line break.
  if (p == end) {
    FPos = FSource.size();
    FToken.Line = previous;
    return FToken;
  }
  const char* const start = p;
  const unsigned char kind = Of(*p);
  if (kind & IdentStart) {
    ++p;
    for (;;) {
      while (p < end && (Of(*p) & IdentChar)) ++p;
      if (p + 1 < end && *p == '.' && (Of(p[1]) & IdentStart)) {
        p += 2;
        continue;
      }
      break;
    }
    if (p == end || *p != '.') {
      FToken.Kind = TFormTokenKind::Identifier;
      FToken.Text = std::string_view(start, static_cast<std::size_t>(p - start));
      // Most names are no structure word, and their first letter says so.
      FToken.Keyword = (kind & WordStart) ? KeywordOf(FToken.Text) : TFormKeyword::None;
      FPos = static_cast<std::size_t>(p - begin);
      return FToken;
    }
  } else if (kind & Digit) {
    std::uint64_t v;
    if (const char* const stop = PlainInteger(p, end, v)) {
      FToken.Kind = TFormTokenKind::Integer;
      FToken.Int = static_cast<std::int64_t>(v);
      FToken.Hex = false;
      FToken.Text = std::string_view(start, static_cast<std::size_t>(stop - start));
      FPos = static_cast<std::size_t>(stop - begin);
      return FToken;
    }
  } else if (*p == '\'') {
    // One plain quoted piece: the value is the source's bytes between the
    // quotes, with nothing to decode or copy.
    const char* q = FindStringStop(p + 1, end);
    if (q < end && *q == '\'' && (q + 1 == end || (q[1] != '\'' && q[1] != '#'))) {
      FToken.Kind = TFormTokenKind::String;
      FToken.Text = "string";
      FToken.Value = std::string_view(p + 1, static_cast<std::size_t>(q - p - 1));
      FPos = static_cast<std::size_t>(q + 1 - begin);
      return FToken;
    }
    FPos = static_cast<std::size_t>(start - begin);
    ReadStringPieces();
    return FToken;
  } else if (kind & Symbol) {
    FToken.Kind = TFormTokenKind::Symbol;
    FToken.Text = std::string_view(p, 1);
    FPos = static_cast<std::size_t>(p + 1 - begin);
    return FToken;
  }
  FPos = static_cast<std::size_t>(start - begin);
  ReadToken();
  return FToken;
}

}  // namespace host
