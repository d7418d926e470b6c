// Every failure of ambit is reported, and said so that a user knows what to
// do: output that cannot be written, stores that cannot be reached or would
// be damaged, and the mistakes a new user makes on the command line and in
// the sample project's files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "RunAmbit.h"
#include "host/data/sqlite/SQLiteConnection.h"

using namespace ambittest;
namespace fs = std::filesystem;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class AmbitFailures : public ::testing::Test {
protected:
  void SetUp() override {
    static int counter = 0;
    FDir = fs::temp_directory_path() / ("ambit_fail_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(FDir);
    fs::copy(SamplePath(""), FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }
  std::string Q(const std::string& name) const { return "'" + (FDir / name).string() + "'"; }
  // Replaces From by To in a file of the copy.
  void Edit(const std::string& name, const std::string& From, const std::string& To) {
    std::ifstream in(FDir / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    ASSERT_NE(text.find(From), std::string::npos) << From;
    text.replace(text.find(From), From.size(), To);
    std::ofstream(FDir / name, std::ios::binary | std::ios::trunc) << text;
  }
  std::string Sql(const std::string& Statement) {
    host::TSQLiteConnection db(nullptr);
    db.SetDatabaseName((FDir / "Sample.sqlite").string());
    host::TSQLiteQuery q(db, Statement);
    return q.Step() ? q.Column(0).value_or("") : std::string();
  }

  fs::path FDir;
};

TEST_F(AmbitFailures, OutputThatCannotBeWrittenFails) {
  const std::string show = "show " + Q("Sample.amproj") + " --language German";
  const TRun full = RunAmbit(show, " >/dev/full");
  EXPECT_EQ(full.ExitCode, 1);
  EXPECT_TRUE(Has(full.Output, "ambit show: cannot write the output: No space left on device")) << full.Output;
  const TRun closed = RunAmbit(show, " >&-");
  EXPECT_EQ(closed.ExitCode, 1);
  EXPECT_TRUE(Has(closed.Output, "standard output is closed")) << closed.Output;
}

TEST_F(AmbitFailures, ANamedPipeAsLanguageFileIsRefusedAndLeftAlone) {
  ASSERT_EQ(::mkfifo((FDir / "pipe.lng").c_str(), 0644), 0);
  Edit("MainForm.dfm", "'German=German.lng'", "'German=pipe.lng'");
  for (const char* command : {"show", "template"}) {
    const TRun run = RunAmbit(std::string(command) + " " + Q("Sample.amproj") + " --language German");
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(Has(run.Output, "pipe.lng\": it is a named pipe (FIFO), not a regular file")) << run.Output;
  }
  EXPECT_TRUE(fs::is_fifo(FDir / "pipe.lng"));
}

TEST_F(AmbitFailures, DatabaseKeysSpelledOtherwiseStopTheTemplate) {
  Sql("UPDATE Translations SET Lang = 'DE' WHERE Lang = 'de'");
  const TRun run = RunAmbit("template " + Q("SampleDB.amproj") + " --language German");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(Has(run.Output, "has the key 'de'")) << run.Output;
  EXPECT_TRUE(Has(run.Output, "spell it 'DE'")) << run.Output;
  EXPECT_EQ(Sql("SELECT Value FROM Translations WHERE Lang = 'DE' AND Section = 'MainForm' AND Name = 'Caption'"),
            "Ambit-Beispiel");
}

TEST_F(AmbitFailures, AMissingDatabaseFileIsNamedAndNotCreated) {
  fs::remove(FDir / "Sample.sqlite");
  const TRun run = RunAmbit("show " + Q("SampleDB.amproj") + " --language German");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(Has(run.Output, "SQLite database \"" + (FDir / "Sample.sqlite").string() + "\": the file does not exist"))
      << run.Output;
  EXPECT_FALSE(fs::exists(FDir / "Sample.sqlite"));
  fs::copy_file(SamplePath("Sample.sqlite"), FDir / "Sample.sqlite");
  Edit("LanguageData.dfm", "DataFields.ValueField = 'Value'", "DataFields.ValueField = 'Text'");
  const TRun column = RunAmbit("show " + Q("SampleDB.amproj") + " --language German");
  EXPECT_EQ(column.ExitCode, 1);
  EXPECT_TRUE(Has(column.Output, "has no column 'Text' (DataFields.ValueField of DBLanguageSource1 on LanguageData); "
                                 "its columns are: Id, Lang, Section, Name, Value"))
      << column.Output;
}

TEST_F(AmbitFailures, MistakesOnTheCommandLineAreExplained) {
  const std::string project = Q("Sample.amproj");
  const std::pair<std::string, std::string> runs[] = {
      {"show " + project + " " + Q("MainForm.dfm"), "is a project file: give it alone"},
      {"show " + Q("ContactsForm.dfm"), "no form MainForm is loaded: read its form file before this one; the project "
                                        "file " + (FDir / "Sample.amproj").string() + " loads its forms in order"},
      {"show " + project + " --language German --language Russian", "--language is given twice"},
  };
  for (const auto& [args, message] : runs) {
    const TRun run = RunAmbit(args);
    EXPECT_NE(run.ExitCode, 0) << args;
    EXPECT_TRUE(Has(run.Output, message)) << run.Output;
  }
  fs::copy_file(FDir / "Sample.amproj", FDir / "Copy.dfm");
  EXPECT_TRUE(Has(RunAmbit("show " + Q("Copy.dfm")).Output, "this is an INI file (a project or language file?)"));
}

TEST_F(AmbitFailures, LanguageListsAndFilesThatGiveNothingAreExplained) {
  std::ofstream(FDir / "German.lng", std::ios::trunc) << "[SomeOtherForm]\r\nCaption=\"x\"\r\n";
  EXPECT_TRUE(Has(RunAmbit("show " + Q("Sample.amproj") + " --language German").Output,
                  "has no section for any of the loaded forms (it has: SomeOtherForm)"));
  Edit("MainForm.dfm", "'Russian=Russian.lng'", "'Russian='");
  const TRun empty = RunAmbit("template " + Q("Sample.amproj") + " --language Russian");
  EXPECT_EQ(empty.ExitCode, 1);
  EXPECT_TRUE(Has(empty.Output, "reads 'Russian='; write Russian=Russian.lng; nothing was written")) << empty.Output;
  Edit("MainForm.dfm", "'Arabic=Arabic.lng'", "'Arabic'");
  const TRun noEquals = RunAmbit("show " + Q("Sample.amproj") + " --language Arabic");
  EXPECT_EQ(noEquals.ExitCode, 1);
  EXPECT_TRUE(Has(noEquals.Output, "'Arabic', has no '='")) << noEquals.Output;
}

}  // namespace
