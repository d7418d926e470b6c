// The structure of the current form as its designer gives it (controls in
// their parents, menu items in their menus, the rest under the form).
// Selecting here selects in the designer, and the tree follows the
// designer's selection.
#pragma once

#include <QTreeWidget>
#include <unordered_map>

namespace host {
class TComponent;
class TFormDesigner;
}  // namespace host

namespace ambit::studio {

class TStructureTree : public QTreeWidget {
public:
  explicit TStructureTree(QWidget* Parent = nullptr);
  ~TStructureTree() override;

  // Shows the designer's form (nothing when null); the designer must
  // outlive the tree or be replaced first.
  void SetDesigner(host::TFormDesigner* Designer);
  host::TFormDesigner* Designer() const { return FDesigner; }
  QTreeWidgetItem* ItemOf(const host::TComponent* Component) const;

private:
  void Rebuild();
  void AddChildren(QTreeWidgetItem* Parent, host::TComponent* Component, int Depth);
  void ShowSelection();
  void SelectionChanged();

  host::TFormDesigner* FDesigner = nullptr;
  int FSubscription = 0;
  std::unordered_map<const host::TComponent*, QTreeWidgetItem*> FItems;
  std::unordered_map<const QTreeWidgetItem*, host::TComponent*> FComponents;
  bool FSyncing = false;
};

}  // namespace ambit::studio
