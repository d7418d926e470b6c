// Comma text, the one-value form of a list: writing quotes what needs it,
// reading skips blanks, honours quotes and the trailing comma.
#include <gtest/gtest.h>

#include <random>

#include "host/core/Strings.h"

using namespace host;

namespace {
using V = std::vector<std::string>;
V Read(std::string_view text) {
  TStringList s;
  s.SetCommaText(text);
  V out;
  for (int i = 0; i < s.Count(); ++i) out.push_back(s.Get(i));
  return out;
}
std::string Write(const V& items) {
  TStringList s;
  for (const auto& i : items) s.Add(i);
  return s.CommaText();
}
}  // namespace

TEST(CommaTextWrite, PlainItemsJoinedWithoutBlanks) {
  EXPECT_EQ(Write({"Red", "Green", "Blue"}), "Red,Green,Blue");
  EXPECT_EQ(Write({"one"}), "one");
  EXPECT_EQ(Write({}), "");
}

TEST(CommaTextWrite, QuotesItemsWithBlanksControlsQuotesOrCommas) {
  EXPECT_EQ(Write({"OK Cancel", "Hint", ""}), "\"OK Cancel\",Hint,");
  EXPECT_EQ(Write({"a,b"}), "\"a,b\"");
  EXPECT_EQ(Write({"say \"hi\""}), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(Write({"x\"y"}), "\"x\"\"y\"");
  EXPECT_EQ(Write({"tab\there"}), "\"tab\there\"");
  EXPECT_EQ(Write({"line\r\nbreak"}), "\"line\r\nbreak\"");
  EXPECT_EQ(Write({std::string(1, '\x1F')}), "\"\x1F\"");
  EXPECT_EQ(Write({"!"}), "!");  // code 33 is no blank
  // Letters beyond ASCII need no quotes.
  EXPECT_EQ(Write({"\xD0\x94\xD0\xB0", "\xC3\x84"}), "\xD0\x94\xD0\xB0,\xC3\x84");
}

TEST(CommaTextWrite, EmptyItems) {
  EXPECT_EQ(Write({""}), "\"\"");
  EXPECT_EQ(Write({"", ""}), ",");
  EXPECT_EQ(Write({"a", "", "b"}), "a,,b");
  EXPECT_EQ(Write({"", "a"}), ",a");
}

TEST(CommaTextRead, PlainAndQuotedItems) {
  EXPECT_EQ(Read("Red,Green,Blue"), (V{"Red", "Green", "Blue"}));
  EXPECT_EQ(Read("\"OK Cancel\",Hint,"), (V{"OK Cancel", "Hint", ""}));
  EXPECT_EQ(Read("\"a,b\",c"), (V{"a,b", "c"}));
  EXPECT_EQ(Read("\"say \"\"hi\"\"\""), (V{"say \"hi\""}));
  EXPECT_EQ(Read("\"\""), (V{""}));
  EXPECT_EQ(Read(""), V{});
}

TEST(CommaTextRead, BlanksAroundItemsAreSkipped) {
  EXPECT_EQ(Read("  a ,  b  "), (V{"a", "b"}));
  EXPECT_EQ(Read("\t\r\na,\x01\x1F" "b"), (V{"a", "b"}));
  EXPECT_EQ(Read("   "), V{});
  EXPECT_EQ(Read(" \"x y\" , z"), (V{"x y", "z"}));
}

TEST(CommaTextRead, AnUnquotedBlankEndsAnItem) {
  EXPECT_EQ(Read("a b"), (V{"a", "b"}));
  EXPECT_EQ(Read("OK Cancel,Hint"), (V{"OK", "Cancel", "Hint"}));
  EXPECT_EQ(Read("a\tb"), (V{"a", "b"}));
}

TEST(CommaTextRead, TwoCommasYieldAnEmptyItem) {
  EXPECT_EQ(Read("a,,b"), (V{"a", "", "b"}));
  EXPECT_EQ(Read(",a"), (V{"", "a"}));
  EXPECT_EQ(Read("a, ,b"), (V{"a", "", "b"}));
}

TEST(CommaTextRead, TrailingCommaAddsAnItemOnlyAsTheVeryLastCharacter) {
  EXPECT_EQ(Read("a,"), (V{"a", ""}));
  EXPECT_EQ(Read("a, "), (V{"a"}));
  EXPECT_EQ(Read(","), (V{"", ""}));
  EXPECT_EQ(Read("a,,"), (V{"a", "", ""}));
}

TEST(CommaTextRead, QuotedItemEndsAtItsClosingQuote) {
  EXPECT_EQ(Read("\"ab\"cd"), (V{"ab", "cd"}));
  EXPECT_EQ(Read("\"unterminated, still"), (V{"unterminated, still"}));
  EXPECT_EQ(Read("x\"y\""), (V{"x\"y\""}));  // a quote inside a plain item is a character
}

TEST(CommaTextRead, NulIsABlankOutsideQuotesAndAByteInside) {
  EXPECT_EQ(Read(std::string_view("a,b\0,c", 6)), (V{"a", "b", "c"}));
  EXPECT_EQ(Read(std::string_view("\0a", 2)), V{"a"});
  EXPECT_EQ(Read(std::string_view("\"x\0y\",z", 8)), (V{std::string("x\0y", 3), "z"}));
  // A list item holding a NUL is written quoted and read back whole, with
  // the items after it.
  const V items{"Red", std::string("Gr\0een", 6), "Blue"};
  EXPECT_EQ(Read(Write(items)), items);
}

TEST(CommaTextRead, ReplacesTheWholeList) {
  TStringList s;
  s.Add("old1");
  s.Add("old2");
  s.SetCommaText("new");
  EXPECT_EQ(s.Count(), 1);
  EXPECT_EQ(s.Get(0), "new");
  s.SetCommaText("");
  EXPECT_EQ(s.Count(), 0);
}

TEST(CommaTextRoundTrip, AnyListOfItemsWithoutNulSurvives) {
  // Random lists over the characters that matter to the rules: blanks,
  // controls, quotes, commas, letters and UTF-8 bytes.
  const std::string alphabet = std::string(" \t\r\n\x01\x1F\",a=Z#") + "\xC3\xA4\xFF";
  std::mt19937 rng(42);
  for (int round = 0; round < 2000; ++round) {
    V items(rng() % 5);
    for (auto& item : items) {
      const int n = static_cast<int>(rng() % 5);
      for (int k = 0; k < n; ++k) item.push_back(alphabet[rng() % alphabet.size()]);
    }
    // Only the empty list and the list of one empty item look alike to
    // nobody: both have their own form.
    EXPECT_EQ(Read(Write(items)), items) << Write(items);
  }
}
