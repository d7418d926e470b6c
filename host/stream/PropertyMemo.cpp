#include "host/stream/PropertyMemo.h"

namespace host {

const TPropInfo* TPropertyMemo::Find(const TClass& Class, std::string_view Name) {
  // Components of one class mostly come in runs.
  if (&Class != FLastClass) {
    FLast = &FClasses[&Class];
    FLastClass = &Class;
  }
  TClassMemo& memo = *FLast;
  const std::size_t n = memo.Entries.size();
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = memo.Next + k < n ? memo.Next + k : memo.Next + k - n;
    if (memo.Entries[i].Name == Name) {
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

}  // namespace host
