#include "design/LanguageDialog.h"

#include "design/AmbitDConsts.h"
#include "design/DesignForms.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/core/CaseFold.h"
#include "host/core/SysUtils.h"

namespace ambit {

using namespace host;

const TClass& TLanguageDialog::StaticClass() {
  static const TClass cls = TClassBuilder<TLanguageDialog>("TLanguageDialog", &TForm::StaticClass()).Build();
  return cls;
}
const TClass& TLanguageDialog::ClassType() const { return StaticClass(); }

TLanguageDialog::TLanguageDialog(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons({biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientWidth(355);
  SetClientHeight(95);
  laLangName = NewControl<TLabel>(this, this, "laLangName", 8, 12, 96, 13);
  edLangName = NewControl<TEdit>(this, this, "edLangName", FieldLeft, 8, 239, 21);
  edLangName->SetTabOrder(0);
  laLangName->SetFocusControl(edLangName);
  edLangName->SetOnChange([this](TObject* Sender) { edLangNameChange(Sender); });
  SetActiveControl(edLangName);
  SetOnCloseQuery([this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); });
}

void TLanguageDialog::AddButtonPanel() {
  paButtons = NewControl<TPanel>(this, this, "paButtons", 0, 55, 355, 40);
  paButtons->SetAlign(alBottom);
  paButtons->SetBevelOuter(bvNone);
  paButtons->SetTabOrder(9);
  Bevel1 = NewControl<TBevel>(this, paButtons, "Bevel1", 0, 0, 355, 2);
  Bevel1->SetAlign(alTop);
  Bevel1->SetShape(bsTopLine);
  buOK = NewControl<TButton>(this, paButtons, "buOK", 192, 9, 75, 25);
  buOK->SetDefault(true);
  buOK->SetModalResult(mrOk);
  buOK->SetEnabled(false);
  buOK->SetTabOrder(0);
  buCancel = NewControl<TButton>(this, paButtons, "buCancel", 272, 9, 75, 25);
  buCancel->SetCancel(true);
  buCancel->SetModalResult(mrCancel);
  buCancel->SetTabOrder(1);
  for (TControl* b : {static_cast<TControl*>(buOK), static_cast<TControl*>(buCancel)})
    b->SetAnchors({akTop, akRight});
}

void TLanguageDialog::edLangNameChange(TObject*) {
  if (!buOK) return;  // still being built
  buOK->SetEnabled(!Trim(edLangName->Text()).empty() && !Trim(ValueText()).empty());
}

std::string TLanguageDialog::RefusalOf(const std::string& Name) const {
  // A name holding "=" would be cut at it when the list is read back.
  if (Name.find('=') != std::string::npos) return sLanguageNameHasEquals;
  const std::string trimmed = Trim(Name);
  for (const std::string& taken : FTakenNames)
    if (SameText(Trim(taken), trimmed)) return Format(sLanguageNameTaken, {trimmed});
  return {};
}

void TLanguageDialog::FormCloseQuery(TObject*, bool& CanClose) {
  if (ModalResult() != mrOk) return;
  const std::string refusal = RefusalOf(edLangName->Text());
  if (refusal.empty()) return;
  MessageDlg(refusal, mtError, {mbOK});
  CanClose = false;
  SetActiveControl(edLangName);
}

}  // namespace ambit
