#include "host/data/RowBuffer.h"

#include <algorithm>

#include "host/data/Fields.h"

namespace host {

void TRowBuffer::Reset(int KeyParts, int Columns) {
  FKeyParts = KeyParts;
  FColumns = Columns;
  FBytes.clear();
  FCells.clear();
  FOwner.reset();
}

void TRowBuffer::TooLarge() { throw EDatabaseError("A scan's rows exceed 2 GiB"); }

void TRowBuffer::SortByKeys(const std::vector<std::int64_t>& Keys) {
  if (std::is_sorted(Keys.begin(), Keys.end())) return;
  FOrder.clear();
  for (std::size_t i = 0; i < Keys.size(); ++i) FOrder.emplace_back(Keys[i], static_cast<int>(i));
  std::sort(FOrder.begin(), FOrder.end());
  const std::size_t width = static_cast<std::size_t>(FKeyParts + FColumns);
  FSpare.clear();
  FSpare.reserve(FCells.size());
  for (const auto& [key, row] : FOrder) {
    const auto first = FCells.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(row) * width);
    FSpare.insert(FSpare.end(), first, first + static_cast<std::ptrdiff_t>(width));
  }
  FCells.swap(FSpare);
}

int TRowBuffer::RowCount() const {
  const std::size_t width = static_cast<std::size_t>(FKeyParts + FColumns);
  return width == 0 ? 0 : static_cast<int>(FCells.size() / width);
}

std::optional<std::string_view> TRowBuffer::Cell(int Row, int Index) const {
  const TCell& c = FCells[static_cast<std::size_t>(Row) * static_cast<std::size_t>(FKeyParts + FColumns) +
                          static_cast<std::size_t>(Index)];
  if (c.Length < 0) return std::nullopt;
  return std::string_view(c.Lent ? c.Lent : FBytes.data() + c.Offset, static_cast<std::size_t>(c.Length));
}

TRowKey TRowBuffer::Key(int Row) const {
  TRowKey key;
  key.reserve(static_cast<std::size_t>(FKeyParts));
  for (int k = 0; k < FKeyParts; ++k) key.emplace_back(Cell(Row, k).value_or(std::string_view()));
  return key;
}

}  // namespace host
