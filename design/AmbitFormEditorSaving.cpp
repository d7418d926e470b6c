// The form localizer editor's saving: the working lists and options go into
// the localizer, the language entries into the source's list, every pending
// edit into its language's store, Originals or the live component, and the
// chosen language is applied. Also the Save button and the close question.
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "design/AmbitDConsts.h"
#include "design/AmbitFormEditor.h"
#include "design/DesignForms.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Grids.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "host/core/Collection.h"
#include "host/core/TypInfo.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitUtils.h"

namespace ambit {

using namespace host;

namespace {

// An original text written straight into the designed component. A single
// name may hold a list-valued object whose captions are the text; a path
// is written as a localizer writes it.
void WriteLive(TComponent* Component, const std::string& Path, const std::string& Value) {
  if (Path.find('.') == std::string::npos) {
    const TPropInfo* info = GetPropInfo(Component, Path);
    if (!info) return;
    if (info->Kind == tkClass) {
      TObject* held = GetObjectProp(Component, info);
      if (auto* columns = As<TListColumns>(held)) return SetListColumnsCaptions(columns, Value);
      if (auto* columns = As<TDBGridColumns>(held)) return SetDBGridColumnsCaptions(columns, Value);
    }
  }
  TAmbitProps::SetAmPropValue(Component, Path, Value);
}

// "Name.Path" of each skipped edit, one a line.
std::string Listed(const std::vector<std::string>& Lines) {
  std::string out;
  for (const std::string& line : Lines) out += (out.empty() ? "" : "\n") + line;
  return out;
}

}  // namespace

int TfmFLEditor::CheckedEntry() const {
  for (int k = 0; k < LanguageCount(); ++k)
    if (Languages(k)->Checked()) return k;
  return 0;
}

void TfmFLEditor::SaveChanges() {
  sgPropValues->SetEditorMode(false);
  if (!GetModified() || !FLocalizer) return;
  FLocalizer->SetPropNames(FPropNames.get());
  FLocalizer->SetExcluded(FExcluded.get());
  TAmSaveOptions options = FLocalizer->SaveOptions();
  for (auto [box, option] : {std::pair{chSaveEmpty, soSaveEmpty}, std::pair{chIncludeFrames, soIncludeFrames}}) {
    if (box->Checked())
      options.Include(option);
    else
      options.Exclude(option);
  }
  FLocalizer->SetSaveOptions(options);
  FLocalizer->SetClearBeforeSave(chClearBeforeSave->Checked());
  std::vector<std::string> skipped;
  if (TAmCustomLanguageSource* src = Source()) SaveToSource(src, skipped);
  // The stores were written: what was read from them is stale.
  FStored.clear();
  FChanges->Clear();
  FModified = false;
  UpdateButtons();
  if (!skipped.empty()) MessageDlg(Format(sChangesSkipped, {Listed(skipped)}), mtWarning, {mbOK});
}

void TfmFLEditor::SaveToSource(TAmCustomLanguageSource* Src, std::vector<std::string>& Skipped) {
  TComponent* form = FLocalizer->Owner();
  const int started = Src->ActiveLanguage();
  Src->BeginUpdate();
  try {
    Src->SetActiveLanguage(-1);
    // In entry order, one line each: the chosen entry's position is then
    // the index of its language even where names repeat.
    std::vector<const TLanguageInfo*> infos;
    for (int k = 1; k < LanguageCount(); ++k) infos.push_back(Languages(k)->Info());
    SetLanguageList(Src->Languages(), infos);
    for (int i = 0; i < FChanges->Count(); ++i) {
      const TCellChange& change = *FChanges->Items(i);
      std::string record = change.PropName;
      TComponent* c = change.Component;
      for (; c && c != form; c = c->Owner()) record = c->Name() + "." + record;
      if (!c) {
        Skipped.push_back(change.ComponentName + "." + change.PropName);
        continue;
      }
      // Where the cell was read from, so that reading it back finds it.
      if (change.Language >= 0)
        if (std::string resolved = FLocalizer->RecordName(change.Component, change.PropName); !resolved.empty())
          record = std::move(resolved);
      SaveChange(Src, change, record, started);
    }
    Src->SetActiveLanguage(CheckedEntry() - 1);
  } catch (...) {
    // The form keeps the language it showed; the edits stay pending.
    // The first error is the one to report.
    try {
      if (started < Src->Languages()->Count()) Src->SetActiveLanguage(started);
    } catch (...) {
    }
    try {
      Src->EndUpdate();
    } catch (...) {
    }
    UpdateButtons();
    throw;
  }
  Src->EndUpdate();
  // Ending on the language it started from applies nothing, though its
  // store was just written or the index now names another language: the
  // form would keep stale texts that the next Save writes back.
  if (Src->ActiveLanguage() == started && started >= 0) Src->Localize();
}

void TfmFLEditor::SaveChange(TAmCustomLanguageSource* Src, const TCellChange& Change, const std::string& Record,
                             int Started) {
  if (Change.Language >= 0) {
    TFileNameHookScope hook(FileSource(), FOldGetFileName,
                            [this](TObject* Sender, std::string& FileName) { GetFileName(Sender, FileName); });
    Src->SetActiveLanguage(Change.Language);
    Src->SetFormSection(FLocalizer->Owner()->Name());
    Src->SaveString(Record, Change.Value);
    return;
  }
  // The designed texts are on the form only while no language is active;
  // otherwise the localizer keeps them in its snapshot.
  if (Started == -1) return WriteLive(Change.Component, Change.PropName, Change.Value);
  const std::string full = GetFullName(Change.Component, FLocalizer->Owner());
  const bool own = Change.Component == FLocalizer->Owner() || full.empty();
  FLocalizer->Originals()->SetValues(own ? Change.PropName : full + "." + Change.PropName,
                                     GetEncodedString(Change.Value, '"', '#'));
}

// ---- the Save button and closing ----

void TfmFLEditor::tbuSaveClick() {
  try {
    SaveChanges();
  } catch (const std::exception& E) {
    // The edits stay for another try: reloading would drop them.
    MessageDlg(E.what(), mtError, {mbOK});
    return;
  }
  Reload();
}

void TfmFLEditor::FormCloseQuery(TObject*, bool& CanClose) {
  if (!GetModified()) return;
  CanClose = AskSaveOnClose(sLocalizerSaveChanges, [this] { SaveChanges(); });
}

}  // namespace ambit
