// A form's records as a language source reads them for a switch: each name
// once (case ignored), with its decoded value, in the order the names first
// appear. What a fresh string list would hold after LoadStrings, without
// building the "name=value" lines and their list.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/core/NameIndex.h"

namespace ambit {

class TAmFormRecords {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  std::string_view Name(int Index) const {
    const TItem& item = FItems[static_cast<std::size_t>(Index)];
    return std::string_view(FNames).substr(item.NameAt, item.NameSize);
  }
  const std::string& Value(int Index) const { return FItems[static_cast<std::size_t>(Index)].Value; }
  // The value, moved out: for a reader that needs each one once.
  std::string TakeValue(int Index) { return std::move(FItems[static_cast<std::size_t>(Index)].Value); }
  // Position of the record named Name (case ignored), or -1.
  int IndexOfName(std::string_view Name) const {
    return FIndex.Find(Name, [this](int i) { return this->Name(i); });
  }

  void Clear();
  void Reserve(std::size_t Count);
  // Appends a record unless one of that name is there; returns the
  // position of the record that has the name now.
  int Add(std::string_view Name, std::string Value);
  // Gives record Index the spelling Name (equal to its own, case ignored).
  void Respell(int Index, std::string_view Name);

private:
  struct TItem {
    std::size_t NameAt;
    std::size_t NameSize;
    std::string Value;
  };
  std::string FNames;  // every spelling, back to back
  std::vector<TItem> FItems;
  host::TNameIndex FIndex;
};

}  // namespace ambit
