// Locate: the first row in dataset order whose key fields hold the given
// values. The back end is asked only for a narrowed set of candidates; every
// candidate is then checked here with the framework's own comparisons, so
// the answer never depends on the database's collations.
#include <algorithm>

#include "host/core/CaseFold.h"
#include "host/data/DataSet.h"

namespace host {

namespace {

// More spellings than this of one value in one column are not worth an
// IN list; the column is then checked row by row.
constexpr std::size_t kMaxVariants = 64;

std::vector<std::string> SplitFieldNames(std::string_view keyFields) {
  std::vector<std::string> names;
  std::size_t start = 0;
  for (;;) {
    const std::size_t semi = keyFields.find(';', start);
    std::string name = Trim(keyFields.substr(start, semi == std::string_view::npos ? std::string_view::npos
                                                                                    : semi - start));
    if (!name.empty()) names.push_back(std::move(name));
    if (semi == std::string_view::npos) break;
    start = semi + 1;
  }
  return names;
}

}  // namespace

// Finds the spellings of an ASCII value present in column Field among the
// rows that the candidates so far allow: a loose index scan that seeks from
// one possible spelling to the next and skips everything else in between.
// Answers false when the column cannot be searched this way.
bool TDataSet::CaseVariantsPresent(TRowFilter& Candidates, int Field, const std::string& Value,
                                   std::vector<std::string>& Found) {
  if (!TAsciiCaseVariants::IsAscii(Value) || !CanSeekValues(Field)) return false;
  const TAsciiCaseVariants variants(Value);
  std::optional<std::string> from = variants.Lowest();
  while (from) {
    std::optional<std::string> seen = InternalSeekValue(Candidates, Field, *from, variants.Highest());
    if (!seen) break;
    if (variants.IsVariant(*seen)) {
      Found.push_back(*seen);
      if (Found.size() > kMaxVariants) return false;
      from = variants.NextAtLeast(*seen, true);
    } else {
      from = variants.NextAtLeast(*seen, false);
    }
  }
  return true;
}

std::vector<std::optional<std::string>> TDataSet::InternalSeekValues(const std::vector<TSeekRequest>& Requests) {
  std::vector<std::optional<std::string>> results;
  results.reserve(Requests.size());
  for (const TSeekRequest& r : Requests) results.push_back(InternalSeekValue(*r.Filter, r.Field, r.From, r.To));
  return results;
}

std::vector<TRowData> TDataSet::InternalSeekAndFetch(const std::vector<TSeekRequest>& Requests,
                                                     std::vector<std::optional<std::string>>& Seen,
                                                     const TRowFilter& Filter, int Limit) {
  Seen = InternalSeekValues(Requests);
  return InternalFetch(Filter, nullptr, false, Limit);
}

// The common case of a look-up ignoring case, proved in the round trip
// that fetches the first rows of Candidates (into First), the rows under
// the given spellings: each key value is present only in the spelling given.
// The seeks' answers ride on those rows: without them nothing is proved and
// the caller takes the loose scan, field by field. Assuming the earlier
// fields hold their given spellings, any other spelling of a field lies
// between its lowest spelling and the one before the given, or between the
// one after the given and its highest: two bounded seeks that find nothing
// prove the rest. Each stops at the first value it meets past its range,
// so a proof costs an index descent, not a page of entries. When either
// finds a value, the caller takes the loose scan; when neither does, that
// scan would have found exactly these.
bool TDataSet::OnlyGivenSpellings(const TRowFilter& Base, const std::vector<int>& Fields,
                                  const std::vector<std::string>& Values, const TRowFilter& Candidates,
                                  std::vector<TRowData>& First) {
  std::vector<TRowFilter> filters(Fields.size(), Base);
  std::vector<TSeekRequest> requests;
  for (std::size_t i = 0; i < Fields.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) filters[i].Add({{}, rcOneOf, {Values[j]}, Fields[j]});
    const TAsciiCaseVariants variants(Values[i]);
    if (auto before = variants.PriorTo(Values[i]))
      requests.push_back({&filters[i], Fields[i], variants.Lowest(), std::move(*before)});
    if (auto after = variants.NextAtLeast(Values[i], true))
      requests.push_back({&filters[i], Fields[i], std::move(*after), variants.Highest()});
  }
  std::vector<std::optional<std::string>> seen;
  First = InternalSeekAndFetch(requests, seen, Candidates, kLookupBatch);
  if (First.empty()) return false;
  for (const std::optional<std::string>& other : seen)
    if (other) return false;
  return true;
}

bool TDataSet::Locate(std::string_view KeyFields, const std::vector<std::string>& Values, TLocateOptions Options) {
  CheckActive();
  CheckBrowseMode();
  const std::vector<std::string> names = SplitFieldNames(KeyFields);
  if (names.empty() || names.size() != Values.size())
    DatabaseError(Format("Locate needs one value for each of the fields '%s'", {KeyFields}));

  const bool caseInsensitive = Options.Contains(loCaseInsensitive);
  const bool partial = Options.Contains(loPartialKey);
  TRowFilter candidates = FFilter;
  std::vector<int> fields;
  bool speculate = caseInsensitive && !partial;
  for (std::size_t i = 0; i < names.size(); ++i) {
    fields.push_back(FieldByName(names[i])->Index());
    speculate = speculate && !Values[i].empty() && TAsciiCaseVariants::IsAscii(Values[i]) && CanSeekValues(fields[i]);
  }
  TRowFilter givenOnly = FFilter;
  for (std::size_t i = 0; i < names.size() && speculate; ++i) {
    givenOnly.Add({names[i], rcSameText, {Values[i]}, fields[i]});
    givenOnly.Add({names[i], rcOneOf, {Values[i]}, fields[i]});
  }
  std::vector<TRowData> first;
  const bool given = speculate && OnlyGivenSpellings(FFilter, fields, Values, givenOnly, first);
  if (given) candidates = std::move(givenOnly);
  for (std::size_t i = 0; i < names.size() && !given; ++i) {
    const int field = fields[i];
    const std::string& value = Values[i];
    TRowCondition exact{names[i], rcOneOf, {value}, field};
    if (partial) {
      // A prefix of any length is not a single value: checked row by row.
      if (!value.empty())
        candidates.Add({names[i], caseInsensitive ? rcStartsWithText : rcStartsWith, {value}, field});
    } else if (!caseInsensitive || value.empty()) {
      candidates.Add(std::move(exact));
    } else {
      candidates.Add({names[i], rcSameText, {value}, field});
      std::vector<std::string> found;
      if (CaseVariantsPresent(candidates, field, value, found)) {
        if (found.empty()) return false;
        candidates.Add({names[i], rcOneOf, std::move(found), field});
      }
    }
  }

  // A failed search leaves the current batch (and its scan) untouched; a
  // found row starts a new scan, in which no row has moved yet.
  std::set<TRowKey> moved;
  moved.swap(FMoved);
  if (!FetchForward(candidates, nullptr, true, given ? &first : nullptr)) {
    FMoved.swap(moved);
    return false;
  }
  // Only the found row stays: moving on from it follows the dataset's own
  // filter, not the look-up's.
  FRows.resize(1);
  FCur = 0;
  FScanEnd = FRows.front().Key;
  FAtEnd = false;
  FEof = FBof = false;
  return true;
}

}  // namespace host
