// A SQLite connection opens an existing database file and never creates one
// unasked; every error names the file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <functional>

#include "host/data/sqlite/SQLiteConnection.h"
#include "host/data/sqlite/SQLiteTable.h"
#include "tests/host/data/TestDatabases.h"

using namespace host;

TEST(SQLiteFile, AMissingFileIsReportedAndNotCreated) {
  const std::string file = "/tmp/ambit-missing-" + testdb::UniqueSuffix() + ".sqlite";
  TSQLiteConnection db(nullptr);
  db.SetDatabaseName(file);
  try {
    db.Open();
    FAIL() << "opened a missing database";
  } catch (const EDatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("\"" + file + "\": the file does not exist"), std::string::npos) << e.what();
  }
  struct stat st{};
  EXPECT_NE(::stat(file.c_str(), &st), 0) << "created " << file;
  // Asked for, it is created.
  db.SetCreateIfMissing(true);
  db.ExecSQL("CREATE TABLE t (a TEXT)");
  EXPECT_EQ(::stat(file.c_str(), &st), 0);
  std::remove(file.c_str());
}

TEST(SQLiteFile, ErrorsNameTheDatabaseFile) {
  TSQLiteConnection db(nullptr);
  db.SetDatabaseName(":memory:");
  TSQLiteTable table(nullptr);
  table.SetConnection(&db);
  table.SetTableName("Translations");
  for (auto fail : std::initializer_list<std::function<void()>>{[&] { table.Open(); },
                                                               [&] { db.ExecSQL("SELECT * FROM nowhere"); }}) {
    try {
      fail();
      ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& e) {
      EXPECT_NE(std::string(e.what()).find("SQLite database \":memory:\": "), std::string::npos) << e.what();
    }
  }
}
