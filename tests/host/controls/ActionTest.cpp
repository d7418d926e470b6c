// Action links: clients take the action's values, follow its changes while
// they still show them, are not stored while linked, execute the action
// when clicked and drop the link when the action goes.
#include <gtest/gtest.h>

#include <memory>

#include "host/controls/ActnList.h"
#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/ToolBar.h"

using namespace host;

namespace {
struct ActionForm {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TActionList* List = new TActionList(Form.get());
  TAction* Save = new TAction(Form.get());
  TButton* Button = new TButton(Form.get());
  ActionForm() {
    Save->SetName("actSave");
    Save->SetActionList(List);
    Save->SetCaption("&Save");
    Save->SetHint("Save the file");
    Button->SetName("SaveButton");
    Button->SetParent(Form.get());
  }
};
}  // namespace

TEST(ActionLinks, ALinkedControlTakesTheActionsCaptionAndHint) {
  ActionForm f;
  f.Button->SetAction(f.Save);
  EXPECT_EQ(f.Button->Action(), f.Save);
  EXPECT_EQ(f.Button->Caption(), "&Save");
  EXPECT_EQ(f.Button->Hint(), "Save the file");
  EXPECT_FALSE(IsStoredProp(f.Button, "Caption"));
  EXPECT_FALSE(IsStoredProp(f.Button, "Hint"));
  EXPECT_TRUE(IsStoredProp(f.Button, "Action"));
}

TEST(ActionLinks, LinkedValuesFollowTheActionsChanges) {
  ActionForm f;
  f.Button->SetAction(f.Save);
  f.Save->SetCaption("Sa&ve all");
  f.Save->SetHint("Save every file");
  f.Save->SetEnabled(false);
  f.Save->SetVisible(false);
  EXPECT_EQ(f.Button->Caption(), "Sa&ve all");
  EXPECT_EQ(f.Button->Hint(), "Save every file");
  EXPECT_FALSE(f.Button->Enabled());
  EXPECT_FALSE(f.Button->Visible());
  EXPECT_FALSE(IsStoredProp(f.Button, "Enabled"));
}

TEST(ActionLinks, AControlWithItsOwnCaptionKeepsItAndStoresIt) {
  ActionForm f;
  f.Button->SetAction(f.Save);
  f.Button->SetCaption("Store");
  EXPECT_TRUE(IsStoredProp(f.Button, "Caption"));
  f.Save->SetCaption("Changed");
  EXPECT_EQ(f.Button->Caption(), "Store");
  EXPECT_FALSE(IsStoredProp(f.Button, "Hint"));
}

TEST(ActionLinks, WhileLoadingOnlyMissingTextsAreFilledIn) {
  ActionForm f;
  f.Button->SetCaption("Stored caption");
  f.Save->SetLoading(true);
  f.Button->SetAction(f.Save);
  f.Save->SetLoading(false);
  EXPECT_EQ(f.Button->Caption(), "Stored caption");
  EXPECT_EQ(f.Button->Hint(), "Save the file");
}

TEST(ActionLinks, ClickingExecutesTheActionUnlessOnClickIsSet) {
  ActionForm f;
  int executed = 0;
  TComponent* by = nullptr;
  f.Save->SetOnExecute([&](TObject* Sender) {
    ++executed;
    by = static_cast<TBasicAction*>(Sender)->ActionComponent();
  });
  f.Button->SetAction(f.Save);
  f.Button->Click();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(by, f.Button);
  f.Save->SetEnabled(false);
  f.Button->Click();
  EXPECT_EQ(executed, 1);
  int clicked = 0;
  f.Save->SetEnabled(true);
  f.Button->SetOnClick([&](TObject*) { ++clicked; });
  f.Button->Click();
  EXPECT_EQ(clicked, 1);
  EXPECT_EQ(executed, 1);
}

TEST(ActionLinks, TheActionListSeesExecutionFirstAndMayHandleIt) {
  ActionForm f;
  int own = 0;
  std::vector<TBasicAction*> seen;
  f.Save->SetOnExecute([&](TObject*) { ++own; });
  f.List->SetOnExecute([&](TBasicAction* a, bool& handled) {
    seen.push_back(a);
    handled = seen.size() == 1;
  });
  f.Save->Execute();
  f.Save->Execute();
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(own, 1);
}

