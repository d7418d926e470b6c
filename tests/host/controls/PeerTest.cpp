// Peers: showing a form creates a peer per control that receives the whole
// state, later changes arrive one by one, and the peer plays the user by
// calling the model, which fires the events without echoing the change.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "FakePeer.h"
#include "host/controls/Buttons.h"
#include "host/controls/ComCtrlsAll.h"
#include "host/controls/Forms.h"
#include "host/controls/Grids.h"
#include "host/controls/ListControls.h"
#include "host/controls/StdCtrls.h"

using namespace host;
using test::TFakeWidgetSet;

namespace {

struct Shown {
  TFakeWidgetSet WS;
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  Shown() { Form->SetName("MainForm"); }
  template <class T>
  T* Add(const std::string& name, TWinControl* parent = nullptr) {
    auto* c = new T(Form.get());
    c->SetName(name);
    if constexpr (std::is_base_of_v<TControl, T>) c->SetParent(parent ? parent : Form.get());
    return c;
  }
  ~Shown() { Form.reset(); }
  bool Has(const std::string& call) const { return WS.Log.Count(call) > 0; }
  std::size_t IndexOf(const std::string& call) const {
    auto it = std::find(WS.Log.Calls.begin(), WS.Log.Calls.end(), call);
    return static_cast<std::size_t>(it - WS.Log.Calls.begin());
  }
};

}  // namespace

TEST(Peers, WithoutAWidgetSetEverythingWorksHeadless) {
  TForm form(nullptr);
  auto* b = new TButton(&form);
  b->SetParent(&form);
  form.Show();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(b->Peer(), nullptr);
  b->SetCaption("x");
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  b->Click();
  EXPECT_EQ(clicks, 1);
}

TEST(Peers, ShowingAFormPushesTheWholeStateParentsFirst) {
  Shown s;
  s.Form->SetName("MainForm");
  auto* panel = s.Add<TPanel>("Panel1");
  auto* edit = s.Add<TEdit>("Edit1", panel);
  edit->SetText("hello");
  EXPECT_EQ(edit->Peer(), nullptr);  // nothing before the form is shown
  s.Form->Show();
  ASSERT_NE(edit->Peer(), nullptr);
  EXPECT_LT(s.IndexOf("MainForm:created"), s.IndexOf("Panel1:created"));
  EXPECT_LT(s.IndexOf("Panel1:created"), s.IndexOf("Edit1:created"));
  for (const char* aspect : {"pcBounds", "pcVisible", "pcEnabled", "pcText", "pcHint", "pcFont", "pcBiDiMode"})
    EXPECT_TRUE(s.Has(std::string("Edit1:") + aspect)) << aspect;
  EXPECT_TRUE(s.Has("Edit1:pc#" + std::to_string(pcReadOnly)));
  EXPECT_TRUE(s.Has("MainForm:pcMenu"));
  EXPECT_EQ(TFakeWidgetSet::PeerOf(edit)->LastText, "hello");
}

TEST(Peers, EachLaterChangeIsReported) {
  Shown s;
  auto* label = s.Add<TLabel>("Label1");
  s.Form->Show();
  s.WS.Log.Clear();
  label->SetCaption("New");
  label->SetHint("tip");
  label->SetBounds(1, 2, 30, 40);
  label->SetEnabled(false);
  s.Form->Font()->SetCharset(HEBREW_CHARSET);
  s.Form->SetBiDiMode(bdRightToLeft);
  label->SetCaption("New");  // no change, no call
  EXPECT_EQ(s.WS.Log.Count("Label1:pcText"), 1);
  EXPECT_EQ(s.WS.Log.Count("Label1:pcHint"), 1);
  EXPECT_EQ(s.WS.Log.Count("Label1:pcBounds"), 1);
  EXPECT_EQ(s.WS.Log.Count("Label1:pcEnabled"), 1);
  EXPECT_EQ(s.WS.Log.Count("Label1:pcFont"), 1);  // followed the form
  EXPECT_EQ(s.WS.Log.Count("Label1:pcBiDiMode"), 1);
}

