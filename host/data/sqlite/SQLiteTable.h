// TSQLiteTable: a dataset over one table of a SQLite database, in rowid
// order. Column values are read as text; every value goes to SQLite as a
// bound parameter and the column's affinity converts it.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "host/data/SqlText.h"
#include "host/data/sqlite/SQLiteConnection.h"

namespace host {

class TSQLiteTable : public TTableDataSet {
  HOST_CLASS(TSQLiteTable)
public:
  explicit TSQLiteTable(TComponent* AOwner);
  ~TSQLiteTable() override;

  TSQLiteConnection* Connection() const { return static_cast<TSQLiteConnection*>(ConnectionBase()); }
  void SetConnection(TSQLiteConnection* Value) { SetConnectionBase(Value); }

protected:
  void InternalInitFieldDefs(TFieldDefs& Defs) override;
  void InternalOpen() override;
  void InternalClose() override;
  std::vector<TRowData> InternalFetch(const TRowFilter& Filter, const TRowKey* After, bool Backward,
                                      int Limit) override;
  std::optional<TRowData> InternalFetchKey(const TRowKey& Key) override;
  bool InternalFetchAll(const TRowFilter& Filter, const std::vector<bool>& Needed, TRowBuffer& Rows) override;
  bool ComparesExactly(int Field) const override;
  TRowKey InternalInsert(const std::vector<int>& Fields, const TRowValues& Values) override;
  TRowKey InternalUpdate(const TRowKey& Key, const std::vector<int>& Fields, const TRowValues& Values) override;
  void InternalDelete(const TRowKey& Key) override;
  bool CanSeekValues(int Field) const override;
  std::optional<std::string> InternalSeekValue(const TRowFilter& Filter, int Field, const std::string& From,
                                               const std::string& To) override;
  std::vector<std::optional<std::string>> InternalSeekValues(const std::vector<TSeekRequest>& Requests) override;
  std::vector<TRowData> InternalSeekAndFetch(const std::vector<TSeekRequest>& Requests,
                                             std::vector<std::optional<std::string>>& Seen, const TRowFilter& Filter,
                                             int Limit) override;
  int InternalRecordCount(const TRowFilter& Filter) override;

private:
  struct Column {
    std::string Quoted;
    std::string TextExpr;  // the column as text, for exact comparisons
    bool Seekable = false;
    bool Exact = false;  // "= ?" compares as the dataset does
    bool Integer = false;  // declared with integer affinity
  };
  TSQLiteConnection& Conn() const;
  std::string Where(const TSqlBranch& Branch, std::vector<std::string>& Params) const;
  std::string Term(const TSqlTerm& Term, std::vector<std::string>& Params) const;
  TRowData ReadRow(const TSQLiteQuery& Query) const;
  // Parameters in the order their "?" appear in the statement.
  using TBinds = std::vector<std::variant<std::string, std::int64_t>>;
  static void BindAll(TSQLiteQuery& Query, const TBinds& Binds);
  // The SELECT of each branch (Select, or FSelect), joined by UNION ALL.
  std::string UnionSql(const std::vector<TSqlBranch>& Branches, const TRowKey* After, bool Backward, TBinds& Binds,
                       const std::string* Select) const;
  // Branches with one branch for each value of an IN list, as far as a
  // bound on their number allows.
  static std::vector<TSqlBranch> SplitLists(std::vector<TSqlBranch> Branches);
  // InternalFetch's statement.
  // Select is FSelect, or another list of columns from the table.
  std::string FetchSql(const TRowFilter& Filter, const TRowKey* After, bool Backward, int Limit, TBinds& Binds,
                       const std::string* Select = nullptr) const;
  // InternalSeekValues' answers as scalar subqueries "(SELECT ...), ...";
  // Owners gets the request of each.
  std::string SeekColumns(const std::vector<TSeekRequest>& Requests, TBinds& Binds,
                          std::vector<std::size_t>& Owners) const;
  // The least answer of each request's columns, from column First on.
  static void ReadSeeks(const TSQLiteQuery& Query, int First, const std::vector<std::size_t>& Owners,
                        std::vector<std::optional<std::string>>& Seen);
  static std::int64_t KeyOf(const TRowKey& Key);

  // Filled when the column definitions are read.
  std::vector<Column> FColumns;
  std::string FRowId;   // the name that reaches the rowid
  std::string FSelect;  // "SELECT rowid, columns FROM table"
  std::string FTable;   // quoted table name
  std::vector<std::int64_t> FRowIds;  // InternalFetchAll's, kept for their storage
};

}  // namespace host
