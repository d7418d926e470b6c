#include "host/core/NameIndex.h"

#include "host/core/CaseFold.h"

namespace host {

void TNameIndex::Clear() {
  FSlots.clear();
  FCount = 0;
}

void TNameIndex::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  Clear();
}

void TNameIndex::Reserve(std::size_t Count) {
  std::size_t size = 16;
  while (size < Count * 2) size *= 2;
  if (size <= FSlots.size()) return;
  std::vector<Slot> old;
  old.swap(FSlots);
  FSlots.resize(size);
  const std::size_t mask = size - 1;
  for (const Slot& s : old) {
    if (s.Position < 0) continue;
    std::size_t i = s.Hash & mask;
    while (FSlots[i].Position >= 0) i = (i + 1) & mask;
    FSlots[i] = s;
  }
}

void TNameIndex::Grow() { Reserve(FSlots.empty() ? 8 : FSlots.size()); }

std::uint32_t TNameIndex::Hash(std::string_view Name) const {
  if (!FCaseSensitive) return static_cast<std::uint32_t>(TextHash()(Name));
  std::uint64_t h = 1469598103934665603ull;  // FNV-1a, as TextHash
  for (unsigned char c : Name) h = (h ^ c) * 1099511628211ull;
  return static_cast<std::uint32_t>(h);
}

bool TNameIndex::Same(std::string_view A, std::string_view B) const {
  return FCaseSensitive ? A == B : SameText(A, B);
}

}  // namespace host