TEST(Peers, ControlsAddedToAShownFormGetPeersAndRemovedOnesLoseThem) {
  Shown s;
  s.Form->Show();
  auto* b = s.Add<TButton>("Late");
  EXPECT_NE(b->Peer(), nullptr);
  b->SetParent(nullptr);
  EXPECT_EQ(b->Peer(), nullptr);
  EXPECT_TRUE(s.Has("Late:destroyed"));
  delete b;
}

TEST(Peers, UserEditsFireEventsWithoutEchoing) {
  Shown s;
  auto* edit = s.Add<TEdit>("Edit1");
  std::vector<std::string> changes;
  edit->SetOnChange([&](TObject*) { changes.push_back(edit->Text()); });
  s.Form->Show();
  s.WS.Log.Clear();
  edit->UserSetText("typed");
  EXPECT_EQ(edit->Text(), "typed");
  EXPECT_EQ(changes, std::vector<std::string>{"typed"});
  EXPECT_EQ(s.WS.Log.Count("Edit1:pcText"), 0);
  edit->SetText("by code");
  EXPECT_EQ(s.WS.Log.Count("Edit1:pcText"), 1);
  EXPECT_EQ(changes.size(), 2u);
  // A handler that changes the text the user typed reaches the peer.
  edit->SetOnChange([&](TObject*) {
    if (edit->Text() == "lower") edit->SetText("LOWER");
  });
  edit->UserSetText("lower");
  EXPECT_EQ(TFakeWidgetSet::PeerOf(edit)->LastText, "LOWER");
}

TEST(Peers, MemoLinesAndUserTextStayInStep) {
  Shown s;
  auto* memo = s.Add<TMemo>("Memo1");
  int changes = 0;
  memo->SetOnChange([&](TObject*) { ++changes; });
  s.Form->Show();
  s.WS.Log.Clear();
  memo->UserSetText("a\r\nb");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Get(1), "b");
  EXPECT_EQ(s.WS.Log.Count("Memo1:pcText"), 0);
  memo->Lines()->Add("c");
  EXPECT_EQ(memo->Text(), "a\r\nb\r\nc");
  EXPECT_EQ(s.WS.Log.Count("Memo1:pcText"), 1);
  EXPECT_EQ(changes, 2);
}

TEST(Peers, CheckBoxesListsAndCombosReportTheUsersChoice) {
  Shown s;
  auto* check = s.Add<TCheckBox>("Check1");
  auto* list = s.Add<TCheckListBox>("List1");
  auto* combo = s.Add<TComboBox>("Combo1");
  list->Items()->SetCommaText("a,b,c");
  combo->Items()->SetCommaText("red,green");
  int clicks = 0, checks = 0, selects = 0;
  check->SetOnClick([&](TObject*) { ++clicks; });
  list->SetOnClick([&](TObject*) { ++clicks; });
  list->SetOnClickCheck([&](TObject*) { ++checks; });
  combo->SetOnSelect([&](TObject*) { ++selects; });
  s.Form->Show();
  s.WS.Log.Clear();
  check->UserSetState(cbChecked);
  list->UserSetItemIndex(2);
  list->UserToggleCheck(1);
  combo->UserSelect(1);
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_TRUE(list->Checked(1));
  EXPECT_EQ(combo->Text(), "green");
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(s.WS.Log.Count("Check1:pcChecked"), 0);
  EXPECT_EQ(s.WS.Log.Count("List1:pcItemIndex"), 0);
  EXPECT_EQ(s.WS.Log.Count("List1:pcItemChecked"), 0);
  list->Items()->Add("d");
  EXPECT_EQ(s.WS.Log.Count("List1:pcItems"), 1);
}

