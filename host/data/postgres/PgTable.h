// TPgTable: a dataset over one table of a PostgreSQL database, in the order
// of its primary key. A table without a primary key is visited in physical
// order (ctid): there an updated row moves to the end of the table, so a
// scan that updates rows may meet them again.
#pragma once

#include <cstdint>
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
    std::string TextExpr;
    bool Seekable = false;
    bool Exact = false;  // "= $n" compares as the dataset does
    bool Integer = false;
  };
  TPgConnection& Conn() const;
  std::string Where(const TSqlBranch& Branch, TPgParams& Params) const;
  std::string KeyMatch(const TRowKey& Key, const char* Op, TPgParams& Params) const;
  TRowData ReadRow(const TPgResult& Result, int Row) const;
  // InternalFetch's statement; Select, when given, replaces FSelect. Without
  // Ordered, the branches' union in no particular order.
  std::string FetchSql(const TRowFilter& Filter, const TRowKey* After, bool Backward, int Limit, TPgParams& Params,
                       const std::string* Select = nullptr, bool Ordered = true) const;
  // InternalSeekValues' answers as scalar subqueries "(SELECT ...), ...";
  // Owners gets the request of each.
  std::string SeekColumns(const std::vector<TSeekRequest>& Requests, TPgParams& Params,
                          std::vector<std::size_t>& Owners) const;
  // The least answer of each request's columns, from column First on.
  static void ReadSeeks(const TPgResult& Result, int First, const std::vector<std::size_t>& Owners,
                        std::vector<std::optional<std::string>>& Seen);

  std::vector<Column> FColumns;
  std::vector<std::string> FKeys;  // quoted key columns, or ctid
  std::string FKeyList;            // "k1, k2"
  std::string FSelect;
  std::string FTable;
  bool FIntegerKey = false;             // one key column, of an integer type
  std::vector<std::int64_t> FKeyValues;  // InternalFetchAll's, kept for their storage
};

}  // namespace host
