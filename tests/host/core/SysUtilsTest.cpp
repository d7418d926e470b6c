// The small run-time library: Format, integer conversions, Trim, quoting and
// identifiers.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "host/core/SysUtils.h"

using namespace host;

TEST(Format, StringAndDecimalPlaceholders) {
  EXPECT_EQ(Format("Index out of bounds (%d)", {-2}), "Index out of bounds (-2)");
  EXPECT_EQ(Format("%s=%s", {"a", std::string("b")}), "a=b");
  EXPECT_EQ(Format("no placeholders", {}), "no placeholders");
  EXPECT_EQ(Format("100%%", {}), "100%");
  EXPECT_EQ(Format("%d%%", {5}), "5%");
  EXPECT_EQ(Format("%D and %S", {7, "x"}), "7 and x");
}

TEST(Format, WidthPrecisionAndLeftFlag) {
  EXPECT_EQ(Format("[%5d]", {42}), "[   42]");
  EXPECT_EQ(Format("[%-5d]", {42}), "[42   ]");
  EXPECT_EQ(Format("[%.4d]", {42}), "[0042]");
  EXPECT_EQ(Format("[%.4d]", {-42}), "[-0042]");
  EXPECT_EQ(Format("[%6s]", {"ab"}), "[    ab]");
  EXPECT_EQ(Format("[%-6s]", {"ab"}), "[ab    ]");
  EXPECT_EQ(Format("[%.2s]", {"abcdef"}), "[ab]");
  EXPECT_EQ(Format("[%*d]", {4, 7}), "[   7]");
  EXPECT_EQ(Format("[%-*.*s]", {5, 2, "xyz"}), "[xy   ]");
  EXPECT_EQ(Format("[%1s]", {"long"}), "[long]");  // width never truncates
}

TEST(Format, ArgumentIndexes) {
  EXPECT_EQ(Format("%1:s %0:s", {"a", "b"}), "b a");
  EXPECT_EQ(Format("%0:s %s %0:s", {"a", "b"}), "a b a");
}

TEST(Format, OtherTypes) {
  EXPECT_EQ(Format("%x", {255}), "FF");
  EXPECT_EQ(Format("%.4x", {255}), "00FF");
  EXPECT_EQ(Format("%u", {-1}), "4294967295");
  EXPECT_EQ(Format("%.2f", {3.14159}), "3.14");
  EXPECT_EQ(Format("%f", {2}), "2.00");
  EXPECT_EQ(Format("%d", {static_cast<long long>(LLONG_MIN)}), "-9223372036854775808");
  EXPECT_EQ(Format("%d", {static_cast<unsigned>(4000000000u)}), "4000000000");
}

TEST(Format, HugeFloatsAreNotCut) {
  const std::string s = Format("%.600f", {1.0});
  EXPECT_EQ(s.size(), 602u);
  EXPECT_EQ(s.substr(0, 3), "1.0");
  EXPECT_EQ(Format("%.0f", {1e300}).size(), 301u);
}

TEST(Format, MismatchesAndBadSpecifiersRaise) {
  EXPECT_THROW(Format("%d", {"text"}), EConvertError);
  EXPECT_THROW(Format("%s", {5}), EConvertError);
  EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);
  EXPECT_THROW(Format("%", {}), EConvertError);
  EXPECT_THROW(Format("%q", {1}), EConvertError);
  EXPECT_THROW(Format("%5", {1}), EConvertError);
  EXPECT_THROW(Format("%3:s", {"a"}), EConvertError);
  EXPECT_THROW(Format("%999999999d", {1}), EConvertError);
  try {
    Format("%d", {"x"});
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Format '%d' invalid or incompatible with argument");
  }
}

TEST(IntConversion, IntToStr) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-17), "-17");
  EXPECT_EQ(IntToStr(INT_MAX), "2147483647");
  EXPECT_EQ(IntToStr(std::int64_t{1} << 40), "1099511627776");
}

