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

std::string Sections(const std::string& FileName) {
  TMemIniFile ini(FileName);
  TStringList sections;
  ini.ReadSections(&sections);
  return sections.CommaText();
}

const char* const OldRussian =
    "[General Settings]\r\nLanguageName=\"Russian\"\r\nFontCharSet=\"RUSSIAN_CHARSET\"\r\n\r\n"
    "[SecondForm]\r\nCaption=\"Second\"\r\n\r\n[Gone]\r\nCaption=\"x\"\r\n\r\n";

}  // namespace

TEST_F(PolyformSaving, TheChosenFormsAreSavedIntoTheLanguageAndTheUnitsClosed) {
  RunWizard(Choose("Russian", {"SecondForm"}, false));
  const std::string russian = ReadFile(Dir.File("Russian.lng"));
  EXPECT_EQ(russian.rfind("[FirstForm]\r\nCaption=\"FirstForm\"\r\nButton1.Caption=\"Press\"\r\n", 0), 0u) << russian;
  EXPECT_EQ(Sections(Dir.File("Russian.lng")), "FirstForm,ThirdForm");
  EXPECT_TRUE(Env.FormModules().empty());
}

TEST_F(PolyformSaving, RecreateKeepsOnlyTheChosenFormsAndTheLanguagesSettings) {
  WriteFile(Dir.File("Russian.lng"), OldRussian);
  WriteFirstForm("'German=German.lng'\n      'Russian=" + Dir.File("Russian.lng") + "'", LocalizerOf("Source"));
  RunWizard(Choose("Russian", {"SecondForm"}, true));
  EXPECT_EQ(Sections(Dir.File("Russian.lng")), "\"General Settings\",FirstForm,ThirdForm");
}

TEST_F(PolyformSaving, RecreateOfTheActiveLanguageIsNotUndoneByTheSourcesNextWrite) {
  // The source on a form of its own, which the run leaves open, with
  // Russian active already.
  WriteFile(Dir.File("Russian.lng"), OldRussian);
  WriteFirstForm("'German=German.lng'\n      'Russian=" + Dir.File("Russian.lng") + "'", "", "    ActiveLanguage = 1\n");
  RunWizard(Choose("Russian", {}, true));
  TAmLanguageSource* source = Wizard->LanguageSource();
  ASSERT_EQ(source->ActiveLanguage(), 1);
  source->SetFormSection("ThirdForm");
  source->SaveString("Later", "written afterwards");
  EXPECT_EQ(Sections(Dir.File("Russian.lng")), "\"General Settings\",SecondForm,ThirdForm");
}

TEST_F(PolyformSaving, AFailingSaveStillRestoresTheLanguageAndClosesTheUnits) {
  WriteFirstForm("'German=German.lng'\n      'Russian=missing/Russian.lng'", LocalizerOf("Source"),
                 "    ActiveLanguage = 0\n");
  std::vector<int> languageAtClose;
  Env.Subscribe([&](TEnvironmentChange Change, IOTAModule* Module) {
    auto* form = dynamic_cast<TFormModule*>(Module);
    if (Change == ecClosing && form && form->Root()->Name() == "FirstForm")
      languageAtClose.push_back(static_cast<TAmLanguageSource*>(form->Root()->FindComponent("Source"))->ActiveLanguage());
  });
  EXPECT_THROW(RunWizard(Choose("Russian", {}, true)), EFCreateError);
  EXPECT_EQ(languageAtClose, std::vector<int>{0});
  EXPECT_TRUE(Env.FormModules().empty());
}
