// The commands of the language source editor: they change the rows only;
// SaveChanges carries the rows into the source.
#include <memory>
#include <vector>

#include "design/AmbitAddDBLang.h"
#include "design/AmbitAddLang.h"
#include "design/AmbitDConsts.h"
#include "design/AmbitSourceEditor.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ListView.h"
#include "runtime/Ambit.h"
#include "runtime/AmbitDBSource.h"

namespace ambit {

using namespace host;

void TfmLSEditor::SaveClick(TObject*) { SaveChanges(); }

void TfmLSEditor::AddLanguageClick(TObject*) {
  if (!CanAdd()) return;
  auto info = std::make_unique<TLanguageInfo>();
  bool added = false;
  if (auto* files = As<TAmFileLanguageSource>(FSource))
    added = AddLanguage(info.get(), files->DefaultFileExt(), OtherNames(nullptr));
  else if (auto* table = As<TAmDBLanguageSource>(FSource))
    added = AddDBLanguage(info.get(), table->DataSet(), table->DataFields()->LanguageField(), OtherNames(nullptr));
  if (added) {
    const std::string name = info->Name;
    const std::string value = info->Value;
    AddRow(name, value, info.release(), false);
    FModified = true;
  }
  UpdateToolbar();
}

void TfmLSEditor::EditLanguageClick(TObject*) {
  TListItem* row = lvLangs->Selected();
  TLanguageInfo* info = InfoOf(row);
  if (!info || !FSource) return;
  bool edited = false;
  if (auto* files = As<TAmFileLanguageSource>(FSource))
    edited = EditLanguage(info, files->DefaultFileExt(), OtherNames(row));
  else if (auto* table = As<TAmDBLanguageSource>(FSource))
    edited = EditDBLanguage(info, table->DataSet(), table->DataFields()->LanguageField(), OtherNames(row));
  if (edited) {
    FModified = true;
    row->SetCaption(info->Name);
    row->SubItems()->Put(0, info->Value);
  }
  UpdateToolbar();
}

void TfmLSEditor::RemoveLanguageClick(TObject*) {
  TListItem* row = lvLangs->Selected();
  if (!InfoOf(row) || !FSource) return;
  if (MessageDlg(Format(sAreYouSureToDelLang, {row->Caption()}), mtConfirmation, mbYesNo) != mrYes) return;
  FModified = true;
  const bool marked = row->StateIndex() == ActiveStateImage;
  lvLangs->Items()->Delete(row->Index());  // frees the row's record
  if (marked) lvLangs->Items()->Items(0)->SetStateIndex(ActiveStateImage);
  UpdateToolbar();
}

void TfmLSEditor::SetActiveLanguageClick(TObject*) {
  TListItem* row = lvLangs->Selected();
  if (!row || !FSource) return;
  FModified = true;
  if (row->StateIndex() != ActiveStateImage) {
    TListItems* rows = lvLangs->Items();
    rows->BeginUpdate();
    for (int i = 0; i < rows->Count(); ++i) rows->Items(i)->SetStateIndex(-1);
    row->SetStateIndex(ActiveStateImage);
    rows->EndUpdate();
  }
  UpdateToolbar();
}

void TfmLSEditor::MoveUpClick(TObject*) {
  if (CanMoveUp()) MoveItem(lvLangs->ItemIndex(), lvLangs->ItemIndex() - 1);
}

void TfmLSEditor::MoveDownClick(TObject*) {
  if (CanMoveDown()) MoveItem(lvLangs->ItemIndex(), lvLangs->ItemIndex() + 1);
}

void TfmLSEditor::MoveItem(int From, int To) {
  const int count = lvLangs->Items()->Count();
  if (!lvLangs->Selected() || From == To || From <= 0 || To <= 0 || From >= count || To >= count) return;
  FModified = true;
  // The row keeps its record, image and mark as it goes.
  TListItem* row = lvLangs->Items()->Items(From);
  row->SetIndex(To);
  lvLangs->SetSelected(row);
  lvLangs->SetItemFocused(row);
  UpdateToolbar();
}

void TfmLSEditor::SaveChanges() {
  if (!FSource) return;
  // The list as it stands; the marked row's language is its place in it.
  std::vector<const TLanguageInfo*> languages;
  int active = -1;
  for (int i = 0; i < lvLangs->Items()->Count(); ++i) {
    const TListItem* row = lvLangs->Items()->Items(i);
    const TLanguageInfo* info = InfoOf(row);
    if (info) languages.push_back(info);
    if (row->StateIndex() == ActiveStateImage) active = info ? static_cast<int>(languages.size()) - 1 : -1;
  }
  FSource->BeginUpdate();
  try {
    FSource->SetActiveLanguage(-1);
    SetLanguageList(FSource->Languages(), languages);
    FSource->SetActiveLanguage(active);
  } catch (...) {
    // The list stays modified: a failed save must not let closing drop it.
    try {
      FSource->EndUpdate();
    } catch (...) {
      // The first error is the one to report.
    }
    UpdateToolbar();
    throw;
  }
  FSource->EndUpdate();
  FModified = false;
  UpdateToolbar();
}

}  // namespace ambit
