// The editor in the value cell of the object inspector's current row: a
// line edit, or a drop-down list that asks the property editor for its
// entries each time it opens, and an ellipsis button for a property edited
// in a dialog. It hands what the user chose to the inspector's model.
#pragma once

#include <QWidget>
#include <string>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace host {
class TObjectInspector;
}

namespace ambit::studio {

class TValueEditor : public QWidget {
public:
  // Edits the row of Path in Model, which must outlive the editor.
  TValueEditor(host::TObjectInspector& Model, std::string Path, QWidget* Parent = nullptr);
  ~TValueEditor() override;

  const std::string& Path() const { return FPath; }
  // Shows the model's value again (unless the user is typing one).
  void Refresh();
  // The row is gone: nothing the widgets still do reaches the model.
  void Retire();

  QLineEdit* Edit() const { return FEdit; }
  QComboBox* List() const { return FList; }
  QToolButton* Ellipsis() const { return FEllipsis; }

private:
  int Row() const;
  void Commit(const QString& Text);
  void RunDialog();

  host::TObjectInspector& FModel;
  std::string FPath;
  QLineEdit* FEdit = nullptr;
  QComboBox* FList = nullptr;
  QToolButton* FEllipsis = nullptr;
  bool FCommitting = false;
  bool FRetired = false;
};

}  // namespace ambit::studio
