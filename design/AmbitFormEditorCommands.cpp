// The form localizer editor's commands: languages (add, edit, remove,
// choose the active one), including and excluding components and
// properties, the options, clearing stored records, reloading, and the
// strings editor for the current cell.
#include "design/AmbitAddDBLang.h"
#include "design/AmbitAddLang.h"
#include "design/AmbitDConsts.h"
#include "design/AmbitFormEditor.h"
#include "design/AmbitStrEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Grids.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/TreeView.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitDBSource.h"

namespace ambit {

using namespace host;

namespace {

// Node and every node below it, parents before children.
template <class F>
void ForSubtree(TTreeNode* Node, F&& Visit) {
  Visit(Node);
  for (TTreeNode* child = Node->GetFirstChild(); child; child = child->GetNextSibling()) ForSubtree(child, Visit);
}

bool AnyInState(TTreeNode* Node, int State) {
  bool found = false;
  ForSubtree(Node, [&](TTreeNode* n) { found = found || n->StateIndex() == State; });
  return found;
}

}  // namespace

// ---- languages ----

TLanguageNames TfmFLEditor::OtherLanguageNames(int Except) const {
  TLanguageNames names;
  for (int k = 1; k < LanguageCount(); ++k)
    if (k != Except) names.push_back(Languages(k)->Info()->Name);
  return names;
}

void TfmFLEditor::tbuAddLanguageClick() {
  if (!FLocalizer) return;
  auto info = std::make_unique<TLanguageInfo>();
  bool added = false;
  if (TAmFileLanguageSource* files = FileSource())
    added = AddLanguage(info.get(), files->DefaultFileExt(), OtherLanguageNames(-1));
  else if (auto* table = As<TAmDBLanguageSource>(Source()))
    added = AddDBLanguage(info.get(), table->DataSet(), table->DataFields()->LanguageField(), OtherLanguageNames(-1));
  if (!added) return;
  // Nothing is stored for it yet: its column shows the original texts.
  AddLanguageEntry(std::move(info), TLanguageEntry::NoSourceLanguage);
  FModified = true;
  if (TComponent* component = SelectedComponent()) FillPropValues(component);
  UpdateButtons();
}

void TfmFLEditor::tbuEditLanguageClick() {
  const int col = sgPropValues->Col();
  TLanguageEntry* entry = col >= 2 ? Languages(col - 1) : nullptr;
  if (!entry || !FLocalizer) return;
  bool edited = false;
  if (TAmFileLanguageSource* files = FileSource())
    edited = EditLanguage(entry->Info(), files->DefaultFileExt(), OtherLanguageNames(col - 1));
  else if (auto* table = As<TAmDBLanguageSource>(Source()))
    edited = EditDBLanguage(entry->Info(), table->DataSet(), table->DataFields()->LanguageField(),
                            OtherLanguageNames(col - 1));
  if (!edited) return;
  FModified = true;
  entry->SetCaption(entry->Info()->Name);
  if (TComponent* component = SelectedComponent()) FillPropValues(component);
  UpdateButtons();
}

void TfmFLEditor::tbuRemoveLanguageClick() {
  const int col = sgPropValues->Col();
  TLanguageEntry* entry = col >= 2 ? Languages(col - 1) : nullptr;
  if (!entry) return;
  if (MessageDlg(Format(sAreYouSureToDelLang, {sgPropValues->Cells(col, 0)}), mtConfirmation, mbYesNo) != mrYes)
    return;
  FChanges->DeleteLanguage(col - 2);
  // As in the language source editor: the source must not end on whatever
  // language the save addressed last.
  if (entry->Checked()) Languages(0)->SetChecked(true);
  delete entry;
  // The later columns move one place left, their widths with them.
  const int last = sgPropValues->ColCount() - 1;
  sgPropValues->MoveColumn(col, last);
  sgPropValues->SetColCount(last);
  FModified = true;
  UpdateButtons();
}

void TfmFLEditor::pmLanguagesItemClick(TMenuItem* Item) {
  Item->SetChecked(true);
  FModified = true;
  UpdateButtons();
}

// ---- components ----

void TfmFLEditor::pmComponentsPopup() {
  TTreeNode* node = tvComponents->Selected();
  miExclude->SetEnabled(node && node->StateIndex() == IncludedState);
  miExcludeAll->SetEnabled(node && node->HasChildren() && AnyInState(node, IncludedState));
  miInclude->SetEnabled(node && node->StateIndex() == ExcludedState);
  miIncludeAll->SetEnabled(node && node->HasChildren() && AnyInState(node, ExcludedState));
}

void TfmFLEditor::miExcludeClick(bool Whole) {
  TTreeNode* selected = tvComponents->Selected();
  if (!selected || !FLocalizer) return;
  bool changed = Whole;
  auto exclude = [&](TTreeNode* node) {
    node->SetStateIndex(ExcludedState);
    const std::string name = GetFullName(ComponentOf(node), FLocalizer->Owner());
    if (name.empty() || FExcluded->IndexOf(name) >= 0) return;
    FExcluded->Add(name);
    changed = true;
  };
  if (Whole)
    ForSubtree(selected, exclude);
  else
    exclude(selected);
  if (!changed) return;
  FModified = true;
  UpdateButtons();
}

void TfmFLEditor::miIncludeClick(bool Whole) {
  TTreeNode* selected = tvComponents->Selected();
  if (!selected || !FLocalizer) return;
  bool changed = Whole;
  auto include = [&](TTreeNode* node) {
    node->SetStateIndex(IncludedState);
    const int index = FExcluded->IndexOf(GetFullName(ComponentOf(node), FLocalizer->Owner()));
    if (index >= 0) {
      FExcluded->Delete(index);
      changed = true;
    } else if (IsFrameRelated(node) && !chIncludeFrames->Checked()) {
      // A frame's components are saved only with frames included; the
      // other frame nodes keep their marks.
      CheckIncludeFrames();
      changed = true;
    }
  };
  if (Whole)
    ForSubtree(selected, include);
  else
    include(selected);
  if (!changed) return;
  FModified = true;
  UpdateButtons();
}

void TfmFLEditor::CheckIncludeFrames() {
  FUpdatingOptions = true;
  chIncludeFrames->SetChecked(true);
  FUpdatingOptions = false;
}

// ---- property names ----

void TfmFLEditor::tvPropNamesMouseDown() {
  const TTreeNode* node = tvPropNames->Selected();
  if (!node) return;
  miIncludeProperty->SetEnabled(!node->HasChildren() && node->ImageIndex() == 1);
  miExcludeProperty->SetEnabled(!node->HasChildren() && node->ImageIndex() == 0);
}

void TfmFLEditor::pmIncludeClick(TMenuItem* Item) {
  const TTreeNode* node = tvPropNames->Selected();
  if (!node) return;
  const std::string path = TAmbitProps::GetPropNameText(node);
  const int index = FPropNames->IndexOf(path);
  if (Item->Tag() == 1 && index >= 0) FPropNames->Delete(index);
  if (Item->Tag() == 0 && index < 0) FPropNames->Add(path);
  // GetModified sees the difference from the localizer's list.
  RefillGrid();
  UpdateButtons();
}

// ---- options, clearing, reloading ----

void TfmFLEditor::chSaveEmptyClick(TCheckBox* Box) {
  if (FUpdatingOptions) return;
  FModified = true;
  UpdateButtons();
  if (Box != chIncludeFrames) return;
  const int state = Box->Checked() ? IncludedState : ExcludedState;
  for (TTreeNode* node = tvComponents->Items()->GetFirstNode(); node; node = node->GetNext())
    if (IsFrameRelated(node)) node->SetStateIndex(state);
}

void TfmFLEditor::buClearClick() {
  // Without a store there is nothing to purge; with unsaved marks the
  // saved list would purge what the user sees included.
  if (!FLocalizer || !Source() || ExcludedChanged()) return;
  InSourceBracket([this] { FLocalizer->DeleteExcluded(FLocalizer->Owner()); });
  FStored.clear();
  if (TComponent* component = SelectedComponent()) FillPropValues(component);
  ShowMessage(sDeletingCompleted);
}

void TfmFLEditor::tbuReloadClick() {
  if (!GetModified()) return;
  if (MessageDlg(sAreYouSureToCancelChanges, mtConfirmation, mbYesNo) == mrYes) Reload();
}

// ---- the strings editor ----

void TfmFLEditor::buEditStringsClick() {
  sgPropValues->SetFocus();
  TAmCustomLanguageSource* src = Source();
  if (!FLocalizer || !src) return;
  const int col = sgPropValues->Col();
  const int row = sgPropValues->Row();
  std::string text = sgPropValues->Cells(col, row);
  bool confirmed = false;
  // The dialog shows the text in the character set of the column's language.
  InSourceBracket([&] {
    const TLanguageEntry* entry = Languages(col - 1);
    const int index = entry ? entry->SourceIndex() : TLanguageEntry::NoSourceLanguage;
    if (index >= -1 && index < src->Languages()->Count()) src->SetActiveLanguage(index);
    const TFontCharset charset = src->ActiveSettings()->FontCharSet();
    confirmed = buEditStrings->Tag() == tkClass ? EditStrings(text, charset) : EditString(text, charset);
  });
  if (!confirmed) return;
  sgPropValues->SetCells(col, row, text);
  RecordEdit(col, row, text);
}

}  // namespace ambit
