// TMemIniFile: the reading rules (trim, comments, sections, blanks around
// "=", first duplicate wins) and the writing rules (file order, replace in
// place, append, CR LF layout).
#include <gtest/gtest.h>

#include "host/core/IniFiles.h"
#include "tests/host/core/IniTestUtil.h"

using namespace host;
using namespace hosttest;

namespace {
using V = std::vector<std::string>;
V Lines(const TStrings& s) {
  V out;
  for (int i = 0; i < s.Count(); ++i) out.push_back(s.Get(i));
  return out;
}
V Sections(TMemIniFile& ini) {
  TStringList s;
  ini.ReadSections(&s);
  return Lines(s);
}
V Keys(TMemIniFile& ini, std::string_view section) {
  TStringList s;
  ini.ReadSection(section, &s);
  return Lines(s);
}
V SectionValues(TMemIniFile& ini, std::string_view section) {
  TStringList s;
  ini.ReadSectionValues(section, &s);
  return Lines(s);
}
}  // namespace

TEST(IniRead, LinesAreTrimmedAndBlanksAroundTheFirstEqualsGo) {
  TMemIniFile ini("");
  ini.SetText("[Form]\r\n  btnOK.Caption  =  \"OK\"  \r\n\ta = b = c \r\n");
  EXPECT_EQ(ini.ReadString("Form", "btnOK.Caption", "?"), "\"OK\"");
  EXPECT_EQ(ini.ReadString("Form", "a", "?"), "b = c");
  EXPECT_EQ(SectionValues(ini, "Form"), (V{"btnOK.Caption=\"OK\"", "a=b = c"}));
}

TEST(IniRead, CommentsAndEmptyLinesAreSkipped) {
  TMemIniFile ini("");
  ini.SetText("[S]\n; a comment\n   ;indented comment\n\n   \nk=v\n#not a comment=1\n");
  EXPECT_EQ(Keys(ini, "S"), (V{"k", "#not a comment"}));
}

TEST(IniRead, SectionHeadersAreTrimmedInsideAndOut) {
  TMemIniFile ini("");
  ini.SetText("  [  General Settings  ]  \nLanguageName=x\n[]\ne=1\n[a]b\n");
  EXPECT_EQ(Sections(ini), (V{"General Settings", ""}));
  EXPECT_EQ(ini.ReadString("general settings", "languagename", ""), "x");
  EXPECT_EQ(ini.ReadString("", "e", ""), "1");
  // "[a]b" does not end with "]": an ordinary line of the current section.
  EXPECT_EQ(Keys(ini, ""), (V{"e", ""}));
}

TEST(IniRead, LinesBeforeTheFirstSectionAreIgnoredButWrittenBack) {
  TMemIniFile ini("");
  ini.SetText("orphan=1\nother\n[S]\nk=v\n");
  EXPECT_EQ(Sections(ini), (V{"S"}));
  EXPECT_EQ(ini.ReadString("S", "orphan", "none"), "none");
  EXPECT_EQ(ini.Text(), "orphan=1\nother\n[S]\r\nk=v\r\n\r\n");
}

TEST(IniRead, SectionsAndKeysIgnoreCase) {
  TMemIniFile ini("");
  ini.SetText("[fmMain]\nbtnOK.Caption=OK\n[\xD0\xA4\xD0\xBE\xD1\x80\xD0\xBC\xD0\xB0]\n\xC3\x84=1\n");
  EXPECT_EQ(ini.ReadString("FMMAIN", "BTNOK.caption", ""), "OK");
  EXPECT_EQ(ini.ReadString("\xD1\x84\xD0\x9E\xD0\xA0\xD0\x9C\xD0\x90", "\xC3\xA4", ""), "1");  // ФОРМА, ä
  EXPECT_TRUE(ini.SectionExists("fmmain"));
  EXPECT_TRUE(ini.ValueExists("FmMain", "btnok.CAPTION"));
  EXPECT_FALSE(ini.ValueExists("fmMain", "btnOK"));
}

