// The property records and registered classes a read has looked up, by the
// spelling the file uses. A form names the same few properties of the same few
// classes again and again; comparing a spelling byte for byte is far
// cheaper than folding and hashing it for the class's index each time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/core/ClassRegistry.h"
#include "host/core/TypInfo.h"

namespace host {

class TPropertyMemo {
public:
  // The same record as Class.FindProperty(Name), null included.
  const TPropInfo* Find(const TClass& Class, std::string_view Name);
  // The same, but null for a dotted path (Font.Name): what it names is no
  // property of the class itself, and the caller need not look for dots.
  const TPropInfo* FindPlain(const TClass& Class, std::string_view Name);

private:
  struct TEntry {
    std::uint64_t Head;  // HeadOf(Name): most names differ there already
    std::string Name;
    const TPropInfo* Info;
    const TPropInfo* Plain;  // Info, or null when Name holds a dot
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

  // The entry of Name, learnt if new (Find and FindPlain).
  const TEntry& Look(const TClass& Class, std::string_view Name);
  // The rare paths, kept out of Look: a class not among the recent ones,
  // and a spelling not met before.
  TClassMemo* Remember(const TClass& Class);
  const TEntry& Learn(TClassMemo& Memo, const TClass& Class, std::string_view Name, std::uint64_t Head);
  TEntry FSpare;  // the answer for a spelling past MaxEntries

  std::unordered_map<const TClass*, TClassMemo> FClasses;
  // The memos of the last few classes met, replaced in turn: a form's
  // components take turns among a few classes, and a map look-up for each
  // component costs more than the scan that follows. The map's nodes stay
  // where they are, so the pointers stay valid.
  struct TRecent {
    const TClass* Class = nullptr;
    TClassMemo* Memo = nullptr;
  };
  TRecent FRecent[4];
  std::size_t FReplace = 0;
};

// The registered classes by the spellings a read met, while the registry
// stays as it was: a form names a handful of classes again and again, and
// a byte comparison spares folding and hashing the name each time.
class TClassNameMemo {
public:
  // The same record as FindRegisteredClass(Name), null included.
  const TRegisteredClass* Find(std::string_view Name);

private:
  struct TEntry {
    std::string Name;
    const TRegisteredClass* Class;
  };
  static constexpr std::size_t MaxEntries = 16;

  std::vector<TEntry> FEntries;
  std::uint64_t FChanges = 0;
};

}  // namespace host
