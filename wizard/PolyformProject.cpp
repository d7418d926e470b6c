// A run of the wizard over the current project: collecting the forms, the
// dialog, and saving the chosen forms into the chosen language.
#include <exception>

#include "host/core/CaseFold.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"
#include "wizard/LocalFrm.h"
#include "wizard/Polyform.h"
#include "wizard/PolyformRun.h"

namespace ambit {

using namespace host;

void TPolyform::GetForms() {
  FLanguageSource = nullptr;
  // A project without a language source offers no languages, whatever the
  // previous run found.
  FLanguages->Clear();
  FLocalList->Clear();
  IIDEServices* services = IDEServices();
  for (int i = 0; i < FProject->GetModuleCount(); ++i) {
    IOTAModuleInfo* info = FProject->GetModule(i);
    if (!info || info->FormName().empty()) continue;
    const std::string file = info->FileName();
    // A unit that cannot be opened has been reported once already.
    if (!services->ModuleServices()->FindModule(file) && !services->ActionServices()->OpenFile(file)) continue;
    IOTAModule* module = info->OpenModule();
    if (!module) continue;
    auto* editor = dynamic_cast<IOTAFormEditor*>(module->GetModuleFileEditor(1));
    if (!editor) continue;
    editor->Show();
    INTAComponent* root = editor->GetRootComponent();
    TComponent* form = root ? root->GetComponent() : nullptr;
    if (!form) continue;
    // Every localizer up to the first one met once a source is known: in
    // practice one per form, and only the project's first source counts.
    for (TComponent* component : form->ComponentList()) {
      if (auto* source = As<TAmLanguageSource>(component); source && !FLanguageSource) {
        FLanguageSource = source;
        FLanguages->Assign(source->Languages());
      } else if (auto* localizer = As<TAmFormLocalizer>(component)) {
        FLocalList->Add(localizer, form->Name(), file);
        if (FLanguageSource) break;
      }
    }
  }
}

void TPolyform::LocalizeProject() {
  auto dialog = std::make_unique<TLocalForm>(nullptr);
  GetForms();
  for (int i = 0; i < FLocalList->Count(); ++i) dialog->FormList->Items()->Add(FLocalList->GetItems(i)->FormName);
  for (int i = 0; i < FLanguages->Count(); ++i) dialog->LanguageList->Items()->Add(FLanguages->Names(i));
  if (dialog->LanguageList->Items()->Count() > 0) dialog->LanguageList->SetItemIndex(0);
  dialog->SetProjectPatch(FProject->FileName());
  dialog->SetCheckList();
  // The units stay open when the user cancels.
  if (dialog->ShowModal() != mrOk) return;
  FSettings->Recreate = dialog->ckRecreated->Checked();
  FSettings->Language = dialog->LanguageList->Text();
  FSettings->Forms->Clear();
  for (int i = 0; i < dialog->FormList->Count(); ++i)
    if (dialog->FormList->Checked(i)) FSettings->Forms->Add(dialog->FormList->Items()->Get(i));
  dialog.reset();
  SaveChosenForms();
}

void TPolyform::SaveChosenForms() {
  int language = -1;
  for (int i = 0; i < FLanguages->Count() && language < 0; ++i)
    if (SameText(FLanguages->Names(i), FSettings->Language)) language = i;
  std::exception_ptr failure;
  if (language >= 0) {
    const int previous = FLanguageSource->ActiveLanguage();
    try {
      FLanguageSource->SetActiveLanguage(language);
      for (int i = 0; i < FLocalList->Count(); ++i) {
        TAmFormLocalizer* localizer = FLocalList->GetItems(i)->Localizer;
        if (localizer->Owner() && IsChosenForm(FSettings->Forms.get(), localizer->Owner()->Name())) localizer->Save();
      }
      if (FSettings->Recreate) RecreateLanguageFile(FLanguageSource, language, FSettings->Forms.get());
    } catch (...) {
      failure = std::current_exception();
    }
    // The first error is the one the user hears of.
    try {
      FLanguageSource->SetActiveLanguage(previous);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  CloseListedUnits();
  if (failure) std::rethrow_exception(failure);
}

void TPolyform::CloseListedUnits() {
  IOTAActionServices* actions = IDEServices()->ActionServices();
  for (int i = 0; i < FLocalList->Count(); ++i) actions->CloseFile(FLocalList->GetItems(i)->FileName);
}

}  // namespace ambit
