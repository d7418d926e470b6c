// Menus: the item tree, radio groups, shortcuts through the form, the
// hotkey markers, and the speed buttons' groups.
#include <gtest/gtest.h>

#include <memory>

#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/ListControls.h"
#include "host/controls/Menus.h"

using namespace host;

namespace {
TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}
}  // namespace

TEST(MenuTree, ItemsCanBeFoundMovedAndRemoved) {
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  TMenuItem* file = Item(&form, menu->Items(), "&File");
  TMenuItem* open = Item(&form, file, "&Open...");
  TMenuItem* line = Item(&form, file, "-");
  TMenuItem* exit = Item(&form, file, "E&xit");
  EXPECT_EQ(menu->Items()->Find("file"), file);
  EXPECT_EQ(file->Find("Open..."), open);
  EXPECT_TRUE(line->IsLine());
  EXPECT_EQ(exit->MenuIndex(), 2);
  exit->SetMenuIndex(0);
  EXPECT_EQ(file->Items(0), exit);
  EXPECT_EQ(open->MenuIndex(), 1);
  file->Remove(open);
  EXPECT_EQ(open->Parent(), nullptr);
  EXPECT_EQ(file->Count(), 2);
  delete open;
  EXPECT_THROW(file->Items(5), EListError);
  delete file;  // frees its sub-items, which leave the form
  EXPECT_EQ(menu->Items()->Count(), 0);
  EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(MenuTree, RadioItemsOfAGroupCheckOneAtATime) {
  TForm form(nullptr);
  auto* popup = new TPopupMenu(&form);
  std::vector<TMenuItem*> langs;
  for (const char* name : {"Original", "English", "German"}) {
    TMenuItem* item = Item(&form, popup->Items(), name);
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    langs.push_back(item);
  }
  TMenuItem* other = Item(&form, popup->Items(), "Other group");
  other->SetRadioItem(true);
  other->SetChecked(true);
  langs[0]->SetChecked(true);
  langs[2]->SetChecked(true);
  EXPECT_FALSE(langs[0]->Checked());
  EXPECT_TRUE(langs[2]->Checked());
  EXPECT_TRUE(other->Checked());
}

TEST(MenuTree, ChangesReachTheMenusOnChange) {
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  std::vector<std::string> seen;
  menu->SetOnChange([&](TObject*, TMenuItem* source, bool rebuild) {
    seen.push_back((source ? source->Caption() : std::string("*")) + (rebuild ? " rebuild" : ""));
  });
  TMenuItem* file = Item(&form, menu->Items(), "File");
  Item(&form, file, "Close");
  file->SetEnabled(false);
  EXPECT_EQ(seen, (std::vector<std::string>{"File rebuild", "Close rebuild", "File"}));
}

TEST(MenuShortCuts, TheFormsMenuAnswersItsShortCutsAndDisabledItemsDoNot) {
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  form.SetMenu(menu);
  TMenuItem* file = Item(&form, menu->Items(), "&File");
  TMenuItem* save = Item(&form, file, "&Save");
  save->SetShortCut(TextToShortCut("Ctrl+S"));
  int saves = 0;
  save->SetOnClick([&](TObject*) { ++saves; });
  auto* edit = new TButton(&form);
  edit->SetParent(&form);
  TKey key = 'S';
  edit->KeyDown(key, {ssCtrl});
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(key, 0);
  save->SetEnabled(false);
  key = 'S';
  edit->KeyDown(key, {ssCtrl});
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(key, 'S');
  EXPECT_EQ(menu->FindItem(TextToShortCut("Ctrl+S")), save);
}

TEST(MenuShortCuts, HotkeyMarkersAreStripped) {
  EXPECT_EQ(StripHotkey("&File"), "File");
  EXPECT_EQ(StripHotkey("Save && Exit"), "Save & Exit");
  EXPECT_EQ(StripHotkey("E&xit"), "Exit");
  EXPECT_EQ(StripHotkey(""), "");
}

TEST(MenuShortCuts, AutoCheckItemsToggleBeforeTheirClickHandler) {
  TForm form(nullptr);
  auto* popup = new TPopupMenu(&form);
  TMenuItem* wrap = Item(&form, popup->Items(), "Word wrap");
  wrap->SetAutoCheck(true);
  bool seen = false;
  wrap->SetOnClick([&](TObject*) { seen = wrap->Checked(); });
  wrap->Click();
  EXPECT_TRUE(seen);
  wrap->Click();
  EXPECT_FALSE(wrap->Checked());
  wrap->SetEnabled(false);
  wrap->Click();
  EXPECT_FALSE(wrap->Checked());
}

TEST(PopupMenus, PopupFiresOnPopupAndWorksHeadless) {
  TForm form(nullptr);
  auto* popup = new TPopupMenu(&form);
  int popups = 0;
  popup->SetOnPopup([&](TObject*) { ++popups; });
  popup->Popup(10, 20);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(popup->PopupCount(), 1);
  EXPECT_EQ(popup->Peer(), nullptr);
}

TEST(SpeedButtons, AGroupKeepsOneButtonDown) {
  TForm form(nullptr);
  std::vector<TSpeedButton*> b;
  for (int i = 0; i < 3; ++i) {
    b.push_back(new TSpeedButton(&form));
    b.back()->SetParent(&form);
    b.back()->SetGroupIndex(1);
  }
  b[0]->Click();
  b[1]->Click();
  EXPECT_FALSE(b[0]->Down());
  EXPECT_TRUE(b[1]->Down());
  b[1]->Click();
  EXPECT_TRUE(b[1]->Down());  // not without AllowAllUp
  b[1]->SetAllowAllUp(true);
  b[1]->Click();
  EXPECT_FALSE(b[1]->Down());
  auto* lone = new TSpeedButton(&form);
  lone->SetDown(true);
  EXPECT_FALSE(lone->Down());  // an ungrouped button does not stay down
}

TEST(DesignTime, RenamingAControlCarriesACaptionThatEqualsItsName) {
  TForm form(nullptr);
  form.SetDesigning(true);
  auto* button = new TButton(&form);
  auto* list = new TListBox(&form);
  button->SetName("Button1");
  EXPECT_EQ(button->Caption(), "Button1");
  button->SetName("OKButton");
  EXPECT_EQ(button->Caption(), "OKButton");
  button->SetCaption("OK");
  button->SetName("AcceptButton");
  EXPECT_EQ(button->Caption(), "OK");
  list->SetName("List1");
  EXPECT_EQ(list->Text(), "");
  // At run time names never touch captions.
  TForm runtime(nullptr);
  auto* b2 = new TButton(&runtime);
  b2->SetName("Button2");
  EXPECT_EQ(b2->Caption(), "");
}
