#include "host/stream/FormLexer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "host/stream/FormLexerScan.h"

namespace host {

EReadError::EReadError(std::string FileName, int Line, std::string Detail)
    : Exception(FileName + ":" + std::to_string(Line) + ": " + Detail),
      FFileName(std::move(FileName)),
      FLine(Line),
      FDetail(std::move(Detail)) {}

namespace {
// Code point Code as UTF-8 at w; returns the end. Inline for the lexer,
// which would otherwise call the exported function through the library's
// PLT.
inline char* PutCode(char* w, std::uint32_t Code) {
  if (Code < 0x80) {
    *w++ = static_cast<char>(Code);
  } else if (Code < 0x800) {
    *w++ = static_cast<char>(0xC0 | (Code >> 6));
    *w++ = static_cast<char>(0x80 | (Code & 0x3F));
  } else if (Code < 0x10000) {
    *w++ = static_cast<char>(0xE0 | (Code >> 12));
    *w++ = static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    *w++ = static_cast<char>(0x80 | (Code & 0x3F));
  } else {
    *w++ = static_cast<char>(0xF0 | (Code >> 18));
    *w++ = static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
    *w++ = static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    *w++ = static_cast<char>(0x80 | (Code & 0x3F));
  }
  return w;
}

// The room a string's pieces are decoded into: the token's buffer, used
// whole, with 32 bytes to spare past what is asked, so that a short run
// is copied in one or two 16-byte moves instead of a call.
class TDecodeBuffer {
public:
  explicit TDecodeBuffer(std::string& Buffer)
      : FBuffer(Buffer), FNext(Buffer.data()), FLimit(Buffer.data() + Buffer.size()) {}
  void Room(std::size_t Size) {
    if (static_cast<std::size_t>(FLimit - FNext) < Size + 32) Grow(Size + 32);
  }
  // Run is Size bytes at p, and the text goes on to End.
  void PutRun(const char* p, std::size_t Size, const char* End) {
    Room(Size);
#if defined(__SSE2__)
    if (Size <= 32 && End - p >= 32) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(FNext), _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(FNext + 16),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)));
      FNext += Size;
      return;
    }
#endif
    if (Size != 0) std::memcpy(FNext, p, Size);
    FNext += Size;
  }
  void PutChar(char c) {
    Room(1);
    *FNext++ = c;
  }
  void PutCode(std::uint32_t Code) {
    Room(4);
    FNext = host::PutCode(FNext, Code);
  }
  std::string_view Value() const { return {FBuffer.data(), static_cast<std::size_t>(FNext - FBuffer.data())}; }

private:
  void Grow(std::size_t Size) {
    const std::size_t used = static_cast<std::size_t>(FNext - FBuffer.data());
    FBuffer.resize(std::max(2 * FBuffer.size(), used + Size + 64));
    FNext = FBuffer.data() + used;
    FLimit = FBuffer.data() + FBuffer.size();
  }

  std::string& FBuffer;
  char* FNext;
  char* FLimit;
};

