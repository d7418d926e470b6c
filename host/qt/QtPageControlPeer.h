// Page controls: a tab bar where the model keeps its tabs (TabHeight on the
// tab side), and the tab sheets as containers at the model's display
// rectangle; only the active sheet shows. The database grid: its columns
// and titles in a table header.
#pragma once

#include <vector>

#include "host/controls/DBGrids.h"
#include "host/controls/PageControl.h"
#include "host/qt/QtControlPeer.h"

class QTabBar;
class QTableWidget;

namespace host::qt {

class TQtPageControlPeer : public TQtControlPeer {
public:
  explicit TQtPageControlPeer(TPageControl* PageControl);
  TPageControl* PageControl() const { return static_cast<TPageControl*>(Control()); }
  QTabBar* TabBar() const { return FTabBar; }
  void Changed(TPeerChange Change) override;
  // The page a tab stands for (tabs exist for visible pages only).
  int PageOfTab(int Tab) const;

protected:
  void ApplyBounds() override;

private:
  void ApplyTabs();
  void ApplyActivePage();
  void PlaceTabBar();

  QTabBar* FTabBar;
  std::vector<TTabSheet*> FTabPages;
};

class TQtTabSheetPeer : public TQtControlPeer {
public:
  explicit TQtTabSheetPeer(TTabSheet* Sheet);
  TTabSheet* Sheet() const { return static_cast<TTabSheet*>(Control()); }
  void Changed(TPeerChange Change) override;

protected:
  // Shown while it is its page control's active page.
  void ApplyVisible() override;
  void ApplyText() override;
  void ApplyColor() override;
};

class TQtDBGridPeer : public TQtControlPeer {
public:
  explicit TQtDBGridPeer(TDBGrid* Grid);
  TDBGrid* Grid() const { return static_cast<TDBGrid*>(Control()); }
  QTableWidget* Table() const;
  void Changed(TPeerChange Change) override;

private:
  void ApplyColumns();
  // Visible columns only: the table column of each model column, or -1.
  std::vector<int> FShown;
};

}  // namespace host::qt
