// The design surface's side of the form designer: where components that
// are no controls show, what a point of the form hits, and the structure
// tree.
#include <algorithm>

#include "host/controls/ActnList.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/PageControl.h"
#include "host/design/FormDesigner.h"

namespace host {

namespace {

// Visible, and for a page, the active one of its page control.
bool ShowsInParent(const TControl* Control) {
  if (!Control->Visible()) return false;
  const auto* sheet = As<TTabSheet>(Control);
  return !sheet || !sheet->PageControl() || sheet->PageControl()->ActivePage() == sheet;
}

}  // namespace

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
  // Actions show nowhere else: the tree is where they are chosen.
  if (const auto* actions = As<TActionList>(Node))
    for (int i = 0; i < actions->ActionCount(); ++i) list.push_back(actions->Actions(i));
  return list;
}

void TFormDesigner::PlaceIcons() {
  // Components never placed get free spots, without marking the form
  // modified.
  std::vector<TComponent*> unplaced;
  for (TComponent* c : NonVisualComponents())
    if (c->DesignInfo() == 0) unplaced.push_back(c);
  if (unplaced.empty()) return;
  const std::vector<TPoint> spots = FreeIconSpots(unplaced.size());
  for (std::size_t i = 0; i < unplaced.size(); ++i) unplaced[i]->SetDesignPosition(spots[i].X, spots[i].Y);
}

std::vector<TPoint> TFormDesigner::FreeIconSpots(std::size_t Count) const {
  // The client area in cells of the grid; a spot is free when every cell
  // an icon and its name take is.
  constexpr int Cell = 8;
  const TRect client = FormBounds(As<TControl>(FRoot));
  const int cols = std::max(1, client.Width() / Cell), rows = std::max(1, client.Height() / Cell);
  std::vector<char> taken(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows), 0);
  auto mark = [&](const TRect& R) {
    const int x0 = std::max(0, R.Left / Cell), x1 = std::min(cols, (R.Right + Cell - 1) / Cell);
    const int y0 = std::max(0, R.Top / Cell), y1 = std::min(rows, (R.Bottom + Cell - 1) / Cell);
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) taken[static_cast<std::size_t>(y) * cols + x] = 1;
  };
  auto cellOf = [](TPoint P) {
    // With the gap to the next icon on its right and below.
    return TRect{P.X, P.Y, P.X + IconCellWidth, P.Y + IconCellHeight};
  };
  if (auto* root = As<TWinControl>(FRoot))
    for (const TControl* c : root->ControlList())
      if (c->Visible()) mark(c->BoundsRect());
  for (TComponent* c : NonVisualComponents())
    if (c->DesignInfo() != 0) mark(cellOf({c->DesignLeft(), c->DesignTop()}));
  const int w = IconCellWidth / Cell, h = IconCellHeight / Cell;
  auto fits = [&](int X, int Y) {
    if (X + w > cols || Y + h > rows) return false;
    for (int y = Y; y < Y + h; ++y)
      for (int x = X; x < X + w; ++x)
        if (taken[static_cast<std::size_t>(y) * cols + x]) return false;
    return true;
  };
  std::vector<TPoint> spots;
  // Spots passed by stay taken, so the search goes on where it stopped.
  int x = 1, y = 1;
  while (spots.size() < Count && y + h <= rows) {
    if (fits(x, y)) {
      const TPoint p{x * Cell, y * Cell};
      spots.push_back(p);
      mark(cellOf(p));
    }
    if (++x + w > cols) x = 1, ++y;
  }
  const int perRow = std::max(1, (client.Width() - Cell) / IconCellWidth);
  for (std::size_t k = 0; spots.size() < Count; ++k)
    spots.push_back({Cell + static_cast<int>(k % perRow) * IconCellWidth, Cell + static_cast<int>(k / perRow) * IconCellHeight});
  return spots;
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

bool TFormDesigner::IsShowing(const TControl* Control) const {
  for (const TControl* c = Control; c && c != FRoot; c = c->Parent())
    if (!ShowsInParent(c)) return false;
  return Control != nullptr;
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
      if (ShowsInParent(*it) && (*it)->BoundsRect().Contains({x, y})) found = *it;
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
