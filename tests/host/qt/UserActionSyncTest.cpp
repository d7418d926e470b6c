// After a user action the widget shows what the model decided, even where
// Qt changed the widget first; handlers that free their own control are
// safe; state the widget gets later still reaches it.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "host/controls/Buttons.h"
#include "host/controls/ComCtrlsAll.h"
#include "host/controls/ComboBox.h"
#include "host/controls/StdCtrls.h"
#include "host/qt/QtMenuPeer.h"
#include "host/qt/QtPageControlPeer.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

TEST(QtUserActionSync, AGroupedButtonThatMayNotGoUpStaysDownOnScreen) {
  TFormPtr form = NewForm();
  auto* speed = Place<TSpeedButton>(form.get(), 10, 10, 23, 22);
  speed->SetGroupIndex(1);
  speed->SetDown(true);
  auto* bar = new TToolBar(form.get());
  bar->SetParent(form.get());
  auto* tool = new TToolButton(form.get());
  tool->SetParent(bar);
  tool->SetStyle(tbsCheck);
  tool->SetGrouped(true);
  tool->SetDown(true);
  form->Show();
  auto* ws = WidgetAs<QToolButton>(speed);
  auto* wt = WidgetAs<QToolButton>(tool);
  ASSERT_NE(ws, nullptr);
  ASSERT_NE(wt, nullptr);
  ws->click();
  EXPECT_TRUE(speed->Down());
  EXPECT_TRUE(ws->isChecked());
  wt->click();
  EXPECT_TRUE(tool->Down());
  EXPECT_TRUE(wt->isChecked());
  // With AllowAllUp the same click lets it go up, on both sides.
  speed->SetAllowAllUp(true);
  ws->click();
  EXPECT_FALSE(speed->Down());
  EXPECT_FALSE(ws->isChecked());
}

TEST(QtUserActionSync, MenuCheckMarksFollowTheModel) {
  TFormPtr form = NewForm();
  auto* menu = new TMainMenu(form.get());
  auto* view = new TMenuItem(form.get());
  view->SetCaption("&View");
  menu->Items()->Add(view);
  auto* large = new TMenuItem(form.get());
  large->SetCaption("Large");
  auto* small = new TMenuItem(form.get());
  small->SetCaption("Small");
  for (TMenuItem* item : {large, small}) {
    item->SetRadioItem(true);
    item->SetAutoCheck(true);
    item->SetGroupIndex(1);
    view->Add(item);
  }
  large->SetChecked(true);
  // Checked, but not AutoCheck: only its handler may change that.
  auto* pinned = new TMenuItem(form.get());
  pinned->SetCaption("Pinned");
  pinned->SetChecked(true);
  view->Add(pinned);
  form->SetMenu(menu);
  form->Show();
  auto* peer = dynamic_cast<TQtMenuPeer*>(menu->Peer());
  ASSERT_NE(peer, nullptr);
  peer->ActionOf(large)->trigger();
  EXPECT_TRUE(large->Checked());
  EXPECT_TRUE(peer->ActionOf(large)->isChecked());
  peer->ActionOf(small)->trigger();
  EXPECT_TRUE(small->Checked());
  EXPECT_FALSE(large->Checked());
  EXPECT_TRUE(peer->ActionOf(small)->isChecked());
  EXPECT_FALSE(peer->ActionOf(large)->isChecked());
  peer->ActionOf(pinned)->trigger();
  EXPECT_TRUE(pinned->Checked());
  EXPECT_TRUE(peer->ActionOf(pinned)->isChecked());
}

TEST(QtUserActionSync, ACheckBoxNeverShowsAStateTheModelDoesNotHold) {
  TFormPtr form = NewForm();
  auto* check = Place<TCheckBox>(form.get(), 10, 10, 120, 17);
  check->SetState(cbGrayed);  // set in code, though the user may not gray it
  form->Show();
  auto* w = WidgetAs<QCheckBox>(check);
  ASSERT_NE(w, nullptr);
  auto shown = [&] {
    return w->checkState() == Qt::Checked ? cbChecked : w->checkState() == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
  };
  EXPECT_EQ(shown(), cbGrayed);
  for (int i = 0; i < 4; ++i) {
    w->click();
    EXPECT_NE(check->State(), cbGrayed) << "click " << i;
    EXPECT_EQ(shown(), check->State()) << "click " << i;
  }
  // Allowing the grayed state later reaches the widget.
  check->SetAllowGrayed(true);
  EXPECT_TRUE(w->isTristate());
}

TEST(QtUserActionSync, AComboBoxClosesUpOnlyWhenItsListWasOpen) {
  TFormPtr form = NewForm();
  auto* combo = Place<TComboBox>(form.get(), 10, 10, 150, 21);
  combo->Items()->Add("German");
  int drops = 0, closes = 0;
  combo->SetOnDropDown([&](TObject*) { ++drops; });
  combo->SetOnCloseUp([&](TObject*) { ++closes; });
  form->Show();
  auto* w = WidgetAs<QComboBox>(combo);
  ASSERT_NE(w, nullptr);
  combo->SetVisible(false);
  combo->SetVisible(true);
  form->Hide();
  form->Show();
  EXPECT_EQ(closes, 0);
  w->showPopup();
  w->hidePopup();
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(closes, 1);
  // Freeing the form with the list open tells nobody.
  w->showPopup();
  form.reset();
  Flush();
  EXPECT_EQ(closes, 1);
}

