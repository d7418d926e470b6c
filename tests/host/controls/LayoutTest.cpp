// Alignment, anchors, constraints and splitters, laid out by the models so
// that every widgetset shows the same bounds.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "host/controls/Buttons.h"
#include "host/controls/ComCtrlsAll.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "tests/host/controls/FakePeer.h"

using namespace host;

namespace {
template <class T>
T* Put(TForm& form, TWinControl* parent, TAlign align, int w, int h) {
  auto* c = new T(&form);
  c->SetBounds(0, 0, w, h);
  c->SetParent(parent);
  c->SetAlign(align);
  return c;
}
}  // namespace

TEST(Alignment, TopBottomLeftRightThenClientShareTheClientArea) {
  TForm form(nullptr);
  form.SetClientWidth(400);
  form.SetClientHeight(300);
  auto* top = Put<TPanel>(form, &form, alTop, 10, 30);
  auto* bottom = Put<TStatusBar>(form, &form, alBottom, 10, 20);
  auto* left = Put<TTreeView>(form, &form, alLeft, 170, 10);
  auto* client = Put<TListView>(form, &form, alClient, 10, 10);
  auto* right = Put<TPanel>(form, &form, alRight, 50, 10);
  EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 400, 30}));
  EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 280, 400, 300}));
  EXPECT_EQ(left->BoundsRect(), (TRect{0, 30, 170, 280}));
  EXPECT_EQ(right->BoundsRect(), (TRect{350, 30, 400, 280}));
  EXPECT_EQ(client->BoundsRect(), (TRect{170, 30, 350, 280}));
  form.SetClientWidth(500);
  EXPECT_EQ(client->BoundsRect(), (TRect{170, 30, 450, 280}));
  right->SetVisible(false);
  EXPECT_EQ(client->Width(), 330);
}

TEST(Alignment, AlignedControlsStackInTheOrderOfTheirPositions) {
  TForm form(nullptr);
  auto* a = Put<TPanel>(form, &form, alTop, 10, 20);
  auto* b = Put<TPanel>(form, &form, alTop, 10, 30);
  EXPECT_EQ(a->Top(), 0);
  EXPECT_EQ(b->Top(), 20);
  b->SetTop(-1);  // moved above: goes first
  EXPECT_EQ(b->Top(), 0);
  EXPECT_EQ(a->Top(), 30);
  a->SetHeight(40);
  EXPECT_EQ(a->BoundsRect(), (TRect{0, 30, 320, 70}));
}

TEST(Anchors, RightAndBottomAnchorsFollowTheParentsSize) {
  TForm form(nullptr);
  form.SetClientWidth(300);
  form.SetClientHeight(200);
  auto* ok = new TButton(&form);
  ok->SetParent(&form);
  ok->SetBounds(200, 160, 75, 25);
  ok->SetAnchors({akRight, akBottom});
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 10, 280, 21);
  edit->SetAnchors({akLeft, akTop, akRight});
  form.SetClientWidth(400);
  form.SetClientHeight(250);
  EXPECT_EQ(ok->BoundsRect(), (TRect{300, 210, 375, 235}));
  EXPECT_EQ(edit->BoundsRect(), (TRect{10, 10, 390, 31}));
}

TEST(Constraints, SizesStayWithinTheLimits) {
  TForm form(nullptr);
  form.Constraints()->SetMinWidth(500);
  form.Constraints()->SetMinHeight(350);
  EXPECT_EQ(form.Width(), 500);
  form.SetBounds(0, 0, 100, 100);
  EXPECT_EQ(form.Width(), 500);
  EXPECT_EQ(form.Height(), 350);
  form.UserSetBounds(0, 0, 450, 600);
  EXPECT_EQ(form.Width(), 500);
  EXPECT_EQ(form.Height(), 600);
}

TEST(Splitters, DraggingResizesTheControlBeforeIt) {
  TForm form(nullptr);
  form.SetClientWidth(600);
  auto* tree = Put<TTreeView>(form, &form, alLeft, 170, 10);
  auto* splitter = Put<TSplitter>(form, &form, alLeft, 3, 10);
  splitter->SetLeft(170);
  auto* grid = Put<TListView>(form, &form, alClient, 10, 10);
  ASSERT_EQ(splitter->Left(), 170);
  EXPECT_EQ(splitter->ResizeControl(), tree);
  int moved = 0;
  splitter->SetOnMoved([&](TObject*) { ++moved; });
  EXPECT_TRUE(splitter->UserDrag(30));
  EXPECT_EQ(tree->Width(), 200);
  EXPECT_EQ(splitter->Left(), 200);
  EXPECT_EQ(grid->Left(), 203);
  EXPECT_EQ(moved, 1);
  EXPECT_TRUE(splitter->UserDrag(-1000));
  EXPECT_EQ(tree->Width(), splitter->MinSize());
  splitter->SetOnCanResize([](TObject*, int& size, bool&) { size = 123; });
  splitter->UserDrag(5);
  EXPECT_EQ(tree->Width(), 123);
  splitter->SetOnCanResize([](TObject*, int&, bool& accept) { accept = false; });
  EXPECT_FALSE(splitter->UserDrag(5));
}

