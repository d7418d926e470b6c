// The language source editor and the ActiveLanguage drop-down inside
// studio, offscreen, on a scratch copy of the sample project.
#include <gtest/gtest.h>

#include <QTreeWidgetItem>
#include <fstream>

#include "design/AmbitAddDBLang.h"
#include "design/AmbitAddLang.h"
#include "design/AmbitSourceEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/ListControls.h"
#include "host/controls/ListView.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "host/core/FormFolder.h"
#include "host/stream/FormStream.h"
#include "host/data/DataSet.h"
#include "runtime/AmbitDBSource.h"
#include "runtime/AmbitSource.h"
#include "tests/apps/studio/support/StudioDriver.h"

using namespace ambit;
using namespace host;
using ambit::studio::test::TStudioDriver;

namespace {

using Names = std::vector<std::string>;

// Each row as "caption=value", with "*" after the row marked active.
Names Rows(const TfmLSEditor* Editor) {
  Names rows;
  const TListItems* items = Editor->lvLangs->Items();
  for (int i = 0; i < items->Count(); ++i) {
    const TListItem* row = items->Items(i);
    rows.push_back(row->Caption() + "=" + row->SubItems()->Get(0) +
                   (row->StateIndex() == TfmLSEditor::ActiveStateImage ? "*" : ""));
  }
  return rows;
}

void SelectRow(TfmLSEditor* Editor, int Row) { Editor->lvLangs->UserSelect(Editor->lvLangs->Items()->Items(Row)); }

class LanguageSourceInStudio : public testing::Test {
protected:
  LanguageSourceInStudio() {
    Folder = Studio.OpenSampleCopy();
    // A fourth language, so that marking it active has texts to show.
    std::ofstream(Folder / "French.lng") << "[General Settings]\r\nLanguageName=\"Français\"\r\n\r\n"
                                            "[MainForm]\r\nCaption=\"Exemple Ambit\"\r\n";
  }
  TControl* MainForm() const { return static_cast<TControl*>(Studio.Find("MainForm")); }
  TAmLanguageSource* Source() const { return static_cast<TAmLanguageSource*>(Studio.Find("MainForm.LanguageSource1")); }

  TStudioDriver Studio{{PLUGIN_AMBITDT}};
  std::filesystem::path Folder;
};

}  // namespace

TEST_F(LanguageSourceInStudio, ADoubleClickEditsTheSourceWhoseSavedFormReadsBackWithTheNewList) {
  Names shown, afterMoves;
  Studio.Dialogs().DriveModal([&](TCustomForm* Form) {
    auto* editor = dynamic_cast<TfmLSEditor*>(Form);
    ASSERT_NE(editor, nullptr);
    shown = Rows(editor);
    TStudioDriver::SavePicture(Form, std::string(AMBIT_RENDER_DIR) + "/studio/LanguageSourceEditor.png");
    Studio.Dialogs().DriveModal([](TCustomForm* Dialog) {
      auto* add = dynamic_cast<TfmAddLanguage*>(Dialog);
      ASSERT_NE(add, nullptr);
      add->edLangName->UserSetText("French");
      add->edFileName->UserSetText("French.lng");
      add->buOK->Click();
    });
    editor->tbuAddLanguage->Click();
    SelectRow(editor, 4);
    editor->tbuMoveUp->Click();
    editor->tbuSetActiveLanguage->Click();
    afterMoves = Rows(editor);
    editor->tbuSave->Click();
    EXPECT_FALSE(editor->tbuSave->Enabled());
    Form->Close();
  });
  Studio.DoubleClick("MainForm.LanguageSource1");
  EXPECT_EQ(shown, (Names{"Original=(none)*", "German=German.lng", "Russian=Russian.lng", "Arabic=Arabic.lng"}));
  EXPECT_EQ(afterMoves,
            (Names{"Original=(none)", "German=German.lng", "Russian=Russian.lng", "French=French.lng*", "Arabic=Arabic.lng"}));
  EXPECT_EQ(Source()->Languages()->CommaText(), "German=German.lng,Russian=Russian.lng,French=French.lng,Arabic=Arabic.lng");
  EXPECT_EQ(Source()->ActiveLanguage(), 2);
  EXPECT_EQ(MainForm()->Caption(), "Exemple Ambit");
  EXPECT_TRUE(Studio.Form("MainForm").IsModified());
  EXPECT_TRUE(Studio.Dialogs().Messages().empty()) << Studio.Dialogs().Messages().front().Msg;

  Studio.RunMenuItem("&File", "&Save");
  TReadOptions options;
  options.Designing = true;
  options.OnBeforeLoaded = [&](TComponent* Root) { SetFormFolder(Root, Folder.string()); };
  auto form = ReadComponentFile((Folder / "MainForm.dfm").string(), options);
  auto* saved = dynamic_cast<TAmLanguageSource*>(form->FindComponent("LanguageSource1"));
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->Languages()->CommaText(), Source()->Languages()->CommaText());
  EXPECT_EQ(saved->ActiveLanguage(), 2);
  EXPECT_EQ(static_cast<TControl*>(form.get())->Caption(), "Exemple Ambit");
  saved->SetActiveLanguage(-1);
  EXPECT_EQ(static_cast<TControl*>(form.get())->Caption(), "Ambit Sample") << "the original texts were kept";
}

