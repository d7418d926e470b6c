// The sample project on the real controls: every form reads, writes and
// reads back to the same tree and values; structure and references as the
// files describe them.
#include <gtest/gtest.h>

#include "TreeDump.h"
#include "host/controls/ActnList.h"
#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/ListView.h"
#include "host/controls/Menus.h"
#include "host/controls/StdRegister.h"
#include "host/controls/TreeView.h"
#include "host/stream/EventNames.h"
#include "host/stream/FormProject.h"
#include "host/stream/FormStream.h"
#include "runtime/AmbitRegister.h"

using namespace host;

namespace {

class SampleForms : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterStandardControls();
    ambit::RegisterAmbitClasses();
    FProject = TFormProject::LoadFromFile(std::string(AMBIT_SOURCE_DIR) + "/examples/sample/Sample.amproj");
    FProject->LoadForms();
  }
  TComponent* Form(const char* name) { return FProject->FindForm(name); }
  template <class T>
  T* Find(const char* form, const char* name) {
    return dynamic_cast<T*>(Form(form)->FindComponent(name));
  }
  std::unique_ptr<TFormProject> FProject;
};

TEST_F(SampleForms, EveryFormRoundTripsToTheSameTreeAndValues) {
  ASSERT_EQ(FProject->Forms().size(), 3u);
  for (TComponent* form : FProject->Forms()) {
    SCOPED_TRACE(form->Name());
    const std::string text = WriteComponentText(*form);
    // The other forms stay loaded, so references into them resolve again.
    auto again = ReadComponentText(text, form->Name() + ".written.dfm");
    EXPECT_EQ(streamtest::DumpTree(*form), streamtest::DumpTree(*again));
    EXPECT_EQ(WriteComponentText(*again), text);
  }
}

TEST_F(SampleForms, MainFormHoldsNestedNodesColumnsItemsActionsAndMenus) {
  auto* tree = Find<TTreeView>("MainForm", "tvTopics");
  ASSERT_NE(tree, nullptr);
  TTreeNodes* nodes = tree->Items();
  EXPECT_EQ(nodes->RootCount(), 3);
  EXPECT_EQ(nodes->Item(0)->Text(), "Getting started");
  EXPECT_EQ(nodes->Item(3)->Text(), "Saving the document");
  EXPECT_EQ(nodes->Item(3)->Level(), 2);

  auto* list = Find<TListView>("MainForm", "lvFiles");
  ASSERT_EQ(list->Columns()->Count(), 3);
  EXPECT_EQ(list->Columns()->Items(2)->Caption(), "Last opened");
  ASSERT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->Items()->Items(1)->SubItems()->Get(0), "14 KB");

  auto* open = Find<TAction>("MainForm", "actOpen");
  auto* button = Find<TButton>("MainForm", "btnOpen");
  EXPECT_EQ(button->Action(), open);
  EXPECT_EQ(button->Caption(), "&Open...") << "a linked control shows its action's caption";
  EXPECT_EQ(open->ActionList(), Find<TActionList>("MainForm", "ActionList1"));
  EXPECT_EQ(GetEventHandlerName(open, "OnExecute"), "actOpenExecute");

  auto* menu = Find<TMainMenu>("MainForm", "MainMenu1");
  auto* file = Find<TMenuItem>("MainForm", "miFile");
  EXPECT_EQ(dynamic_cast<TCustomForm*>(Form("MainForm"))->Menu(), menu);
  EXPECT_EQ(file->Parent(), menu->Items());
  EXPECT_EQ(file->Count(), 4);
  EXPECT_EQ(Find<TMenuItem>("MainForm", "miExit")->Parent(), file);
  EXPECT_EQ(Find<TMenuItem>("MainForm", "miExit")->Owner(), Form("MainForm")) << "menu items belong to the form";
}

TEST_F(SampleForms, AFrameOwnsItsControlsAndATabSheetDoesNot) {
  TComponent* contacts = Form("ContactsForm");
  auto* frame = dynamic_cast<TFrame*>(contacts->FindComponent("AddressFrame1"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->FormClassName(), "TAddressFrame");
  EXPECT_EQ(frame->Owner(), contacts);
  EXPECT_EQ(frame->Parent(), contacts->FindComponent("tsAddress"));
  EXPECT_EQ(contacts->FindComponent("btnClear"), nullptr);
  auto* clear = dynamic_cast<TButton*>(frame->FindComponent("btnClear"));
  ASSERT_NE(clear, nullptr);
  EXPECT_EQ(clear->Owner(), frame);
  EXPECT_EQ(clear->Parent(), frame);
  // A tab sheet only shows its controls; the form owns them.
  auto* notes = dynamic_cast<TControl*>(contacts->FindComponent("memNotes"));
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(notes->Owner(), contacts);
  EXPECT_EQ(notes->Parent(), contacts->FindComponent("tsNotes"));
}

TEST_F(SampleForms, AFormRefersToAnActionOfAnotherForm) {
  auto* help = Find<TButton>("ContactsForm", "btnHelp");
  EXPECT_EQ(help->Action(), Find<TAction>("MainForm", "actAbout"));
  EXPECT_EQ(help->Caption(), "&About...");
  EXPECT_NE(WriteComponentText(*Form("ContactsForm")).find("Action = MainForm.actAbout"), std::string::npos);
}

TEST_F(SampleForms, NonAsciiTextsAndLineBreaks) {
  auto* check = Find<TCheckBox>("AboutBox", "chkCheckUpdates");
  EXPECT_EQ(check->Hint(), "Look for a newer version once a week\r\nNeeds a connection to the network");
  EXPECT_TRUE(check->Checked());
  const std::string text = WriteComponentText(*Form("AboutBox"));
  EXPECT_NE(text.find("'Copyright © the authors of the sample.'"), std::string::npos) << text;
}

}  // namespace
