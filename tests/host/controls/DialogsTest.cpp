// The dialogs service: the headless default never blocks, the scripted one
// answers messages, drives modal forms and records what was asked.
#include <gtest/gtest.h>

#include <memory>

#include "host/controls/Application.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/controls/StdCtrls.h"

using namespace host;

namespace {
// A small dialog: an edit, OK and Cancel, and a close query that refuses
// an empty name.
struct NameDialog {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TEdit* Name = new TEdit(Form.get());
  TButton* OK = new TButton(Form.get());
  TButton* Cancel = new TButton(Form.get());
  int Shows = 0;
  int Refusals = 0;
  NameDialog() {
    Form->SetName("AddLanguage");
    Form->SetCaption("Add language");
    for (TControl* c : std::initializer_list<TControl*>{Name, OK, Cancel}) c->SetParent(Form.get());
    OK->SetModalResult(mrOk);
    Cancel->SetModalResult(mrCancel);
    Form->SetOnShow([this](TObject*) { ++Shows; });
    Form->SetOnCloseQuery([this](TObject*, bool& canClose) {
      canClose = Form->ModalResult() != mrOk || !Name->Text().empty();
      if (!canClose) ++Refusals;
    });
  }
};
}  // namespace

TEST(HeadlessDialogs, NothingBlocksAndAnswersAreCancelLike) {
  EXPECT_EQ(CancelLikeResult(mbYesNoCancel), mrCancel);
  EXPECT_EQ(CancelLikeResult(mbYesNo), mrNo);
  EXPECT_EQ(CancelLikeResult({mbOK}), mrOk);
  EXPECT_EQ(CancelLikeResult(mbAbortRetryIgnore), mrAbort);
  EXPECT_EQ(MessageDlg("Are you sure?", mtConfirmation, mbYesNo), mrNo);
  NameDialog d;
  EXPECT_EQ(d.Form->ShowModal(), mrCancel);
  EXPECT_EQ(d.Shows, 1);
  EXPECT_FALSE(d.Form->Visible());
  EXPECT_FALSE(d.Form->Modal());
  TOpenDialog open(nullptr);
  EXPECT_FALSE(open.Execute());
}

TEST(ScriptedDialogs, MessagesAreAnsweredInOrderAndRecorded) {
  TScriptedDialogs dialogs;
  dialogs.AnswerMessage(mrYes);
  dialogs.AnswerMessage(mrCancel);
  EXPECT_EQ(MessageDlg("Delete 'German'?", mtConfirmation, mbYesNo), mrYes);
  EXPECT_EQ(MessageDlg("Save changes?", mtConfirmation, mbYesNoCancel), mrCancel);
  EXPECT_EQ(MessageDlg("Unexpected", mtWarning, mbYesNo), mrNo);  // nothing queued: headless answer
  ShowMessage("Deleting completed");
  ASSERT_EQ(dialogs.Messages().size(), 4u);
  EXPECT_EQ(dialogs.Messages()[0].Msg, "Delete 'German'?");
  EXPECT_EQ(dialogs.Messages()[0].Buttons, mbYesNo);
  EXPECT_EQ(dialogs.Messages()[1].Answer, mrCancel);
  EXPECT_EQ(dialogs.Messages()[3].DlgType, mtCustom);
  dialogs.SetStrict(true);
  EXPECT_THROW(MessageDlg("Strict", mtError, {mbOK}), EScriptedDialogs);
}

TEST(ScriptedDialogs, AScriptDrivesTheModalFormThroughItsControls) {
  TScriptedDialogs dialogs;
  NameDialog d;
  dialogs.DriveModal([&](TCustomForm* form) {
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(form->Modal());
    d.Name->UserSetText("Deutsch");
    d.OK->Click();
  });
  EXPECT_EQ(d.Form->ShowModal(), mrOk);
  EXPECT_EQ(d.Name->Text(), "Deutsch");
  EXPECT_FALSE(d.Form->Visible());
  ASSERT_EQ(dialogs.ModalForms().size(), 1u);
  EXPECT_EQ(dialogs.ModalForms()[0].FormName, "AddLanguage");
  EXPECT_EQ(dialogs.ModalForms()[0].Caption, "Add language");
  EXPECT_EQ(dialogs.ModalForms()[0].Result, mrOk);
}

