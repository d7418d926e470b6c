// The language source editor: its rows and the active mark, the commands,
// drag and drop, saving into the source and the question on closing.
#include <gtest/gtest.h>

#include <memory>

#include "design/AmbitAddLang.h"
#include "design/AmbitSourceEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/ListView.h"
#include "host/controls/Menus.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "runtime/AmbitDBSource.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUserSource.h"
#include "tests/design/DesignTestSupport.h"

using namespace ambit;
using namespace host;
using design_test::FormAs;
using design_test::Lines;

namespace {

using Names = std::vector<std::string>;

class SourceEditor : public testing::Test {
protected:
  void SetUp() override {
    source = new TAmLanguageSource(owner.get());
    source->SetName("LanguageSource1");
    source->Languages()->SetCommaText("German=de.lng,Russian=ru.lng,French=fr.lng");
    source->SetActiveLanguage(1);
    editor->SetSource(source);
  }

  // Each row as "caption|value", with "*" after the marked one.
  Names Rows() const {
    Names rows;
    const TListItems* items = editor->lvLangs->Items();
    for (int i = 0; i < items->Count(); ++i) {
      const TListItem* row = items->Items(i);
      rows.push_back(row->Caption() + "|" + row->SubItems()->Get(0) +
                     (row->StateIndex() == TfmLSEditor::ActiveStateImage ? "*" : ""));
    }
    return rows;
  }
  void Select(int Row) { editor->lvLangs->UserSelect(editor->lvLangs->Items()->Items(Row)); }
  // A point inside a row, as the list view reports positions headless.
  static int RowY(int Row) { return 20 + 17 * Row + 5; }

  TScriptedDialogs dialogs;
  std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
  TAmLanguageSource* source = nullptr;
  std::unique_ptr<TfmLSEditor> editor = std::make_unique<TfmLSEditor>(nullptr);
};

}  // namespace

TEST_F(SourceEditor, TheOriginalLanguageComesFirstGreyAndTheActiveLanguageIsMarked) {
  EXPECT_EQ(editor->Caption(), "LanguageSource1: TAmLanguageSource");
  EXPECT_EQ(editor->lvLangs->Columns()->Items(0)->Caption(), "Language");
  EXPECT_EQ(editor->lvLangs->Columns()->Items(1)->Caption(), "Filename");
  EXPECT_EQ(Rows(), (Names{"Original|(none)", "German|de.lng", "Russian|ru.lng*", "French|fr.lng"}));
  TListView* list = editor->lvLangs;
  list->CustomDrawItem(list->Items()->Items(0), {});
  const TColor grey = list->Canvas()->Font()->Color();
  list->CustomDrawItem(list->Items()->Items(1), {});
  EXPECT_NE(list->Canvas()->Font()->Color(), grey);
  // Nothing selected: only Add is possible.
  EXPECT_TRUE(editor->tbuAddLanguage->Enabled());
  for (TToolButton* b : {editor->tbuSave, editor->tbuEditLanguage, editor->tbuRemoveLanguage,
                         editor->tbuSetActiveLanguage, editor->tbuMoveUp, editor->tbuMoveDown})
    EXPECT_FALSE(b->Enabled()) << b->Name();

  Select(0);
  editor->pmList->Popup(0, 0);
  EXPECT_FALSE(editor->miEditLanguage->Enabled());
  EXPECT_FALSE(editor->miRemoveLanguage->Enabled());
  EXPECT_TRUE(editor->miSetActiveLanguage->Enabled());

  TAmDBLanguageSource table(owner.get());
  table.SetName("Texts");
  editor->SetSource(&table);
  EXPECT_EQ(editor->Caption(), "Texts: TAmDBLanguageSource");
  EXPECT_EQ(editor->lvLangs->Columns()->Items(1)->Caption(), "Value");
  EXPECT_EQ(Rows(), (Names{"Original|(none)*"}));
  editor->AddLanguageClick(nullptr);  // no dataset: no dialog
  EXPECT_TRUE(dialogs.ModalForms().empty());
  editor->SetSource(nullptr);
  EXPECT_EQ(editor->Caption(), "");
  EXPECT_EQ(editor->lvLangs->Items()->Count(), 0);
  EXPECT_FALSE(editor->tbuAddLanguage->Enabled());
}

