// The form localizer editor's views and commands on the sample project: the
// component tree, the buttons' states, including and excluding, the
// options, clearing stored records, the language commands and the strings
// editor.
#include <gtest/gtest.h>

#include "design/AmbitAddLang.h"
#include "design/AmbitStrEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "runtime/AmbitUserSource.h"
#include "tests/design/DesignTestSupport.h"
#include "tests/design/FormEditorFixture.h"

using namespace ambit;
using namespace host;

namespace design_test {
namespace {

std::vector<std::string> Children(const TTreeNode* Node) {
  std::vector<std::string> out;
  for (TTreeNode* n = Node->GetFirstChild(); n; n = n->GetNextSibling()) out.push_back(n->Text());
  return out;
}

TTreeNode* NodeOf(TTreeView* Tree, std::string_view Text) {
  for (TTreeNode* n = Tree->Items()->GetFirstNode(); n; n = n->GetNext())
    if (n->Text().starts_with(Text)) return n;
  return nullptr;
}

TEST_F(FormEditorTest, TheTreeShowsControlsUnderTheirParentsSortedAndFramesWithTheirComponents) {
  Open("ContactsForm");
  const TTreeNode* root = Editor->tvComponents->Items()->GetFirstNode();
  EXPECT_EQ(root->Text(), "ContactsForm: TContactsForm");
  EXPECT_EQ(Children(root), (std::vector<std::string>{"FormLocalizer1: TAmFormLocalizer", "PageControl1: TPageControl",
                                                      "btnCancel: TButton", "btnHelp: TButton", "btnOK: TButton"}));
  EXPECT_EQ(Children(NodeOf(Editor->tvComponents, "AddressFrame1")),
            (std::vector<std::string>{"btnClear: TButton", "btnLookUp: TButton", "edCity: TEdit", "edStreet: TEdit",
                                      "lblCity: TLabel", "lblStreet: TLabel"}));
  EXPECT_EQ(Editor->tvComponents->Selected(), root) << "the form is shown first";
  EXPECT_EQ(Cell("Caption", 2), "Kontakte");
}

TEST_F(FormEditorTest, ButtonsFollowTheCellTheLanguagesAndTheEdits) {
  Open("MainForm");
  Select("lbColors");
  EXPECT_FALSE(Editor->tbuSave->Enabled()) << "nothing to save yet";
  EXPECT_FALSE(Editor->tbuReload->Enabled());
  EXPECT_TRUE(Editor->tbuAddLanguage->Enabled());
  EXPECT_TRUE(Editor->tbuActiveLanguage->Enabled());
  EXPECT_TRUE(Editor->buClear->Enabled());
  Go(1, "Hint");
  EXPECT_FALSE(Editor->tbuEditLanguage->Enabled());
  EXPECT_FALSE(Editor->tbuRemoveLanguage->Enabled());
  Go(2, "Hint");
  EXPECT_TRUE(Editor->tbuEditLanguage->Enabled());
  EXPECT_TRUE(Editor->tbuRemoveLanguage->Enabled());
  EXPECT_TRUE(Editor->buEditStrings->Visible());
  EXPECT_EQ(Editor->buEditStrings->Tag(), tkString);
  Go(2, "Items");
  EXPECT_EQ(Editor->buEditStrings->Tag(), tkClass);
  EXPECT_TRUE(Editor->sgPropValues->Options().Contains(goEditing));
  // The active language is chosen in the menu; it counts as an edit.
  Editor->Languages(3)->Click();
  EXPECT_TRUE(Editor->Languages(3)->Checked());
  EXPECT_FALSE(Editor->Languages(0)->Checked());
  EXPECT_TRUE(Editor->tbuReload->Enabled());
}

TEST_F(FormEditorTest, ExcludingAndIncludingComponentsChangesTheWorkingListOnly) {
  Open("MainForm");
  Select("lbColors");
  Editor->pmComponents->Popup(0, 0);
  EXPECT_TRUE(Editor->miExclude->Enabled());
  EXPECT_FALSE(Editor->miInclude->Enabled());
  EXPECT_FALSE(Editor->miExcludeAll->Enabled()) << "a node without children";
  Editor->miExclude->Click();
  EXPECT_EQ(Editor->tvComponents->Selected()->StateIndex(), 2);
  EXPECT_GE(Editor->Excluded()->IndexOf("lbColors"), 0);
  EXPECT_EQ(Sample.Localizer("MainForm")->Excluded()->IndexOf("lbColors"), -1);
  EXPECT_TRUE(Editor->GetModified());
  Select("");
  Editor->pmComponents->Popup(0, 0);
  EXPECT_TRUE(Editor->miIncludeAll->Enabled());
  Editor->miIncludeAll->Click();
  EXPECT_EQ(Editor->Excluded()->Count(), 0) << "miSeparator was excluded when the editor opened";
  EXPECT_EQ(NodeOf(Editor->tvComponents, "miSeparator")->StateIndex(), 1);
}

TEST_F(FormEditorTest, IncludeFramesMarksFrameNodesAndIncludingAFrameComponentChecksIt) {
  Open("ContactsForm");
  ASSERT_TRUE(Editor->chIncludeFrames->Checked());
  Editor->chIncludeFrames->SetChecked(false);
  EXPECT_EQ(NodeOf(Editor->tvComponents, "AddressFrame1")->StateIndex(), 2);
  EXPECT_EQ(NodeOf(Editor->tvComponents, "edCity")->StateIndex(), 2);
  EXPECT_EQ(NodeOf(Editor->tvComponents, "btnOK")->StateIndex(), 1);
  EXPECT_EQ(Editor->Excluded()->Count(), 0);
  EXPECT_TRUE(Editor->GetModified());
  Editor->Reload();
  EXPECT_FALSE(Editor->GetModified());
  Editor->chIncludeFrames->SetChecked(false);
  Select("AddressFrame1.edCity");
  Editor->miInclude->Click();
  EXPECT_TRUE(Editor->chIncludeFrames->Checked());
  EXPECT_EQ(NodeOf(Editor->tvComponents, "edStreet")->StateIndex(), 2) << "the other frame nodes keep their marks";
}

TEST_F(FormEditorTest, ClearActsOnTheSavedExclusionsOnlyWhenNoneIsPending) {
  // A component the saved list excludes, included again but not saved.
  Sample.Localizer("MainForm")->Excluded()->Add("lbColors");
  ambit_test::WriteFile(Sample.Dir.File("German.lng"),
                        ambit_test::ReadFile(Sample.Dir.File("German.lng")) + "\n[MainForm]\nghost.Caption=Boo\n");
  Open("MainForm");
  Select("lbColors");
  Editor->miInclude->Click();
  EXPECT_FALSE(Editor->buClear->Enabled());
  Editor->buClear->Click();
  EXPECT_NE(ambit_test::ReadFile(Sample.Dir.File("German.lng")).find("lbColors.Items"), std::string::npos);
  EXPECT_TRUE(Dialogs.Messages().empty());

  Editor->Reload();
  Sample.Localizer("MainForm")->Excluded()->Clear();
  Editor->Reload();
  ASSERT_TRUE(Editor->buClear->Enabled());
  Editor->buClear->Click();
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Dialogs.Messages()[0].Msg, "Deleting completed");
  const std::string german = ambit_test::ReadFile(Sample.Dir.File("German.lng"));
  EXPECT_EQ(german.find("ghost.Caption"), std::string::npos);
  EXPECT_NE(german.find("lbColors.Items"), std::string::npos);
  EXPECT_EQ(Sample.Source->ActiveLanguage(), -1);

