// The form localizer editor's saving on the sample project: where each kind
// of edit goes with and without a language on the form, the language list
// and the chosen language, a store that fails, a component that left the
// form, the Save button and the close question.
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/controls/ListControls.h"
#include "host/controls/ListView.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "tests/design/DesignTestSupport.h"
#include "tests/design/FormEditorFixture.h"

using namespace ambit;
using namespace host;

namespace design_test {
namespace {

// The line of a record in a language file, "" when it has none.
std::string RecordLine(const std::string& File, const std::string& Name) {
  const std::string text = ambit_test::ReadFile(File);
  const std::size_t at = text.find("\n" + Name + "=");
  if (at == std::string::npos) return {};
  std::string line = text.substr(at + 1, text.find('\n', at + 1) - at - 1);
  if (line.ends_with('\r')) line.pop_back();
  return line;
}

TEST_F(FormEditorTest, WithoutALanguageOriginalsGoIntoTheFormAndTranslationsIntoTheirFiles) {
  Open("MainForm");
  Select("lvFiles");
  Type(1, "Columns.Caption", "File,Bytes,Opened");
  Type(2, "Hint", "Neue \"Dateien\"");
  Select("lbColors");
  Type(1, "Items", "Red,Blue");
  Type(3, "Items", "Красный,Синий");
  Select("lblColors");
  Type(1, "Caption", "&Paints:");
  Editor->tbuSave->Click();

  auto* files = As<TListView>(Sample.Find("MainForm", "lvFiles"));
  EXPECT_EQ(files->Columns()->Items(1)->Caption(), "Bytes") << "a dotted path is written by path";
  EXPECT_EQ(As<TLabel>(Sample.Find("MainForm", "lblColors"))->Caption(), "&Paints:");
  EXPECT_EQ(As<TListBox>(Sample.Find("MainForm", "lbColors"))->Items()->Count(), 2);
  EXPECT_EQ(RecordLine(Sample.Dir.File("German.lng"), "lvFiles.Hint"), "lvFiles.Hint=\"Neue \"\"Dateien\"\"\"");
  EXPECT_EQ(RecordLine(Sample.Dir.File("Russian.lng"), "lbColors.Items"), "lbColors.Items=\"Красный,Синий\"");
  EXPECT_EQ(Editor->Changes()->Count(), 0);
  EXPECT_FALSE(Editor->GetModified());
  EXPECT_FALSE(Editor->tbuSave->Enabled());
  // Reloaded: the cells show what was stored.
  EXPECT_EQ(Cell("Caption", 1), "&Paints:");
  Select("lvFiles");
  EXPECT_EQ(Cell("Hint", 2), "Neue \"Dateien\"");
  EXPECT_EQ(Sample.Source->ActiveLanguage(), -1);
}

TEST_F(FormEditorTest, WithALanguageActiveOriginalsGoIntoTheSnapshotAndTheFormShowsTheNewTranslation) {
  Sample.Source->SetActiveLanguage(0);
  Open("MainForm");
  Select("");
  Type(1, "Caption", "Ambit \"Demo\"");
  Select("lblColors");
  Type(1, "Caption", "&Hues:");
  Type(2, "Caption", "&Töne:");
  Editor->SaveChanges();
  const TStrings* originals = Sample.Localizer("MainForm")->Originals();
  EXPECT_EQ(originals->Values("Caption"), "\"Ambit \"\"Demo\"\"\"") << "the form's own record has no name in front";
  EXPECT_EQ(originals->Values("lblColors.Caption"), "\"&Hues:\"");
  // The save ended on the language it started from: it is applied again.
  EXPECT_EQ(As<TLabel>(Sample.Find("MainForm", "lblColors"))->Caption(), "&Töne:");
  EXPECT_EQ(Sample.Source->ActiveLanguage(), 0);
  Sample.Source->SetActiveLanguage(-1);
  EXPECT_EQ(As<TLabel>(Sample.Find("MainForm", "lblColors"))->Caption(), "&Hues:");
}

TEST_F(FormEditorTest, TheLanguageListKeepsEveryLineAndTheChosenEntryNamesItsLanguage) {
  // Two languages of one name: each keeps its line and the chosen entry
  // names its own.
  Sample.Source->Languages()->SetText("German=German.lng\nGerman=Arabic.lng\nRussian=Russian.lng\n");
  Open("MainForm");
  Editor->Languages(3)->Click();
  Editor->SaveChanges();
  EXPECT_EQ(Lines(Sample.Source->Languages()),
            (std::vector<std::string>{"German=German.lng", "German=Arabic.lng", "Russian=Russian.lng"}));
  EXPECT_EQ(Sample.Source->ActiveLanguage(), 2);
  EXPECT_EQ(As<TLabel>(Sample.Find("MainForm", "lblColors"))->Caption(), "&Цвета:");
}

TEST_F(FormEditorTest, RemovingTheCheckedLanguageChecksTheOriginalAndLeavesItsFileAlone) {
  Sample.Source->SetActiveLanguage(1);
  Open("MainForm");
  const std::string russian = ambit_test::ReadFile(Sample.Dir.File("Russian.lng"));
  Go(3, "Caption");
  Dialogs.AnswerMessage(mrYes);
  Editor->tbuRemoveLanguage->Click();
  EXPECT_TRUE(Editor->Languages(0)->Checked());
  Editor->SaveChanges();
  EXPECT_EQ(Lines(Sample.Source->Languages()), (std::vector<std::string>{"German=German.lng", "Arabic=Arabic.lng"}));
  EXPECT_EQ(Sample.Source->ActiveLanguage(), -1);
  EXPECT_EQ(As<TLabel>(Sample.Find("MainForm", "lblColors"))->Caption(), "&Colours:");
  EXPECT_EQ(ambit_test::ReadFile(Sample.Dir.File("Russian.lng")), russian);
}

TEST_F(FormEditorTest, AStoreThatFailsKeepsTheEditsTheLanguageAndTheBracket) {
  Sample.Source->SetActiveLanguage(1);
  Open("MainForm");
  Select("lblColors");
  Type(2, "Caption", "&Töne:");
  Editor->Languages(1)->Click();
  Sample.Source->SetOnSaveString([](TObject*, const std::string&, const std::string&) {
    throw std::runtime_error("disk full");
  });
  Editor->tbuSave->Click();
  ASSERT_FALSE(Dialogs.Messages().empty());
  EXPECT_EQ(Dialogs.Messages().back().Msg, "disk full");
  EXPECT_EQ(Editor->Changes()->Count(), 1) << "no reload after a failed save";
  EXPECT_TRUE(Editor->tbuSave->Enabled());
  EXPECT_FALSE(Sample.Source->Updating());
  EXPECT_EQ(Sample.Source->ActiveLanguage(), 1);
  EXPECT_EQ(As<TLabel>(Sample.Find("MainForm", "lblColors"))->Caption(), "&Цвета:");
}

TEST_F(FormEditorTest, AnEditWhoseComponentLeftTheFormIsSkippedAndReportedAndTheRestIsSaved) {
  Open("MainForm");
  Select("lbColors");
  Type(2, "Hint", "Farbe");
  Select("lblColors");
  Type(2, "Caption", "&Töne:");
  Editor->Languages(1)->Click();
  TComponent* colors = Sample.Find("MainForm", "lbColors");
  Sample.Form("MainForm")->RemoveComponent(colors);
  Editor->tbuSave->Click();
  ASSERT_FALSE(Dialogs.Messages().empty());
  EXPECT_NE(Dialogs.Messages().back().Msg.find("lbColors.Hint"), std::string::npos);
  EXPECT_EQ(Sample.Source->ActiveLanguage(), 0);
  EXPECT_EQ(As<TLabel>(Sample.Find("MainForm", "lblColors"))->Caption(), "&Töne:");
  EXPECT_EQ(Editor->Changes()->Count(), 0);
  delete colors;

  // A component freed meanwhile: its edit is reported, not followed.
  Select("tvTopics");
  Type(3, "Hint", "Темы");
  delete Sample.Find("MainForm", "tvTopics");
  Editor->SaveChanges();
  EXPECT_NE(Dialogs.Messages().back().Msg.find("tvTopics.Hint"), std::string::npos);
}

TEST_F(FormEditorTest, TheCloseQuestionSavesKeepsOrDropsTheEdits) {
  Open("MainForm");
  Select("lblColors");
  Type(2, "Caption", "&Töne:");
  Dialogs.AnswerMessage(mrCancel);
  EXPECT_FALSE(Editor->CloseQuery());
  EXPECT_EQ(Dialogs.Messages().back().Msg, "The localizer or/and source has been changed. Save changes?");
  EXPECT_EQ(Editor->Changes()->Count(), 1);
  Dialogs.AnswerMessage(mrNo);
  EXPECT_TRUE(Editor->CloseQuery());
  EXPECT_EQ(RecordLine(Sample.Dir.File("German.lng"), "lblColors.Caption"), "lblColors.Caption=\"&Farben:\"");
  Dialogs.AnswerMessage(mrYes);
  EXPECT_TRUE(Editor->CloseQuery());
  EXPECT_EQ(RecordLine(Sample.Dir.File("German.lng"), "lblColors.Caption"), "lblColors.Caption=\"&Töne:\"");
  const std::size_t asked = Dialogs.Messages().size();
  EXPECT_TRUE(Editor->CloseQuery()) << "nothing left to ask about";
  EXPECT_EQ(Dialogs.Messages().size(), asked);
}

}  // namespace
}  // namespace design_test
