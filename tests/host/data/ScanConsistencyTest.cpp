// What a walk visits, RecordCount counts and edits do to a scan: a row is
// visited once, only while it passes the filter, and counts agree with
// walks whatever the columns' collations or types.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/data/DataSetFixture.h"

using namespace host;
using namespace testdb;

namespace {

class ScanTest : public testing::TestWithParam<TBackend> {
protected:
  void SetUp() override {
    db = TTestDatabase::Create(GetParam());
    if (!db) GTEST_SKIP() << "AMBIT_PG_CONNINFO is not set";
  }
  bool Postgres() const { return GetParam() == TBackend::Postgres; }

  // An open table of Rows rows with a = 'x', filtered on that value.
  TDataSet* FilteredRows(int Rows) {
    db->Exec("CREATE TABLE t ({id}, a TEXT)");
    std::string values;
    for (int i = 0; i < Rows; ++i) values += i ? ", ('x')" : "('x')";
    db->Exec("INSERT INTO t (a) VALUES " + values);
    TDataSet* ds = db->NewTable("t");
    ds->SetRowFilter(TRowFilter().Equal("a", "x"));
    ds->Open();
    return ds;
  }
  // Posts a new value of a into the current row.
  static void PostA(TDataSet* ds, const std::string& Value) {
    ds->Edit();
    ds->FieldByName("a")->SetAsString(Value);
    ds->Post();
  }

  // Column "id" of every row a walk from First visits.
  static std::vector<std::string> Walk(TDataSet* ds, const char* Field = "id") {
    std::vector<std::string> ids;
    for (ds->First(); !ds->Eof(); ds->Next()) ids.push_back(ds->FieldByName(Field)->AsString());
    return ids;
  }

  std::unique_ptr<TTestDatabase> db;
};

TEST_P(ScanTest, RecordCountAgreesWithAWalkOnLooseColumns) {
  // Case-insensitive on SQLite, blank-padded on PostgreSQL: the query alone
  // would take all three rows.
  db->Exec(std::string("CREATE TABLE t ({id}, name ") + (Postgres() ? "CHAR(5)" : "TEXT COLLATE NOCASE") + ")");
  db->Exec("INSERT INTO t (name) VALUES ('abc'), ('ABC'), ('Abc')");
  TDataSet* ds = db->NewTable("t");
  const std::string stored = Postgres() ? "abc  " : "abc";
  ds->SetRowFilter(TRowFilter().Equal("name", stored));
  ds->Open();
  EXPECT_EQ(Walk(ds).size(), 1u);
  EXPECT_EQ(ds->RecordCount(), 1);
}

TEST_P(ScanTest, AFilterTakingEmptyValuesMeetsEveryNullRowOnce) {
  db->Exec("CREATE TABLE t ({id}, n INTEGER)");
  db->Exec("INSERT INTO t (n) VALUES (NULL), (1), (NULL), (2)");
  TDataSet* ds = db->NewTable("t");
  ds->SetRowFilter(TRowFilter().EmptyOrEqual("n", "1"));
  ds->Open();
  EXPECT_EQ(Walk(ds), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(ds->RecordCount(), 3);
  ds->SetRowFilter(TRowFilter().Equal("n", ""));
  EXPECT_EQ(Walk(ds), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(ds->RecordCount(), 2);
}

TEST_P(ScanTest, ARowEditedOutOfTheFilterIsLeftBehind) {
  TDataSet* ds = FilteredRows(3);
  PostA(ds, "y");
  EXPECT_EQ(ds->FieldByName("a")->AsString(), "y") << "it stays current until the cursor moves";
  ds->Next();
  EXPECT_EQ(ds->FieldByName("id")->AsString(), "2");
  ds->Prior();
  EXPECT_EQ(ds->FieldByName("id")->AsString(), "2");
  EXPECT_TRUE(ds->Bof());
  // The last one, edited away and then left backwards; its neighbour deleted.
  ds->Last();
  PostA(ds, "y");
  ds->Prior();
  EXPECT_EQ(ds->FieldByName("id")->AsString(), "2");
  ds->Delete();
  EXPECT_TRUE(ds->Eof());
  EXPECT_TRUE(ds->Bof());
  EXPECT_EQ(ds->RecordCount(), 0);
}

TEST_P(ScanTest, DeletingARowEditedOutOfTheFilterMovesToAPassingOne) {
  TDataSet* ds = FilteredRows(3);
  PostA(ds, "y");
  ds->Delete();
  EXPECT_EQ(ds->FieldByName("id")->AsString(), "2");
  ds->Next();
  EXPECT_EQ(ds->FieldByName("id")->AsString(), "3");
  ds->Next();
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(ds->FieldByName("id")->AsString(), "3");
}

TEST_P(ScanTest, TheRowLeftAfterDeletingAnEditedRowStaysInHand) {
  TDataSet* ds = FilteredRows(2);
  PostA(ds, "y");
  ds->Delete();
  ASSERT_EQ(ds->FieldByName("id")->AsString(), "2");
  ds->Next();
  EXPECT_TRUE(ds->Eof());
  EXPECT_FALSE(ds->Bof()) << "the passing row is still there";
  EXPECT_EQ(ds->FieldByName("id")->AsString(), "2");
}

TEST_P(ScanTest, EditingTheKeyKeepsTheRowInHand) {
  db->Exec("CREATE TABLE t ({id}, a TEXT)");
  db->Exec("INSERT INTO t (a) VALUES ('one'), ('two')");
  TDataSet* ds = db->NewTable("t");
  ds->Open();
  ds->Edit();
  ds->FieldByName("id")->SetAsString("10");
  ds->Post();
  ds->Edit();
  ds->FieldByName("a")->SetAsString("uno");
  ds->Post();  // the row is found under its new key
  EXPECT_EQ(ds->FieldByName("a")->AsString(), "uno");
  ds->Delete();
  ds->Close();
  ds->Open();
  EXPECT_EQ(Walk(ds), std::vector<std::string>{"2"});
}

TEST_P(ScanTest, AnEditLoopVisitsEveryRowOnce) {
  // Enough rows to cross several batches; each edit moves its row ahead of
  // the scan (a larger key, or on PostgreSQL without a key a new place).
  db->Exec("CREATE TABLE keyed ({id}, n INTEGER)");
  db->Exec("CREATE TABLE plain (n INTEGER)");
  std::string values;
  for (int i = 1; i <= 300; ++i) values += (i > 1 ? "," : "") + std::string("(") + std::to_string(i) + ")";
  db->Exec("INSERT INTO keyed (n) VALUES " + values);
  db->Exec("INSERT INTO plain (n) VALUES " + values);
  for (const char* table : {"keyed", "plain"}) {
    TDataSet* ds = db->NewTable(table);
    ds->Open();
    int visits = 0;
    for (ds->First(); !ds->Eof(); ds->Next()) {
      ++visits;
      ds->Edit();
      const std::string field = std::string(table) == "keyed" ? "id" : "n";
      ds->FieldByName(field)->SetAsString(std::to_string(std::stoi(ds->FieldByName(field)->AsString()) + 1000));
      ds->Post();
    }
    EXPECT_EQ(visits, 300) << table;
    ds->Close();
    ds->Open();
    const std::vector<std::string> after = Walk(ds, std::string(table) == "keyed" ? "id" : "n");
    ASSERT_EQ(after.size(), 300u) << table;
    for (const std::string& v : after) EXPECT_GT(std::stoi(v), 1000) << table << ": every row once";
  }
}

}  // namespace

AMBIT_INSTANTIATE_FOR_DATABASES(ScanTest);