TEST_F(LanguageSourceInStudio, TheActiveLanguageDropDownSwitchesTheDesignedFormsTexts) {
  EXPECT_EQ(Studio.ValueList("MainForm.LanguageSource1", "ActiveLanguage"),
            (Names{"Original", "German", "Russian", "Arabic"}));
  EXPECT_EQ(Studio.ShownValue("MainForm.LanguageSource1", "ActiveLanguage"), "Original");
  Studio.ChooseValue("MainForm.LanguageSource1", "ActiveLanguage", "German");
  EXPECT_EQ(Source()->ActiveLanguage(), 0);
  EXPECT_EQ(MainForm()->Caption(), "Ambit-Beispiel");
  EXPECT_EQ(static_cast<TListBox*>(Studio.Find("MainForm.lbColors"))->Items()->CommaText(), "Rot,Grün,Blau,Hellgelb");
  EXPECT_EQ(Studio.ShownValue("MainForm.LanguageSource1", "ActiveLanguage"), "German");
  Studio.ChooseValue("MainForm.LanguageSource1", "ActiveLanguage", "Russian");
  EXPECT_EQ(MainForm()->Caption(), "Пример Ambit");
  Studio.ChooseValue("MainForm.LanguageSource1", "ActiveLanguage", "Original");
  EXPECT_EQ(MainForm()->Caption(), "Ambit Sample");
  EXPECT_EQ(static_cast<TListBox*>(Studio.Find("MainForm.lbColors"))->Items()->CommaText(),
            "Red,Green,Blue,\"Light yellow\"");
  EXPECT_TRUE(Studio.Form("MainForm").IsModified());
}

TEST(DatabaseSourceInStudio, TheEditorOffersTheTablesLanguageValuesAndTheFieldDropDownItsColumns) {
  TStudioDriver studio({PLUGIN_AMBITDT});
  studio.OpenSampleCopy("SampleDB.amproj");
  const std::string path = "LanguageData.DBLanguageSource1";
  TDataSet* table = static_cast<TAmDBLanguageSource*>(studio.Find(path))->DataSet();
  ASSERT_NE(table, nullptr);
  const bool active = table->Active();
  std::string valueColumn;
  Names values;
  studio.Dialogs().DriveModal([&](TCustomForm* Form) {
    auto* editor = dynamic_cast<TfmLSEditor*>(Form);
    ASSERT_NE(editor, nullptr);
    valueColumn = editor->lvLangs->Columns()->Items(1)->Caption();
    studio.Dialogs().DriveModal([&](TCustomForm* Dialog) {
      auto* add = dynamic_cast<TfmAddDBLanguage*>(Dialog);
      ASSERT_NE(add, nullptr);
      add->cbFieldValue->DropDown();
      add->cbFieldValue->CloseUp();
      for (int i = 0; i < add->cbFieldValue->Items()->Count(); ++i) values.push_back(add->cbFieldValue->Items()->Get(i));
      add->buCancel->Click();
    });
    editor->tbuAddLanguage->Click();
  });
  studio.DoubleClick(path);
  EXPECT_EQ(valueColumn, "Value");
  EXPECT_EQ(values, (Names{"de", "ru", "ar"}));
  EXPECT_EQ(table->Active(), active);

  studio.Click(path);
  QTreeWidgetItem* fields = studio.Inspector().ItemOf("DataFields");
  ASSERT_TRUE(fields);
  fields->setExpanded(true);
  TStudioDriver::Flush();
  EXPECT_EQ(studio.ValueList(path, "DataFields.LanguageField"), (Names{"Id", "Lang", "Section", "Name", "Value"}));
  EXPECT_EQ(table->Active(), active);
}
