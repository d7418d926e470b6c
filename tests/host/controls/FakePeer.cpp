#include "FakePeer.h"

#include "host/controls/ListView.h"

namespace test {

std::string ChangeName(host::TPeerChange Change) {
  using namespace host;
  switch (Change) {
    case pcBounds: return "pcBounds";
    case pcVisible: return "pcVisible";
    case pcEnabled: return "pcEnabled";
    case pcText: return "pcText";
    case pcHint: return "pcHint";
    case pcFont: return "pcFont";
    case pcColor: return "pcColor";
    case pcBiDiMode: return "pcBiDiMode";
    case pcItems: return "pcItems";
    case pcItemIndex: return "pcItemIndex";
    case pcItemChecked: return "pcItemChecked";
    case pcChecked: return "pcChecked";
    case pcMenu: return "pcMenu";
    case pcCells: return "pcCells";
    case pcCurrentCell: return "pcCurrentCell";
    case pcActivePage: return "pcActivePage";
    case pcColumns: return "pcColumns";
    case pcEditorMode: return "pcEditorMode";
    case pcFormShow: return "pcFormShow";
    case pcDefault: return "pcDefault";
    case pcPanels: return "pcPanels";
    default: return "pc#" + std::to_string(static_cast<int>(Change));
  }
}

void TFakePeer::TreeNodeChanged(host::TTreeNode* Node, host::TTreeNodesChange Change) {
  static const char* names[] = {"Added", "Deleting", "Changed", "Reset"};
  FLog->Calls.push_back(FControl->Name() + ":tree:" + names[Change] + ":" + (Node ? Node->Text() : std::string("*")));
}

void TFakePeer::ListItemChanged(host::TListItem* Item, host::TListItemsChange Change) {
  static const char* names[] = {"Added", "Deleting", "Changed", "Reset"};
  FLog->Calls.push_back(FControl->Name() + ":list:" + names[Change] + ":" + (Item ? Item->Caption() : std::string("*")));
}

void TFakeMenuPeer::ItemChanged(host::TMenuItem* Item, host::TMenuChange Change) {
  static const char* names[] = {"Added", "Removing", "Changed", "Reset"};
  FLog->Calls.push_back(FMenu->Name() + ":menu:" + names[Change] + ":" + (Item ? Item->Caption() : std::string("*")));
}

}  // namespace test
