#include "host/design/StdComponents.h"

#include "host/controls/ActnList.h"
#include "host/controls/Buttons.h"
#include "host/controls/ComboBox.h"
#include "host/controls/DBGrids.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Grids.h"
#include "host/controls/ImgList.h"
#include "host/controls/ListControls.h"
#include "host/controls/ListView.h"
#include "host/controls/Menus.h"
#include "host/controls/PageControl.h"
#include "host/controls/StatusBar.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/StdRegister.h"
#include "host/controls/ToolBar.h"
#include "host/controls/TreeView.h"
#include "host/design/DesignEditors.h"

namespace host {

namespace {

// Pages are added, and walked through, from the page control's menu.
class TPageControlEditor : public TDefaultEditor {
public:
  using TDefaultEditor::TDefaultEditor;
  int GetVerbCount() override { return 3; }
  std::string GetVerb(int Index) override {
    switch (Index) {
      case 0: return "New &Page";
      case 1: return "Ne&xt Page";
      case 2: return "&Previous Page";
      default: return {};
    }
  }
  void ExecuteVerb(int Index) override {
    auto* pages = As<TPageControl>(Component());
    if (!pages || !Designer()) return;
    if (Index == 0) {
      Designer()->CreateComponent(TTabSheet::StaticClass(), pages, 0, 0);
    } else if (Index == 1 || Index == 2) {
      pages->SelectNextPage(Index == 1);
      Designer()->Modified();
    }
  }
};

}  // namespace

void RegisterStandardComponents() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterStandardControls();
  // The host's own entries: no package scope may claim them.
  TPackageScope scope(0);
  RegisterComponents("Standard",
                     {&TMainMenu::StaticClass(), &TPopupMenu::StaticClass(), &TLabel::StaticClass(),
                      &TEdit::StaticClass(), &TMemo::StaticClass(), &TButton::StaticClass(),
                      &TCheckBox::StaticClass(), &TListBox::StaticClass(), &TComboBox::StaticClass(),
                      &TGroupBox::StaticClass(), &TPanel::StaticClass(), &TActionList::StaticClass()});
  RegisterComponents("Additional", {&TBitBtn::StaticClass(), &TSpeedButton::StaticClass(),
                                    &TStringGrid::StaticClass(), &TCheckListBox::StaticClass(),
                                    &TBevel::StaticClass(), &TSplitter::StaticClass()});
  RegisterComponents("Common Controls",
                     {&TImageList::StaticClass(), &TPageControl::StaticClass(), &TTreeView::StaticClass(),
                      &TListView::StaticClass(), &TToolBar::StaticClass(), &TStatusBar::StaticClass()});
  RegisterComponents("Dialogs", {&TOpenDialog::StaticClass()});
  RegisterComponents("Data Controls", {&TDBGrid::StaticClass()});
  RegisterComponentEditor<TPageControlEditor>(TPageControl::StaticClass());
}

}  // namespace host
