// The databases the behaviour tests run against: SQLite in memory, SQLite
// in a file, and PostgreSQL in the throwaway cluster named by
// AMBIT_PG_CONNINFO. Each test database lives in its own file or schema, so
// tests in parallel processes never meet.
#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "host/core/Component.h"
#include "host/data/DataSet.h"
#include "host/data/postgres/PgConnection.h"
#include "host/data/postgres/PgTable.h"
#include "host/data/sqlite/SQLiteConnection.h"
#include "host/data/sqlite/SQLiteTable.h"

namespace testdb {

enum class TBackend { SQLiteMemory, SQLiteFile, Postgres };

inline std::string BackendName(TBackend b) {
  switch (b) {
    case TBackend::SQLiteMemory: return "SQLiteMemory";
    case TBackend::SQLiteFile: return "SQLiteFile";
    case TBackend::Postgres: return "Postgres";
  }
  return "";
}

inline std::string UniqueSuffix() {
  static std::atomic<int> counter{0};
  return std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

inline std::string Replace(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) s.replace(p, from.size(), to);
  return s;
}

// One database with a root component that owns its connection and tables.
class TTestDatabase {
public:
  virtual ~TTestDatabase() = default;
  // Null for PostgreSQL when no cluster is configured.
  static std::unique_ptr<TTestDatabase> Create(TBackend Backend);

  TBackend Backend() const { return FBackend; }
  host::TComponent* Root() const { return FRoot.get(); }
  // Runs schema SQL; "{id}" stands for an auto-numbered primary key column id.
  virtual void Exec(const std::string& Sql) = 0;
  virtual host::TDataSet* NewTable(const std::string& TableName, host::TComponent* Owner = nullptr) = 0;
  // Reconnects refusing (or allowing) writes.
  virtual void SetReadOnly(bool Value) = 0;
  virtual host::TComponent* Connection() const = 0;

protected:
  explicit TTestDatabase(TBackend Backend) : FBackend(Backend), FRoot(std::make_unique<host::TComponent>(nullptr)) {}
  TBackend FBackend;
  std::unique_ptr<host::TComponent> FRoot;
};

class TSQLiteTestDatabase : public TTestDatabase {
public:
  explicit TSQLiteTestDatabase(TBackend Backend) : TTestDatabase(Backend) {
    FConnection = new host::TSQLiteConnection(FRoot.get());
    if (Backend == TBackend::SQLiteFile) {
      const char* tmp = std::getenv("TMPDIR");
      FFile = std::string(tmp && *tmp ? tmp : "/tmp") + "/ambit-test-" + UniqueSuffix() + ".db";
      std::remove(FFile.c_str());
      FConnection->SetDatabaseName(FFile);
      FConnection->SetCreateIfMissing(true);
    } else {
      FConnection->SetDatabaseName(":memory:");
    }
  }
  ~TSQLiteTestDatabase() override {
    FRoot.reset();
    if (!FFile.empty()) std::remove(FFile.c_str());
  }
  void Exec(const std::string& Sql) override { FConnection->ExecSQL(Replace(Sql, "{id}", "id INTEGER PRIMARY KEY")); }
  host::TDataSet* NewTable(const std::string& TableName, host::TComponent* Owner) override {
    auto* t = new host::TSQLiteTable(Owner ? Owner : FRoot.get());
    t->SetConnection(FConnection);
    t->SetTableName(TableName);
    return t;
  }
  void SetReadOnly(bool Value) override {
    // A database in memory lives only as long as its connection, so it
    // refuses writes without reconnecting.
    if (FBackend == TBackend::SQLiteMemory)
      FConnection->ExecSQL(Value ? "PRAGMA query_only = 1" : "PRAGMA query_only = 0");
    else
      FConnection->SetReadOnly(Value);
  }
  host::TComponent* Connection() const override { return FConnection; }

private:
  host::TSQLiteConnection* FConnection;
  std::string FFile;
};

class TPgTestDatabase : public TTestDatabase {
public:
  explicit TPgTestDatabase(const std::string& ConnInfo) : TTestDatabase(TBackend::Postgres), FConnInfo(ConnInfo) {
    FSchema = "ambit_test_" + UniqueSuffix();
    FConnection = new host::TPgConnection(FRoot.get());
    FConnection->SetConnectionString(ConnInfo + " options='-c search_path=" + FSchema + "'");
    FConnection->ExecSQL("CREATE SCHEMA " + FSchema);
  }
  ~TPgTestDatabase() override {
    FRoot.reset();
    try {
      host::TPgConnection admin(nullptr);
      admin.SetConnectionString(FConnInfo);
      admin.ExecSQL("DROP SCHEMA IF EXISTS " + FSchema + " CASCADE");
    } catch (...) {
      // The cluster is thrown away at the end anyway.
    }
  }
  void Exec(const std::string& Sql) override { FConnection->ExecSQL(Replace(Sql, "{id}", "id SERIAL PRIMARY KEY")); }
  host::TDataSet* NewTable(const std::string& TableName, host::TComponent* Owner) override {
    auto* t = new host::TPgTable(Owner ? Owner : FRoot.get());
    t->SetConnection(FConnection);
    t->SetTableName(TableName);
    return t;
  }
  void SetReadOnly(bool Value) override { FConnection->SetReadOnly(Value); }
  host::TComponent* Connection() const override { return FConnection; }

private:
  std::string FConnInfo;
  std::string FSchema;
  host::TPgConnection* FConnection;
};

inline std::unique_ptr<TTestDatabase> TTestDatabase::Create(TBackend Backend) {
  if (Backend != TBackend::Postgres) return std::make_unique<TSQLiteTestDatabase>(Backend);
  const char* conninfo = std::getenv("AMBIT_PG_CONNINFO");
  if (!conninfo || !*conninfo) return nullptr;
  return std::make_unique<TPgTestDatabase>(conninfo);
}

inline std::string ParamName(const testing::TestParamInfo<TBackend>& Info) { return BackendName(Info.param); }

}  // namespace testdb

// Instantiates a suite parameterised by TBackend for every database.
#define AMBIT_INSTANTIATE_FOR_DATABASES(Suite)                                                           \
  INSTANTIATE_TEST_SUITE_P(Db, Suite,                                                                     \
                           testing::Values(testdb::TBackend::SQLiteMemory, testdb::TBackend::SQLiteFile, \
                                           testdb::TBackend::Postgres),                                  \
                           testdb::ParamName)