TEST(IniRead, FirstDuplicateKeyWins) {
  TMemIniFile ini("");
  ini.SetText("[S]\nk=first\nK=second\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "first");
  ini.WriteString("S", "K", "new");
  EXPECT_EQ(SectionValues(ini, "S"), (V{"K=new", "K=second"}));
}

TEST(IniRead, DuplicateSectionIsHiddenFromLookUpsButKeptOnRewrite) {
  TMemIniFile ini("");
  ini.SetText("[S]\na=1\n[T]\nt=1\n[s]\na=2\nb=3\n");
  EXPECT_EQ(ini.ReadString("S", "a", ""), "1");
  EXPECT_EQ(ini.ReadString("S", "b", "none"), "none");
  EXPECT_EQ(Keys(ini, "S"), (V{"a"}));
  EXPECT_EQ(Sections(ini), (V{"S", "T", "s"}));
  EXPECT_EQ(ini.Text(), "[S]\r\na=1\r\n\r\n[T]\r\nt=1\r\n\r\n[s]\r\na=2\r\nb=3\r\n\r\n");
}

TEST(IniRead, MissingDataGivesTheDefault) {
  TMemIniFile ini("");
  ini.SetText("[S]\nk=v\nempty=\nplain\n");
  EXPECT_EQ(ini.ReadString("S", "missing", "def"), "def");
  EXPECT_EQ(ini.ReadString("Nope", "k", "def"), "def");
  EXPECT_EQ(ini.ReadString("S", "empty", "def"), "");  // present, empty
  EXPECT_EQ(ini.ReadString("S", "plain", "def"), "def");  // no "=": no key
  EXPECT_EQ(Keys(ini, "Nope"), V{});
  EXPECT_EQ(SectionValues(ini, "Nope"), V{});
}

TEST(IniRead, ALineWithoutEqualsHasAnEmptyKey) {
  TMemIniFile ini("");
  ini.SetText("[S]\nplain\nk=v\n");
  EXPECT_EQ(Keys(ini, "S"), (V{"", "k"}));
  EXPECT_EQ(SectionValues(ini, "S"), (V{"plain", "k=v"}));
}

TEST(IniRead, AcceptsAnyLineEndAndAByteOrderMark) {
  TMemIniFile ini("");
  ini.SetText("\xEF\xBB\xBF[A]\rk=1\n[B]\r\nk=2");
  EXPECT_EQ(Sections(ini), (V{"A", "B"}));
  EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
  EXPECT_EQ(ini.ReadString("B", "k", ""), "2");
}

TEST(IniRead, ResultListsAreReplacedNotAppended) {
  TMemIniFile ini("");
  ini.SetText("[S]\nk=v\n");
  TStringList out;
  out.Add("stale");
  ini.ReadSection("S", &out);
  EXPECT_EQ(Lines(out), (V{"k"}));
  ini.ReadSections(&out);
  EXPECT_EQ(Lines(out), (V{"S"}));
  ini.ReadSectionValues("S", &out);
  EXPECT_EQ(Lines(out), (V{"k=v"}));
  ini.ReadSection("S", nullptr);  // no list: nothing happens
}

TEST(IniWrite, ExistingKeyIsReplacedInPlace) {
  TMemIniFile ini("");
  ini.SetText("[S]\na=1\nb=2\nc=3\n");
  ini.WriteString("S", "B", "two");
  EXPECT_EQ(SectionValues(ini, "S"), (V{"a=1", "B=two", "c=3"}));
}

TEST(IniWrite, NewKeyIsAppendedToItsSectionAndNewSectionAtTheEnd) {
  TMemIniFile ini("");
  ini.SetText("[A]\nx=1\n[B]\ny=2\n");
  ini.WriteString("a", "z", "3");
  ini.WriteString("C", "w", "4");
  EXPECT_EQ(ini.Text(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n\r\n");
}

TEST(IniWrite, LayoutIsHeaderLinesAndOneEmptyLinePerSection) {
  TMemIniFile ini("");
  ini.WriteString("General Settings", "LanguageName", "\"Russian\"");
  ini.WriteString("General Settings", "BiDiMode", "\"0\"");
  ini.WriteString("fmAddLanguage", "Caption", "\"Add Language\"");
  ini.WriteString("Empty", "k", "v");
  ini.DeleteKey("Empty", "k");
  EXPECT_EQ(ini.Text(),
            "[General Settings]\r\nLanguageName=\"Russian\"\r\nBiDiMode=\"0\"\r\n\r\n"
            "[fmAddLanguage]\r\nCaption=\"Add Language\"\r\n\r\n"
            "[Empty]\r\n\r\n");
  TStringList lines;
  ini.GetStrings(&lines);
  EXPECT_EQ(lines.Text(), ini.Text());
}

TEST(IniWrite, TextReadsBackToTheSameContent) {
  TMemIniFile a("");
  a.WriteString("S", "k", "v");
  a.WriteString("S", "e", "");
  a.WriteString("T", "x", "a = b");
  TMemIniFile b("");
  b.SetText(a.Text());
  EXPECT_EQ(b.Text(), a.Text());
  TStringList lines;
  a.GetStrings(&lines);
  TMemIniFile c("");
  c.SetStrings(&lines);
  EXPECT_EQ(c.Text(), a.Text());
}

TEST(IniWrite, IntegersAndBooleans) {
  TMemIniFile ini("");
  ini.WriteInteger("S", "n", -42);
  ini.WriteBool("S", "b", true);
  EXPECT_EQ(ini.ReadString("S", "n", ""), "-42");
  EXPECT_EQ(ini.ReadInteger("S", "n", 0), -42);
  EXPECT_TRUE(ini.ReadBool("S", "b", false));
  ini.WriteString("S", "bad", "12x");
  EXPECT_EQ(ini.ReadInteger("S", "bad", 7), 7);
  EXPECT_EQ(ini.ReadInteger("S", "missing", 8), 8);
  EXPECT_FALSE(ini.ReadBool("S", "missing", false));
}

TEST(IniErase, EraseSectionAndDeleteKey) {
  TMemIniFile ini("");
  ini.SetText("[A]\na=1\nb=2\n[B]\nc=3\n");
  ini.DeleteKey("a", "A");
  EXPECT_EQ(Keys(ini, "A"), (V{"b"}));
  ini.DeleteKey("A", "missing");
  ini.DeleteKey("Missing", "b");
  ini.EraseSection("b");
  EXPECT_EQ(Sections(ini), (V{"A"}));
  EXPECT_FALSE(ini.SectionExists("B"));
  ini.EraseSection("NoSuch");
  EXPECT_EQ(Sections(ini), (V{"A"}));
  ini.WriteString("B", "new", "1");
  EXPECT_EQ(Sections(ini), (V{"A", "B"}));
}

TEST(IniErase, EraseSectionTakesRepeatedHeadersToo) {
  TMemIniFile ini("");
  ini.SetText("[S]\na=1\n[T]\nt=1\n[s]\na=2\n");
  ini.EraseSection("S");
  EXPECT_FALSE(ini.SectionExists("S"));
  EXPECT_EQ(ini.ReadString("S", "a", "gone"), "gone");
  EXPECT_EQ(Sections(ini), (V{"T"}));
  EXPECT_EQ(ini.ReadString("T", "t", ""), "1");
}

TEST(IniErase, ClearEmptiesMemoryOnly) {
  TempFolder dir;
  const std::string path = dir / "lang.ini";
  WriteFile(path, "[S]\r\nk=v\r\n\r\n");
  TMemIniFile ini(path);
  ini.Clear();
  EXPECT_EQ(Sections(ini), V{});
  EXPECT_EQ(ReadFile(path), "[S]\r\nk=v\r\n\r\n");
  ini.WriteString("N", "k", "1");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), "[N]\r\nk=1\r\n\r\n");
}

TEST(IniFile, MissingFileReadsAsEmptyAndIsCreatedByTheFirstWrite) {
  TempFolder dir;
  const std::string path = dir / "new.lng";
  TMemIniFile ini(path);
  EXPECT_EQ(ini.FileName(), path);
  EXPECT_EQ(Sections(ini), V{});
  EXPECT_FALSE(std::filesystem::exists(path));
  ini.WriteString("General Settings", "LanguageName", "\"German\"");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), "[General Settings]\r\nLanguageName=\"German\"\r\n\r\n");
}

