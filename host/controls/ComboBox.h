// TComboBox: an edit with a drop-down list of Items; the text and the
// current item go together.
#pragma once

#include <memory>

#include "host/controls/ListControls.h"

namespace host {

class TComboBox : public TWinControl {
  HOST_CLASS(TComboBox)
public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(const TStrings* Value) { FItems->Assign(Value); }
  // Selecting an item shows its text; -1 leaves the text of a drop-down
  // combo box as it is and empties that of a drop-down list.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  // Setting the text selects the item with that text (or none).
  void SetText(const std::string& Value) override;
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool DroppedDown() const { return FDroppedDown; }

  // Reported by the peer: typing (OnChange), choosing an item from the
  // list (OnClick, then OnSelect or, without it, OnChange), opening and
  // closing the list.
  void UserSetText(const std::string& Value) override;
  void UserSelect(int Index);
  void DropDown();
  void CloseUp();

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TNotifyEvent& OnSelect() const { return FOnSelect; }
  void SetOnSelect(TNotifyEvent Value) { FOnSelect = std::move(Value); }
  const TNotifyEvent& OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent Value) { FOnDropDown = std::move(Value); }
  const TNotifyEvent& OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = std::move(Value); }

  void Loaded() override;

protected:
  void PushPeerState() override;
  void Change();

private:
  void ItemsChanged();
  std::unique_ptr<TItemStrings> FItems;
  int FItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  bool FSorted = false;
  int FDropDownCount = 8;
  int FMaxLength = 0;
  bool FDroppedDown = false;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnSelect;
  TNotifyEvent FOnDropDown;
  TNotifyEvent FOnCloseUp;
};

}  // namespace host
