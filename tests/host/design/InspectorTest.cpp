// The object inspector with the host's own editors: every published
// property of the selection, in name order, with an editor fitting its kind.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/StdRegister.h"
#include "host/design/FormDesigner.h"
#include "host/design/ObjectInspector.h"
#include "tests/host/design/DesignTestClasses.h"

using namespace host;
using namespace designtest;

namespace {

class InspectorTest : public ::testing::Test {
protected:
  InspectorTest() {
    RegisterStandardControls();
    RegisterGadgets();
    Form->SetName("Form1");
    Gadget->SetName("Gadget1");
    Other->SetName("Gadget2");
    Designer.SelectComponent(Gadget);
    Inspector.SetDesigner(&Designer);
  }
  int Row(std::string_view Path) {
    const int row = Inspector.FindRow(Path);
    EXPECT_GE(row, 0) << Path;
    return row;
  }
  TTestPackage Package;
  TScriptedDialogs Dialogs;
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TGadget* Gadget = new TGadget(Form.get());
  TGadget* Other = new TGadget(Form.get());
  TFormDesigner Designer{Form.get()};
  TObjectInspector Inspector;
};

}  // namespace

TEST_F(InspectorTest, RowsAreThePublishedPropertiesInNameOrderWithoutEvents) {
  std::vector<std::string> names;
  for (int i = 0; i < Inspector.RowCount(); ++i) names.push_back(Inspector.Path(i));
  EXPECT_EQ(names, (std::vector<std::string>{"Active", "Buddy", "Count", "Font", "Kind", "Kinds", "Lines", "Name",
                                             "Summary", "Tag", "Title"}));
  EXPECT_TRUE(Inspector.ReadOnly(Row("Summary")));
  TObjectInspector events(pfEvents);
  events.SetDesigner(&Designer);
  ASSERT_EQ(events.RowCount(), 2);
  EXPECT_EQ(events.Path(0), "OnChange");
  EXPECT_TRUE(events.SetValue(0, "GadgetChanged"));
  EXPECT_EQ(events.Value(0), "GadgetChanged");
  EXPECT_FALSE(events.SetValue(0, "not a name"));
}

TEST_F(InspectorTest, NumbersAndNamesRefuseTextsTheyCannotTakeAndChangeNothing) {
  EXPECT_TRUE(Inspector.SetValue(Row("Count"), " 42 "));
  EXPECT_EQ(Gadget->Count(), 42);
  EXPECT_FALSE(Inspector.SetValue(Row("Count"), "4x2"));
  EXPECT_FALSE(Inspector.SetValue(Row("Count"), "99999999999"));
  EXPECT_EQ(Gadget->Count(), 42);
  ASSERT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_EQ(Dialogs.Messages()[0].Msg, "'4x2' is not a valid integer value");

  EXPECT_FALSE(Inspector.SetValue(Row("Name"), "Gadget2"));
  EXPECT_EQ(Gadget->Name(), "Gadget1");
  // A rename reaches the views that list the components, not only those
  // that show values.
  std::vector<TDesignChange> heard;
  const int id = Designer.Subscribe([&](TDesignChange C) { heard.push_back(C); });
  EXPECT_TRUE(Inspector.SetValue(Row("Name"), "Renamed"));
  Designer.Unsubscribe(id);
  EXPECT_EQ(Gadget->Name(), "Renamed");
  EXPECT_NE(std::find(heard.begin(), heard.end(), dcComponents), heard.end());
  EXPECT_TRUE(Designer.IsModified());
}

TEST_F(InspectorTest, EnumerationsBooleansAndSetsOfferTheirValues) {
  const int kind = Row("Kind");
  EXPECT_EQ(Inspector.GetValues(kind), (std::vector<std::string>{"gkLarge", "gkMedium", "gkSmall"}));
  EXPECT_TRUE(Inspector.SetValue(kind, "gkmedium"));
  EXPECT_EQ(Gadget->Kind(), gkMedium);
  EXPECT_FALSE(Inspector.SetValue(kind, "gkHuge"));
  EXPECT_EQ(Inspector.GetValues(Row("Active")), (std::vector<std::string>{"False", "True"}));
  // A double-click on a listed value steps to the next one.
  EXPECT_TRUE(Inspector.Edit(Row("Active")));
  EXPECT_TRUE(Gadget->Active());

  const int kinds = Row("Kinds");
  EXPECT_TRUE(Inspector.Expandable(kinds));
  EXPECT_TRUE(Inspector.ReadOnly(kinds));
  ASSERT_TRUE(Inspector.Expand(kinds));
  // Elements keep their declared order under the set.
  EXPECT_EQ(Inspector.Path(kinds + 1), "Kinds.gkSmall");
  EXPECT_EQ(Inspector.Path(kinds + 3), "Kinds.gkLarge");
  EXPECT_TRUE(Inspector.SetValue(Row("Kinds.gkLarge"), "True"));
  EXPECT_EQ(Gadget->Kinds(), (TGadgetKinds{gkLarge}));
  EXPECT_EQ(Inspector.Value(Row("Kinds")), "[gkLarge]");
  // Expanded rows stay expanded for the next selection.
  Designer.SelectComponent(Other);
  EXPECT_GE(Inspector.FindRow("Kinds.gkMedium"), 0);
  Inspector.Collapse(Row("Kinds"));
  EXPECT_EQ(Inspector.FindRow("Kinds.gkMedium"), -1);
}

