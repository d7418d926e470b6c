// The common controls in one include: tree and list views, tool bars,
// status bars, page controls, database grids, panels and image lists.
#pragma once

#include "host/controls/DBGrids.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/ImgList.h"
#include "host/controls/ListView.h"
#include "host/controls/Menus.h"
#include "host/controls/PageControl.h"
#include "host/controls/StatusBar.h"
#include "host/controls/ToolBar.h"
#include "host/controls/TreeView.h"
