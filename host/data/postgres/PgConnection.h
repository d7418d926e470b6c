// TPgConnection: one libpq connection shared by the tables that name it,
// with a cache of prepared statements. Values always travel as parameters
// in text form; the server converts them to the columns' types.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/data/Connection.h"

struct pg_conn;
struct pg_result;

namespace host {

// The rows of one statement; frees the libpq result.
class TPgResult {
public:
  explicit TPgResult(pg_result* Result) : FResult(Result) {}
  ~TPgResult();
  TPgResult(TPgResult&& Other) noexcept : FResult(Other.FResult) { Other.FResult = nullptr; }
  TPgResult(const TPgResult&) = delete;
  TPgResult& operator=(const TPgResult&) = delete;

  int RowCount() const;
  bool IsNull(int Row, int Column) const;
  // nullopt for null.
  std::optional<std::string> Value(int Row, int Column) const;
  // The value in place, valid while the result lives.
  std::optional<std::string_view> View(int Row, int Column) const;

private:
  pg_result* FResult;
};

using TPgParams = std::vector<std::optional<std::string>>;

class TPgConnection : public TCustomConnection {
  HOST_CLASS(TPgConnection)
public:
  explicit TPgConnection(TComponent* AOwner);
  ~TPgConnection() override;

  // A libpq connection string ("host=/tmp/x dbname=y user=z") or URI.
  const std::string& ConnectionString() const { return FConnectionString; }
  void SetConnectionString(const std::string& Value);
  // ReadOnly makes every transaction of this connection read-only: the
  // server refuses all writes.
  bool Connected() const override { return FConn != nullptr; }

  // Runs SQL text without parameters (schema set-up); several statements
  // may be given at once.
  void ExecSQL(const std::string& Sql);
  // Runs a parameterised statement, prepared once per connection.
  TPgResult Exec(const std::string& Sql, const TPgParams& Params);

protected:
  void DoConnect() override;
  void DoDisconnect() override;

private:
  pg_conn* Handle();
  [[noreturn]] void RaiseError(pg_result* Result);

  std::string FConnectionString;
  pg_conn* FConn = nullptr;
  std::map<std::string, std::string, std::less<>> FPrepared;  // SQL text to statement name
};

// Registers the PostgreSQL dataset classes for streaming and the designer.
void RegisterPgClasses();

}  // namespace host
