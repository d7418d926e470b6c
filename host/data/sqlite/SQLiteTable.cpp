#include "host/data/sqlite/SQLiteTable.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>

#include "host/core/CaseFold.h"

namespace host {

namespace {

bool Contains(const std::string& upperType, const char* part) { return upperType.find(part) != std::string::npos; }

// SQLite's own affinity rules, applied to the declared type.
TFieldType TypeOfDeclared(const std::string& declared, bool& textAffinity) {
  const std::string t = UpperCase(declared);
  textAffinity = false;
  if (Contains(t, "INT")) return ftLargeint;
  if (Contains(t, "CHAR") || Contains(t, "CLOB") || Contains(t, "TEXT")) {
    textAffinity = true;
    return ftString;
  }
  if (t.empty() || Contains(t, "BLOB")) return t.empty() ? ftUnknown : ftBlob;
  if (Contains(t, "REAL") || Contains(t, "FLOA") || Contains(t, "DOUB")) return ftFloat;
  if (Contains(t, "BOOL")) return ftBoolean;
  if (Contains(t, "DATETIME") || Contains(t, "TIMESTAMP")) return ftDateTime;
  if (Contains(t, "DATE")) return ftDate;
  if (Contains(t, "TIME")) return ftTime;
  return ftFloat;
}

std::string Placeholders(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += i ? ",?" : "?";
  return s;
}

}  // namespace

const TClass& TSQLiteTable::StaticClass() {
  static const TClass cls = TClassBuilder<TSQLiteTable>("TSQLiteTable", &TTableDataSet::StaticClass())
                                .Prop("Connection", &TSQLiteTable::Connection, &TSQLiteTable::SetConnection)
                                .Prop("TableName", &TSQLiteTable::TableName, &TSQLiteTable::SetTableName)
                                .Build();
  return cls;
}
const TClass& TSQLiteTable::ClassType() const { return StaticClass(); }

TSQLiteTable::TSQLiteTable(TComponent* AOwner) : TTableDataSet(AOwner) {}

TSQLiteTable::~TSQLiteTable() {
  Destroying();
  Close();
}

TSQLiteConnection& TSQLiteTable::Conn() const {
  TSQLiteConnection* connection = Connection();
  if (!connection) DatabaseError("No connection for the SQLite table");
  return *connection;
}

void TSQLiteTable::InternalInitFieldDefs(TFieldDefs& Defs) {
  if (TableName().empty()) DatabaseError("No table name given");
  TSQLiteConnection& conn = Conn();
  std::vector<std::string> names;
  {
    TSQLiteQuery q(conn, "SELECT name, type, \"notnull\" FROM pragma_table_info(?)");
    q.Bind(TableName());
    while (q.Step()) {
      names.push_back(q.Column(0).value_or(""));
      const std::string declared = q.Column(1).value_or("");
      bool textAffinity = false;
      const TFieldType type = TypeOfDeclared(declared, textAffinity);
      Defs.Add(TFieldDef(names.back(), type, q.ColumnInt64(2) != 0, declared));
    }
  }
  if (names.empty()) DatabaseError(conn.ErrorText(Format("there is no table '%s'", {TableName()})));

  FTable = QuoteIdent(TableName());
  FColumns.clear();
  std::string list;
  for (int i = 0; i < Defs.Count(); ++i) {
    bool textAffinity = false;
    TypeOfDeclared(Defs.Items(i).SqlType(), textAffinity);
    Column c;
    c.Integer = Defs.Items(i).DataType() == ftLargeint;
    c.Quoted = QuoteIdent(Defs.Items(i).Name());
    c.TextExpr = textAffinity ? c.Quoted : "CAST(" + c.Quoted + " AS TEXT)";
    // Seeks run in byte order, so only a text column with the binary
    // collation can take them (its index then serves them).
    const char* collation = nullptr;
    if (textAffinity &&
        sqlite3_table_column_metadata(conn.Handle(), nullptr, TableName().c_str(), Defs.Items(i).Name().c_str(),
                                      nullptr, &collation, nullptr, nullptr, nullptr) == SQLITE_OK)
      c.Seekable = collation != nullptr && SameText(collation, "BINARY");
    // Other types compare through their text; a text column only under the
    // binary collation.
    c.Exact = !textAffinity || c.Seekable;
    list += ", " + c.Quoted;
    FColumns.push_back(std::move(c));
  }
  // A column of the table may be called rowid itself; its other names reach
  // the same value.
  FRowId.clear();
  for (const char* alias : {"rowid", "_rowid_", "oid"})
    if (Defs.IndexOf(alias) < 0) {
      FRowId = alias;
      break;
    }
  if (FRowId.empty()) DatabaseError(Conn().ErrorText(Format("the table '%s' hides its rowid", {TableName()})));
  FSelect = "SELECT " + FRowId + list + " FROM " + FTable;
}

void TSQLiteTable::InternalOpen() {
  // A table WITHOUT ROWID fails here, with SQLite's message.
  TSQLiteQuery q(Conn(), FSelect + " LIMIT 0");
  q.Step();
}

void TSQLiteTable::InternalClose() {}

std::string TSQLiteTable::Term(const TSqlTerm& T, std::vector<std::string>& Params) const {
  const Column& c = FColumns.at(static_cast<std::size_t>(T.Field));
  if (T.Kind == stIsNull) return c.Quoted + " IS NULL";
  std::string in;
  if (T.Values.empty())
    in = "0";
  else if (T.Values.size() == 1)
    in = c.TextExpr + " = ?";
  else
    in = c.TextExpr + " IN (" + Placeholders(T.Values.size()) + ")";
  Params.insert(Params.end(), T.Values.begin(), T.Values.end());
  if (T.Kind == stNullOrIn) return "(" + c.Quoted + " IS NULL OR " + in + ")";
  return in;
}

std::string TSQLiteTable::Where(const TSqlBranch& Branch, std::vector<std::string>& Params) const {
  std::string sql;
  for (const TSqlTerm& t : Branch) sql += (sql.empty() ? " WHERE " : " AND ") + Term(t, Params);
  return sql;
}

std::int64_t TSQLiteTable::KeyOf(const TRowKey& Key) { return std::stoll(Key.at(0)); }

TRowData TSQLiteTable::ReadRow(const TSQLiteQuery& Query) const {
  TRowData row;
  row.Key.push_back(std::to_string(Query.ColumnInt64(0)));
  row.Values.reserve(FColumns.size());
  for (std::size_t i = 0; i < FColumns.size(); ++i) row.Values.push_back(Query.Column(static_cast<int>(i) + 1));
  return row;
}

void TSQLiteTable::BindAll(TSQLiteQuery& Query, const TBinds& Binds) {
  for (const auto& b : Binds)
    if (const auto* text = std::get_if<std::string>(&b))
      Query.Bind(*text);
    else
      Query.BindInt64(std::get<std::int64_t>(b));
}

// Each branch is its own SELECT so that each can seek an index by equality.
std::string TSQLiteTable::UnionSql(const std::vector<TSqlBranch>& Branches, const TRowKey* After, bool Backward,
                                   TBinds& Binds, const std::string* Select) const {
  std::string sql;
  const char* cmp = Backward ? " < ?" : " > ?";
  for (const TSqlBranch& b : Branches) {
    std::vector<std::string> params;
    std::string where = Where(b, params);
    Binds.insert(Binds.end(), params.begin(), params.end());
    if (After) {
      where += (where.empty() ? " WHERE " : " AND ") + FRowId + cmp;
      Binds.emplace_back(KeyOf(*After));
    }
    sql += (sql.empty() ? "" : " UNION ALL ") + (Select ? *Select : FSelect) + where;
  }
  return sql;
}

// The union put back into rowid order.
std::string TSQLiteTable::FetchSql(const TRowFilter& Filter, const TRowKey* After, bool Backward, int Limit,
                                   TBinds& Binds, const std::string* Select) const {
  const std::vector<TSqlBranch> branches = PushdownBranches(Filter);
  const std::string sql = UnionSql(branches, After, Backward, Binds, Select);
  const char* dir = Backward ? " DESC" : "";
  const char* limit = Limit > 0 ? " LIMIT ?" : "";
  if (Limit > 0) Binds.emplace_back(static_cast<std::int64_t>(Limit));
  if (branches.size() == 1) return sql + " ORDER BY " + FRowId + dir + limit;
  return "SELECT * FROM (" + sql + ") ORDER BY 1" + dir + limit;
}

std::vector<TRowData> TSQLiteTable::InternalFetch(const TRowFilter& Filter, const TRowKey* After, bool Backward,
                                                  int Limit) {
  TBinds binds;
  TSQLiteQuery q(Conn(), FetchSql(Filter, After, Backward, Limit, binds));
  BindAll(q, binds);
  std::vector<TRowData> rows;
  while (q.Step()) rows.push_back(ReadRow(q));
  return rows;
}

// Every column is selected, so that the row the cursor ends on needs no
// second statement (a read transaction of its own, with its file locks);
// but a text column that the filter holds to one value, compared by its
// bytes, has that value on every row and is not read.
// Without ORDER BY: each branch comes in the order of the index it seeks
// and the rows are put into rowid order here, at a fraction of the cost of
// SQLite's sorter (a temporary b-tree per branch, then a merge).
bool TSQLiteTable::InternalFetchAll(const TRowFilter& Filter, const std::vector<bool>&, TRowBuffer& Rows) {
  const int columns = static_cast<int>(FColumns.size());
  std::vector<const std::string*> pinned(FColumns.size(), nullptr);
  for (const TRowCondition& c : Filter.Conditions())
    if (const std::string* only = c.OnlyValue(); only && FColumns.at(static_cast<std::size_t>(c.Field)).Seekable)
      pinned[static_cast<std::size_t>(c.Field)] = only;
  // Where each column's cells come from in the result; 0 for pinned ones.
  std::vector<int> from(FColumns.size(), 0);
  std::string select = "SELECT " + FRowId;
  int selected = 1;
  for (std::size_t c = 0; c < FColumns.size(); ++c) {
    if (pinned[c]) continue;
    from[c] = selected++;
    select += ", " + FColumns[c].Quoted;
  }
  select += " FROM " + FTable;
  TBinds binds;
  TSQLiteQuery q(Conn(), UnionSql(SplitLists(PushdownBranches(Filter)), nullptr, false, binds, &select));
  BindAll(q, binds);
  Rows.Reset(1, columns);
  FRowIds.clear();
  while (q.Step()) {
    // The key as ReadRow writes it.
    const std::int64_t rowid = q.ColumnInt64(0);
    FRowIds.push_back(rowid);
    char key[24];
    const auto end = std::to_chars(key, key + sizeof key, rowid).ptr;
    Rows.Add(std::string_view(key, static_cast<std::size_t>(end - key)));
    for (std::size_t c = 0; c < FColumns.size(); ++c) {
      const int i = from[c];
      if (i == 0) {
        Rows.Add(std::string_view(*pinned[c]));
      } else if (FColumns[c].Integer && q.IsInteger(i)) {
        // An integer is written here as SQLite would write it, without the
        // text copy SQLite makes of it.
        const auto last = std::to_chars(key, key + sizeof key, q.ColumnInt64(i)).ptr;
        Rows.Add(std::string_view(key, static_cast<std::size_t>(last - key)));
      } else {
        Rows.Add(q.ColumnView(i));
      }
    }
  }
  Rows.SortByKeys(FRowIds);
  return true;
}

// SQLite builds a temporary table for an IN list on every run, which costs
// more than a seek of its own for each value. A list's repeated values are
// dropped, as branches must not overlap.
std::vector<TSqlBranch> TSQLiteTable::SplitLists(std::vector<TSqlBranch> Branches) {
  constexpr std::size_t kMaxBranches = 8;
  for (std::size_t b = 0; b < Branches.size(); ++b)
    for (std::size_t t = 0; t < Branches[b].size(); ++t) {
      const TSqlTerm& term = Branches[b][t];
      if (term.Kind != stIn || term.Values.size() < 2) continue;
      std::vector<std::string> values;
      for (const std::string& v : term.Values)
        if (std::find(values.begin(), values.end(), v) == values.end()) values.push_back(v);
      if (Branches.size() - 1 + values.size() > kMaxBranches) continue;
      const TSqlBranch whole = Branches[b];
      Branches.erase(Branches.begin() + static_cast<std::ptrdiff_t>(b));
      for (std::size_t v = 0; v < values.size(); ++v) {
        TSqlBranch one = whole;
        one[t].Values = {values[v]};
        Branches.insert(Branches.begin() + static_cast<std::ptrdiff_t>(b + v), std::move(one));
      }
    }
  return Branches;
}

bool TSQLiteTable::ComparesExactly(int Field) const {
  return Field >= 0 && static_cast<std::size_t>(Field) < FColumns.size() &&
         FColumns[static_cast<std::size_t>(Field)].Exact;
}

std::optional<TRowData> TSQLiteTable::InternalFetchKey(const TRowKey& Key) {
  TSQLiteQuery q(Conn(), FSelect + " WHERE " + FRowId + " = ?");
  q.BindInt64(KeyOf(Key));
  if (!q.Step()) return std::nullopt;
  return ReadRow(q);
}

TRowKey TSQLiteTable::InternalInsert(const std::vector<int>& Fields, const TRowValues& Values) {
  std::string sql = "INSERT INTO " + FTable;
  if (Fields.empty()) {
    sql += " DEFAULT VALUES";
  } else {
    std::string cols;
    for (int f : Fields) cols += (cols.empty() ? "" : ", ") + FColumns.at(static_cast<std::size_t>(f)).Quoted;
    sql += " (" + cols + ") VALUES (" + Placeholders(Fields.size()) + ")";
  }
  TSQLiteQuery q(Conn(), sql);
  for (const auto& v : Values) q.Bind(v);
  q.Exec();
  return {std::to_string(sqlite3_last_insert_rowid(Conn().Handle()))};
}

TRowKey TSQLiteTable::InternalUpdate(const TRowKey& Key, const std::vector<int>& Fields, const TRowValues& Values) {
  std::string sets;
  for (int f : Fields) sets += (sets.empty() ? "" : ", ") + FColumns.at(static_cast<std::size_t>(f)).Quoted + " = ?";
  // An INTEGER PRIMARY KEY column is the rowid itself: the row's key may
  // change with it, so the key comes back from the update.
  TSQLiteQuery q(Conn(), "UPDATE " + FTable + " SET " + sets + " WHERE " + FRowId + " = ? RETURNING " + FRowId);
  for (const auto& v : Values) q.Bind(v);
  q.BindInt64(KeyOf(Key));
  if (!q.Step()) DatabaseError("Record not found or changed by another user");
  const TRowKey key{std::to_string(q.ColumnInt64(0))};
  q.Exec();
  return key;
}

void TSQLiteTable::InternalDelete(const TRowKey& Key) {
  TSQLiteQuery q(Conn(), "DELETE FROM " + FTable + " WHERE " + FRowId + " = ?");
  q.BindInt64(KeyOf(Key));
  q.Exec();
}

bool TSQLiteTable::CanSeekValues(int Field) const {
  return Field >= 0 && static_cast<std::size_t>(Field) < FColumns.size() &&
         FColumns[static_cast<std::size_t>(Field)].Seekable;
}

std::optional<std::string> TSQLiteTable::InternalSeekValue(const TRowFilter& Filter, int Field,
                                                          const std::string& From, const std::string& To) {
  const Column& c = FColumns.at(static_cast<std::size_t>(Field));
  std::optional<std::string> best;
  for (const TSqlBranch& b : PushdownBranches(Filter)) {
    std::vector<std::string> params;
    std::string where = Where(b, params);
    where += (where.empty() ? " WHERE " : " AND ") + c.Quoted + " BETWEEN ? AND ?";
    TSQLiteQuery q(Conn(), "SELECT " + c.Quoted + " FROM " + FTable + where + " ORDER BY " + c.Quoted + " LIMIT 1");
    for (const auto& p : params) q.Bind(p);
    q.Bind(From).Bind(To);
    if (q.Step()) {
      std::optional<std::string> v = q.Column(0);
      if (v && (!best || *v < *best)) best = std::move(v);
    }
  }
  return best;
}

std::string TSQLiteTable::SeekColumns(const std::vector<TSeekRequest>& Requests, TBinds& Binds,
                                      std::vector<std::size_t>& Owners) const {
  std::string sql;
  for (std::size_t r = 0; r < Requests.size(); ++r) {
    const Column& c = FColumns.at(static_cast<std::size_t>(Requests[r].Field));
    for (const TSqlBranch& b : PushdownBranches(*Requests[r].Filter)) {
      std::vector<std::string> params;
      std::string where = Where(b, params);
      Binds.insert(Binds.end(), params.begin(), params.end());
      where += (where.empty() ? " WHERE " : " AND ") + c.Quoted + " BETWEEN ? AND ?";
      Binds.emplace_back(Requests[r].From);
      Binds.emplace_back(Requests[r].To);
      sql += (sql.empty() ? "(SELECT " : ", (SELECT ") + c.Quoted + " FROM " + FTable + where + " ORDER BY " +
             c.Quoted + " LIMIT 1)";
      Owners.push_back(r);
    }
  }
  return sql;
}

void TSQLiteTable::ReadSeeks(const TSQLiteQuery& Query, int First, const std::vector<std::size_t>& Owners,
                             std::vector<std::optional<std::string>>& Seen) {
  for (std::size_t i = 0; i < Owners.size(); ++i) {
    std::optional<std::string> v = Query.Column(First + static_cast<int>(i));
    std::optional<std::string>& best = Seen[Owners[i]];
    if (v && (!best || *v < *best)) best = std::move(v);
  }
}

// One statement of scalar subqueries, one per request and branch; the
// least answer of a request's branches counts, as above.
std::vector<std::optional<std::string>> TSQLiteTable::InternalSeekValues(const std::vector<TSeekRequest>& Requests) {
  std::vector<std::optional<std::string>> results(Requests.size());
  TBinds binds;
  std::vector<std::size_t> owners;
  const std::string seeks = SeekColumns(Requests, binds, owners);
  if (seeks.empty()) return results;
  TSQLiteQuery q(Conn(), "SELECT " + seeks);
  BindAll(q, binds);
  if (q.Step()) ReadSeeks(q, 0, owners, results);
  return results;
}

// The seeks ride along as columns of the fetched rows: the subqueries do
// not depend on the row, so SQLite runs each once.
std::vector<TRowData> TSQLiteTable::InternalSeekAndFetch(const std::vector<TSeekRequest>& Requests,
                                                         std::vector<std::optional<std::string>>& Seen,
                                                         const TRowFilter& Filter, int Limit) {
  Seen.assign(Requests.size(), std::nullopt);
  TBinds binds;
  std::vector<std::size_t> owners;
  const std::string seeks = SeekColumns(Requests, binds, owners);
  if (seeks.empty()) return InternalFetch(Filter, nullptr, false, Limit);
  const std::string fetch = FetchSql(Filter, nullptr, false, Limit, binds);
  TSQLiteQuery q(Conn(), "SELECT u.*, " + seeks + " FROM (" + fetch + ") AS u ORDER BY 1");
  BindAll(q, binds);
  std::vector<TRowData> rows;
  const int seekColumn = 1 + static_cast<int>(FColumns.size());
  while (q.Step()) {
    if (rows.empty()) ReadSeeks(q, seekColumn, owners, Seen);
    rows.push_back(ReadRow(q));
  }
  return rows;
}

int TSQLiteTable::InternalRecordCount(const TRowFilter& Filter) {
  for (const TRowCondition& c : Filter.Conditions())
    if (!FColumns.at(static_cast<std::size_t>(c.Field)).Exact) return TDataSet::InternalRecordCount(Filter);
  int count = 0;
  for (const TSqlBranch& b : PushdownBranches(Filter)) {
    std::vector<std::string> params;
    TSQLiteQuery q(Conn(), "SELECT COUNT(*) FROM " + FTable + Where(b, params));
    for (const auto& p : params) q.Bind(p);
    if (q.Step()) count += static_cast<int>(q.ColumnInt64(0));
  }
  return count;
}

}  // namespace host
