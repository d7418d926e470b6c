// The value codec: the encoding and decoding tables, tolerance of
// hand-edited values, and round trips of arbitrary bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "runtime/AmbitUtils.h"

using ambit::ExtractQuotedString;
using ambit::GetDecodedString;
using ambit::GetEncodedString;

namespace {

std::string Enc(std::string_view s) { return GetEncodedString(s, '"', '#'); }
std::string Dec(std::string_view s) { return GetDecodedString(s, '"', '#'); }

struct Pair {
  std::string Text;
  std::string Encoded;
};

}  // namespace

TEST(CodecEncode, MatchesTheTableOfExamples) {
  const Pair table[] = {
      {"OK", R"("OK")"},
      {"", R"("")"},
      {"OK#Cancel", R"("OK#Cancel")"},
      {R"(Hint "OK")", R"("Hint ""OK""")"},
      {"OK\r\nCancel", R"("OK"#13#10"Cancel")"},
      {"\tOK", R"(""#9"OK")"},
      {"OK\n", R"("OK"#10"")"},
      {"\r\n", R"(""#13#10"")"},
      {R"(Hint "#" OK)", R"("Hint ""#"" OK")"},
  };
  for (const auto& p : table) EXPECT_EQ(Enc(p.Text), p.Encoded) << "text: " << p.Text;
}

TEST(CodecEncode, WritesEveryControlCodeAsDecimalAndNothingElse) {
  EXPECT_EQ(Enc(std::string(1, '\0')), R"(""#0"")");
  EXPECT_EQ(Enc("\x1f"), R"(""#31"")");
  // 127 and the bytes of UTF-8 sequences stay as they are.
  EXPECT_EQ(Enc("\x7f"), "\"\x7f\"");
  EXPECT_EQ(Enc("Ж\xff"), "\"Ж\xff\"");
  EXPECT_EQ(Enc("a\x01\x02z"), R"("a"#1#2"z")");
}

TEST(CodecEncode, UsesTheGivenQuoteAndEscape) {
  EXPECT_EQ(GetEncodedString("it's\n", '\'', '^'), "'it''s'^10''");
}

TEST(CodecDecode, MatchesTheTableOfExamples) {
  const Pair table[] = {
      {"OK\r\nCancel", R"("OK"#13#10"Cancel")"},
      {"Hint", "Hint"},
      {"Hint", R"("Hint)"},
      {"Hint", R"("Hint"Caption)"},
      {"OK\nCancel", R"("OK"#x#10"Cancel")"},
      {"OK13", R"("OK"#13)"},
      {R"(OK"#)", R"("OK""#")"},
      {"", R"("")"},
      {"\r\n", R"(""#13#10"")"},
  };
  for (const auto& p : table) EXPECT_EQ(Dec(p.Encoded), p.Text) << "stored: " << p.Encoded;
}

TEST(CodecDecode, ToleratesHandEditedValues) {
  // Not beginning with the quote: returned unchanged.
  EXPECT_EQ(Dec(R"(#13"OK")"), R"(#13"OK")");
  EXPECT_EQ(Dec("\""), "\"");
  EXPECT_EQ(Dec(""), "");
  // A trailing blank spoils a code, a leading blank does not.
  EXPECT_EQ(Dec(R"("OK"#13 #10"Cancel")"), "OK\nCancel");
  EXPECT_EQ(Dec(R"("OK"# 13"Cancel")"), "OK\rCancel");
  // Codes above 255 give their low eight bits; an empty code gives nothing.
  EXPECT_EQ(Dec(R"("A"#269"B")"), "A\rB");
  EXPECT_EQ(Dec(R"("A"#"B")"), "AB");
  EXPECT_EQ(Dec(R"("A"##10"B")"), "A\nB");
  EXPECT_EQ(Dec(R"("A"#99999999999"B")"), "AB");
  // Control characters typed inside quotes are taken as they are.
  EXPECT_EQ(Dec("\"a\tb\""), "a\tb");
}

TEST(CodecExtractQuoted, UnquotesOrReturnsUnchanged) {
  EXPECT_EQ(ExtractQuotedString(R"("OK")", '"'), "OK");
  EXPECT_EQ(ExtractQuotedString(R"("a""b"rest)", '"'), "a\"b");
  EXPECT_EQ(ExtractQuotedString(R"("open)", '"'), "open");
  EXPECT_EQ(ExtractQuotedString("plain", '"'), "plain");
  EXPECT_EQ(ExtractQuotedString("\"", '"'), "\"");
}

TEST(CodecRoundTrip, DecodeOfEncodeIsTheIdentityForSpecialTexts) {
  const std::string texts[] = {"",      "\"",        "#",          "\"#",         "#\"",         "\"\"##",
                               "\r\n",  "\"\r\n#",   "a\"#13\"b",  "Привет\r\n", "日本語\t\"#", std::string(3, '\0'),
                               "\x7f",  "\x1f\"\x1f", "#13#10",    "\"OK\"#13"};
  for (const auto& t : texts) EXPECT_EQ(Dec(Enc(t)), t) << "text: " << t;
}

TEST(CodecRoundTrip, DecodeOfEncodeIsTheIdentityForRandomBytes) {
  std::mt19937 rng(20240611);
  // Biased towards the characters the codec treats specially.
  const std::string special = std::string("\"#\r\n\t\x01 ,=") + std::string(1, '\0');
  for (int n = 0; n < 3000; ++n) {
    std::string text;
    const int len = static_cast<int>(rng() % 40);
    for (int i = 0; i < len; ++i) {
      if (rng() % 2)
        text.push_back(special[rng() % special.size()]);
      else
        text.push_back(static_cast<char>(rng() % 256));
    }
    const std::string encoded = Enc(text);
    ASSERT_EQ(Dec(encoded), text) << "encoded: " << encoded;
    // Telling an encoding without building one agrees with building it, also
    // for the encoding cut, grown or changed by a byte, and for another text's.
    std::string other = rng() % 4 ? encoded : Enc(text.substr(0, text.size() / 2) + "#\r");
    const std::size_t at = other.empty() ? 0 : rng() % other.size();
    const unsigned change = rng() % 4;
    if (change == 1) other.erase(at, 1);
    if (change == 2) other.insert(at, 1, special[rng() % special.size()]);
    if (change == 3) other[at] = special[rng() % special.size()];
    ASSERT_EQ(ambit::IsEncodingOf(text, other, '"', '#'), other == encoded) << "other: " << other;
    // Always one line that begins and ends with the quote.
    ASSERT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
    ASSERT_EQ(encoded.front(), '"');
    ASSERT_EQ(encoded.back(), '"');
  }
}
