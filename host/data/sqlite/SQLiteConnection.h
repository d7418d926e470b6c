// TSQLiteConnection: one SQLite database (a file, or ":memory:") shared by
// the tables that name it, with a cache of prepared statements.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/data/Connection.h"

struct sqlite3;
struct sqlite3_stmt;

namespace host {

class TSQLiteConnection : public TCustomConnection {
  HOST_CLASS(TSQLiteConnection)
public:
  explicit TSQLiteConnection(TComponent* AOwner);
  ~TSQLiteConnection() override;

  // A file path, or ":memory:" for a private database in memory.
  const std::string& DatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const std::string& Value);
  // Whether connecting creates a database file that does not exist; by
  // default a missing file is an error that says so. Changing it closes
  // the connection.
  bool CreateIfMissing() const { return FCreateIfMissing; }
  void SetCreateIfMissing(bool Value);
  bool Connected() const override { return FDb != nullptr; }

  // Runs statements without parameters or results (schema set-up).
  void ExecSQL(const std::string& Sql);
  // The open handle; opens the connection when needed.
  sqlite3* Handle();
  // A prepared statement for Sql, kept until the connection closes.
  sqlite3_stmt* Prepare(const std::string& Sql);
  // Raises EDatabaseError with SQLite's last message; every error names
  // the database file.
  [[noreturn]] void RaiseError() const;
  std::string ErrorText(const std::string& Message) const;

protected:
  void DoConnect() override;
  void DoDisconnect() override;

private:
  std::string FDatabaseName;
  bool FCreateIfMissing = false;
  sqlite3* FDb = nullptr;
  std::map<std::string, sqlite3_stmt*, std::less<>> FStatements;
};

// One run of a cached statement: binds parameters from 1 on, steps through
// the rows and resets the statement when it goes out of scope.
class TSQLiteQuery {
public:
  TSQLiteQuery(TSQLiteConnection& Connection, const std::string& Sql);
  ~TSQLiteQuery();
  TSQLiteQuery(const TSQLiteQuery&) = delete;
  TSQLiteQuery& operator=(const TSQLiteQuery&) = delete;

  TSQLiteQuery& Bind(const std::optional<std::string>& Value);
  TSQLiteQuery& BindInt64(std::int64_t Value);
  // True while there is a row.
  bool Step();
  // Runs a statement without rows.
  void Exec();
  std::optional<std::string> Column(int Index) const;
  // The value in place, valid until the next Step: nullopt for null.
  std::optional<std::string_view> ColumnView(int Index) const;
  std::int64_t ColumnInt64(int Index) const;
  // Whether the value is stored as an integer.
  bool IsInteger(int Index) const;

private:
  TSQLiteConnection& FConnection;
  sqlite3_stmt* FStmt;
  int FNext = 1;
};

// Registers the SQLite dataset classes for streaming and the designer.
void RegisterSQLiteClasses();

}  // namespace host
