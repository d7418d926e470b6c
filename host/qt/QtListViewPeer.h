// The list view's peer: a QTreeWidget with one top-level row per item and
// one column per list column (report style); the other view styles show
// the captions alone. Item changes arrive one by one or as a reset;
// selection, check marks, header clicks, in-place edits and drag and drop
// go back to the model.
#pragma once

#include <unordered_map>

#include "host/controls/ListView.h"
#include "host/qt/QtControlPeer.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace host::qt {

class TQtListViewPeer : public TQtControlPeer {
public:
  explicit TQtListViewPeer(TListView* ListView);
  TListView* ListView() const { return static_cast<TListView*>(Control()); }
  QTreeWidget* Tree() const;
  void Changed(TPeerChange Change) override;
  void ListItemChanged(TListItem* Item, TListItemsChange Change) override;
  std::optional<int> ItemAtPos(int X, int Y) const override;

  QTreeWidgetItem* RowOf(const TListItem* Item) const;
  static TListItem* ItemOf(const QTreeWidgetItem* Row);

  // Internal, from the widget.
  bool CanEdit(QTreeWidgetItem* Row);

private:
  void Rebuild();
  QTreeWidgetItem* AddRow(TListItem* Item);
  void Update(TListItem* Item, QTreeWidgetItem* Row);
  void ApplyColumns();
  void ApplyOptions();
  void ApplySelection();
  void UserSelectionChanged();
  void UserRowChanged(QTreeWidgetItem* Row, int Column);

  std::unordered_map<const TListItem*, QTreeWidgetItem*> FRows;
};

}  // namespace host::qt
