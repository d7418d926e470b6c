#include "host/controls/StdRegister.h"

#include "host/controls/ActnList.h"
#include "host/controls/Buttons.h"
#include "host/controls/DBGrids.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/Grids.h"
#include "host/controls/ImgList.h"
#include "host/controls/ListControls.h"
#include "host/controls/ListView.h"
#include "host/controls/Menus.h"
#include "host/controls/PageControl.h"
#include "host/controls/StatusBar.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "host/controls/TreeView.h"
#include "host/core/ClassRegistry.h"

namespace host {

void RegisterStandardControls() {
  RegisterClass<TForm>();
  RegisterClass<TFrame>();
  RegisterClass<TPanel>();
  RegisterClass<TGroupBox>();
  RegisterClass<TButton>();
  RegisterClass<TBitBtn>();
  RegisterClass<TSpeedButton>();
  RegisterClass<TLabel>();
  RegisterClass<TEdit>();
  RegisterClass<TMemo>();
  RegisterClass<TCheckBox>();
  RegisterClass<TListBox>();
  RegisterClass<TCheckListBox>();
  RegisterClass<TComboBox>();
  RegisterClass<TTreeView>();
  RegisterClass<TListView>();
  RegisterClass<TStringGrid>();
  RegisterClass<TDBGrid>();
  RegisterClass<TAction>();
  RegisterClass<TActionList>();
  RegisterClass<TMainMenu>();
  RegisterClass<TPopupMenu>();
  RegisterClass<TMenuItem>();
  RegisterClass<TToolBar>();
  RegisterClass<TToolButton>();
  RegisterClass<TStatusBar>();
  RegisterClass<TPageControl>();
  RegisterClass<TTabSheet>();
  RegisterClass<TSplitter>();
  RegisterClass<TBevel>();
  RegisterClass<TImageList>();
  RegisterClass<TOpenDialog>();
}

}  // namespace host
