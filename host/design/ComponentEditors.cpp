#include <vector>

#include "host/core/CaseFold.h"
#include "host/design/DesignEditors.h"

namespace host {

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TDefaultEditor::Edit() {
  // Every property and event is offered, as the inspector shows them.
  std::vector<std::unique_ptr<TPropertyEditor>> editors;
  for (TPropertyFilter filter : {pfProperties, pfEvents})
    GetComponentProperties({Component()}, Designer(), [&](std::unique_ptr<TPropertyEditor> Prop) {
      editors.push_back(std::move(Prop));
    }, filter);
  FFirst = FBest = nullptr;
  bool going = true;
  for (auto& e : editors) {
    EditProperty(e.get(), going);
    if (!going) break;
  }
  TPropertyEditor* chosen = FBest ? FBest : FFirst;
  FFirst = FBest = nullptr;
  if (chosen) chosen->Edit();
}

void TDefaultEditor::EditProperty(TPropertyEditor* Prop, bool& Continue) {
  if (!dynamic_cast<TMethodProperty*>(Prop)) return;
  if (!FFirst) FFirst = Prop;
  // The event a developer most likely wants from a double-click.
  auto rank = [](const TPropertyEditor* P) {
    if (!P) return 0;
    const std::string name = P->GetName();
    if (SameText(name, "OnCreate")) return 3;
    if (SameText(name, "OnChange")) return 2;
    if (SameText(name, "OnClick")) return 1;
    return 0;
  };
  const int r = rank(Prop);
  if (r > 0 && r > rank(FBest)) FBest = Prop;
}

}  // namespace host
