// ambit stats on a copy of the sample with known gaps: records taken out
// of a language are missing, records of components that are gone are
// orphaned, and the totals add up per language.
#include "ScratchFolder.h"

using namespace ambittest;

namespace {

using AmbitStats = ScratchFolder;

// Removes the line that begins with Key from Text.
std::string Without(std::string Text, const std::string& Key) {
  const std::size_t at = Text.find("\n" + Key + "=");
  if (at != std::string::npos) Text.erase(at + 1, Text.find('\n', at + 1) - at);
  return Text;
}

}  // namespace

TEST_F(AmbitStats, CountsMissingAndOrphanedRecordsPerFormAndLanguage) {
  CopySampleProject();
  std::string german = Without(Without(Read("German.lng"), "lblColors.Caption"), "miHelp.Caption");
  german.replace(german.find("[AboutBox]\r\n"), 12, "[AboutBox]\r\nbtnGone.Caption=\"Weg\"\r\nCaption.Nothing=\"x\"\r\n");
  Write("German.lng", german);

  const TRun run = RunAmbit("stats " + Q("Sample.amproj") + " --language German --language russian");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  // German: two records of MainForm gone, two records of AboutBox name
  // nothing of the form; Russian has everything.
  const std::size_t russian = run.Output.find("; language: Russian");
  ASSERT_NE(russian, std::string::npos) << run.Output;
  const std::string de = run.Output.substr(0, russian), ru = run.Output.substr(russian);
  EXPECT_TRUE(Has(de, "  MainForm             19          17        2         0")) << de;
  EXPECT_TRUE(Has(de, "  ContactsForm         18          18        0         0")) << de;
  EXPECT_TRUE(Has(de, "  AboutBox              9           9        0         2")) << de;
  EXPECT_TRUE(Has(de, "  total                46          44        2         2")) << de;
  EXPECT_TRUE(Has(ru, "  total                46          46        0         0")) << ru;
  EXPECT_FALSE(Has(run.Output, "Arabic"));

  const TRun json = RunAmbit("stats " + Q("Sample.amproj") + " --language German --format json");
  ASSERT_EQ(json.ExitCode, 0) << json.Output;
  EXPECT_TRUE(Has(json.Output, "{\"form\": \"MainForm\", \"file\": \"" + File("MainForm.dfm").string() +
                                   "\", \"records\": 19, \"translated\": 17, \"missing\": 2, \"orphaned\": 0}"))
      << json.Output;
  EXPECT_TRUE(Has(json.Output, "\"total\": {\"records\": 46, \"translated\": 44, \"missing\": 2, \"orphaned\": 2}"));
}

TEST_F(AmbitStats, AnEmptyTextIsMissingAndTheDesignedTextsAreNoLanguage) {
  WriteTestForm("  object btnOK: TButton\n    Caption = 'OK'\n  end\n");
  Write("German.lng", "[TestForm]\r\nCaption=\"Test\"\r\nbtnOK.Caption=\"\"\r\n");
  const TRun run = RunAmbit("stats " + Q("TestForm.dfm"));
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(run.Output, "  TestForm          2           1        1         0")) << run.Output;
  EXPECT_EQ(RunAmbit("stats " + Q("TestForm.dfm") + " --language Original").ExitCode, 1);
  EXPECT_EQ(RunAmbit("stats " + Q("TestForm.dfm") + " --format xml").ExitCode, 2);
}
