#include "host/qt/QtPeerFactory.h"

#include "host/controls/Buttons.h"
#include "host/controls/ComCtrlsAll.h"
#include "host/controls/Grids.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/ListControls.h"
#include "host/controls/StdCtrls.h"
#include "host/qt/QtBarPeers.h"
#include "host/qt/QtButtonPeers.h"
#include "host/qt/QtExtPeers.h"
#include "host/qt/QtFormPeer.h"
#include "host/qt/QtGridPeer.h"
#include "host/qt/QtListPeers.h"
#include "host/qt/QtListViewPeer.h"
#include "host/qt/QtPageControlPeer.h"
#include "host/qt/QtStdPeers.h"
#include "host/qt/QtTreeViewPeer.h"

namespace host::qt {

std::unique_ptr<IControlPeer> CreateQtPeer(TControl* Control) {
  if (auto* c = dynamic_cast<TCustomForm*>(Control)) return std::make_unique<TQtFormPeer>(c);
  if (auto* c = dynamic_cast<TFrame*>(Control)) return std::make_unique<TQtFramePeer>(c);
  if (auto* c = dynamic_cast<TLabel*>(Control)) return std::make_unique<TQtLabelPeer>(c);
  if (auto* c = dynamic_cast<TGroupBox*>(Control)) return std::make_unique<TQtGroupBoxPeer>(c);
  if (auto* c = dynamic_cast<TMemo*>(Control)) return std::make_unique<TQtMemoPeer>(c);
  if (auto* c = dynamic_cast<TCustomEdit*>(Control)) return std::make_unique<TQtEditPeer>(c);
  if (auto* c = dynamic_cast<TButton*>(Control)) return std::make_unique<TQtButtonPeer>(c);
  if (auto* c = dynamic_cast<TSpeedButton*>(Control)) return std::make_unique<TQtSpeedButtonPeer>(c);
  if (auto* c = dynamic_cast<TCheckBox*>(Control)) return std::make_unique<TQtCheckBoxPeer>(c);
  if (auto* c = dynamic_cast<TCustomListBox*>(Control)) return std::make_unique<TQtListBoxPeer>(c);
  if (auto* c = dynamic_cast<TComboBox*>(Control)) return std::make_unique<TQtComboBoxPeer>(c);
  if (auto* c = dynamic_cast<TPanel*>(Control)) return std::make_unique<TQtPanelPeer>(c);
  if (auto* c = dynamic_cast<TBevel*>(Control)) return std::make_unique<TQtBevelPeer>(c);
  if (auto* c = dynamic_cast<TSplitter*>(Control)) return std::make_unique<TQtSplitterPeer>(c);
  if (auto* c = dynamic_cast<TTreeView*>(Control)) return std::make_unique<TQtTreeViewPeer>(c);
  if (auto* c = dynamic_cast<TListView*>(Control)) return std::make_unique<TQtListViewPeer>(c);
  if (auto* c = dynamic_cast<TCustomGrid*>(Control)) return std::make_unique<TQtGridPeer>(c);
  if (auto* c = dynamic_cast<TDBGrid*>(Control)) return std::make_unique<TQtDBGridPeer>(c);
  if (auto* c = dynamic_cast<TToolBar*>(Control)) return std::make_unique<TQtToolBarPeer>(c);
  if (auto* c = dynamic_cast<TToolButton*>(Control)) return std::make_unique<TQtToolButtonPeer>(c);
  if (auto* c = dynamic_cast<TStatusBar*>(Control)) return std::make_unique<TQtStatusBarPeer>(c);
  if (auto* c = dynamic_cast<TPageControl*>(Control)) return std::make_unique<TQtPageControlPeer>(c);
  if (auto* c = dynamic_cast<TTabSheet*>(Control)) return std::make_unique<TQtTabSheetPeer>(c);
  // Any other container still shows its children.
  if (auto* c = dynamic_cast<TWinControl*>(Control)) return std::make_unique<TQtFramePeer>(c);
  return nullptr;
}

}  // namespace host::qt
