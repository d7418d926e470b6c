#include "design/AmbitAddDBLang.h"

#include <memory>

#include "design/AmbitDConsts.h"
#include "design/DesignForms.h"
#include "host/controls/Buttons.h"
#include "host/controls/ComboBox.h"
#include "host/controls/StdCtrls.h"
#include "host/data/DataSet.h"
#include "runtime/AmbitRConsts.h"

namespace ambit {

using namespace host;

const TClass& TfmAddDBLanguage::StaticClass() {
  static const TClass cls =
      TClassBuilder<TfmAddDBLanguage>("TfmAddDBLanguage", &TLanguageDialog::StaticClass()).Build();
  return cls;
}
const TClass& TfmAddDBLanguage::ClassType() const { return StaticClass(); }

TfmAddDBLanguage::TfmAddDBLanguage(TComponent* AOwner) : TLanguageDialog(AOwner) {
  SetName("fmAddDBLanguage");
  laFieldValue = NewControl<TLabel>(this, this, "laFieldValue", 8, ValueRowTop + 4, 96, 13);
  cbFieldValue = NewControl<TComboBox>(this, this, "cbFieldValue", FieldLeft, ValueRowTop, 239, 21);
  cbFieldValue->SetStyle(csDropDown);
  cbFieldValue->SetTabOrder(1);
  laFieldValue->SetFocusControl(cbFieldValue);
  cbFieldValue->SetOnChange([this](TObject* Sender) { edLangNameChange(Sender); });
  cbFieldValue->SetOnDropDown([this](TObject* Sender) { cbFieldValueDropDown(Sender); });
  AddButtonPanel();
  SetOnCreate([this](TObject* Sender) { FormCreate(Sender); });
  DoCreate();
}

void TfmAddDBLanguage::FormCreate(TObject*) { Localize(); }

void TfmAddDBLanguage::Localize() {
  SetCaption(sAddLangCaption);
  laLangName->SetCaption(sAddLang_laLangName_Caption);
  laFieldValue->SetCaption(sAddDBLang_laFieldValue_Caption);
  buOK->SetCaption(sOKCaption);
  buCancel->SetCaption(sCancelCaption);
}

void TfmAddDBLanguage::SetDataSet(TDataSet* DataSet, const std::string& FieldName) {
  FDataSet = DataSet;
  FFieldName = FieldName;
}

std::string TfmAddDBLanguage::ValueText() const { return cbFieldValue->Text(); }

void TfmAddDBLanguage::cbFieldValueDropDown(TObject*) {
  if (!FDataSet || FFieldName.empty() || FListFilled) return;
  const bool wasActive = FDataSet->Active();
  try {
    FDataSet->Open();
  } catch (const std::exception&) {
    return;  // the next drop-down tries again
  }
  // Whatever reading does, the dataset goes back to its state and the
  // table is not read again.
  struct TRestore {
    TfmAddDBLanguage* Form;
    bool WasActive;
    ~TRestore() {
      Form->FListFilled = true;
      try {
        Form->FDataSet->SetActive(WasActive);
      } catch (const std::exception&) {
        // A close that fails leaves the dataset open; the reading error,
        // if any, is the one worth reporting.
      }
    }
  } restore{this, wasActive};
  TField* field = FDataSet->FindField(FFieldName);
  if (!field) return;
  TStrings* items = cbFieldValue->Items();
  // Keep the typed text: filling the list must not select or clear it.
  const std::string text = cbFieldValue->Text();
  items->BeginUpdate();
  try {
    for (FDataSet->First(); !FDataSet->Eof(); FDataSet->Next()) {
      const std::string value = field->AsString();
      if (items->IndexOf(value) < 0) items->Add(value);
    }
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
  if (cbFieldValue->Text() != text) cbFieldValue->SetText(text);
}

namespace {

bool RunDBDialog(TLanguageInfo* Info, TDataSet* DataSet, const std::string& FieldName, const TLanguageNames& Taken,
                 const char* Caption) {
  if (!Info || !DataSet || Trim(FieldName).empty()) return false;
  auto form = std::make_unique<TfmAddDBLanguage>(nullptr);
  form->SetCaption(Caption);
  form->SetDataSet(DataSet, FieldName);
  form->SetTakenNames(Taken);
  form->edLangName->SetText(Info->Name);
  form->cbFieldValue->SetText(Info->Value);
  // Filling the combo box's text by code is no user change: the rule runs
  // once both fields hold their texts.
  form->edLangNameChange(form.get());
  if (form->ShowModal() != mrOk) return false;
  Info->Name = form->edLangName->Text();
  Info->Value = form->cbFieldValue->Text();
  return true;
}

}  // namespace

bool AddDBLanguage(TLanguageInfo* Info, TDataSet* DataSet, const std::string& FieldName, const TLanguageNames& Taken) {
  return RunDBDialog(Info, DataSet, FieldName, Taken, sAddLangCaption);
}

bool EditDBLanguage(TLanguageInfo* Info, TDataSet* DataSet, const std::string& FieldName,
                    const TLanguageNames& Taken) {
  return RunDBDialog(Info, DataSet, FieldName, Taken, sEditLangCaption);
}

}  // namespace ambit
