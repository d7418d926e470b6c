// ambit check on small forms made for each finding: each check fires where
// it should and stays quiet where it should not, with file, section,
// record and severity, and the exit status follows the severities.
#include "ScratchFolder.h"

#include <regex>

using namespace ambittest;

namespace {

using AmbitCheck = ScratchFolder;

std::string Button(const std::string& Name, const std::string& Caption, const std::string& Hint, int Left) {
  return "  object " + Name + ": TButton\n    Left = " + std::to_string(Left) +
         "\n    Top = 8\n    Width = 120\n    Height = 25\n    Caption = '" + Caption + "'\n    Hint = '" + Hint +
         "'\n  end\n";
}

std::string Label(const std::string& Name, const std::string& Caption, int Width) {
  return "  object " + Name + ": TLabel\n    Left = 8\n    Top = 60\n    Width = " + std::to_string(Width) +
         "\n    Height = 16\n    AutoSize = False\n    Caption = '" + Caption + "'\n  end\n";
}

// The line of the output about Record, or "".
std::string Finding(const std::string& Output, const std::string& Record) {
  const std::size_t at = Output.find("[TestForm] " + Record + ": ");
  return at == std::string::npos ? std::string() : Output.substr(at, Output.find('\n', at) - at);
}

}  // namespace

TEST_F(AmbitCheck, AcceleratorsPlaceholdersAndBlanksOfEachTranslation) {
  WriteTestForm(Button("btnOpen", "&Open", "Open %s in %d windows", 8) +
                Button("btnSave", "&Save", "Saved %1 of %2", 130) +
                Button("btnSalt", "Salt && pepper", "100%% done, %0:s left", 260) +
                Button("btnName", "Name: ", "Line one", 390));
  Write("German.lng",
        "[TestForm]\r\nCaption=\"Test\"\r\n"
        "btnOpen.Caption=\"Öffnen\"\r\nbtnOpen.Hint=\"%d in %s Fenstern öffnen\"\r\n"
        "btnSave.Caption=\"&Speichern\"\r\nbtnSave.Hint=\"%2 von %1 gespeichert\"\r\n"
        "btnSalt.Caption=\"Salz && Pfeffer\"\r\nbtnSalt.Hint=\"100%% fertig, %0:s übrig\"\r\n"
        "btnName.Caption=\"Name:\"\r\nbtnName.Hint=\"Zeile eins\"#13#10\"\"\r\n");
  const TRun run = RunAmbit("check " + Q("TestForm.dfm"));
  EXPECT_EQ(run.ExitCode, 1) << run.Output;
  const std::string file = File("German.lng").string() + ": ";
  EXPECT_TRUE(Has(run.Output, file + "[TestForm] btnOpen.Caption: error: the translation has no accelerator; the "
                                      "designed text has '&o'"))
      << run.Output;
  EXPECT_TRUE(Has(Finding(run.Output, "btnOpen.Hint"), "error: the placeholders differ: the designed text has %s, %d, "
                                                       "the translation %d, %s"));
  EXPECT_TRUE(Has(Finding(run.Output, "btnName.Caption"), "warning: the designed text ends with a blank, the "
                                                          "translation with nothing"));
  EXPECT_TRUE(Has(Finding(run.Output, "btnName.Hint"), "warning: the designed text ends with nothing, the translation "
                                                       "with a line break"));
  // Reordered numbered placeholders, "&&" and "%%" are fine.
  for (const char* quiet : {"btnSave.Caption", "btnSave.Hint", "btnSalt.Caption", "btnSalt.Hint", "Caption"})
    EXPECT_EQ(Finding(run.Output, quiet), "") << quiet;
  EXPECT_TRUE(Has(run.Output, "2 errors, 2 warnings in 1 language\n")) << run.Output;
}

