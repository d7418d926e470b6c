// Tree and list views, status bars, page controls, database grids and
// image lists beyond what the peer tests cover.
#include <gtest/gtest.h>

#include <memory>

#include "FakePeer.h"
#include "host/controls/ComCtrlsAll.h"
#include "host/controls/Forms.h"
#include "host/core/CaseFold.h"

using namespace host;
using test::TFakeWidgetSet;

TEST(TreeViews, NodesAtAPointFollowTheExpandedRows) {
  TForm form(nullptr);
  auto* tree = new TTreeView(&form);
  tree->SetParent(&form);
  TTreeNode* a = tree->Items()->Add(nullptr, "a");
  TTreeNode* a1 = tree->Items()->AddChild(a, "a1");
  tree->Items()->AddChild(a1, "a1x");
  TTreeNode* b = tree->Items()->Add(nullptr, "b");
  EXPECT_EQ(tree->GetNodeAt(5, 1), a);
  EXPECT_EQ(tree->GetNodeAt(5, 17), b);  // a is collapsed
  EXPECT_EQ(tree->GetNodeAt(5, 40), nullptr);
  tree->FullExpand();
  EXPECT_TRUE(a1->Expanded());
  EXPECT_EQ(tree->GetNodeAt(5, 17), a1);
  EXPECT_EQ(tree->GetNodeAt(5, 33)->Text(), "a1x");
  EXPECT_EQ(tree->GetNodeAt(5, 49), b);
  tree->FullCollapse();
  EXPECT_FALSE(a->Expanded());
}

namespace {
std::string Texts(const TTreeNodes* Nodes) {
  std::string s;
  for (int i = 0; i < Nodes->Count(); ++i) s += (i ? " " : "") + Nodes->Item(i)->Text();
  return s;
}
}  // namespace

TEST(TreeViews, ASortedTreeKeepsEveryLevelInOrderAndThePeerShowsIt) {
  TFakeWidgetSet ws;
  TForm form(nullptr);
  form.SetName("Form");
  auto* tree = new TTreeView(&form);
  tree->SetName("Tree");
  tree->SetParent(&form);
  TTreeNode* b = tree->Items()->Add(nullptr, "b");
  tree->Items()->AddChild(b, "z");
  tree->Items()->AddChild(b, "Y");
  tree->Items()->Add(nullptr, "a");
  form.Show();
  ws.Log.Clear();
  tree->SetSortType(stText);
  EXPECT_EQ(Texts(tree->Items()), "a b Y z");
  EXPECT_EQ(ws.Log.Count("Tree:tree:Reset:*"), 1);
  // New and renamed nodes go to their place.
  tree->Items()->AddChild(b, "x");
  tree->Items()->Add(nullptr, "c");
  EXPECT_EQ(Texts(tree->Items()), "a b x Y z c");
  tree->Items()->Item(0)->SetText("d");
  EXPECT_EQ(Texts(tree->Items()), "b x Y z c d");
  // A comparison of the application's decides when there is one.
  tree->SetOnCompare([](TObject*, TTreeNode* A, TTreeNode* B, int, int& Compare) {
    Compare = CompareText(B->Text(), A->Text());
  });
  EXPECT_TRUE(tree->AlphaSort(false));
  EXPECT_EQ(Texts(tree->Items()), "d c b x Y z");
  EXPECT_TRUE(tree->AlphaSort());
  EXPECT_EQ(Texts(tree->Items()), "d c b z Y x");
}

TEST(TreeViews, InPlaceEditingCanBeRefusedOrAdjusted) {
  TForm form(nullptr);
  auto* tree = new TTreeView(&form);
  TTreeNode* node = tree->Items()->Add(nullptr, "old");
  tree->SetOnEditing([](TObject*, TTreeNode* n, bool& allow) { allow = n->Text() != "locked"; });
  tree->SetOnEdited([](TObject*, TTreeNode*, std::string& s) { s += "!"; });
  EXPECT_TRUE(tree->CanEdit(node));
  tree->UserEdited(node, "new");
  EXPECT_EQ(node->Text(), "new!");
  node->SetText("locked");
  EXPECT_FALSE(tree->CanEdit(node));
  tree->SetReadOnly(true);
  node->SetText("free");
  EXPECT_FALSE(tree->CanEdit(node));
}

