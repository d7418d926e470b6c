// The form localizer editor's window: its controls, their texts, and the
// binding of their events to the editor's handlers.
#include "design/AmbitDConsts.h"
#include "design/AmbitFormEditor.h"
#include "design/DesignForms.h"
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Grids.h"
#include "host/controls/PageControl.h"
#include "host/controls/StatusBar.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "host/controls/TreeView.h"
#include "runtime/AmFormLocal.h"

namespace ambit {

using namespace host;

namespace {

TMenuItem* AddItem(TMenu* Menu, const char* Name) {
  auto* item = NewComponent<TMenuItem>(Menu->Owner(), Name);
  Menu->Items()->Add(item);
  return item;
}

}  // namespace

const TClass& TfmFLEditor::StaticClass() {
  static const TClass cls = TClassBuilder<TfmFLEditor>("TfmFLEditor", &TForm::StaticClass()).Build();
  return cls;
}
const TClass& TfmFLEditor::ClassType() const { return StaticClass(); }

TfmFLEditor::TfmFLEditor(TComponent* AOwner)
    : TForm(AOwner),
      FPropNames(std::make_unique<TStringList>()),
      FExcluded(std::make_unique<TStringList>()),
      FChanges(std::make_unique<TChangesList>()) {
  SetName("fmFLEditor");
  SetBounds(0, 0, 619, 390);
  SetPosition(poScreenCenter);
  SetBorderIcons({biSystemMenu, biMaximize});
  Constraints()->SetMinWidth(500);
  Constraints()->SetMinHeight(350);
  SetShowHint(true);
  CreateControls();
  CreateImages();
  FProps = std::make_unique<TAmbitProps>(tvPropNames);
  FProps->SetSelectedPaths(FPropNames.get());
  BindHandlers();
  SetOnCreate([this](TObject* Sender) { FormCreate(Sender); });
  DoCreate();
}

void TfmFLEditor::FormCreate(TObject*) {
  Localize();
  pcOptions->SetActivePage(tsPropNames);
  UpdateButtons();
}

TfmFLEditor::~TfmFLEditor() {
  // The grid's cells and the trees' nodes point at the engine's infos and
  // at components of the edited form: the controls go first.
  DestroyComponents();
}

void TfmFLEditor::CreateControls() {
  CreateMenus();
  CreateToolBar();
  StatusBar1 = NewControl<TStatusBar>(this, this, "StatusBar1", 0, 371, 619, 19);
  StatusBar1->SetAlign(alBottom);
  StatusBar1->SetSimplePanel(true);
  StatusBar1->SetAutoHint(true);

  tvComponents = NewControl<TTreeView>(this, this, "tvComponents", 0, 29, 170, 300);
  tvComponents->SetAlign(alLeft);
  tvComponents->SetReadOnly(true);
  tvComponents->SetHideSelection(false);
  tvComponents->SetRightClickSelect(true);
  tvComponents->SetPopupMenu(pmComponents);
  // Siblings in plain character order of their texts, upper case first.
  tvComponents->SetSortType(stText);
  tvComponents->SetOnCompare([](TObject*, TTreeNode* Node1, TTreeNode* Node2, int, int& Compare) {
    Compare = Node1->Text().compare(Node2->Text());
  });
  auto* splitter = NewControl<TSplitter>(this, this, "Splitter1", 170, 29, 3, 300);
  splitter->SetAlign(alLeft);

  paClient = NewControl<TPanel>(this, this, "paClient", 173, 29, 446, 340);
  paClient->SetBevelOuter(bvNone);
  paClient->SetCaption("");
  paClient->SetAlign(alClient);
  CreateOptionsArea();
  auto* hsplitter = NewControl<TSplitter>(this, paClient, "Splitter2", 0, 190, 446, 3);
  // A splitter starts aligned left: once at the bottom it takes its height.
  hsplitter->SetAlign(alBottom);
  hsplitter->SetHeight(3);

  sgPropValues = NewControl<TStringGrid>(this, paClient, "sgPropValues", 0, 0, 446, 190);
  sgPropValues->SetAlign(alClient);
  sgPropValues->SetDefaultColWidth(100);
  sgPropValues->SetDefaultRowHeight(18);
  sgPropValues->SetColCount(2);
  sgPropValues->SetRowCount(2);
  sgPropValues->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goDrawFocusSelected,
                            goColSizing, goThumbTracking});

  // Floats over the grid at the right end of the selected cell.
  buEditStrings = NewControl<TSpeedButton>(this, paClient, "buEditStrings", 0, 0, 18, 18);
  buEditStrings->SetCaption("...");
  buEditStrings->SetVisible(false);
  buEditStrings->SetTag(tkString);
}

