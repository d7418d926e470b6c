// Execute: the chosen forms saved into the chosen language, the language
// file recreated, the source's language restored and the units closed,
// also when a step fails.
#include "tests/wizard/WizardFixture.h"

#include "host/core/IniFiles.h"
#include "runtime/AmbitSource.h"

using namespace host;
using namespace ambit;
using namespace wizardtest;
using ambit_test::ReadFile;

namespace {

using PolyformSaving = WizardTest;

std::vector<std::string> Sections(const std::string& FileName) {
  TMemIniFile ini(FileName);
  TStringList sections;
  ini.ReadSections(&sections);
  std::vector<std::string> names;
  for (int i = 0; i < sections.Count(); ++i) names.push_back(sections.Get(i));
  return names;
}

const char* const OldRussian =
    "[General Settings]\r\nLanguageName=\"Russian\"\r\nBiDiMode=\"0\"\r\nFontCharSet=\"RUSSIAN_CHARSET\"\r\n\r\n"
    "[SecondForm]\r\nCaption=\"Второй\"\r\n\r\n[Gone]\r\nCaption=\"x\"\r\n\r\n";

}  // namespace

TEST_F(PolyformSaving, TheChosenFormsAreSavedIntoTheLanguageAndEverythingIsPutBack) {
  RunWizard(Choose("Russian", {"SecondForm"}, false));
  const std::string russian = ReadFile(Dir.File("Russian.lng"));
  EXPECT_NE(russian.find("[FirstForm]\r\nCaption=\"First\"\r\nButton1.Caption=\"First button\""), std::string::npos);
  EXPECT_EQ(Sections(Dir.File("Russian.lng")), (std::vector<std::string>{"FirstForm", "ThirdForm"}));
  EXPECT_FALSE(std::filesystem::exists(Dir.File("German.lng")));
  EXPECT_TRUE(Env.FormModules().empty());
}

TEST_F(PolyformSaving, RecreateKeepsOnlyTheChosenFormsAndTheLanguagesSettings) {
  ambit_test::WriteFile(Dir.File("Russian.lng"), OldRussian);
  WriteFirstForm(Folder(), "'German=German.lng'\n      'Russian=" + Dir.File("Russian.lng") + "'",
                 LocalizerOf("Localizer1", "Source"));
  RunWizard(Choose("Russian", {"SecondForm"}, true));
  EXPECT_EQ(Sections(Dir.File("Russian.lng")), (std::vector<std::string>{"General Settings", "FirstForm", "ThirdForm"}));
  EXPECT_NE(ReadFile(Dir.File("Russian.lng")).find("FontCharSet=\"RUSSIAN_CHARSET\""), std::string::npos);
}

TEST_F(PolyformSaving, RecreateOfTheActiveLanguageIsNotUndoneByTheSourcesNextWrite) {
  // The source on a form of its own, which the run leaves open, with
  // Russian active already.
  ambit_test::WriteFile(Dir.File("Russian.lng"), OldRussian);
  WriteFirstForm(Folder(), "'German=German.lng'\n      'Russian=" + Dir.File("Russian.lng") + "'", "",
                 "    ActiveLanguage = 1\n");
  RunWizard(Choose("Russian", {}, true));
  TAmLanguageSource* source = Wizard->LanguageSource();
  ASSERT_EQ(source->ActiveLanguage(), 1);
  source->SetFormSection("ThirdForm");
  source->SaveString("Later", "written afterwards");
  EXPECT_EQ(Sections(Dir.File("Russian.lng")),
            (std::vector<std::string>{"General Settings", "SecondForm", "ThirdForm"}));
}

TEST_F(PolyformSaving, AFailingSaveStillRestoresTheLanguageAndClosesTheUnits) {
  WriteFirstForm(Folder(), "'German=German.lng'\n      'Russian=missing/Russian.lng'",
                 LocalizerOf("Localizer1", "Source"), "    ActiveLanguage = 0\n");
  std::vector<int> languageAtClose;
  Env.Subscribe([&](TEnvironmentChange Change, IOTAModule* Module) {
    auto* form = dynamic_cast<TFormModule*>(Module);
    if (Change != ecClosing || !form || form->Root()->Name() != "FirstForm") return;
    languageAtClose.push_back(static_cast<TAmLanguageSource*>(form->Root()->FindComponent("Source"))->ActiveLanguage());
  });
  EXPECT_THROW(RunWizard(Choose("Russian", {}, true)), EFCreateError);
  EXPECT_EQ(languageAtClose, std::vector<int>{0});
  EXPECT_TRUE(Env.FormModules().empty());
}
