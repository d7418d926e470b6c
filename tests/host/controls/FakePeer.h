// A widgetset for tests: every control and menu gets a peer that records
// what the model told it, so tests can check the whole-state push and each
// later change, and can play the user by calling the model's User* methods.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/controls/Application.h"
#include "host/controls/Control.h"
#include "host/controls/Menus.h"
#include "host/controls/Peer.h"

namespace test {

struct TPeerLog {
  std::vector<std::string> Calls;  // "Name:pcText", "Tree:Added:Child", ...
  void Clear() { Calls.clear(); }
  int Count(const std::string& Call) const {
    int n = 0;
    for (const auto& c : Calls)
      if (c == Call) ++n;
    return n;
  }
};

std::string ChangeName(host::TPeerChange Change);

class TFakePeer : public host::IControlPeer {
public:
  TFakePeer(host::TControl* Control, TPeerLog* Log) : FControl(Control), FLog(Log) {}
  ~TFakePeer() override { FLog->Calls.push_back(FControl->Name() + ":destroyed"); }
  void Changed(host::TPeerChange Change) override {
    FLog->Calls.push_back(FControl->Name() + ":" + ChangeName(Change));
    // Reads what a real widget would read, so that a stale model crashes here.
    if (Change == host::pcText) LastText = FControl->Text();
  }
  void TreeNodeChanged(host::TTreeNode* Node, host::TTreeNodesChange Change) override;
  void ListItemChanged(host::TListItem* Item, host::TListItemsChange Change) override;
  void CellChanged(int ACol, int ARow) override {
    FLog->Calls.push_back(FControl->Name() + ":cell:" + std::to_string(ACol) + "," + std::to_string(ARow));
  }
  std::optional<int> ItemAtPos(int X, int Y) const override { return HitItem; }
  void BringToFront() override { FLog->Calls.push_back(FControl->Name() + ":front"); }

  std::string LastText;
  std::optional<int> HitItem;

private:
  host::TControl* FControl;
  TPeerLog* FLog;
};

class TFakeMenuPeer : public host::IMenuPeer {
public:
  TFakeMenuPeer(host::TMenu* Menu, TPeerLog* Log) : FMenu(Menu), FLog(Log) {}
  void ItemChanged(host::TMenuItem* Item, host::TMenuChange Change) override;
  void Popup(int X, int Y) override {
    FLog->Calls.push_back(FMenu->Name() + ":popup:" + std::to_string(X) + "," + std::to_string(Y));
  }

private:
  host::TMenu* FMenu;
  TPeerLog* FLog;
};

// Installs itself in the application for the lifetime of the object.
class TFakeWidgetSet : public host::TWidgetSet {
public:
  TFakeWidgetSet() { host::Application()->SetWidgetSet(this); }
  ~TFakeWidgetSet() override { host::Application()->SetWidgetSet(nullptr); }
  std::unique_ptr<host::IControlPeer> CreatePeer(host::TControl* Control) override {
    Log.Calls.push_back(Control->Name() + ":created");
    return std::make_unique<TFakePeer>(Control, &Log);
  }
  std::unique_ptr<host::IMenuPeer> CreateMenuPeer(host::TMenu* Menu) override {
    Log.Calls.push_back(Menu->Name() + ":menu created");
    return std::make_unique<TFakeMenuPeer>(Menu, &Log);
  }
  static TFakePeer* PeerOf(const host::TControl* Control) { return static_cast<TFakePeer*>(Control->Peer()); }

  TPeerLog Log;
};

}  // namespace test