void TfmFLEditor::CreateToolBar() {
  ToolBar1 = NewControl<TToolBar>(this, this, "ToolBar1", 0, 0, 619, 29);
  ToolBar1->SetAlign(alTop);
  ToolBar1->SetFlat(true);
  ToolBar1->SetButtonWidth(28);
  ToolBar1->SetButtonHeight(25);
  auto button = [this](const char* Name, TToolButtonStyle Style = tbsButton) {
    auto* b = NewControl<TToolButton>(this, ToolBar1, Name, 0, 0, ToolBar1->ButtonWidth(), 25);
    b->SetStyle(Style);
    return b;
  };
  tbuSave = button("tbuSave");
  tbuReload = button("tbuReload");
  buClear = button("buClear");
  button("ToolButton1", tbsSeparator);
  tbuAddLanguage = button("tbuAddLanguage");
  tbuEditLanguage = button("tbuEditLanguage");
  tbuRemoveLanguage = button("tbuRemoveLanguage");
  button("ToolButton2", tbsSeparator);
  tbuActiveLanguage = button("tbuActiveLanguage", tbsDropDown);
  tbuActiveLanguage->SetDropdownMenu(pmLanguages);
  button("ToolButton3", tbsSeparator);
}

void TfmFLEditor::CreateMenus() {
  pmComponents = NewComponent<TPopupMenu>(this, "pmComponents");
  miExclude = AddItem(pmComponents, "miExclude");
  miExcludeAll = AddItem(pmComponents, "miExcludeAll");
  AddItem(pmComponents, "N1")->SetCaption("-");
  miInclude = AddItem(pmComponents, "miInclude");
  miIncludeAll = AddItem(pmComponents, "miIncludeAll");
  pmPropNames = NewComponent<TPopupMenu>(this, "pmPropNames");
  miIncludeProperty = AddItem(pmPropNames, "miIncludeProperty");
  miIncludeProperty->SetTag(0);
  miExcludeProperty = AddItem(pmPropNames, "miExcludeProperty");
  miExcludeProperty->SetTag(1);
  pmLanguages = NewComponent<TPopupMenu>(this, "pmLanguages");
}

void TfmFLEditor::CreateOptionsArea() {
  pcOptions = NewControl<TPageControl>(this, paClient, "pcOptions", 0, 193, 446, 147);
  pcOptions->SetAlign(alBottom);
  tsPropNames = NewComponent<TTabSheet>(this, "tsPropNames");
  tsPropNames->SetPageControl(pcOptions);
  tvPropNames = NewControl<TTreeView>(this, tsPropNames, "tvPropNames", 0, 0, 438, 119);
  tvPropNames->SetAlign(alClient);
  tvPropNames->SetReadOnly(true);
  tvPropNames->SetHideSelection(false);
  tvPropNames->SetRightClickSelect(true);
  tvPropNames->SetPopupMenu(pmPropNames);
  tsOptions = NewComponent<TTabSheet>(this, "tsOptions");
  tsOptions->SetPageControl(pcOptions);
  gbSaveOptions = NewControl<TGroupBox>(this, tsOptions, "gbSaveOptions", 8, 4, 200, 64);
  chSaveEmpty = NewControl<TCheckBox>(this, gbSaveOptions, "chSaveEmpty", 12, 18, 180, 17);
  chIncludeFrames = NewControl<TCheckBox>(this, gbSaveOptions, "chIncludeFrames", 12, 38, 180, 17);
  chClearBeforeSave = NewControl<TCheckBox>(this, tsOptions, "chClearBeforeSave", 20, 74, 180, 17);
}

