// The string grid's peer: a widget that paints every cell at the rectangle
// the model's CellRect gives, so that a cell is in the same place in the
// model and on screen. Clicks, the keys the model handles, the wheel,
// border drags and the in-place editor (with the get-edit-text and
// set-edit-text events) go back to the model.
#pragma once

#include <QPointer>

#include "host/controls/Grids.h"
#include "host/qt/QtControlPeer.h"

#include <QLineEdit>

namespace host::qt {

class TQtGridPeer : public TQtControlPeer {
public:
  explicit TQtGridPeer(TCustomGrid* Grid);
  ~TQtGridPeer() override;
  TCustomGrid* Grid() const { return static_cast<TCustomGrid*>(Control()); }
  void Changed(TPeerChange Change) override;
  void CellChanged(int ACol, int ARow) override;

  // The in-place editor while it is open (null otherwise).
  QLineEdit* Editor() const { return FEditor; }
  // Opens the editor on the current cell, when the model allows it;
  // Initial replaces the text the model gives (a typed character).
  // Both answer whether the peer is still there: the model's handlers run
  // meanwhile and may free the grid.
  bool ShowEditor(const QString* Initial = nullptr);
  // Closes the editor; Commit hands its text to the model first.
  bool HideEditor(bool Commit);

  // Internal, from the widget.
  void Paint(QWidget* Widget);
  void MousePressed(QPoint Pos, Qt::KeyboardModifiers Modifiers);
  void MouseMoved(QPoint Pos, Qt::MouseButtons Buttons);
  void MouseReleased();
  void DoubleClicked(QPoint Pos);
  void Wheel(int Steps, bool Horizontal);
  bool TypedKey(int Key, const QString& Text);

protected:
  bool KeyEvent(QEvent* Event) override;
  void ApplyColor() override;

private:
  void PlaceEditor();
  // The column (row) whose right (bottom) border is under the point, for
  // sizing with goColSizing (goRowSizing); -1 when none.
  int ColBorderAt(QPoint Pos) const;
  int RowBorderAt(QPoint Pos) const;

  QPointer<QLineEdit> FEditor;
  int FEditCol = -1;
  int FEditRow = -1;
  int FSizingCol = -1;
  int FSizingRow = -1;
  QPoint FSizingStart;
  int FSizingOriginal = 0;
};

}  // namespace host::qt
