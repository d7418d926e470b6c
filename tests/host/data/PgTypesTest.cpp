// PostgreSQL columns whose order or text form is not plain bytes: look-ups
// must still give what a row-by-row scan of the dataset gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "host/data/postgres/PgTable.h"
#include "tests/host/data/DataSetFixture.h"

using namespace host;
using namespace testdb;

namespace {

class PgTypesTest : public DataSetTest {
protected:
  void SetUp() override {
    db = TTestDatabase::Create(GetParam());
    if (!db) GTEST_SKIP() << "AMBIT_PG_CONNINFO is not set";
  }

  // The value of the first row, in dataset order, whose name equals Name
  // ignoring case: what a scan finds.
  static std::string ScanFirst(TDataSet* ds, const std::string& Name) {
    for (ds->First(); !ds->Eof(); ds->Next())
      if (SameText(ds->FieldByName("name")->AsString(), Name)) return ds->FieldByName("value")->AsString();
    return "<none>";
  }

  // Every spelling, inserted in each of a few orders, is found as the scan
  // finds it. Exec runs SQL on the table's database.
  void ExpectLocateMatchesTheScan(TDataSet* ds, const std::function<void(const std::string&)>& Exec) {
    const std::vector<std::vector<const char*>> orders = {
        {"mainForm", "MAINFORM", "mainform", "MainForm"},
        {"mainform", "MainForm", "MAINFORM", "mainForm"},
        {"MAINFORM", "mainform", "mainForm", "MainForm"},
        {"MAINFORM", "MainForm", "mainForm", "mainform"},
    };
    for (const auto& order : orders) {
      ds->Close();
      Exec("DELETE FROM texts");
      // Stored last to first, so that the table's physical order is not
      // the dataset's order.
      for (int i = static_cast<int>(order.size()) - 1; i >= 0; --i)
        Exec("INSERT INTO texts (id, name, value) VALUES (" + std::to_string(i + 1) + ", '" + order[i] + "', '" +
                 std::to_string(i) + order[i] + "')");
      ds->Open();
      for (const char* probe : {"MAINFORM", "mainform", "MainForm"}) {
        const std::string expected = ScanFirst(ds, probe);
        ASSERT_TRUE(ds->Locate("name", {probe}, {loCaseInsensitive})) << probe;
        EXPECT_EQ(ds->FieldByName("value")->AsString(), expected) << probe;
      }
    }
  }
};

TEST_P(PgTypesTest, CaseInsensitiveLocateOnACaseInsensitiveColumn) {
  db->Exec("CREATE EXTENSION IF NOT EXISTS citext");
  db->Exec("CREATE TABLE texts (id INTEGER PRIMARY KEY, name citext, value TEXT)");
  db->Exec("CREATE INDEX ON texts (name)");
  TDataSet* ds = db->NewTable("texts");
  ExpectLocateMatchesTheScan(ds, [&](const std::string& Sql) { db->Exec(Sql); });
}

TEST_P(PgTypesTest, CaseInsensitiveLocateInADatabaseOrderedByIcu) {
  // The database's default collation is called C but sorts the ICU way.
  const std::string conninfo = std::getenv("AMBIT_PG_CONNINFO");
  const std::string name = "ambit_icu_" + UniqueSuffix();
  TPgConnection admin(nullptr);
  admin.SetConnectionString(conninfo);
  try {
    admin.ExecSQL("CREATE DATABASE " + name +
                  " TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C' LOCALE_PROVIDER icu ICU_LOCALE 'und'");
  } catch (const EDatabaseError& e) {
    GTEST_SKIP() << "no ICU in this server: " << e.what();
  }
  {
    TComponent root(nullptr);
    auto* conn = new TPgConnection(&root);
    conn->SetConnectionString(conninfo + " dbname=" + name);
    conn->ExecSQL("CREATE TABLE texts (id INTEGER PRIMARY KEY, name TEXT, value TEXT)");
    conn->ExecSQL("CREATE INDEX ON texts (name)");
    auto* ds = new TPgTable(&root);
    ds->SetConnection(conn);
    ds->SetTableName("texts");
    ExpectLocateMatchesTheScan(ds, [&](const std::string& Sql) { conn->ExecSQL(Sql); });
  }
  admin.ExecSQL("DROP DATABASE " + name);
}

TEST_P(PgTypesTest, FiltersCompareWhatTheDatasetReads) {
  // A boolean reads as "t" and an address without its mask; the look-ups
  // must see the same texts.
  db->Exec("CREATE TABLE texts ({id}, flag BOOLEAN, addr INET, value TEXT)");
  db->Exec("INSERT INTO texts (flag, addr, value) VALUES (false, '10.0.0.1', 'a'), (true, '10.0.0.2', 'b')");
  TDataSet* ds = db->NewTable("texts");
  ds->Open();
  ds->First();
  ASSERT_EQ(ds->FieldByName("flag")->AsString(), "f");
  ASSERT_EQ(ds->FieldByName("addr")->AsString(), "10.0.0.1");
  ASSERT_TRUE(ds->Locate("flag", {"t"}));
  EXPECT_EQ(ds->FieldByName("value")->AsString(), "b");
  ASSERT_TRUE(ds->Locate("addr", {"10.0.0.1"}));
  EXPECT_EQ(ds->FieldByName("value")->AsString(), "a");
  EXPECT_FALSE(ds->Locate("flag", {"true"})) << "only the text the dataset shows matches";
}

INSTANTIATE_TEST_SUITE_P(Db, PgTypesTest, testing::Values(TBackend::Postgres), ParamName);

}  // namespace
