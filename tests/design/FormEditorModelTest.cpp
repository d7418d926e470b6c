// The form localizer editor's model on the sample project: where each cell's
// text comes from, the pending edits, the modified state, reloading and the
// file names the source opens.
#include <gtest/gtest.h>

#include "host/controls/Buttons.h"
#include "host/controls/ToolBar.h"
#include "tests/design/DesignTestSupport.h"
#include "tests/design/FormEditorFixture.h"

using namespace ambit;
using namespace host;

namespace design_test {
namespace {

// Resolves language files against a folder; a type of its own, so that a
// test can tell it apart from any other handler.
struct TResolver {
  std::string Dir;
  void operator()(TObject*, std::string& FileName) const { FileName = Dir + FileName; }
};

TEST_F(FormEditorTest, EachColumnShowsItsLanguage) {
  // German lacks one text: its cell shows the original.
  const std::string german = Sample.Dir.File("German.lng");
  std::string text = ambit_test::ReadFile(german);
  text.erase(text.find("tvTopics.Hint="), text.find('\n', text.find("tvTopics.Hint=")) - text.find("tvTopics.Hint=") + 1);
  ambit_test::WriteFile(german, text);
  Open("MainForm");
  EXPECT_EQ(Editor->Caption(), "FormLocalizer1: TAmFormLocalizer");
  EXPECT_EQ(Headers(), (std::vector<std::string>{"Property Name", "Original", "German", "Russian", "Arabic"}));
  Select("lbColors");
  EXPECT_EQ(Cell("Items", 1), "Red,Green,Blue,\"Light yellow\"");
  EXPECT_EQ(Cell("Items", 2), "Rot,Grün,Blau,Hellgelb");
  EXPECT_EQ(Cell("Items", 3), "Красный,Зелёный,Синий,Светло-жёлтый");
  EXPECT_EQ(Cell("Hint", 4), "اختر لون التسمية التالية");
  Select("tvTopics");
  EXPECT_EQ(Cell("Hint", 2), "Topics of the help");
  EXPECT_EQ(Cell("Hint", 3), "Разделы справки");
  Select("");
  EXPECT_EQ(Cell("Caption", 2), "Ambit-Beispiel") << "the form's own records have no name in front";

  // With a language on the form, the originals come from the snapshot.
  Sample.Source->SetActiveLanguage(1);
  Editor->Reload();
  EXPECT_EQ(Cell("Caption", 1), "Ambit Sample");
  EXPECT_EQ(Sample.Source->ActiveLanguage(), 1);
  EXPECT_FALSE(Sample.Source->Updating());
}

TEST_F(FormEditorTest, ATextSharedThroughADependencyIsShownFromTheRecordSavingWrites) {
  // btnClear's hint goes under its caption's record when both are equal.
  auto* button = As<TButton>(Sample.Find("ContactsForm", "AddressFrame1.btnClear"));
  button->SetHint(button->Caption());
  Sample.Localizer("ContactsForm")->Dependencies()->SetText("Hint=Caption");
  Open("ContactsForm");
  Select("AddressFrame1.btnClear");
  EXPECT_EQ(Sample.Localizer("ContactsForm")->RecordName(button, "Hint"), "AddressFrame1.btnClear.Caption");
  EXPECT_EQ(Cell("Hint", 2), "&Leeren");
}

TEST_F(FormEditorTest, EditsArePendingOncePerCellAndGoWhenTheTextIsBack) {
  Open("MainForm");
  Select("lbColors");
  Type(2, "Items", "Rot,Gelb");
  Type(2, "Items", "Rot,Blau");
  ASSERT_EQ(Editor->Changes()->Count(), 1);
  EXPECT_EQ(Editor->Changes()->Items(0)->Value, "Rot,Blau");
  EXPECT_EQ(Editor->Changes()->Items(0)->Language, 0);
  EXPECT_TRUE(Editor->GetModified());
  Select("lvFiles");
  Select("lbColors");
  EXPECT_EQ(Cell("Items", 2), "Rot,Blau") << "the pending edit before the store";
  // The editor commits twice within one edit: the text typed, then the
  // text it had when editing began.
  Editor->sgPropValues->GetEditText(2, Row("Hint"));
  Editor->sgPropValues->SetEditText(2, Row("Hint"), "Farbe");
  Editor->sgPropValues->SetEditText(2, Row("Hint"), "Wählen Sie die Farbe der nächsten Beschriftung");
  EXPECT_EQ(Editor->Changes()->Count(), 1) << "the hint went back to its stored text";
  Type(2, "Items", "Rot,Grün,Blau,Hellgelb");
  EXPECT_EQ(Editor->Changes()->Count(), 0);
  EXPECT_FALSE(Editor->GetModified());
  EXPECT_FALSE(Editor->tbuReload->Enabled());
}

TEST_F(FormEditorTest, RemovingALanguageKeepsEveryOtherColumnOnItsOwnLanguage) {
  Open("MainForm");
  Select("lbColors");
  Type(4, "Hint", "Arabisch");
  Type(1, "Hint", "Pick a colour");
  Go(2, "Items");
  Dialogs.AnswerMessage(mrYes);
  Editor->tbuRemoveLanguage->Click();
  EXPECT_EQ(Dialogs.Messages().back().Msg, "Are you sure to delete language 'German'?");
  EXPECT_EQ(Headers(), (std::vector<std::string>{"Property Name", "Original", "Russian", "Arabic"}));
  Select("lvFiles");
  Select("lbColors");
  EXPECT_EQ(Cell("Items", 2), "Красный,Зелёный,Синий,Светло-жёлтый");
  EXPECT_EQ(Cell("Hint", 3), "Arabisch");
  EXPECT_EQ(Cell("Items", 3), "أحمر,أخضر,أزرق,\"أصفر فاتح\"");
  ASSERT_NE(Editor->Changes()->FindItem(Sample.Find("MainForm", "lbColors"), "Hint", 1), nullptr);
  EXPECT_NE(Editor->Changes()->FindItem(Sample.Find("MainForm", "lbColors"), "Hint", -1), nullptr);
  EXPECT_TRUE(Editor->GetModified());
}

TEST_F(FormEditorTest, TheChangesListOwnsOneEntryPerCellAndFollowsRemovedLanguages) {
  TChangesList list;
  for (int language : {-1, 0, 1, 2, 3}) list.Add(std::make_unique<TCellChange>(nullptr))->Language = language;
  list.Items(4)->PropName = "Caption";
  list.DeleteLanguage(1);
  std::vector<int> languages;
  for (int i = 0; i < list.Count(); ++i) languages.push_back(list.Items(i)->Language);
  EXPECT_EQ(languages, (std::vector<int>{-1, 0, 1, 2}));
  EXPECT_EQ(list.FindItem(nullptr, "Caption", 2), list.Items(3));
  EXPECT_EQ(list.FindItem(nullptr, "caption", 2), nullptr);
  EXPECT_THROW(list.Delete(4), EListError);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(FormEditorTest, AFailingReadLeavesTheSourceAsItWas) {
  Sample.Source->SetOnGetFileName(TResolver{Sample.Dir.File("")});
  Sample.Source->SetOnLanguageOpen([](TObject*) { throw EAmbitError("no file"); });
  EXPECT_THROW(Open("MainForm"), EAmbitError);
  EXPECT_EQ(Sample.Source->ActiveLanguage(), -1);
  EXPECT_FALSE(Sample.Source->Updating());
  EXPECT_NE(Sample.Source->OnGetFileName().target<TResolver>(), nullptr);
}

TEST_F(FormEditorTest, ReloadDropsEveryUnsavedEdit) {
  Open("MainForm");
  Select("lbColors");
  Type(3, "Items", "Красный");
  for (TTreeNode* n = Editor->tvPropNames->Items()->GetFirstNode(); n; n = n->GetNextSibling())
    if (n->Text() == "Items") Editor->tvPropNames->SetSelected(n);
  Editor->miExcludeProperty->Click();
  EXPECT_EQ(Editor->PropNames()->IndexOf("Items"), -1);
  Dialogs.AnswerMessage(mrNo);
  Editor->tbuReload->Click();
  EXPECT_EQ(Editor->Changes()->Count(), 1) << "No keeps the edits";
  Dialogs.AnswerMessage(mrYes);
  Editor->tbuReload->Click();
  EXPECT_EQ(Dialogs.Messages().back().Msg, "Are you sure to cancel all changes?");
  EXPECT_EQ(Editor->Changes()->Count(), 0);
  EXPECT_EQ(Cell("Items", 3), "Красный,Зелёный,Синий,Светло-жёлтый");
  EXPECT_FALSE(Editor->GetModified());
}

TEST_F(FormEditorTest, ShowFormLocalizerEditorRunsTheWindowModallyOnTheLocalizer) {
  Dialogs.DriveModal([this](TCustomForm* Form) {
    auto* editor = FormAs<TfmFLEditor>(Form);
    EXPECT_EQ(editor->Localizer(), Sample.Localizer("MainForm"));
    EXPECT_EQ(editor->sgPropValues->ColCount(), 5);
    editor->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(editor->Width(), 500);
    EXPECT_EQ(editor->Height(), 350);
  });
  ShowFormLocalizerEditor(Sample.Localizer("MainForm"));
  ASSERT_EQ(Dialogs.ModalForms().size(), 1u);
  EXPECT_EQ(Dialogs.ModalForms()[0].Caption, "FormLocalizer1: TAmFormLocalizer");
}

TEST(GetNewFileName, AbsoluteNamesStayAndRelativeOnesAreTheProgramsOutsideTheDesigner) {
  TComponent designed(nullptr);
  designed.SetDesigning(true);
  TComponent running(nullptr);
  EXPECT_EQ(GetNewFileName(&running, "/data/German.lng"), "/data/German.lng");
  EXPECT_EQ(GetNewFileName(&designed, "lang/German.lng"), "lang/German.lng");
  const std::filesystem::path full = GetNewFileName(&running, "lang/German.lng");
  EXPECT_TRUE(full.is_absolute());
  EXPECT_TRUE(std::filesystem::exists(full.parent_path().parent_path() / "design_tests")) << full;
  EXPECT_EQ(GetNewFileName(nullptr, "German.lng"), (full.parent_path().parent_path() / "German.lng").string());
}

}  // namespace
}  // namespace design_test
