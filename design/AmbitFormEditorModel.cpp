// The form localizer editor's model: the working copies of the localizer's
// lists, the language entries, the pending edits, and the texts of the
// cells as the source and the localizer store them.
#include <algorithm>
#include <exception>
#include <filesystem>
#include <functional>

#include "design/AmbitDConsts.h"
#include "design/AmbitFormEditor.h"
#include "host/controls/Application.h"
#include "host/controls/Grids.h"
#include "host/controls/ToolBar.h"
#include "host/controls/TreeView.h"
#include "runtime/AmFormLocal.h"

namespace ambit {

using namespace host;

// ---- TChangesList ----

TCellChange* TChangesList::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FItems[static_cast<std::size_t>(Index)].get();
}

TCellChange* TChangesList::Add(std::unique_ptr<TCellChange> Item) {
  FItems.push_back(std::move(Item));
  return FItems.back().get();
}

void TChangesList::Delete(int Index) {
  Items(Index);  // the list's index error
  FItems.erase(FItems.begin() + Index);
}

void TChangesList::DeleteLanguage(int Language) {
  std::erase_if(FItems, [Language](const auto& Item) { return Item->Language == Language; });
  for (auto& item : FItems)
    if (item->Language > Language) --item->Language;
}

int TChangesList::IndexOf(const TCellChange* Item) const {
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == Item) return static_cast<int>(i);
  return -1;
}

TCellChange* TChangesList::FindItem(const TComponent* Component, std::string_view PropName, int Language) const {
  for (const auto& item : FItems)
    if (item->Component == Component && item->PropName == PropName && item->Language == Language) return item.get();
  return nullptr;
}

// ---- TLanguageEntry ----

TLanguageEntry::TLanguageEntry(TComponent* AOwner, std::unique_ptr<TLanguageInfo> Info, int SourceIndex)
    : TMenuItem(AOwner), FInfo(std::move(Info)), FSourceIndex(SourceIndex) {
  SetCaption(FInfo->Name);
  SetRadioItem(true);
}

// ---- the model ----

TAmCustomLanguageSource* TfmFLEditor::Source() const { return FLocalizer ? FLocalizer->Source() : nullptr; }

TAmFileLanguageSource* TfmFLEditor::FileSource() const { return As<TAmFileLanguageSource>(Source()); }

bool TfmFLEditor::SourceAllowsEditing() const { return Source() && Source()->IsDesignTime(); }

int TfmFLEditor::LanguageCount() const { return pmLanguages->Items()->Count(); }

TLanguageEntry* TfmFLEditor::Languages(int Index) const {
  return Index >= 0 && Index < LanguageCount() ? dynamic_cast<TLanguageEntry*>(pmLanguages->Items()->Items(Index))
                                               : nullptr;
}

void TfmFLEditor::SetLocalizer(TAmFormLocalizer* Value) {
  if (Value == FLocalizer) return;
  FLocalizer = Value;
  SetCaption(Value ? Format(sAmFormCaption, {Value->Name(), Value->ClassName()}) : std::string());
  CopyLocalizerLists();
  GetAvailableLangs();
  CheckActiveEntry();
  FillOptions();
  FillTree();
  UpdateButtons();
}

void TfmFLEditor::GetAvailableLangs() {
  TMenuItem* items = pmLanguages->Items();
  while (items->Count() > 0) delete items->Items(items->Count() - 1);
  TAmCustomLanguageSource* src = Source();
  if (!src) return;
  AddLanguageEntry(std::make_unique<TLanguageInfo>(TLanguageInfo{src->OriginalName(), {}}), -1);
  // Each line's own value: a later line of an equal name keeps its own, so
  // that saving writes back every line as it was.
  const TStrings* languages = src->Languages();
  for (int i = 0; i < languages->Count(); ++i) {
    const bool named = languages->Get(i).find('=') != std::string::npos;
    AddLanguageEntry(
        std::make_unique<TLanguageInfo>(TLanguageInfo{src->GetLanguageName(i), named ? languages->ValueFromIndex(i) : ""}),
        i);
  }
}

void TfmFLEditor::AddLanguageEntry(std::unique_ptr<TLanguageInfo> Info, int SourceIndex) {
  auto* entry = new TLanguageEntry(this, std::move(Info), SourceIndex);
  entry->SetOnClick([this, entry](TObject*) { pmLanguagesItemClick(entry); });
  pmLanguages->Items()->Add(entry);
}

