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
    std::optional<std::string> seen = InternalSeekValue(Candidates, Field, *from);
    if (!seen || *seen > variants.Highest()) break;
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

bool TDataSet::Locate(std::string_view KeyFields, const std::vector<std::string>& Values, TLocateOptions Options) {
  CheckActive();
  CheckBrowseMode();
  const std::vector<std::string> names = SplitFieldNames(KeyFields);
  if (names.empty() || names.size() != Values.size())
    DatabaseError(Format("Locate needs one value for each of the fields '%s'", {KeyFields}));

  const bool caseInsensitive = Options.Contains(loCaseInsensitive);
  const bool partial = Options.Contains(loPartialKey);
  TRowFilter candidates = FFilter;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int field = FieldByName(names[i])->Index();
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
  if (!FetchForward(candidates, nullptr, true)) {
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