constexpr bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return formchars::Of(c) & formchars::IdentChar; }
bool IsSymbol(char c) { return formchars::Of(c) & formchars::Symbol; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

void AppendUtf8(std::string& Out, std::uint32_t Code) {
  char bytes[4];
  Out.append(bytes, static_cast<std::size_t>(PutCode(bytes, Code) - bytes));
}

TFormLexer::TFormLexer(std::string_view Source, std::string FileName)
    : FSource(Source), FFileName(std::move(FileName)) {
  // A byte-order mark is noise some editors add; it carries nothing.
  if (FSource.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
}

// Tokens never span lines, so the current token's line is the place.
void TFormLexer::Error(const std::string& Detail) const { throw EReadError(FFileName, FToken.Line, Detail); }
void TFormLexer::ErrorAt(int Line, const std::string& Detail) const { throw EReadError(FFileName, Line, Detail); }

std::string TFormLexer::Describe(const TFormToken& Token) {
  switch (Token.Kind) {
    case TFormTokenKind::EndOfFile: return "end of file";
    case TFormTokenKind::Identifier: return "'" + std::string(Token.Text) + "'";
    case TFormTokenKind::Integer:
    case TFormTokenKind::Float: return "number " + std::string(Token.Text);
    case TFormTokenKind::String: return "a string";
    case TFormTokenKind::Symbol: return "'" + std::string(Token.Text) + "'";
  }
  return "?";
}

// Position and line are kept in locals: the loop runs for every blank.
void TFormLexer::SkipBlanks() {
  const char* const begin = FSource.data();
  const char* const end = begin + FSource.size();
  const char* p = begin + FPos;
  int line = FLine;
  for (; p < end; ++p) {
    // Indentation is a run of spaces.
    p = formchars::SkipSpaceRun(p, end);
    if (p == end) break;
    const char c = *p;
    if (c == ' ' || c == '\t') continue;
    if (c == '\n') {
      ++line;
    } else if (c == '\r') {
      // CR LF counts once, a lone CR as a line end of its own.
      if (p + 1 >= end || p[1] != '\n') ++line;
    } else {
      break;
    }
  }
  FPos = static_cast<std::size_t>(p - begin);
  FLine = line;
}

const TFormToken& TFormLexer::Next() { return Scan(); }

const TFormToken& TFormLexer::NextPlain() {
  SkipBlanks();
  const int previous = ResetToken();
  // The end of the file is reported where the text ends, not on the empty
  // line after its last line break.
  if (FPos >= FSource.size()) {
    FToken.Line = previous;
    return FToken;
  }
  ReadToken();
  return FToken;
}

void TFormLexer::ReadToken() {
  const char c = FSource[FPos];
  if (IsIdentStart(c)) {
    ReadIdentifier();
  } else if (IsDigit(c) || c == '$' ||
             (c == '-' && FPos + 1 < FSource.size() && (IsDigit(FSource[FPos + 1]) || FSource[FPos + 1] == '$'))) {
    ReadNumber();
  } else if (c == '\'' || c == '#') {
    ReadString();
  } else if (IsSymbol(c)) {
    FToken.Kind = TFormTokenKind::Symbol;
    FToken.Text = FSource.substr(FPos, 1);
    ++FPos;
  } else {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 33 && u < 127)
      Error(std::string("unexpected character '") + c + "'");
    Error("unexpected character #" + std::to_string(u));
  }
}

// Dotted paths (Font.Charset, OtherForm.Button1) are one token; each part
// must be a whole identifier.
void TFormLexer::ReadIdentifier() {
  const std::size_t start = FPos;
  const char* const begin = FSource.data();
  const char* const end = begin + FSource.size();
  const char* p = begin + FPos;
  for (;;) {
    while (p < end && IsIdentChar(*p)) ++p;
    if (p + 1 < end && *p == '.' && IsIdentStart(p[1])) {
      ++p;
      continue;
    }
    break;
  }
  FPos = static_cast<std::size_t>(p - begin);
  if (FPos < FSource.size() && FSource[FPos] == '.')
    Error("expected an identifier after '" + std::string(FSource.substr(start, FPos + 1 - start)) + "'");
  FToken.Kind = TFormTokenKind::Identifier;
  FToken.Text = FSource.substr(start, FPos - start);
  FToken.Keyword = formchars::KeywordOf(FToken.Text);
}

void TFormLexer::ReadNumber() {
  const std::size_t start = FPos;
  bool negative = false;
  if (FSource[FPos] == '-') {
    negative = true;
    ++FPos;
  }
  if (FSource[FPos] == '$') {
    ++FPos;
    const std::size_t digits = FPos;
    std::uint64_t value = 0;
    while (FPos < FSource.size() && HexValue(FSource[FPos]) >= 0) {
      if (FPos - digits >= 16) Error("hexadecimal number too long");
      value = value * 16 + static_cast<std::uint64_t>(HexValue(FSource[FPos]));
      ++FPos;
    }
    if (FPos == digits) Error("expected hexadecimal digits after '$'");
    FToken.Kind = TFormTokenKind::Integer;
    FToken.Hex = true;
    // Hex digits are a bit pattern; the sign negates it modulo 2^64 (as
    // unsigned, so that -$8000000000000000 is well defined).
    FToken.Int = static_cast<std::int64_t>(negative ? 0 - value : value);
  } else {
    FToken.Hex = false;
    while (FPos < FSource.size() && IsDigit(FSource[FPos])) ++FPos;
    bool isFloat = false;
    if (FPos + 1 < FSource.size() && FSource[FPos] == '.' && IsDigit(FSource[FPos + 1])) {
      isFloat = true;
      ++FPos;
      while (FPos < FSource.size() && IsDigit(FSource[FPos])) ++FPos;
    }
    if (FPos < FSource.size() && (FSource[FPos] == 'e' || FSource[FPos] == 'E')) {
      std::size_t p = FPos + 1;
      if (p < FSource.size() && (FSource[p] == '+' || FSource[p] == '-')) ++p;
      if (p < FSource.size() && IsDigit(FSource[p])) {
        isFloat = true;
        FPos = p;
        while (FPos < FSource.size() && IsDigit(FSource[FPos])) ++FPos;
      }
    }
    const std::string_view text = FSource.substr(start, FPos - start);
    if (isFloat) {
      FToken.Kind = TFormTokenKind::Float;
      // The format always uses '.', whatever the user's locale says.
      auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), FToken.Float);
      if (ec != std::errc() || ptr != text.data() + text.size()) Error("number out of range: " + std::string(text));
    } else if (const std::size_t digits = text.size() - (negative ? 1 : 0); digits <= 18) {
      // Eighteen digits cannot overflow: no need for the checked parse.
      FToken.Kind = TFormTokenKind::Integer;
      std::int64_t v = 0;
      for (char d : text.substr(negative ? 1 : 0)) v = v * 10 + (d - '0');
      FToken.Int = negative ? -v : v;
    } else {
      FToken.Kind = TFormTokenKind::Integer;
      std::int64_t v = 0;
      auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
      if (ec != std::errc() || ptr != text.data() + text.size()) Error("number out of range: " + std::string(text));
      FToken.Int = v;
    }
  }
  if (FPos < FSource.size() && (IsIdentChar(FSource[FPos]) || FSource[FPos] == '.'))
    Error("invalid number '" + std::string(FSource.substr(start, FPos + 1 - start)) + "'");
  FToken.Text = FSource.substr(start, FPos - start);
}