void TfmFLEditor::Localize() {
  tbuSave->SetCaption(sFLEditor_tbuSave_Caption);
  tbuSave->SetHint(sFLEditor_tbuSave_Hint);
  tbuReload->SetCaption(sFLEditor_tbuReload_Caption);
  tbuReload->SetHint(sFLEditor_tbuReload_Hint);
  buClear->SetHint(sFLEditor_buClear_Hint);
  tbuAddLanguage->SetCaption(sFLEditor_tbuAddLanguage_Caption);
  tbuAddLanguage->SetHint(sFLEditor_tbuAddLanguage_Hint);
  tbuEditLanguage->SetCaption(sFLEditor_tbuEditLanguage_Caption);
  tbuEditLanguage->SetHint(sFLEditor_tbuEditLanguage_Hint);
  tbuRemoveLanguage->SetCaption(sFLEditor_tbuRemoveLanguage_Caption);
  tbuRemoveLanguage->SetHint(sFLEditor_tbuRemoveLanguage_Hint);
  tbuActiveLanguage->SetCaption(sFLEditor_tbuActiveLanguage_Caption);
  tbuActiveLanguage->SetHint(sFLEditor_tbuActiveLanguage_Hint);
  tsPropNames->SetCaption(sFLEditor_tsPropNames_Caption);
  tsOptions->SetCaption(sFLEditor_tsOptions_Caption);
  gbSaveOptions->SetCaption(sFLEditor_gbSaveOptions_Caption);
  chSaveEmpty->SetCaption(sFLEditor_chSaveEmpty_Caption);
  chIncludeFrames->SetCaption(sFLEditor_chIncludeFrames_Caption);
  chClearBeforeSave->SetCaption(sFLEditor_chClearBeforeSave_Caption);
  miExclude->SetCaption(sFLEditor_miExclude_Caption);
  miExcludeAll->SetCaption(sFLEditor_miExcludeAll_Caption);
  miInclude->SetCaption(sFLEditor_miInclude_Caption);
  miIncludeAll->SetCaption(sFLEditor_miIncludeAll_Caption);
  miIncludeProperty->SetCaption(sFLEditor_miIncludeProperty_Caption);
  miExcludeProperty->SetCaption(sFLEditor_miExcludeProperty_Caption);
  sgPropValues->SetCells(0, 0, sPropertyName);
  sgPropValues->SetCells(1, 0, sOriginalValue);
}

void TfmFLEditor::BindHandlers() {
  tvComponents->SetOnChanging([this](TObject*, TTreeNode*, bool&) { sgPropValues->SetEditorMode(false); });
  tvComponents->SetOnChange([this](TObject*, TTreeNode* Node) { tvComponentsChange(Node); });
  pmComponents->SetOnPopup([this](TObject*) { pmComponentsPopup(); });
  miExclude->SetOnClick([this](TObject*) { miExcludeClick(false); });
  miExcludeAll->SetOnClick([this](TObject*) { miExcludeClick(true); });
  miInclude->SetOnClick([this](TObject*) { miIncludeClick(false); });
  miIncludeAll->SetOnClick([this](TObject*) { miIncludeClick(true); });
  // The items follow the selected property on a press, and also when the
  // menu opens from the keyboard.
  tvPropNames->SetOnMouseDown([this](TObject*, TMouseButton, TShiftState, int, int) { tvPropNamesMouseDown(); });
  pmPropNames->SetOnPopup([this](TObject*) { tvPropNamesMouseDown(); });
  miIncludeProperty->SetOnClick([this](TObject*) { pmIncludeClick(miIncludeProperty); });
  miExcludeProperty->SetOnClick([this](TObject*) { pmIncludeClick(miExcludeProperty); });
  sgPropValues->SetOnSelectCell([this](TObject*, int ACol, int ARow, bool&) { sgPropValuesSelectCell(ACol, ARow); });
  sgPropValues->SetOnSetEditText(
      [this](TObject*, int ACol, int ARow, const std::string& Value) { RecordEdit(ACol, ARow, Value); });
  sgPropValues->SetOnDrawCell([this](TObject*, int ACol, int ARow, TRect, TGridDrawState State) {
    if (State.Contains(gdFocused) && ButtonWanted(ARow)) SetButtonPos(ACol, ARow, buEditStrings->Enabled());
  });
  sgPropValues->SetOnTopLeftChanged([this](TObject*) { sgPropValuesTopLeftChanged(); });
  // The language buttons follow the current column.
  sgPropValues->SetOnKeyUp([this](TObject*, TKey& Key, TShiftState) {
    if (Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) UpdateButtons();
  });
  sgPropValues->SetOnMouseUp([this](TObject*, TMouseButton, TShiftState, int, int) { UpdateButtons(); });
  buEditStrings->SetOnClick([this](TObject*) { buEditStringsClick(); });
  tbuAddLanguage->SetOnClick([this](TObject*) { tbuAddLanguageClick(); });
  tbuEditLanguage->SetOnClick([this](TObject*) { tbuEditLanguageClick(); });
  tbuRemoveLanguage->SetOnClick([this](TObject*) { tbuRemoveLanguageClick(); });
  for (TCheckBox* box : {chSaveEmpty, chIncludeFrames, chClearBeforeSave})
    box->SetOnClick([this, box](TObject*) { chSaveEmptyClick(box); });
  buClear->SetOnClick([this](TObject*) { buClearClick(); });
  tbuReload->SetOnClick([this](TObject*) { tbuReloadClick(); });
  tbuSave->SetOnClick([this](TObject*) { tbuSaveClick(); });
  SetOnCloseQuery([this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); });
}

}  // namespace ambit
