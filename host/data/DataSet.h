// TDataSet: a cursor over the rows of a table, independent of the database
// behind it. The back end answers a few questions (fetch a batch of rows
// after a key, insert, update, delete, seek a column value); navigation,
// editing, look-ups and row filters are done here alike for every back end.
//
// The cursor never holds the whole table: it keeps one batch of rows and
// fetches the next batch after the last key it has seen (keyset paging), so
// a row filter the back end pushes into its query touches only those rows.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/Component.h"
#include "host/core/Set.h"
#include "host/data/Fields.h"
#include "host/data/RowBuffer.h"
#include "host/data/RowFilter.h"

namespace host {

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
const TTypeInfo& TypeInfoOf(TDataSetState*);

enum TLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = TSet<TLocateOption>;

// A row as a back end hands it over: its key (back-end specific, opaque
// here) and the values of every column in field-definition order.
struct TRowData {
  std::vector<std::string> Key;
  TRowValues Values;
};

class TDataSet : public TComponent {
  HOST_CLASS(TDataSet)
public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  bool Active() const { return FState != dsInactive; }
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return FState; }

  // Column definitions; read from the database on first use, without
  // opening the dataset.
  const TFieldDefs& FieldDefs();
  // Reads the column definitions again.
  void UpdateFieldDefs();

  // Fields of the open dataset, one per column.
  int FieldCount() const { return static_cast<int>(FFields.size()); }
  TField* Fields(int Index) const;
  // Null when there is no such field (names ignore case).
  TField* FindField(std::string_view FieldName) const;
  // Raises EDatabaseError naming the field and the dataset.
  TField* FieldByName(std::string_view FieldName) const;

  void First();
  void Last();
  void Next();
  void Prior();
  bool Eof() const { return FEof; }
  bool Bof() const { return FBof; }
  bool IsEmpty() const { return FRows.empty(); }
  // Rows that the row filter lets through.
  int RecordCount();

  // Finds the first row in dataset order whose key fields (names joined by
  // ";") hold Values; case-insensitive comparison is host::SameText. Moves
  // there and answers true, or leaves the cursor alone and answers false.
  bool Locate(std::string_view KeyFields, const std::vector<std::string>& Values, TLocateOptions Options = {});

  void Edit();
  void Append();
  void Insert() { Append(); }
  void Post();
  void Cancel();
  // Deletes the current row; the cursor then stands on the following row
  // (or, after the last one, on the new last row with Eof set).
  void Delete();
  // Posts a pending edit with changes, cancels one without.
  void CheckBrowseMode();

  // A scan from First on reads every row the filter lets through in one
  // query, instead of batches that grow, for a caller that reads them all
  // (a form's section of a language table): one round trip, and a
  // statement without paging that the server plans once. The rows are held
  // in memory while the scan lasts.
  bool FetchAll() const { return FFetchAll; }
  void SetFetchAll(bool Value) { FFetchAll = Value; }
  // The rows a walk from First to Eof meets, handed to Visit in that order
  // (values by column index, null as nullopt) from one query, without the
  // cursor's copies of each row. The view holds the columns Fields; others
  // may read as null. A Visit that answers false stops there. Afterwards
  // the cursor stands where that walk would have left it: on the row Visit
  // stopped at (or raised from), else on the last row with Eof set; without
  // rows the dataset is empty.
  void ScanRows(const std::vector<int>& Fields, const std::function<bool(const TRowView&)>& Visit);

  // Restricts the rows visited to those matching Filter, exactly; the back
  // end narrows its queries with it. An open dataset keeps its current row
  // when that row passes; otherwise it has none (Eof) until First.
  void SetRowFilter(TRowFilter Filter);
  void ClearRowFilter() { SetRowFilter(TRowFilter()); }
  const TRowFilter& RowFilter() const { return FFilter; }

  void Loaded() override;

