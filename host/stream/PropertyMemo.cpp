#include "host/stream/PropertyMemo.h"

#include <iterator>

namespace host {

namespace {
// Property names are a few bytes long: comparing them here costs less than
// the call to memcmp that comparing the strings makes.
bool SameBytes(const std::string& A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < B.size(); ++i)
    if (A[i] != B[i]) return false;
  return true;
}
}  // namespace

const TPropInfo* TPropertyMemo::Find(const TClass& Class, std::string_view Name) {
  TClassMemo* found = nullptr;
  for (const TRecent& r : FRecent)
    if (r.Class == &Class) found = r.Memo;
  if (!found) {
    found = &FClasses[&Class];
    FRecent[FReplace] = {&Class, found};
    FReplace = (FReplace + 1) % std::size(FRecent);
  }
  TClassMemo& memo = *found;
  const std::size_t n = memo.Entries.size();
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = memo.Next + k < n ? memo.Next + k : memo.Next + k - n;
    if (SameBytes(memo.Entries[i].Name, Name)) {
      memo.Next = i + 1;
      return memo.Entries[i].Info;
    }
  }
  const TPropInfo* info = Class.FindProperty(Name);
  if (n < MaxEntries) {
    memo.Entries.push_back({std::string(Name), info});
    memo.Next = n + 1;
  }
  return info;
}

const TRegisteredClass* TClassNameMemo::Find(std::string_view Name) {
  if (FChanges != RegistryChanges()) {
    FEntries.clear();
    FChanges = RegistryChanges();
  }
  for (const TEntry& e : FEntries)
    if (e.Name == Name) return e.Class;
  const TRegisteredClass* cls = FindRegisteredClass(Name);
  if (FEntries.size() < MaxEntries) FEntries.push_back({std::string(Name), cls});
  return cls;
}

}  // namespace host