TEST(IniFile, LoadsWhatUpdateFileWrote) {
  TempFolder dir;
  const std::string path = dir / "round.ini";
  {
    TMemIniFile ini(path);
    ini.WriteString("fmMain", "Caption", "\"Main\"");
    ini.WriteString("fmMain", "btnOK.Hint", "\"Save\"#13#10\"Save changes\"");
    ini.UpdateFile();
  }
  TMemIniFile again(path);
  EXPECT_EQ(again.ReadString("FMMAIN", "btnok.hint", ""), "\"Save\"#13#10\"Save changes\"");
  EXPECT_EQ(Keys(again, "fmMain"), (V{"Caption", "btnOK.Hint"}));
}

TEST(IniFile, AFolderIsNoFile) {
  TempFolder dir;
  EXPECT_THROW(TMemIniFile ini(dir.Path().string()), EFOpenError);
}

namespace {
// The suite overrides the virtual operations; the base must call through
// them where a caller goes through the base.
class TCountingIni : public TMemIniFile {
public:
  using TMemIniFile::TMemIniFile;
  int Reads = 0, Writes = 0;
  std::string ReadString(std::string_view Section, std::string_view Ident, const std::string& Default) override {
    ++Reads;
    return "<" + TMemIniFile::ReadString(Section, Ident, Default) + ">";
  }
  void WriteString(std::string_view Section, std::string_view Ident, const std::string& Value) override {
    ++Writes;
    TMemIniFile::WriteString(Section, Ident, "[" + Value + "]");
  }
};
}  // namespace

TEST(IniOverride, TypedReadsAndWritesGoThroughTheOverridableStrings) {
  TCountingIni ini("");
  TMemIniFile& base = ini;
  base.WriteInteger("S", "n", 5);
  EXPECT_EQ(ini.Writes, 1);
  EXPECT_EQ(base.ReadString("S", "n", ""), "<[5]>");
  EXPECT_EQ(ini.Reads, 1);
  base.ReadInteger("S", "n", 0);
  EXPECT_EQ(ini.Reads, 2);
}
