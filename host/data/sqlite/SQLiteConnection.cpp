#include "host/data/sqlite/SQLiteConnection.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include "host/core/ClassRegistry.h"
#include "host/core/FormFolder.h"
#include "host/data/sqlite/SQLiteTable.h"

namespace host {

const TClass& TSQLiteConnection::StaticClass() {
  static const TClass cls = TClassBuilder<TSQLiteConnection>("TSQLiteConnection", &TCustomConnection::StaticClass())
                                .Prop("DatabaseName", &TSQLiteConnection::DatabaseName,
                                      &TSQLiteConnection::SetDatabaseName)
                                .Prop("ReadOnly", &TSQLiteConnection::ReadOnly, &TSQLiteConnection::SetReadOnly)
                                .Default(false)
                                .Prop("CreateIfMissing", &TSQLiteConnection::CreateIfMissing,
                                      &TSQLiteConnection::SetCreateIfMissing)
                                .Default(false)
                                .Prop("Connected", &TSQLiteConnection::Connected, &TSQLiteConnection::SetConnected)
                                .Default(false)
                                .Build();
  return cls;
}
const TClass& TSQLiteConnection::ClassType() const { return StaticClass(); }

TSQLiteConnection::TSQLiteConnection(TComponent* AOwner) : TCustomConnection(AOwner) {}

TSQLiteConnection::~TSQLiteConnection() {
  Destroying();
  Close();
}

void TSQLiteConnection::SetDatabaseName(const std::string& Value) {
  if (Value == FDatabaseName) return;
  Close();
  FDatabaseName = Value;
}

void TSQLiteConnection::SetCreateIfMissing(bool Value) {
  if (Value == FCreateIfMissing) return;
  Close();
  FCreateIfMissing = Value;
}

std::string TSQLiteConnection::ErrorText(const std::string& Message) const {
  return "SQLite database \"" + FDatabaseName + "\": " + Message;
}

void TSQLiteConnection::DoConnect() {
  if (FDatabaseName.empty()) throw EDatabaseError("No database name given for the SQLite connection");
  sqlite3* db = nullptr;
  // A missing file would otherwise be created empty, and the next error
  // would speak of a missing table instead of the missing file. A connection
  // is only ever used from the main thread: without its mutex every call into
  // SQLite (each column of each row) is cheaper.
  const int flags =
      SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX | (FCreateIfMissing ? SQLITE_OPEN_CREATE : 0);
  // A file named relative to the form lies in the form's folder when it
  // has one (a designer gives each project's forms theirs).
  const bool special = FDatabaseName == ":memory:" || FDatabaseName.rfind("file:", 0) == 0;
  const std::string file = special ? FDatabaseName : ExpandFormFileName(this, FDatabaseName);
  const int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close(db);
    struct stat st{};
    if (rc == SQLITE_CANTOPEN && !special && ::stat(file.c_str(), &st) != 0)
      throw EDatabaseError(ErrorText("the file does not exist; check the connection's DatabaseName"));
    throw EDatabaseError(ErrorText(message));
  }
  FDb = db;
  sqlite3_extended_result_codes(FDb, 1);
  // Translators may share one file; wait for a writer instead of failing.
  sqlite3_busy_timeout(FDb, 5000);
  // query_only refuses writes also for a database in memory, which cannot
  // be opened read-only.
  if (ReadOnly()) {
    try {
      ExecSQL("PRAGMA query_only = 1");
    } catch (...) {
      // Never leave a connection open that would let writes through.
      DoDisconnect();
      throw;
    }
  }
}

void TSQLiteConnection::DoDisconnect() {
  for (auto& [sql, stmt] : FStatements) sqlite3_finalize(stmt);
  FStatements.clear();
  sqlite3_close(FDb);
  FDb = nullptr;
}

sqlite3* TSQLiteConnection::Handle() {
  if (!FDb) Open();
  return FDb;
}

void TSQLiteConnection::RaiseError() const {
  throw EDatabaseError(ErrorText(FDb ? sqlite3_errmsg(FDb) : "the database is not open"));
}

void TSQLiteConnection::ExecSQL(const std::string& Sql) {
  char* error = nullptr;
  if (sqlite3_exec(Handle(), Sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errmsg(FDb);
    sqlite3_free(error);
    throw EDatabaseError(ErrorText(message));
  }
}

sqlite3_stmt* TSQLiteConnection::Prepare(const std::string& Sql) {
  sqlite3* db = Handle();
  auto it = FStatements.find(Sql);
  if (it != FStatements.end()) return it->second;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v3(db, Sql.c_str(), static_cast<int>(Sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) !=
      SQLITE_OK)
    RaiseError();
  FStatements.emplace(Sql, stmt);
  return stmt;
}

// --- TSQLiteQuery ---

TSQLiteQuery::TSQLiteQuery(TSQLiteConnection& Connection, const std::string& Sql)
    : FConnection(Connection), FStmt(Connection.Prepare(Sql)) {}

TSQLiteQuery::~TSQLiteQuery() {
  sqlite3_reset(FStmt);
  sqlite3_clear_bindings(FStmt);
}

TSQLiteQuery& TSQLiteQuery::Bind(const std::optional<std::string>& Value) {
  const int rc = Value ? sqlite3_bind_text(FStmt, FNext, Value->data(), static_cast<int>(Value->size()),
                                           SQLITE_TRANSIENT)
                       : sqlite3_bind_null(FStmt, FNext);
  if (rc != SQLITE_OK) FConnection.RaiseError();
  ++FNext;
  return *this;
}

TSQLiteQuery& TSQLiteQuery::BindInt64(std::int64_t Value) {
  if (sqlite3_bind_int64(FStmt, FNext, Value) != SQLITE_OK) FConnection.RaiseError();
  ++FNext;
  return *this;
}

bool TSQLiteQuery::Step() {
  const int rc = sqlite3_step(FStmt);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  FConnection.RaiseError();
}

void TSQLiteQuery::Exec() {
  while (Step()) {
  }
}

std::optional<std::string_view> TSQLiteQuery::ColumnView(int Index) const {
  // One call that takes the connection's mutex instead of two: the value
  // is read through without it, which is safe as long as no other thread
  // uses the connection meanwhile (connections belong to one thread here).
  sqlite3_value* value = sqlite3_column_value(FStmt, Index);
  if (sqlite3_value_type(value) == SQLITE_NULL) return std::nullopt;
  const auto* text = sqlite3_value_text(value);
  const int size = sqlite3_value_bytes(value);
  return std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
}

std::optional<std::string> TSQLiteQuery::Column(int Index) const {
  if (auto v = ColumnView(Index)) return std::string(*v);
  return std::nullopt;
}

std::int64_t TSQLiteQuery::ColumnInt64(int Index) const { return sqlite3_column_int64(FStmt, Index); }

bool TSQLiteQuery::IsInteger(int Index) const { return sqlite3_column_type(FStmt, Index) == SQLITE_INTEGER; }

void RegisterSQLiteClasses() {
  RegisterClass<TSQLiteConnection>();
  RegisterClass<TSQLiteTable>();
}

}  // namespace host
