// The one case-insensitive comparison: ASCII, Latin, Greek and Cyrillic
// letters of UTF-8 fold alike; everything else compares byte for byte.
#include <gtest/gtest.h>

#include <random>

#include "host/core/CaseFold.h"
#include "host/core/SysUtils.h"

using namespace host;

TEST(CaseFold, AsciiLetters) {
  EXPECT_TRUE(SameText("Caption", "cAPTION"));
  EXPECT_FALSE(SameText("Caption", "Captio"));
  EXPECT_FALSE(SameText("a", "b"));
  EXPECT_EQ(FoldCase("Hello World_09[]"), "hello world_09[]");
  EXPECT_EQ(UpperCase("Hello World_09[]"), "HELLO WORLD_09[]");
  // Characters next to the letters are not letters.
  EXPECT_FALSE(SameText("@", "`"));
  EXPECT_FALSE(SameText("[", "{"));
}

TEST(CaseFold, LatinLetters) {
  EXPECT_TRUE(SameText("\xC3\x84rger", "\xC3\xA4RGER"));  // Ärger
  EXPECT_TRUE(SameText("\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89"));  // Été
  EXPECT_TRUE(SameText("\xC5\x81\xC3\xB3" "d\xC5\xBA", "\xC5\x82\xC3\x93" "D\xC5\xB9"));  // Łódź
  EXPECT_TRUE(SameText("\xC5\xB8", "\xC3\xBF"));  // Ÿ ÿ
  EXPECT_TRUE(SameText("\xC4\x8C", "\xC4\x8D"));  // Č č
  EXPECT_TRUE(SameText("\xC5\x90", "\xC5\x91"));  // Ő ő
  // The multiplication and division signs are no letters.
  EXPECT_FALSE(SameText("\xC3\x97", "\xC3\xB7"));
  EXPECT_EQ(UpperCase("stra\xC3\x9F" "e"), "STRA\xC3\x9F" "E");  // ß stays
}

TEST(CaseFold, GreekLetters) {
  EXPECT_TRUE(SameText("\xCE\x91\xCE\x92\xCE\x93", "\xCE\xB1\xCE\xB2\xCE\xB3"));  // ΑΒΓ αβγ
  EXPECT_TRUE(SameText("\xCE\x86", "\xCE\xAC"));                                  // Ά ά
  EXPECT_TRUE(SameText("\xCE\x8F", "\xCF\x8E"));                                  // Ώ ώ
  EXPECT_TRUE(SameText("\xCE\xAA", "\xCF\x8A"));                                  // Ϊ ϊ
  EXPECT_TRUE(SameText("\xCE\xAB", "\xCF\x8B"));                                  // Ϋ ϋ
  // Final sigma and sigma fold alike.
  EXPECT_TRUE(SameText("\xCF\x82", "\xCF\x83"));
  EXPECT_TRUE(SameText("\xCE\xA3", "\xCF\x82"));
  EXPECT_EQ(UpperCase("\xCF\x8A"), "\xCE\xAA");
}

TEST(CaseFold, CyrillicLetters) {
  EXPECT_TRUE(SameText("\xD0\x96\xD1\x83\xD0\xBA", "\xD0\xB6\xD0\xA3\xD0\x9A"));  // Жук жУК
  EXPECT_TRUE(SameText("\xD0\x81", "\xD1\x91"));                                  // Ё ё
  EXPECT_TRUE(SameText("\xD0\x87", "\xD1\x97"));                                  // Ї ї
  EXPECT_TRUE(SameText("\xD2\x90", "\xD2\x91"));                                  // Ґ ґ
  EXPECT_TRUE(SameText("\xD3\x98", "\xD3\x99"));                                  // Ә ә
  EXPECT_TRUE(SameText("\xD3\xA8", "\xD3\xA9"));                                  // Ө ө
  EXPECT_TRUE(SameText("\xD3\x80", "\xD3\x8F"));                                  // Ӏ ӏ
  EXPECT_EQ(UpperCase("\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"),
            "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2");  // привет
}

