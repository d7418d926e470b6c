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

#include "host/core/CaseFold.h"
#include "host/core/ClassRegistry.h"
#include "host/core/TypInfo.h"

namespace host {

class TPropertyMemo {
  struct TEntry {
    std::uint64_t Head;  // HeadOf(Name): most names differ there already
    const TPropInfo* Plain;  // Info, or null when Name holds a dot
    const TPropInfo* Info;
    std::string Name;
  };

public:
  // What the memo knows of one class: a reader asks for it once per
  // component and then looks up that component's properties in it.
  class TClassMemo {
    friend class TPropertyMemo;
    std::vector<TEntry> Entries;
    std::size_t Next = 0;
  };

  // The same record as Class.FindProperty(Name), null included.
  const TPropInfo* Find(const TClass& Class, std::string_view Name);
  // The same, but null for a dotted path (Font.Name): what it names is no
  // property of the class itself, and the caller need not look for dots.
  const TPropInfo* FindPlain(const TClass& Class, std::string_view Name);
  // The memo of Class, for FindPlain below. It stays valid as long as
  // this memo does.
  TClassMemo& ForClass(const TClass& Class);
  // FindPlain(Class, Name) through Class's memo (ForClass(Class)): the
  // spelling that followed the last one found is tried first, inline, as
  // components of a class mostly set their properties in one order.
  const TPropInfo* FindPlain(TClassMemo& Memo, const TClass& Class, std::string_view Name) {
    const std::size_t n = Memo.Entries.size();
    std::size_t i = Memo.Next;
    if (i >= n) i = 0;
    if (i < n) {
      const TEntry& e = Memo.Entries[i];
      if (SameBytes(e.Name, Name)) {
        Memo.Next = i + 1;
        return e.Plain;
      }
    }
    return Scan(Memo, Class, Name).Plain;
  }

private:
  // Spellings past this many per class go straight to the class's index,
  // so that no file can make the scan long.
  static constexpr std::size_t MaxEntries = 32;

  // The first eight bytes of a name (fewer for a shorter one, the rest
  // zero): with the length it tells names of up to eight bytes apart, and
  // nearly every property name is that short.
  static std::uint64_t HeadOf(std::string_view s) { return LoadUpTo8(s.data(), s.size() < 8 ? s.size() : 8); }

  // The entry of Name, learnt if new (Find and FindPlain).
  const TEntry& Look(const TClass& Class, std::string_view Name);
  // The whole of Memo from where the last look ended, then the class's
  // index.
  const TEntry& Scan(TClassMemo& Memo, const TClass& Class, std::string_view Name);
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
