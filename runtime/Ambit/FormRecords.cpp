#include "runtime/Ambit/FormRecords.h"

#include <utility>

namespace ambit {

void TAmFormRecords::Clear() {
  // Cleared twice, the guess stays.
  if (!FItems.empty()) {
    // The records read are distinct; they become the guess of the next
    // read, and an index of them stays valid for a read that repeats them.
    FGuessIndexed = FIndexed || (FGuessIndexed && FItems.size() == FGuessItems.size());
    FGuessId = NamesId();
    FGuessItems.swap(FItems);
    FValues.clear();
    FItems.clear();
    FIndexed = false;  // BuildIndex starts the index afresh
    // Spellings no record of the guess uses any more go, once they are
    // the most of the text.
    std::size_t used = 0;
    for (const TItem& item : FGuessItems) used += item.NameSize;
    if (FNames.size() > 2 * used + 4096) {
      std::string names;
      names.reserve(used);
      for (TItem& item : FGuessItems) {
        const std::size_t at = names.size();
        names.append(NameIn(FNames, item));
        item.NameAt = at;
      }
      FNames.swap(names);
    }
  }
  FOwnId = (FGuessId > FOwnId ? FGuessId : FOwnId) + 1;
  FMatching = true;
}

void TAmFormRecords::Reserve(std::size_t Count) { FItems.reserve(Count); }

void TAmFormRecords::BuildIndex() const {
  FGuessIndexed = false;
  FIndex.Clear();
  FIndex.Reserve(FItems.capacity());
  auto nameAt = [this](int i) { return Name(i); };
  for (int i = 0; i < Count(); ++i) FIndex.Add(Name(i), i, nameAt);
  FIndexed = true;
}

int TAmFormRecords::IndexOfName(std::string_view Name) const {
  if (!FIndexed && FGuessIndexed && FItems.size() == FGuessItems.size())
    FIndexed = true;  // the guess's very names, at the same places
  else if (!FIndexed)
    BuildIndex();
  return FIndex.Find(Name, [this](int i) { return this->Name(i); });
}

void TAmFormRecords::Append(std::string_view Name, std::size_t ValueAt) {
  FItems.push_back({FNames.size(), Name.size(), ValueAt, FValues.size() - ValueAt});
  FNames.append(Name);
}

int TAmFormRecords::Take(std::string_view Name, std::size_t ValueAt) {
  // AddDecoded has taken the name the guess has at this place.
  const int position = Count();
  if (!FIndexed) BuildIndex();
  FMatching = false;
  const int at = FIndex.Add(Name, position, [this](int i) { return this->Name(i); });
  if (at != position) {
    FValues.resize(ValueAt);
    return at;
  }
  Append(Name, ValueAt);
  return position;
}

void TAmFormRecords::Respell(int Index, std::string_view Name) {
  FMatching = false;
  TItem& item = FItems[static_cast<std::size_t>(Index)];
  item.NameAt = FNames.size();
  item.NameSize = Name.size();
  FNames.append(Name);
}

}  // namespace ambit
