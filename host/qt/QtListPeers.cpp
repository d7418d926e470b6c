#include "host/qt/QtListPeers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "host/qt/QtConvert.h"

namespace host::qt {

namespace {
// A combo box that reports opening and closing its list.
class TComboWidget : public QComboBox {
public:
  TComboWidget(TComboBox* Model, QWidget* Parent) : QComboBox(Parent), FModel(Model) {}
  void showPopup() override {
    if (TComboBox* m = FModel) TQtWidgetSet::Report([&] { m->DropDown(); });
    FOpen = true;
    QComboBox::showPopup();
  }
  // Qt also calls this whenever the combo box is hidden: only a list that
  // was open closes up, and never for a model on its way out.
  void hidePopup() override {
    QComboBox::hidePopup();
    if (!FOpen) return;
    FOpen = false;
    if (TComboBox* m = FModel; m && !m->IsDestroying()) TQtWidgetSet::Report([&] { m->CloseUp(); });
  }

private:
  TComboBox* FModel;
  bool FOpen = false;
};

Qt::CheckState ToCheckState(TCheckBoxState S) {
  return S == cbChecked ? Qt::Checked : S == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked;
}
}  // namespace

// ---- list boxes ----

TQtListBoxPeer::TQtListBoxPeer(TCustomListBox* ListBox) : TQtControlPeer(ListBox) {
  auto* list = new QListWidget(ParentClient());
  Attach(list);
  WatchEvents(list->viewport());
  QObject::connect(list, &QListWidget::itemSelectionChanged, Guard(), [this] {
    if (!Applying()) UserSelectionChanged();
  });
  QObject::connect(list, &QListWidget::itemChanged, Guard(), [this](QListWidgetItem* Item) {
    if (!Applying()) UserItemChanged(ListWidget()->row(Item));
  });
}

QListWidget* TQtListBoxPeer::ListWidget() const { return static_cast<QListWidget*>(Widget()); }

void TQtListBoxPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  switch (Change) {
    case pcItems:
      ApplyItems();
      ApplyChecks();
      ApplySelection();
      break;
    case pcItemIndex: ApplySelection(); break;
    case pcItemChecked: ApplyChecks(); break;
    case pcMultiSelect:
      ListWidget()->setSelectionMode(ListBox()->MultiSelect() ? QAbstractItemView::ExtendedSelection
                                                              : QAbstractItemView::SingleSelection);
      ApplySelection();
      break;
    case pcBevel: ListWidget()->setFrameShape(ListBox()->BorderStyle() == bsNone ? QFrame::NoFrame : QFrame::StyledPanel); break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtListBoxPeer::ApplyItems() {
  QListWidget* list = ListWidget();
  const TStrings* items = ListBox()->Items();
  // Rows are reused, so that a localized list keeps its scroll position.
  while (list->count() > items->Count()) delete list->takeItem(list->count() - 1);
  for (int i = 0; i < items->Count(); ++i) {
    const QString text = ToQ(items->Get(i));
    if (i < list->count())
      list->item(i)->setText(text);
    else
      list->addItem(text);
  }
}

void TQtListBoxPeer::ApplyChecks() {
  auto* checks = dynamic_cast<TCheckListBox*>(ListBox());
  if (!checks) return;
  QListWidget* list = ListWidget();
  for (int i = 0; i < list->count() && i < checks->Count(); ++i) {
    QListWidgetItem* item = list->item(i);
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    if (checks->ItemEnabled(i)) flags |= Qt::ItemIsEnabled;
    if (checks->AllowGrayed()) flags |= Qt::ItemIsUserTristate;
    item->setFlags(flags);
    item->setCheckState(ToCheckState(checks->State(i)));
  }
}

void TQtListBoxPeer::ApplySelection() {
  QListWidget* list = ListWidget();
  const TCustomListBox* l = ListBox();
  const int index = l->ItemIndex();
  list->setCurrentRow(index, QItemSelectionModel::NoUpdate);
  for (int i = 0; i < list->count() && i < l->Count(); ++i) list->item(i)->setSelected(l->Selected(i));
}

void TQtListBoxPeer::UserSelectionChanged() {
  QListWidget* list = ListWidget();
  TCustomListBox* l = ListBox();
  if (!l->MultiSelect()) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    const int row = selected.isEmpty() ? -1 : list->row(selected.front());
    Report([&] { l->UserSetItemIndex(row); });
    return;
  }
  std::vector<std::pair<int, bool>> changes;
  for (int i = 0; i < list->count() && i < l->Count(); ++i)
    if (list->item(i)->isSelected() != l->Selected(i)) changes.emplace_back(i, list->item(i)->isSelected());
  const int current = list->currentRow();
  Report([&] {
    for (auto [index, selected] : changes) l->UserSetSelected(index, selected);
    if (current != l->ItemIndex()) l->UserSetItemIndex(current);
  });
}

void TQtListBoxPeer::UserItemChanged(int Row) {
  auto* checks = dynamic_cast<TCheckListBox*>(ListBox());
  if (!checks || Row < 0 || Row >= checks->Count()) return;
  const Qt::CheckState shown = ListWidget()->item(Row)->checkState();
  if (shown == ToCheckState(checks->State(Row))) return;
  // The model decides the next state (grayed or not); show what it chose.
  if (ReportAndLive([&] { checks->UserToggleCheck(Row); })) {
    TApplying applying(this);
    ApplyChecks();
  }
}

std::optional<int> TQtListBoxPeer::ItemAtPos(int X, int Y) const {
  QListWidget* list = ListWidget();
  const QPoint p = list->viewport()->mapFrom(list, QPoint(X, Y));
  const QModelIndex index = list->indexAt(p);
  return index.isValid() ? index.row() : -1;
}

// ---- combo boxes ----

TQtComboBoxPeer::TQtComboBoxPeer(TComboBox* ComboBox) : TQtControlPeer(ComboBox) {
  auto* combo = new TComboWidget(ComboBox, ParentClient());
  combo->setInsertPolicy(QComboBox::NoInsert);
  Attach(combo);
  QObject::connect(combo, &QComboBox::activated, Guard(), [ComboBox](int Index) {
    TQtWidgetSet::Report([&] { ComboBox->UserSelect(Index); });
  });
}

QComboBox* TQtComboBoxPeer::Combo() const { return static_cast<QComboBox*>(Widget()); }

void TQtComboBoxPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  QSignalBlocker block(Combo());
  switch (Change) {
    case pcKind: {
      const TComboBoxStyle style = ComboBox()->Style();
      const bool editable = style == csDropDown || style == csSimple;
      if (editable != Combo()->isEditable()) {
        Combo()->setEditable(editable);
        if (QLineEdit* edit = Combo()->lineEdit()) {
          TComboBox* model = ComboBox();
          QObject::connect(edit, &QLineEdit::textEdited, Guard(), [model](const QString& Text) {
            TQtWidgetSet::Report([&] { model->UserSetText(FromQ(Text)); });
          });
          // A new line edit: the length limit applies to it too.
          edit->setMaxLength(model->MaxLength() > 0 ? model->MaxLength() : 32767);
        }
      }
      ApplyText();
      break;
    }
    case pcItems:
      ApplyItems();
      ApplyItemIndex();
      break;
    case pcItemIndex: ApplyItemIndex(); break;
    case pcMaxLength:
      if (QLineEdit* edit = Combo()->lineEdit())
        edit->setMaxLength(ComboBox()->MaxLength() > 0 ? ComboBox()->MaxLength() : 32767);
      break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtComboBoxPeer::ApplyItems() {
  QComboBox* combo = Combo();
  const TStrings* items = ComboBox()->Items();
  while (combo->count() > items->Count()) combo->removeItem(combo->count() - 1);
  for (int i = 0; i < items->Count(); ++i) {
    const QString text = ToQ(items->Get(i));
    if (i < combo->count())
      combo->setItemText(i, text);
    else
      combo->addItem(text);
  }
  combo->setMaxVisibleItems(std::max(1, ComboBox()->DropDownCount()));
}

void TQtComboBoxPeer::ApplyItemIndex() {
  Combo()->setCurrentIndex(ComboBox()->ItemIndex());
  ApplyText();
}

void TQtComboBoxPeer::ApplyText() {
  if (QLineEdit* edit = Combo()->lineEdit()) {
    QSignalBlocker block(edit);
    const QString text = ToQ(ComboBox()->Text());
    if (edit->text() != text) edit->setText(text);
  }
}

}  // namespace host::qt
