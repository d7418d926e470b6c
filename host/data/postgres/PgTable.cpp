#include "host/data/postgres/PgTable.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>

#include "host/core/CaseFold.h"

namespace host {

namespace {

TFieldType TypeOf(const std::string& category, const std::string& typeName) {
  if (typeName == "int2" || typeName == "int4") return ftInteger;
  if (typeName == "int8") return ftLargeint;
  if (typeName == "bool") return ftBoolean;
  if (typeName == "date") return ftDate;
  if (typeName == "time" || typeName == "timetz") return ftTime;
  if (typeName == "bytea") return ftBlob;
  if (typeName == "text") return ftMemo;
  if (category == "S") return ftString;
  if (category == "N") return ftFloat;
  if (category == "D") return ftDateTime;
  return ftUnknown;
}

std::string Placeholder(TPgParams& params, std::optional<std::string> value) {
  params.push_back(std::move(value));
  return "$" + std::to_string(params.size());
}

const char* const kColumnsSql =
    "SELECT a.attname, format_type(a.atttypid, a.atttypmod), t.typcategory::text, t.typname::text, a.attnotnull,"
    " CASE WHEN a.attcollation = 0 THEN false"
    // The database's own collation: C under libc (a provider column exists
    // from version 15 on; before that libc is the only one).
    "  WHEN a.attcollation = 100 THEN (SELECT d.datcollate IN ('C', 'POSIX')"
    "   AND coalesce(to_jsonb(d) ->> 'datlocprovider', 'c') = 'c' FROM pg_database d"
    "   WHERE d.datname = current_database())"
    "  ELSE (SELECT c.collprovider = 'c' AND coalesce(c.collcollate, '') IN ('C', 'POSIX') FROM pg_collation c"
    "   WHERE c.oid = a.attcollation) END"
    " FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid"
    " WHERE a.attrelid = to_regclass($1) AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum";

const char* const kPrimaryKeySql =
    "SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid AND a.attnum = ANY(i.indkey)"
    " WHERE i.indrelid = to_regclass($1) AND i.indisprimary"
    " ORDER BY array_position(i.indkey::int2[], a.attnum)";

}  // namespace

const TClass& TPgTable::StaticClass() {
  static const TClass cls = TClassBuilder<TPgTable>("TPgTable", &TTableDataSet::StaticClass())
                                .Prop("Connection", &TPgTable::Connection, &TPgTable::SetConnection)
                                .Prop("TableName", &TPgTable::TableName, &TPgTable::SetTableName)
                                .Build();
  return cls;
}
const TClass& TPgTable::ClassType() const { return StaticClass(); }

TPgTable::TPgTable(TComponent* AOwner) : TTableDataSet(AOwner) {}

TPgTable::~TPgTable() {
  Destroying();
  Close();
}

TPgConnection& TPgTable::Conn() const {
  TPgConnection* connection = Connection();
  if (!connection) DatabaseError("No connection for the PostgreSQL table");
  return *connection;
}

void TPgTable::InternalInitFieldDefs(TFieldDefs& Defs) {
  const std::string& table = TableName();
  if (table.empty()) DatabaseError("No table name given");
  const std::size_t dot = table.find('.');
  FTable = dot == std::string::npos ? QuoteIdent(table)
                                    : QuoteIdent(table.substr(0, dot)) + "." + QuoteIdent(table.substr(dot + 1));
  TPgConnection& conn = Conn();
  TPgResult cols = conn.Exec(kColumnsSql, {FTable});
  if (cols.RowCount() == 0) DatabaseError(Format("Table '%s' not found", {table}));
  FColumns.clear();
  std::string list;
  for (int r = 0; r < cols.RowCount(); ++r) {
    const std::string name = cols.Value(r, 0).value_or("");
    const std::string category = cols.Value(r, 2).value_or("");
    const std::string typeName = cols.Value(r, 3).value_or("");
    Defs.Add(TFieldDef(name, TypeOf(category, typeName), cols.Value(r, 4) == "t", cols.Value(r, 1).value_or("")));
    Column c;
    c.Quoted = QuoteIdent(name);
    // Strings compare as themselves (blank-padded or case-insensitive ones
    // loosely, which only widens the candidates); other types through their
    // output text, which is what the dataset reads (a cast to text is not:
    // true::text is 'true', the dataset reads 't').
    // (NULL stays NULL: format would give '', and the filter's branches
    // for null and for values must not meet.)
    c.TextExpr = category == "S" ? c.Quoted
                                 : "CASE WHEN " + c.Quoted + " IS NULL THEN NULL ELSE format('%s', " + c.Quoted + ") END";
    // Seeking from one spelling to the next needs byte order and byte
    // equality: plain text types under a C collation only.
    c.Seekable = (typeName == "text" || typeName == "varchar") && cols.Value(r, 5) == "t";
    c.Exact = c.Seekable || category != "S";
    c.Integer = typeName == "int2" || typeName == "int4" || typeName == "int8";
    list += ", " + c.Quoted;
    FColumns.push_back(std::move(c));
  }
  FKeys.clear();
  TPgResult keys = conn.Exec(kPrimaryKeySql, {FTable});
  for (int r = 0; r < keys.RowCount(); ++r) FKeys.push_back(QuoteIdent(keys.Value(r, 0).value_or("")));
  if (FKeys.empty()) FKeys.push_back("ctid");
  FKeyList.clear();
  for (const std::string& k : FKeys) FKeyList += (FKeyList.empty() ? "" : ", ") + k;
  FSelect = "SELECT " + FKeyList + list + " FROM " + FTable;
  FIntegerKey = FKeys.size() == 1 && std::any_of(FColumns.begin(), FColumns.end(), [&](const Column& c) {
                  return c.Integer && c.Quoted == FKeys[0];
                });
}

void TPgTable::InternalOpen() {}

void TPgTable::InternalClose() {}

std::string TPgTable::Where(const TSqlBranch& Branch, TPgParams& Params) const {
  std::string sql;
  for (const TSqlTerm& t : Branch) {
    const Column& c = FColumns.at(static_cast<std::size_t>(t.Field));
    std::string term;
    if (t.Kind == stIsNull) {
      term = c.Quoted + " IS NULL";
    } else {
      std::string in;
      if (t.Values.empty()) {
        in = "false";
      } else {
        for (const std::string& v : t.Values) in += (in.empty() ? "" : ", ") + Placeholder(Params, v);
        in = t.Values.size() == 1 ? c.TextExpr + " = " + in : c.TextExpr + " IN (" + in + ")";
      }
      term = t.Kind == stNullOrIn ? "(" + c.Quoted + " IS NULL OR " + in + ")" : in;
    }
    sql += (sql.empty() ? " WHERE " : " AND ") + term;
  }
  return sql;
}

std::string TPgTable::KeyMatch(const TRowKey& Key, const char* Op, TPgParams& Params) const {
  std::string values;
  for (const std::string& k : Key) values += (values.empty() ? "" : ", ") + Placeholder(Params, k);
  if (FKeys.size() == 1) return FKeys[0] + " " + Op + " " + values;
  return "(" + FKeyList + ") " + Op + " (" + values + ")";
}

TRowData TPgTable::ReadRow(const TPgResult& Result, int Row) const {
  TRowData row;
  const int nKeys = static_cast<int>(FKeys.size());
  for (int k = 0; k < nKeys; ++k) row.Key.push_back(Result.Value(Row, k).value_or(""));
  row.Values.reserve(FColumns.size());
  for (std::size_t i = 0; i < FColumns.size(); ++i) row.Values.push_back(Result.Value(Row, nKeys + static_cast<int>(i)));
  return row;
}

// One SELECT per branch, so that each can use an index by equality; the
// union goes back into key order.
std::string TPgTable::FetchSql(const TRowFilter& Filter, const TRowKey* After, bool Backward, int Limit,
                               TPgParams& params, const std::string* Select, bool Ordered) const {
  const std::vector<TSqlBranch> branches = PushdownBranches(Filter);
  std::string sql;
  for (const TSqlBranch& b : branches) {
    std::string where = Where(b, params);
    if (After) where += (where.empty() ? " WHERE " : " AND ") + KeyMatch(*After, Backward ? "<" : ">", params);
    sql += (sql.empty() ? "" : " UNION ALL ") + (Select ? *Select : FSelect) + where;
  }
  if (!Ordered) return sql;
  std::string order;
  for (std::size_t k = 0; k < FKeys.size(); ++k) {
    const std::string key = branches.size() == 1 ? FKeys[k] : std::to_string(k + 1);
    order += (order.empty() ? "" : ", ") + key + (Backward ? " DESC" : "");
  }
  if (branches.size() > 1) sql = "SELECT * FROM (" + sql + ") AS u";
  sql += " ORDER BY " + order;
  if (Limit > 0) sql += " LIMIT " + Placeholder(params, std::to_string(Limit));
  return sql;
}

std::vector<TRowData> TPgTable::InternalFetch(const TRowFilter& Filter, const TRowKey* After, bool Backward,
                                              int Limit) {
  TPgParams params;
  const std::string sql = FetchSql(Filter, After, Backward, Limit, params);
  TPgResult r = Conn().Exec(sql, params);
  std::vector<TRowData> rows;
  rows.reserve(static_cast<std::size_t>(r.RowCount()));
  for (int i = 0; i < r.RowCount(); ++i) rows.push_back(ReadRow(r, i));
  return rows;
}

// Every column is read: the cursor's row would otherwise cost a second
// round trip. A column that an exact condition holds to one text is not
// selected but filled in with that text, which is what the server would
// have sent; a key column is selected once, for the key and the column.
// The rows stay in libpq's result, lent to Rows.
bool TPgTable::InternalFetchAll(const TRowFilter& Filter, const std::vector<bool>&, TRowBuffer& Rows) {
  const int keys = static_cast<int>(FKeys.size()), columns = static_cast<int>(FColumns.size());
  struct TLent {
    std::optional<TPgResult> Result;
    std::vector<std::optional<std::string>> Pinned;
  };
  auto lent = std::make_shared<TLent>();
  lent->Pinned.resize(FColumns.size());
  for (const TRowCondition& c : Filter.Conditions())
    if (const std::string* only = c.OnlyValue(); only && ComparesExactly(c.Field))
      lent->Pinned[static_cast<std::size_t>(c.Field)] = *only;
  // Where each column's cells come from in the result; -1 for pinned ones.
  std::vector<int> from(FColumns.size(), -1);
  std::string select = "SELECT " + FKeyList;
  int selected = keys;
  for (std::size_t c = 0; c < FColumns.size(); ++c) {
    if (lent->Pinned[c]) continue;
    const auto key = std::find(FKeys.begin(), FKeys.end(), FColumns[c].Quoted);
    if (key != FKeys.end()) {
      from[c] = static_cast<int>(key - FKeys.begin());
    } else {
      from[c] = selected++;
      select += ", " + FColumns[c].Quoted;
    }
  }
  select += " FROM " + FTable;
  TPgParams params;
  // An integer key is put into order here, which saves the server a sort
  // (and a subquery around the branches); other keys sort by the server's
  // rules.
  const std::string sql = FetchSql(Filter, nullptr, false, 0, params, &select, !FIntegerKey);
  const TPgResult& r = lent->Result.emplace(Conn().Exec(sql, params));
  Rows.Reset(keys, columns);
  std::vector<std::optional<std::string_view>> key(FKeys.size());
  for (int i = 0; i < r.RowCount(); ++i) {
    // Keys as ReadRow reads them: a null key part as the empty text.
    for (int k = 0; k < keys; ++k) {
      key[static_cast<std::size_t>(k)] = r.View(i, k);
      Rows.Lend(key[static_cast<std::size_t>(k)].value_or(std::string_view()));
    }
    for (int c = 0; c < columns; ++c) {
      const int at = from[static_cast<std::size_t>(c)];
      Rows.Lend(at < 0      ? std::optional<std::string_view>(*lent->Pinned[static_cast<std::size_t>(c)])
                : at < keys ? key[static_cast<std::size_t>(at)]
                            : r.View(i, at));
    }
  }
  if (FIntegerKey) {
    // A primary key is never null; its text is the integer in decimal.
    FKeyValues.clear();
    for (int i = 0; i < r.RowCount(); ++i) {
      const std::string_view text = r.View(i, 0).value_or(std::string_view());
      std::int64_t value = 0;
      std::from_chars(text.data(), text.data() + text.size(), value);
      FKeyValues.push_back(value);
    }
    Rows.SortByKeys(FKeyValues);
  }
  Rows.Keep(std::move(lent));
  return true;
}

bool TPgTable::ComparesExactly(int Field) const {
  return Field >= 0 && static_cast<std::size_t>(Field) < FColumns.size() &&
         FColumns[static_cast<std::size_t>(Field)].Exact;
}

std::optional<TRowData> TPgTable::InternalFetchKey(const TRowKey& Key) {
  TPgParams params;
  const std::string where = KeyMatch(Key, "=", params);
  TPgResult r = Conn().Exec(FSelect + " WHERE " + where, params);
  if (r.RowCount() == 0) return std::nullopt;
  return ReadRow(r, 0);
}

TRowKey TPgTable::InternalInsert(const std::vector<int>& Fields, const TRowValues& Values) {
  TPgParams params;
  std::string sql = "INSERT INTO " + FTable;
  if (Fields.empty()) {
    sql += " DEFAULT VALUES";
  } else {
    std::string cols, vals;
    for (std::size_t i = 0; i < Fields.size(); ++i) {
      if (i > 0) {
        cols += ", ";
        vals += ", ";
      }
      cols += FColumns.at(static_cast<std::size_t>(Fields[i])).Quoted;
      vals += Placeholder(params, Values[i]);
    }
    sql += " (" + cols + ") VALUES (" + vals + ")";
  }
  TPgResult r = Conn().Exec(sql + " RETURNING " + FKeyList, params);
  TRowKey key;
  for (std::size_t k = 0; k < FKeys.size(); ++k) key.push_back(r.Value(0, static_cast<int>(k)).value_or(""));
  return key;
}

TRowKey TPgTable::InternalUpdate(const TRowKey& Key, const std::vector<int>& Fields, const TRowValues& Values) {
  TPgParams params;
  std::string sets;
  for (std::size_t i = 0; i < Fields.size(); ++i)
    sets += (i ? ", " : "") + FColumns.at(static_cast<std::size_t>(Fields[i])).Quoted + " = " +
            Placeholder(params, Values[i]);
  const std::string where = KeyMatch(Key, "=", params);
  TPgResult r = Conn().Exec("UPDATE " + FTable + " SET " + sets + " WHERE " + where + " RETURNING " + FKeyList, params);
  if (r.RowCount() == 0) DatabaseError("Record not found or changed by another user");
  TRowKey key;
  for (std::size_t k = 0; k < FKeys.size(); ++k) key.push_back(r.Value(0, static_cast<int>(k)).value_or(""));
  return key;
}

void TPgTable::InternalDelete(const TRowKey& Key) {
  TPgParams params;
  const std::string where = KeyMatch(Key, "=", params);
  Conn().Exec("DELETE FROM " + FTable + " WHERE " + where, params);
}

bool TPgTable::CanSeekValues(int Field) const {
  return Field >= 0 && static_cast<std::size_t>(Field) < FColumns.size() &&
         FColumns[static_cast<std::size_t>(Field)].Seekable;
}

std::optional<std::string> TPgTable::InternalSeekValue(const TRowFilter& Filter, int Field, const std::string& From,
                                                      const std::string& To) {
  const Column& c = FColumns.at(static_cast<std::size_t>(Field));
  std::optional<std::string> best;
  for (const TSqlBranch& b : PushdownBranches(Filter)) {
    TPgParams params;
    std::string where = Where(b, params);
    where += (where.empty() ? " WHERE " : " AND ") + c.Quoted + " BETWEEN " + Placeholder(params, From) + " AND " +
             Placeholder(params, To);
    TPgResult r = Conn().Exec("SELECT " + c.Quoted + " FROM " + FTable + where + " ORDER BY " + c.Quoted + " LIMIT 1",
                              params);
    if (r.RowCount() > 0) {
      std::optional<std::string> v = r.Value(0, 0);
      if (v && (!best || *v < *best)) best = std::move(v);
    }
  }
  return best;
}

std::string TPgTable::SeekColumns(const std::vector<TSeekRequest>& Requests, TPgParams& Params,
                                  std::vector<std::size_t>& Owners) const {
  std::string sql;
  for (std::size_t r = 0; r < Requests.size(); ++r) {
    const Column& c = FColumns.at(static_cast<std::size_t>(Requests[r].Field));
    for (const TSqlBranch& b : PushdownBranches(*Requests[r].Filter)) {
      std::string where = Where(b, Params);
      where += (where.empty() ? " WHERE " : " AND ") + c.Quoted + " BETWEEN " + Placeholder(Params, Requests[r].From) +
               " AND " + Placeholder(Params, Requests[r].To);
      sql += (sql.empty() ? "(SELECT " : ", (SELECT ") + c.Quoted + " FROM " + FTable + where + " ORDER BY " +
             c.Quoted + " LIMIT 1)";
      Owners.push_back(r);
    }
  }
  return sql;
}

void TPgTable::ReadSeeks(const TPgResult& Result, int First, const std::vector<std::size_t>& Owners,
                         std::vector<std::optional<std::string>>& Seen) {
  for (std::size_t i = 0; i < Owners.size(); ++i) {
    std::optional<std::string> v = Result.Value(0, First + static_cast<int>(i));
    std::optional<std::string>& best = Seen[Owners[i]];
    if (v && (!best || *v < *best)) best = std::move(v);
  }
}

// One statement of scalar subqueries, one per request and branch: one
// round trip; the least answer of a request's branches counts, as above.
std::vector<std::optional<std::string>> TPgTable::InternalSeekValues(const std::vector<TSeekRequest>& Requests) {
  std::vector<std::optional<std::string>> results(Requests.size());
  TPgParams params;
  std::vector<std::size_t> owners;
  const std::string seeks = SeekColumns(Requests, params, owners);
  if (seeks.empty()) return results;
  TPgResult q = Conn().Exec("SELECT " + seeks, params);
  if (q.RowCount() > 0) ReadSeeks(q, 0, owners, results);
  return results;
}

// The seeks ride along as columns of the fetched rows, in the same round
// trip; they do not depend on the row, so the server runs each once.
std::vector<TRowData> TPgTable::InternalSeekAndFetch(const std::vector<TSeekRequest>& Requests,
                                                     std::vector<std::optional<std::string>>& Seen,
                                                     const TRowFilter& Filter, int Limit) {
  Seen.assign(Requests.size(), std::nullopt);
  TPgParams params;
  std::vector<std::size_t> owners;
  const std::string seeks = SeekColumns(Requests, params, owners);
  if (seeks.empty()) return InternalFetch(Filter, nullptr, false, Limit);
  const std::string fetch = FetchSql(Filter, nullptr, false, Limit, params);
  std::string order;
  for (std::size_t k = 0; k < FKeys.size(); ++k) order += (k ? ", " : "") + std::to_string(k + 1);
  TPgResult q = Conn().Exec("SELECT u.*, " + seeks + " FROM (" + fetch + ") AS u ORDER BY " + order, params);
  std::vector<TRowData> rows;
  rows.reserve(static_cast<std::size_t>(q.RowCount()));
  for (int i = 0; i < q.RowCount(); ++i) rows.push_back(ReadRow(q, i));
  if (!rows.empty()) ReadSeeks(q, static_cast<int>(FKeys.size() + FColumns.size()), owners, Seen);
  return rows;
}

int TPgTable::InternalRecordCount(const TRowFilter& Filter) {
  for (const TRowCondition& c : Filter.Conditions())
    if (!FColumns.at(static_cast<std::size_t>(c.Field)).Exact) return TDataSet::InternalRecordCount(Filter);
  int count = 0;
  for (const TSqlBranch& b : PushdownBranches(Filter)) {
    TPgParams params;
    const std::string where = Where(b, params);
    TPgResult r = Conn().Exec("SELECT count(*) FROM " + FTable + where, params);
    count += std::stoi(r.Value(0, 0).value_or("0"));
  }
  return count;
}

}  // namespace host
