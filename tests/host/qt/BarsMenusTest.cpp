// Tool bars, drop-down tool buttons, status bars, page controls and menus
// on real widgets.
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStyleOption>
#include <QTabBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "host/controls/ComCtrlsAll.h"
#include "host/controls/StdCtrls.h"
#include "host/qt/QtBarPeers.h"
#include "host/qt/QtFormPeer.h"
#include "host/qt/QtMenuPeer.h"
#include "host/qt/QtPageControlPeer.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const std::string& Caption) {
  auto* item = new TMenuItem(Owner);
  item->SetCaption(Caption);
  Parent->Add(item);
  return item;
}

TEST(QtToolBarPeer, ToolButtonsSitWhereTheModelPutsThemAndClick) {
  TFormPtr form = NewForm();
  auto* bar = new TToolBar(form.get());
  bar->SetParent(form.get());
  bar->SetShowCaptions(true);
  auto* button = new TToolButton(form.get());
  button->SetCaption("Save");
  button->SetParent(bar);
  int clicks = 0;
  button->SetOnClick([&](TObject*) { ++clicks; });
  form->Show();
  auto* w = WidgetAs<QToolButton>(button);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->parentWidget(), TQtControlPeer::WidgetOf(bar));
  EXPECT_EQ(w->geometry(), QRect(button->Left(), button->Top(), button->Width(), button->Height()));
  EXPECT_EQ(w->text(), QString("Save"));
  w->click();
  EXPECT_EQ(clicks, 1);
  button->SetStyle(tbsCheck);
  w->click();
  EXPECT_TRUE(button->Down());
  EXPECT_TRUE(w->isChecked());
}

TEST(QtToolButtonPeer, TheDropDownArrowPopsTheButtonsMenuThroughTheModel) {
  TFormPtr form = NewForm();
  auto* bar = new TToolBar(form.get());
  bar->SetParent(form.get());
  auto* menu = new TPopupMenu(form.get());
  AddItem(form.get(), menu->Items(), "Export");
  auto* button = new TToolButton(form.get());
  button->SetParent(bar);
  button->SetStyle(tbsDropDown);
  button->SetDropdownMenu(menu);
  button->SetWidth(40);
  int clicks = 0;
  button->SetOnClick([&](TObject*) { ++clicks; });
  form->Show();
  auto* w = WidgetAs<QToolButton>(button);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->popupMode(), QToolButton::MenuButtonPopup);
  QStyleOptionToolButton opt;
  opt.initFrom(w);
  opt.subControls = QStyle::SC_ToolButton | QStyle::SC_ToolButtonMenu;
  opt.features = QStyleOptionToolButton::MenuButtonPopup | QStyleOptionToolButton::HasMenu;
  const QRect arrow = w->style()->subControlRect(QStyle::CC_ToolButton, &opt, QStyle::SC_ToolButtonMenu, w);
  ASSERT_FALSE(arrow.isEmpty());
  ClickAt(w, arrow.center());
  EXPECT_EQ(menu->PopupCount(), 1);
  EXPECT_EQ(menu->PopupComponent(), button);
  auto* peer = dynamic_cast<TQtMenuPeer*>(menu->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_TRUE(peer->PopupMenu()->isVisible());
  EXPECT_EQ(clicks, 0);
  peer->PopupMenu()->hide();
}

TEST(QtStatusBarPeer, PanelsShowTheirTextsAndMirrorRightToLeft) {
  TFormPtr form = NewForm(300, 200);
  auto* bar = new TStatusBar(form.get());
  bar->SetParent(form.get());
  bar->SetAlign(alBottom);
  bar->Panels()->Add()->SetText("Ready");
  bar->Panels()->Items(0)->SetWidth(100);
  bar->Panels()->Add()->SetText("Line 1");
  form->Show();
  auto* peer = dynamic_cast<TQtStatusBarPeer*>(bar->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_EQ(peer->Widget()->geometry(), QRect(0, 200 - bar->Height(), 300, bar->Height()));
  EXPECT_EQ(peer->PanelRect(0).left(), 0);
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(peer->PanelRect(0).right(), 299);
}

TEST(QtPageControlPeer, TabsFollowTheSheetsAndSwitchPagesThroughTheModel) {
  TFormPtr form = NewForm(400, 300);
  auto* pages = new TPageControl(form.get());
  pages->SetParent(form.get());
  pages->SetBounds(10, 10, 300, 200);
  auto* first = new TTabSheet(form.get());
  first->SetPageControl(pages);
  first->SetCaption("General");
  auto* second = new TTabSheet(form.get());
  second->SetPageControl(pages);
  second->SetCaption("Fonts");
  auto* edit = new TEdit(form.get());
  edit->SetParent(second);
  edit->SetBounds(5, 6, 80, 21);
  bool allow = true;
  pages->SetOnChanging([&](TObject*, bool& Allow) { Allow = allow; });
  int changes = 0;
  pages->SetOnChange([&](TObject*) { ++changes; });
  form->Show();
  auto* peer = dynamic_cast<TQtPageControlPeer*>(pages->Peer());
  ASSERT_NE(peer, nullptr);
  QTabBar* tabs = peer->TabBar();
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(1), QString("Fonts"));
  EXPECT_EQ(tabs->currentIndex(), 0);
  QWidget* secondWidget = TQtControlPeer::WidgetOf(second);
  const TRect display = pages->DisplayRect();
  EXPECT_EQ(secondWidget->geometry(), QRect(display.Left, display.Top, display.Width(), display.Height()));
  EXPECT_FALSE(secondWidget->isVisibleTo(peer->Widget()));
  EXPECT_EQ(TQtControlPeer::WidgetOf(edit)->geometry(), QRect(5, 6, 80, 21));
  tabs->setCurrentIndex(1);
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(secondWidget->isVisibleTo(peer->Widget()));
  EXPECT_FALSE(TQtControlPeer::WidgetOf(first)->isVisibleTo(peer->Widget()));
  allow = false;
  tabs->setCurrentIndex(0);
  EXPECT_EQ(pages->ActivePage(), second);
  EXPECT_EQ(tabs->currentIndex(), 1);
  pages->SetActivePage(first);
  EXPECT_EQ(tabs->currentIndex(), 0);
  second->SetCaption("Schriften");
  EXPECT_EQ(tabs->tabText(1), QString("Schriften"));
}

