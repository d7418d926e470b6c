#include "design/AmbitAddLang.h"

#include <memory>

#include "design/AmbitDConsts.h"
#include "design/DesignForms.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/core/Strings.h"
#include "runtime/AmbitRConsts.h"

namespace ambit {

using namespace host;

const TClass& TfmAddLanguage::StaticClass() {
  static const TClass cls =
      TClassBuilder<TfmAddLanguage>("TfmAddLanguage", &TLanguageDialog::StaticClass()).Build();
  return cls;
}
const TClass& TfmAddLanguage::ClassType() const { return StaticClass(); }

TfmAddLanguage::TfmAddLanguage(TComponent* AOwner) : TLanguageDialog(AOwner) {
  SetName("fmAddLanguage");
  laFileName = NewControl<TLabel>(this, this, "laFileName", 8, ValueRowTop + 4, 96, 13);
  edFileName = NewControl<TEdit>(this, this, "edFileName", FieldLeft, ValueRowTop, 215, 21);
  edFileName->SetTabOrder(1);
  laFileName->SetFocusControl(edFileName);
  edFileName->SetOnChange([this](TObject* Sender) { edLangNameChange(Sender); });
  Bevel2 = NewControl<TBevel>(this, this, "Bevel2", 326, ValueRowTop, 21, 21);
  buBrowse = NewControl<TButton>(this, this, "buBrowse", 327, ValueRowTop + 1, 19, 19);
  buBrowse->SetTabOrder(2);
  buBrowse->SetOnClick([this](TObject* Sender) { buBrowseClick(Sender); });
  AddButtonPanel();
  dlgOpen = NewComponent<TOpenDialog>(this, "dlgOpen");
  SetOnCreate([this](TObject* Sender) { FormCreate(Sender); });
  DoCreate();
}

void TfmAddLanguage::FormCreate(TObject*) { Localize(); }

void TfmAddLanguage::Localize() {
  SetCaption(sAddLangCaption);
  laLangName->SetCaption(sAddLang_laLangName_Caption);
  laFileName->SetCaption(sAddLang_laFileName_Caption);
  buBrowse->SetCaption(sAddLang_buBrowse_Caption);
  buBrowse->SetHint(sAddLang_buBrowse_Hint);
  buOK->SetCaption(sOKCaption);
  buCancel->SetCaption(sCancelCaption);
}

void TfmAddLanguage::SetFileExt(const std::string& Ext) {
  FFileExt = Ext;
  std::string filter = Ext.empty() ? std::string() : Format(sLanguageFileFilter, {Ext, Ext});
  dlgOpen->SetFilter(filter + sAllFileFilter);
  dlgOpen->SetDefaultExt(Ext);
}

void TfmAddLanguage::buBrowseClick(TObject*) {
  if (dlgOpen->Execute()) edFileName->SetText(dlgOpen->FileName());
}

std::string TfmAddLanguage::ValueText() const { return edFileName->Text(); }

void SetLanguageList(TStrings* Languages, const std::vector<const TLanguageInfo*>& Infos) {
  Languages->BeginUpdate();
  Languages->Clear();
  for (const TLanguageInfo* info : Infos) Languages->Add(info->Name + "=" + info->Value);
  Languages->EndUpdate();
}

namespace {

bool RunFileDialog(TLanguageInfo* Info, const std::string& Ext, const TLanguageNames& Taken, const char* Caption) {
  if (!Info) return false;
  auto form = std::make_unique<TfmAddLanguage>(nullptr);
  form->SetCaption(Caption);
  form->SetFileExt(Ext);
  form->SetTakenNames(Taken);
  form->edLangName->SetText(Info->Name);
  form->edFileName->SetText(Info->Value);
  if (form->ShowModal() != mrOk) return false;
  Info->Name = form->edLangName->Text();
  Info->Value = form->edFileName->Text();
  return true;
}

}  // namespace

bool AddLanguage(TLanguageInfo* Info, const std::string& Ext, const TLanguageNames& Taken) {
  return RunFileDialog(Info, Ext, Taken, sAddLangCaption);
}

bool EditLanguage(TLanguageInfo* Info, const std::string& Ext, const TLanguageNames& Taken) {
  return RunFileDialog(Info, Ext, Taken, sEditLangCaption);
}

}  // namespace ambit
