// TListView: items with a caption, sub-items (one per further column),
// image and state indexes and a check mark, shown as icons, a list or a
// report with columns. The items are a collection, so form files store
// them like any collection and the localizer reaches Items.Caption.
#pragma once

#include <functional>
#include <memory>

#include "host/controls/Canvas.h"
#include "host/controls/WinControl.h"
#include "host/core/Collection.h"
#include "host/core/Strings.h"

namespace host {

class TImageList;
class TListView;
class TListItems;

class TListItem : public TCollectionItem {
  HOST_CLASS(TListItem)
public:
  explicit TListItem(TCollection* Collection);
  ~TListItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  // The texts of the columns after the first.
  TStrings* SubItems() const { return FSubItems.get(); }
  void SetSubItems(const TStrings* Value) { FSubItems->Assign(Value); }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int StateIndex() const { return FStateIndex; }
  void SetStateIndex(int Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  // Selection, through the list view (which fires OnSelectItem).
  bool Selected() const { return FSelected; }
  void SetSelected(bool Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  TListView* ListView() const;
  std::string DisplayName() const override { return FCaption.empty() ? TCollectionItem::DisplayName() : FCaption; }

private:
  friend class TListView;
  std::string FCaption;
  std::unique_ptr<TStringList> FSubItems;
  int FImageIndex = -1;
  int FStateIndex = -1;
  bool FChecked = false;
  bool FSelected = false;
  void* FData = nullptr;
};

class TListItems : public TOwnedCollection<TListItem> {
  HOST_CLASS(TListItems)
public:
  explicit TListItems(TListView* Owner);
  ~TListItems() override;
  TListView* Owner() const { return FListView; }
  int IndexOf(const TListItem* Item) const;

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  friend class TListView;
  TListView* FListView;
  // The item whose addition the collection is about to report as a whole
  // change; the peer already heard of it.
  TListItem* FJustAdded = nullptr;
};

enum TItemChange { ctText, ctImage, ctState };

using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVDeletedEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& S)>;
using TLVCustomDrawItemEvent =
    std::function<void(TObject* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;
using TLVCompareEvent = std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;

class TListView : public TWinControl {
  HOST_CLASS(TListView)
public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;

  TListColumns* Columns() const { return FColumns.get(); }
  void SetColumns(const TListColumns* Value) { FColumns->Assign(Value); }
  TListItems* Items() const { return FItems.get(); }
  void SetItems(const TListItems* Value) { FItems->Assign(Value); }
  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool Checkboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool Value);
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool Value);
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);
  bool ColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool Value) { FColumnClick = Value; }
  TImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TImageList* Value);
  TImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TImageList* Value);
  TImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TImageList* Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // The first selected item; setting it selects only that item.
  TListItem* Selected() const;
  void SetSelected(TListItem* Value);
  // The index of Selected, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int Value);
  int SelCount() const;
  void ClearSelection();
  TListItem* ItemFocused() const { return FItemFocused; }
  void SetItemFocused(TListItem* Value);
  // The item at a point (control coordinates): asks the peer, else counts
  // report rows of 17 pixels under a 20-pixel header.
  TListItem* GetItemAt(int X, int Y) const;
  // Sorts the items with Compare (or OnCompare), keeping equal ones in order.
  void CustomSort(const std::function<int(TListItem*, TListItem*)>& Compare);
  void AlphaSort();

  // Reported by the peer: a click selected an item (and, with Extend in a
  // multi-select list, kept the others), a check box was clicked, a
  // column header was clicked, an item's text was edited in place.
  void UserSelect(TListItem* Item, bool Extend = false);
  // The user left exactly these items selected: only the items whose state
  // changes hear of it.
  void UserSetSelection(const std::vector<TListItem*>& Selected);
  void UserSetChecked(TListItem* Item, bool Value);
  void UserColumnClick(int Index);
  // The user dragged a column's edge.
  void UserSetColumnWidth(int Index, int Width);
  bool CanEdit(TListItem* Item);
  void UserEdited(TListItem* Item, std::string Text);
  // Before the peer draws an item: resets Canvas to the control's font and
  // colour and fires OnCustomDrawItem; the peer draws with what the
  // handler left in Canvas, unless it returns false (the handler drew).
  bool CustomDrawItem(TListItem* Item, TCustomDrawState State);
  TCanvas* Canvas() { return &FCanvas; }

  const TLVChangeEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TLVChangeEvent Value) { FOnChange = std::move(Value); }
  const TLVSelectItemEvent& OnSelectItem() const { return FOnSelectItem; }
  void SetOnSelectItem(TLVSelectItemEvent Value) { FOnSelectItem = std::move(Value); }
  const TLVColumnClickEvent& OnColumnClick() const { return FOnColumnClick; }
  void SetOnColumnClick(TLVColumnClickEvent Value) { FOnColumnClick = std::move(Value); }
  const TLVDeletedEvent& OnDeletion() const { return FOnDeletion; }
  void SetOnDeletion(TLVDeletedEvent Value) { FOnDeletion = std::move(Value); }
  const TLVEditingEvent& OnEditing() const { return FOnEditing; }
  void SetOnEditing(TLVEditingEvent Value) { FOnEditing = std::move(Value); }
  const TLVEditedEvent& OnEdited() const { return FOnEdited; }
  void SetOnEdited(TLVEditedEvent Value) { FOnEdited = std::move(Value); }
  const TLVCustomDrawItemEvent& OnCustomDrawItem() const { return FOnCustomDrawItem; }
  void SetOnCustomDrawItem(TLVCustomDrawItemEvent Value) { FOnCustomDrawItem = std::move(Value); }
  const TLVCompareEvent& OnCompare() const { return FOnCompare; }
  void SetOnCompare(TLVCompareEvent Value) { FOnCompare = std::move(Value); }

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void PushPeerState() override;

