#include "host/data/postgres/PgConnection.h"

#include <libpq-fe.h>


#include "host/core/ClassRegistry.h"
#include "host/data/postgres/PgTable.h"

namespace host {

namespace {

std::string TrimMessage(const char* message) {
  std::string s = message ? message : "";
  while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
  return s.empty() ? "PostgreSQL error" : s;
}

}  // namespace

TPgResult::~TPgResult() { PQclear(FResult); }

int TPgResult::RowCount() const { return PQntuples(FResult); }

bool TPgResult::IsNull(int Row, int Column) const { return PQgetisnull(FResult, Row, Column) != 0; }

std::optional<std::string_view> TPgResult::View(int Row, int Column) const {
  // A null has length 0: only an empty value needs the third call.
  const int length = PQgetlength(FResult, Row, Column);
  if (length == 0 && IsNull(Row, Column)) return std::nullopt;
  return std::string_view(PQgetvalue(FResult, Row, Column), static_cast<std::size_t>(length));
}

std::optional<std::string> TPgResult::Value(int Row, int Column) const {
  if (auto v = View(Row, Column)) return std::string(*v);
  return std::nullopt;
}

const TClass& TPgConnection::StaticClass() {
  static const TClass cls =
      TClassBuilder<TPgConnection>("TPgConnection", &TCustomConnection::StaticClass())
          .Prop("ConnectionString", &TPgConnection::ConnectionString, &TPgConnection::SetConnectionString)
          .Prop("ReadOnly", &TPgConnection::ReadOnly, &TPgConnection::SetReadOnly)
          .Default(false)
          .Prop("Connected", &TPgConnection::Connected, &TPgConnection::SetConnected)
          .Default(false)
          .Build();
  return cls;
}
const TClass& TPgConnection::ClassType() const { return StaticClass(); }

TPgConnection::TPgConnection(TComponent* AOwner) : TCustomConnection(AOwner) {}

TPgConnection::~TPgConnection() {
  Destroying();
  Close();
}

void TPgConnection::SetConnectionString(const std::string& Value) {
  if (Value == FConnectionString) return;
  Close();
  FConnectionString = Value;
}

void TPgConnection::DoConnect() {
  pg_conn* conn = PQconnectdb(FConnectionString.c_str());
  if (PQstatus(conn) != CONNECTION_OK) {
    std::string message = TrimMessage(PQerrorMessage(conn));
    PQfinish(conn);
    throw EDatabaseError(message);
  }
  FConn = conn;
  try {
    ExecSQL("SET client_encoding = 'UTF8'");
    // Prepared statements are planned once: the cost model prefers a custom
    // plan whenever it knows a value is rare (an empty section, say), and
    // planning each execution again costs more than the lookup itself. A
    // server too old for the setting plans as it always did.
    try {
      ExecSQL("SET plan_cache_mode = force_generic_plan");
    } catch (const EDatabaseError&) {
    }
    if (ReadOnly()) ExecSQL("SET default_transaction_read_only = on");
  } catch (...) {
    PQfinish(FConn);
    FConn = nullptr;
    throw;
  }
}

void TPgConnection::DoDisconnect() {
  FPrepared.clear();
  PQfinish(FConn);
  FConn = nullptr;
}

pg_conn* TPgConnection::Handle() {
  if (!FConn) Open();
  return FConn;
}

void TPgConnection::RaiseError(pg_result* Result) {
  const char* primary = Result ? PQresultErrorField(Result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
  std::string message = TrimMessage(primary ? primary : PQerrorMessage(FConn));
  PQclear(Result);
  throw EDatabaseError(message);
}

void TPgConnection::ExecSQL(const std::string& Sql) {
  pg_result* r = PQexec(Handle(), Sql.c_str());
  const ExecStatusType status = PQresultStatus(r);
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) RaiseError(r);
  PQclear(r);
}

TPgResult TPgConnection::Exec(const std::string& Sql, const TPgParams& Params) {
  pg_conn* conn = Handle();
  auto it = FPrepared.find(Sql);
  if (it == FPrepared.end()) {
    std::string name = "ambit_" + std::to_string(FPrepared.size() + 1);
    pg_result* r = PQprepare(conn, name.c_str(), Sql.c_str(), 0, nullptr);
    if (PQresultStatus(r) != PGRES_COMMAND_OK) RaiseError(r);
    PQclear(r);
    it = FPrepared.emplace(Sql, std::move(name)).first;
  }
  std::vector<const char*> values;
  values.reserve(Params.size());
  for (const auto& p : Params) values.push_back(p ? p->c_str() : nullptr);
  pg_result* r = PQexecPrepared(conn, it->second.c_str(), static_cast<int>(values.size()), values.data(), nullptr,
                                nullptr, 0);
  const ExecStatusType status = PQresultStatus(r);
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) RaiseError(r);
  return TPgResult(r);
}

void RegisterPgClasses() {
  RegisterClass<TPgConnection>();
  RegisterClass<TPgTable>();
}

}  // namespace host
