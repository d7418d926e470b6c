#include "host/data/RowBuffer.h"

#include "host/data/Fields.h"

namespace host {

void TRowBuffer::Reset(int KeyParts, int Columns) {
  FKeyParts = KeyParts;
  FColumns = Columns;
  FBytes.clear();
  FCells.clear();
  FOwner.reset();
}

void TRowBuffer::Add(std::optional<std::string_view> Cell) {
  if (!Cell) {
    FCells.push_back({nullptr, 0, -1});
    return;
  }
  // Offsets are 32-bit: a section beyond 2 GiB of text is refused rather
  // than read wrongly.
  if (FBytes.size() + Cell->size() > 0x7fffffffu) throw EDatabaseError("A scan's rows exceed 2 GiB");
  FCells.push_back({nullptr, static_cast<std::uint32_t>(FBytes.size()), static_cast<std::int32_t>(Cell->size())});
  FBytes.append(*Cell);
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
