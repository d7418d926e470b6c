// Collections: items with published properties in index order, list-view
// columns with Caption, database-grid columns with Title.Caption, and the
// update bracket.
#include <gtest/gtest.h>

#include "host/core/Collection.h"
#include "tests/host/core/TestClasses.h"

using namespace host;
using namespace hosttest;

namespace {
std::vector<std::string> Captions(const TListColumns& c) {
  std::vector<std::string> out;
  for (int i = 0; i < c.Count(); ++i) out.push_back(c.Items(i)->Caption());
  return out;
}
using V = std::vector<std::string>;
}  // namespace

TEST(Collection, ItemsInIndexOrder) {
  TListColumns cols(nullptr);
  cols.Add()->SetCaption("Name");
  cols.Add()->SetCaption("Size");
  cols.Insert(1)->SetCaption("Type");
  cols.Insert(0)->SetCaption("First");
  EXPECT_EQ(Captions(cols), (V{"First", "Name", "Type", "Size"}));
  for (int i = 0; i < cols.Count(); ++i) EXPECT_EQ(cols.Items(i)->Index(), i);
  EXPECT_EQ(cols.Items(0)->Collection(), &cols);
  EXPECT_THROW(cols.Items(4), EListError);
  EXPECT_THROW(cols.Items(-1), EListError);
}

TEST(Collection, SetIndexMovesAndClamps) {
  TListColumns cols(nullptr);
  for (const char* c : {"a", "b", "c", "d"}) cols.Add()->SetCaption(c);
  cols.Items(3)->SetIndex(0);
  EXPECT_EQ(Captions(cols), (V{"d", "a", "b", "c"}));
  cols.Items(0)->SetIndex(99);
  EXPECT_EQ(Captions(cols), (V{"a", "b", "c", "d"}));
  cols.Items(1)->SetIndex(-1);  // ignored
  EXPECT_EQ(Captions(cols), (V{"a", "b", "c", "d"}));
}

TEST(Collection, DeleteClearAndIds) {
  TListColumns cols(nullptr);
  auto* a = cols.Add();
  auto* b = cols.Add();
  auto* c = cols.Add();
  EXPECT_NE(a->ID(), b->ID());
  const int idB = b->ID(), idC = c->ID();
  cols.Delete(1);
  EXPECT_EQ(cols.Count(), 2);
  EXPECT_EQ(cols.FindItemID(idC), c);
  EXPECT_EQ(cols.FindItemID(idB), nullptr);
  EXPECT_EQ(cols.Add()->ID(), idC + 1);  // ids are never reused
  delete a;  // freeing an item leaves its collection
  EXPECT_EQ(cols.Count(), 2);
  EXPECT_EQ(cols.Items(0), c);
  cols.Clear();
  EXPECT_EQ(cols.Count(), 0);
  EXPECT_THROW(cols.Delete(0), EListError);
}

TEST(Collection, ItemsMoveBetweenCollections) {
  TListColumns a(nullptr), b(nullptr);
  auto* x = a.Add();
  x->SetCaption("x");
  b.Add()->SetCaption("y");
  x->SetCollection(&b);
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(Captions(b), (V{"y", "x"}));
  x->SetCollection(nullptr);
  EXPECT_EQ(b.Count(), 1);
  EXPECT_EQ(x->Index(), -1);
  delete x;
}

TEST(Collection, ItemPropertiesArePublished) {
  TListColumns cols(nullptr);
  auto* col = cols.Add();
  SetStrProp(col, "caption", "Name");
  SetOrdProp(col, "Width", 120);
  SetOrdProp(col, "Alignment", taCenter);
  EXPECT_EQ(col->Caption(), "Name");
  EXPECT_EQ(col->Width(), 120);
  EXPECT_EQ(col->Alignment(), taCenter);
  EXPECT_EQ(GetPropInfo(col, "Caption")->Kind, tkLString);
  EXPECT_TRUE(IsDefaultPropValue(col, GetPropInfo(col, "ImageIndex")));
  EXPECT_EQ(col->DisplayName(), "Name");
  EXPECT_EQ(cols.Add()->DisplayName(), "TListColumn");
}

