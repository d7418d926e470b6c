// The wizard in the designer and `ambit template` with the same choices
// write the same language file and exclusion file, byte for byte: once
// choosing the forms (and recreating), once reading the choice back.
#include "tests/wizard/WizardFixture.h"

#include "tests/apps/ambit/RunAmbit.h"

using namespace host;
using namespace ambit;
using namespace wizardtest;
using ambit_test::ReadFile;
namespace fs = std::filesystem;

namespace {

class TemplateIdentity : public WizardTest {
protected:
  TemplateIdentity() {
    for (const fs::path& dir : {InDesigner, FromScript}) {
      fs::create_directories(dir);
      for (const char* f : {"Sample.amproj", "MainForm.dfm", "ContactsForm.dfm", "AboutBox.dfm", "German.lng",
                            "Russian.lng", "Arabic.lng"})
        fs::copy_file(ambittest::SamplePath(f), dir / f);
    }
  }
  void RunInDesigner(std::function<void(TLocalForm*)> Script) {
    if (!Wizard) Wizard = std::make_unique<TPolyform>();
    Env.LoadProject((InDesigner / "Sample.amproj").string());
    Dialogs.DriveModal([Script](TCustomForm* Form) { Script(static_cast<TLocalForm*>(Form)); });
    Wizard->MenuClick(nullptr);
  }
  std::string RunFromScript(const std::string& Choices) {
    const ambittest::TRun run =
        ambittest::RunAmbit("template '" + (FromScript / "Sample.amproj").string() + "' " + Choices);
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    return run.Output;
  }
  void ExpectSameFile(const std::string& Name) {
    const std::string designed = ReadFile((InDesigner / Name).string());
    EXPECT_FALSE(designed.empty()) << Name;
    EXPECT_EQ(designed, ReadFile((FromScript / Name).string())) << Name;
  }

  fs::path InDesigner = Folder() / "designer";
  fs::path FromScript = Folder() / "script";
};

}  // namespace

TEST_F(TemplateIdentity, TheWizardAndTheCommandLineWriteTheSameFiles) {
  RunInDesigner(Choose("Russian", {"ContactsForm"}, true));
  const std::string out = RunFromScript("--language Russian --forms MainForm,AboutBox --recreate --exclusions");
  EXPECT_NE(out.find("ContactsForm: left out"), std::string::npos) << out;
  ExpectSameFile("Russian.lng");
  EXPECT_EQ(ReadFile((InDesigner / "Russian.lng").string()).find("[ContactsForm]"), std::string::npos);
  ExpectSameFile("Sample.plf");
  EXPECT_EQ(ReadFile((FromScript / "Sample.plf").string()), "ContactsForm\r\n");

  // The next run takes the forms to leave out from the exclusion file.
  Env.CloseAllModules(true);
  RunInDesigner([](TLocalForm* Form) {
    EXPECT_FALSE(Form->FormList->Checked(1));
    Form->LanguageList->SetItemIndex(0);
    Form->ExecBtn->Click();
  });
  RunFromScript("--language German --exclusions");
  ExpectSameFile("German.lng");
  ExpectSameFile("Sample.plf");
}
