#include "host/controls/ListView.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

#include "host/controls/ImgList.h"
#include "host/controls/Publish.h"

namespace host {

// ---- class records ----

const TClass& TListItem::StaticClass() {
  static const TClass cls = TClassBuilder<TListItem>("TListItem", &TCollectionItem::StaticClass())
                                .Prop("Caption", &TListItem::Caption, &TListItem::SetCaption)
                                .Prop("Checked", &TListItem::Checked, &TListItem::SetChecked)
                                .Default(false)
                                .Prop("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex)
                                .Default(-1)
                                .Prop("StateIndex", &TListItem::StateIndex, &TListItem::SetStateIndex)
                                .Default(-1)
                                .Prop("SubItems", &TListItem::SubItems, &TListItem::SetSubItems)
                                .Build();
  return cls;
}
const TClass& TListItem::ClassType() const { return StaticClass(); }

const TClass& TListItems::StaticClass() {
  static const TClass cls = TClassBuilder<TListItems>("TListItems", &TCollection::StaticClass()).Build();
  return cls;
}
const TClass& TListItems::ClassType() const { return StaticClass(); }

const TClass& TListView::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TListView> b("TListView", &TWinControl::StaticClass());
    pub::Align(b);
    pub::Anchors(b);
    pub::BiDiMode(b);
    b.Prop("BorderStyle", &TListView::BorderStyle, &TListView::SetBorderStyle).Default(bsSingle);
    b.Prop("Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes).Default(false);
    pub::Color(b, clWindow);
    b.Prop("Columns", &TListView::Columns, &TListView::SetColumns);
    b.Prop("ColumnClick", &TListView::ColumnClick, &TListView::SetColumnClick).Default(true);
    pub::Constraints(b);
    pub::DragMode(b);
    pub::Enabled(b);
    pub::Font(b);
    b.Prop("GridLines", &TListView::GridLines, &TListView::SetGridLines).Default(false);
    b.Prop("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection).Default(true);
    b.Prop("Items", &TListView::Items, &TListView::SetItems);
    b.Prop("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
    b.Prop("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect).Default(false);
    b.Prop("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly).Default(false);
    b.Prop("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect).Default(false);
    pub::ParentBiDiMode(b);
    pub::ParentColor(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    b.Prop("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders).Default(true);
    pub::ShowHint(b);
    b.Prop("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
    b.Prop("StateImages", &TListView::StateImages, &TListView::SetStateImages);
    pub::TabOrder(b);
    pub::TabStop(b, true);
    b.Prop("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle).Default(vsIcon);
    pub::Visible(b);
    b.Prop("OnChange", &TListView::OnChange, &TListView::SetOnChange);
    pub::OnClick(b);
    b.Prop("OnColumnClick", &TListView::OnColumnClick, &TListView::SetOnColumnClick);
    b.Prop("OnCompare", &TListView::OnCompare, &TListView::SetOnCompare);
    pub::OnContextPopup(b);
    b.Prop("OnCustomDrawItem", &TListView::OnCustomDrawItem, &TListView::SetOnCustomDrawItem);
    pub::OnDblClick(b);
    b.Prop("OnDeletion", &TListView::OnDeletion, &TListView::SetOnDeletion);
    pub::DragEvents(b);
    b.Prop("OnEdited", &TListView::OnEdited, &TListView::SetOnEdited);
    b.Prop("OnEditing", &TListView::OnEditing, &TListView::SetOnEditing);
    pub::OnEnter(b);
    pub::OnExit(b);
    pub::KeyEvents(b);
    pub::MouseEvents(b);
    b.Prop("OnSelectItem", &TListView::OnSelectItem, &TListView::SetOnSelectItem);
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TListView::ClassType() const { return StaticClass(); }

// ---- TListItem ----

TListItem::TListItem(TCollection* Collection) : TCollectionItem(Collection), FSubItems(std::make_unique<TStringList>()) {
  FSubItems->SetOnChange([this](TObject*) {
    Changed(false);
    if (TListView* lv = ListView()) lv->ItemChanged(this, ctText);
  });
  // Announced here, once the item is whole; the collection's own notice
  // comes while it is still being built.
  if (TListView* lv = ListView()) lv->ItemAdded(this);
}

TListItem::~TListItem() {
  if (TListView* lv = ListView()) lv->ItemDeleting(this);
  FSubItems->SetOnChange(nullptr);
}

TListView* TListItem::ListView() const {
  auto* items = dynamic_cast<TListItems*>(Collection());
  return items ? items->Owner() : nullptr;
}

void TListItem::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed(false);
  if (TListView* lv = ListView()) lv->ItemChanged(this, ctText);
}

void TListItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed(false);
  if (TListView* lv = ListView()) lv->ItemChanged(this, ctImage);
}

void TListItem::SetStateIndex(int Value) {
  if (FStateIndex == Value) return;
  FStateIndex = Value;
  Changed(false);
  if (TListView* lv = ListView()) lv->ItemChanged(this, ctState);
}

void TListItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  Changed(false);
  if (TListView* lv = ListView()) lv->ItemChanged(this, ctState);
}

void TListItem::SetSelected(bool Value) {
  if (TListView* lv = ListView())
    lv->ItemSelecting(this, Value, true);
  else
    FSelected = Value;
}

// ---- TListItems ----

TListItems::TListItems(TListView* Owner) : TOwnedCollection<TListItem>(Owner), FListView(Owner) {}

TListItems::~TListItems() = default;

int TListItems::IndexOf(const TListItem* Item) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i) == Item) return i;
  return -1;
}

void TListItems::Update(TCollectionItem* Item) {
  TOwnedCollection<TListItem>::Update(Item);
  if (!Item && FJustAdded) {
    FJustAdded = nullptr;
    return;
  }
  FJustAdded = nullptr;
  if (FListView) FListView->ItemsUpdated(static_cast<TListItem*>(Item));
}

void TListItems::Notify(TCollectionItem*, TCollectionNotification) {
  // Items announce themselves from their constructor and destructor, where
  // they are whole.
}

// ---- TListView ----

TListView::TListView(TComponent* AOwner)
    : TWinControl(AOwner), FColumns(std::make_unique<TListColumns>(this)), FItems(std::make_unique<TListItems>(this)) {
  FSetCaptionOnRename = false;
  InitColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 250, 150);
  FColumns->SetOnUpdate([this](TCollectionItem*) { PeerChanged(pcColumns); });
}

TListView::~TListView() {
  Destroying();
  FColumns->SetOnUpdate(nullptr);
  FItemFocused = nullptr;
  // Items go while the view can still be asked (they report their deletion).
  FItems.reset();
}

void TListView::TellPeerItem(TListItem* Item, TListItemsChange Change) const {
  if (Peer() && !IsDestroying() && FPeerItemLock == 0) Peer()->ListItemChanged(Item, Change);
}

void TListView::ItemAdded(TListItem* Item) {
  if (FItems && FItems->UpdateCount() == 0) FItems->FJustAdded = Item;
  TellPeerItem(Item, licAdded);
}

void TListView::ItemDeleting(TListItem* Item) {
  if (IsDestroying()) return;
  if (FOnDeletion) FOnDeletion(this, Item);
  if (FItemFocused == Item) FItemFocused = nullptr;
  if (FItems && FItems->FJustAdded == Item) FItems->FJustAdded = nullptr;
  const bool wasSelected = Item->FSelected;
  TellPeerItem(Item, licDeleting);
  if (wasSelected) PeerChanged(pcItemIndex);
}

void TListView::ItemsUpdated(TListItem* Item) { TellPeerItem(Item, Item ? licChanged : licReset); }

void TListView::ItemChanged(TListItem* Item, TItemChange Change) {
  if (IsDestroying() || IsLoading()) return;
  if (FOnChange) FOnChange(this, Item, Change);
}

void TListView::ItemSelecting(TListItem* Item, bool Value, bool TellPeer) {
  if (!Item || Item->FSelected == Value) return;
  std::vector<TListItem*> deselected;
  if (Value && !FMultiSelect) {
    for (int i = 0; i < FItems->Count(); ++i) {
      TListItem* other = FItems->Items(i);
      if (other != Item && other->FSelected) {
        other->FSelected = false;
        deselected.push_back(other);
      }
    }
  }
  Item->FSelected = Value;
  if (Value) FItemFocused = Item;
  if (TellPeer) {
    for (TListItem* other : deselected) TellPeerItem(other, licChanged);
    TellPeerItem(Item, licChanged);
    PeerChanged(pcItemIndex);
  }
  for (TListItem* other : deselected) {
    if (FOnSelectItem) FOnSelectItem(this, other, false);
    ItemChanged(other, ctState);
  }
  if (FOnSelectItem) FOnSelectItem(this, Item, Value);
  ItemChanged(Item, ctState);
}

TListItem* TListView::Selected() const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Items(i)->FSelected) return FItems->Items(i);
  return nullptr;
}

void TListView::SetSelected(TListItem* Value) {
  if (Value && Value->ListView() != this) return;
  if (!Value) {
    ClearSelection();
    return;
  }
  if (FMultiSelect)
    for (int i = 0; i < FItems->Count(); ++i)
      if (FItems->Items(i) != Value) ItemSelecting(FItems->Items(i), false, true);
  ItemSelecting(Value, true, true);
}

int TListView::ItemIndex() const {
  TListItem* item = Selected();
  return item ? item->Index() : -1;
}

void TListView::SetItemIndex(int Value) {
  SetSelected(Value >= 0 && Value < FItems->Count() ? FItems->Items(Value) : nullptr);
}

int TListView::SelCount() const {
  int n = 0;
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Items(i)->FSelected) ++n;
  return n;
}

void TListView::ClearSelection() {
  for (int i = 0; i < FItems->Count(); ++i) ItemSelecting(FItems->Items(i), false, true);
}

void TListView::SetItemFocused(TListItem* Value) {
  if (Value && Value->ListView() != this) return;
  FItemFocused = Value;
  PeerChanged(pcItemIndex);
}

TListItem* TListView::GetItemAt(int X, int Y) const {
  if (Peer())
    if (auto index = Peer()->ItemAtPos(X, Y)) return *index >= 0 && *index < FItems->Count() ? FItems->Items(*index) : nullptr;
  const int header = (FViewStyle == vsReport && FShowColumnHeaders) ? 20 : 0;
  if (X < 0 || X >= Width() || Y < header) return nullptr;
  const int index = (Y - header) / 17;
  return index < FItems->Count() ? FItems->Items(index) : nullptr;
}

void TListView::CustomSort(const std::function<int(TListItem*, TListItem*)>& Compare) {
  std::vector<TListItem*> items;
  for (int i = 0; i < FItems->Count(); ++i) items.push_back(FItems->Items(i));
  std::stable_sort(items.begin(), items.end(), [&](TListItem* a, TListItem* b) { return Compare(a, b) < 0; });
  FItems->BeginUpdate();
  for (int i = 0; i < static_cast<int>(items.size()); ++i) items[static_cast<std::size_t>(i)]->SetIndex(i);
  FItems->EndUpdate();
}

void TListView::AlphaSort() {
  if (FOnCompare) {
    CustomSort([this](TListItem* a, TListItem* b) {
      int result = 0;
      FOnCompare(this, a, b, 0, result);
      return result;
    });
  } else {
    CustomSort([](TListItem* a, TListItem* b) { return CompareText(a->Caption(), b->Caption()); });
  }
}

void TListView::UserSelect(TListItem* Item, bool Extend) {
  if (Item && Item->ListView() != this) return;
  TItemLock lock(FPeerItemLock);
  if (!Item) {
    for (int i = 0; i < FItems->Count(); ++i) ItemSelecting(FItems->Items(i), false, false);
    return;
  }
  if (FMultiSelect && !Extend)
    for (int i = 0; i < FItems->Count(); ++i)
      if (FItems->Items(i) != Item) ItemSelecting(FItems->Items(i), false, false);
  if (FMultiSelect && Extend)
    ItemSelecting(Item, !Item->FSelected, false);
  else
    ItemSelecting(Item, true, false);
}

void TListView::UserSetSelection(const std::vector<TListItem*>& Selected) {
  TItemLock lock(FPeerItemLock);
  const std::unordered_set<TListItem*> wanted(Selected.begin(), Selected.end());
  for (int i = 0; i < FItems->Count(); ++i)
    if (TListItem* item = FItems->Items(i); item->FSelected && wanted.count(item) == 0) ItemSelecting(item, false, false);
  // The handlers may have taken items away meanwhile.
  std::unordered_set<TListItem*> present;
  for (int i = 0; i < FItems->Count(); ++i) present.insert(FItems->Items(i));
  for (TListItem* item : Selected)
    if (present.count(item) != 0) ItemSelecting(item, true, false);
}

void TListView::UserSetColumnWidth(int Index, int Width) {
  if (Index < 0 || Index >= FColumns->Count()) return;
  TPeerLock lock(this);
  FColumns->Items(Index)->SetWidth(Width);
}

void TListView::UserSetChecked(TListItem* Item, bool Value) {
  if (!Item || Item->ListView() != this) return;
  TItemLock lock(FPeerItemLock);
  Item->SetChecked(Value);
}

void TListView::UserColumnClick(int Index) {
  if (!FColumnClick || Index < 0 || Index >= FColumns->Count()) return;
  if (FOnColumnClick) FOnColumnClick(this, FColumns->Items(Index));
}

bool TListView::CanEdit(TListItem* Item) {
  if (FReadOnly || !Item) return false;
  bool allow = true;
  if (FOnEditing) FOnEditing(this, Item, allow);
  return allow;
}

void TListView::UserEdited(TListItem* Item, std::string Text) {
  if (!Item) return;
  if (FOnEdited) FOnEdited(this, Item, Text);
  Item->SetCaption(Text);
}

bool TListView::CustomDrawItem(TListItem* Item, TCustomDrawState State) {
  FCanvas.Reset(Font(), Color());
  bool defaultDraw = true;
  if (FOnCustomDrawItem) FOnCustomDrawItem(this, Item, State, defaultDraw);
  return defaultDraw;
}

void TListView::SetViewStyle(TViewStyle Value) {
  if (FViewStyle == Value) return;
  FViewStyle = Value;
  PeerChanged(pcViewStyle);
}

void TListView::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  PeerChanged(pcReadOnly);
}

void TListView::SetRowSelect(bool Value) {
  if (FRowSelect == Value) return;
  FRowSelect = Value;
  PeerChanged(pcListOptions);
}

void TListView::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  if (!Value) {
    // Only the first selected item stays selected.
    TListItem* first = Selected();
    for (int i = 0; i < FItems->Count(); ++i)
      if (FItems->Items(i) != first) ItemSelecting(FItems->Items(i), false, true);
  }
  PeerChanged(pcMultiSelect);
}

