// TPgTable: a dataset over one table of a PostgreSQL database, in the order
// of its primary key. A table without a primary key is visited in physical
// order (ctid): there an updated row moves to the end of the table, so a
// scan that updates rows may meet them again.
#pragma once

#include <string>
#include <vector>

#include "host/data/SqlText.h"
#include "host/data/postgres/PgConnection.h"

namespace host {

class TPgTable : public TTableDataSet {
  HOST_CLASS(TPgTable)
public:
  explicit TPgTable(TComponent* AOwner);
  ~TPgTable() override;

  TPgConnection* Connection() const { return static_cast<TPgConnection*>(ConnectionBase()); }
  void SetConnection(TPgConnection* Value) { SetConnectionBase(Value); }
  // TableName is a table name, or schema.table; each part is taken
  // literally (no case folding) and quoted.

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
    std::string TextExpr;
    bool Seekable = false;
    bool Exact = false;  // "= $n" compares as the dataset does
  };
  TPgConnection& Conn() const;
  std::string Where(const TSqlBranch& Branch, TPgParams& Params) const;
  std::string KeyMatch(const TRowKey& Key, const char* Op, TPgParams& Params) const;
  TRowData ReadRow(const TPgResult& Result, int Row) const;

  std::vector<Column> FColumns;
  std::vector<std::string> FKeys;  // quoted key columns, or ctid
  std::string FKeyList;            // "k1, k2"
  std::string FSelect;
  std::string FTable;
};

}  // namespace host