TEST_F(InspectorTest, NestedObjectsExpandIntoTheirOwnProperties) {
  const int font = Row("Font");
  EXPECT_EQ(Inspector.Value(font), "(TFont)");
  ASSERT_TRUE(Inspector.Expand(font));
  EXPECT_EQ(Inspector.Level(Row("Font.Name")), 1);
  EXPECT_TRUE(Inspector.SetValue(Row("Font.Name"), "Courier New"));
  EXPECT_EQ(Gadget->Font()->Name(), "Courier New");
  ASSERT_TRUE(Inspector.Expand(Row("Font.Style")));
  EXPECT_TRUE(Inspector.SetValue(Row("Font.Style.fsBold"), "True"));
  EXPECT_TRUE(Gadget->Font()->Style().Contains(fsBold));
}

TEST_F(InspectorTest, ReferencesListFittingComponentsOfThisAndOtherOpenForms) {
  (new TGadgetStore(Form.get()))->SetName("Local");
  TForm data(nullptr);
  data.SetName("DataForm");
  auto* remote = new TGadgetStore(&data);
  remote->SetName("Remote");
  new TButton(&data);  // no store: not offered
  Designer.SetFormsProvider([&] { return std::vector<TComponent*>{Form.get(), &data}; });

  const int buddy = Row("Buddy");
  EXPECT_EQ(Inspector.GetValues(buddy), (std::vector<std::string>{"DataForm.Remote", "Local"}));
  EXPECT_TRUE(Inspector.SetValue(buddy, "DataForm.Remote"));
  EXPECT_EQ(Gadget->Buddy(), remote);
  EXPECT_EQ(Inspector.Value(buddy), "DataForm.Remote");
  EXPECT_FALSE(Inspector.SetValue(buddy, "Gadget2"));  // a gadget is no store
  EXPECT_TRUE(Inspector.SetValue(buddy, ""));
  EXPECT_EQ(Gadget->Buddy(), nullptr);
}

TEST_F(InspectorTest, StringListsAreEditedAsMultiLineTextInADialog) {
  Gadget->Lines()->Add("one");
  const int lines = Row("Lines");
  EXPECT_TRUE(Inspector.HasDialog(lines));
  EXPECT_FALSE(Inspector.Expandable(lines));
  Dialogs.DriveModal([](TCustomForm* F) {
    auto* memo = static_cast<TMemo*>(F->FindComponent("Memo"));
    auto* count = static_cast<TLabel*>(F->FindComponent("LineCount"));
    EXPECT_EQ(memo->Lines()->Text(), "one\r\n");
    EXPECT_EQ(count->Caption(), "1 line");
    memo->SetText("first\r\nsecond");
    EXPECT_EQ(count->Caption(), "2 lines");
    static_cast<TButton*>(F->FindComponent("OKButton"))->Click();
  });
  EXPECT_TRUE(Inspector.Edit(lines));
  EXPECT_EQ(Gadget->Lines()->Count(), 2);
  EXPECT_EQ(Gadget->Lines()->Get(1), "second");
  EXPECT_TRUE(Designer.IsModified());
  // Cancel keeps the lines.
  Designer.SetModified(false);
  Dialogs.DriveModal([](TCustomForm* F) { static_cast<TMemo*>(F->FindComponent("Memo"))->SetText("gone"); });
  Inspector.Edit(lines);
  EXPECT_EQ(Gadget->Lines()->Get(0), "first");
  EXPECT_FALSE(Designer.IsModified());
}

TEST_F(InspectorTest, SeveralSelectedComponentsShowTheirCommonPropertiesButNotName) {
  Gadget->SetCount(1);
  Other->SetCount(2);
  Designer.SetSelections({Gadget, Other});
  EXPECT_EQ(Inspector.FindRow("Name"), -1);
  const int count = Row("Count");
  EXPECT_EQ(Inspector.Value(count), "");
  EXPECT_TRUE(Inspector.SetValue(count, "7"));
  EXPECT_EQ(Gadget->Count(), 7);
  EXPECT_EQ(Other->Count(), 7);
  EXPECT_EQ(Inspector.Value(count), "7");
  // A component that goes leaves the selection and its rows.
  delete Other;
  EXPECT_EQ(Designer.GetSelections(), TDesignerSelections{Gadget});
  EXPECT_GE(Inspector.FindRow("Name"), 0);
}