  Sample.Localizer("MainForm")->SetSource(nullptr);
  Editor->Reload();
  Editor->buClear->Click();
  EXPECT_EQ(Dialogs.Messages().size(), 1u) << "without a source nothing is reported";
}

TEST_F(FormEditorTest, AddedAndEditedLanguagesGetTheirColumns) {
  Open("MainForm");
  Select("lbColors");
  Dialogs.DriveModal([](TCustomForm* Form) {
    auto* dialog = FormAs<TfmAddLanguage>(Form);
    dialog->edLangName->SetText("Spanish");
    dialog->edFileName->SetText("Spanish.lng");
    dialog->buOK->Click();
  });
  Editor->tbuAddLanguage->Click();
  EXPECT_EQ(Headers().back(), "Spanish");
  EXPECT_EQ(Cell("Items", 5), Cell("Items", 1)) << "nothing stored yet: the original texts";
  EXPECT_EQ(Editor->Languages(4)->Info()->Value, "Spanish.lng");

  Go(3, "Items");
  Dialogs.DriveModal([](TCustomForm* Form) {
    auto* dialog = FormAs<TfmAddLanguage>(Form);
    EXPECT_EQ(dialog->edLangName->Text(), "Russian");
    dialog->edLangName->SetText("Russisch");
    dialog->buOK->Click();
  });
  Editor->tbuEditLanguage->Click();
  EXPECT_EQ(Headers()[3], "Russisch");
  EXPECT_EQ(Cell("Items", 3), "Красный,Зелёный,Синий,Светло-жёлтый");
  EXPECT_TRUE(Editor->Languages(0)->Checked()) << "the active entry stays";
  EXPECT_TRUE(Editor->GetModified());
}

TEST_F(FormEditorTest, TheStringsEditorShowsTheCellInItsLanguagesCharacterSet) {
  Open("MainForm");
  Select("lbColors");
  Editor->SetActiveControl(Editor->sgPropValues);
  Go(3, "Items");
  Dialogs.DriveModal([](TCustomForm* Form) {
    auto* dialog = FormAs<TfmStringsEditor>(Form);
    EXPECT_EQ(Lines(dialog->mmStrings->Lines()),
              (std::vector<std::string>{"Красный", "Зелёный", "Синий", "Светло-жёлтый"}));
    EXPECT_EQ(dialog->mmStrings->Font()->Charset(), 204);
    dialog->mmStrings->Lines()->Delete(3);
    dialog->buOK->Click();
  });
  Editor->buEditStrings->Click();
  EXPECT_EQ(Cell("Items", 3), "Красный,Зелёный,Синий");
  ASSERT_EQ(Editor->Changes()->Count(), 1);
  EXPECT_EQ(Editor->Changes()->Items(0)->Language, 1);
  EXPECT_EQ(Sample.Source->ActiveLanguage(), -1);
  EXPECT_FALSE(Sample.Source->Updating());
}

TEST_F(FormEditorTest, AnEventDrivenSourceIsReadOnly) {
  auto* events = new TAmUserLanguageSource(Sample.Form("MainForm"));
  events->Languages()->Add("German=de");
  Sample.Localizer("MainForm")->SetSource(events);
  Open("MainForm");
  Select("lbColors");
  Go(2, "Hint");
  EXPECT_FALSE(Editor->sgPropValues->Options().Contains(goEditing));
  EXPECT_TRUE(Editor->buEditStrings->Visible());
  EXPECT_FALSE(Editor->buEditStrings->Enabled());
}

}  // namespace
}  // namespace design_test