void TListView::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  PeerChanged(pcListOptions);
}

void TListView::SetCheckboxes(bool Value) {
  if (FCheckboxes == Value) return;
  FCheckboxes = Value;
  PeerChanged(pcListOptions);
}

void TListView::SetGridLines(bool Value) {
  if (FGridLines == Value) return;
  FGridLines = Value;
  PeerChanged(pcListOptions);
}

void TListView::SetShowColumnHeaders(bool Value) {
  if (FShowColumnHeaders == Value) return;
  FShowColumnHeaders = Value;
  PeerChanged(pcListOptions);
}

void TListView::SetImageList(TImageList*& Field, TImageList* Value) {
  if (Field == Value) return;
  Field = Value;
  if (Value) Value->FreeNotification(this);
  PeerChanged(pcImages);
}

void TListView::SetLargeImages(TImageList* Value) { SetImageList(FLargeImages, Value); }
void TListView::SetSmallImages(TImageList* Value) { SetImageList(FSmallImages, Value); }
void TListView::SetStateImages(TImageList* Value) { SetImageList(FStateImages, Value); }

void TListView::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  PeerChanged(pcBevel);
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  for (TImageList** field : {&FLargeImages, &FSmallImages, &FStateImages})
    if (AComponent == *field) {
      *field = nullptr;
      PeerChanged(pcImages);
    }
}

void TListView::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcBevel);
  PeerChanged(pcViewStyle);
  PeerChanged(pcReadOnly);
  PeerChanged(pcListOptions);
  PeerChanged(pcMultiSelect);
  PeerChanged(pcImages);
  PeerChanged(pcColumns);
  TellPeerItem(nullptr, licReset);
  PeerChanged(pcItemIndex);
}

}  // namespace host