void TfmFLEditor::CheckActiveEntry() {
  if (LanguageCount() == 0 || !Source()) return;
  if (TLanguageEntry* entry = Languages(Source()->ActiveLanguage() + 1)) entry->SetChecked(true);
}

bool TfmFLEditor::GetModified() const {
  if (!FLocalizer) return false;
  if (FChanges->Count() > 0) return true;
  const TStrings* saved = FLocalizer->PropNames();
  if (saved->Count() != FPropNames->Count()) return true;
  for (int i = 0; i < FPropNames->Count(); ++i)
    if (saved->IndexOf(FPropNames->Get(i)) < 0) return true;
  return FModified;
}

bool TfmFLEditor::ExcludedChanged() const {
  if (!FLocalizer) return false;
  const TStrings* saved = FLocalizer->Excluded();
  for (int i = 0; i < FExcluded->Count(); ++i)
    if (saved->IndexOf(FExcluded->Get(i)) < 0) return true;
  for (int i = 0; i < saved->Count(); ++i)
    if (FExcluded->IndexOf(saved->Get(i)) < 0) return true;
  return false;
}

void TfmFLEditor::CopyLocalizerLists() {
  FChanges->Clear();
  FStored.clear();
  FPropNames->Clear();
  FExcluded->Clear();
  if (!FLocalizer) return;
  FPropNames->Assign(FLocalizer->PropNames());
  FExcluded->Assign(FLocalizer->Excluded());
}

void TfmFLEditor::Reload() {
  CopyLocalizerLists();
  MarkExcluded();
  GetAvailableLangs();
  if (TComponent* c = SelectedComponent()) {
    FillPropNames(c);
    FillPropValues(c);
  }
  CheckActiveEntry();
  FillOptions();
  FModified = false;
  UpdateButtons();
}

// ---- the texts of the cells ----

std::string TfmFLEditor::GetCellValue(const TTreeNode* Node, TComponent* Component, int Language) {
  if (const TCellChange* change = FChanges->FindItem(Component, TAmbitProps::GetPropNameText(Node), Language))
    return change->Value;
  return StoredValue(Node, Component, Language);
}

std::string TfmFLEditor::StoredValue(const TTreeNode* Node, TComponent* Component, int Language) {
  if (!Component) return {};
  if (Language == -1) return OriginalValue(Node, Component);
  TAmCustomLanguageSource* src = Source();
  const TLanguageEntry* entry = Languages(Language + 1);
  if (!src || !FLocalizer->Owner() || !entry) return {};
  // An added language has nothing stored yet.
  const int index = entry->SourceIndex();
  if (index < 0 || index >= src->Languages()->Count()) return {};
  // Under the name saving uses: a text shared through a dependency is
  // stored under the record of the property it depends on.
  const std::string name = FLocalizer->RecordName(Component, TAmbitProps::GetPropNameText(Node));
  if (name.empty()) return {};
  const TStringList* section = StoredSection(index);
  return section ? section->Values(name) : std::string();
}

std::string TfmFLEditor::OriginalValue(const TTreeNode* Node, TComponent* Component) const {
  TAmCustomLanguageSource* src = Source();
  // With the designed texts on the form, the form itself has them.
  if (!src || src->ActiveLanguage() < 0 || src->Updating()) return FProps->GetPropValue(Node);
  const std::string name = FLocalizer->RecordName(Component, TAmbitProps::GetPropNameText(Node));
  if (name.empty()) return {};
  return GetDecodedString(FLocalizer->Originals()->Values(name), '"', '#');
}

const TStringList* TfmFLEditor::StoredSection(int Index) {
  if (!FStored.contains(Index)) LoadStoredSections({Index});
  const auto it = FStored.find(Index);
  return it == FStored.end() ? nullptr : it->second.get();
}

void TfmFLEditor::LoadStoredSections(const std::vector<int>& Indexes) {
  TAmCustomLanguageSource* src = Source();
  if (!src || !FLocalizer->Owner()) return;
  std::vector<int> missing;
  for (int index : Indexes)
    if (index >= 0 && index < src->Languages()->Count() && !FStored.contains(index)) missing.push_back(index);
  if (missing.empty()) return;
  const std::string section = FLocalizer->Owner()->Name();
  InSourceBracket([&] {
    for (int index : missing) {
      src->SetActiveLanguage(index);
      src->SetFormSection(section);
      auto records = std::make_unique<TStringList>();
      src->LoadStrings(records.get());
      FStored[index] = std::move(records);
    }
  });
}