TEST(IntConversion, StrToIntAcceptsDecimalsWithLeadingBlanks) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("204"), 204);
  EXPECT_EQ(StrToInt("   204"), 204);
  EXPECT_EQ(StrToInt("-5"), -5);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt("2147483647"), INT_MAX);
  EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
}

TEST(IntConversion, StrToIntRaisesOnAnythingElse) {
  for (const char* bad : {"", " ", "abc", "12a", "1 ", " 1 ", "0x10", "$10", "1.5", "1e3", "- 1", "--1", "+",
                          "2147483648", "-2147483649", "99999999999999999999", "\t1", "\xD9\xA1"}) {
    EXPECT_THROW(StrToInt(bad), EConvertError) << '"' << bad << '"';
  }
  try {
    StrToInt("abc");
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
}

TEST(IntConversion, StrToIntDefGivesTheDefaultInstead) {
  EXPECT_EQ(StrToIntDef("x", 9), 9);
  EXPECT_EQ(StrToIntDef(" 12", 9), 12);
  EXPECT_EQ(StrToIntDef("", -1), -1);
}

TEST(Trim, RemovesControlCharactersAndBlanksAtBothEnds) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\t\r\n a \x01\x1F"), "a");
  EXPECT_EQ(Trim(std::string("\0x\0", 3)), "x");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(TrimLeft("  a  "), "a  ");
  EXPECT_EQ(TrimRight("  a  "), "  a");
  // Bytes of UTF-8 sequences are above the blank and never trimmed.
  EXPECT_EQ(Trim("\xC2\xA0x\xC2\xA0"), "\xC2\xA0x\xC2\xA0");
}

TEST(Quoting, AnsiQuotedStrDoublesTheQuote) {
  EXPECT_EQ(AnsiQuotedStr("", '"'), "\"\"");
  EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
  EXPECT_EQ(AnsiQuotedStr("It's", '\''), "'It''s'");
}

TEST(Quoting, AnsiExtractQuotedStrReadsBackAndMovesThePosition) {
  std::size_t pos = 0;
  const std::string text = "\"a\"\"b\",rest";
  EXPECT_EQ(AnsiExtractQuotedStr(text, pos, '"'), "a\"b");
  EXPECT_EQ(pos, 6u);
  EXPECT_EQ(text.substr(pos), ",rest");
  // Unterminated: up to the end.
  pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr("\"open", pos, '"'), "open");
  EXPECT_EQ(pos, 5u);
  // Not starting with the quote: empty, position unchanged.
  pos = 1;
  EXPECT_EQ(AnsiExtractQuotedStr("x\"y\"", pos, '"'), "y");
  pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr("x\"y\"", pos, '"'), "");
  EXPECT_EQ(pos, 0u);
  EXPECT_EQ(AnsiExtractQuotedStr("'It''s' tail", '\''), "It's");
}

TEST(Quoting, RoundTripOfAnyText) {
  for (const std::string& s : std::vector<std::string>{"", "\"", "\"\"", "a\"", "\"a", "plain", "two words",
                                                       std::string("nul\0in", 6)}) {
    std::size_t pos = 0;
    const std::string q = AnsiQuotedStr(s, '"');
    EXPECT_EQ(AnsiExtractQuotedStr(q, pos, '"'), s);
    EXPECT_EQ(pos, q.size());
  }
}

TEST(Identifier, PascalStyleAsciiIdentifiers) {
  EXPECT_TRUE(IsValidIdent("a"));
  EXPECT_TRUE(IsValidIdent("_"));
  EXPECT_TRUE(IsValidIdent("btnOK_2"));
  EXPECT_FALSE(IsValidIdent(""));
  EXPECT_FALSE(IsValidIdent("2a"));
  EXPECT_FALSE(IsValidIdent("a.b"));
  EXPECT_FALSE(IsValidIdent("\xC3\xA4"));
}

TEST(Exceptions, CarryTheirMessage) {
  const EListError e("List index out of bounds (3)");
  const Exception& base = e;
  EXPECT_EQ(base.Message(), "List index out of bounds (3)");
  EXPECT_STREQ(static_cast<const std::exception&>(e).what(), "List index out of bounds (3)");
}
