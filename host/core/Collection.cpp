#include "host/core/Collection.h"

#include <algorithm>

#include "host/core/Component.h"

namespace host {

// ---- class records ----

const TClass& TCollectionItem::StaticClass() {
  static const TClass cls = TClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClass()).Build();
  return cls;
}
const TClass& TCollectionItem::ClassType() const { return StaticClass(); }

const TClass& TCollection::StaticClass() {
  static const TClass cls = TClassBuilder<TCollection>("TCollection", &TPersistent::StaticClass()).Build();
  return cls;
}
const TClass& TCollection::ClassType() const { return StaticClass(); }

const TClass& TListColumn::StaticClass() {
  static const TClass cls = TClassBuilder<TListColumn>("TListColumn", &TCollectionItem::StaticClass())
                                .Prop("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment)
                                .Default(taLeftJustify)
                                .Prop("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
                                .Prop("ImageIndex", &TListColumn::ImageIndex, &TListColumn::SetImageIndex)
                                .Default(-1)
                                .Prop("Width", &TListColumn::Width, &TListColumn::SetWidth)
                                .Default(50)
                                .Build();
  return cls;
}
const TClass& TListColumn::ClassType() const { return StaticClass(); }

const TClass& TListColumns::StaticClass() {
  static const TClass cls = TClassBuilder<TListColumns>("TListColumns", &TCollection::StaticClass()).Build();
  return cls;
}
const TClass& TListColumns::ClassType() const { return StaticClass(); }

const TClass& TColumnTitle::StaticClass() {
  static const TClass cls = TClassBuilder<TColumnTitle>("TColumnTitle", &TPersistent::StaticClass())
                                .Prop("Alignment", &TColumnTitle::Alignment, &TColumnTitle::SetAlignment)
                                .Default(taLeftJustify)
                                .Prop("Caption", &TColumnTitle::Caption, &TColumnTitle::SetCaption)
                                .Build();
  return cls;
}
const TClass& TColumnTitle::ClassType() const { return StaticClass(); }

const TClass& TColumn::StaticClass() {
  static const TClass cls = TClassBuilder<TColumn>("TColumn", &TCollectionItem::StaticClass())
                                .Prop("Alignment", &TColumn::Alignment, &TColumn::SetAlignment)
                                .Default(taLeftJustify)
                                .Prop("FieldName", &TColumn::FieldName, &TColumn::SetFieldName)
                                .Prop("Title", &TColumn::Title, &TColumn::SetTitle)
                                .Prop("Visible", &TColumn::Visible, &TColumn::SetVisible)
                                .Default(true)
                                .Prop("Width", &TColumn::Width, &TColumn::SetWidth)
                                .Default(64)
                                .Build();
  return cls;
}
const TClass& TColumn::ClassType() const { return StaticClass(); }

const TClass& TDBGridColumns::StaticClass() {
  static const TClass cls = TClassBuilder<TDBGridColumns>("TDBGridColumns", &TCollection::StaticClass()).Build();
  return cls;
}
const TClass& TDBGridColumns::ClassType() const { return StaticClass(); }

// ---- TCollectionItem ----

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  const int current = Index();
  if (current < 0 || Value < 0 || Value == current) return;
  auto& items = FCollection->FItems;
  Value = std::min(Value, static_cast<int>(items.size()) - 1);
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

std::string TCollectionItem::DisplayName() const { return ClassName(); }

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0)
    FCollection->Update(AllItems ? nullptr : this);
  else if (FCollection)
    FCollection->FChangedWhileUpdating = true;
}

void TCollectionItem::Assign(const TPersistent* Source) {
  if (Source && Source->InheritsFrom(ClassType())) {
    for (const TPropInfo* p : GetPropInfos(this)) {
      switch (p->Kind) {
        case tkClass: {
          // A component is a reference to share; anything else is a
          // sub-object of the item whose content is copied.
          if (p->PropClass && p->PropClass->InheritsFrom(TComponent::StaticClass())) {
            SetObjectProp(this, p, GetObjectProp(Source, p));
            break;
          }
          auto* dst = As<TPersistent>(GetObjectProp(this, p));
          auto* src = As<TPersistent>(GetObjectProp(Source, p));
          if (dst && src) dst->Assign(src);
          break;
        }
        case tkFloat:
          SetFloatProp(this, p, GetFloatProp(Source, p));
          break;
        case tkMethod:
          break;
        default:
          if (p->GetStr && !p->GetOrd)
            SetStrProp(this, p, GetStrProp(Source, p));
          else
            SetOrdProp(this, p, GetOrdProp(Source, p));
      }
    }
    return;
  }
  TPersistent::Assign(Source);
}

// ---- TCollection ----

TCollection::TCollection(TPersistent* Owner, const TClass& ItemClass, TItemFactory Make)
    : FOwner(Owner), FItemClass(&ItemClass), FMake(std::move(Make)) {}

TCollection::~TCollection() {
  FOnUpdate = nullptr;
  FUpdateCount = 1;  // no updates while tearing down
  while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FItems[static_cast<std::size_t>(Index)];
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FMake(this);
  if (item->FCollection != this) item->SetCollection(this);
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  BeginUpdate();
  TCollectionItem* item = nullptr;
  try {
    item = Add();
    item->SetIndex(Index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) delete FItems.back();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::Assign(const TPersistent* Source) {
  if (const auto* src = As<TCollection>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      for (TCollectionItem* item : src->FItems) Add()->Assign(item);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
    FChangedWhileUpdating = false;
    Update(nullptr);
  }
}

void TCollection::Changed() {
  if (FUpdateCount == 0)
    Update(nullptr);
  else
    FChangedWhileUpdating = true;
}

void TCollection::Update(TCollectionItem* Item) {
  if (FOnUpdate) FOnUpdate(Item);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Notify(Item, cnAdded);
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) FItems.erase(it);
  Item->FCollection = nullptr;
  Changed();
}

// ---- columns ----

void TListColumn::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed(false);
}
void TListColumn::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed(false);
}
void TListColumn::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed(false);
}
void TListColumn::SetWidth(int Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Changed(false);
}
std::string TListColumn::DisplayName() const { return FCaption.empty() ? TCollectionItem::DisplayName() : FCaption; }

TPersistent* TColumnTitle::GetOwner() const { return FColumn; }

void TColumnTitle::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (FColumn) FColumn->TitleChanged();
}
void TColumnTitle::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  if (FColumn) FColumn->TitleChanged();
}
void TColumnTitle::Assign(const TPersistent* Source) {
  if (const auto* src = As<TColumnTitle>(Source)) {
    SetAlignment(src->FAlignment);
    SetCaption(src->FCaption);
    return;
  }
  TPersistent::Assign(Source);
}

TColumn::TColumn(TCollection* Collection) : TCollectionItem(nullptr), FTitle(new TColumnTitle(this)) {
  // Joined only now, so the collection never sees a column without a title.
  SetCollection(Collection);
}
TColumn::~TColumn() {
  SetCollection(nullptr);
  delete FTitle;
}
void TColumn::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed(false);
}
void TColumn::SetFieldName(const std::string& Value) {
  if (FFieldName == Value) return;
  FFieldName = Value;
  Changed(false);
}
void TColumn::SetTitle(TColumnTitle* Value) {
  if (Value) FTitle->Assign(Value);
}
void TColumn::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed(false);
}
void TColumn::SetWidth(int Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Changed(false);
}
std::string TColumn::DisplayName() const {
  if (!FTitle->Caption().empty()) return FTitle->Caption();
  return FFieldName.empty() ? TCollectionItem::DisplayName() : FFieldName;
}

}  // namespace host
