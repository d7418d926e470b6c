#include "apps/studio/StructureTree.h"

#include <QHeaderView>

#include "host/design/FormDesigner.h"
#include "host/stream/FormWriter.h"

namespace ambit::studio {

using namespace host;

namespace {

QString Caption(const TComponent* C) {
  return QString::fromStdString((C->Name().empty() ? std::string("(unnamed)") : C->Name()) + ": " + TFormWriter::DeclaredClassName(*C));
}

// As deep as a form file may nest.
constexpr int MaxDepth = 200;

}  // namespace

TStructureTree::TStructureTree(QWidget* Parent) : QTreeWidget(Parent) {
  setObjectName("StructureTree");
  setColumnCount(1);
  header()->hide();
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformRowHeights(true);
  connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
}

TStructureTree::~TStructureTree() { SetDesigner(nullptr); }

void TStructureTree::SetDesigner(TFormDesigner* Designer) {
  if (FDesigner == Designer && Designer) return;
  if (FDesigner) FDesigner->Unsubscribe(FSubscription);
  FDesigner = Designer;
  FSubscription = 0;
  if (FDesigner)
    FSubscription = FDesigner->Subscribe([this](TDesignChange Change) {
      switch (Change) {
        case dcDestroying: SetDesigner(nullptr); break;
        case dcComponents: Rebuild(); break;
        case dcSelection: ShowSelection(); break;
        case dcModified:
          // A caption may have changed with the form's name kept; names
          // themselves come with dcComponents.
          break;
      }
    });
  Rebuild();
}

QTreeWidgetItem* TStructureTree::ItemOf(const TComponent* Component) const {
  auto it = FItems.find(Component);
  return it == FItems.end() ? nullptr : it->second;
}

void TStructureTree::Rebuild() {
  FSyncing = true;
  clear();
  FItems.clear();
  FComponents.clear();
  if (FDesigner) {
    TComponent* root = FDesigner->GetRoot();
    auto* item = new QTreeWidgetItem(this, QStringList(Caption(root)));
    FItems[root] = item;
    FComponents[item] = root;
    AddChildren(item, root, 0);
    expandAll();
  }
  FSyncing = false;
  ShowSelection();
}

void TStructureTree::AddChildren(QTreeWidgetItem* Parent, TComponent* Component, int Depth) {
  if (Depth >= MaxDepth) return;
  for (TComponent* child : FDesigner->StructureChildren(Component)) {
    if (!child || FItems.count(child)) continue;
    auto* item = new QTreeWidgetItem(Parent, QStringList(Caption(child)));
    FItems[child] = item;
    FComponents[item] = child;
    AddChildren(item, child, Depth + 1);
  }
}

void TStructureTree::ShowSelection() {
  if (!FDesigner) return;
  FSyncing = true;
  clearSelection();
  QTreeWidgetItem* first = nullptr;
  for (TPersistent* p : FDesigner->GetSelections())
    if (QTreeWidgetItem* item = ItemOf(As<TComponent>(p))) {
      item->setSelected(true);
      if (!first) first = item;
    }
  if (first) {
    setCurrentItem(first, 0, QItemSelectionModel::NoUpdate);
    scrollToItem(first);
  }
  FSyncing = false;
}

void TStructureTree::SelectionChanged() {
  if (FSyncing || !FDesigner) return;
  TDesignerSelections list;
  for (QTreeWidgetItem* item : selectedItems()) {
    auto it = FComponents.find(item);
    if (it != FComponents.end()) list.push_back(it->second);
  }
  FDesigner->SetSelections(list);
}

}  // namespace ambit::studio