TEST_F(SourceEditor, RowZeroNeverMovesOrTakesADropAndTheMarkTravelsWithItsRow) {
  auto states = [&] { return std::pair{editor->tbuMoveUp->Enabled(), editor->tbuMoveDown->Enabled()}; };
  Select(0);
  EXPECT_EQ(states(), std::pair(false, false));
  Select(1);
  EXPECT_EQ(states(), std::pair(false, true));
  Select(2);
  editor->MoveDownClick(nullptr);
  EXPECT_EQ(Rows(), (Names{"Original|(none)", "German|de.lng", "French|fr.lng", "Russian|ru.lng*"}));
  EXPECT_EQ(states(), std::pair(true, false));
  editor->MoveItem(1, 0);
  TListView* list = editor->lvLangs;
  EXPECT_FALSE(list->DragOver(list, 10, RowY(0), dsDragMove));
  EXPECT_FALSE(list->DragOver(editor->tbEditor, 10, RowY(1), dsDragMove));
  EXPECT_FALSE(list->DragOver(list, 10, RowY(7), dsDragMove));  // below the last row
  ASSERT_TRUE(list->DragOver(list, 10, RowY(1), dsDragMove));
  list->DragDrop(list, 10, RowY(1));  // row 3 onto row 1: rows 1 and 2 shift down
  EXPECT_EQ(Rows(), (Names{"Original|(none)", "Russian|ru.lng*", "German|de.lng", "French|fr.lng"}));
}

TEST_F(SourceEditor, RemovingTheMarkedLanguageMarksTheOriginalAndSavingDeactivates) {
  Select(2);
  dialogs.AnswerMessage(mrNo);
  dialogs.AnswerMessage(mrYes);
  editor->RemoveLanguageClick(nullptr);
  EXPECT_EQ(Rows().size(), 4u);
  editor->RemoveLanguageClick(nullptr);
  EXPECT_EQ(dialogs.Messages()[1].Msg, "Are you sure to delete language 'Russian'?");
  EXPECT_EQ(Rows(), (Names{"Original|(none)*", "German|de.lng", "French|fr.lng"}));
  editor->SaveClick(nullptr);
  EXPECT_EQ(source->ActiveLanguage(), -1);
  EXPECT_EQ(source->Languages()->CommaText(), "German=de.lng,French=fr.lng");
  EXPECT_FALSE(editor->tbuSave->Enabled());
}

TEST_F(SourceEditor, AddAndEditGoThroughTheFileDialogRefuseTakenNamesAndChangeOnlyTheRows) {
  dialogs.AnswerMessage(mrOk);
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmAddLanguage>(form);
    EXPECT_EQ(f->FileExt(), "lng");
    f->edLangName->UserSetText("russian");
    f->edFileName->UserSetText("ar.lng");
    f->buOK->Click();
    EXPECT_FALSE(f->ModalFinished());
    f->edLangName->UserSetText("Arabic");
    f->buOK->Click();
  });
  editor->AddLanguageClick(nullptr);
  EXPECT_EQ(Rows().back(), "Arabic|ar.lng");
  EXPECT_EQ(source->Languages()->Count(), 3);  // nothing saved yet
  dialogs.DriveModal([](TCustomForm* form) {
    FormAs<TfmAddLanguage>(form)->edFileName->UserSetText("deutsch.lng");
    FormAs<TfmAddLanguage>(form)->buOK->Click();
  });
  Select(1);
  editor->lvLangs->DblClick();
  Select(0);
  editor->lvLangs->DblClick();  // the original language has nothing to edit
  EXPECT_EQ(dialogs.ModalForms().size(), 2u);
  EXPECT_EQ(dialogs.ModalForms()[1].Caption, "Edit Language");
  Select(3);
  editor->SetActiveLanguageClick(nullptr);
  editor->SaveChanges();
  EXPECT_EQ(source->Languages()->CommaText(), "German=deutsch.lng,Russian=ru.lng,French=fr.lng,Arabic=ar.lng");
  EXPECT_EQ(source->ActiveLanguage(), 2);
}

