// The wizard in the designer and `ambit template` with the same choices
// write the same language file and exclusion file, byte for byte: once
// choosing the forms (and recreating), once reading the choice back.
#include "tests/apps/ambit/RunAmbit.h"
#include "tests/wizard/WizardFixture.h"

using namespace host;
using namespace ambit;
using namespace wizardtest;
using ambit_test::ReadFile;
namespace fs = std::filesystem;
using TemplateIdentity = WizardTest;

TEST_F(TemplateIdentity, TheWizardAndAmbitTemplateWriteTheSameFiles) {
  const fs::path designer = Folder() / "designer", script = Folder() / "script";
  for (const fs::path& dir : {designer, script}) {
    fs::create_directories(dir);
    for (const char* f : {"Sample.amproj", "MainForm.dfm", "ContactsForm.dfm", "AboutBox.dfm", "German.lng",
                          "Russian.lng", "Arabic.lng"})
      fs::copy_file(ambittest::SamplePath(f), dir / f);
  }
  auto expectSame = [&](const char* File) {
    const std::string written = ReadFile((designer / File).string());
    EXPECT_FALSE(written.empty()) << File;
    EXPECT_EQ(written, ReadFile((script / File).string())) << File;
  };
  auto runAmbit = [&](const std::string& Choices) {
    const ambittest::TRun run = ambittest::RunAmbit("template '" + (script / "Sample.amproj").string() + "' " + Choices);
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
  };

  RunWizard(Choose("Russian", {"ContactsForm"}, true), (designer / "Sample.amproj").string());
  runAmbit("--language Russian --forms MainForm,AboutBox --recreate --exclusions");
  expectSame("Russian.lng");
  expectSame("Sample.plf");
  EXPECT_EQ(ReadFile((designer / "Russian.lng").string()).find("[ContactsForm]"), std::string::npos);

  // The next run leaves out what the exclusion file lists.
  Env.CloseAllModules(true);
  RunWizard(Choose("German", {}, false), (designer / "Sample.amproj").string());
  EXPECT_EQ(Wizard->Settings().Forms->CommaText(), "MainForm,AboutBox");
  runAmbit("--language German --exclusions");
  expectSame("German.lng");
  expectSame("Sample.plf");
}
