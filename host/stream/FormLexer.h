// The tokens of the text form format: identifiers (dotted paths kept whole),
// numbers, strings already decoded to UTF-8, and single-character symbols.
// The lexer knows nothing of components; the parser gives tokens meaning.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/core/SysUtils.h"

namespace host {

// Raised for anything wrong in a form file. The message names the file,
// the line and what was expected or found: "Main.dfm:12: expected 'end'".
class EReadError : public Exception {
public:
  EReadError(std::string FileName, int Line, std::string Detail);
  const std::string& FileName() const { return FFileName; }
  int Line() const { return FLine; }
  // The message without file and line.
  const std::string& Detail() const { return FDetail; }

private:
  std::string FFileName;
  int FLine;
  std::string FDetail;
};

enum class TFormTokenKind { EndOfFile, Identifier, Integer, Float, String, Symbol };

// The words that give a form file its structure, told apart once per
// identifier (case ignored) so that the parser compares no text for them.
enum class TFormKeyword { None, End, Object, Inherited, Inline, Item };

struct TFormToken {
  // Kind and Keyword lie apart: the lexer writes them one by one, and a
  // test of both read as one wider word would wait for those writes.
  TFormTokenKind Kind = TFormTokenKind::EndOfFile;
  int Line = 1;
  TFormKeyword Keyword = TFormKeyword::None;  // Identifier only
  // Identifier, symbol or the number as written: a view into the source,
  // valid as long as the source is.
  std::string_view Text;
  // The members below are set only for the kinds named beside them and
  // keep what an earlier token left otherwise: check Kind first.
  // String: the decoded value, a view into the source when the string is
  // one quoted piece with no doubled quote, else into Str (whose own size
  // is that of its buffer, not of the value).
  std::string_view Value;
  std::string Str;
  std::int64_t Int = 0;      // Integer
  double Float = 0;          // Float
  bool Hex = false;          // Integer written with '$'
};

class TFormLexer {
public:
  TFormLexer(std::string_view Source, std::string FileName);

  // Reads the next token; raises EReadError for a malformed one.
  const TFormToken& Next();
  // The same, inline (FormLexerScan.h) so that the parser's loops do not
  // call it through the shared library: the usual tokens are read there,
  // anything else by the plain readers below.
  inline const TFormToken& Scan();
  // The same token read by the plain readers alone: what Scan stands for.
  const TFormToken& NextPlain();
  // Passes over Symbol when only spaces and tabs stand before it on its
  // line, and says whether it did. The token read before stays current
  // until the next Scan, which reads on as if the symbol had been read.
  inline bool SkipSymbol(char Symbol);
  // Passes over a decimal integer of up to 18 digits in the same way, read
  // as Scan reads one (nothing may run on into a letter or '.'), and says
  // whether it did: the usual "Left = 8" needs no token for its value.
  inline bool SkipInteger(std::int64_t& Value, std::string_view& Text);
  const TFormToken& Current() const { return FToken; }
  // Reads on from Pos, on line Line, as if the text before had been read:
  // the next Scan reads the token there. A token read at the end of the
  // text is given Line, as the last token's.
  void Seek(std::size_t Pos, int Line) {
    FPos = Pos;
    FLine = Line;
    FToken.Line = Line;
  }
  std::string_view Source() const { return FSource; }
  const std::string& FileName() const { return FFileName; }
  int Line() const { return FLine; }

  [[noreturn]] void Error(const std::string& Detail) const;
  [[noreturn]] void ErrorAt(int Line, const std::string& Detail) const;

  // How a token reads in a message: 'end', identifier 'Foo', end of file.
  static std::string Describe(const TFormToken& Token);

private:
  void SkipBlanks();
  // Fills FToken, already reset, from the token that starts at FPos.
  void ReadToken();
  void ReadIdentifier();
  void ReadNumber();
  void ReadString();
  // A string of more than one plain quoted piece, from FPos.
  void ReadStringPieces();
  // The code after '#', decimal or $hex.
  std::uint32_t ReadCharCode();
  // Clears what the last token left and returns its line.
  inline int ResetToken();

  std::string_view FSource;
  std::string FFileName;
  std::size_t FPos = 0;
  int FLine = 1;
  TFormToken FToken;
};

// Appends code point Code to Out as UTF-8.
void AppendUtf8(std::string& Out, std::uint32_t Code);

}  // namespace host
