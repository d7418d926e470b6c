// Menus: a main menu becomes a QMenuBar that its form's window shows, a
// pop-up menu a QMenu. Each menu item is a QAction (with a QMenu of its
// own when it has sub-items); choosing one calls the item's Click.
#pragma once

#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <memory>
#include <unordered_map>
#include <vector>

#include "host/controls/Menus.h"

namespace host::qt {

class TQtMenuPeer : public IMenuPeer {
public:
  explicit TQtMenuPeer(TMenu* Menu);
  ~TQtMenuPeer() override;
  TQtMenuPeer(const TQtMenuPeer&) = delete;
  TQtMenuPeer& operator=(const TQtMenuPeer&) = delete;

  void ItemChanged(TMenuItem* Item, TMenuChange Change) override;
  void Popup(int X, int Y) override;

  TMenu* Menu() const { return FMenu; }
  // The bar of a main menu; null for a pop-up menu.
  QMenuBar* MenuBar() const { return FBar; }
  // The menu of a pop-up menu; null for a main menu.
  QMenu* PopupMenu() const { return FPopup; }
  // The action showing an item (null when it has none).
  QAction* ActionOf(const TMenuItem* Item) const;

private:
  void Rebuild(const TMenuItem* Skip);
  void AddItems(QWidget* Container, const TMenuItem* Parent, const TMenuItem* Skip);
  void Update(TMenuItem* Item, QAction* Action) const;
  void Dispose();
  // A sub-menu is opening: its item's OnClick may fill it in.
  void Opening(TMenuItem* Item, QMenu* Sub);

  TMenu* FMenu;
  QPointer<QMenuBar> FBar;
  QPointer<QMenu> FPopup;
  std::unique_ptr<QObject> FGuard;
  std::unordered_map<const TMenuItem*, QAction*> FActions;
  std::vector<QPointer<QObject>> FMade;
  // While an opening sub-menu's item handles its click, changes are only
  // noted: that menu is on its way to the screen.
  const TMenuItem* FOpening = nullptr;
  bool FStale = false;
};

}  // namespace host::qt
