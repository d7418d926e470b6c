#include "host/stream/PropertyMemo.h"

#include "host/core/CaseFold.h"

#include <cstdint>
#include <cstring>
#include <iterator>

namespace host {

namespace {
// Whether Name (whose head is Head) is spelled as Known (whose head is KnownHead).
bool SameSpelling(const std::string& Known, std::uint64_t KnownHead, std::string_view Name, std::uint64_t Head) {
  return KnownHead == Head && Known.size() == Name.size() &&
         (Name.size() <= 8 || std::memcmp(Known.data() + 8, Name.data() + 8, Name.size() - 8) == 0);
}
}  // namespace

TPropertyMemo::TClassMemo& TPropertyMemo::ForClass(const TClass& Class) {
  for (const TRecent& r : FRecent)
    if (r.Class == &Class) return *r.Memo;
  return *Remember(Class);
}

const TPropertyMemo::TEntry& TPropertyMemo::Look(const TClass& Class, std::string_view Name) {
  return Scan(ForClass(Class), Class, Name);
}

const TPropertyMemo::TEntry& TPropertyMemo::Scan(TClassMemo& Memo, const TClass& Class, std::string_view Name) {
  const std::uint64_t head = HeadOf(Name);
  const std::size_t n = Memo.Entries.size();
  std::size_t i = Memo.Next;
  for (std::size_t k = 0; k < n; ++k, ++i) {
    if (i >= n) i = 0;
    const TEntry& e = Memo.Entries[i];
    if (SameSpelling(e.Name, e.Head, Name, head)) {
      Memo.Next = i + 1;
      return e;
    }
  }
  return Learn(Memo, Class, Name, head);
}

const TPropInfo* TPropertyMemo::Find(const TClass& Class, std::string_view Name) { return Look(Class, Name).Info; }

const TPropInfo* TPropertyMemo::FindPlain(const TClass& Class, std::string_view Name) {
  return Look(Class, Name).Plain;
}

TPropertyMemo::TClassMemo* TPropertyMemo::Remember(const TClass& Class) {
  TClassMemo* memo = &FClasses[&Class];
  FRecent[FReplace] = {&Class, memo};
  FReplace = (FReplace + 1) % std::size(FRecent);
  return memo;
}

const TPropertyMemo::TEntry& TPropertyMemo::Learn(TClassMemo& Memo, const TClass& Class, std::string_view Name,
                                                  std::uint64_t Head) {
  const TPropInfo* info = Class.FindProperty(Name);
  TEntry entry{Head, Name.find('.') == std::string_view::npos ? info : nullptr, info, std::string(Name)};
  if (Memo.Entries.size() >= MaxEntries) {
    FSpare = std::move(entry);
    return FSpare;
  }
  Memo.Entries.push_back(std::move(entry));
  Memo.Next = Memo.Entries.size();
  return Memo.Entries.back();
}

const TRegisteredClass* TClassNameMemo::Find(std::string_view Name) {
  if (FChanges != RegistryChanges()) {
    FEntries.clear();
    FChanges = RegistryChanges();
  }
  // A form names a handful of classes: a short word compare each.
  for (const TEntry& e : FEntries)
    if (SameBytes(e.Name, Name)) return e.Class;
  const TRegisteredClass* cls = FindRegisteredClass(Name);
  if (FEntries.size() < MaxEntries) FEntries.push_back({std::string(Name), cls});
  return cls;
}

}  // namespace host