TEST(QtMenuPeer, TheMainMenuIsTheWindowsMenuBarAndItsItemsClick) {
  TFormPtr form = NewForm();
  auto* menu = new TMainMenu(form.get());
  TMenuItem* file = AddItem(form.get(), menu->Items(), "&File");
  TMenuItem* open = AddItem(form.get(), file, "&Open...");
  AddItem(form.get(), file, "-");
  TMenuItem* wrap = AddItem(form.get(), file, "&Wrap");
  wrap->SetAutoCheck(true);
  int opened = 0;
  open->SetOnClick([&](TObject*) { ++opened; });
  form->SetMenu(menu);
  form->Show();
  auto* formPeer = dynamic_cast<TQtFormPeer*>(form->Peer());
  auto* peer = dynamic_cast<TQtMenuPeer*>(menu->Peer());
  ASSERT_NE(peer, nullptr);
  ASSERT_EQ(formPeer->MenuBar(), peer->MenuBar());
  EXPECT_EQ(peer->MenuBar()->parentWidget(), formPeer->Window());
  // The client area keeps the model's size below the bar.
  EXPECT_EQ(formPeer->ClientWidget()->geometry().top(), peer->MenuBar()->height());
  EXPECT_EQ(formPeer->ClientWidget()->size(), QSize(form->ClientWidth(), form->ClientHeight()));
  ASSERT_EQ(peer->MenuBar()->actions().size(), 1);
  EXPECT_EQ(peer->MenuBar()->actions()[0]->text(), QString("&File"));
  QAction* openAction = peer->ActionOf(open);
  ASSERT_NE(openAction, nullptr);
  openAction->trigger();
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(peer->ActionOf(file)->menu()->actions()[1]->isSeparator());
  peer->ActionOf(wrap)->trigger();
  EXPECT_TRUE(wrap->Checked());
  EXPECT_TRUE(peer->ActionOf(wrap)->isChecked());
  open->SetCaption("&Öffnen...");
  EXPECT_EQ(openAction->text(), QString("&Öffnen..."));
  open->SetEnabled(false);
  EXPECT_FALSE(openAction->isEnabled());
  // A new item appears at once.
  AddItem(form.get(), file, "E&xit");
  EXPECT_EQ(peer->ActionOf(file)->menu()->actions().size(), 4);
}

TEST(QtMenuPeer, AContextMenuRequestPopsTheControlsPopupMenu) {
  TFormPtr form = NewForm();
  auto* popup = new TPopupMenu(form.get());
  AddItem(form.get(), popup->Items(), "Copy");
  auto* memo = new TMemo(form.get());
  memo->SetParent(form.get());
  memo->SetBounds(10, 10, 200, 100);
  memo->SetPopupMenu(popup);
  int popped = 0;
  popup->SetOnPopup([&](TObject*) { ++popped; });
  form->Show();
  QWidget* w = TQtControlPeer::WidgetOf(memo);
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), w->mapToGlobal(QPoint(20, 20)));
  QApplication::sendEvent(w, &event);
  EXPECT_EQ(popped, 1);
  EXPECT_EQ(popup->PopupComponent(), memo);
  auto* peer = dynamic_cast<TQtMenuPeer*>(popup->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_TRUE(peer->PopupMenu()->isVisible());
  peer->PopupMenu()->hide();
}

}  // namespace
}  // namespace host::qt::test