private:
  friend class TListItem;
  friend class TListItems;
  void ItemSelecting(TListItem* Item, bool Value, bool TellPeer);
  void ItemChanged(TListItem* Item, TItemChange Change);
  void ItemAdded(TListItem* Item);
  void ItemDeleting(TListItem* Item);
  void ItemsUpdated(TListItem* Item);
  void TellPeerItem(TListItem* Item, TListItemsChange Change) const;
  void SetImageList(TImageList*& Field, TImageList* Value);

  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TListItems> FItems;
  TViewStyle FViewStyle = vsIcon;
  bool FReadOnly = false;
  bool FRowSelect = false;
  bool FMultiSelect = false;
  bool FHideSelection = true;
  bool FCheckboxes = false;
  bool FGridLines = false;
  bool FShowColumnHeaders = true;
  bool FColumnClick = true;
  TImageList* FLargeImages = nullptr;
  TImageList* FSmallImages = nullptr;
  TImageList* FStateImages = nullptr;
  TBorderStyle FBorderStyle = bsSingle;
  TListItem* FItemFocused = nullptr;
  int FPeerItemLock = 0;
  // Keeps item changes the peer reported from going back to it.
  struct TItemLock {
    explicit TItemLock(int& Lock) : FLock(Lock) { ++FLock; }
    ~TItemLock() { --FLock; }
    TItemLock(const TItemLock&) = delete;
    TItemLock& operator=(const TItemLock&) = delete;
    int& FLock;
  };
  TCanvas FCanvas;
  TLVChangeEvent FOnChange;
  TLVSelectItemEvent FOnSelectItem;
  TLVColumnClickEvent FOnColumnClick;
  TLVDeletedEvent FOnDeletion;
  TLVEditingEvent FOnEditing;
  TLVEditedEvent FOnEdited;
  TLVCustomDrawItemEvent FOnCustomDrawItem;
  TLVCompareEvent FOnCompare;
};

}  // namespace host
