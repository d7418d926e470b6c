// TSQLiteTable: a dataset over one table of a SQLite database, in rowid
// order. Column values are read as text; every value goes to SQLite as a
// bound parameter and the column's affinity converts it.
#pragma once

#include <string>
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
  TRowKey InternalInsert(const std::vector<int>& Fields, const TRowValues& Values) override;
  TRowKey InternalUpdate(const TRowKey& Key, const std::vector<int>& Fields, const TRowValues& Values) override;
  void InternalDelete(const TRowKey& Key) override;
  bool CanSeekValues(int Field) const override;
  std::optional<std::string> InternalSeekValue(const TRowFilter& Filter, int Field, const std::string& From) override;
  std::vector<std::optional<std::string>> InternalSeekValues(const std::vector<TSeekRequest>& Requests) override;
  int InternalRecordCount(const TRowFilter& Filter) override;

private:
  struct Column {
    std::string Quoted;
    std::string TextExpr;  // the column as text, for exact comparisons
    bool Seekable = false;
    bool Exact = false;  // "= ?" compares as the dataset does
  };
  TSQLiteConnection& Conn() const;
  std::string Where(const TSqlBranch& Branch, std::vector<std::string>& Params) const;
  std::string Term(const TSqlTerm& Term, std::vector<std::string>& Params) const;
  TRowData ReadRow(const TSQLiteQuery& Query) const;
  static std::int64_t KeyOf(const TRowKey& Key);

  // Filled when the column definitions are read.
  std::vector<Column> FColumns;
  std::string FRowId;   // the name that reaches the rowid
  std::string FSelect;  // "SELECT rowid, columns FROM table"
  std::string FTable;   // quoted table name
};

}  // namespace host
