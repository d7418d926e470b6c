#include "runtime/Ambit/FormRecords.h"

#include <utility>

namespace ambit {

void TAmFormRecords::Clear() {
  FNames.clear();
  FItems.clear();
  FIndex.Clear();
}

void TAmFormRecords::Reserve(std::size_t Count) {
  FItems.reserve(Count);
  FIndex.Reserve(Count);
}

int TAmFormRecords::Add(std::string_view Name, std::string Value) {
  const int position = Count();
  const int at = FIndex.Add(Name, position, [this](int i) { return this->Name(i); });
  if (at != position) return at;
  FItems.push_back({FNames.size(), Name.size(), std::move(Value)});
  FNames.append(Name);
  return position;
}

void TAmFormRecords::Respell(int Index, std::string_view Name) {
  TItem& item = FItems[static_cast<std::size_t>(Index)];
  item.NameAt = FNames.size();
  item.NameSize = Name.size();
  FNames.append(Name);
}

}  // namespace ambit
