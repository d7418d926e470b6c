#include "design/AmbitDsgn.h"

#include "design/AmbitAbout.h"
#include "design/AmbitDConsts.h"
#include "design/AmbitFormEditor.h"
#include "design/AmbitSourceEditor.h"
#include "host/controls/Dialogs.h"
#include "host/core/Strings.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitDBSource.h"

namespace ambit {

using namespace host;

// ---- component editors ----

void TAmLocalizerEditor::Edit() { TDefaultEditor::Edit(); }

void TAmLocalizerEditor::ExecuteVerb(int Index) {
  if (Index == 0) ShowAboutForm();
}

std::string TAmLocalizerEditor::GetVerb(int Index) { return Index == 0 ? sAbout : std::string(); }

int TAmLocalizerEditor::GetVerbCount() { return 1; }

void TAmLocalizerEditor::EditProperty(TPropertyEditor*, bool&) {}

void TAmLangSourceEditor::Edit() {
  ShowLangSourceEditor(As<TAmCustomLanguageSource>(Component()));
  if (Designer()) Designer()->Modified();
}

void TAmLangSourceEditor::ExecuteVerb(int Index) {
  if (Index == 1)
    Edit();
  else
    TAmLocalizerEditor::ExecuteVerb(Index);
}

std::string TAmLangSourceEditor::GetVerb(int Index) {
  std::string caption = Index == 1 ? std::string(sEditLanguageSource) : TAmLocalizerEditor::GetVerb(Index);
  if (Designer()) Designer()->Modified();
  return caption;
}

int TAmLangSourceEditor::GetVerbCount() { return 2; }

// ---- ActiveLanguage ----

TAmCustomLanguageSource* TActiveLanguageProperty::Source() const {
  return PropCount() > 0 ? As<TAmCustomLanguageSource>(GetComponent(0)) : nullptr;
}

TPropertyAttributes TActiveLanguageProperty::GetAttributes() const {
  TPropertyAttributes a = TIntegerProperty::GetAttributes();
  a.Include(paValueList);
  a.Include(paRevertable);
  return a;
}

std::string TActiveLanguageProperty::GetValue() const {
  const std::int64_t v = GetOrdValue();
  if (const TAmCustomLanguageSource* source = Source(); source && v >= -1 && v < source->Languages()->Count())
    return v == -1 ? source->OriginalName() : source->Languages()->Names(static_cast<int>(v));
  return TIntegerProperty::GetValue();
}

void TActiveLanguageProperty::GetValueList(TStrings* List) const {
  if (!List) return;
  List->Clear();
  const TAmCustomLanguageSource* source = Source();
  if (!source) return;
  List->Add(source->OriginalName());
  const TStrings* languages = source->Languages();
  for (int i = 0; i < languages->Count(); ++i) List->Add(languages->Names(i));
}

void TActiveLanguageProperty::GetValues(const TGetStrProc& Proc) const {
  TStringList list;
  GetValueList(&list);
  for (int i = 0; i < list.Count(); ++i) Proc(list.Get(i));
}

void TActiveLanguageProperty::SetValue(const std::string& Value) {
  TAmCustomLanguageSource* source = Source();
  if (!source) {
    TIntegerProperty::SetValue(IntToStr(-1));
    return;
  }
  const std::string index = IntToStr(source->Languages()->IndexOfName(Value));
  TFileNameHookScope hook(As<TAmFileLanguageSource>(source), FOldGetFileName,
                          [this](TObject* Sender, std::string& FileName) { GetFileName(Sender, FileName); });
  TIntegerProperty::SetValue(index);
}

void TActiveLanguageProperty::GetFileName(TObject* Sender, std::string& FileName) {
  FileName = GetNewFileName(Sender, FileName);
  if (FOldGetFileName) FOldGetFileName(Sender, FileName);
}

// ---- About and _Version ----

void TAmLocalizerAboutProperty::Edit() { ShowAboutForm(); }

TPropertyAttributes TAmLocalizerAboutProperty::GetAttributes() const { return {paDialog, paReadOnly}; }

std::string TAmLocalizerAboutProperty::GetValue() const { return sAboutPropertyValue; }

std::string TAmLocalizerVersionProperty::GetValue() const { return sAmbitVersion; }

// ---- the database source's column names ----

TPropertyAttributes TAmDBLanguageFieldEditor::GetAttributes() const {
  TPropertyAttributes a = TStringProperty::GetAttributes();
  a.Include(paValueList);
  return a;
}

void TAmDBLanguageFieldEditor::GetValues(const TGetStrProc& Proc) const {
  auto* fields = PropCount() > 0 ? As<TAmDBLanguageFields>(GetComponent(0)) : nullptr;
  auto* source = fields ? As<TAmDBLanguageSource>(fields->Owner()) : nullptr;
  TDataSet* dataSet = source ? source->DataSet() : nullptr;
  if (!dataSet) return;
  const bool wasActive = dataSet->Active();
  bool openFailed = false;
  // The host reads the definitions of a closed dataset where the back end
  // can; only where it cannot is the dataset opened for them.
  const TFieldDefs* defs = nullptr;
  try {
    defs = &dataSet->FieldDefs();
  } catch (const std::exception&) {
  }
  if (!defs || defs->Count() == 0) {
    try {
      dataSet->Open();
      defs = &dataSet->FieldDefs();
    } catch (const std::exception&) {
      openFailed = true;
      defs = nullptr;
    }
  }
  auto restore = [&] {
    if (!openFailed && dataSet->Active() != wasActive) dataSet->SetActive(wasActive);
  };
  try {
    if (defs)
      for (int i = 0; i < defs->Count(); ++i) Proc(defs->Items(i).Name());
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

// ---- the form localizer's editor ----

void TAmFormLocalizerEditor::Edit() {
  ShowFormLocalizerEditor(As<TAmFormLocalizer>(Component()));
  if (Designer()) Designer()->Modified();
}

void TAmFormLocalizerEditor::ExecuteVerb(int Index) {
  if (Index == 1)
    Edit();
  else if (Index == 2)
    GenerateTemplate();
  else
    TAmLocalizerEditor::ExecuteVerb(Index);
}

std::string TAmFormLocalizerEditor::GetVerb(int Index) {
  if (Index == 1) return sFormLocalizerEditor;
  if (Index == 2) return sGenerateLocalizationTemplate;
  return TAmLocalizerEditor::GetVerb(Index);
}

int TAmFormLocalizerEditor::GetVerbCount() {
  const auto* localizer = As<TAmFormLocalizer>(Component());
  const TAmCustomLanguageSource* source = localizer ? localizer->Source() : nullptr;
  return source && source->ActiveLanguage() >= 0 && source->IsDesignTime() ? 3 : 2;
}

void TAmFormLocalizerEditor::GetFileName(TObject* Sender, std::string& FileName) {
  FileName = GetNewFileName(Sender, FileName);
  if (FOldGetFileName) FOldGetFileName(Sender, FileName);
}

void TAmFormLocalizerEditor::GenerateTemplate() {
  auto* localizer = As<TAmFormLocalizer>(Component());
  if (!localizer) return;
  TAmCustomLanguageSource* source = localizer->Source();
  if (!source) {
    MessageDlg(Format(sLangSourceNotSpec, {localizer->Name()}), mtError, {mbOK});
    return;
  }
  if (source->ActiveLanguage() < 0) {
    MessageDlg(sCannotSaveTemplateForDefLang, mtError, {mbOK});
    return;
  }
  auto* files = As<TAmFileLanguageSource>(source);
  {
    TFileNameHookScope hook(files, FOldGetFileName,
                            [this](TObject* Sender, std::string& FileName) { GetFileName(Sender, FileName); });
    // Reopen the language's store, so that the save starts from what is
    // stored now, without localizing the form on the way.
    source->BeginUpdate();
    const int active = source->ActiveLanguage();
    try {
      source->SetActiveLanguage(-1);
      source->SetActiveLanguage(active);
    } catch (...) {
      source->EndUpdate();
      throw;
    }
    source->EndUpdate();
    localizer->Save();
  }
  const int active = source->ActiveLanguage();
  const std::string owner = localizer->Owner() ? localizer->Owner()->Name() : std::string();
  const std::string target = files ? files->GetLanguageFile(active) : source->GetLanguageValue(active);
  ShowMessage(Format(sTemplateGenerated, {owner, target}));
}

}  // namespace ambit
