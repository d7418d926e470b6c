// Forms as real windows: the window follows the model's caption, client
// size, visibility and reading order; the user's resize and close box go
// back to the model; peers go when the form does.
#include <QCloseEvent>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "host/controls/Application.h"
#include "host/controls/StdCtrls.h"
#include "host/qt/QtFormPeer.h"
#include "host/qt/QtRender.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

TQtFormPeer* FormPeer(const TCustomForm* Form) { return dynamic_cast<TQtFormPeer*>(Form->Peer()); }

TEST(QtFormPeer, ShowingAFormCreatesAWindowWithTheModelsCaptionAndClientSize) {
  TFormPtr form = NewForm(333, 222);
  form->SetCaption("Main window");
  EXPECT_EQ(form->Peer(), nullptr);
  form->Show();
  TQtFormPeer* peer = FormPeer(form.get());
  ASSERT_NE(peer, nullptr);
  QWidget* window = peer->Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), QString("Main window"));
  EXPECT_EQ(peer->ClientWidget()->size(), QSize(333, 222));
  form->SetCaption("Renamed");
  EXPECT_EQ(window->windowTitle(), QString("Renamed"));
  form->SetClientWidth(400);
  EXPECT_EQ(peer->ClientWidget()->width(), 400);
  form->Hide();
  EXPECT_FALSE(window->isVisible());
}

TEST(QtFormPeer, ChildControlsSitAtTheModelsCoordinatesInsideTheClientArea) {
  TFormPtr form = NewForm();
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(12, 34, 120, 21);
  form->Show();
  QWidget* w = TQtControlPeer::WidgetOf(edit);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->parentWidget(), FormPeer(form.get())->ClientWidget());
  EXPECT_EQ(w->geometry(), QRect(12, 34, 120, 21));
  edit->SetLeft(50);
  EXPECT_EQ(w->geometry(), QRect(50, 34, 120, 21));
}

TEST(QtFormPeer, AlignedControlsAreLaidOutAsTheModelLaysThemOut) {
  TFormPtr form = NewForm(300, 200);
  auto* top = new TEdit(form.get());
  top->SetParent(form.get());
  top->SetHeight(20);
  top->SetAlign(alTop);
  auto* client = new TMemo(form.get());
  client->SetParent(form.get());
  client->SetAlign(alClient);
  form->Show();
  EXPECT_EQ(TQtControlPeer::WidgetOf(top)->geometry(), QRect(0, 0, 300, 20));
  EXPECT_EQ(TQtControlPeer::WidgetOf(client)->geometry(), QRect(0, 20, 300, 180));
  // The user makes the window larger: the model realigns, the widgets follow.
  FormPeer(form.get())->Window()->resize(400, 250 + (FormPeer(form.get())->MenuBar() ? 0 : 0));
  EXPECT_EQ(form->ClientWidth(), 400);
  EXPECT_EQ(TQtControlPeer::WidgetOf(client)->geometry(), QRect(0, 20, 400, 230));
}

TEST(QtFormPeer, ADialogWindowHasAFixedSizeThatStillFollowsTheModel) {
  TFormPtr form = NewForm(300, 200);
  form->SetBorderStyle(bsDialog);
  form->Show();
  QWidget* window = FormPeer(form.get())->Window();
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->size(), QSize(300, 200));
  form->SetClientWidth(360);
  EXPECT_EQ(window->size(), QSize(360, 200));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  form->SetBorderStyle(bsSizeable);
  EXPECT_NE(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->size(), QSize(360, 200));
}

TEST(QtFormPeer, TheCloseBoxAsksTheModelWhichMayRefuse) {
  TFormPtr form = NewForm();
  bool allow = false;
  int asked = 0;
  form->SetOnCloseQuery([&](TObject*, bool& CanClose) {
    ++asked;
    CanClose = allow;
  });
  form->Show();
  QWidget* window = FormPeer(form.get())->Window();
  window->close();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(window->isVisible());
  allow = true;
  window->close();
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(window->isVisible());
}

