// Component editors and property editors as the designer and the object
// inspector use them: verbs, double-clicks, the designer's Modified, and
// the attributes that decide how an inspector row behaves.
#include <gtest/gtest.h>

#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/controls/StdRegister.h"
#include "host/design/DesignEditors.h"
#include "host/design/FormDesigner.h"
#include "host/design/ObjectInspector.h"
#include "host/stream/EventNames.h"
#include "tests/host/design/DesignTestClasses.h"

using namespace host;
using namespace designtest;

namespace {

std::vector<std::string> Log;

class TGadgetEditor : public TComponentEditor {
public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 2; }
  std::string GetVerb(int Index) override { return Index == 0 ? "&Reset" : "&Grow"; }
  void ExecuteVerb(int Index) override {
    auto* g = static_cast<TGadget*>(Component());
    Log.push_back("verb " + std::to_string(Index));
    if (Index == 0) g->SetCount(0);
    if (Index == 1) g->SetCount(g->Count() + 1);
    Designer()->Modified();
  }
};

// A double-click on it does nothing: it chooses no property.
class TQuietEditor : public TDefaultEditor {
public:
  using TDefaultEditor::TDefaultEditor;

protected:
  void EditProperty(TPropertyEditor*, bool&) override {}
};

// Title from a list of names, asked again each time the list opens.
class TTitleProperty : public TStringProperty {
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() const override { return TStringProperty::GetAttributes() + TPropertyAttributes{paValueList}; }
  void GetValues(const TGetStrProc& Proc) const override {
    Log.push_back("values");
    const auto* g = static_cast<const TGadget*>(GetComponent(0));
    for (int i = 0; i <= g->Count(); ++i) Proc("Title" + std::to_string(i));
  }
};

// Count shown as words and set through a dialog; the text itself is read-only.
class TCountProperty : public TIntegerProperty {
public:
  using TIntegerProperty::TIntegerProperty;
  TPropertyAttributes GetAttributes() const override { return {paDialog, paReadOnly}; }
  std::string GetValue() const override { return std::to_string(GetOrdValue()) + " items"; }
  void Edit() override {
    Log.push_back("dialog");
    SetOrdValue(GetOrdValue() * 10);
  }
};

class EditorsTest : public ::testing::Test {
protected:
  EditorsTest() {
    Log.clear();
    RegisterStandardControls();
    RegisterGadgets();
    Form->SetName("Form1");
    Gadget->SetName("Gadget1");
    Other->SetName("Gadget2");
  }
  TTestPackage Package;
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TGadget* Gadget = new TGadget(Form.get());
  TSuperGadget* Other = new TSuperGadget(Form.get());
  TFormDesigner Designer{Form.get()};
};

}  // namespace

TEST_F(EditorsTest, VerbsAreCountedFromZeroAndADoubleClickRunsTheFirst) {
  RegisterComponentEditor<TGadgetEditor>(TGadget::StaticClass());
  Gadget->SetCount(5);
  EXPECT_EQ(Designer.GetVerbs(Gadget), (std::vector<std::string>{"&Reset", "&Grow"}));
  EXPECT_TRUE(Designer.ExecuteVerb(Gadget, 1));
  EXPECT_EQ(Gadget->Count(), 6);
  EXPECT_TRUE(Designer.EditComponent(Gadget));
  EXPECT_EQ(Gadget->Count(), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"verb 1", "verb 0"}));

  // The context menu starts with the verbs; choosing one runs it.
  TPopupMenu menu(nullptr);
  Designer.PopulateContextMenu(&menu, Gadget);
  ASSERT_GE(menu.Items()->Count(), 3);
  EXPECT_EQ(menu.Items()->Items(0)->Caption(), "&Reset");
  EXPECT_EQ(menu.Items()->Items(1)->Caption(), "&Grow");
  EXPECT_TRUE(menu.Items()->Items(2)->IsLine());
  menu.Items()->Items(1)->Click();
  EXPECT_EQ(Gadget->Count(), 1);
}