TEST(ScriptedDialogs, ACloseQueryCanKeepTheFormOpenUntilTheScriptFixesIt) {
  TScriptedDialogs dialogs;
  NameDialog d;
  dialogs.DriveModal([&](TCustomForm* form) {
    d.OK->Click();
    EXPECT_FALSE(form->ModalFinished());  // refused: the name is empty
    EXPECT_EQ(form->ModalResult(), mrNone);
    d.Name->UserSetText("Français");
    d.OK->Click();
  });
  EXPECT_EQ(d.Form->ShowModal(), mrOk);
  EXPECT_EQ(d.Refusals, 1);
}

TEST(ScriptedDialogs, AScriptThatLeavesNoResultClosesLikeTheCloseBox) {
  TScriptedDialogs dialogs;
  NameDialog d;
  TCloseAction seen = caNone;
  d.Form->SetOnClose([&](TObject*, TCloseAction& action) { seen = action; });
  dialogs.DriveModal([](TCustomForm*) {});
  EXPECT_EQ(d.Form->ShowModal(), mrCancel);
  EXPECT_EQ(seen, caHide);
  // A form that cannot be closed at all makes the script's fault visible.
  d.Form->SetOnCloseQuery([](TObject*, bool& canClose) { canClose = false; });
  dialogs.DriveModal([](TCustomForm*) {});
  EXPECT_THROW(d.Form->ShowModal(), EScriptedDialogs);
  EXPECT_FALSE(d.Form->Visible());
  EXPECT_FALSE(d.Form->Modal());
}

TEST(ScriptedDialogs, AVisibleFormCannotBeShownModally) {
  TScriptedDialogs dialogs;
  NameDialog d;
  d.Form->Show();
  EXPECT_THROW(d.Form->ShowModal(), EInvalidOperation);
  EXPECT_EQ(dialogs.PendingScripts(), 0u);
}

TEST(ScriptedDialogs, NestedModalFormsRunInsideTheirParentsScript) {
  TScriptedDialogs dialogs;
  NameDialog outer, inner;
  TModalResult innerResult = mrNone;
  dialogs.DriveModal([&](TCustomForm*) {
    innerResult = inner.Form->ShowModal();
    outer.OK->Click();
  });
  dialogs.DriveModal([&](TCustomForm*) { inner.Cancel->Click(); });
  outer.Name->SetText("x");
  EXPECT_EQ(outer.Form->ShowModal(), mrOk);
  EXPECT_EQ(innerResult, mrCancel);
  ASSERT_EQ(dialogs.ModalForms().size(), 2u);
  EXPECT_EQ(dialogs.ModalForms()[0].Result, mrCancel);  // the inner one ended first
}

TEST(ScriptedDialogs, FileDialogsPickQueuedNamesAndAddTheDefaultExtension) {
  TScriptedDialogs dialogs;
  TOpenDialog open(nullptr);
  open.SetTitle("Open language file");
  open.SetFilter("Language files (*.lng)|*.lng");
  open.SetDefaultExt("lng");
  dialogs.AnswerOpen("/tmp/german");
  dialogs.AnswerOpen(std::nullopt);
  dialogs.AnswerOpen("/tmp/v1.2/french.ini");
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName(), "/tmp/german.lng");
  EXPECT_EQ(open.Files()->Count(), 1);
  EXPECT_FALSE(open.Execute());
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName(), "/tmp/v1.2/french.ini");
  ASSERT_EQ(dialogs.OpenDialogs().size(), 3u);
  EXPECT_EQ(dialogs.OpenDialogs()[0].Title, "Open language file");
  EXPECT_EQ(dialogs.OpenDialogs()[0].Filter, "Language files (*.lng)|*.lng");
}

TEST(ScriptedDialogs, TheServiceIsRestoredWhenTheScriptGoes) {
  IDialogs* before = &Application()->Dialogs();
  {
    TScriptedDialogs dialogs;
    EXPECT_EQ(&Application()->Dialogs(), &dialogs);
  }
  EXPECT_EQ(&Application()->Dialogs(), before);
}