TEST(TreeViews, SelectingByCodeAsksOnChangingAndReportsOnChange) {
  TForm form(nullptr);
  auto* tree = new TTreeView(&form);
  TTreeNode* a = tree->Items()->Add(nullptr, "a");
  TTreeNode* b = tree->Items()->Add(nullptr, "b");
  std::vector<std::string> seen;
  tree->SetOnChanging([&](TObject*, TTreeNode* n, bool& allow) { allow = n != b; });
  tree->SetOnChange([&](TObject*, TTreeNode* n) { seen.push_back(n ? n->Text() : "-"); });
  tree->SetSelected(a);
  tree->SetSelected(b);
  tree->SetSelected(a);
  EXPECT_EQ(tree->Selected(), a);
  EXPECT_EQ(seen, std::vector<std::string>{"a"});
  TTreeNodes other;
  EXPECT_NO_THROW(tree->SetSelected(other.Add(nullptr, "foreign")));
  EXPECT_EQ(tree->Selected(), a);
}

TEST(ListViews, SortingKeepsSelectionWithItsItemAndMultiSelectExtends) {
  TForm form(nullptr);
  auto* lv = new TListView(&form);
  lv->SetParent(&form);
  for (const char* text : {"delta", "Alpha", "charlie", "bravo"}) lv->Items()->Add()->SetCaption(text);
  lv->SetSelected(lv->Items()->Items(2));  // charlie
  lv->AlphaSort();
  EXPECT_EQ(lv->Items()->Items(0)->Caption(), "Alpha");
  EXPECT_EQ(lv->Selected()->Caption(), "charlie");
  EXPECT_EQ(lv->ItemIndex(), 2);
  lv->SetOnCompare([](TObject*, TListItem* a, TListItem* b, int, int& result) {
    result = static_cast<int>(b->Caption().size()) - static_cast<int>(a->Caption().size());
  });
  lv->AlphaSort();  // longest first, ties keep their order
  EXPECT_EQ(lv->Items()->Items(0)->Caption(), "charlie");
  lv->SetMultiSelect(true);
  lv->UserSelect(lv->Items()->Items(1), true);
  lv->UserSelect(lv->Items()->Items(2), true);
  EXPECT_EQ(lv->SelCount(), 3);
  lv->UserSelect(lv->Items()->Items(1), true);  // extending onto a selected item drops it
  EXPECT_EQ(lv->SelCount(), 2);
  lv->UserSelect(lv->Items()->Items(3));
  EXPECT_EQ(lv->SelCount(), 1);
}

TEST(ListViews, HeadlessHitTestsCountReportRows) {
  TForm form(nullptr);
  auto* lv = new TListView(&form);
  lv->SetViewStyle(vsReport);
  for (int i = 0; i < 3; ++i) lv->Items()->Add()->SetCaption("row" + std::to_string(i));
  EXPECT_EQ(lv->GetItemAt(5, 10), nullptr);  // the header
  EXPECT_EQ(lv->GetItemAt(5, 21)->Caption(), "row0");
  EXPECT_EQ(lv->GetItemAt(5, 20 + 17 * 2 + 1)->Caption(), "row2");
  EXPECT_EQ(lv->GetItemAt(5, 20 + 17 * 3 + 1), nullptr);
  lv->SetShowColumnHeaders(false);
  EXPECT_EQ(lv->GetItemAt(5, 1)->Caption(), "row0");
}

TEST(ListViews, ItemChangesFireOnChangeWithTheirKind) {
  TForm form(nullptr);
  auto* lv = new TListView(&form);
  TListItem* item = lv->Items()->Add();
  std::vector<int> kinds;
  lv->SetOnChange([&](TObject*, TListItem*, TItemChange change) { kinds.push_back(change); });
  item->SetCaption("x");
  item->SetImageIndex(2);
  item->SetStateIndex(1);
  item->SubItems()->Add("y");
  item->SetChecked(true);
  EXPECT_EQ(kinds, (std::vector<int>{ctText, ctImage, ctState, ctText, ctState}));
  int clicked = -1;
  lv->Columns()->Add()->SetCaption("Language");
  lv->SetOnColumnClick([&](TObject*, TListColumn* c) { clicked = c->Index(); });
  lv->UserColumnClick(0);
  EXPECT_EQ(clicked, 0);
  lv->SetColumnClick(false);
  clicked = -1;
  lv->UserColumnClick(0);
  EXPECT_EQ(clicked, -1);
}

