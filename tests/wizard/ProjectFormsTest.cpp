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

// "+Name" for a checked form, "-Name" for an unchecked one.
std::string Offered(const TLocalForm* Form) {
  std::string text = Form->LanguageList->Items()->CommaText() + " @" + IntToStr(Form->LanguageList->ItemIndex());
  for (int i = 0; i < Form->FormList->Count(); ++i)
    text += std::string(Form->FormList->Checked(i) ? " +" : " -") + Form->FormList->Items()->Get(i);
  return text;
}

}  // namespace

TEST_F(PolyformForms, WithoutOneCurrentProjectTheWizardSaysSoAndShowsNothing) {
  TPolyform wizard;
  wizard.MenuClick(nullptr);
  Env.LoadProject(Dir.File("Demo.amproj"));
  std::filesystem::copy_file(Dir.File("Demo.amproj"), Dir.File("Other.amproj"));
  Env.LoadProject(Dir.File("Other.amproj"));
  wizard.MenuClick(nullptr);  // two projects and no group
  ASSERT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_EQ(Dialogs.Messages()[1].Msg, "No project opened");
  EXPECT_TRUE(Dialogs.ModalForms().empty());
}

TEST_F(PolyformForms, EachFormUnitOpensAndGivesItsLocalizerAndTheFirstSourceGivesTheLanguages) {
  std::string offered;
  RunWizard([&](TLocalForm* Form) { offered = Offered(Form); });  // closed: Cancel
  EXPECT_EQ(offered, "German,Russian @0 +FirstForm +SecondForm +ThirdForm");
  ASSERT_EQ(Wizard->LocalList()->Count(), 3);
  EXPECT_EQ(Wizard->LocalList()->GetItems(2)->Localizer->Owner()->Name(), "ThirdForm");
  EXPECT_EQ(Wizard->LocalList()->GetItems(2)->FileName, Dir.File("Third.dfm"));
  EXPECT_EQ(Wizard->LanguageSource()->Owner()->Name(), "FirstForm");
  // Cancel leaves the form units open; the unit without a form is not opened.
  EXPECT_EQ(Env.FormModules().size(), 3u);
  EXPECT_EQ(Env.FindModule(Dir.File("Helpers.txt")), nullptr);
  EXPECT_EQ(ReadFile(Dir.File("Demo.plf")), "");

  // Without a language source there is no language: Execute only
  // remembers the forms and closes the units.
  Env.CloseAllModules(true);
  for (const char* name : {"First", "Second", "Third"})
    WriteFile(Dir.File(std::string(name) + ".dfm"), FormFile(std::string(name) + "Form", "  object Localizer: TAmFormLocalizer\n  end\n"));
  RunWizard([&](TLocalForm* Form) {
    offered = Offered(Form);
    Choose("", {"SecondForm"}, true)(Form);
  });
  EXPECT_EQ(offered, " @-1 +FirstForm +SecondForm +ThirdForm");
  EXPECT_EQ(ReadFile(Dir.File("Demo.plf")), "SecondForm\r\n");
  EXPECT_TRUE(Env.FormModules().empty());
}

TEST_F(PolyformForms, TheExclusionFileRemembersUncheckedFormsAndAFormAddedLaterStartsChecked) {
  RunWizard(Choose("German", {"SecondForm"}, false));
  EXPECT_EQ(ReadFile(Dir.File("Demo.plf")), "SecondForm\r\n");
  EXPECT_EQ(Wizard->Settings().Forms->CommaText(), "FirstForm,ThirdForm");
  Env.CloseAllModules(true);
  WriteFile(Dir.File("Fourth.dfm"), FormFile("FourthForm", LocalizerOf("FirstForm.Source")));
  WriteFile(Dir.File("Demo.amproj"),
            "[Forms]\nFirstForm=First.dfm\nSecondForm=Second.dfm\nThirdForm=Third.dfm\nFourthForm=Fourth.dfm\n");
  std::string offered;
  RunWizard([&](TLocalForm* Form) { offered = Offered(Form); });
  EXPECT_EQ(offered, "German,Russian @0 +FirstForm -SecondForm +ThirdForm +FourthForm");
}

TEST(PolyformExclusionFile, IsNamedAfterTheProjectFileBesideIt) {
  EXPECT_EQ(ExclusionFileName("/work/Demo.amproj"), "/work/Demo.plf");
  EXPECT_EQ(ExclusionFileName("/work/Demo"), "/work/Demoplf");
  // A dot in a folder's name is no extension of the project file.
  EXPECT_EQ(ExclusionFileName("/work/v1.2/Demo"), "/work/v1.2/Demoplf");
  EXPECT_EQ(ExclusionFileName("/work/v1.2/Demo.amproj"), "/work/v1.2/Demo.plf");
}
