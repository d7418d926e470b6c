#include "host/core/ClassRegistry.h"

#include <deque>
#include <unordered_map>

namespace host {
namespace {

struct Registry {
  std::deque<TRegisteredClass> entries;  // stable addresses
  std::unordered_map<std::string, TRegisteredClass*, TextHash, TextEqual> byName;
};

std::uint64_t gChanges = 0;

Registry& TheRegistry() {
  static Registry r;
  return r;
}

}  // namespace

void RegisterClass(const TClass& Class, TComponentFactory Create) {
  Registry& r = TheRegistry();
  ++gChanges;
  auto it = r.byName.find(Class.Name());
  if (it != r.byName.end()) {
    it->second->Class = &Class;
    it->second->Create = std::move(Create);
    return;
  }
  r.entries.push_back(TRegisteredClass{&Class, std::move(Create)});
  r.byName.emplace(Class.Name(), &r.entries.back());
}

void UnRegisterClass(const TClass& Class) {
  Registry& r = TheRegistry();
  ++gChanges;
  auto it = r.byName.find(Class.Name());
  if (it == r.byName.end() || it->second->Class != &Class) return;
  // The entry stays in place (addresses are handed out) but is emptied.
  it->second->Class = nullptr;
  it->second->Create = nullptr;
  r.byName.erase(it);
}

const TRegisteredClass* FindRegisteredClass(std::string_view ClassName) {
  Registry& r = TheRegistry();
  auto it = r.byName.find(ClassName);
  return it == r.byName.end() ? nullptr : it->second;
}

std::uint64_t RegistryChanges() { return gChanges; }

const TRegisteredClass& GetRegisteredClass(std::string_view ClassName) {
  if (const TRegisteredClass* c = FindRegisteredClass(ClassName)) return *c;
  throw EClassNotFound(Format("Class %s not found", {std::string(ClassName)}));
}

std::vector<const TRegisteredClass*> RegisteredClasses() {
  std::vector<const TRegisteredClass*> out;
  for (const auto& e : TheRegistry().entries)
    if (e.Class) out.push_back(&e);
  return out;
}

}  // namespace host
