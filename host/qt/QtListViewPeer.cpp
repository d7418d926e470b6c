#include "host/qt/QtListViewPeer.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "host/controls/ImgList.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtImages.h"

namespace host::qt {

namespace {

constexpr int ItemRole = Qt::UserRole + 1;

class TListWidget : public QTreeWidget {
public:
  TListWidget(TQtListViewPeer* Peer, QWidget* Parent) : QTreeWidget(Parent), FPeer(Peer) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  }

protected:
  bool edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event) override {
    // Only the caption is edited in place, and only as the model allows.
    if (Trigger & editTriggers() || Trigger == AllEditTriggers) {
      if (Index.column() != 0 || !FPeer->CanEdit(itemFromIndex(Index))) return false;
    }
    return QTreeWidget::edit(Index, Trigger, Event);
  }

private:
  TQtListViewPeer* FPeer;
};

// Asks OnCustomDrawItem for the font and background of each row.
class TCustomDrawDelegate : public QStyledItemDelegate {
public:
  TCustomDrawDelegate(TListView* ListView, QObject* Parent) : QStyledItemDelegate(Parent), FListView(ListView) {}

protected:
  void initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const override {
    QStyledItemDelegate::initStyleOption(Option, Index);
    if (!FListView->OnCustomDrawItem()) return;
    auto* item = static_cast<TListItem*>(Index.siblingAtColumn(0).data(ItemRole).value<void*>());
    if (!item) return;
    TCustomDrawState state;
    if (Option->state & QStyle::State_Selected) state.Include(cdsSelected);
    if (Option->state & QStyle::State_HasFocus) state.Include(cdsFocused);
    TQtWidgetSet::Report([&] { FListView->CustomDrawItem(item, state); });
    const TCanvas* canvas = FListView->Canvas();
    Option->font = ToQFont(*canvas->Font());
    const QColor text = ToQColor(canvas->Font()->Color());
    if (text.isValid()) Option->palette.setColor(QPalette::Text, text);
    const QColor back = ToQColor(canvas->BrushColor());
    if (back.isValid()) Option->backgroundBrush = back;
  }

private:
  TListView* FListView;
};

}  // namespace

TQtListViewPeer::TQtListViewPeer(TListView* ListView) : TQtControlPeer(ListView) {
  auto* tree = new TListWidget(this, ParentClient());
  tree->setItemDelegate(new TCustomDrawDelegate(ListView, tree));
  // Columns are as wide as the model says; a stretched last one would not
  // be, and its width would follow the window into the model.
  tree->header()->setStretchLastSection(false);
  Attach(tree);
  WatchEvents(tree->viewport());
  QObject::connect(tree, &QTreeWidget::itemSelectionChanged, Guard(), [this] {
    if (!Applying()) UserSelectionChanged();
  });
  QObject::connect(tree, &QTreeWidget::itemChanged, Guard(), [this](QTreeWidgetItem* Row, int Column) {
    if (!Applying()) UserRowChanged(Row, Column);
  });
  QObject::connect(tree->header(), &QHeaderView::sectionClicked, Guard(), [ListView](int Index) {
    TQtWidgetSet::Report([&] { ListView->UserColumnClick(Index); });
  });
  QObject::connect(tree->header(), &QHeaderView::sectionResized, Guard(), [this, ListView](int Index, int, int Size) {
    if (Applying() || ListView->ViewStyle() != vsReport) return;
    Report([&] { ListView->UserSetColumnWidth(Index, Size); });
  });
}

QTreeWidget* TQtListViewPeer::Tree() const { return static_cast<QTreeWidget*>(Widget()); }

QTreeWidgetItem* TQtListViewPeer::RowOf(const TListItem* Item) const {
  auto it = FRows.find(Item);
  return it == FRows.end() ? nullptr : it->second;
}

TListItem* TQtListViewPeer::ItemOf(const QTreeWidgetItem* Row) {
  return Row ? static_cast<TListItem*>(Row->data(0, ItemRole).value<void*>()) : nullptr;
}

void TQtListViewPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  switch (Change) {
    case pcColumns:
    case pcViewStyle:
      ApplyColumns();
      ApplyOptions();
      break;
    case pcListOptions:
    case pcMultiSelect: ApplyOptions(); break;
    case pcItems: Rebuild(); break;
    case pcItemIndex: ApplySelection(); break;
    case pcImages: ApplyOptions(); break;  // the icon size follows the lists
    case pcBevel:
      Tree()->setFrameShape(ListView()->BorderStyle() == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
      break;
    case pcReadOnly: break;  // asked each time an editor would open
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtListViewPeer::ListItemChanged(TListItem* Item, TListItemsChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  switch (Change) {
    case licAdded:
      if (Item && !RowOf(Item)) {
        AddRow(Item);
        return;
      }
      break;
    case licDeleting:
      if (QTreeWidgetItem* row = Item ? RowOf(Item) : nullptr) {
        FRows.erase(Item);
        delete row;
        return;
      }
      break;
    case licChanged:
      if (QTreeWidgetItem* row = Item ? RowOf(Item) : nullptr) {
        Update(Item, row);
        // The collection may have moved the item.
        const int index = Tree()->indexOfTopLevelItem(row);
        const int wanted = ListView()->Items()->IndexOf(Item);
        if (index == wanted) return;
      }
      break;
    default: break;
  }
  Rebuild();
}

void TQtListViewPeer::Rebuild() {
  Tree()->clear();
  FRows.clear();
  const TListItems* items = ListView()->Items();
  for (int i = 0; i < items->Count(); ++i) AddRow(items->Items(i));
  ApplySelection();
}

QTreeWidgetItem* TQtListViewPeer::AddRow(TListItem* Item) {
  auto* row = new QTreeWidgetItem;
  row->setData(0, ItemRole, QVariant::fromValue(static_cast<void*>(Item)));
  row->setFlags(row->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
  const int index = ListView()->Items()->IndexOf(Item);
  Tree()->insertTopLevelItem(std::clamp(index, 0, Tree()->topLevelItemCount()), row);
  FRows[Item] = row;
  Update(Item, row);
  return row;
}

void TQtListViewPeer::Update(TListItem* Item, QTreeWidgetItem* Row) {
  const TListView* v = ListView();
  Row->setText(0, ToQ(Item->Caption()));
  const TStrings* sub = Item->SubItems();
  const int columns = std::max(1, Tree()->columnCount());
  for (int c = 1; c < columns; ++c) Row->setText(c, c - 1 < sub->Count() ? ToQ(sub->Get(c - 1)) : QString());
  const TImageList* images = v->ViewStyle() == vsIcon ? v->LargeImages() : v->SmallImages();
  // Large icons show no state; the other styles show it before the picture.
  Row->setIcon(0, v->ViewStyle() == vsIcon ? IconOf(images, Item->ImageIndex())
                                           : StateAndImageIcon(v->StateImages(), Item->StateIndex(), images,
                                                               Item->ImageIndex()));
  if (v->Checkboxes())
    Row->setCheckState(0, Item->Checked() ? Qt::Checked : Qt::Unchecked);
  else
    Row->setData(0, Qt::CheckStateRole, QVariant());
  for (int c = 0; c < columns && c < v->Columns()->Count(); ++c)
    Row->setTextAlignment(c, ToQAlignment(v->Columns()->Items(c)->Alignment()) | Qt::AlignVCenter);
}

void TQtListViewPeer::ApplyColumns() {
  QTreeWidget* tree = Tree();
  const TListView* v = ListView();
  const bool report = v->ViewStyle() == vsReport;
  const TListColumns* columns = v->Columns();
  const int count = report ? std::max(1, columns->Count()) : 1;
  tree->setColumnCount(count);
  QStringList titles;
  for (int c = 0; c < count; ++c) titles << (c < columns->Count() ? ToQ(columns->Items(c)->Caption()) : QString());
  tree->setHeaderLabels(titles);
  for (int c = 0; c < count && c < columns->Count(); ++c) {
    tree->setColumnWidth(c, columns->Items(c)->Width());
    tree->headerItem()->setTextAlignment(c, ToQAlignment(columns->Items(c)->Alignment()) | Qt::AlignVCenter);
  }
  for (auto& [item, row] : FRows) Update(const_cast<TListItem*>(item), row);
}

void TQtListViewPeer::ApplyOptions() {
  QTreeWidget* tree = Tree();
  const TListView* v = ListView();
  tree->setHeaderHidden(v->ViewStyle() != vsReport || !v->ShowColumnHeaders());
  tree->setSelectionMode(v->MultiSelect() ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
  tree->setSelectionBehavior(v->RowSelect() || v->ViewStyle() != vsReport ? QAbstractItemView::SelectRows
                                                                          : QAbstractItemView::SelectItems);
  tree->setAllColumnsShowFocus(v->RowSelect());
  tree->setIconSize(v->ViewStyle() == vsIcon && v->LargeImages()
                        ? QSize(v->LargeImages()->Width(), v->LargeImages()->Height())
                        : StateAndImageSize(v->StateImages(), v->SmallImages()));
  for (auto& [item, row] : FRows) Update(const_cast<TListItem*>(item), row);
}

void TQtListViewPeer::ApplySelection() {
  QTreeWidget* tree = Tree();
  const TListItems* items = ListView()->Items();
  tree->clearSelection();
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->Selected())
      if (QTreeWidgetItem* row = RowOf(items->Items(i))) row->setSelected(true);
  if (TListItem* focused = ListView()->ItemFocused())
    if (QTreeWidgetItem* row = RowOf(focused)) tree->setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
}

void TQtListViewPeer::UserSelectionChanged() {
  std::vector<TListItem*> selected;
  for (QTreeWidgetItem* row : Tree()->selectedItems())
    if (TListItem* item = ItemOf(row)) selected.push_back(item);
  TListView* view = ListView();
  Report([&] { view->UserSetSelection(selected); });
}

void TQtListViewPeer::UserRowChanged(QTreeWidgetItem* Row, int Column) {
  TListItem* item = ItemOf(Row);
  if (!item || Column != 0) return;
  TListView* view = ListView();
  const bool checked = Row->checkState(0) == Qt::Checked;
  const std::string text = FromQ(Row->text(0));
  const bool alive = ReportAndLive([&] {
    if (view->Checkboxes() && checked != item->Checked()) view->UserSetChecked(item, checked);
    if (text != item->Caption()) view->UserEdited(item, text);
  });
  // OnEdited may have changed the text: show what the item holds.
  if (alive)
    if (QTreeWidgetItem* row = RowOf(item)) {
      TApplying applying(this);
      Update(item, row);
    }
}

bool TQtListViewPeer::CanEdit(QTreeWidgetItem* Row) {
  TListItem* item = ItemOf(Row);
  TListView* view = ListView();
  bool allowed = false;
  Report([&] { allowed = view->CanEdit(item); });
  return allowed;
}

std::optional<int> TQtListViewPeer::ItemAtPos(int X, int Y) const {
  QTreeWidget* tree = Tree();
  const QPoint p = tree->viewport()->mapFrom(tree, QPoint(X, Y));
  TListItem* item = ItemOf(tree->itemAt(p));
  return item ? ListView()->Items()->IndexOf(item) : -1;
}

}  // namespace host::qt
