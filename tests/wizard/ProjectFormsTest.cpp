// What a run finds and offers: the current project, the forms and their
// localizers, the languages, and the exclusion file that remembers the
// forms left unchecked.
#include "tests/wizard/WizardFixture.h"

#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"
#include "wizard/PolyformRun.h"

using namespace host;
using namespace ambit;
using namespace wizardtest;
using ambit_test::ReadFile;

namespace {

using PolyformForms = WizardTest;

std::vector<std::string> Lines(const TStrings* List) {
  std::vector<std::string> lines;
  for (int i = 0; i < List->Count(); ++i) lines.push_back(List->Get(i));
  return lines;
}

std::vector<bool> CheckStates(const TCheckListBox* List) {
  std::vector<bool> states;
  for (int i = 0; i < List->Count(); ++i) states.push_back(List->Checked(i));
  return states;
}

}  // namespace

TEST_F(PolyformForms, WithoutOneCurrentProjectTheWizardSaysSoAndShowsNothing) {
  TPolyform wizard;
  wizard.MenuClick(nullptr);
  Env.LoadProject(Dir.File("Demo.amproj"));
  WriteProject(Dir.File("Other.amproj"));
  Env.LoadProject(Dir.File("Other.amproj"));
  wizard.MenuClick(nullptr);  // two projects and no group
  ASSERT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_EQ(Dialogs.Messages()[1].Msg, "No project opened");
  EXPECT_EQ(Dialogs.Messages()[1].DlgType, mtError);
  EXPECT_TRUE(Dialogs.ModalForms().empty());
}

TEST_F(PolyformForms, EachFormUnitOpensAndGivesItsLocalizerAndTheFirstSourceGivesTheLanguages) {
  std::vector<std::string> forms, languages;
  int languageIndex = -2;
  RunWizard([&](TLocalForm* Form) {
    forms = Lines(Form->FormList->Items());
    languages = Lines(Form->LanguageList->Items());
    languageIndex = Form->LanguageList->ItemIndex();
    EXPECT_EQ(CheckStates(Form->FormList), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(Form->Caption(), "Localization wizard");
    Form->BitBtn2->Click();
  });
  EXPECT_EQ(forms, (std::vector<std::string>{"FirstForm", "SecondForm", "ThirdForm"}));
  EXPECT_EQ(languages, (std::vector<std::string>{"German", "Russian"}));
  EXPECT_EQ(languageIndex, 0);
  ASSERT_EQ(Wizard->LocalList()->Count(), 3);
  TLocalItem* third = Wizard->LocalList()->GetItems(2);
  EXPECT_EQ(third->Localizer->Name(), "Localizer3");
  EXPECT_EQ(third->FileName, Dir.File("Third.dfm"));
  EXPECT_EQ(Wizard->LanguageSource()->Owner()->Name(), "FirstForm");
  // Cancel leaves the form units open, and the unit without a form shut.
  EXPECT_EQ(Env.FormModules().size(), 3u);
  EXPECT_EQ(Env.FindModule(Dir.File("Helpers.txt")), nullptr);
  EXPECT_EQ(ReadFile(Dir.File("Demo.plf")), "");

  // A project without a language source offers no languages, and Execute
  // then only remembers the forms and closes the units.
  Env.CloseAllModules(true);
  for (const char* name : {"First", "Second", "Third"})
    ambit_test::WriteFile(Dir.File(std::string(name) + ".dfm"),
                          FormFile(std::string(name) + "Form", name,
                                   "  object Localizer: TAmFormLocalizer\n  end\n"));
  RunWizard([&](TLocalForm* Form) {
    EXPECT_EQ(Form->LanguageList->Items()->Count(), 0);
    Choose("", {"SecondForm"}, true)(Form);
  });
  EXPECT_EQ(Wizard->LanguageSource(), nullptr);
  EXPECT_EQ(ReadFile(Dir.File("Demo.plf")), "SecondForm\r\n");
  EXPECT_TRUE(Env.FormModules().empty());
}

TEST_F(PolyformForms, TheExclusionFileRemembersUncheckedFormsAndAFormAddedLaterStartsChecked) {
  RunWizard(Choose("German", {"SecondForm"}, false));
  EXPECT_EQ(ReadFile(Dir.File("Demo.plf")), "SecondForm\r\n");
  EXPECT_EQ(Lines(Wizard->Settings().Forms.get()), (std::vector<std::string>{"FirstForm", "ThirdForm"}));
  EXPECT_EQ(Wizard->Settings().Language, "German");

  Env.CloseAllModules(true);
  ambit_test::WriteFile(Dir.File("Fourth.dfm"),
                        FormFile("FourthForm", "Fourth", LocalizerOf("Localizer4", "FirstForm.Source")));
  ambit_test::WriteFile(Dir.File("Demo.amproj"), "[Forms]\nFirstForm=First.dfm\nSecondForm=Second.dfm\n"
                                                 "ThirdForm=Third.dfm\nFourthForm=Fourth.dfm\n");
  std::vector<bool> states;
  RunWizard([&](TLocalForm* Form) {
    states = CheckStates(Form->FormList);
    Form->BitBtn2->Click();
  });
  EXPECT_EQ(states, (std::vector<bool>{true, false, true, true}));
}

TEST(PolyformExclusionFile, IsNamedAfterTheProjectFileBesideIt) {
  EXPECT_EQ(ExclusionFileName("/work/Demo.amproj"), "/work/Demo.plf");
  EXPECT_EQ(ExclusionFileName("/work/Demo"), "/work/Demoplf");
  // A dot in a folder's name is no extension of the project file.
  EXPECT_EQ(ExclusionFileName("/work/v1.2/Demo"), "/work/v1.2/Demoplf");
  EXPECT_EQ(ExclusionFileName("/work/v1.2/Demo.amproj"), "/work/v1.2/Demo.plf");
}
