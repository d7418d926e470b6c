#include "host/core/Object.h"

#include "host/core/TypInfo.h"

namespace host {

TClass::TClass(std::string name, const TClass* parent, std::vector<std::unique_ptr<TPropInfo>> ownProps)
    : FName(std::move(name)), FParent(parent), FOwn(std::move(ownProps)) {
  if (FParent) {
    FAll = FParent->FAll;
    FIndex = FParent->FIndex;
  }
  for (const auto& p : FOwn) {
    auto it = FIndex.find(p->Name);
    if (it != FIndex.end()) {
      // Declared again by a descendant: same position, new record.
      for (auto& slot : FAll)
        if (slot == it->second) slot = p.get();
      it->second = p.get();
    } else {
      FAll.push_back(p.get());
      FIndex.emplace(p->Name, p.get());
    }
  }
}

TClass::~TClass() = default;

bool TClass::InheritsFrom(const TClass& other) const {
  for (const TClass* c = this; c; c = c->FParent)
    if (c == &other) return true;
  return false;
}

const TPropInfo* TClass::FindProperty(std::string_view name) const {
  auto it = FIndex.find(name);
  return it == FIndex.end() ? nullptr : it->second;
}

const TClass& TObject::StaticClass() {
  static const TClass cls("TObject", nullptr, {});
  return cls;
}
const TClass& TObject::ClassType() const { return StaticClass(); }

const TClass& TPersistent::StaticClass() {
  static const TClass cls = TClassBuilder<TPersistent>("TPersistent", &TObject::StaticClass()).Build();
  return cls;
}
const TClass& TPersistent::ClassType() const { return StaticClass(); }

void TPersistent::Assign(const TPersistent* Source) {
  if (Source != nullptr)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
  const std::string sourceName = Source ? Source->ClassName() : std::string("nil");
  throw EConvertError(Format("Cannot assign a %s to a %s", {sourceName, ClassName()}));
}

}  // namespace host
