// The language file and the file-based source: the file written byte for
// byte, hand-edited files read back, sections and records in order, and
// what happens to the disk on every operation, including failed writes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>

#include "RuntimeTestSupport.h"
#include "runtime/AmbitSource.h"

using namespace ambit;
using namespace ambit_test;
using ::testing::ElementsAre;

namespace {

struct FileSource : ::testing::Test {
  Log log;  // outlives the source, whose destruction still reports
  TempDir dir;
  TAmLanguageSource src{nullptr};
  std::string ru = dir.File("russian.lng");
  std::string el = dir.File("greek.lng");

  void SetUp() override { src.Languages()->SetText("Russian=" + ru + "\nGreek=" + el); }
  std::string Lines(host::TStrings& s) { return s.Text(); }
};

using LanguageFileFormat = FileSource;
using LanguageFileReading = FileSource;
using FileSourceStore = FileSource;
using FileSourceFailures = FileSource;

}  // namespace

TEST_F(LanguageFileFormat, MatchesTheTemplateOfAnAddLanguageDialogByteForByte) {
  src.SetActiveLanguage(0);
  src.ActiveSettings()->SetLanguageName("Russian");
  src.ActiveSettings()->SetBiDiMode(host::bdLeftToRight);
  src.ActiveSettings()->SetFontCharSet(host::RUSSIAN_CHARSET);
  src.SetFormSection("fmAddLanguage");
  src.SaveString("Caption", "Add Language");
  src.SaveString("laLangName.Caption", "Language Name");
  src.SaveString("buOK.Caption", "&OK");
  src.SaveString("buOK.Hint", "Save\r\nSave changes");
  EXPECT_EQ(ReadFile(ru),
            "[General Settings]\r\n"
            "LanguageName=\"Russian\"\r\n"
            "BiDiMode=\"0\"\r\n"
            "FontCharSet=\"RUSSIAN_CHARSET\"\r\n"
            "\r\n"
            "[fmAddLanguage]\r\n"
            "Caption=\"Add Language\"\r\n"
            "laLangName.Caption=\"Language Name\"\r\n"
            "buOK.Caption=\"&OK\"\r\n"
            "buOK.Hint=\"Save\"#13#10\"Save changes\"\r\n"
            "\r\n");
}

TEST_F(LanguageFileFormat, RewritingAKeyKeepsItsPlaceAndNewKeysAreAppended) {
  src.SetActiveLanguage(1);
  src.SetFormSection("Form1");
  src.SaveString("Caption", "one");
  src.SaveString("Hint", "two");
  src.SetFormSection("Form2");
  src.SaveString("Caption", "three");
  src.SetFormSection("Form1");
  src.SaveString("CAPTION", "One\ttab");
  src.SaveString("btnOK.Caption", "OK");
  EXPECT_EQ(ReadFile(el),
            "[Form1]\r\nCAPTION=\"One\"#9\"tab\"\r\nHint=\"two\"\r\nbtnOK.Caption=\"OK\"\r\n\r\n"
            "[Form2]\r\nCaption=\"three\"\r\n\r\n");
  EXPECT_EQ(src.LoadString("Caption", "x"), "One\ttab");
}

TEST_F(LanguageFileReading, ToleratesHandEditedFiles) {
  WriteFile(ru,
            "; a comment\nstray=before any section\n"
            "  [ Form1 ]  \n"
            "  btnOK.Caption  =  \"OK\"  \n"
            "Hint=plain text, no quotes\n"
            "\n"
            "hint=\"second Hint loses\"\n"
            "Broken=\"OK\"#13 #10\"Cancel\"\n"
            "no equals sign\n");
  src.SetActiveLanguage(0);
  src.SetFormSection("form1");
  EXPECT_EQ(src.LoadString("btnOK.Caption", "d"), "OK");
  EXPECT_EQ(src.LoadString("BTNOK.CAPTION", "d"), "OK");
  EXPECT_EQ(src.LoadString("Hint", "d"), "plain text, no quotes");
  EXPECT_EQ(src.LoadString("Broken", "d"), "OK\nCancel");
  EXPECT_EQ(src.LoadString("stray", "d"), "d");
  host::TStringList list;
  src.LoadStrings(&list);
  // The value is the first line's; the name is spelled as the last line has it.
  EXPECT_EQ(list.Text(), "btnOK.Caption=OK\r\nhint=plain text, no quotes\r\nBroken=OK\nCancel\r\n");
}

TEST_F(LanguageFileReading, EmptyValuesAreReadButNotListed) {
  WriteFile(ru, "[Form1]\r\na=\"\"\r\nb=\"x\"\r\n");
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  host::TStringList list;
  list.Add("left over");
  src.LoadStrings(&list);
  EXPECT_EQ(list.Text(), "b=x\r\n");
  EXPECT_EQ(src.LoadString("a", "default"), "");
}