  // Field access for TField.
  std::optional<std::string> FieldValue(int Index) const;
  void SetFieldValue(int Index, std::optional<std::string> Value);

protected:
  // --- The back end ---
  virtual void InternalInitFieldDefs(TFieldDefs& Defs) = 0;
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  // Up to Limit rows (every one when Limit is 0) in dataset order strictly
  // after After (before it when Backward, then in descending order),
  // starting at the first (last) row when After is null. The rows must include every row matching the rcOneOf
  // conditions of Filter; other conditions may be ignored.
  virtual std::vector<TRowData> InternalFetch(const TRowFilter& Filter, const TRowKey* After, bool Backward,
                                              int Limit) = 0;
  virtual std::optional<TRowData> InternalFetchKey(const TRowKey& Key) = 0;
  // InternalFetch of every row from the first, into Rows (key parts, then
  // every column). Back ends that can copy straight from their result do,
  // and may leave the columns not Needed null; the answer tells whether
  // every column was read.
  virtual bool InternalFetchAll(const TRowFilter& Filter, const std::vector<bool>& Needed, TRowBuffer& Rows);
  // Whether the back end's query selects by column Field exactly as an
  // rcOneOf condition does, so that its rows need no second look.
  virtual bool ComparesExactly(int Field) const { return false; }
  // Writes the columns Fields with Values; each returns the row's key.
  virtual TRowKey InternalInsert(const std::vector<int>& Fields, const TRowValues& Values) = 0;
  virtual TRowKey InternalUpdate(const TRowKey& Key, const std::vector<int>& Fields, const TRowValues& Values) = 0;
  virtual void InternalDelete(const TRowKey& Key) = 0;
  // Whether InternalSeekValue can answer for this column (a text column
  // ordered by bytes, with an index for speed).
  virtual bool CanSeekValues(int Field) const { return false; }
  // The smallest non-null text from From up to To (both included, byte
  // order) in column Field among the rows matching the rcOneOf conditions
  // of Filter. The bound lets the index scan stop at the first value past
  // it instead of reading on to the end of its page.
  virtual std::optional<std::string> InternalSeekValue(const TRowFilter& Filter, int Field, const std::string& From,
                                                       const std::string& To) {
    return std::nullopt;
  }
  // InternalSeekValue for several requests, answered in order. Back ends
  // that can put them into one statement (one round trip) do so.
  struct TSeekRequest {
    const TRowFilter* Filter;
    int Field;
    std::string From;
    std::string To;
  };
  virtual std::vector<std::optional<std::string>> InternalSeekValues(const std::vector<TSeekRequest>& Requests);
  // InternalSeekValues into Seen and InternalFetch(Filter, nullptr, false,
  // Limit) for a look-up that needs both; back ends that can answer both in
  // one statement (one round trip) do. When no row comes back, Seen may be
  // left without answers.
  virtual std::vector<TRowData> InternalSeekAndFetch(const std::vector<TSeekRequest>& Requests,
                                                     std::vector<std::optional<std::string>>& Seen,
                                                     const TRowFilter& Filter, int Limit);
  // Rows matching Filter exactly, which holds only rcOneOf conditions. A
  // back end counts in its query only where its comparison is exact (no
  // collation that folds case or pads), else it leaves it to this one,
  // which checks every candidate.
  virtual int InternalRecordCount(const TRowFilter& Filter);

  // Raise unless the dataset is closed (for changes of the table's identity).
  void CheckInactive() const;
  void CheckActive() const;
  // Forgets the column definitions (the table changed).
  void InvalidateFieldDefs();
  [[noreturn]] void DatabaseError(const std::string& Message) const;

private:
  void OpenCursor();
  void CloseCursor();
  void ResolveFilter(TRowFilter& Filter) const;
  // Fetched, when given, is the first batch, already read.
  bool FetchForward(const TRowFilter& Filter, const TRowKey* After, bool OnlyFirst,
                    std::vector<TRowData>* Fetched = nullptr);
  bool FetchBackward(const TRowFilter& Filter, const TRowKey* Before);
  void SetEmpty();
  void LeaveStray(bool Forward);
  bool HasCurrent() const { return FCur >= 0 && FCur < static_cast<int>(FRows.size()); }
  bool CaseVariantsPresent(TRowFilter& Candidates, int Field, const std::string& Value,
                           std::vector<std::string>& Found);
  bool OnlyGivenSpellings(const TRowFilter& Base, const std::vector<int>& Fields,
                          const std::vector<std::string>& Values, const TRowFilter& Candidates,
                          std::vector<TRowData>& First);

  TDataSetState FState = dsInactive;
  bool FStreamedActive = false;
  std::optional<TFieldDefs> FFieldDefs;
  std::vector<std::unique_ptr<TField>> FFields;
  TRowFilter FFilter;

  // The current batch of matching rows, the cursor in it and the last key
  // the back end handed over (rows between may have failed the filter).
  std::vector<TRowData> FRows;
  int FCur = -1;
  TRowKey FScanEnd;
  bool FAtEnd = false;  // the back end has no rows after FScanEnd
  // The current row was posted with values the filter rejects: it stays
  // current, and moving away leaves it behind.
  bool FCurStray = false;
  // Keys that rows took by being posted during this scan (a changed primary
  // key, or a new physical place): such a row is not met a second time.
  std::set<TRowKey> FMoved;
  static constexpr int kFirstBatch = 64;
  static constexpr int kLookupBatch = 4;  // the first fetch of a look-up
  int FBatch = kFirstBatch;
  bool FFetchAll = false;
  bool FEof = true;
  bool FBof = true;

  // The record being edited or inserted.
  TRowValues FEditValues;
  std::vector<bool> FModified;
  std::optional<TRowData> FSavedRow;
  // The rows of the last ScanRows, kept so that its storage is reused.
  TRowBuffer FScan;
};

}  // namespace host