TEST(Peers, TreeNodesAreReportedOneByOneAndExpansionAsksTheModel) {
  Shown s;
  auto* tree = s.Add<TTreeView>("Tree");
  TTreeNode* root = tree->Items()->Add(nullptr, "root");
  tree->Items()->AddChild(root, "leaf");
  s.Form->Show();
  EXPECT_TRUE(s.Has("Tree:tree:Reset:*"));
  s.WS.Log.Clear();
  tree->Items()->AddChild(root, "second");
  root->SetText("Root");
  EXPECT_TRUE(s.Has("Tree:tree:Added:second"));
  EXPECT_TRUE(s.Has("Tree:tree:Changed:Root"));
  bool allow = false;
  std::vector<std::string> events;
  tree->SetOnExpanding([&](TObject*, TTreeNode* n, bool& a) {
    events.push_back("expanding " + n->Text());
    a = allow;
  });
  tree->SetOnExpanded([&](TObject*, TTreeNode* n) { events.push_back("expanded " + n->Text()); });
  EXPECT_FALSE(tree->UserExpand(root));
  EXPECT_FALSE(root->Expanded());
  allow = true;
  EXPECT_TRUE(tree->UserExpand(root));
  EXPECT_TRUE(root->Expanded());
  EXPECT_EQ(events, (std::vector<std::string>{"expanding Root", "expanding Root", "expanded Root"}));
  tree->SetOnChanging([](TObject*, TTreeNode* n, bool& a) { a = n->Text() != "leaf"; });
  EXPECT_FALSE(tree->UserSelect(root->Item(0)));
  EXPECT_TRUE(tree->UserSelect(root->Item(1)));
  EXPECT_EQ(tree->Selected(), root->Item(1));
}

TEST(Peers, ListViewItemsSelectionAndDragAndDrop) {
  Shown s;
  auto* lv = s.Add<TListView>("LV");
  lv->SetViewStyle(vsReport);
  lv->Columns()->Add()->SetCaption("Language");
  for (const char* text : {"Original", "English", "German"}) {
    TListItem* item = lv->Items()->Add();
    item->SetCaption(text);
    item->SubItems()->Add(std::string(text) + ".lng");
    item->SetImageIndex(0);
  }
  lv->Items()->Items(1)->SetStateIndex(1);
  s.Form->Show();
  EXPECT_TRUE(s.Has("LV:list:Reset:*"));
  EXPECT_TRUE(s.Has("LV:pcColumns"));
  s.WS.Log.Clear();
  lv->Items()->Add()->SetCaption("French");
  EXPECT_TRUE(s.Has("LV:list:Added:"));
  EXPECT_TRUE(s.Has("LV:list:Changed:French"));
  EXPECT_FALSE(s.Has("LV:list:Reset:*"));

  std::vector<std::string> selected;
  lv->SetOnSelectItem([&](TObject*, TListItem* item, bool on) { selected.push_back((on ? "+" : "-") + item->Caption()); });
  lv->UserSelect(lv->Items()->Items(2));
  lv->UserSelect(lv->Items()->Items(1));
  EXPECT_EQ(selected, (std::vector<std::string>{"+German", "-German", "+English"}));
  EXPECT_EQ(lv->ItemIndex(), 1);

  // Dragging row 3 onto row 1, as the language source editor does.
  lv->SetDragMode(dmAutomatic);
  TObject* dragged = nullptr;
  int droppedOn = -1;
  lv->SetOnDragOver([&](TObject* sender, TObject* source, int x, int y, TDragState, bool& accept) {
    TListItem* target = lv->GetItemAt(x, y);
    accept = source == sender && target && target->Index() > 0;
  });
  lv->SetOnDragDrop([&](TObject*, TObject* source, int x, int y) {
    dragged = source;
    droppedOn = lv->GetItemAt(x, y)->Index();
  });
  std::vector<std::string> ends;
  lv->SetOnEndDrag([&](TObject*, TObject* target, int, int) { ends.push_back(target ? "dropped" : "cancelled"); });
  lv->BeginDrag();
  EXPECT_TRUE(lv->Dragging());
  TFakeWidgetSet::PeerOf(lv)->HitItem = 0;
  EXPECT_FALSE(lv->DragOver(lv->DragObject(), 5, 25, dsDragMove));
  TFakeWidgetSet::PeerOf(lv)->HitItem = 1;
  EXPECT_TRUE(lv->DragOver(lv->DragObject(), 5, 42, dsDragMove));
  lv->DragDrop(lv->DragObject(), 5, 42);
  lv->EndDrag(lv, 5, 42);
  EXPECT_EQ(dragged, lv);
  EXPECT_EQ(droppedOn, 1);
  EXPECT_FALSE(lv->Dragging());
  EXPECT_EQ(ends, std::vector<std::string>{"dropped"});
}

