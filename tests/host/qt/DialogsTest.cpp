// The Qt dialogs service: modal forms in a nested event loop closed by
// their buttons or their close box, message boxes and file dialogs, each
// returning the host's modal result.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "host/controls/Application.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/StdCtrls.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtDialogs.h"
#include "host/qt/QtFormPeer.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

TButton* AddButton(TForm* Form, const std::string& Caption, TModalResult Result, int Left) {
  auto* b = new TButton(Form);
  b->SetParent(Form);
  b->SetBounds(Left, 50, 75, 25);
  b->SetCaption(Caption);
  b->SetModalResult(Result);
  return b;
}

// Runs Action once the nested loop is running.
void Later(std::function<void()> Action) { QTimer::singleShot(0, qApp, std::move(Action)); }

TEST(QtDialogs, AModalFormRunsUntilOneOfItsButtonsGivesAModalResult) {
  TFormPtr form = NewForm(300, 120);
  TButton* ok = AddButton(form.get(), "OK", mrOk, 20);
  AddButton(form.get(), "Cancel", mrCancel, 120);
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(20, 10, 200, 21);
  bool wasModal = false;
  bool windowModal = false;
  Later([&] {
    wasModal = form->Modal();
    auto* peer = dynamic_cast<TQtFormPeer*>(form->Peer());
    windowModal = peer && peer->Window()->isModal();
    WidgetAs<QLineEdit>(edit)->setText("typed in the loop");
    emit WidgetAs<QLineEdit>(edit)->textEdited("typed in the loop");
    WidgetAs<QPushButton>(ok)->click();
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_TRUE(wasModal);
  EXPECT_TRUE(windowModal);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->Modal());
  EXPECT_EQ(edit->Text(), "typed in the loop");
}

TEST(QtDialogs, TheCloseBoxCancelsAModalFormWhenItsCloseQueryAgrees) {
  TFormPtr form = NewForm(300, 120);
  AddButton(form.get(), "OK", mrOk, 20);
  int asked = 0;
  form->SetOnCloseQuery([&](TObject*, bool& CanClose) { CanClose = ++asked > 1; });
  Later([&] {
    QWidget* window = dynamic_cast<TQtFormPeer*>(form->Peer())->Window();
    window->close();  // refused: the loop goes on
    Later([&, window] { window->close(); });
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
}

TEST(QtDialogs, EscapeClicksTheCancelButtonOfAModalForm) {
  TFormPtr form = NewForm(300, 120);
  AddButton(form.get(), "OK", mrOk, 20)->SetDefault(true);
  TButton* cancel = AddButton(form.get(), "Cancel", mrCancel, 120);
  cancel->SetCancel(true);
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  Later([&] {
    QWidget* e = TQtControlPeer::WidgetOf(edit);
    e->setFocus();
    PressKey(e, Qt::Key_Escape);
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST(QtDialogs, NestedModalFormsReturnInnerFirst) {
  TFormPtr outer = NewForm(300, 120);
  TFormPtr inner = NewForm(200, 100);
  TButton* open = AddButton(outer.get(), "More...", mrNone, 20);
  TButton* innerOk = AddButton(inner.get(), "OK", mrYes, 20);
  TButton* outerOk = AddButton(outer.get(), "OK", mrOk, 120);
  TModalResult innerResult = mrNone;
  open->SetOnClick([&](TObject*) {
    Later([&] { WidgetAs<QPushButton>(innerOk)->click(); });
    innerResult = inner->ShowModal();
    Later([&] { WidgetAs<QPushButton>(outerOk)->click(); });
  });
  Later([&] { WidgetAs<QPushButton>(open)->click(); });
  EXPECT_EQ(outer->ShowModal(), mrOk);
  EXPECT_EQ(innerResult, mrYes);
}

// Clicks the button of the open message box that has Text.
void AnswerMessageBox(const QString& Text) {
  Later([Text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* b : box->buttons())
      if (b->text().remove('&') == Text) {
        b->click();
        return;
      }
    ADD_FAILURE() << "no button " << Text.toStdString();
    box->reject();
  });
}

TEST(QtDialogs, AMessageDialogReturnsTheModalResultOfTheButtonChosen) {
  AnswerMessageBox("No");
  EXPECT_EQ(MessageDlg("Save the changes?", mtConfirmation, mbYesNoCancel), mrNo);
  AnswerMessageBox("Retry");
  EXPECT_EQ(MessageDlg("Disk not ready", mtError, mbAbortRetryIgnore), mrRetry);
  Later([] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString("Two\nlines"));
    box->reject();  // Escape: the most cancel-like answer
  });
  EXPECT_EQ(MessageDlg("Two\r\nlines", mtWarning, mbOKCancel), mrCancel);
}

TEST(QtDialogs, AnOpenDialogFillsFileNameAndFilterIndex) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath("German.lng");
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  TOpenDialog dialog(nullptr);
  dialog.SetFilter("Language files (*.lng)|*.lng|All files|*");
  dialog.SetInitialDir(FromQ(dir.path()));
  dialog.SetOptions({ofFileMustExist});
  Later([file] {
    auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->nameFilters().size(), 2);
    EXPECT_EQ(box->nameFilters()[0], QString("Language files (*.lng)"));
    box->selectFile(file);
    QMetaObject::invokeMethod(box, "accept");
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), FromQ(file));
  EXPECT_EQ(dialog.FilterIndex(), 1);
  Later([] { QApplication::activeModalWidget()->close(); });
  EXPECT_FALSE(dialog.Execute());
}

TEST(QtDialogs, HostFiltersBecomeQtNameFilters) {
  const QStringList f = TQtDialogs::NameFilters("Text files (*.txt)|*.txt;*.text|All|*");
  ASSERT_EQ(f.size(), 2);
  EXPECT_EQ(f[0], QString("Text files (*.txt) (*.txt *.text)"));
  EXPECT_EQ(f[1], QString("All (*)"));
  EXPECT_TRUE(TQtDialogs::NameFilters("").isEmpty());
}

}  // namespace
}  // namespace host::qt::test
