#include "host/design/FormReferences.h"

#include <algorithm>

#include "host/core/CaseFold.h"
#include "host/core/Collection.h"
#include "host/core/Strings.h"
#include "host/stream/FormWriter.h"

namespace host {

namespace {

const TComponent* TopOwner(const TComponent* C) {
  while (C && C->Owner()) C = C->Owner();
  return C;
}

}  // namespace

// Drops the references of holders that go.
class TFormReferences::TWatcher : public TComponent {
public:
  explicit TWatcher(TFormReferences* Owner) : TComponent(nullptr), FOwner(Owner) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) FOwner->Forget(AComponent);
  }

private:
  TFormReferences* FOwner;
};

TFormReferences::TFormReferences() : FWatcher(std::make_unique<TWatcher>(this)) {}

TFormReferences::~TFormReferences() {
  FEntries.clear();
  FWatcher.reset();
}

void TFormReferences::Forget(TComponent* Holder) {
  std::erase_if(FEntries, [Holder](const TEntry& e) { return e.Holder == Holder; });
}

void TFormReferences::Add(TComponent* Holder, TObject* Instance, const TPropInfo* Prop, const std::string& Path) {
  if (!Holder || !Instance || !Prop || Path.empty()) return;
  for (TEntry& e : FEntries)
    if (e.Instance == Instance && e.Prop == Prop) {
      e.Path = Path;
      return;
    }
  Holder->FreeNotification(FWatcher.get());
  FEntries.push_back({Holder, Instance, Prop, Path});
}

void TFormReferences::Scan(TComponent* Holder, TObject* Instance, TComponent* Form, TComponent* Root, int Depth) {
  if (Depth > 16) return;
  for (const TPropInfo* p : GetPropInfos(Instance)) {
    if (p->Kind != tkClass) continue;
    TObject* value = GetObjectProp(Instance, p);
    if (!value) continue;
    if (auto* target = As<TComponent>(value)) {
      if (!p->SetObj || TopOwner(target) != Form) continue;
      const std::string path = TFormWriter::ReferencePath(target, {Root});
      Add(Holder, Instance, p, path);
      // Cleared through the setter, as the form's going would clear it.
      p->SetObj(*Instance, nullptr);
    } else if (!Is<TStrings>(value) && !Is<TCollection>(value)) {
      Scan(Holder, value, Form, Root, Depth + 1);
    }
  }
}

void TFormReferences::FormClosing(TComponent* Form, const std::vector<TComponent*>& OtherForms) {
  for (TComponent* root : OtherForms) {
    if (!root || root == Form) continue;
    Scan(root, root, Form, root, 0);
    std::vector<TComponent*> stack(root->ComponentList().rbegin(), root->ComponentList().rend());
    while (!stack.empty()) {
      TComponent* c = stack.back();
      stack.pop_back();
      Scan(c, c, Form, root, 0);
      for (auto it = c->ComponentList().rbegin(); it != c->ComponentList().rend(); ++it) stack.push_back(*it);
    }
  }
}

void TFormReferences::FormOpened(TComponent* Form) {
  if (!Form) return;
  for (std::size_t i = 0; i < FEntries.size();) {
    const TEntry e = FEntries[i];
    const std::string_view path = e.Path;
    const std::size_t dot = path.find('.');
    TComponent* target = nullptr;
    if (SameText(path.substr(0, dot), Form->Name())) {
      target = Form;
      std::string_view rest = dot == std::string_view::npos ? std::string_view{} : path.substr(dot + 1);
      while (target && !rest.empty()) {
        const std::size_t next = rest.find('.');
        target = target->FindComponent(rest.substr(0, next));
        rest = next == std::string_view::npos ? std::string_view{} : rest.substr(next + 1);
      }
    }
    // A reference set to something else meanwhile was replaced by the user.
    const bool replaced = GetObjectProp(e.Instance, e.Prop) != nullptr;
    const bool fits = target && e.Prop->PropClass && target->InheritsFrom(*e.Prop->PropClass);
    if (!replaced && !fits) {
      ++i;
      continue;
    }
    FEntries.erase(FEntries.begin() + static_cast<std::ptrdiff_t>(i));
    if (!replaced) e.Prop->SetObj(*e.Instance, target);
  }
}

std::string TFormReferences::PendingPath(const TObject& Instance, const TPropInfo& Prop) const {
  for (const TEntry& e : FEntries)
    if (e.Instance == &Instance && e.Prop == &Prop) return e.Path;
  return {};
}

}  // namespace host
