#include "runtime/AmFormLocal/TargetMemo.h"

namespace ambit {

void TAmLineCopies::Fill(const host::TStringList& List) {
  const int count = List.Count();
  std::size_t size = 0;
  for (int i = 0; i < count; ++i) size += List.Line(i).size();
  FText.clear();
  FStarts.clear();
  FText.reserve(size);
  FStarts.reserve(static_cast<std::size_t>(count) + 1);
  for (int i = 0; i < count; ++i) {
    FStarts.push_back(FText.size());
    FText.append(List.Line(i));
  }
  FStarts.push_back(FText.size());
}

void TAmTargetMemo::Forget() {
  FNames.clear();
  FEntries.clear();
}

void TAmTargetMemo::Store(const TAmTargetKey& Key, std::size_t Position, std::string_view Name, TTarget Target) {
  if (!(Key == FKey)) {
    Forget();
    FKey = Key;
  }
  // Spellings that changed leave their old text behind; past a bound the
  // memo starts again rather than grow for ever.
  if (FNames.size() > (std::size_t{1} << 16) && FNames.size() > 8 * (FEntries.size() + 1) * (Name.size() + 1))
    Forget();
  // Positions are met in order; a gap (a record skipped without a look-up)
  // holds entries that match nothing.
  if (Position >= FEntries.size()) FEntries.resize(Position + 1, TEntry{0, kUnset, {nullptr, 0, nullptr}});
  TEntry& e = FEntries[Position];
  if (e.NameSize != kUnset && std::string_view(FNames).substr(e.NameAt, e.NameSize) == Name) {
    e.Target = Target;
    return;
  }
  e.NameAt = FNames.size();
  e.NameSize = Name.size();
  e.Target = Target;
  FNames.append(Name);
}

}  // namespace ambit
