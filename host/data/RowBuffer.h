// TRowBuffer: the rows of one whole-scan query, copied out of the back
// end's result into one block of bytes, so that reading a section costs no
// allocation per row or value once the buffer has grown to size. A back end
// whose result outlives its statement lends its bytes instead (Keep).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

using TRowKey = std::vector<std::string>;

class TRowBuffer {
public:
  // Starts over for rows of KeyParts key texts followed by Columns values.
  void Reset(int KeyParts, int Columns);
  // The cells of a row in order: its key parts, then every column.
  void Add(std::optional<std::string_view> Cell) {
    if (!Cell) {
      FCells.push_back({nullptr, 0, -1});
      return;
    }
    // Offsets are 32-bit: a section beyond 2 GiB of text is refused rather
    // than read wrongly.
    if (FBytes.size() + Cell->size() > 0x7fffffffu) TooLarge();
    FCells.push_back({nullptr, static_cast<std::uint32_t>(FBytes.size()), static_cast<std::int32_t>(Cell->size())});
    FBytes.append(*Cell);
  }
  // As Add, but the cell is a view into bytes that Owner (see Keep) holds.
  void Lend(std::optional<std::string_view> Cell) {
    FCells.push_back(Cell ? TCell{Cell->data(), 0, static_cast<std::int32_t>(Cell->size())} : TCell{nullptr, 0, -1});
  }
  // Holds Owner, whose bytes lent cells view, until the next Reset.
  void Keep(std::shared_ptr<const void> Owner) { FOwner = std::move(Owner); }

  // Puts the rows into ascending order of Keys, one distinct key per row,
  // for a back end that reads them in another order.
  void SortByKeys(const std::vector<std::int64_t>& Keys);

  int KeyParts() const { return FKeyParts; }
  int Columns() const { return FColumns; }
  int RowCount() const;
  // nullopt for null; a view into the buffer, valid until the next Reset.
  std::optional<std::string_view> Value(int Row, int Column) const { return Cell(Row, FKeyParts + Column); }
  TRowKey Key(int Row) const;

private:
  std::optional<std::string_view> Cell(int Row, int Index) const;
  [[noreturn]] static void TooLarge();

  struct TCell {
    const char* Lent;  // null for bytes of FBytes, from Offset
    std::uint32_t Offset;
    std::int32_t Length;  // -1 for null
  };
  int FKeyParts = 0;
  int FColumns = 0;
  std::string FBytes;
  std::vector<TCell> FCells;
  // SortByKeys' keys with their rows, and its target; kept for their
  // storage.
  std::vector<std::pair<std::int64_t, int>> FOrder;
  std::vector<TCell> FSpare;
  std::shared_ptr<const void> FOwner;
};

}  // namespace host
