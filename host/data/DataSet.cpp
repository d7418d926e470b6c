#include "host/data/DataSet.h"

#include <algorithm>

#include "host/core/CaseFold.h"

namespace host {

namespace {
constexpr int kMaxBatch = 4096;
}  // namespace

const TTypeInfo& TypeInfoOf(TDataSetState*) {
  static const TTypeInfo info = MakeEnumInfo("TDataSetState", {"dsInactive", "dsBrowse", "dsEdit", "dsInsert"});
  return info;
}

const TClass& TDataSet::StaticClass() {
  static const TClass cls = TClassBuilder<TDataSet>("TDataSet", &TComponent::StaticClass())
                                .Prop("Active", &TDataSet::Active, &TDataSet::SetActive)
                                .Default(false)
                                .Build();
  return cls;
}
const TClass& TDataSet::ClassType() const { return StaticClass(); }

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

// Back ends close in their own destructors, while their part still exists.
TDataSet::~TDataSet() = default;

void TDataSet::DatabaseError(const std::string& Message) const {
  throw EDatabaseError(Name().empty() ? Message : Name() + ": " + Message);
}

void TDataSet::CheckInactive() const {
  if (Active()) DatabaseError("Cannot perform this operation on an open dataset");
}

void TDataSet::CheckActive() const {
  if (!Active()) DatabaseError("Cannot perform this operation on a closed dataset");
}

// --- Opening and closing ---

void TDataSet::SetActive(bool Value) {
  if (IsLoading()) {
    FStreamedActive = Value;
    return;
  }
  if (Value == Active()) return;
  if (Value)
    OpenCursor();
  else
    CloseCursor();
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (FStreamedActive) SetActive(true);
}

void TDataSet::OpenCursor() {
  // Columns are read again on every open so that a changed table is seen.
  UpdateFieldDefs();
  InternalOpen();
  try {
    const TFieldDefs& defs = *FFieldDefs;
    for (int i = 0; i < defs.Count(); ++i) FFields.push_back(std::make_unique<TField>(this, i, defs.Items(i)));
    ResolveFilter(FFilter);
    FState = dsBrowse;
    First();
  } catch (...) {
    CloseCursor();
    throw;
  }
}

void TDataSet::CloseCursor() {
  FEditValues.clear();
  FModified.clear();
  FSavedRow.reset();
  FState = dsInactive;
  InternalClose();
  FFields.clear();
  SetEmpty();
}

const TFieldDefs& TDataSet::FieldDefs() {
  if (!FFieldDefs) UpdateFieldDefs();
  return *FFieldDefs;
}

void TDataSet::UpdateFieldDefs() {
  TFieldDefs defs;
  InternalInitFieldDefs(defs);
  FFieldDefs = std::move(defs);
}

void TDataSet::InvalidateFieldDefs() { FFieldDefs.reset(); }

// --- Fields ---

TField* TDataSet::Fields(int Index) const {
  if (Index < 0 || Index >= FieldCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FFields[static_cast<std::size_t>(Index)].get();
}

TField* TDataSet::FindField(std::string_view FieldName) const {
  for (const auto& f : FFields)
    if (SameText(f->FieldName(), FieldName)) return f.get();
  return nullptr;
}

TField* TDataSet::FieldByName(std::string_view FieldName) const {
  if (TField* f = FindField(FieldName)) return f;
  DatabaseError(Format("Field '%s' not found", {FieldName}));
}

std::optional<std::string> TDataSet::FieldValue(int Index) const {
  const auto i = static_cast<std::size_t>(Index);
  if (FState == dsEdit || FState == dsInsert) return FEditValues.at(i);
  if (HasCurrent()) return FRows[static_cast<std::size_t>(FCur)].Values.at(i);
  return std::nullopt;
}

void TDataSet::SetFieldValue(int Index, std::optional<std::string> Value) {
  if (FState != dsEdit && FState != dsInsert) DatabaseError("Dataset not in edit or insert mode");
  const auto i = static_cast<std::size_t>(Index);
  FEditValues.at(i) = std::move(Value);
  FModified.at(i) = true;
}

// --- Row filter ---

void TDataSet::ResolveFilter(TRowFilter& Filter) const {
  for (TRowCondition& c : Filter.Conditions()) {
    const int i = FFieldDefs ? FFieldDefs->IndexOf(c.FieldName) : -1;
    if (i < 0) DatabaseError(Format("Field '%s' not found", {c.FieldName}));
    if (c.Kind != rcOneOf && c.Values.size() != 1) DatabaseError("A row condition needs one value");
    c.Field = i;
  }
}

void TDataSet::SetRowFilter(TRowFilter Filter) {
  if (!Active()) {
    FFilter = std::move(Filter);
    return;
  }
  CheckBrowseMode();
  ResolveFilter(Filter);
  FFilter = std::move(Filter);
  // No query here: callers go on with First or Locate. A current row that
  // passes stays current, as the only row of the batch.
  if (HasCurrent() && FFilter.Matches(FRows[static_cast<std::size_t>(FCur)].Values)) {
    TRowData row = std::move(FRows[static_cast<std::size_t>(FCur)]);
    FRows.clear();
    FRows.push_back(std::move(row));
    FCur = 0;
    FScanEnd = FRows.front().Key;
    FAtEnd = false;
    FEof = FBof = false;
  } else {
    SetEmpty();
  }
}

// --- Navigation ---

void TDataSet::SetEmpty() {
  FRows.clear();
  FCurStray = false;
  FCur = -1;
  FScanEnd.clear();
  FAtEnd = false;
  FEof = FBof = true;
}

// Reads batches after After until one holds a row that passes Filter; the
// passing rows become the current batch.
bool TDataSet::FetchForward(const TRowFilter& Filter, const TRowKey* After, bool OnlyFirst,
                            std::vector<TRowData>* Fetched) {
  TRowKey after;
  if (After) after = *After;
  bool hasAfter = After != nullptr;
  int limit = OnlyFirst ? kLookupBatch : FFetchAll ? 0 : FBatch;
  for (;;) {
    std::vector<TRowData> rows =
        Fetched ? std::move(*Fetched) : InternalFetch(Filter, hasAfter ? &after : nullptr, false, limit);
    Fetched = nullptr;
    if (rows.empty()) return false;
    const bool atEnd = limit == 0 || static_cast<int>(rows.size()) < limit;
    after = rows.back().Key;
    hasAfter = true;
    std::vector<TRowData> kept;
    for (TRowData& r : rows)
      if (Filter.Matches(r.Values) && FMoved.count(r.Key) == 0) kept.push_back(std::move(r));
    if (limit > 0) limit = std::min(limit * 2, kMaxBatch);
    if (!OnlyFirst && limit > 0) FBatch = limit;
    if (!kept.empty()) {
      FRows = std::move(kept);
      FCurStray = false;
      FCur = 0;
      FScanEnd = std::move(after);
      // Only a scan under the dataset's own filter may skip the last query.
      FAtEnd = atEnd && !OnlyFirst;
      return true;
    }
    if (atEnd) return false;
  }
}

bool TDataSet::FetchBackward(const TRowFilter& Filter, const TRowKey* Before) {
  TRowKey before;
  if (Before) before = *Before;
  bool hasBefore = Before != nullptr;
  int limit = kFirstBatch;
  for (;;) {
    std::vector<TRowData> rows = InternalFetch(Filter, hasBefore ? &before : nullptr, true, limit);
    if (rows.empty()) return false;
    before = rows.back().Key;
    hasBefore = true;
    std::vector<TRowData> kept;
    for (TRowData& r : rows)
      if (Filter.Matches(r.Values) && FMoved.count(r.Key) == 0) kept.push_back(std::move(r));
    limit = std::min(limit * 2, kMaxBatch);
    if (!kept.empty()) {
      std::reverse(kept.begin(), kept.end());
      FRows = std::move(kept);
      FCurStray = false;
      FAtEnd = false;
      FCur = static_cast<int>(FRows.size()) - 1;
      FScanEnd = FRows.back().Key;
      return true;
    }
  }
}

void TDataSet::First() {
  CheckActive();
  CheckBrowseMode();
  FMoved.clear();
  FBatch = kFirstBatch;
  if (!FetchForward(FFilter, nullptr, false)) {
    SetEmpty();
    return;
  }
  FBof = true;
  FEof = false;
}

void TDataSet::Last() {
  CheckActive();
  CheckBrowseMode();
  FMoved.clear();
  if (!FetchBackward(FFilter, nullptr)) {
    SetEmpty();
    return;
  }
  FEof = true;
  FBof = false;
}

void TDataSet::Next() {
  CheckActive();
  CheckBrowseMode();
  if (FEof) return;
  FBof = false;
  if (FCurStray) {
    LeaveStray(true);
    return;
  }
  if (FCur + 1 < static_cast<int>(FRows.size())) {
    ++FCur;
    return;
  }
  // A failed fetch leaves the batch as it was: the cursor stays on the last row.
  const TRowKey scanEnd = FScanEnd;
  if (FAtEnd || !FetchForward(FFilter, &scanEnd, false)) FEof = true;
}

void TDataSet::Prior() {
  CheckActive();
  CheckBrowseMode();
  if (FBof) return;
  FEof = false;
  if (FCurStray) {
    LeaveStray(false);
    return;
  }
  if (FCur > 0) {
    --FCur;
    return;
  }
  const TRowKey front = FRows.front().Key;
  if (!FetchBackward(FFilter, &front)) FBof = true;
}

// Moves off a current row that no longer passes the filter, dropping it
// from the batch: to the row that followed it (Forward) or preceded it,
// else to the nearest one on the other side.
void TDataSet::LeaveStray(bool Forward) {
  const TRowKey stray = FRows[static_cast<std::size_t>(FCur)].Key;
  FRows.erase(FRows.begin() + FCur);
  FCurStray = false;
  const int count = static_cast<int>(FRows.size());
  const TRowKey scanEnd = FScanEnd;
  auto after = [&] {
    if (FCur < count) return true;  // the following row of this batch
    return !FAtEnd && FetchForward(FFilter, &scanEnd, false);
  };
  auto before = [&] {
    if (FCur > 0 && FCur - 1 < count) {
      --FCur;
      return true;
    }
    return FetchBackward(FFilter, count > 0 ? &FRows.front().Key : &stray);
  };
  if (Forward ? after() : before()) return;
  if (Forward ? before() : after()) {
    (Forward ? FEof : FBof) = true;
    return;
  }
  SetEmpty();
}

int TDataSet::RecordCount() {
  CheckActive();
  const bool pushable = std::all_of(FFilter.Conditions().begin(), FFilter.Conditions().end(),
                                    [](const TRowCondition& c) { return c.Kind == rcOneOf; });
  if (pushable) return InternalRecordCount(FFilter);
  int count = 0;
  TRowKey after;
  bool hasAfter = false;
  for (;;) {
    auto rows = InternalFetch(FFilter, hasAfter ? &after : nullptr, false, kMaxBatch);
    if (rows.empty()) return count;
    for (const auto& r : rows)
      if (FFilter.Matches(r.Values)) ++count;
    after = rows.back().Key;
    hasAfter = true;
  }
}

int TDataSet::InternalRecordCount(const TRowFilter& Filter) {
  int count = 0;
  TRowKey after;
  bool hasAfter = false;
  for (;;) {
    auto rows = InternalFetch(Filter, hasAfter ? &after : nullptr, false, kMaxBatch);
    if (rows.empty()) return count;
    for (const auto& r : rows)
      if (Filter.Matches(r.Values)) ++count;
    after = rows.back().Key;
    hasAfter = true;
  }
}

// --- Editing ---

void TDataSet::Edit() {
  CheckActive();
  if (FState == dsEdit || FState == dsInsert) return;
  if (!HasCurrent()) DatabaseError("Cannot perform this operation on an empty dataset");
  FEditValues = FRows[static_cast<std::size_t>(FCur)].Values;
  FModified.assign(FEditValues.size(), false);
  FState = dsEdit;
}

void TDataSet::Append() {
  CheckActive();
  CheckBrowseMode();
  FEditValues.assign(FFields.size(), std::nullopt);
  FModified.assign(FFields.size(), false);
  FState = dsInsert;
}

void TDataSet::Post() {
  CheckActive();
  if (FState != dsEdit && FState != dsInsert) DatabaseError("Dataset not in edit or insert mode");
  std::vector<int> fields;
  TRowValues values;
  for (std::size_t i = 0; i < FModified.size(); ++i)
    if (FModified[i]) {
      fields.push_back(static_cast<int>(i));
      values.push_back(FEditValues[i]);
    }
  // A failing write raises here and leaves the edit pending, so that the
  // caller can correct it or cancel.
  if (FState == dsInsert) {
    TRowKey key = InternalInsert(fields, values);
    std::optional<TRowData> row = InternalFetchKey(key);
    FRows.clear();
    FRows.push_back(row ? std::move(*row) : TRowData{key, FEditValues});
    FCurStray = !FFilter.Matches(FRows.front().Values);
    FCur = 0;
    FScanEnd = FRows.front().Key;
    FAtEnd = false;
    FEof = FBof = false;
  } else if (!fields.empty()) {
    TRowData& cur = FRows[static_cast<std::size_t>(FCur)];
    TRowKey key = InternalUpdate(cur.Key, fields, values);
    if (key != cur.Key) FMoved.insert(key);
    std::optional<TRowData> row = InternalFetchKey(key);
    cur = row ? std::move(*row) : TRowData{key, FEditValues};
    FCurStray = !FFilter.Matches(cur.Values);
  }
  FState = dsBrowse;
  FEditValues.clear();
  FModified.clear();
}

void TDataSet::Cancel() {
  if (FState != dsEdit && FState != dsInsert) return;
  FState = dsBrowse;
  FEditValues.clear();
  FModified.clear();
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  if (FState != dsEdit && FState != dsInsert) return;
  if (std::find(FModified.begin(), FModified.end(), true) != FModified.end())
    Post();
  else
    Cancel();
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert) {
    Cancel();
    return;
  }
  if (FState == dsEdit) Cancel();
  if (!HasCurrent()) DatabaseError("Cannot perform this operation on an empty dataset");
  const TRowKey key = FRows[static_cast<std::size_t>(FCur)].Key;
  InternalDelete(key);
  FRows.erase(FRows.begin() + FCur);
  FCurStray = false;  // the following row passed the filter
  if (FCur < static_cast<int>(FRows.size())) return;  // the following row of this batch
  const TRowKey scanEnd = FScanEnd;
  if (!FAtEnd && FetchForward(FFilter, &scanEnd, false)) {
    FEof = false;
    return;
  }
  if (FetchBackward(FFilter, &key)) {
    FEof = true;
    return;
  }
  SetEmpty();
}

}  // namespace host