TEST(ActionLinks, FreeingTheActionDropsEveryLink) {
  ActionForm f;
  auto* menu = new TMainMenu(f.Form.get());
  auto* item = new TMenuItem(f.Form.get());
  menu->Items()->Add(item);
  item->SetAction(f.Save);
  f.Button->SetAction(f.Save);
  // A client owned elsewhere hears of it through the free notification.
  auto other = std::make_unique<TForm>(nullptr);
  auto* foreign = new TButton(other.get());
  foreign->SetAction(f.Save);
  delete f.Save;
  EXPECT_EQ(f.Button->Action(), nullptr);
  EXPECT_EQ(f.Button->ActionLink(), nullptr);
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(foreign->Action(), nullptr);
  EXPECT_EQ(f.Button->Caption(), "&Save");  // what it showed stays
  EXPECT_TRUE(IsStoredProp(f.Button, "Caption"));
  f.Button->Click();  // nothing to execute, nothing to crash
  EXPECT_EQ(f.List->ActionCount(), 0);
}

TEST(ActionLinks, FreeingTheActionListFreesItsActions) {
  ActionForm f;
  f.Button->SetAction(f.Save);
  delete f.List;
  EXPECT_EQ(f.Form->FindComponent("actSave"), nullptr);
  EXPECT_EQ(f.Button->Action(), nullptr);
}

TEST(ActionLinks, MenuItemsLinkCheckedAndShortCutToo) {
  ActionForm f;
  auto* menu = new TPopupMenu(f.Form.get());
  auto* item = new TMenuItem(f.Form.get());
  menu->Items()->Add(item);
  f.Save->SetShortCut(ShortCut('S', {ssCtrl}));
  item->SetAction(f.Save);
  EXPECT_EQ(item->Caption(), "&Save");
  EXPECT_EQ(ShortCutToText(item->ShortCut()), "Ctrl+S");
  f.Save->SetChecked(true);
  EXPECT_TRUE(item->Checked());
  EXPECT_FALSE(IsStoredProp(item, "Checked"));
  EXPECT_FALSE(IsStoredProp(item, "ShortCut"));
  int executed = 0;
  f.Save->SetOnExecute([&](TObject*) { ++executed; });
  item->Click();
  EXPECT_EQ(executed, 1);
}

TEST(ActionLinks, ToolButtonsLinkDownAndImageIndex) {
  ActionForm f;
  auto* bar = new TToolBar(f.Form.get());
  bar->SetParent(f.Form.get());
  auto* tb = new TToolButton(f.Form.get());
  tb->SetParent(bar);
  tb->SetStyle(tbsCheck);
  f.Save->SetImageIndex(3);
  tb->SetAction(f.Save);
  EXPECT_EQ(tb->ImageIndex(), 3);
  f.Save->SetChecked(true);
  EXPECT_TRUE(tb->Down());
  f.Save->SetImageIndex(4);
  EXPECT_EQ(tb->ImageIndex(), 4);
  EXPECT_FALSE(IsStoredProp(tb, "ImageIndex"));
}

TEST(ActionLinks, GroupedActionsCheckOneAtATime) {
  ActionForm f;
  auto* other = new TAction(f.Form.get());
  other->SetActionList(f.List);
  f.Save->SetGroupIndex(1);
  other->SetGroupIndex(1);
  f.Save->SetChecked(true);
  other->SetChecked(true);
  EXPECT_FALSE(f.Save->Checked());
  other->SetAutoCheck(true);
  f.Save->SetAutoCheck(true);
  f.Save->Execute();
  EXPECT_TRUE(f.Save->Checked());
  EXPECT_FALSE(other->Checked());
}

TEST(ShortCuts, TextAndValuesRoundTrip) {
  EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl, ssShift})), "Shift+Ctrl+S");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_F2, {})), "F2");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {ssAlt})), "Alt+Del");
  EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', {ssCtrl}));
  EXPECT_EQ(TextToShortCut("Shift+Ctrl+F12"), ShortCut(VK_F1 + 11, {ssShift, ssCtrl}));
  EXPECT_EQ(TextToShortCut("Hyper+Q"), scNone);
  EXPECT_EQ(ShortCutToText(scNone), "");
}
