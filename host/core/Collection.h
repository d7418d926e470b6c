// Collections: ordered lists of items with published properties, owned by a
// component (the columns of a list view or a database grid, for example).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/core/Events.h"
#include "host/core/Graphics.h"
#include "host/core/TypInfo.h"

namespace host {

class TCollection;

class TCollectionItem : public TPersistent {
  HOST_CLASS(TCollectionItem)
public:
  // Appends the item to Collection (when given).
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item into another collection (at its end), or out of any.
  void SetCollection(TCollection* Value);
  int Index() const;
  void SetIndex(int Value);
  int ID() const { return FID; }
  virtual std::string DisplayName() const;
  TPersistent* GetOwner() const override;
  // Copies the published, writable properties of an item of the same class
  // (or a descendant); anything else raises the cannot-assign error.
  void Assign(const TPersistent* Source) override;

protected:
  // Tells the collection that this item (or, with AllItems, every item) changed.
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
  HOST_CLASS(TCollection)
public:
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  template <class T>
  static TItemFactory Factory() {
    return [](TCollection* c) -> TCollectionItem* { return new T(c); };
  }

  // Items are of ItemClass, made by Make (which must pass the collection to
  // the item's constructor). Owner is the component the collection belongs to.
  TCollection(TPersistent* Owner, const TClass& ItemClass, TItemFactory Make);
  ~TCollection() override;

  const TClass& ItemClass() const { return *FItemClass; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises EListError for an index out of range.
  TCollectionItem* Items(int Index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const;
  // Assigns item by item from another collection (same item class).
  void Assign(const TPersistent* Source) override;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  TPersistent* GetOwner() const override { return FOwner; }

  // Called after a change (Item null: the whole collection), outside an
  // update bracket; EndUpdate reports a change made inside it once.
  const std::function<void(TCollectionItem*)>& OnUpdate() const { return FOnUpdate; }
  void SetOnUpdate(std::function<void(TCollectionItem*)> Value) { FOnUpdate = std::move(Value); }

protected:
  virtual void Update(TCollectionItem* Item);
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);

  TPersistent* FOwner;
  const TClass* FItemClass;
  TItemFactory FMake;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
  bool FChangedWhileUpdating = false;
  std::function<void(TCollectionItem*)> FOnUpdate;
};

// Typed access for collections of one item class.
template <class T>
class TOwnedCollection : public TCollection {
public:
  explicit TOwnedCollection(TPersistent* Owner) : TCollection(Owner, T::StaticClass(), Factory<T>()) {}
  T* Items(int Index) const { return static_cast<T*>(TCollection::Items(Index)); }
  T* Add() { return static_cast<T*>(TCollection::Add()); }
  T* Insert(int Index) { return static_cast<T*>(TCollection::Insert(Index)); }
};

// A column of a list view.
class TListColumn : public TCollectionItem {
  HOST_CLASS(TListColumn)
public:
  using TCollectionItem::TCollectionItem;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  std::string DisplayName() const override;

private:
  TAlignment FAlignment = taLeftJustify;
  std::string FCaption;
  int FImageIndex = -1;
  int FWidth = 50;
};

class TListColumns : public TOwnedCollection<TListColumn> {
  HOST_CLASS(TListColumns)
public:
  explicit TListColumns(TPersistent* Owner) : TOwnedCollection<TListColumn>(Owner) {}
};

// The title of a database grid column.
class TColumnTitle : public TPersistent {
  HOST_CLASS(TColumnTitle)
public:
  explicit TColumnTitle(class TColumn* Column) : FColumn(Column) {}
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TPersistent* GetOwner() const override;
  void Assign(const TPersistent* Source) override;

private:
  class TColumn* FColumn;
  TAlignment FAlignment = taLeftJustify;
  std::string FCaption;
};

// A column of a database grid.
class TColumn : public TCollectionItem {
  HOST_CLASS(TColumn)
public:
  explicit TColumn(TCollection* Collection);
  ~TColumn() override;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  const std::string& FieldName() const { return FFieldName; }
  void SetFieldName(const std::string& Value);
  TColumnTitle* Title() const { return FTitle; }
  void SetTitle(TColumnTitle* Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  std::string DisplayName() const override;
  void TitleChanged() { Changed(false); }

private:
  TAlignment FAlignment = taLeftJustify;
  std::string FFieldName;
  TColumnTitle* FTitle;
  bool FVisible = true;
  int FWidth = 64;
};

class TDBGridColumns : public TOwnedCollection<TColumn> {
  HOST_CLASS(TDBGridColumns)
public:
  explicit TDBGridColumns(TPersistent* Owner) : TOwnedCollection<TColumn>(Owner) {}
};

}  // namespace host
