// ScanRows: a whole scan in one query that hands out each row in place.
#include "host/data/DataSet.h"

namespace host {

bool TDataSet::InternalFetchAll(const TRowFilter& Filter, const std::vector<bool>&, TRowBuffer& Rows) {
  std::vector<TRowData> rows = InternalFetch(Filter, nullptr, false, 0);
  Rows.Reset(rows.empty() ? 0 : static_cast<int>(rows.front().Key.size()), FieldCount());
  for (const TRowData& r : rows) {
    for (const std::string& k : r.Key) Rows.Add(k);
    for (const auto& v : r.Values) Rows.Add(v ? std::optional<std::string_view>(*v) : std::nullopt);
  }
  return true;
}

void TDataSet::ScanRows(const std::vector<int>& Fields, const std::function<bool(const TRowView&)>& Visit) {
  // As First does, then the walk without a batch of its own.
  CheckActive();
  CheckBrowseMode();
  FMoved.clear();
  FBatch = kFirstBatch;
  // The filter's columns are read only where the query cannot be trusted
  // to have applied it exactly; the check then reads every condition's.
  std::vector<bool> needed(static_cast<std::size_t>(FieldCount()), false);
  for (int f : Fields) needed.at(static_cast<std::size_t>(f)) = true;
  bool recheck = false;
  for (const TRowCondition& c : FFilter.Conditions())
    recheck = recheck || c.Kind != rcOneOf || !ComparesExactly(c.Field);
  if (recheck)
    for (const TRowCondition& c : FFilter.Conditions()) needed[static_cast<std::size_t>(c.Field)] = true;
  FScan.Reset(0, 0);
  const bool complete = InternalFetchAll(FFilter, needed, FScan);
  const int count = FScan.RowCount();
  TRowView view(static_cast<std::size_t>(FScan.Columns()));
  // Each row's view holds only what Visit and the re-check read; the row
  // the cursor ends on is read whole.
  std::vector<int> read;
  for (std::size_t c = 0; c < needed.size() && c < view.size(); ++c)
    if (needed[c]) read.push_back(static_cast<int>(c));
  int last = -1, visited = 0;
  // The cursor ends on row Row; a walk that ran past it stands at Eof.
  auto settle = [&](int Row, bool PastEnd) {
    for (std::size_t c = 0; c < view.size(); ++c) view[c] = FScan.Value(Row, static_cast<int>(c));
    TRowData row{FScan.Key(Row), {}};
    // A row read in part is read whole again by its key.
    std::optional<TRowData> whole = complete ? std::nullopt : InternalFetchKey(row.Key);
    if (whole) {
      row = std::move(*whole);
    } else {
      row.Values.reserve(view.size());
      for (const auto& v : view) row.Values.push_back(v ? std::optional<std::string>(*v) : std::nullopt);
    }
    FRows.clear();
    FRows.push_back(std::move(row));
    FCur = 0;
    FCurStray = false;
    FAtEnd = PastEnd;
    FScanEnd = PastEnd ? FScan.Key(count - 1) : FRows.front().Key;
    FEof = PastEnd;
    FBof = !PastEnd && visited == 1;
  };
  for (int r = 0; r < count; ++r) {
    for (int c : read) view[static_cast<std::size_t>(c)] = FScan.Value(r, c);
    if (recheck && !FFilter.Matches(view)) continue;
    last = r;
    ++visited;
    bool more;
    try {
      more = Visit(view);
    } catch (...) {
      settle(r, false);
      throw;
    }
    if (!more) {
      settle(r, false);
      return;
    }
  }
  if (last < 0) {
    SetEmpty();
    return;
  }
  settle(last, true);
}

}  // namespace host