TEST(QtFormPeer, FreeingAFormOrAControlFreesItsWidgets) {
  TFormPtr form = NewForm();
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  form->Show();
  QPointer<QWidget> editWidget = TQtControlPeer::WidgetOf(edit);
  QPointer<QWidget> window = FormPeer(form.get())->Window();
  ASSERT_TRUE(editWidget);
  delete edit;
  Flush();
  EXPECT_FALSE(editWidget);
  EXPECT_TRUE(window);
  form.reset();
  Flush();
  EXPECT_FALSE(window);
}

TEST(QtFormPeer, ControlsAddedToAShownFormGetWidgetsAtOnce) {
  TFormPtr form = NewForm();
  form->Show();
  auto* label = new TLabel(form.get());
  label->SetCaption("Late");
  label->SetParent(form.get());
  ASSERT_NE(TQtControlPeer::WidgetOf(label), nullptr);
  EXPECT_TRUE(TQtControlPeer::WidgetOf(label)->isVisibleTo(FormPeer(form.get())->Window()));
}

TEST(QtFormPeer, RightToLeftReadingMirrorsTheLayoutOfTheFormAndItsChildren) {
  TFormPtr form = NewForm();
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  form->Show();
  QWidget* w = TQtControlPeer::WidgetOf(edit);
  EXPECT_EQ(w->layoutDirection(), Qt::LeftToRight);
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(FormPeer(form.get())->Window()->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft);
  // A child that keeps its own reading order is not mirrored.
  edit->SetBiDiMode(bdLeftToRight);
  EXPECT_EQ(w->layoutDirection(), Qt::LeftToRight);
  edit->SetParentBiDiMode(true);
  EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft);
}

}  // namespace
}  // namespace host::qt::test

namespace host::qt::test {
namespace {

TEST(QtWidgetSet, RunHandlesEventsFreesReleasedFormsAndEndsWithTheMainForm) {
  Application()->ResetTerminated();
  TFormPtr main = NewForm();
  auto* other = new TForm(nullptr);
  bool otherFreed = false;
  other->SetOnDestroy([&](TObject*) { otherFreed = true; });
  other->SetOnClose([](TObject*, TCloseAction& Action) { Action = caFree; });
  Application()->SetMainForm(main.get());
  other->Show();
  QTimer::singleShot(0, qApp, [&] {
    // The user closes the other window: it is freed by the loop, later.
    dynamic_cast<TQtFormPeer*>(other->Peer())->Window()->close();
    EXPECT_FALSE(otherFreed);
    QTimer::singleShot(10, qApp, [&] {
      EXPECT_TRUE(otherFreed);
      dynamic_cast<TQtFormPeer*>(main->Peer())->Window()->close();
    });
  });
  // A test that goes wrong must not hang.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { Application()->Terminate(); });
  guard.start(10000);
  Application()->Run();
  EXPECT_TRUE(guard.isActive()) << "the loop had to be stopped";
  EXPECT_TRUE(otherFreed);
  EXPECT_TRUE(Application()->Terminated());
  EXPECT_FALSE(main->Visible());
  Application()->SetMainForm(nullptr);
  Application()->ResetTerminated();
}

TEST(QtRender, PicturesAreCappedAndWrittenWholeOrNotAtAll) {
  TFormPtr form = NewForm(9000, 9000);
  form->SetName("Huge");
  try {
    RenderForm(form.get());
    ADD_FAILURE() << "drew 81 million pixels";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("The form Huge is 9000 x 9000 pixels"), std::string::npos) << e.what();
  }
  EXPECT_EQ(form->Peer(), nullptr);  // no window was made for it
  form->SetClientWidth(120);
  form->SetClientHeight(80);
  const std::string folder = ::testing::TempDir() + "render_" + std::to_string(::getpid());
  std::filesystem::create_directories(folder);
  SaveFormImage(form.get(), folder + "/small.png");
  EXPECT_EQ(QImage(QString::fromStdString(folder + "/small.png")).size(), QSize(120, 80));
  EXPECT_THROW(SaveFormImage(form.get(), folder + "/missing/small.png"), EFCreateError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace host::qt::test
