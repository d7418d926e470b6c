#include "apps/studio/InspectorView.h"

#include <QHeaderView>
#include <QLabel>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "apps/studio/ValueEditor.h"
#include "host/design/FormDesigner.h"
#include "host/stream/FormWriter.h"

namespace ambit::studio {

using namespace host;

TInspectorView::TInspectorView(QWidget* Parent)
    : QWidget(Parent),
      FProperties(std::make_unique<TObjectInspector>(pfProperties)),
      FEvents(std::make_unique<TObjectInspector>(pfEvents)),
      FModel(FProperties.get()) {
  setObjectName("Inspector");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  FHeader = new QLabel(this);
  FHeader->setObjectName("InspectedLabel");
  FHeader->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(FHeader);
  FTabs = new QTabBar(this);
  FTabs->addTab("Properties");
  FTabs->addTab("Events");
  FTabs->setExpanding(false);
  layout->addWidget(FTabs);
  FTree = new QTreeWidget(this);
  FTree->setObjectName("InspectorRows");
  FTree->setColumnCount(2);
  FTree->setHeaderLabels({"Property", "Value"});
  FTree->setUniformRowHeights(true);
  FTree->setAlternatingRowColors(true);
  FTree->setIndentation(12);
  FTree->header()->setSectionResizeMode(0, QHeaderView::Interactive);
  FTree->header()->setStretchLastSection(true);
  FTree->setColumnWidth(0, 130);
  layout->addWidget(FTree, 1);

  for (TObjectInspector* model : {FProperties.get(), FEvents.get()})
    FSubscriptions.push_back(model->Subscribe([this, model] {
      if (model == FModel) ModelChanged();
    }));
  connect(FTabs, &QTabBar::currentChanged, this, [this](int Index) { ShowEvents(Index == 1); });
  connect(FTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* Item) { CurrentChanged(Item); });
  connect(FTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* Item) {
    if (const int row = RowOf(Item); !FRebuilding && row >= 0) FModel->Expand(row);
  });
  connect(FTree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* Item) {
    if (const int row = RowOf(Item); !FRebuilding && row >= 0) FModel->Collapse(row);
  });
  Rebuild();
}

TInspectorView::~TInspectorView() {
  FProperties->Unsubscribe(FSubscriptions[0]);
  FEvents->Unsubscribe(FSubscriptions[1]);
  // The rows' editors go while the designer is still there.
  FProperties->SetDesigner(nullptr);
  FEvents->SetDesigner(nullptr);
}

TObjectInspector& TInspectorView::Model() const { return *FModel; }

void TInspectorView::SetDesigner(TFormDesigner* Designer) {
  if (FProperties->Designer() == Designer && Designer) return;
  FProperties->SetDesigner(Designer);
  FEvents->SetDesigner(Designer);
  Rebuild();
}

void TInspectorView::ShowEvents(bool Value) {
  TObjectInspector* model = Value ? FEvents.get() : FProperties.get();
  if (model == FModel) return;
  FModel = model;
  FTabs->setCurrentIndex(Value ? 1 : 0);
  Rebuild();
}

int TInspectorView::RowOf(const QTreeWidgetItem* Item) const {
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i] == Item) return static_cast<int>(i);
  return -1;
}

QTreeWidgetItem* TInspectorView::ItemOf(std::string_view Path) const {
  const int row = FModel->FindRow(Path);
  return row >= 0 && row < static_cast<int>(FItems.size()) ? FItems[static_cast<std::size_t>(row)] : nullptr;
}

bool TInspectorView::SelectRow(std::string_view Path) {
  QTreeWidgetItem* item = ItemOf(Path);
  if (!item) return false;
  FTree->setCurrentItem(item, 1);
  if (!FEditor || FEditor->Path() != FModel->Path(RowOf(item))) ShowEditor(RowOf(item));
  return true;
}

QLineEdit* TInspectorView::ValueEdit() const { return FEditor ? FEditor->Edit() : nullptr; }
QComboBox* TInspectorView::ValueList() const { return FEditor ? FEditor->List() : nullptr; }
QToolButton* TInspectorView::EllipsisButton() const { return FEditor ? FEditor->Ellipsis() : nullptr; }

