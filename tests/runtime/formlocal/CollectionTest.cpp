// Collections whose items do not all publish the named property: saving
// packs only the items that have it, so later entries move forward, while
// localizing gives entry i to item i and skips the items without it.
#include "FormLocalFixture.h"

#include "host/core/Collection.h"

using namespace ambit;
using namespace formlocal_test;

namespace {

class TTitledItem : public host::TCollectionItem {
  HOST_CLASS(TTitledItem)
public:
  using host::TCollectionItem::TCollectionItem;
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }

private:
  std::string FTitle;
};

class TPlainItem : public host::TCollectionItem {
  HOST_CLASS(TPlainItem)
public:
  using host::TCollectionItem::TCollectionItem;
  int Size() const { return FSize; }
  void SetSize(int Value) { FSize = Value; }

private:
  int FSize = 0;
};

// A component with a collection of mixed items.
class TMixedHolder : public host::TComponent {
  HOST_CLASS(TMixedHolder)
public:
  explicit TMixedHolder(host::TComponent* AOwner)
      : host::TComponent(AOwner),
        FEntries(std::make_unique<host::TCollection>(this, TTitledItem::StaticClass(),
                                                     host::TCollection::Factory<TTitledItem>())) {}
  host::TCollection* Entries() const { return FEntries.get(); }
  void SetEntries(const host::TCollection* Value) { FEntries->Assign(Value); }

private:
  std::unique_ptr<host::TCollection> FEntries;
};

}  // namespace

const host::TClass& TTitledItem::StaticClass() {
  static const host::TClass cls = host::TClassBuilder<TTitledItem>("TTitledItem", &host::TCollectionItem::StaticClass())
                                      .Prop("Title", &TTitledItem::Title, &TTitledItem::SetTitle)
                                      .Build();
  return cls;
}
const host::TClass& TTitledItem::ClassType() const { return StaticClass(); }

const host::TClass& TPlainItem::StaticClass() {
  static const host::TClass cls = host::TClassBuilder<TPlainItem>("TPlainItem", &host::TCollectionItem::StaticClass())
                                      .Prop("Size", &TPlainItem::Size, &TPlainItem::SetSize)
                                      .Build();
  return cls;
}
const host::TClass& TPlainItem::ClassType() const { return StaticClass(); }

const host::TClass& TMixedHolder::StaticClass() {
  static const host::TClass cls = host::TClassBuilder<TMixedHolder>("TMixedHolder", &host::TComponent::StaticClass())
                                      .Prop("Entries", &TMixedHolder::Entries, &TMixedHolder::SetEntries)
                                      .Build();
  return cls;
}
const host::TClass& TMixedHolder::ClassType() const { return StaticClass(); }

namespace {

struct MixedCollection : FormLocalTest {
  std::unique_ptr<host::TComponent> form = ReadForm("object Form1: TForm\nend\n");
  TMixedHolder* holder = nullptr;
  TAmFormLocalizer* loc = nullptr;
  MixedCollection() {
    holder = new TMixedHolder(form.get());
    holder->SetName("Holder");
    static_cast<TTitledItem*>(holder->Entries()->Add())->SetTitle("First");
    new TPlainItem(holder->Entries());
    static_cast<TTitledItem*>(holder->Entries()->Add())->SetTitle("Third one");
    loc = new TAmFormLocalizer(form.get());
    loc->PropNames()->Clear();
    loc->PropNames()->Add("Entries.Title");
  }
  std::string Title(int i) { return host::GetStrProp(holder->Entries()->Items(i), "Title"); }
};

}  // namespace

TEST_F(MixedCollection, SavingPacksTheItemsThatHaveTheProperty) {
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()), std::vector<std::string>{"Holder.Entries.Title=\"First,\"\"Third one\"\"\""});
}

TEST_F(MixedCollection, LocalizingGivesEntryIToItemIAndSkipsItemsWithoutIt) {
  loc->Originals()->Add("Holder.Entries.Title=\"Eins,Zwei,Drei,Vier\"");
  loc->LoadAllFromBuffer();
  EXPECT_EQ(Title(0), "Eins");
  EXPECT_EQ(Title(2), "Drei");
  // Items beyond the last entry keep their text; empty ones are left alone.
  host::SetStrProp(holder->Entries()->Items(0), "Title", "");
  loc->Originals()->Add("Holder.Entries.Title=\"One\"");
  loc->LoadAllFromBuffer();
  EXPECT_EQ(Title(0), "");
  EXPECT_EQ(Title(2), "Drei");
}
