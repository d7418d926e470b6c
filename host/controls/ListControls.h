// List boxes and check list boxes: controls whose Items are a
// string list, with a current item and, for list boxes, a selection state
// and (for check list boxes) a check state per item that follow the items
// when lines are inserted, deleted, exchanged or sorted.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "host/controls/WinControl.h"
#include "host/core/Strings.h"

namespace host {

// A string list that tells its control where lines come and go, so that
// per-item state stays with its line.
class TItemStrings : public TStringList {
public:
  struct THooks {
    std::function<void(int Index)> Inserted;
    std::function<void(int Index)> Deleting;
    std::function<void()> Cleared;
    std::function<void(int Index1, int Index2)> Exchanged;
    // Order[i] is the former index of the line now at i.
    std::function<void(const std::vector<int>& Order)> Reordered;
  };
  // Where the line at Index went after a reordering; -1 stays -1.
  static int FollowIndex(int Index, const std::vector<int>& Order);
  explicit TItemStrings(THooks Hooks) : FHooks(std::move(Hooks)) {}

  int Add(const std::string& S) override;
  void InsertObject(int Index, const std::string& S, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override { InsertObject(Index, S, nullptr); }
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  void CustomSort(TStringListSortCompare Compare) override;

private:
  THooks FHooks;
};

class TCustomListBox : public TWinControl {
  HOST_CLASS(TCustomListBox)
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(const TStrings* Value) { FItems->Assign(Value); }
  int Count() const { return FItems->Count(); }
  // -1: none. An index out of range selects nothing.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);

  // The selection of a multi-select list (the current item otherwise).
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelCount() const;
  void ClearSelection();
  // The item at a point (control coordinates): asks the peer, else counts
  // rows of ItemHeight. -1 for none.
  int ItemAtPos(TPoint Pos) const;

  // The user changed the current item or the selection: no echo to the
  // peer; fires OnClick.
  void UserSetItemIndex(int Value);
  void UserSetSelected(int Index, bool Value);

  void Loaded() override;

protected:
  void PushPeerState() override;
  virtual void ItemInserted(int Index);
  virtual void ItemDeleting(int Index);
  virtual void ItemsCleared();
  virtual void ItemsExchanged(int Index1, int Index2);
  virtual void ItemsReordered(const std::vector<int>& Order);
  void ItemsChanged();
  void CheckIndex(int Index) const;

  std::unique_ptr<TItemStrings> FItems;

private:
  int FItemIndex = -1;
  bool FMultiSelect = false;
  bool FSorted = false;
  TBorderStyle FBorderStyle = bsSingle;
  int FItemHeight = 16;
  std::vector<bool> FSelected;
};

class TListBox : public TCustomListBox {
  HOST_CLASS(TListBox)
public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

class TCheckListBox : public TCustomListBox {
  HOST_CLASS(TCheckListBox)
public:
  explicit TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

  // Raise EListError for an index out of range.
  bool Checked(int Index) const { return State(Index) == cbChecked; }
  void SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State(int Index) const;
  void SetState(int Index, TCheckBoxState Value);
  bool ItemEnabled(int Index) const;
  void SetItemEnabled(int Index, bool Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }

  // The user clicked an item's box: the next state, then OnClickCheck.
  void UserToggleCheck(int Index);
  const TNotifyEvent& OnClickCheck() const { return FOnClickCheck; }
  void SetOnClickCheck(TNotifyEvent Value) { FOnClickCheck = std::move(Value); }

protected:
  void PushPeerState() override;
  void ItemInserted(int Index) override;
  void ItemDeleting(int Index) override;
  void ItemsCleared() override;
  void ItemsExchanged(int Index1, int Index2) override;
  void ItemsReordered(const std::vector<int>& Order) override;

private:
  struct TItemState {
    TCheckBoxState State = cbUnchecked;
    bool Enabled = true;
  };
  std::vector<TItemState> FStates;
  bool FAllowGrayed = false;
  TNotifyEvent FOnClickCheck;
};

}  // namespace host

// The combo box shares the item list; it has a header of its own.
#include "host/controls/ComboBox.h"
