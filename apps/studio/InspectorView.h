// The object inspector's window: property | value rows of the designer's
// selection (a tab for properties, one for events), nested objects and
// sets expandable, and in the current row's value cell the editor its
// property editor asks for: a text, a drop-down filled from GetValues each
// time it opens, an ellipsis button that runs Edit, or a read-only text.
// The rows and everything they do live in host::TObjectInspector.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "apps/studio/ValueEditor.h"
#include "host/design/ObjectInspector.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTabBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ambit::studio {

class TInspectorView : public QWidget {
public:
  explicit TInspectorView(QWidget* Parent = nullptr);
  ~TInspectorView() override;

  // Follows the designer's selection (nothing when null); the designer
  // must outlive the view or be replaced first.
  void SetDesigner(host::TFormDesigner* Designer);
  // The rows shown: properties, or events once that tab is chosen.
  host::TObjectInspector& Model() const;
  void ShowEvents(bool Value);

  QTreeWidget* Tree() const { return FTree; }
  // The item of a row path ("Font.Name"); null when it is not shown.
  QTreeWidgetItem* ItemOf(std::string_view Path) const;
  // Makes the row current, which puts its editor into the value cell.
  bool SelectRow(std::string_view Path);
  // The editor of the current row and its parts (null when it has none).
  TValueEditor* Editor() const { return FEditor; }
  QLineEdit* ValueEdit() const;
  QComboBox* ValueList() const;
  QToolButton* EllipsisButton() const;

private:
  void ModelChanged();
  void Rebuild();
  void RefreshValues();
  void CurrentChanged(QTreeWidgetItem* Item);
  void ShowEditor(int Row);
  void DropEditor();
  int RowOf(const QTreeWidgetItem* Item) const;

  std::unique_ptr<host::TObjectInspector> FProperties;
  std::unique_ptr<host::TObjectInspector> FEvents;
  host::TObjectInspector* FModel;
  std::vector<int> FSubscriptions;
  QLabel* FHeader;
  QTabBar* FTabs;
  QTreeWidget* FTree;
  std::vector<QTreeWidgetItem*> FItems;
  std::vector<std::string> FPaths;
  QPointer<TValueEditor> FEditor;
  bool FRebuilding = false;
  bool FRebuildQueued = false;
};

}  // namespace ambit::studio
