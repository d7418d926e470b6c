#include "host/stream/PropertyMemo.h"

namespace host {

const TPropInfo* TPropertyMemo::Find(const TClass& Class, std::string_view Name) {
  // Components of one class mostly come in runs.
  if (&Class != FLastClass) {
    FLast = &FClasses[&Class];
    FLastClass = &Class;
  }
  for (const TEntry& e : *FLast)
    if (e.Name == Name) return e.Info;
  const TPropInfo* info = Class.FindProperty(Name);
  if (FLast->size() < MaxEntries) FLast->push_back({std::string(Name), info});
  return info;
}

}  // namespace host