TEST(Peers, ListViewCustomDrawLeavesItsColoursInTheCanvas) {
  TForm form(nullptr);
  auto* lv = new TListView(&form);
  lv->Items()->Add()->SetCaption("(none)");
  TListItem* english = lv->Items()->Add();
  english->SetCaption("English");
  english->SetData(&form);
  lv->SetOnCustomDrawItem([&](TObject*, TListItem* item, TCustomDrawState, bool&) {
    if (!item->Data()) lv->Canvas()->Font()->SetColor(0x808080);
  });
  EXPECT_TRUE(lv->CustomDrawItem(lv->Items()->Items(0), {}));
  EXPECT_EQ(lv->Canvas()->Font()->Color(), 0x808080);
  lv->CustomDrawItem(lv->Items()->Items(1), {});
  EXPECT_EQ(lv->Canvas()->Font()->Color(), lv->Font()->Color());
}

TEST(Peers, MenusAndToolButtonsReportClicksAndDropDowns) {
  Shown s;
  auto* menu = s.Add<TMainMenu>("MainMenu1");
  auto* file = s.Add<TMenuItem>("miFile");
  file->SetCaption("&File");
  menu->Items()->Add(file);
  auto* exit = s.Add<TMenuItem>("miExit");
  exit->SetCaption("E&xit");
  file->Add(exit);
  s.Form->SetMenu(menu);
  auto* popup = s.Add<TPopupMenu>("pmLanguages");
  auto* english = s.Add<TMenuItem>("miEnglish");
  english->SetCaption("English");
  english->SetRadioItem(true);
  english->SetAutoCheck(true);
  popup->Items()->Add(english);
  auto* bar = s.Add<TToolBar>("Bar");
  auto* tb = s.Add<TToolButton>("tbuActive", bar);
  tb->SetStyle(tbsDropDown);
  tb->SetDropdownMenu(popup);
  s.Form->Show();
  EXPECT_LT(s.IndexOf("MainMenu1:menu created"), s.IndexOf("MainForm:pcMenu") + 1);
  EXPECT_TRUE(s.Has("MainMenu1:menu:Reset:*"));
  s.WS.Log.Clear();
  exit->SetCaption("&Quit");
  EXPECT_TRUE(s.Has("MainMenu1:menu:Changed:&Quit"));
  int quits = 0;
  exit->SetOnClick([&](TObject*) { ++quits; });
  exit->Click();
  EXPECT_EQ(quits, 1);
  int popups = 0;
  popup->SetOnPopup([&](TObject*) { ++popups; });
  EXPECT_TRUE(tb->CheckMenuDropdown());
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(popup->PopupComponent(), tb);
  const TPoint below = tb->ClientToScreen({0, tb->Height()});
  EXPECT_TRUE(s.Has("pmLanguages:popup:" + std::to_string(below.X) + "," + std::to_string(below.Y)));
  english->Click();
  EXPECT_TRUE(english->Checked());
  english->Click();  // a checked radio item stays checked
  EXPECT_TRUE(english->Checked());
}

TEST(Peers, ContextMenusShowThePopupMenuOfTheNearestControl) {
  Shown s;
  auto* popup = s.Add<TPopupMenu>("pm");
  auto* panel = s.Add<TPanel>("Panel1");
  auto* label = s.Add<TLabel>("Label1", panel);
  panel->SetPopupMenu(popup);
  panel->SetBounds(10, 20, 100, 100);
  label->SetBounds(5, 5, 20, 20);
  s.Form->Show();
  EXPECT_TRUE(label->ContextPopup({1, 2}));
  EXPECT_EQ(popup->PopupComponent(), label);
  EXPECT_EQ(popup->PopupCount(), 1);
  label->SetOnContextPopup([](TObject*, TPoint, bool& handled) { handled = true; });
  EXPECT_TRUE(label->ContextPopup({1, 2}));
  EXPECT_EQ(popup->PopupCount(), 1);
}