TEST(StatusBars, PanelChangesReachThePeer) {
  TFakeWidgetSet ws;
  auto form = std::make_unique<TForm>(nullptr);
  auto* bar = new TStatusBar(form.get());
  bar->SetName("Status");
  bar->SetParent(form.get());
  form->Show();
  ws.Log.Clear();
  bar->Panels()->Add()->SetText("Ready");
  bar->Panels()->Items(0)->SetWidth(120);
  bar->SetSimplePanel(true);
  bar->SetSimpleText("Saving...");
  EXPECT_EQ(ws.Log.Count("Status:pcPanels"), 5);  // the new panel, its text, its width, the simple panel and text
  EXPECT_EQ(bar->Align(), alBottom);
  EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
}

TEST(PageControls, NextPagesSkipHiddenTabs) {
  TForm form(nullptr);
  auto* pages = new TPageControl(&form);
  pages->SetParent(&form);
  std::vector<TTabSheet*> sheets;
  for (int i = 0; i < 3; ++i) {
    sheets.push_back(new TTabSheet(&form));
    sheets.back()->SetPageControl(pages);
  }
  sheets[1]->SetTabVisible(false);
  EXPECT_EQ(pages->FindNextPage(sheets[0], true), sheets[2]);
  EXPECT_EQ(pages->FindNextPage(sheets[0], false), sheets[2]);
  EXPECT_EQ(sheets[2]->TabIndex(), 1);
  EXPECT_EQ(sheets[1]->TabIndex(), -1);
  sheets[2]->SetPageIndex(0);
  EXPECT_EQ(pages->Pages(0), sheets[2]);
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  // Sheets fill the page area.
  const TRect r = pages->DisplayRect();
  EXPECT_EQ(sheets[0]->BoundsRect(), r);
  pages->SetBounds(0, 0, 400, 300);
  EXPECT_EQ(sheets[0]->Width(), 392);
}

TEST(DBGrids, ColumnsTitlesAndClicks) {
  TForm form(nullptr);
  auto* grid = new TDBGrid(&form);
  TColumn* col = grid->Columns()->Add();
  col->SetFieldName("LANG");
  col->Title()->SetCaption("Language");
  grid->Columns()->Add()->SetFieldName("VALUE");
  TColumn* clicked = nullptr;
  grid->SetOnTitleClick([&](TObject*, TColumn* c) { clicked = c; });
  grid->UserTitleClick(0);
  EXPECT_EQ(clicked, col);
  int entered = 0;
  grid->SetOnColEnter([&](TObject*) { ++entered; });
  grid->UserCellClick(1);
  EXPECT_EQ(grid->SelectedIndex(), 1);
  EXPECT_EQ(entered, 1);
  grid->Columns()->Delete(1);
  EXPECT_EQ(grid->SelectedIndex(), 0);
  EXPECT_EQ(GetStrProp(GetObjectProp(grid->Columns()->Items(0), "Title"), "Caption"), "Language");
}

TEST(ImageLists, PicturesAreKeptByIndexAndANewSizeDropsThem) {
  TImageList images(nullptr);
  int changes = 0;
  images.SetOnChange([&](TObject*) { ++changes; });
  EXPECT_EQ(images.Add({1, 2, 3}), 0);
  EXPECT_EQ(images.Add({4}), 1);
  EXPECT_EQ(images.Count(), 2);
  EXPECT_EQ(images.Image(1), std::vector<std::uint8_t>{4});
  EXPECT_THROW(images.Image(2), EListError);
  images.SetWidth(24);
  EXPECT_EQ(images.Count(), 0);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(GetOrdProp(&images, "Width"), 24);
}

TEST(FormPosition, ScreenCenterPlacesTheFormOnFirstShow) {
  TForm form(nullptr);
  form.SetPosition(poScreenCenter);
  form.SetClientWidth(619);
  form.SetClientHeight(390);
  Screen()->SetSize(1920, 1080);
  form.Show();
  EXPECT_EQ(form.Left(), (1920 - 619) / 2);
  EXPECT_EQ(form.Top(), (1080 - 390) / 2);
  form.SetLeft(5);
  form.Hide();
  form.Show();
  EXPECT_EQ(form.Left(), 5);  // moved by the user: stays
}
