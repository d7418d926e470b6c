// Studio driven as a user drives it, offscreen, with the demo plug-in: the
// palette, the surface, the context menu, the inspector's value cell, the
// Tools menu and saving go through the real widgets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTreeWidgetItem>
#include <QWidget>
#include <algorithm>
#include <fstream>

#include "apps/studio/DesignSurface.h"
#include "apps/studio/InspectorView.h"
#include "apps/studio/PaletteBar.h"
#include "apps/studio/StructureTree.h"
#include "apps/studio/StudioWindow.h"
#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/ListControls.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/controls/StdCtrls.h"
#include "host/core/TypInfo.h"
#include "host/design/DesignEnvironment.h"
#include "host/stream/FormStream.h"
#include "host/qt/QtControlPeer.h"
#include "tests/apps/studio/support/StudioDriver.h"

using namespace host;
using ambit::studio::test::TStudioDriver;

namespace {

class StudioTest : public ::testing::Test {
protected:
  StudioTest() { Folder = Studio.OpenSampleCopy(); }
  TStudioDriver Studio{{PLUGIN_DESIGN_DEMO}};
  std::filesystem::path Folder;
};

std::string Str(TComponent* C, const char* Prop) { return GetStrProp(C, GetPropInfo(C, Prop)); }

std::string ReadText(const std::filesystem::path& File) {
  std::ifstream in(File, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST_F(StudioTest, APaletteClassDroppedOnTheFormLandsWhereClickedAndIsSelectedEverywhere) {
  TComponent* button = Studio.DropFromPalette("TButton", "MainForm", 296, 304);
  auto* control = As<TButton>(button);
  ASSERT_TRUE(control);
  EXPECT_EQ(control->Parent(), Studio.Find("MainForm"));
  EXPECT_EQ(control->Left(), 296);
  EXPECT_EQ(control->Top(), 304);
  // The new button has a widget of its own, and every view shows it selected.
  EXPECT_TRUE(qt::TQtControlPeer::WidgetOf(control));
  EXPECT_TRUE(Studio.Window().Tree()->ItemOf(button)->isSelected());
  EXPECT_EQ(Studio.ShownValue("MainForm.Button1", "Name"), "Button1");
  EXPECT_TRUE(Studio.Form("MainForm").IsModified());
  // The palette lets go of the class once it is placed.
  EXPECT_FALSE(Studio.Window().Palette()->Armed());

  // A component that is no control lands as an icon at the point.
  TComponent* greeter = Studio.DropFromPalette("TDemoGreeter", "MainForm", 320, 400);
  EXPECT_EQ(Studio.Form("MainForm").Designer()->IconRect(greeter).Left, 320);
  EXPECT_EQ(Studio.Form("MainForm").Designer()->ComponentAt(330, 410), greeter);
  // Choosing in the structure tree selects on the form.
  Studio.Window().Tree()->setCurrentItem(Studio.Window().Tree()->ItemOf(Studio.Find("MainForm.btnExit")));
  EXPECT_EQ(Studio.Form("MainForm").Designer()->Current(), Studio.Find("MainForm.btnExit"));
}

TEST_F(StudioTest, TheInspectorChangesPropertiesThroughValueListDialogAndTyping) {
  Studio.DropFromPalette("TDemoGreeter", "MainForm", 320, 400);
  // The drop-down asks the property editor; the hidden property is not shown.
  EXPECT_EQ(Studio.ValueList("MainForm.DemoGreeter1", "Greeting"),
            (std::vector<std::string>{"Hello", "Good morning", "Good evening"}));
  EXPECT_FALSE(Studio.Inspector().ItemOf("Secret"));
  Studio.ChooseValue("MainForm.DemoGreeter1", "Greeting", "Good evening");
  EXPECT_EQ(Str(Studio.Find("MainForm.DemoGreeter1"), "Greeting"), "Good evening");

  Studio.Dialogs().DriveModal([](TCustomForm* F) {
    static_cast<TEdit*>(F->FindComponent("AudienceEdit"))->SetText("friends");
    static_cast<TButton*>(F->FindComponent("OKButton"))->Click();
  });
  Studio.ClickEllipsis("MainForm.DemoGreeter1", "Audience");
  ASSERT_EQ(Studio.Dialogs().ModalForms().size(), 1u);
  EXPECT_EQ(Studio.Dialogs().ModalForms()[0].FormName, "AudienceDialog");
  EXPECT_EQ(Str(Studio.Find("MainForm.DemoGreeter1"), "Audience"), "friends");
  EXPECT_EQ(Studio.ShownValue("MainForm.DemoGreeter1", "Audience"), "friends");

  // Renaming through Name reaches the structure tree.
  Studio.TypeValue("MainForm.DemoGreeter1", "Name", "Greeter");
  TComponent* greeter = Studio.Find("MainForm.Greeter");
  EXPECT_EQ(Studio.Window().Tree()->ItemOf(greeter)->text(0).toStdString(), "Greeter: TDemoGreeter");
  // A text the property refuses is reported and the old value comes back.
  Studio.TypeValue("MainForm.btnOpen", "Left", "left");
  EXPECT_EQ(Studio.Dialogs().Messages().back().DlgType, mtError);
  EXPECT_EQ(Studio.ShownValue("MainForm.btnOpen", "Left"), std::to_string(As<TControl>(Studio.Find("MainForm.btnOpen"))->Left()));
}

TEST_F(StudioTest, NestedObjectsExpandAndStringListsAreEditedInTheirDialog) {
  // Font opens into rows of its own, which take typing like any other.
  Studio.Click("MainForm.lbColors");
  QTreeWidgetItem* font = Studio.Inspector().ItemOf("Font");
  ASSERT_TRUE(font);
  font->setExpanded(true);
  TStudioDriver::Flush();
  Studio.TypeValue("MainForm.lbColors", "Font.Size", "14");
  EXPECT_EQ(As<TControl>(Studio.Find("MainForm.lbColors"))->Font()->Size(), 14);

  // The list's lines in the multi-line dialog; a picture of it for a look.
  Studio.Dialogs().DriveModal([](TCustomForm* F) {
    TStudioDriver::SavePicture(F, std::string(AMBIT_RENDER_DIR) + "/studio/StringsEditor.png");
    static_cast<TMemo*>(F->FindComponent("Memo"))->Lines()->SetText("Cyan\r\nMagenta\r\n");
    static_cast<TButton*>(F->FindComponent("OKButton"))->Click();
  });
  Studio.ClickEllipsis("MainForm.lbColors", "Items");
  auto* list = As<TListBox>(Studio.Find("MainForm.lbColors"));
  ASSERT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->Items()->Strings(1), "Magenta");
  EXPECT_TRUE(Studio.Form("MainForm").IsModified());
}

TEST_F(StudioTest, TheContextMenuStartsWithTheVerbsAndADoubleClickRunsTheFirst) {
  Studio.DropFromPalette("TDemoGreeter", "MainForm", 320, 400);
  EXPECT_EQ(Studio.ContextMenu("MainForm.DemoGreeter1"),
            (std::vector<std::string>{"&Greet...", "&Reset Greeting", "-", "&Delete"}));
  Studio.ChooseValue("MainForm.DemoGreeter1", "Greeting", "Good morning");
  Studio.Form("MainForm").SaveToFile();
  Studio.PickVerb("MainForm.DemoGreeter1", "&Reset Greeting");
  EXPECT_EQ(Str(Studio.Find("MainForm.DemoGreeter1"), "Greeting"), "Hello");
  EXPECT_TRUE(Studio.Form("MainForm").IsModified());

  std::string shown;
  Studio.Dialogs().DriveModal([&](TCustomForm* F) {
    shown = static_cast<TLabel*>(F->FindComponent("MessageLabel"))->Caption();
  });
  Studio.DoubleClick("MainForm.DemoGreeter1");
  EXPECT_EQ(shown, "Hello, world!");
  // A control without an editor of its own offers Delete alone.
  EXPECT_EQ(Studio.ContextMenu("MainForm.btnOpen"), (std::vector<std::string>{"&Delete"}));
  Studio.PickVerb("MainForm.btnOpen", "&Delete");
  EXPECT_FALSE(Studio.Studio().Find("MainForm.btnOpen"));
}

TEST_F(StudioTest, TheWizardRunsFromTheToolsMenuAndListsTheProjectForms) {
  Studio.RunToolsItem("&List Project Forms...");
  ASSERT_FALSE(Studio.Dialogs().Messages().empty());
  const std::string listed = Studio.Dialogs().Messages().back().Msg;
  EXPECT_NE(listed.find("MainForm ("), std::string::npos) << listed;
  EXPECT_NE(listed.find("ContactsForm ("), std::string::npos) << listed;
  EXPECT_NE(listed.find("AboutBox ("), std::string::npos) << listed;
}

TEST_F(StudioTest, SavedFormsReadBackWithWhatWasDesigned) {
  Studio.DropFromPalette("TDemoGreeter", "AboutBox", 200, 260);
  Studio.ChooseValue("AboutBox.DemoGreeter1", "Greeting", "Good morning");
  Studio.Drag("AboutBox.btnOK", 16, -8);
  Studio.Drag("AboutBox.btnOK", 24, 0, 3);  // the right handle
  const auto* ok = As<TControl>(Studio.Find("AboutBox.btnOK"));
  const int left = ok->Left(), top = ok->Top(), width = ok->Width();
  Studio.RunMenuItem("&File", "&Save");
  EXPECT_FALSE(Studio.Form("AboutBox").IsModified());

  TReadOptions options;
  auto form = ReadComponentFile((Folder / "AboutBox.dfm").string(), options);
  auto* greeter = form->FindComponent("DemoGreeter1");
  ASSERT_TRUE(greeter);
  EXPECT_EQ(Str(greeter, "Greeting"), "Good morning");
  const auto* saved = As<TControl>(form->FindComponent("btnOK"));
  EXPECT_EQ(saved->Left(), left);
  EXPECT_EQ(saved->Top(), top);
  EXPECT_EQ(saved->Width(), width);

  // Save As writes the new file, which the project then lists.
  Studio.Dialogs().AnswerOpen((Folder / "About2.dfm").string());
  Studio.RunMenuItem("&File", "Save &As...");
  EXPECT_TRUE(std::filesystem::exists(Folder / "About2.dfm"));
  EXPECT_NE(ReadText(Folder / "Sample.amproj").find("AboutBox=About2.dfm"), std::string::npos);
}

TEST_F(StudioTest, ClosingAModifiedFormAsksAndCancelKeepsItOpen) {
  Studio.Drag("AboutBox.btnOK", 8, 8);
  Studio.Dialogs().AnswerMessage(mrCancel);
  Studio.RunMenuItem("&File", "&Close");
  EXPECT_TRUE(Studio.Studio().FormModule("AboutBox"));
  EXPECT_EQ(Studio.Window().Forms()->count(), 3);
  const std::string before = ReadText(Folder / "AboutBox.dfm");
  Studio.Dialogs().AnswerMessage(mrNo);
  Studio.RunMenuItem("&File", "&Close");
  EXPECT_FALSE(Studio.Studio().FormModule("AboutBox"));
  EXPECT_EQ(Studio.Window().Forms()->count(), 2);
  EXPECT_EQ(ReadText(Folder / "AboutBox.dfm"), before);
}

TEST_F(StudioTest, TheFormsOwnWidgetsTakeNoInputInDesignState) {
  auto* check = As<TCheckBox>(Studio.Find("AboutBox.chkCheckUpdates"));
  Studio.Surface("AboutBox");
  const bool checked = check->Checked();
  QWidget* widget = qt::TQtControlPeer::WidgetOf(check);
  ASSERT_TRUE(widget);
  // On the box itself, where a click always toggles it.
  const QPoint p(8, widget->height() / 2);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), QPointF(widget->mapToGlobal(p)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), QPointF(widget->mapToGlobal(p)), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
  TStudioDriver::Flush();
  EXPECT_EQ(check->Checked(), checked);
  EXPECT_FALSE(Studio.Form("AboutBox").IsModified());
  // A click on the surface selects it instead.
  Studio.Click("AboutBox.chkCheckUpdates");
  EXPECT_EQ(Studio.Form("AboutBox").Designer()->Current(), check);
}

TEST(StudioLifetime, PlugInsLeaveNothingBehindWhenStudioEnds) {
  {
    TStudioDriver studio({PLUGIN_DESIGN_DEMO});
    EXPECT_EQ(WizardCount(), 1);
    EXPECT_TRUE(studio.Window().Palette()->ButtonOf("TDemoGreeter"));
  }
  EXPECT_EQ(WizardCount(), 0);
  const auto pages = PalettePages();
  EXPECT_EQ(std::find(pages.begin(), pages.end(), "Demo"), pages.end());
}