TEST(QtUserActionSync, ALabelFindsAFocusControlPlacedAfterIt) {
  TFormPtr form = NewForm();
  auto* label = Place<TLabel>(form.get(), 10, 10, 60, 16);
  label->SetAutoSize(false);
  label->SetCaption("&Street:");
  auto* edit = Place<TEdit>(form.get(), 80, 10, 120, 21);
  label->SetFocusControl(edit);
  form->Show();
  Flush();
  auto* w = WidgetAs<QLabel>(label);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->buddy(), TQtControlPeer::WidgetOf(edit));
  EXPECT_EQ(w->text(), QString("&Street:"));
}

TEST(QtUserActionSync, SelectingTheNextPageInCodeMovesTheTabs) {
  TFormPtr form = NewForm();
  auto* pages = Place<TPageControl>(form.get(), 10, 10, 300, 200);
  for (const char* caption : {"One", "Two", "Three"}) {
    auto* sheet = new TTabSheet(form.get());
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
  }
  form->Show();
  auto* peer = dynamic_cast<TQtPageControlPeer*>(pages->Peer());
  ASSERT_NE(peer, nullptr);
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePage()->PageIndex(), 1);
  EXPECT_EQ(peer->TabBar()->currentIndex(), 1);
  pages->SelectNextPage(false);
  pages->SelectNextPage(false);
  EXPECT_EQ(peer->TabBar()->currentIndex(), 2);
}

TEST(QtUserActionSync, AHandlerMayFreeItsOwnControl) {
  TFormPtr form = NewForm();
  auto* pages = Place<TPageControl>(form.get(), 10, 10, 300, 200);
  for (const char* caption : {"One", "Two"}) {
    auto* sheet = new TTabSheet(form.get());
    sheet->SetPageControl(pages);
    sheet->SetCaption(caption);
  }
  int changes = 0;
  pages->SetOnChange([&](TObject*) {
    ++changes;
    delete pages;
  });
  form->Show();
  QTabBar* tabs = dynamic_cast<TQtPageControlPeer*>(pages->Peer())->TabBar();
  tabs->setCurrentIndex(1);
  Flush();
  EXPECT_EQ(changes, 1);
  // The sheets went with their control.
  EXPECT_EQ(form->ComponentCount(), 0);
}

TEST(QtUserActionSync, AComboBoxMadeEditableLaterKeepsItsLengthLimit) {
  TFormPtr form = NewForm();
  auto* combo = Place<TComboBox>(form.get(), 10, 10, 150, 21);
  combo->SetStyle(csDropDownList);
  combo->SetMaxLength(5);
  form->Show();
  combo->SetStyle(csDropDown);
  auto* w = WidgetAs<QComboBox>(combo);
  ASSERT_NE(w, nullptr);
  ASSERT_NE(w->lineEdit(), nullptr);
  EXPECT_EQ(w->lineEdit()->maxLength(), 5);
}

TEST(QtUserActionSync, AnExceptionHandlerThatRaisesStopsAtTheWidgetset) {
  TFormPtr form = NewForm();
  auto* button = Place<TButton>(form.get(), 10, 10, 75, 25);
  button->SetOnClick([](TObject*) { throw EConvertError("bad input"); });
  int handled = 0;
  WidgetSet().SetOnException([&](const std::exception&) {
    ++handled;
    throw std::runtime_error("the handler failed too");
  });
  form->Show();
  WidgetAs<QPushButton>(button)->click();
  WidgetSet().SetOnException(nullptr);
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(WidgetSet().LastError(), "bad input");
  EXPECT_FALSE(TQtWidgetSet::Reporting());
}

TEST(QtUserActionSync, ASubMenuFilledInAsItOpensShowsTheNewItems) {
  TFormPtr form = NewForm();
  auto* menu = new TMainMenu(form.get());
  auto* window = new TMenuItem(form.get());
  window->SetCaption("&Window");
  menu->Items()->Add(window);
  auto* placeholder = new TMenuItem(form.get());
  placeholder->SetCaption("(none)");
  window->Add(placeholder);
  std::vector<std::string> chosen;
  int fills = 0;
  window->SetOnClick([&](TObject*) {
    ++fills;
    while (window->Count() > 0) delete window->Items(0);
    for (const char* doc : {"Doc1", "Doc2"}) {
      auto* item = new TMenuItem(form.get());
      item->SetCaption(doc);
      item->SetOnClick([&chosen, doc](TObject*) { chosen.push_back(doc); });
      window->Add(item);
    }
  });
  form->SetMenu(menu);
  form->Show();
  auto* peer = dynamic_cast<TQtMenuPeer*>(menu->Peer());
  ASSERT_NE(peer, nullptr);
  QMenu* sub = peer->ActionOf(window)->menu();
  ASSERT_NE(sub, nullptr);
  emit sub->aboutToShow();
  EXPECT_EQ(fills, 1);
  ASSERT_EQ(sub->actions().size(), 2);
  EXPECT_EQ(sub->actions()[1]->text(), QString("Doc2"));
  sub->actions()[1]->trigger();
  EXPECT_EQ(chosen, std::vector<std::string>{"Doc2"});
  // Once closed, the whole menu is laid out again and still works.
  emit sub->aboutToHide();
  Flush();
  QAction* doc1 = peer->ActionOf(window->Items(0));
  ASSERT_NE(doc1, nullptr);
  doc1->trigger();
  EXPECT_EQ(chosen, (std::vector<std::string>{"Doc2", "Doc1"}));
}

}  // namespace
}  // namespace host::qt::test