TEST(Peers, PageControlsReportTheChosenPage) {
  Shown s;
  auto* pages = s.Add<TPageControl>("Pages");
  auto* one = s.Add<TTabSheet>("One", pages);
  auto* two = s.Add<TTabSheet>("Two", pages);
  std::vector<std::string> events;
  pages->SetOnChanging([&](TObject*, bool& allow) {
    events.push_back("changing");
    allow = pages->ActivePage() != one || !events.empty();
  });
  pages->SetOnChange([&](TObject*) { events.push_back("change"); });
  two->SetOnShow([&](TObject*) { events.push_back("show two"); });
  s.Form->Show();
  s.WS.Log.Clear();
  EXPECT_TRUE(pages->UserSelectPage(1));
  EXPECT_EQ(pages->ActivePage(), two);
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "show two", "change"}));
  EXPECT_EQ(s.WS.Log.Count("Pages:pcActivePage"), 0);
  pages->SetActivePage(one);
  EXPECT_EQ(s.WS.Log.Count("Pages:pcActivePage"), 1);
  delete one;
  EXPECT_EQ(pages->ActivePage(), two);
}

TEST(Peers, StringGridCellsAndEditing) {
  Shown s;
  auto* grid = s.Add<TStringGrid>("Grid");
  grid->SetOptions(grid->Options() + TGridOptions{goEditing});
  grid->SetCells(1, 1, "before");
  s.Form->Show();
  EXPECT_TRUE(s.Has("Grid:pcCells"));
  s.WS.Log.Clear();
  grid->SetCells(2, 1, "x");
  EXPECT_TRUE(s.Has("Grid:cell:2,1"));
  std::string asked, stored;
  grid->SetOnGetEditText([&](TObject*, int c, int r, std::string& v) {
    asked = std::to_string(c) + "," + std::to_string(r) + "=" + v;
    v = "[" + v + "]";
  });
  grid->SetOnSetEditText([&](TObject*, int c, int r, const std::string& v) { stored = grid->Cells(c, r) + "|" + v; });
  EXPECT_TRUE(grid->UserSelectCell(1, 1));
  grid->UserSetEditorMode(true);
  EXPECT_EQ(grid->GetEditText(1, 1), "[before]");
  EXPECT_EQ(asked, "1,1=before");
  grid->SetEditText(1, 1, "after");
  EXPECT_EQ(stored, "after|after");
  EXPECT_EQ(grid->Cells(1, 1), "after");
  EXPECT_EQ(s.WS.Log.Count("Grid:pcCurrentCell"), 0);
}

TEST(Peers, ClosingTheWindowAsksTheForm) {
  Shown s;
  bool allow = false;
  s.Form->SetOnCloseQuery([&](TObject*, bool& canClose) { canClose = allow; });
  s.Form->Show();
  s.Form->Close();  // the peer's close box
  EXPECT_TRUE(s.Form->Visible());
  allow = true;
  s.Form->Close();
  EXPECT_FALSE(s.Form->Visible());
}

TEST(Peers, DestroyingAShownFormDestroysThePeersChildrenFirst) {
  Shown s;
  s.Form->SetName("F");
  auto* panel = s.Add<TPanel>("P");
  s.Add<TButton>("B", panel);
  s.Form->Show();
  s.WS.Log.Clear();
  s.Form.reset();
  ASSERT_EQ(s.WS.Log.Calls.size(), 3u);
  EXPECT_EQ(s.WS.Log.Calls[0], "B:destroyed");
  EXPECT_EQ(s.WS.Log.Calls[1], "P:destroyed");
  EXPECT_EQ(s.WS.Log.Calls[2], "F:destroyed");
}