void TfmFLEditor::InSourceBracket(const std::function<void()>& Body) {
  TAmCustomLanguageSource* src = Source();
  const int active = src->ActiveLanguage();
  src->BeginUpdate();
  TAmFileLanguageSource* files = FileSource();
  if (files) {
    FOldGetFileName = files->OnGetFileName();
    files->SetOnGetFileName([this](TObject* Sender, std::string& FileName) { GetFileName(Sender, FileName); });
  }
  // The language goes back before the bracket closes, so that closing it
  // finds nothing to apply and localizes nothing.
  auto restore = [&] {
    std::exception_ptr failed;
    try {
      src->SetActiveLanguage(active);
    } catch (...) {
      failed = std::current_exception();
    }
    if (files) files->SetOnGetFileName(std::move(FOldGetFileName));
    FOldGetFileName = nullptr;
    src->EndUpdate();
    return failed;
  };
  try {
    Body();
  } catch (...) {
    restore();
    throw;
  }
  if (std::exception_ptr failed = restore()) std::rethrow_exception(failed);
}

// ---- recording edits ----

void TfmFLEditor::RecordEdit(int ACol, int ARow, const std::string& Text) {
  TComponent* component = SelectedComponent();
  if (!component || ActiveControl() != sgPropValues) return;
  const auto* node = dynamic_cast<const TTreeNode*>(sgPropValues->Objects(0, ARow));
  const std::string path = sgPropValues->Cells(0, ARow);
  if (!node || path.empty()) return;
  const int language = ACol - 2;
  // What the cell shows without an edit of its own: a text equal to it is
  // no edit, whatever was typed in between.
  std::string unchanged = StoredValue(node, component, language);
  if (unchanged.empty() && language >= 0) unchanged = GetCellValue(node, component, -1);
  TCellChange* change = FChanges->FindItem(component, path, language);
  if (Text == unchanged) {
    if (change) FChanges->Delete(FChanges->IndexOf(change));
  } else if (change) {
    change->Value = Text;
  } else {
    component->FreeNotification(this);
    auto added = std::make_unique<TCellChange>(component);
    added->PropName = path;
    added->Value = Text;
    added->Language = language;
    FChanges->Add(std::move(added));
  }
  UpdateButtons();
}

void TfmFLEditor::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation != opRemove || !FChanges) return;
  for (int i = 0; i < FChanges->Count(); ++i)
    if (FChanges->Items(i)->Component == AComponent) FChanges->Items(i)->Component = nullptr;
}

// ---- file names ----

void TfmFLEditor::GetFileName(TObject* Sender, std::string& FileName) {
  FileName = GetNewFileName(Sender, FileName);
  if (FOldGetFileName) FOldGetFileName(Sender, FileName);
}

TFileNameHookScope::TFileNameHookScope(TAmFileLanguageSource* Files, TAmLangFileNameEvent& Old,
                                       TAmLangFileNameEvent Hook)
    : FFiles(Files), FOld(Old) {
  if (!FFiles) return;
  FOld = FFiles->OnGetFileName();
  FFiles->SetOnGetFileName(std::move(Hook));
}

TFileNameHookScope::~TFileNameHookScope() {
  if (FFiles) FFiles->SetOnGetFileName(std::move(FOld));
  FOld = nullptr;
}

std::string GetNewFileName(TObject* Sender, const std::string& FileName) {
  if (std::filesystem::path(FileName).is_absolute()) return FileName;
  // In the designer a relative name stays as it is: the source opens it in
  // its form's folder.
  if (const auto* component = As<TComponent>(Sender); component && component->IsDesigning()) return FileName;
  const std::string program = Application() ? Application()->ExeName() : std::string();
  std::string base = std::filesystem::path(program).parent_path().string();
  if (base.empty()) return FileName;
  if (base.back() != '/') base += '/';
  return base + FileName;
}

// ---- showing ----

void ShowFormLocalizerEditor(TAmFormLocalizer* Localizer) {
  auto editor = std::make_unique<TfmFLEditor>(nullptr);
  editor->SetLocalizer(Localizer);
  editor->ShowModal();
}

}  // namespace ambit
