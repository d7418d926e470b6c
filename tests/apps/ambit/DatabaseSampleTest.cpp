// The sample's database variant: the same forms localized from a SQLite
// table instead of language files. ambit picks the database source that the
// project names, binds every form to it, finds the database beside the form
// files, and reads and writes it as it does language files.
#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "RunAmbit.h"
#include "host/data/sqlite/SQLiteConnection.h"

using namespace ambittest;
namespace fs = std::filesystem;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class DatabaseSample : public ::testing::Test {
protected:
  void SetUp() override {
    static int counter = 0;
    FDir = fs::temp_directory_path() / ("ambit_db_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(FDir);
    fs::create_directories(FDir);
    for (const char* f : {"Sample.amproj", "SampleDB.amproj", "MainForm.dfm", "ContactsForm.dfm", "AboutBox.dfm",
                          "LanguageData.dfm", "German.lng", "Russian.lng", "Arabic.lng", "Sample.sqlite"})
      fs::copy_file(SamplePath(f), FDir / f);
  }
  void TearDown() override { fs::remove_all(FDir); }
  std::string Q(const std::string& name) const { return "'" + (FDir / name).string() + "'"; }
  // The four forms as loose files, in the database project's order.
  std::string Forms() const { return Q("MainForm.dfm") + " " + Q("ContactsForm.dfm") + " " + Q("AboutBox.dfm") + " " + Q("LanguageData.dfm"); }
  void Sql(const std::string& statement) {
    host::TSQLiteConnection db(nullptr);
    db.SetDatabaseName((FDir / "Sample.sqlite").string());
    db.ExecSQL(statement);
  }

  fs::path FDir;
};

}  // namespace

TEST_F(DatabaseSample, TheDatabaseHoldsTheSameTextsAsTheLanguageFiles) {
  for (const char* language : {"Original", "German", "Russian", "Arabic"}) {
    SCOPED_TRACE(language);
    const TRun fromDatabase = RunAmbit("show " + Q("SampleDB.amproj") + " --language " + language);
    const TRun fromFiles = RunAmbit("show " + Forms() + " --source MainForm.LanguageSource1 --language " + language);
    ASSERT_EQ(fromDatabase.ExitCode, 0) << fromDatabase.Output;
    ASSERT_EQ(fromFiles.ExitCode, 0) << fromFiles.Output;
    EXPECT_TRUE(Has(fromDatabase.Output, "[LanguageData]\n")) << fromDatabase.Output;
    EXPECT_EQ(fromDatabase.Output, fromFiles.Output);
  }
  const TRun arabic = RunAmbit("show " + Q("SampleDB.amproj") + " --language Arabic");
  EXPECT_EQ(arabic.Output.substr(0, arabic.Output.find('\n')), "; language: Arabic, BiDiMode=1, FontCharSet=ARABIC_CHARSET");
}

TEST_F(DatabaseSample, TheDatabaseIsFoundBesideTheFormsWhateverTheCurrentFolder) {
  const fs::path elsewhere = FDir / "elsewhere";
  fs::create_directories(elsewhere);
  const fs::path before = fs::current_path();
  fs::current_path(elsewhere);
  const TRun run = RunAmbit("show " + Q("SampleDB.amproj") + " --language German");
  fs::current_path(before);
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(run.Output, "[LanguageData]\nCaption=\"\xC3\x9C" "bersetzungsdatenbank\"\n")) << run.Output;
  EXPECT_FALSE(fs::exists(elsewhere / "Sample.sqlite"));
  EXPECT_EQ(fs::directory_iterator(elsewhere), fs::directory_iterator()) << "nothing is created in another folder";
}

TEST_F(DatabaseSample, ATemplateWritesMissingRecordsIntoTheTableAndKeepsTranslations) {
  Sql("DELETE FROM Translations WHERE Lang = 'de' AND Section = 'LanguageData' AND Name = 'lblDatabase.Caption'");
  const TRun before = RunAmbit("show " + Q("SampleDB.amproj") + " --language German");
  EXPECT_TRUE(Has(before.Output, "lblDatabase.Caption=\"The sample's texts in every language, kept in Sample.sqlite\"\n"))
      << "a record the language lacks shows the designed text\n" << before.Output;

  // Recreating rewrites a language file; a table is no file.
  const TRun recreate = RunAmbit("template " + Q("SampleDB.amproj") + " --language German --recreate");
  EXPECT_EQ(recreate.ExitCode, 1);
  EXPECT_TRUE(Has(recreate.Output, "keeps no language files")) << recreate.Output;
  const TRun run = RunAmbit("template " + Q("SampleDB.amproj") + " --language German");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(Has(run.Output, "wrote DBLanguageSource1 on LanguageData (German)\n")) << run.Output;

  host::TSQLiteConnection db(nullptr);
  db.SetDatabaseName((FDir / "Sample.sqlite").string());
  host::TSQLiteQuery q(db, "SELECT Value FROM Translations WHERE Lang = 'de' AND Name = ?");
  q.Bind(std::string("lblDatabase.Caption"));
  ASSERT_TRUE(q.Step()) << "the template wrote the missing record";
  EXPECT_EQ(q.Column(0).value_or(""), "The sample's texts in every language, kept in Sample.sqlite");
  host::TSQLiteQuery kept(db, "SELECT Value FROM Translations WHERE Lang = 'de' AND Section = 'MainForm' AND Name = ?");
  kept.Bind(std::string("Caption"));
  ASSERT_TRUE(kept.Step());
  EXPECT_EQ(kept.Column(0).value_or(""), "Ambit-Beispiel") << "translations already there are kept";
}

TEST_F(DatabaseSample, ASourceNameThatIsNoLanguageSourceIsAClearError) {
  for (const char* name : {"NoSuchSource", "MainForm.lbColors", "AboutBox.LanguageSource1"}) {
    SCOPED_TRACE(name);
    const TRun run = RunAmbit("show " + Q("SampleDB.amproj") + " --source " + name + " --language German");
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(Has(run.Output, std::string("no language source named '") + name + "'")) << run.Output;
  }
  const TRun missing = RunAmbit("show " + Q("SampleDB.amproj") + " --source");
  EXPECT_EQ(missing.ExitCode, 2);
  EXPECT_TRUE(Has(missing.Output, "--source needs a component name")) << missing.Output;
}