TEST_F(EditorsTest, TheDesignersModifiedMarksTheFormAndTellsItsViews) {
  RegisterComponentEditor<TGadgetEditor>(TGadget::StaticClass());
  std::vector<TDesignChange> heard;
  const int id = Designer.Subscribe([&](TDesignChange C) { heard.push_back(C); });
  EXPECT_FALSE(Designer.IsModified());
  Designer.ExecuteVerb(Gadget, 0);
  EXPECT_TRUE(Designer.IsModified());
  EXPECT_EQ(heard, std::vector<TDesignChange>{dcModified});
  Designer.Unsubscribe(id);
}

TEST_F(EditorsTest, TheDefaultEditorsDoubleClickNamesTheBestEventsHandler) {
  // OnChange comes before OnClick whatever their order.
  EXPECT_TRUE(Designer.EditComponent(Gadget));
  EXPECT_EQ(GetEventHandlerName(Gadget, "OnChange"), "Gadget1Change");
  EXPECT_EQ(GetEventHandlerName(Gadget, "OnClick"), "");
  EXPECT_TRUE(Designer.IsModified());
  // The form's own handlers are named after "Form".
  Designer.EditComponent(Form.get());
  const auto names = GetEventHandlerNames(Form.get());
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front().second.rfind("Form", 0), 0u);

  RegisterComponentEditor<TQuietEditor>(TSuperGadget::StaticClass());
  Designer.EditComponent(Other);
  EXPECT_TRUE(GetEventHandlerNames(Other).empty());
}

TEST_F(EditorsTest, AnErrorInAVerbIsShownAndLeavesTheDesignerWorking) {
  struct TFailing : TComponentEditor {
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 1; }
    std::string GetVerb(int) override { return "Fail"; }
    void ExecuteVerb(int) override { throw EDesignError("The verb failed"); }
  };
  RegisterComponentEditor<TFailing>(TGadget::StaticClass());
  TScriptedDialogs dialogs;
  EXPECT_FALSE(Designer.ExecuteVerb(Gadget, 0));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Msg, "The verb failed");
  EXPECT_EQ(dialogs.Messages()[0].DlgType, mtError);
}

TEST_F(EditorsTest, AttributesDriveTheInspectorRows) {
  RegisterPropertyEditor<TTitleProperty>(TypeInfo<std::string>(), &TGadget::StaticClass(), "Title");
  RegisterPropertyEditor<TCountProperty>(TypeInfo<int>(), &TGadget::StaticClass(), "Count");
  Designer.SelectComponent(Gadget);
  TObjectInspector inspector;
  inspector.SetDesigner(&Designer);
  const int title = inspector.FindRow("Title");
  const int count = inspector.FindRow("Count");
  ASSERT_GE(title, 0);
  ASSERT_GE(count, 0);

  // A value list: the editor is asked each time the list opens, and sees
  // the first selected component.
  EXPECT_TRUE(inspector.HasValueList(title));
  EXPECT_FALSE(inspector.HasDialog(title));
  EXPECT_EQ(inspector.GetValues(title), (std::vector<std::string>{"Title0"}));
  Gadget->SetCount(2);
  EXPECT_EQ(inspector.GetValues(title), (std::vector<std::string>{"Title0", "Title1", "Title2"}));
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "values"), 2);
  EXPECT_TRUE(inspector.SetValue(title, "Title1"));
  EXPECT_EQ(Gadget->Title(), "Title1");

  // A dialog: the ellipsis runs Edit; the text is read-only.
  EXPECT_TRUE(inspector.HasDialog(count));
  EXPECT_TRUE(inspector.ReadOnly(count));
  EXPECT_FALSE(inspector.HasValueList(count));
  EXPECT_EQ(inspector.Value(count), "2 items");
  EXPECT_TRUE(inspector.Edit(count));
  EXPECT_EQ(Gadget->Count(), 20);
  EXPECT_EQ(inspector.Value(count), "20 items");
  EXPECT_TRUE(Designer.IsModified());
}
