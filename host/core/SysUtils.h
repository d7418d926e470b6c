// The host's small run-time library: the base exception, string formatting
// and the conversions every other unit uses.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace host {

// Base of every error the framework and the suite raise: one message.
class Exception : public std::exception {
public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  const std::string& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
};

// Conversions that cannot be done (StrToInt, Format, Assign).
class EConvertError : public Exception { using Exception::Exception; };
// A list index out of range.
class EListError : public Exception { using Exception::Exception; };
// Component names, ownership and streaming state.
class EComponentError : public Exception { using Exception::Exception; };
// A file that cannot be created or written.
class EFCreateError : public Exception { using Exception::Exception; };
// A file that cannot be opened or read.
class EFOpenError : public Exception { using Exception::Exception; };

// One argument of Format: a number or a text.
class TVarRec {
public:
  TVarRec(int v) : FValue(static_cast<std::int64_t>(v)) {}
  TVarRec(long v) : FValue(static_cast<std::int64_t>(v)) {}
  TVarRec(long long v) : FValue(static_cast<std::int64_t>(v)) {}
  TVarRec(unsigned v) : FValue(static_cast<std::int64_t>(v)) {}
  TVarRec(unsigned long v) : FValue(static_cast<std::int64_t>(v)) {}
  TVarRec(unsigned long long v) : FValue(static_cast<std::int64_t>(v)) {}
  TVarRec(double v) : FValue(v) {}
  TVarRec(const char* v) : FValue(std::string(v ? v : "")) {}
  TVarRec(std::string v) : FValue(std::move(v)) {}
  TVarRec(std::string_view v) : FValue(std::string(v)) {}

  bool IsInteger() const { return std::holds_alternative<std::int64_t>(FValue); }
  bool IsFloat() const { return std::holds_alternative<double>(FValue); }
  bool IsString() const { return std::holds_alternative<std::string>(FValue); }
  std::int64_t AsInteger() const { return std::get<std::int64_t>(FValue); }
  double AsFloat() const { return std::get<double>(FValue); }
  const std::string& AsString() const { return std::get<std::string>(FValue); }

private:
  std::variant<std::int64_t, double, std::string> FValue;
};

// printf-like formatting with the host's rules: %s, %d, %u, %x, %f, %e, %g,
// %%, an optional argument index ("%1:s"), the "-" flag, width and precision
// (either may be "*"). A specifier that does not match its argument raises
// EConvertError naming the format.
std::string Format(std::string_view format, std::initializer_list<TVarRec> args);

std::string IntToStr(std::int64_t value);
// A decimal integer with optional leading blanks and an optional sign;
// anything else (trailing blanks, hex, overflow of 32 bits) raises EConvertError.
int StrToInt(std::string_view text);
// As StrToInt, but returns def instead of raising.
int StrToIntDef(std::string_view text, int def);

// Removes characters of code 32 and below from both ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Upper and lower case of UTF-8 text for the letters the framework folds
// (ASCII, Latin, Greek, Cyrillic); other bytes are kept.
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);

// Q + S with every Q doubled + Q.
std::string AnsiQuotedStr(std::string_view s, char quote);
// Reads a quoted string starting at pos (which must hold the quote): the
// text up to the first quote that is not doubled, doubled quotes reduced to
// one; without a closing quote, up to the end. pos moves past what was read.
// When s[pos] is not the quote the result is empty and pos is unchanged.
std::string AnsiExtractQuotedStr(std::string_view s, std::size_t& pos, char quote);
// Convenience form reading from the start of s.
std::string AnsiExtractQuotedStr(std::string_view s, char quote);

// A valid Pascal-style identifier: a letter or underscore, then letters,
// digits and underscores (ASCII).
bool IsValidIdent(std::string_view s);

}  // namespace host