TEST_F(LanguageFileReading, TheDefaultIsDecodedToo) {
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  EXPECT_EQ(src.LoadString("missing", "\"Hint\""), "Hint");
}

TEST_F(LanguageFileReading, AMissingFileReadsEmptyAndIsCreatedByTheFirstWrite) {
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  EXPECT_EQ(src.LoadString("Caption", "dflt"), "dflt");
  EXPECT_FALSE(std::filesystem::exists(ru));
  src.SaveString("Caption", "x");
  EXPECT_EQ(ReadFile(ru), "[Form1]\r\nCaption=\"x\"\r\n\r\n");
}

TEST_F(LanguageFileReading, TheFileNameHookChoosesTheFile) {
  WriteFile(dir.File("elsewhere.lng"), "[F]\r\nk=\"from the hook\"\r\n");
  std::vector<std::string> asked;
  src.SetOnGetFileName([&](host::TObject* sender, std::string& name) {
    EXPECT_EQ(sender, &src);
    asked.push_back(name);
    name = dir.File("elsewhere.lng");
  });
  src.SetActiveLanguage(1);
  src.SetFormSection("F");
  EXPECT_EQ(src.LoadString("k", ""), "from the hook");
  EXPECT_THAT(asked, ElementsAre(el));
  EXPECT_EQ(src.GetLanguageFile(0), dir.File("elsewhere.lng"));
}

TEST_F(FileSourceStore, SortSectionsSortsTheCallersListAndAppendsNewKeysInOrder) {
  src.SetSortSections(true);
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  src.SaveString("m", "existing");
  host::TStringList list;
  list.SetText("z=3\nm=2\na=1");
  src.SaveStrings(&list);
  EXPECT_EQ(list.Text(), "a=1\r\nm=2\r\nz=3\r\n");
  EXPECT_EQ(ReadFile(ru), "[Form1]\r\nm=\"2\"\r\na=\"1\"\r\nz=\"3\"\r\n\r\n");
  host::TStringList read;
  src.LoadStrings(&read);
  EXPECT_EQ(read.Text(), "a=1\r\nm=2\r\nz=3\r\n");
}

TEST_F(FileSourceStore, SaveStringsTakesTheFirstValueOfEachNameAndKeepsNamelessLines) {
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  host::TStringList list;
  list.SetText("b=first\nB=second\nnameless");
  src.SaveStrings(&list);
  // "B" rewrites the record "b" with the first line's value.
  EXPECT_EQ(ReadFile(ru), "[Form1]\r\nB=\"first\"\r\n=\"\"\r\n\r\n");
}

TEST_F(FileSourceStore, ClearErasesTheCurrentSectionOnlyWhenOneIsSelected) {
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  src.SaveString("Caption", "1");
  src.SetFormSection("Form2");
  src.SaveString("Caption", "2");
  src.SetFormSection("");
  src.Clear();
  EXPECT_EQ(ReadFile(ru), "[Form1]\r\nCaption=\"1\"\r\n\r\n[Form2]\r\nCaption=\"2\"\r\n\r\n");
  src.SetFormSection("form1");
  src.Clear();
  EXPECT_EQ(ReadFile(ru), "[Form2]\r\nCaption=\"2\"\r\n\r\n");
}

TEST_F(FileSourceStore, ClearAllEmptiesMemoryUntilTheNextWrite) {
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  src.SaveString("Caption", "1");
  src.SaveString("Hint", "2");
  const std::string before = ReadFile(ru);
  src.ClearAll();
  EXPECT_EQ(src.LoadString("Caption", "gone"), "gone");
  EXPECT_EQ(ReadFile(ru), before);
  src.SetActiveLanguage(1);
  EXPECT_EQ(ReadFile(ru), before);
  src.SetActiveLanguage(0);
  src.ClearAll();
  src.SaveString("Hint", "only");
  EXPECT_EQ(ReadFile(ru), "[Form1]\r\nHint=\"only\"\r\n\r\n");
}

TEST_F(FileSourceStore, WithoutActiveLanguageOrNameNothingIsStored) {
  int saves = 0;
  src.SetOnSaveString([&](host::TObject*, const std::string&, const std::string&) { ++saves; });
  src.SetFormSection("Form1");
  src.SaveString("Caption", "x");
  EXPECT_EQ(src.LoadString("Caption", "dflt"), "dflt");
  src.SetActiveLanguage(0);
  src.SaveString("", "x");
  EXPECT_EQ(src.LoadString("", "dflt"), "dflt");
  EXPECT_EQ(saves, 2);  // the events still fire
  EXPECT_FALSE(std::filesystem::exists(ru));
  EXPECT_EQ(src.LanguageFile()->FileName(), ru);
  src.SetActiveLanguage(-1);
  EXPECT_EQ(src.LanguageFile(), nullptr);
}

