// The property records a read has looked up, by class and by the spelling
// the file uses. A form names the same few properties of the same few
// classes again and again; comparing a spelling byte for byte is far
// cheaper than folding and hashing it for the class's index each time.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/core/TypInfo.h"

namespace host {

class TPropertyMemo {
public:
  // The same record as Class.FindProperty(Name), null included.
  const TPropInfo* Find(const TClass& Class, std::string_view Name);

private:
  struct TEntry {
    std::string Name;
    const TPropInfo* Info;
  };
  // A class's spellings in the order first met, and where to look first:
  // after the last one found, as components of a class mostly set their
  // properties in one order.
  struct TClassMemo {
    std::vector<TEntry> Entries;
    std::size_t Next = 0;
  };
  // Spellings past this many per class go straight to the class's index,
  // so that no file can make the scan long.
  static constexpr std::size_t MaxEntries = 32;

  std::unordered_map<const TClass*, TClassMemo> FClasses;
  const TClass* FLastClass = nullptr;
  TClassMemo* FLast = nullptr;
};

}  // namespace host
