// ScanRows: a whole scan in one query that hands out each row in place.
#include "host/data/DataSet.h"

namespace host {

void TDataSet::InternalFetchAll(const TRowFilter& Filter, TRowBuffer& Rows) {
  std::vector<TRowData> rows = InternalFetch(Filter, nullptr, false, 0);
  Rows.Reset(rows.empty() ? 0 : static_cast<int>(rows.front().Key.size()), FieldCount());
  for (const TRowData& r : rows) {
    for (const std::string& k : r.Key) Rows.Add(k);
    for (const auto& v : r.Values) Rows.Add(v ? std::optional<std::string_view>(*v) : std::nullopt);
  }
}

void TDataSet::ScanRows(const std::function<bool(const TRowView&)>& Visit) {
  // As First does, then the walk without a batch of its own.
  CheckActive();
  CheckBrowseMode();
  FMoved.clear();
  FBatch = kFirstBatch;
  FScan.Reset(0, 0);
  InternalFetchAll(FFilter, FScan);
  const int count = FScan.RowCount();
  TRowView view(static_cast<std::size_t>(FScan.Columns()));
  int last = -1, visited = 0;
  // The cursor ends on row Row; a walk that ran past it stands at Eof.
  auto settle = [&](int Row, bool PastEnd) {
    TRowData row{FScan.Key(Row), {}};
    row.Values.reserve(view.size());
    for (const auto& v : view) row.Values.push_back(v ? std::optional<std::string>(*v) : std::nullopt);
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
    for (std::size_t c = 0; c < view.size(); ++c) view[c] = FScan.Value(r, static_cast<int>(c));
    if (!FFilter.Matches(view)) continue;
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
  for (std::size_t c = 0; c < view.size(); ++c) view[c] = FScan.Value(last, static_cast<int>(c));
  settle(last, true);
}

}  // namespace host
