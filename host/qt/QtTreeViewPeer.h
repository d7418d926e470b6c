// The tree view's peer: a QTreeWidget with one item per node. Node changes
// arrive one by one (added, deleting, changed) or as a reset; expanding,
// collapsing, selecting and editing by the user go through the model,
// which may refuse them.
#pragma once

#include <unordered_map>

#include "host/controls/TreeView.h"
#include "host/qt/QtControlPeer.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace host::qt {

class TQtTreeViewPeer : public TQtControlPeer {
public:
  explicit TQtTreeViewPeer(TTreeView* TreeView);
  TTreeView* TreeView() const { return static_cast<TTreeView*>(Control()); }
  QTreeWidget* Tree() const;
  void Changed(TPeerChange Change) override;
  void TreeNodeChanged(TTreeNode* Node, TTreeNodesChange Change) override;
  std::optional<int> ItemAtPos(int X, int Y) const override;

  // The item showing a node (null when none), and the node of an item.
  QTreeWidgetItem* ItemOf(const TTreeNode* Node) const;
  static TTreeNode* NodeOf(const QTreeWidgetItem* Item);

  // Internal, from the widget: may the user edit this node's text?
  bool CanEdit(QTreeWidgetItem* Item);

private:
  void Rebuild();
  QTreeWidgetItem* AddNode(TTreeNode* Node);
  void Forget(QTreeWidgetItem* Item);
  void Update(TTreeNode* Node, QTreeWidgetItem* Item);
  void ApplySelection();
  void ApplyExpansion();
  void UserSelectionChanged();
  void UserExpanded(QTreeWidgetItem* Item, bool Expanded);
  void UserEdited(QTreeWidgetItem* Item);

  std::unordered_map<const TTreeNode*, QTreeWidgetItem*> FItems;
};

}  // namespace host::qt