void TInspectorView::ModelChanged() {
  if (FRebuilding) return;
  std::vector<std::string> paths;
  paths.reserve(static_cast<std::size_t>(FModel->RowCount()));
  for (int i = 0; i < FModel->RowCount(); ++i) paths.push_back(FModel->Path(i));
  if (paths == FPaths) {
    RefreshValues();
    return;
  }
  // New rows replace the items, and with them the current row's editor,
  // which may be the very widget whose signal led here: later.
  if (FEditor) FEditor->Retire();
  if (FRebuildQueued) return;
  FRebuildQueued = true;
  QTimer::singleShot(0, this, [this] {
    if (FRebuildQueued) Rebuild();
  });
}

void TInspectorView::Rebuild() {
  FRebuildQueued = false;
  FRebuilding = true;
  const std::string current = FEditor ? FEditor->Path() : std::string();
  DropEditor();
  FTree->clear();
  FItems.clear();
  FPaths.clear();
  std::vector<QTreeWidgetItem*> parents;
  for (int row = 0; row < FModel->RowCount(); ++row) {
    const int level = FModel->Level(row);
    parents.resize(static_cast<std::size_t>(level));
    const QStringList texts{QString::fromStdString(FModel->Name(row)), QString::fromStdString(FModel->Value(row))};
    auto* item = level > 0 && parents[static_cast<std::size_t>(level - 1)]
                     ? new QTreeWidgetItem(parents[static_cast<std::size_t>(level - 1)], texts)
                     : new QTreeWidgetItem(FTree, texts);
    if (FModel->Expandable(row) && !FModel->Expanded(row))
      item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if (FModel->ReadOnly(row) && !FModel->HasDialog(row)) item->setForeground(1, palette().brush(QPalette::PlaceholderText));
    parents.push_back(item);
    FItems.push_back(item);
    FPaths.push_back(FModel->Path(row));
  }
  for (int row = 0; row < FModel->RowCount(); ++row)
    if (FModel->Expanded(row)) FItems[static_cast<std::size_t>(row)]->setExpanded(true);
  FRebuilding = false;
  RefreshValues();
  if (!current.empty()) SelectRow(current);
}

void TInspectorView::RefreshValues() {
  for (std::size_t row = 0; row < FItems.size(); ++row)
    FItems[row]->setText(1, QString::fromStdString(FModel->Value(static_cast<int>(row))));
  if (FEditor) FEditor->Refresh();
  QString header;
  if (TFormDesigner* designer = FModel->Designer()) {
    TDesignerSelections selection = designer->GetSelections();
    if (selection.size() > 1) {
      header = QString("%1 components").arg(selection.size());
    } else {
      auto* c = selection.empty() ? designer->GetRoot() : As<TComponent>(selection.front());
      if (c) header = QString::fromStdString(c->Name() + ": " + TFormWriter::DeclaredClassName(*c));
    }
  }
  FHeader->setText(header);
}

void TInspectorView::CurrentChanged(QTreeWidgetItem* Item) {
  if (FRebuilding) return;
  const int row = RowOf(Item);
  if (row < 0) {
    DropEditor();
    return;
  }
  if (FEditor && FEditor->Path() == FModel->Path(row)) return;
  FModel->Activate(row);
  ShowEditor(RowOf(Item));
}

void TInspectorView::ShowEditor(int Row) {
  DropEditor();
  if (Row < 0 || Row >= static_cast<int>(FItems.size())) return;
  const bool readOnly = FModel->ReadOnly(Row) && !FModel->HasDialog(Row);
  if (readOnly) return;
  FEditor = new TValueEditor(*FModel, FModel->Path(Row));
  FTree->setItemWidget(FItems[static_cast<std::size_t>(Row)], 1, FEditor);
}

void TInspectorView::DropEditor() {
  if (!FEditor) return;
  FEditor->Retire();
  // The tree deletes the cell's widget later: it may be inside its handler.
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FTree->itemWidget(FItems[i], 1) == FEditor) FTree->removeItemWidget(FItems[i], 1);
  FEditor = nullptr;
}

}  // namespace ambit::studio
