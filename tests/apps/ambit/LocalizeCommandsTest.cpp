// ambit show and ambit template on copies of the sample project: the texts
// of every form in each language, templates written next to the form
// files, and the errors of each command with their exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "RunAmbit.h"

using namespace ambittest;
namespace fs = std::filesystem;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

// The text from the first form section on, up to the section of the
// database sample's own form: what the records of Sample.amproj's forms give.
std::string FormSections(const std::string& languageFile) {
  const std::size_t end = languageFile.find("\r\n\r\n[");
  if (end == std::string::npos) return std::string();
  std::string sections = languageFile.substr(end + 4);
  return sections.substr(0, sections.find("[LanguageData]"));
}

// A copy of the sample project in a fresh folder, removed again.
class SampleCopy : public ::testing::Test {
protected:
  void SetUp() override {
    static int counter = 0;
    FDir = fs::temp_directory_path() / ("ambit_cli_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(FDir);
    fs::create_directories(FDir);
    for (const char* f : {"Sample.amproj", "MainForm.dfm", "ContactsForm.dfm", "AboutBox.dfm", "German.lng",
                          "Russian.lng", "Arabic.lng"})
      fs::copy_file(SamplePath(f), FDir / f);
  }
  void TearDown() override { fs::remove_all(FDir); }
  std::string Q(const std::string& name) const { return "'" + (FDir / name).string() + "'"; }
  fs::path File(const std::string& name) const { return FDir / name; }
  std::string Project() const { return Q("Sample.amproj"); }

  fs::path FDir;
};

using AmbitShow = SampleCopy;
using AmbitTemplate = SampleCopy;

}  // namespace

TEST_F(AmbitShow, PrintsEveryFormsRecordsInTheLanguageAsItsFileHoldsThem) {
  for (const char* language : {"German", "Russian", "Arabic"}) {
    SCOPED_TRACE(language);
    const TRun run = RunAmbit("show " + Project() + " --language " + language);
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    // Every text is translated, so the forms show exactly the file's records.
    const std::size_t first = run.Output.find("\n\n[");
    ASSERT_NE(first, std::string::npos) << run.Output;
    std::string records = run.Output.substr(first + 2);
    std::string expected = FormSections(Read(File(std::string(language) + ".lng")));
    for (std::size_t p; (p = expected.find("\r\n")) != std::string::npos;) expected.replace(p, 2, "\n");
    EXPECT_EQ(records, expected);
  }
}

TEST_F(AmbitShow, NamesTheLanguageAndItsSettingsAndIgnoresCase) {
  const TRun run = RunAmbit("show " + Project() + " --language=aRaBiC");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(run.Output.substr(0, run.Output.find('\n')), "; language: Arabic, BiDiMode=1, FontCharSet=ARABIC_CHARSET");
  EXPECT_TRUE(Has(run.Output, "[MainForm]\nCaption=\"\xD9\x85\xD8\xAB\xD8\xA7\xD9\x84 Ambit\"\n")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "actOpen.Hint=\"")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "\"#13#10\"Ctrl+O")) << "texts stay on one line";
}

TEST_F(AmbitShow, WithoutALanguageShowsTheDesignedTexts) {
  const TRun run = RunAmbit("show " + Project());
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(run.Output, "; language: Original\n")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "[MainForm]\nCaption=\"Ambit Sample\"\n")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "AddressFrame1.btnClear.Caption=\"C&lear\"\n")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "tvTopics.Items=\"\"\"Getting started\"\",")) << run.Output;
  // A button showing its action's caption is shown once, under the action.
  EXPECT_TRUE(Has(run.Output, "actOpen.Caption=\"&Open...\"\n")) << run.Output;
  EXPECT_FALSE(Has(run.Output, "btnOpen.Caption")) << run.Output;
  EXPECT_EQ(RunAmbit("show " + Project() + " --language original").Output, run.Output);
}

TEST_F(AmbitShow, UnknownLanguageListsTheLanguages) {
  const TRun run = RunAmbit("show " + Project() + " --language Klingon");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(Has(run.Output, "unknown language 'Klingon'")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "German, Russian, Arabic")) << run.Output;
}

