#include "design/AmbitAbout.h"

#include <memory>

#include "design/AmbitDConsts.h"
#include "design/DesignForms.h"
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "runtime/AmbitRConsts.h"

namespace ambit {

using namespace host;

const TClass& TfmAbout::StaticClass() {
  static const TClass cls = TClassBuilder<TfmAbout>("TfmAbout", &TForm::StaticClass()).Build();
  return cls;
}
const TClass& TfmAbout::ClassType() const { return StaticClass(); }

TfmAbout::TfmAbout(TComponent* AOwner) : TForm(AOwner) {
  SetName("fmAbout");
  SetBorderStyle(bsDialog);
  SetBorderIcons({biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientWidth(320);
  SetClientHeight(156);
  laProduct = NewControl<TLabel>(this, this, "laProduct", 16, 14, 288, 24);
  laProduct->Font()->SetHeight(-19);
  laProduct->Font()->SetStyle({fsBold});
  laVersion = NewControl<TLabel>(this, this, "laVersion", 16, 42, 288, 15);
  laDescription = NewControl<TLabel>(this, this, "laDescription", 16, 66, 288, 40);
  laDescription->SetAutoSize(false);
  laDescription->SetWordWrap(true);
  Bevel1 = NewControl<TBevel>(this, this, "Bevel1", 8, 112, 304, 2);
  Bevel1->SetShape(bsTopLine);
  buOK = NewControl<TButton>(this, this, "buOK", 237, 122, 75, 25);
  buOK->SetDefault(true);
  buOK->SetCancel(true);
  buOK->SetModalResult(mrOk);
  buOK->SetTabOrder(0);
  SetActiveControl(buOK);
  SetOnCreate([this](TObject* Sender) { FormCreate(Sender); });
  DoCreate();
}

void TfmAbout::FormCreate(TObject*) { Localize(); }

void TfmAbout::Localize() {
  SetCaption(sAbout_Caption);
  laProduct->SetCaption(sAmbitProductName);
  laVersion->SetCaption(Format(sAbout_laVersion_Caption, {sAmbitVersion}));
  laDescription->SetCaption(sAbout_laDescription_Caption);
  buOK->SetCaption(sOKCaption);
}

void ShowAboutForm() {
  auto form = std::make_unique<TfmAbout>(nullptr);
  form->ShowModal();
}

}  // namespace ambit