TEST(CaseFold, InvalidUtf8IsKeptAndComparedExactly) {
  const std::string bad = "A\xFF\xC3(\xE2\x82";
  EXPECT_EQ(FoldCase(bad), "a\xFF\xC3(\xE2\x82");
  EXPECT_TRUE(SameText(bad, "a\xFF\xC3(\xE2\x82"));
  EXPECT_FALSE(SameText(bad, "a\xFE\xC3(\xE2\x82"));
  // An overlong form of "A" is not the letter A.
  EXPECT_FALSE(SameText("\xC1\x81", "a"));
  EXPECT_FALSE(SameText("\xC1\x81", "A"));
  // A lone lead byte before a real letter does not swallow it.
  EXPECT_TRUE(SameText("\xC3" "A", "\xC3" "a"));
}

TEST(CaseFold, FoldingKeepsByteLength) {
  const std::string all = "AZaz\xC3\x80\xC3\x9E\xC4\x80\xC5\xBD\xCE\x86\xCE\xA9\xD0\x80\xD0\xAF\xD2\x90\xD3\xBE";
  EXPECT_EQ(FoldCase(all).size(), all.size());
  EXPECT_EQ(UpperCase(all).size(), all.size());
}

TEST(CaseFold, CompareTextOrdersIgnoringCase) {
  EXPECT_EQ(CompareText("apple", "APPLE"), 0);
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareText("Banana", "apple"), 0);
  EXPECT_LT(CompareText("ab", "ABC"), 0);
  EXPECT_GT(CompareText("abc", "AB"), 0);
  EXPECT_EQ(CompareText("", ""), 0);
  EXPECT_LT(CompareText("", "a"), 0);
  EXPECT_LT(CompareText("\xD0\x90", "\xD0\xB1"), 0);  // А before б
}

TEST(CaseFold, SameTextHashAndFoldAgreeOnRandomTexts) {
  // Equal ignoring case exactly when the folds are equal, and then the
  // hashes agree too (the look-up tables rely on it).
  std::mt19937 rng(1234);
  const std::vector<std::string> pieces{"a",        "A",        "z",        "Z",        "\xC3\x84", "\xC3\xA4",
                                        "\xCE\xA3", "\xCF\x82", "\xCF\x83", "\xD0\x96", "\xD0\xB6", "\xFF",
                                        "\xC3",     "=",        " ",        "\x80",     "\xD3\x80", "\xD3\x8F"};
  TextHash hash;
  for (int round = 0; round < 3000; ++round) {
    std::string a, b;
    const int n = static_cast<int>(rng() % 6);
    for (int i = 0; i < n; ++i) {
      const std::size_t k = rng() % pieces.size();
      a += pieces[k];
      // b takes the same piece or a random one.
      b += (rng() % 3 == 0) ? pieces[rng() % pieces.size()] : pieces[k];
    }
    const bool same = SameText(a, b);
    EXPECT_EQ(same, FoldCase(a) == FoldCase(b)) << a << " / " << b;
    EXPECT_EQ(same, CompareText(a, b) == 0) << a << " / " << b;
    if (same) {
      EXPECT_EQ(hash(a), hash(b)) << a << " / " << b;
    }
    EXPECT_EQ(CompareText(a, b), -CompareText(b, a));
  }
}

TEST(CaseFold, HashReadsOnlyTheTextsOwnBytes) {
  // Alike whatever bytes follow the text; every byte of it counts.
  TextHash hash;
  for (std::size_t n = 0; n <= 40; ++n) {
    const std::string text = std::string("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOP").substr(0, n);
    ASSERT_EQ(hash(std::string_view(text + "QQQQQQQQ").substr(0, n)), hash(text)) << n;
    for (std::size_t i = 0; i < n; ++i) EXPECT_NE(hash(std::string(text).replace(i, 1, "!")), hash(text)) << n;
  }
}

TEST(CaseFold, AnsiCaseFunctionsUseTheSameFold) {
  EXPECT_EQ(AnsiUpperCase("\xC3\xA4" "bc\xD0\xB6"), "\xC3\x84" "BC\xD0\x96");
  EXPECT_EQ(AnsiLowerCase("\xC3\x84" "BC\xD0\x96"), "\xC3\xA4" "bc\xD0\xB6");
}