TEST_F(AmbitShow, AFormWithoutLocalizerIsReportedAndSkipped) {
  std::string about = Read(File("AboutBox.dfm"));
  about.erase(about.find("  object FormLocalizer1"), std::string::npos);
  Write(File("AboutBox.dfm"), about + "end\n");
  const TRun run = RunAmbit("show " + Project() + " --language German");
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(run.Output, "warning: form AboutBox")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "has no form localizer")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "[ContactsForm]")) << run.Output;
  EXPECT_FALSE(Has(run.Output, "[AboutBox]")) << run.Output;
}

TEST_F(AmbitShow, WarnsWhenTheFormsCannotShowTheLanguage) {
  fs::remove(File("German.lng"));
  const TRun missing = RunAmbit("show " + Project() + " --language German");
  EXPECT_EQ(missing.ExitCode, 0) << missing.Output;
  EXPECT_TRUE(Has(missing.Output, "warning: the language file " + File("German.lng").string() + " of German does not exist"))
      << missing.Output;
  // A form bound to a source of its own shows that source's language.
  std::string about = Read(File("AboutBox.dfm"));
  about.replace(about.find("  object FormLocalizer1"), 0,
                "  object OwnSource: TAmUserLanguageSource\n  end\n");
  about.replace(about.find("Source = MainForm.LanguageSource1"), 33, "Source = OwnSource");
  Write(File("AboutBox.dfm"), about);
  const TRun bound = RunAmbit("show " + Project() + " --language Russian");
  EXPECT_EQ(bound.ExitCode, 0) << bound.Output;
  EXPECT_TRUE(Has(bound.Output, "warning: the form localizer of AboutBox")) << bound.Output;
  EXPECT_TRUE(Has(bound.Output, "is bound to OwnSource on AboutBox, not to LanguageSource1")) << bound.Output;
  EXPECT_FALSE(Has(bound.Output, "does not exist")) << bound.Output;
}

TEST_F(AmbitShow, FormsWithoutSourceMissingFilesAndUsageFail) {
  Write(File("Lonely.dfm"), "object Lonely: TForm\n  Caption = 'Alone'\nend\n");
  const TRun none = RunAmbit("show " + Q("Lonely.dfm"));
  EXPECT_EQ(none.ExitCode, 1);
  EXPECT_TRUE(Has(none.Output, "none of the loaded forms has a language source")) << none.Output;
  const TRun missing = RunAmbit("show " + Q("Nowhere.dfm"));
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_TRUE(Has(missing.Output, (FDir / "Nowhere.dfm").string())) << missing.Output;
  EXPECT_EQ(RunAmbit("show").ExitCode, 2);
  EXPECT_EQ(RunAmbit("show " + Project() + " --language").ExitCode, 2);
  EXPECT_EQ(RunAmbit("show " + Project() + " --loud").ExitCode, 2);
}

TEST_F(AmbitTemplate, TheSampleGermanFileIsWhatATemplateRunWrites) {
  const std::string before = Read(File("German.lng"));
  const TRun run = RunAmbit("template " + Project() + " --language German");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(Read(File("German.lng")), before);
  EXPECT_TRUE(Has(run.Output, "MainForm: 19 records\nContactsForm: 18 records\nAboutBox: 9 records\n")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "wrote " + File("German.lng").string() + "\n")) << run.Output;
}

TEST_F(AmbitTemplate, ANewLanguageGetsTheDesignedTextsNextToTheFormFiles) {
  fs::remove(File("Russian.lng"));
  // Run from another folder: the relative file name follows the form file.
  const TRun run = RunAmbit("template " + Q("MainForm.dfm") + " " + Q("ContactsForm.dfm") + " " + Q("AboutBox.dfm") +
                            " --language russian");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const std::string written = Read(File("Russian.lng"));
  EXPECT_EQ(written.rfind("[MainForm]\r\nCaption=\"Ambit Sample\"\r\n", 0), 0u) << written;
  EXPECT_TRUE(Has(written, "[ContactsForm]\r\n")) << written;
  EXPECT_TRUE(Has(written, "AddressFrame1.edCity.Hint=\"Postal code and city\"\r\n")) << written;
  EXPECT_TRUE(Has(written, "chkCheckUpdates.Hint=\"Look for a newer version once a week\"#13#10\"Needs a")) << written;
  EXPECT_FALSE(Has(written, "miSeparator")) << "excluded";
  // What the template wrote, the forms show.
  const TRun shown = RunAmbit("show " + Project() + " --language Russian");
  ASSERT_EQ(shown.ExitCode, 0) << shown.Output;
  std::string expected = written;
  for (std::size_t p; (p = expected.find("\r\n")) != std::string::npos;) expected.replace(p, 2, "\n");
  EXPECT_EQ(shown.Output.substr(shown.Output.find("\n\n[") + 2), expected);
}

