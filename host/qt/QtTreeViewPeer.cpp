#include "host/qt/QtTreeViewPeer.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "host/qt/QtConvert.h"
#include "host/qt/QtImages.h"

namespace host::qt {

namespace {

constexpr int NodeRole = Qt::UserRole + 1;

class TTreeWidget : public QTreeWidget {
public:
  TTreeWidget(TQtTreeViewPeer* Peer, QWidget* Parent) : QTreeWidget(Parent), FPeer(Peer) {
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  }

protected:
  // The model's OnEditing decides whether the editor opens.
  bool edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event) override {
    if (Trigger & editTriggers() || Trigger == AllEditTriggers) {
      if (!FPeer || !FPeer->CanEdit(itemFromIndex(Index))) return false;
    }
    return QTreeWidget::edit(Index, Trigger, Event);
  }

private:
  TQtTreeViewPeer* FPeer;
};

}  // namespace

TQtTreeViewPeer::TQtTreeViewPeer(TTreeView* TreeView) : TQtControlPeer(TreeView) {
  auto* tree = new TTreeWidget(this, ParentClient());
  Attach(tree);
  WatchEvents(tree->viewport());
  QObject::connect(tree, &QTreeWidget::itemSelectionChanged, Guard(), [this] {
    if (!Applying()) UserSelectionChanged();
  });
  QObject::connect(tree, &QTreeWidget::itemExpanded, Guard(), [this](QTreeWidgetItem* Item) {
    if (!Applying()) UserExpanded(Item, true);
  });
  QObject::connect(tree, &QTreeWidget::itemCollapsed, Guard(), [this](QTreeWidgetItem* Item) {
    if (!Applying()) UserExpanded(Item, false);
  });
  QObject::connect(tree, &QTreeWidget::itemChanged, Guard(), [this](QTreeWidgetItem* Item, int) {
    if (!Applying()) UserEdited(Item);
  });
}

QTreeWidget* TQtTreeViewPeer::Tree() const { return static_cast<QTreeWidget*>(Widget()); }

QTreeWidgetItem* TQtTreeViewPeer::ItemOf(const TTreeNode* Node) const {
  auto it = FItems.find(Node);
  return it == FItems.end() ? nullptr : it->second;
}

TTreeNode* TQtTreeViewPeer::NodeOf(const QTreeWidgetItem* Item) {
  return Item ? static_cast<TTreeNode*>(Item->data(0, NodeRole).value<void*>()) : nullptr;
}

void TQtTreeViewPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  QTreeWidget* tree = Tree();
  const TTreeView* t = TreeView();
  switch (Change) {
    case pcItemIndex: ApplySelection(); break;
    case pcListOptions:
      // Lines come with the style; the buttons and the root's are Qt's decoration.
      tree->setRootIsDecorated(t->ShowRoot() && t->ShowButtons());
      tree->setItemsExpandable(true);
      break;
    case pcImages:
      for (auto& [node, item] : FItems) Update(const_cast<TTreeNode*>(node), item);
      break;
    case pcBevel: tree->setFrameShape(t->BorderStyle() == bsNone ? QFrame::NoFrame : QFrame::StyledPanel); break;
    case pcReadOnly: break;  // asked again each time an editor would open
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtTreeViewPeer::TreeNodeChanged(TTreeNode* Node, TTreeNodesChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  switch (Change) {
    case tcAdded:
      if (Node && ItemOf(Node)) return;
      if (Node && (!Node->Parent() || ItemOf(Node->Parent()))) {
        AddNode(Node);
        ApplyExpansion();
        return;
      }
      break;
    case tcDeleting:
      if (QTreeWidgetItem* item = Node ? ItemOf(Node) : nullptr) {
        Forget(item);
        delete item;
        return;
      }
      break;
    case tcChanged:
      if (QTreeWidgetItem* item = Node ? ItemOf(Node) : nullptr) {
        Update(Node, item);
        // Expansion of a node shows in the item's parents' state too.
        item->setExpanded(Node->Expanded());
        return;
      }
      break;
    default: break;
  }
  Rebuild();
}

void TQtTreeViewPeer::Rebuild() {
  QTreeWidget* tree = Tree();
  tree->clear();
  FItems.clear();
  TTreeNodes* nodes = TreeView()->Items();
  // Each top-level node brings its subtree along.
  for (TTreeNode* n = nodes->GetFirstNode(); n; n = n->GetNextSibling()) AddNode(n);
  ApplyExpansion();
  ApplySelection();
}

QTreeWidgetItem* TQtTreeViewPeer::AddNode(TTreeNode* Node) {
  auto* item = new QTreeWidgetItem;
  item->setData(0, NodeRole, QVariant::fromValue(static_cast<void*>(Node)));
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  const int index = Node->Index();
  if (QTreeWidgetItem* parent = Node->Parent() ? ItemOf(Node->Parent()) : nullptr)
    parent->insertChild(std::min(index, parent->childCount()), item);
  else
    Tree()->insertTopLevelItem(std::min(index, Tree()->topLevelItemCount()), item);
  FItems[Node] = item;
  Update(Node, item);
  // A subtree added at once arrives as one node: its children come along.
  for (int i = 0; i < Node->Count(); ++i)
    if (!ItemOf(Node->Item(i))) AddNode(Node->Item(i));
  return item;
}

void TQtTreeViewPeer::Forget(QTreeWidgetItem* Item) {
  FItems.erase(NodeOf(Item));
  for (int i = 0; i < Item->childCount(); ++i) Forget(Item->child(i));
}

void TQtTreeViewPeer::Update(TTreeNode* Node, QTreeWidgetItem* Item) {
  Item->setText(0, ToQ(Node->Text()));
  const TTreeView* t = TreeView();
  QIcon icon = IconOf(t->Images(), Node->ImageIndex());
  if (icon.isNull()) icon = IconOf(t->StateImages(), Node->StateIndex());
  Item->setIcon(0, icon);
}

void TQtTreeViewPeer::ApplyExpansion() {
  for (auto& [node, item] : FItems) item->setExpanded(node->Expanded());
}

void TQtTreeViewPeer::ApplySelection() {
  QTreeWidgetItem* item = ItemOf(TreeView()->Selected());
  Tree()->setCurrentItem(item);
  if (!item) Tree()->clearSelection();
}

void TQtTreeViewPeer::UserSelectionChanged() {
  const QList<QTreeWidgetItem*> selected = Tree()->selectedItems();
  TTreeNode* node = selected.isEmpty() ? nullptr : NodeOf(selected.front());
  TTreeView* view = TreeView();
  bool allowed = true;
  if (ReportAndLive([&] { allowed = view->UserSelect(node); }) && !allowed) {
    TApplying applying(this);
    ApplySelection();
  }
}

void TQtTreeViewPeer::UserExpanded(QTreeWidgetItem* Item, bool Expanded) {
  TTreeNode* node = NodeOf(Item);
  TTreeView* view = TreeView();
  if (!ReportAndLive([&] { Expanded ? view->UserExpand(node) : view->UserCollapse(node); })) return;
  // Refused, or nodes filled in by the handlers (which lays the items out
  // again): show what the model holds.
  TApplying applying(this);
  if (QTreeWidgetItem* item = ItemOf(node); item && item->isExpanded() != node->Expanded())
    item->setExpanded(node->Expanded());
}

bool TQtTreeViewPeer::CanEdit(QTreeWidgetItem* Item) {
  TTreeNode* node = NodeOf(Item);
  TTreeView* view = TreeView();
  bool allowed = false;
  Report([&] { allowed = view->CanEdit(node); });
  return allowed;
}

void TQtTreeViewPeer::UserEdited(QTreeWidgetItem* Item) {
  TTreeNode* node = NodeOf(Item);
  if (!node) return;
  const std::string text = FromQ(Item->text(0));
  if (text == node->Text()) return;
  TTreeView* view = TreeView();
  // OnEdited may have changed the text, or the change may have been
  // refused: show what the node holds.
  if (ReportAndLive([&] { view->UserEdited(node, text); }))
    if (QTreeWidgetItem* item = ItemOf(node)) {
      TApplying applying(this);
      item->setText(0, ToQ(node->Text()));
    }
}

std::optional<int> TQtTreeViewPeer::ItemAtPos(int X, int Y) const {
  QTreeWidget* tree = Tree();
  const QPoint p = tree->viewport()->mapFrom(tree, QPoint(X, Y));
  TTreeNode* node = NodeOf(tree->itemAt(p));
  return node ? node->AbsoluteIndex() : -1;
}

}  // namespace host::qt