TEST_F(FileSourceStore, EventsFireBeforeTheFileAnswers) {
  WriteFile(ru, "[Form1]\r\nCaption=\"file\"\r\n");
  src.SetOnLoadString([&](host::TObject*, const std::string& n, std::string& v) {
    log.push_back("load " + n);
    v = "event";
  });
  src.SetOnLanguageOpen([&](host::TObject*) { log.push_back("open"); });
  src.SetOnLanguageClose([&](host::TObject*) { log.push_back("close"); });
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  EXPECT_EQ(src.LoadString("Caption", "d"), "file");
  EXPECT_THAT(log, ElementsAre("open", "close", "load Caption"));
}

TEST_F(FileSourceStore, SourceIsWritableAndCopiesItsOptions) {
  EXPECT_FALSE(src.ReadOnly());
  EXPECT_TRUE(src.IsDesignTime());
  EXPECT_EQ(src.DefaultFileExt(), "lng");
  src.SetSortSections(true);
  src.SetDefaultFileExt("txt");
  src.SetOnGetFileName([](host::TObject*, std::string&) {});
  TAmLanguageSource copy(nullptr);
  copy.Assign(&src);
  EXPECT_TRUE(copy.SortSections());
  EXPECT_EQ(copy.DefaultFileExt(), "txt");
  EXPECT_FALSE(copy.OnGetFileName());
  EXPECT_EQ(copy.Languages()->Count(), 2);
}

TEST_F(FileSourceStore, GetLanguageFileSkipsTheHookForAnEmptyValue) {
  src.Languages()->Add("Empty=");
  src.Languages()->Add("NoLine");
  int calls = 0;
  src.SetOnGetFileName([&](host::TObject*, std::string& f) {
    ++calls;
    f += ".x";
  });
  EXPECT_EQ(src.GetLanguageFile(2), "");
  EXPECT_EQ(src.GetLanguageFile(3), "");
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(src.GetLanguageFile(0), ru + ".x");
  EXPECT_THROW(src.GetLanguageFile(4), EAmbitError);
  src.SetLanguageFile(0, "other.lng");
  EXPECT_EQ(src.Languages()->Get(0), "Russian=other.lng");
}

TEST_F(FileSourceStore, DestroyingTheSourceWritesNothingAndReportsTheClose) {
  auto* owned = new TAmLanguageSource(nullptr);
  owned->Languages()->SetText("Russian=" + ru);
  owned->SetActiveLanguage(0);
  int closes = 0;
  owned->SetOnLanguageClose([&](host::TObject*) { ++closes; });
  delete owned;
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(std::filesystem::exists(ru));
}

TEST_F(FileSourceFailures, AWriteIntoAMissingFolderRaisesAndLaterReachesTheDisk) {
  const std::string inMissing = dir.File("missing/ru.lng");
  src.Languages()->SetText("Russian=" + inMissing);
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  EXPECT_THROW(src.SaveString("Caption", "kept"), host::EFCreateError);
  EXPECT_EQ(src.LoadString("Caption", ""), "kept");
  std::filesystem::create_directory(dir.File("missing"));
  src.SaveString("Hint", "now");
  EXPECT_EQ(ReadFile(inMissing), "[Form1]\r\nCaption=\"kept\"\r\nHint=\"now\"\r\n\r\n");
}

TEST_F(FileSourceFailures, AFailedRewriteLeavesTheFileWhole) {
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  src.SaveString("Caption", "small");
  const std::string before = ReadFile(ru);
  // A file-size limit makes the rewrite fail half-way, also for root.
  struct rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit tight = old;
  tight.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
  EXPECT_THROW(src.SaveString("Big", std::string(100000, 'x')), host::EFCreateError);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(ReadFile(ru), before);
  // No temporary file is left beside it.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(ru).parent_path())) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST(LanguageFile, ReadSectionValuesAddsToTheListByName) {
  TempDir dir;
  WriteFile(dir.File("a.lng"), "[S]\r\nk1=\"one\"\r\nk2=\"\"\r\n");
  TAmLanguageFile file(dir.File("a.lng"));
  host::TStringList list;
  list.SetText("k2=stale\nkeep=me\nK1=old");
  file.ReadSectionValues("s", &list);
  EXPECT_EQ(list.Text(), "keep=me\r\nk1=one\r\n");
  file.ReadSectionValues("S", nullptr);
}

TEST(LanguageFile, EraseSectionAndWriteStringReachTheDiskAtOnce) {
  TempDir dir;
  const std::string name = dir.File("a.lng");
  TAmLanguageFile file(name);
  file.WriteString("A", "k", "v\"#");
  EXPECT_EQ(ReadFile(name), "[A]\r\nk=\"v\"\"#\"\r\n\r\n");
  EXPECT_EQ(file.ReadString("a", "K", ""), "v\"#");
  file.EraseSection("A");
  EXPECT_EQ(ReadFile(name), "");
}
