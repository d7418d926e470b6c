// Bad input never crashes the INI reader and never loses what was read
// before it: malformed lines, NUL bytes, invalid UTF-8, very long lines.
#include <gtest/gtest.h>

#include <random>

#include "host/core/IniFiles.h"
#include "tests/host/core/IniTestUtil.h"

using namespace host;
using namespace hosttest;

TEST(IniBadInput, MalformedLinesAreKeptAsTheyCome) {
  TMemIniFile ini("");
  ini.SetText("[Good]\na=1\n[unclosed\n]\n[\n==\n=\n[x]]\nb=2\n");
  // "[unclosed", "]" and "[" are no headers: plain lines of [Good].
  EXPECT_EQ(ini.ReadString("Good", "a", ""), "1");
  EXPECT_EQ(ini.ReadString("Good", "", "none"), "=");  // "==" is key "" and value "="
  EXPECT_EQ(ini.ReadString("x]", "b", ""), "2");       // "[x]]" names "x]"
  TMemIniFile again("");
  again.SetText(ini.Text());
  EXPECT_EQ(again.Text(), ini.Text());
}

TEST(IniBadInput, NulBytesAreOrdinaryCharactersInsideLines) {
  const std::string text = Bytes("[S]\na=x\0y\nb=2\n[T\0U]\nc=3\n");
  TMemIniFile ini("");
  ini.SetText(text);
  EXPECT_EQ(ini.ReadString("S", "a", ""), Bytes("x\0y"));
  EXPECT_EQ(ini.ReadString("S", "b", ""), "2");
  EXPECT_EQ(ini.ReadString(Bytes("T\0U"), "c", ""), "3");
  // A NUL at a line's edge is trimmed like any control character.
  ini.SetText(Bytes("[S]\n\0k=v\0\n"));
  EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
}

TEST(IniBadInput, InvalidUtf8IsKeptByteForByte) {
  TMemIniFile ini("");
  ini.SetText("[S\xFF]\n\xC3(=\xE2\x82\n\xC0\xAF=1\n");
  EXPECT_EQ(ini.ReadString("S\xFF", "\xC3(", ""), "\xE2\x82");
  EXPECT_EQ(ini.ReadString("s\xFF", "\xC0\xAF", ""), "1");
  EXPECT_EQ(ini.Text(), "[S\xFF]\r\n\xC3(=\xE2\x82\r\n\xC0\xAF=1\r\n\r\n");
}

TEST(IniBadInput, VeryLongLinesAndManyKeys) {
  const std::string big(1 << 20, 'v');
  std::string text = "[S]\nfirst=1\nlong=" + big + "\n";
  for (int i = 0; i < 5000; ++i) text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  TMemIniFile ini("");
  ini.SetText(text);
  EXPECT_EQ(ini.ReadString("S", "first", ""), "1");
  EXPECT_EQ(ini.ReadString("S", "long", "").size(), big.size());
  EXPECT_EQ(ini.ReadString("S", "K4999", ""), "4999");
  const std::string longKey(1 << 20, 'k');
  ini.SetText("[" + std::string(1 << 20, 's') + "]\n" + longKey + "=x\n");
  EXPECT_EQ(ini.ReadString(std::string(1 << 20, 'S'), longKey, ""), "x");
}

TEST(IniBadInput, TruncatedFileKeepsEverythingBeforeTheCut) {
  const std::string full = "[A]\r\na=1\r\nb=2\r\n\r\n[B]\r\nc=3\r\n\r\n";
  TMemIniFile whole("");
  whole.SetText(full);
  for (std::size_t cut = 0; cut <= full.size(); ++cut) {
    TMemIniFile part("");
    part.SetText(full.substr(0, cut));
    // Every complete line before the cut reads as in the whole file.
    const std::string before = full.substr(0, full.rfind('\n', cut == 0 ? 0 : cut - 1) + 1);
    TMemIniFile lines("");
    lines.SetText(before);
    TStringList sections;
    lines.ReadSections(&sections);
    for (int s = 0; s < sections.Count(); ++s) {
      TStringList keys;
      lines.ReadSection(sections[s], &keys);
      for (int k = 0; k < keys.Count(); ++k)
        EXPECT_EQ(part.ReadString(sections[s], keys[k], "?"), whole.ReadString(sections[s], keys[k], "!"))
            << "cut at " << cut;
    }
  }
}

TEST(IniBadInput, RandomBytesNeverCrashAndRewriteIsStable) {
  std::mt19937 rng(99);
  const std::string alphabet = Bytes("[]=;\r\n \t\"#ab\0\xFF\xC3");
  for (int round = 0; round < 500; ++round) {
    std::string text;
    const int n = static_cast<int>(rng() % 200);
    for (int i = 0; i < n; ++i) text.push_back(alphabet[rng() % alphabet.size()]);
    TMemIniFile ini("");
    ini.SetText(text);
    // What the file writes reads back to the same content.
    TMemIniFile again("");
    again.SetText(ini.Text());
    ASSERT_EQ(again.Text(), ini.Text()) << "round " << round;
  }
}

TEST(IniBadInput, BadFileOnDiskLoadsLikeTheSameText) {
  TempFolder dir;
  const std::string path = dir / "bad.ini";
  const std::string text = Bytes("\xEF\xBB\xBF[S]\r\nk=a\0\xFF\r\n[T\r\nx");
  WriteFile(path, text);
  TMemIniFile fromFile(path);
  TMemIniFile fromText("");
  fromText.SetText(text);
  EXPECT_EQ(fromFile.Text(), fromText.Text());
  EXPECT_EQ(fromFile.ReadString("S", "k", ""), Bytes("a\0\xFF"));
}
