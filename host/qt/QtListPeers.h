// Peers of the string-list controls: list boxes, check list boxes and
// combo boxes.
#pragma once

#include "host/controls/ListControls.h"
#include "host/qt/QtControlPeer.h"

class QListWidget;
class QComboBox;

namespace host::qt {

class TQtListBoxPeer : public TQtControlPeer {
public:
  explicit TQtListBoxPeer(TCustomListBox* ListBox);
  TCustomListBox* ListBox() const { return static_cast<TCustomListBox*>(Control()); }
  QListWidget* ListWidget() const;
  void Changed(TPeerChange Change) override;
  std::optional<int> ItemAtPos(int X, int Y) const override;

private:
  void ApplyItems();
  void ApplySelection();
  void ApplyChecks();
  void UserSelectionChanged();
  void UserItemChanged(int Row);
};

class TQtComboBoxPeer : public TQtControlPeer {
public:
  explicit TQtComboBoxPeer(TComboBox* ComboBox);
  TComboBox* ComboBox() const { return static_cast<TComboBox*>(Control()); }
  QComboBox* Combo() const;
  void Changed(TPeerChange Change) override;

protected:
  void ApplyText() override;

private:
  void ApplyItems();
  void ApplyItemIndex();
};

}  // namespace host::qt
