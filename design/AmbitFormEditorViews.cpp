// The form localizer editor's views: the component tree with its include
// and exclude marks, the property-name tree, the value grid with the
// floating strings-editor button, the option boxes and the buttons' states.
#include <algorithm>

#include "design/AmbitDConsts.h"
#include "design/AmbitFormEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/Grids.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "host/controls/TreeView.h"
#include "runtime/AmFormLocal.h"

namespace ambit {

using namespace host;

namespace {

// Forms and frames read from form files keep the class their file declares.
std::string ClassNameOf(const TComponent* Component) {
  if (const auto* form = As<TCustomForm>(Component)) return form->FormClassName();
  if (const auto* frame = As<TFrame>(Component)) return frame->FormClassName();
  return Component->ClassName();
}

std::string NodeText(const TComponent* Component) {
  return Format(sAmFormCaption, {Component->Name(), ClassNameOf(Component)});
}

}  // namespace

TComponent* TfmFLEditor::ComponentOf(const TTreeNode* Node) {
  return Node ? static_cast<TComponent*>(Node->Data()) : nullptr;
}

TComponent* TfmFLEditor::SelectedComponent() const { return ComponentOf(tvComponents->Selected()); }

// ---- the component tree ----

void TfmFLEditor::FillTree() {
  TTreeNodes* items = tvComponents->Items();
  items->BeginUpdate();
  try {
    items->Clear();
    if (FLocalizer && FLocalizer->Owner()) {
      AddComponentNode(nullptr, FLocalizer->Owner());
      tvComponents->FullExpand();
    }
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
  if (items->Count() > 0) tvComponents->SetSelected(items->Item(0));
}

void TfmFLEditor::AddComponentNode(TTreeNode* Parent, TComponent* Component) {
  if (!Component || Component->Name().empty()) return;
  TTreeNode* node = tvComponents->Items()->AddChild(Parent, NodeText(Component));
  node->SetData(Component);
  node->SetStateIndex(StateOf(Component));
  // The controls it shows, then what it owns that no named control shows.
  std::vector<TComponent*> children;
  if (const auto* win = As<TWinControl>(Component))
    children.insert(children.end(), win->ControlList().begin(), win->ControlList().end());
  for (TComponent* owned : Component->ComponentList()) {
    const auto* control = As<TControl>(owned);
    if (!control || (control->Parent() && Trim(control->Parent()->Name()).empty())) children.push_back(owned);
  }
  for (TComponent* child : children) AddComponentNode(node, child);
}

bool TfmFLEditor::IsFrameRelated(const TTreeNode* Node) const {
  const TComponent* component = ComponentOf(Node);
  return component && (Is<TFrame>(component) || Is<TFrame>(component->Owner()));
}

int TfmFLEditor::StateOf(const TComponent* Component) const {
  const bool excluded = FLocalizer && FExcluded->IndexOf(GetFullName(Component, FLocalizer->Owner())) >= 0;
  return excluded ? ExcludedState : IncludedState;
}

void TfmFLEditor::MarkExcluded() {
  for (TTreeNode* node = tvComponents->Items()->GetFirstNode(); node; node = node->GetNext())
    node->SetStateIndex(StateOf(ComponentOf(node)));
}

void TfmFLEditor::tvComponentsChange(TTreeNode* Node) {
  if (TComponent* component = ComponentOf(Node)) {
    FillPropNames(component);
    FillPropValues(component);
  }
}

// ---- the property names and the grid ----

void TfmFLEditor::FillPropNames(TComponent* Component) { FProps->SetTreeView(Component); }

void TfmFLEditor::RefillGrid() {
  if (TComponent* component = SelectedComponent()) {
    FillPropNames(component);
    FillPropValues(component);
  } else {
    FillPropValues(nullptr);
  }
}

void TfmFLEditor::FillPropValues(TComponent* Component) {
  TStringList paths;
  FProps->SetPropList(&paths);
  paths.Sort();
  TStringGrid* grid = sgPropValues;
  // The cell the user was on stays current when it is still there.
  const int col = grid->Col();
  const int row = grid->Row();
  grid->SetCells(0, 1, "");
  grid->SetCells(1, 1, "");
  grid->SetColCount(1);
  const int entries = LanguageCount();
  grid->SetColCount(1 + entries);
  for (int k = 0; k < entries; ++k) grid->SetCells(k + 1, 0, Languages(k)->Caption());
  grid->SetRowCount(1);
  grid->SetRowCount(1 + paths.Count());
  // Each language's stored texts are read once for the whole grid.
  std::vector<int> stored;
  for (int k = 1; k < entries; ++k) stored.push_back(Languages(k)->SourceIndex());
  if (Component) LoadStoredSections(stored);
  for (int i = 0; i < paths.Count(); ++i) {
    const int r = i + 1;
    const auto* node = static_cast<const TTreeNode*>(paths.GetObject(i));
    grid->SetCells(0, r, paths.Get(i));
    grid->SetObjects(0, r, paths.GetObject(i));
    for (int c = 1; c < grid->ColCount(); ++c) {
      const int language = c - 2;
      std::string value = GetCellValue(node, Component, language);
      // A language without a text of its own shows the original one.
      if (value.empty() && language >= 0) value = GetCellValue(node, Component, -1);
      grid->SetCells(c, r, value);
    }
  }
  if (grid->RowCount() < 2) grid->SetRowCount(2);
  if (grid->ColCount() < 2) grid->SetColCount(2);
  grid->SetFixedRows(1);
  grid->SetFixedCols(1);
  grid->FocusCell(std::clamp(col, 1, grid->ColCount() - 1), std::clamp(row, 1, grid->RowCount() - 1), true);
  // In-place editing, the strings-editor button and the tool bar follow.
  sgPropValuesSelectCell(grid->Col(), grid->Row());
}

void TfmFLEditor::sgPropValuesSelectCell(int ACol, int ARow) {
  buEditStrings->SetVisible(false);
  const bool editable = SourceAllowsEditing();
  const std::string path = sgPropValues->Cells(0, ARow);
  TGridOptions options = sgPropValues->Options();
  if (!path.empty() && editable)
    options.Include(goEditing);
  else
    options.Exclude(goEditing);
  sgPropValues->SetOptions(options);
  if (ButtonWanted(ARow)) {
    buEditStrings->SetTag(FProps->PropIsClass(path) ? tkClass : tkString);
    SetButtonPos(ACol, ARow, editable);
  }
  UpdateButtons();
}

bool TfmFLEditor::ButtonWanted(int ARow) const {
  // A row without a property has nothing to edit.
  return SelectedComponent() && !sgPropValues->Cells(0, ARow).empty();
}

void TfmFLEditor::SetButtonPos(int ACol, int ARow, bool Enabled) {
  const TRect cell = sgPropValues->CellRect(ACol, ARow);
  if (cell.IsEmpty()) {
    buEditStrings->SetVisible(false);
    return;
  }
  const int size = cell.Height();
  const int right = sgPropValues->Left() + cell.Right + 2;
  buEditStrings->SetBounds(right - size, sgPropValues->Top() + cell.Top + 2, size, size);
  buEditStrings->SetVisible(true);
  buEditStrings->SetEnabled(Enabled);
}

void TfmFLEditor::sgPropValuesTopLeftChanged() {
  if (!buEditStrings->Visible()) return;
  const TRect cell = sgPropValues->CellRect(sgPropValues->Col(), sgPropValues->Row());
  buEditStrings->SetLeft(sgPropValues->Left() + cell.Right + 2 - buEditStrings->Width());
}

// ---- options and buttons ----

void TfmFLEditor::FillOptions() {
  if (!FLocalizer) return;
  FUpdatingOptions = true;
  try {
    chSaveEmpty->SetChecked(FLocalizer->SaveOptions().Contains(soSaveEmpty));
    chIncludeFrames->SetChecked(FLocalizer->SaveOptions().Contains(soIncludeFrames));
    chClearBeforeSave->SetChecked(FLocalizer->ClearBeforeSave());
  } catch (...) {
    FUpdatingOptions = false;
    throw;
  }
  FUpdatingOptions = false;
}

void TfmFLEditor::UpdateButtons() {
  const bool modified = GetModified();
  tbuSave->SetEnabled(modified);
  tbuReload->SetEnabled(modified);
  tbuAddLanguage->SetEnabled(Source() != nullptr);
  const int col = sgPropValues->Col();
  const bool onLanguage = col >= 2 && Languages(col - 1) != nullptr;
  tbuEditLanguage->SetEnabled(onLanguage);
  tbuRemoveLanguage->SetEnabled(onLanguage);
  tbuActiveLanguage->SetEnabled(LanguageCount() > 1);
  // Purging acts on the saved excluded list: with other marks on screen it
  // would purge what the user sees included.
  buClear->SetEnabled(Source() != nullptr && !ExcludedChanged());
}

}  // namespace ambit