TEST(ToolBars, ButtonsAreLaidOutInARow) {
  TForm form(nullptr);
  auto* bar = new TToolBar(&form);
  bar->SetParent(&form);
  bar->SetButtonWidth(28);
  bar->SetButtonHeight(25);
  std::vector<TToolButton*> buttons;
  for (TToolButtonStyle style : {tbsButton, tbsButton, tbsSeparator, tbsDropDown}) {
    auto* b = new TToolButton(&form);
    b->SetParent(bar);
    b->SetStyle(style);
    buttons.push_back(b);
  }
  EXPECT_EQ(bar->Align(), alTop);
  EXPECT_EQ(bar->ButtonCount(), 4);
  EXPECT_EQ(buttons[1]->BoundsRect(), (TRect{28, 0, 56, 25}));
  EXPECT_EQ(buttons[2]->BoundsRect(), (TRect{56, 0, 64, 25}));
  EXPECT_EQ(buttons[3]->Left(), 64);
  EXPECT_EQ(buttons[3]->Index(), 3);
}

TEST(ToolBars, GroupedCheckButtonsReleaseEachOther) {
  TForm form(nullptr);
  auto* bar = new TToolBar(&form);
  bar->SetParent(&form);
  std::vector<TToolButton*> b;
  for (int i = 0; i < 3; ++i) {
    b.push_back(new TToolButton(&form));
    b.back()->SetParent(bar);
    b.back()->SetStyle(tbsCheck);
    b.back()->SetGrouped(true);
  }
  b[0]->Click();
  b[2]->Click();
  EXPECT_FALSE(b[0]->Down());
  EXPECT_TRUE(b[2]->Down());
  b[2]->Click();  // a grouped button does not release itself
  EXPECT_TRUE(b[2]->Down());
}

TEST(Alignment, BringingAControlToFrontMakesItLastOfItsSiblingsAndTellsItsWidget) {
  test::TFakeWidgetSet ws;
  TForm form(nullptr);
  form.SetName("Form");
  auto* first = Put<TPanel>(form, &form, alTop, 10, 30);
  auto* second = Put<TPanel>(form, &form, alTop, 10, 40);
  first->SetName("First");
  form.Show();
  first->BringToFront();
  EXPECT_EQ(form.Controls(1), first);
  EXPECT_EQ(form.Controls(0), second);
  // Aligned controls keep their places: their positions order them.
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(ws.Log.Count("First:front"), 1);
}

// A container skips the layout when it counts no aligned child, so the count
// must survive any mix of moves, alignment changes and frees: after random
// ones, each container lays out its children as a fresh one built in their
// final state does.
TEST(Alignment, AfterRandomChangesAContainerAlignsLikeAFreshOne) {
  const TAlign aligns[] = {alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom};
  std::mt19937 rng(17);
  const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 60; ++round) {
    TForm form(nullptr);
    TPanel* boxes[2] = {new TPanel(&form), new TPanel(&form)};
    std::vector<TControl*> kids;
    for (int op = 0; op < 40; ++op) {
      const int what = pick(5);
      if (what == 0 || kids.empty()) {
        kids.push_back(new TPanel(&form));
        kids.back()->SetAlign(aligns[pick(7)]);
        kids.back()->SetParent(boxes[pick(2)]);
      } else if (what == 1) {
        kids[pick(static_cast<int>(kids.size()))]->SetAlign(aligns[pick(7)]);
      } else if (what == 2) {
        kids[pick(static_cast<int>(kids.size()))]->SetParent(pick(3) == 0 ? nullptr : boxes[pick(2)]);
      } else if (what == 3) {
        kids[pick(static_cast<int>(kids.size()))]->SetVisible(pick(2) == 0);
      } else {
        const int k = pick(static_cast<int>(kids.size()));
        delete kids[k];
        kids.erase(kids.begin() + k);
      }
    }
    for (TPanel* box : boxes) {
      TPanel fresh(nullptr);
      fresh.SetBounds(0, 0, box->Width(), box->Height());
      fresh.DisableAlign();
      for (TControl* c : box->ControlList()) {
        auto* copy = new TPanel(&fresh);
        copy->SetAlign(c->Align());
        copy->SetVisible(c->Visible());
        copy->SetParent(&fresh);
        const int l = pick(50), t = pick(50), w = 1 + pick(40), h = 1 + pick(40);
        c->SetBoundsFromParent(l, t, w, h);
        copy->SetBoundsFromParent(l, t, w, h);
      }
      fresh.EnableAlign();
      fresh.AlignControls();
      box->AlignControls();
      ASSERT_EQ(fresh.ControlCount(), box->ControlCount());
      for (int i = 0; i < box->ControlCount(); ++i)
        ASSERT_EQ(fresh.Controls(i)->BoundsRect(), box->Controls(i)->BoundsRect()) << "round " << round << ", child " << i;
    }
  }
}

// Each class starts at its own size, set without SetBounds' notices; a
// container made so still anchors its children on a later resize.
TEST(Anchors, ControlsStartAtTheirClassSizeAndContainersFollowResizes) {
  TForm form(nullptr);
  const std::vector<std::pair<TControl*, TRect>> fresh = {
      {new TButton(&form), {0, 0, 75, 25}},   {new TLabel(&form), {0, 0, 65, 17}},
      {new TEdit(&form), {0, 0, 121, 21}},    {new TPanel(&form), {0, 0, 185, 41}},
      {new TGroupBox(&form), {0, 0, 185, 105}}, {new TMemo(&form), {0, 0, 185, 89}}};
  for (const auto& [control, bounds] : fresh) EXPECT_EQ(control->BoundsRect(), bounds) << control->ClassName();
  auto* panel = static_cast<TPanel*>(fresh[3].first);
  auto* ok = new TButton(&form);
  ok->SetParent(panel);
  ok->SetBounds(100, 10, 75, 25);
  ok->SetAnchors({akRight, akBottom});
  panel->SetBounds(0, 0, 285, 91);
  EXPECT_EQ(ok->BoundsRect(), (TRect{200, 60, 275, 85}));
}