TEST(Collection, GridColumnsHaveATitleWithCaption) {
  TDBGridColumns cols(nullptr);
  auto* col = cols.Add();
  col->SetFieldName("NAME");
  EXPECT_EQ(col->DisplayName(), "NAME");
  TObject* title = GetObjectProp(col, "Title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(GetPropInfo(col, "Title")->Kind, tkClass);
  SetStrProp(title, "Caption", "Full name");
  EXPECT_EQ(col->Title()->Caption(), "Full name");
  EXPECT_EQ(col->DisplayName(), "Full name");
  EXPECT_EQ(col->Title()->GetOwner(), col);
  EXPECT_EQ(col->GetOwner(), &cols);
}

TEST(Collection, AssignCopiesItemsAndTheirSubObjects) {
  TDBGridColumns a(nullptr), b(nullptr);
  auto* c = a.Add();
  c->SetFieldName("F");
  c->SetWidth(10);
  c->SetVisible(false);
  c->Title()->SetCaption("Title F");
  a.Add()->Title()->SetCaption("Second");
  b.Add()->Title()->SetCaption("old");
  b.Assign(&a);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(b.Items(0)->FieldName(), "F");
  EXPECT_EQ(b.Items(0)->Width(), 10);
  EXPECT_FALSE(b.Items(0)->Visible());
  EXPECT_EQ(b.Items(0)->Title()->Caption(), "Title F");
  EXPECT_NE(b.Items(0)->Title(), a.Items(0)->Title());
  EXPECT_EQ(b.Items(1)->Title()->Caption(), "Second");
}

TEST(Collection, AssignFromAnotherItemClassRaises) {
  TListColumns list(nullptr);
  list.Add()->SetCaption("c");
  TDBGridColumns grid(nullptr);
  grid.Add();
  EXPECT_THROW(grid.Assign(&list), EConvertError);
  TStringList notACollection;
  EXPECT_THROW(list.Assign(&notACollection), EConvertError);
  EXPECT_EQ(list.Items(0)->Caption(), "c");
}

namespace {
class TRefItem : public TCollectionItem {
  HOST_CLASS(TRefItem)
public:
  using TCollectionItem::TCollectionItem;
  TComponent* Target() const { return FTarget; }
  void SetTarget(TComponent* v) { FTarget = v; }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& v) { FText = v; }

private:
  TComponent* FTarget = nullptr;
  std::string FText;
};
const TClass& TRefItem::StaticClass() {
  static const TClass cls = TClassBuilder<TRefItem>("TRefItem", &TCollectionItem::StaticClass())
                                .Prop("Target", &TRefItem::Target, &TRefItem::SetTarget)
                                .Prop("Text", &TRefItem::Text, &TRefItem::SetText)
                                .Build();
  return cls;
}
const TClass& TRefItem::ClassType() const { return StaticClass(); }
}  // namespace

TEST(Collection, AssignSharesComponentReferences) {
  TComponent target(nullptr);
  TOwnedCollection<TRefItem> a(nullptr), b(nullptr);
  a.Add()->SetTarget(&target);
  a.Items(0)->SetText("t");
  b.Assign(&a);
  EXPECT_EQ(b.Items(0)->Target(), &target);
  EXPECT_EQ(b.Items(0)->Text(), "t");
}

TEST(Collection, UpdateBracketReportsOnce) {
  TListColumns cols(nullptr);
  std::vector<TCollectionItem*> updates;
  cols.SetOnUpdate([&](TCollectionItem* item) { updates.push_back(item); });
  auto* a = cols.Add();
  ASSERT_EQ(updates.size(), 1u);
  EXPECT_EQ(updates.back(), nullptr);
  a->SetCaption("x");
  ASSERT_EQ(updates.size(), 2u);
  EXPECT_EQ(updates.back(), a);  // one item changed
  cols.BeginUpdate();
  cols.BeginUpdate();
  a->SetCaption("y");
  cols.Add();
  cols.Delete(1);
  cols.EndUpdate();
  EXPECT_EQ(updates.size(), 2u);
  cols.EndUpdate();
  ASSERT_EQ(updates.size(), 3u);
  EXPECT_EQ(updates.back(), nullptr);
  cols.BeginUpdate();
  cols.EndUpdate();  // nothing changed: nothing reported
  EXPECT_EQ(updates.size(), 3u);
  a->SetCaption("y");  // no change
  EXPECT_EQ(updates.size(), 3u);
}

TEST(Collection, CaptionsByReflectionAcrossItems) {
  // What the localizer does with "Columns.Caption": the property of every
  // item in index order.
  TSample s(nullptr);
  for (const char* c : {"Name", "Size", ""}) s.Columns()->Add()->SetCaption(c);
  auto* cols = As<TCollection>(GetObjectProp(&s, "Columns"));
  ASSERT_NE(cols, nullptr);
  TStringList captions;
  for (int i = 0; i < cols->Count(); ++i) captions.Add(GetStrProp(cols->Items(i), "Caption"));
  EXPECT_EQ(captions.CommaText(), "Name,Size,");
  EXPECT_EQ(cols->GetOwner(), &s);
}