TEST_F(SourceEditor, ClosingAfterAChangeAsksCancelKeepsTheWindowOpenAndNoDropsTheChange) {
  dialogs.AnswerMessage(mrCancel);
  dialogs.AnswerMessage(mrYes);
  dialogs.AnswerMessage(mrNo);
  auto markRowAndClose = [](int Row) {
    return [Row](TCustomForm* form) {
      auto* f = FormAs<TfmLSEditor>(form);
      f->lvLangs->UserSelect(f->lvLangs->Items()->Items(Row));
      f->SetActiveLanguageClick(nullptr);
      f->Close();
    };
  };
  dialogs.DriveModal([&](TCustomForm* form) {
    markRowAndClose(0)(form);
    EXPECT_FALSE(form->ModalFinished());  // Cancel
  });
  ShowLangSourceEditor(source);  // then Yes, as the driver closes it again
  EXPECT_EQ(dialogs.Messages()[0].Msg, "The source has been changed. Save changes?");
  EXPECT_EQ(dialogs.Messages()[0].Buttons, mbYesNoCancel);
  EXPECT_EQ(source->ActiveLanguage(), -1);
  dialogs.DriveModal(markRowAndClose(1));
  ShowLangSourceEditor(source);  // No
  EXPECT_EQ(source->ActiveLanguage(), -1);
  dialogs.DriveModal([](TCustomForm*) {});  // unchanged: closes without asking
  ShowLangSourceEditor(source);
  EXPECT_EQ(dialogs.Messages().size(), 3u);
}

TEST_F(SourceEditor, SavingKeepsEveryRowAsItsOwnLanguageAndTheMarkOnItsLanguage) {
  // Equal names in another case and an empty value (free for a source the
  // application fills) each stay one language of their own.
  TAmUserLanguageSource user(owner.get());
  user.Languages()->SetCommaText("German=de,GERMAN=de-CH,Russian=,French=fr");
  user.SetActiveLanguage(2);
  editor->SetSource(&user);
  EXPECT_EQ(Rows(), (Names{"Original|(none)", "German|de", "GERMAN|de-CH", "Russian|*", "French|fr"}));
  Select(4);
  editor->MoveUpClick(nullptr);
  editor->SaveChanges();
  EXPECT_EQ(Lines(user.Languages()), (Names{"German=de", "GERMAN=de-CH", "French=fr", "Russian="}));
  EXPECT_EQ(user.ActiveLanguage(), 3);
  EXPECT_EQ(user.GetLanguageName(user.ActiveLanguage()), "Russian");
}

TEST_F(SourceEditor, AFailedSaveLeavesTheListModifiedAndClosingStillAsks) {
  TAmUserLanguageSource user(owner.get());
  user.Languages()->SetCommaText("German=de,Russian=ru");
  user.SetOnLanguageOpen([](TObject*) { throw EAmbitError("the store is gone"); });
  editor->SetSource(&user);
  Select(1);
  editor->SetActiveLanguageClick(nullptr);
  EXPECT_THROW(editor->SaveClick(nullptr), EAmbitError);
  EXPECT_TRUE(editor->Modified());
  EXPECT_TRUE(editor->tbuSave->Enabled());
  // Yes on closing tries again; when that fails too, the window stays.
  dialogs.AnswerMessage(mrYes);
  dialogs.AnswerMessage(mrOk);
  EXPECT_FALSE(editor->CloseQuery());
  ASSERT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_EQ(dialogs.Messages()[0].Msg, "The source has been changed. Save changes?");
  EXPECT_EQ(dialogs.Messages()[1].Msg, "the store is gone");
  EXPECT_EQ(dialogs.Messages()[1].DlgType, mtError);
}