// Quoted segments and #NNN codes written next to each other form one string.
void TFormLexer::ReadString() {
  FToken.Kind = TFormTokenKind::String;
  FToken.Text = "string";
  // Most strings are one plain quoted piece: the value is the source's
  // bytes between the quotes, with nothing to decode or copy.
  if (FSource[FPos] == '\'') {
    std::size_t end = FPos + 1;
    while (end < FSource.size() && FSource[end] != '\'' && FSource[end] != '\n' && FSource[end] != '\r') ++end;
    if (end < FSource.size() && FSource[end] == '\'' &&
        (end + 1 == FSource.size() || (FSource[end + 1] != '\'' && FSource[end + 1] != '#'))) {
      FToken.Value = FSource.substr(FPos + 1, end - FPos - 1);
      FPos = end + 1;
      return;
    }
  }
  ReadStringPieces();
}

void TFormLexer::ReadStringPieces() {
  FToken.Kind = TFormTokenKind::String;
  FToken.Text = "string";
  TDecodeBuffer out(FToken.Str);
  const char* const begin = FSource.data();
  const char* const end = begin + FSource.size();
  const char* p = begin + FPos;
  while (p < end) {
    if (*p == '\'') {
      ++p;
      for (;;) {
        // The plain run up to the next quote or line end goes in whole.
        const char* stop = formchars::FindStringStop(p, end);
        out.PutRun(p, static_cast<std::size_t>(stop - p), end);
        p = stop;
        if (p == end || *p != '\'') Error("unterminated string");
        ++p;
        if (p < end && *p == '\'') {
          out.PutChar('\'');
          ++p;
          continue;
        }
        break;
      }
    } else if (*p == '#') {
      // Most codes are a few decimal digits below the surrogates (#13#10),
      // which can be neither out of range nor half of a pair.
      const char* q = p + 1;
      const char* const last = end - q > 5 ? q + 5 : end;
      std::uint32_t code = 0;
      while (q < last && IsDigit(*q)) code = code * 10 + static_cast<std::uint32_t>(*q++ - '0');
      if (q > p + 1 && code < 0xD800 && (q == end || !IsDigit(*q))) {
        p = q;
        out.PutCode(code);
        continue;
      }
      FPos = static_cast<std::size_t>(p + 1 - begin);
      code = ReadCharCode();
      // Characters beyond the basic plane come as a pair of UTF-16 codes.
      if (code >= 0xD800 && code <= 0xDBFF && FPos < FSource.size() && FSource[FPos] == '#') {
        const std::size_t at = FPos++;
        const std::uint32_t low = ReadCharCode();
        if (low >= 0xDC00 && low <= 0xDFFF)
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        else
          FPos = at;  // not a pair: the lone high code is reported below
      }
      if (code >= 0xD800 && code <= 0xDFFF) Error("character code #" + std::to_string(code) + " is a surrogate");
      out.PutCode(code);
      p = begin + FPos;
    } else {
      break;
    }
  }
  FPos = static_cast<std::size_t>(p - begin);
  FToken.Value = out.Value();
}

std::uint32_t TFormLexer::ReadCharCode() {
  std::uint32_t code = 0;
  std::size_t digits = 0;
  if (FPos < FSource.size() && FSource[FPos] == '$') {
    ++FPos;
    while (FPos < FSource.size() && HexValue(FSource[FPos]) >= 0) {
      code = code * 16 + static_cast<std::uint32_t>(HexValue(FSource[FPos]));
      if (code > 0x10FFFF) Error("character code out of range");
      ++FPos;
      ++digits;
    }
  } else {
    while (FPos < FSource.size() && IsDigit(FSource[FPos])) {
      code = code * 10 + static_cast<std::uint32_t>(FSource[FPos] - '0');
      if (code > 0x10FFFF) Error("character code out of range");
      ++FPos;
      ++digits;
    }
  }
  if (digits == 0) Error("expected a character code after '#'");
  return code;
}

}  // namespace host