TEST_F(AmbitTemplate, KeepsTranslationsAndAddsWhatIsMissing) {
  std::string german = Read(File("German.lng"));
  const std::string line = "btnCancel.Caption=\"Abbrechen\"\r\n";
  german.erase(german.find(line), line.size());
  Write(File("German.lng"), german);
  ASSERT_EQ(RunAmbit("template " + Project() + " --language German").ExitCode, 0);
  const std::string after = Read(File("German.lng"));
  EXPECT_TRUE(Has(after, "btnCancel.Caption=\"Cancel\"\r\n")) << after;
  EXPECT_TRUE(Has(after, "actOpen.Caption=\"\xC3\x96&ffnen...\"\r\n")) << after;
}

TEST_F(AmbitTemplate, AFormWithoutLocalizerFailsBeforeAnythingIsWritten) {
  std::string about = Read(File("AboutBox.dfm"));
  about.erase(about.find("  object FormLocalizer1"), std::string::npos);
  Write(File("AboutBox.dfm"), about + "end\n");
  fs::remove(File("German.lng"));
  const TRun run = RunAmbit("template " + Project() + " --language German");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(Has(run.Output, "form AboutBox (" + File("AboutBox.dfm").string() + ") has no form localizer")) << run.Output;
  EXPECT_FALSE(fs::exists(File("German.lng")));
}

TEST_F(AmbitTemplate, NeedsAKnownLanguage) {
  EXPECT_EQ(RunAmbit("template " + Project()).ExitCode, 2);
  const TRun unknown = RunAmbit("template " + Project() + " --language Klingon");
  EXPECT_EQ(unknown.ExitCode, 1);
  EXPECT_TRUE(Has(unknown.Output, "German, Russian, Arabic")) << unknown.Output;
  // The designed texts are not a language one can write into.
  const TRun original = RunAmbit("template " + Project() + " --language Original");
  EXPECT_EQ(original.ExitCode, 1);
  EXPECT_TRUE(Has(original.Output, "'Original' names the designed texts")) << original.Output;
}

TEST_F(AmbitTemplate, TheWizardsChoicesLeaveOutFormsThatNeedNoLocalizerAndAreChecked) {
  std::string about = Read(File("AboutBox.dfm"));
  about.erase(about.find("  object FormLocalizer1"), std::string::npos);
  Write(File("AboutBox.dfm"), about + "end\n");
  const TRun run = RunAmbit("template " + Project() + " --language German --forms mainform,ContactsForm --exclusions");
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(run.Output, "AboutBox: left out\n")) << run.Output;
  EXPECT_EQ(Read(File("Sample.plf")), "") << "the wizard would not list a form without a localizer";
  EXPECT_EQ(RunAmbit("template " + Q("MainForm.dfm") + " --language German --exclusions").ExitCode, 2);
  const TRun unknown = RunAmbit("template " + Project() + " --language German --forms MainForm,Nope");
  EXPECT_EQ(unknown.ExitCode, 1);
  EXPECT_TRUE(Has(unknown.Output, "'Nope', which is no loaded form")) << unknown.Output;
}

TEST(AmbitLocalizeHelp, ExplainsHowLanguageFilesAreFound) {
  for (const char* command : {"show", "template"}) {
    const TRun help = RunAmbit(std::string(command) + " --help");
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_TRUE(Has(help.Output, std::string("Usage: ambit ") + command + " FORMFILE...")) << help.Output;
    EXPECT_TRUE(Has(help.Output, "resolved\nagainst the folder of the form file") ||
                Has(help.Output, "resolved against the folder of the form file"))
        << help.Output;
  }
  const TRun program = RunAmbit("--help");
  EXPECT_TRUE(Has(program.Output, "  show ")) << program.Output;
  EXPECT_TRUE(Has(program.Output, "  template ")) << program.Output;
}
