// The text an INI file writes stays exactly the serialisation of its lines
// while writes replace lines with longer or shorter ones, append keys and
// sections, delete keys and erase sections between rewrites.
#include <gtest/gtest.h>

#include <string>

#include "host/core/IniFiles.h"

using namespace host;

namespace {

// The file's text built from its lines alone, without any cached text.
std::string FromLines(const TMemIniFile& ini) {
  TStringList lines;
  ini.GetStrings(&lines);
  return lines.Text();
}

TEST(IniTextCache, TextFollowsEveryKindOfChangeBetweenRewrites) {
  TMemIniFile ini("");
  ini.SetText("[A]\r\nk1=one\r\nk2=two\r\nk3=three\r\n\r\n[B]\r\nx=1\r\n");
  EXPECT_EQ(ini.Text(), FromLines(ini));
  ini.WriteString("A", "k2", "a much longer value than before");
  EXPECT_EQ(ini.Text(), FromLines(ini));
  ini.WriteString("a", "K1", "");
  EXPECT_EQ(ini.Text(), FromLines(ini));
  ini.WriteString("A", "k4", "appended");
  ini.WriteString("A", "k3", "3");
  EXPECT_EQ(ini.Text(), FromLines(ini));
  ini.WriteString("C", "new", "section");
  EXPECT_EQ(ini.Text(), FromLines(ini));
  ini.DeleteKey("A", "k2");
  ini.WriteString("A", "k4", "changed after a deletion");
  EXPECT_EQ(ini.Text(), FromLines(ini));
  ini.EraseSection("B");
  ini.WriteString("C", "new", "s");
  EXPECT_EQ(ini.Text(), FromLines(ini));
  EXPECT_EQ(ini.Text(), "[A]\r\nK1=\r\nk3=3\r\nk4=changed after a deletion\r\n\r\n[C]\r\nnew=s\r\n\r\n");
  ini.SetText("[Z]\r\nz=1\r\n");
  EXPECT_EQ(ini.Text(), "[Z]\r\nz=1\r\n\r\n");
  ini.Clear();
  EXPECT_EQ(ini.Text(), "");
}

TEST(IniTextCache, ManyWritesInPlaceKeepEveryLineWhereItWas) {
  TMemIniFile ini("");
  for (int i = 0; i < 200; ++i) ini.WriteString("S", "key" + std::to_string(i), std::to_string(i));
  ASSERT_EQ(ini.Text(), FromLines(ini));
  for (int i = 199; i >= 0; i -= 3) ini.WriteString("S", "KEY" + std::to_string(i), std::string(i % 7, 'v'));
  EXPECT_EQ(ini.Text(), FromLines(ini));
  EXPECT_EQ(ini.ReadString("S", "key10", "?"), "vvv");
  EXPECT_EQ(ini.ReadString("S", "key14", "?"), "14");
  EXPECT_EQ(ini.ReadString("S", "key13", "?"), "vvvvvv");
}

}  // namespace
