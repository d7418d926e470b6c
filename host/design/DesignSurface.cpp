// The design surface's side of the form designer: where components that
// are no controls show, what a point of the form hits, and the structure
// tree.
#include <algorithm>

#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/design/FormDesigner.h"

namespace host {

std::vector<TComponent*> TFormDesigner::NonVisualComponents() const {
  std::vector<TComponent*> list;
  for (TComponent* c : FRoot->ComponentList())
    if (!Is<TControl>(c) && !c->HasParent()) list.push_back(c);
  return list;
}

std::vector<TComponent*> TFormDesigner::StructureChildren(const TComponent* Node) const {
  std::vector<TComponent*> list;
  if (const auto* w = As<TWinControl>(Node); w && !Is<TFrame>(w))
    for (TControl* c : w->ControlList())
      if (c->Owner() == FRoot) list.push_back(c);
  if (Node == FRoot) {
    const std::vector<TComponent*> others = NonVisualComponents();
    list.insert(list.end(), others.begin(), others.end());
  }
  const TMenuItem* items = As<TMenu>(Node) ? As<TMenu>(Node)->Items() : As<TMenuItem>(Node);
  if (items)
    for (int i = 0; i < items->Count(); ++i) list.push_back(items->Items(i));
  return list;
}

void TFormDesigner::PlaceIcons() {
  // Components never placed get the next spots of a row at the top left,
  // without marking the form modified.
  std::vector<TComponent*> icons = NonVisualComponents();
  const TRect client = FormBounds(As<TControl>(FRoot));
  const int columns = std::max(1, (client.Width() - 8) / (IconSize + 12));
  int k = 0;
  for (TComponent* c : icons) {
    if (c->DesignInfo() != 0) continue;
    c->SetDesignPosition(8 + (k % columns) * (IconSize + 12), 8 + (k / columns) * (IconSize + 20));
    ++k;
  }
}

TRect TFormDesigner::IconRect(const TComponent* Component) const {
  if (!Component) return {};
  const int x = Component->DesignLeft(), y = Component->DesignTop();
  return {x, y, x + IconSize, y + IconSize};
}

void TFormDesigner::SetIconPosition(TComponent* Component, int X, int Y) {
  if (!Component || Is<TControl>(Component) || !Owns(Component)) return;
  Component->SetDesignPosition(std::max(0, X), std::max(0, Y));
  Modified();
}

TRect TFormDesigner::FormBounds(const TControl* Control) const {
  if (!Control) return {};
  if (Control == FRoot) return {0, 0, Control->ClientWidth(), Control->ClientHeight()};
  TRect r = Control->BoundsRect();
  for (const TWinControl* p = Control->Parent(); p && p != FRoot; p = p->Parent()) {
    r.Left += p->Left();
    r.Right += p->Left();
    r.Top += p->Top();
    r.Bottom += p->Top();
  }
  return r;
}

TComponent* TFormDesigner::ComponentAt(int X, int Y) const {
  const std::vector<TComponent*> icons = NonVisualComponents();
  for (auto it = icons.rbegin(); it != icons.rend(); ++it)
    if (IconRect(*it).Contains({X, Y})) return *it;
  auto* root = As<TWinControl>(FRoot);
  if (!root) return FRoot;
  TComponent* hit = FRoot;
  const TWinControl* container = root;
  int x = X, y = Y;
  while (container) {
    const TControl* found = nullptr;
    const auto& children = container->ControlList();
    for (auto it = children.rbegin(); it != children.rend() && !found; ++it)
      if ((*it)->Visible() && (*it)->BoundsRect().Contains({x, y})) found = *it;
    // The content of a frame belongs to the frame: the frame is hit.
    if (!found || found->Owner() != FRoot) break;
    hit = const_cast<TControl*>(found);
    x -= found->Left();
    y -= found->Top();
    container = As<TWinControl>(found);
  }
  return hit;
}

TWinControl* TFormDesigner::ContainerAt(int X, int Y) const {
  for (TComponent* c = ComponentAt(X, Y); c; c = As<TControl>(c) ? As<TControl>(c)->Parent() : nullptr) {
    auto* w = As<TWinControl>(c);
    if (w && AcceptsControls(w) && (w == FRoot || w->Owner() == FRoot)) return w;
    if (!As<TControl>(c)) break;
  }
  return As<TWinControl>(FRoot);
}

}  // namespace host
