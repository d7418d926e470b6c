#include "host/qt/QtMenuPeer.h"

#include <QPointer>
#include <QTimer>

#include "host/controls/Application.h"
#include "host/controls/Control.h"
#include "host/controls/Forms.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtFormPeer.h"
#include "host/qt/QtImages.h"
#include "host/qt/QtWidgetSet.h"

namespace host::qt {

namespace {
void DeleteSoon(QObject* Object) {
  if (TQtWidgetSet::Reporting())
    Object->deleteLater();
  else
    delete Object;
}
bool Contains(const TMenuItem* Parent, const TMenuItem* Item) {
  for (int i = 0; i < Parent->Count(); ++i)
    if (Parent->Items(i) == Item || Contains(Parent->Items(i), Item)) return true;
  return false;
}
}  // namespace

TQtMenuPeer::TQtMenuPeer(TMenu* Menu) : FMenu(Menu), FGuard(std::make_unique<QObject>()) {
  if (dynamic_cast<TMainMenu*>(Menu))
    FBar = new QMenuBar;
  else
    FPopup = new QMenu;
}

TQtMenuPeer::~TQtMenuPeer() {
  FGuard.reset();
  Dispose();
  if (FBar) {
    FBar->hide();
    DeleteSoon(FBar.data());
  }
  if (FPopup) {
    FPopup->hide();
    DeleteSoon(FPopup.data());
  }
}

QAction* TQtMenuPeer::ActionOf(const TMenuItem* Item) const {
  auto it = FActions.find(Item);
  return it == FActions.end() ? nullptr : it->second;
}

void TQtMenuPeer::ItemChanged(TMenuItem* Item, TMenuChange Change) {
  if (Change == mcChanged && Item) {
    QAction* action = ActionOf(Item);
    // A caption that becomes (or stops being) a line changes the structure.
    if (action && action->isSeparator() == Item->IsLine()) {
      Update(Item, action);
      return;
    }
  }
  Rebuild(Change == mcRemoving ? Item : nullptr);
}

void TQtMenuPeer::Dispose() {
  // Qt may be inside one of these actions' handlers: disconnect now and
  // delete once it is out.
  for (auto& object : FMade) {
    if (!object) continue;
    object->disconnect();
    DeleteSoon(object.data());
  }
  FMade.clear();
  FActions.clear();
}

void TQtMenuPeer::Rebuild(const TMenuItem* Skip) {
  if (FOpening) {
    FStale = true;
    return;
  }
  QWidget* container = FBar ? static_cast<QWidget*>(FBar.data()) : FPopup.data();
  if (!container) return;
  for (QAction* a : container->actions()) container->removeAction(a);
  Dispose();
  container->setLayoutDirection(ToQDirection(FMenu->BiDiMode()));
  if (FMenu->Items() && FMenu->Items() != Skip) AddItems(container, FMenu->Items(), Skip);
  if (FBar) {
    // The form's window makes room for the bar's new height.
    if (auto* form = dynamic_cast<TCustomForm*>(FMenu->Owner()); form && form->Menu() == FMenu)
      if (auto* peer = dynamic_cast<TQtFormPeer*>(form->Peer())) peer->Changed(pcMenu);
  }
}

void TQtMenuPeer::AddItems(QWidget* Container, const TMenuItem* Parent, const TMenuItem* Skip) {
  for (int i = 0; i < Parent->Count(); ++i) {
    TMenuItem* item = Parent->Items(i);
    if (item == Skip) continue;
    QAction* action = nullptr;
    if (item->IsLine()) {
      action = new QAction(Container);
      action->setSeparator(true);
    } else if (item->Count() > 0) {
      auto* sub = new QMenu(Container);
      sub->setLayoutDirection(ToQDirection(FMenu->BiDiMode()));
      FMade.emplace_back(sub);
      AddItems(sub, item, Skip);
      action = sub->menuAction();
      // The host fires a parent item's OnClick as its sub-menu opens.
      QObject::connect(sub, &QMenu::aboutToShow, FGuard.get(), [this, item, sub] { Opening(item, sub); });
    } else {
      action = new QAction(Container);
      QObject::connect(action, &QAction::triggered, FGuard.get(), [this, item, action] {
        const QPointer<QObject> alive(FGuard.get());
        const QPointer<QAction> shown(action);
        TQtWidgetSet::Report([&] { item->Click(); });
        // Qt flips a checkable action before this; the model decides (a
        // checked radio item stays checked). The handler may have freed
        // the menu, or the item, which rebuilds the actions.
        if (!alive || !shown) return;
        auto it = FActions.find(item);
        if (it == FActions.end() || it->second != action) return;
        QSignalBlocker block(action);
        action->setChecked(item->Checked());
      });
    }
    if (!action->menu()) FMade.emplace_back(action);
    FActions[item] = action;
    Update(item, action);
    Container->addAction(action);
  }
}

void TQtMenuPeer::Opening(TMenuItem* Item, QMenu* Sub) {
  const QPointer<QObject> alive(FGuard.get());
  const QPointer<QMenu> shown(Sub);
  FOpening = Item;
  FStale = false;
  TQtWidgetSet::Report([&] { Item->Click(); });
  if (!alive) return;  // the handler freed the menu
  FOpening = nullptr;
  if (!FStale) return;
  FStale = false;
  // The handler may have taken the item out of the menu, or freed it:
  // look for it without touching it.
  if (!shown || !FMenu->Items() || !Contains(FMenu->Items(), Item)) {
    Rebuild(nullptr);
    return;
  }
  // Items filled in now show in the menu that opens; the rest of the menu
  // is laid out again once it has closed.
  for (QAction* a : Sub->actions()) Sub->removeAction(a);
  AddItems(Sub, Item, nullptr);
  QObject::connect(
      Sub, &QMenu::aboutToHide, FGuard.get(),
      [this] { QTimer::singleShot(0, FGuard.get(), [this] { Rebuild(nullptr); }); }, Qt::SingleShotConnection);
}

void TQtMenuPeer::Update(TMenuItem* Item, QAction* Action) const {
  QSignalBlocker block(Action);
  Action->setVisible(Item->Visible());
  if (Item->IsLine()) return;
  Action->setText(ToQ(Item->Caption()));
  Action->setEnabled(Item->Enabled());
  Action->setCheckable(Item->Checked() || Item->AutoCheck() || Item->RadioItem());
  Action->setChecked(Item->Checked());
  Action->setToolTip(ToolTipText(Item->Hint()));
  Action->setStatusTip(ToolTipText(Item->Hint()));
  Action->setIcon(IconOf(FMenu->Images(), Item->ImageIndex()));
  // The form handles shortcuts through the model; the menu only shows them.
  Action->setShortcutContext(Qt::WidgetShortcut);
  Action->setShortcut(ToQKeySequence(Item->ShortCut()));
  QFont font = Action->font();
  font.setBold(Item->Default());
  Action->setFont(font);
}

void TQtMenuPeer::Popup(int X, int Y) {
  if (!FPopup) return;
  // The models count screen positions from the form's origin.
  QPoint global(X, Y);
  auto* popup = dynamic_cast<TPopupMenu*>(FMenu);
  auto* control = popup ? dynamic_cast<TControl*>(popup->PopupComponent()) : nullptr;
  if (TCustomForm* form = control ? GetParentForm(control) : nullptr)
    if (auto* peer = dynamic_cast<TQtFormPeer*>(form->Peer()))
      global = peer->ClientWidget()->mapToGlobal(QPoint(X - form->Left(), Y - form->Top()));
  FPopup->setLayoutDirection(ToQDirection(FMenu->BiDiMode()));
  FPopup->popup(global);
}

}  // namespace host::qt
