// A form's records as a language source reads them for a switch: each name
// once (case ignored), with its decoded value, in the order the names first
// appear. What a fresh string list would hold after LoadStrings, without
// building the "name=value" lines and their list.
//
// Kept from one read to the next, it reuses its buffers, and it indexes
// names only when it has to: a section usually lists the same names in
// the same spelling every time, and names spelt exactly as the last read's
// at the same places are known to be distinct without a look-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/NameIndex.h"

namespace ambit {

class TAmFormRecords {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  std::string_view Name(int Index) const { return NameIn(FNames, FItems[static_cast<std::size_t>(Index)]); }
  // The value, valid until the records change.
  std::string_view ValueView(int Index) const {
    const TItem& item = FItems[static_cast<std::size_t>(Index)];
    return std::string_view(FValues).substr(item.ValueAt, item.ValueSize);
  }
  std::string Value(int Index) const { return std::string(ValueView(Index)); }
  // Position of the record named Name (case ignored), or -1.
  int IndexOfName(std::string_view Name) const;
  // Equal for two reads into this object that hold the same names in the
  // same spelling and order; 0 when there is nothing to compare with.
  std::uint64_t NamesId() const {
    return FMatching && FItems.size() == FGuessItems.size() ? FGuessId : FOwnId;
  }

  // Starts a new read; the names read so far serve as its guess.
  void Clear();
  void Reserve(std::size_t Count);
  // Appends a record unless one of that name is there; returns the
  // position of the record that has the name now. Its value is written
  // straight into the records' buffer: Decode appends it to the string it
  // is given. An empty value adds nothing and gives -1.
  template <class Decode>
  int AddDecoded(std::string_view Name, Decode&& decode) {
    const std::size_t at = FValues.size();
    decode(FValues);
    if (FValues.size() == at) return -1;
    // The usual case inline: every record so far has the guess's name at
    // its place, and the guess's names are distinct, so the guess's
    // spelling here is new too and shares its text.
    const std::size_t position = FItems.size();
    if (!FIndexed && position < FGuessItems.size()) {
      const TItem& guess = FGuessItems[position];
      if (guess.NameSize == Name.size() && std::memcmp(FNames.data() + guess.NameAt, Name.data(), Name.size()) == 0) {
        FItems.push_back({guess.NameAt, guess.NameSize, at, FValues.size() - at});
        return static_cast<int>(position);
      }
    }
    return Take(Name, at);
  }
  // Gives record Index the spelling Name (equal to its own, case ignored).
  void Respell(int Index, std::string_view Name);

private:
  struct TItem {
    std::size_t NameAt;
    std::size_t NameSize;
    std::size_t ValueAt;
    std::size_t ValueSize;
  };
  static std::string_view NameIn(const std::string& Names, const TItem& Item) {
    return std::string_view(Names).substr(Item.NameAt, Item.NameSize);
  }
  // AddDecoded for the value at the end of the buffer from ValueAt; it is
  // dropped when the name is there already.
  int Take(std::string_view Name, std::size_t ValueAt);
  void Append(std::string_view Name, std::size_t ValueAt);
  void BuildIndex() const;

  // Every spelling, back to back: the guess's and this read's. A record
  // spelt as the guess's at its place shares its text.
  std::string FNames;
  std::string FValues;  // every value, back to back
  std::vector<TItem> FItems;
  // The previous read's records (distinct names), as the guess for this one.
  std::vector<TItem> FGuessItems;
  // Valid while FIndexed; until then every name equals the guess's at its
  // place, and while FGuessIndexed it indexes the guess.
  mutable host::TNameIndex FIndex;
  mutable bool FIndexed = true;
  mutable bool FGuessIndexed = false;
  // Whether every record so far was taken as the guess had it.
  bool FMatching = false;
  std::uint64_t FOwnId = 1;    // this read's, should its names be new
  std::uint64_t FGuessId = 0;  // the guess's
};

}  // namespace ambit