TEST_F(AmbitCheck, MissingOrphanedListsAndSharedAccelerators) {
  WriteTestForm(Button("btnFind", "&Find", "", 8) + Button("btnSave", "&Save", "", 130) +
                    Button("btnRenamed", "Gone", "", 260) +
                    "  object lbColors: TListBox\n    Left = 8\n    Top = 100\n    Width = 100\n    Height = 60\n"
                    "    Items.Strings = (\n      'Red'\n      'Green')\n  end\n",
                "Items");
  Write("German.lng",
        "[TestForm]\r\nCaption=\"Test\"\r\nbtnFind.Caption=\"&Suchen\"\r\nbtnSave.Caption=\"&Speichern\"\r\n"
        "lbColors.Items=\"Rot\"\r\nbtnOld.Caption=\"Gone\"\r\n");
  const TRun run = RunAmbit("check " + Q("TestForm.dfm") + " --language German");
  // Warnings only: the check passes unless --strict.
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(Finding(run.Output, "btnRenamed.Caption"), "warning: no translation; the form shows 'Gone'"));
  EXPECT_TRUE(Has(Finding(run.Output, "btnOld.Caption"),
                  "warning: no component or property of the form has this record any more; btnOld was most likely "
                  "renamed to btnRenamed"))
      << run.Output;
  EXPECT_TRUE(Has(Finding(run.Output, "lbColors.Items"), "warning: the designed list has 2 items, the translation 1"));
  EXPECT_TRUE(Has(Finding(run.Output, "btnSave.Caption"),
                  "warning: the accelerator '&s' of btnSave ('&Speichern') is also that of btnFind on the form"));
  // The designed texts share no accelerator.
  EXPECT_EQ(Lines(RunAmbit("check " + Q("TestForm.dfm") + " --language Original").Output, "accelerator"), 0);

  const TRun strict = RunAmbit("check " + Q("TestForm.dfm") + " --strict --format json");
  EXPECT_EQ(strict.ExitCode, 1) << strict.Output;
  EXPECT_TRUE(Has(strict.Output, "{\"file\": \"" + File("German.lng").string() +
                                     "\", \"language\": \"German\", \"section\": \"TestForm\", \"record\": "
                                     "\"lbColors.Items\", \"severity\": \"warning\", \"check\": \"items\""))
      << strict.Output;
  EXPECT_TRUE(Has(strict.Output, "\"errors\": 0, \"warnings\": 4}"));
}

TEST_F(AmbitCheck, ACaptionThatFitsByOnePixelAndOneThatDoesNot) {
  auto check = [&](int Width) {
    WriteTestForm(Label("lblName", "&Name of the contact:", Width));
    Write("German.lng", "[TestForm]\r\nlblName.Caption=\"&Name des Kontakts, ausführlich:\"\r\n");
    return RunAmbit("check " + Q("TestForm.dfm"));
  };
  const TRun narrow = check(20);
  const std::smatch needs = [&] {
    std::smatch m;
    std::regex_search(narrow.Output, m, std::regex("lblName \\(TLabel\\) gives it 20 pixels of width, it needs (\\d+)"));
    return m;
  }();
  ASSERT_FALSE(needs.empty()) << narrow.Output;
  EXPECT_EQ(narrow.ExitCode, 1);
  EXPECT_TRUE(Has(narrow.Output, "[TestForm] lblName.Caption: error: the text does not fit"));
  const int width = std::stoi(needs[1]);
  EXPECT_GT(width, 100);
  const TRun exact = check(width);
  EXPECT_EQ(exact.ExitCode, 0) << exact.Output;
  EXPECT_EQ(Lines(exact.Output, "does not fit"), 0);
  const TRun short1 = check(width - 1);
  EXPECT_EQ(short1.ExitCode, 1);
  EXPECT_TRUE(Has(short1.Output, "gives it " + std::to_string(width - 1) + " pixels of width, it needs " +
                                     std::to_string(width)));
}

TEST_F(AmbitCheck, SampleFindingsAndUsage) {
  CopySampleProject();
  const TRun run = RunAmbit("check " + Q("Sample.amproj") + " --language German");
  // Translated by hand: "&Farben:" and "Ö&ffnen..." share their key.
  EXPECT_TRUE(Has(run.Output, "[MainForm] actOpen.Caption: warning: the accelerator '&f' of btnOpen")) << run.Output;
  EXPECT_EQ(RunAmbit("check " + Q("Sample.amproj") + " --frobnicate").ExitCode, 2);
  EXPECT_EQ(RunAmbit("check " + Q("Sample.amproj") + " --language Klingon").ExitCode, 1);
}
