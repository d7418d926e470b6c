#include "design/AmbitStrEditor.h"

#include <memory>

#include "design/AmbitDConsts.h"
#include "design/DesignForms.h"
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "runtime/AmbitRConsts.h"

namespace ambit {

using namespace host;

const TClass& TfmStringsEditor::StaticClass() {
  static const TClass cls = TClassBuilder<TfmStringsEditor>("TfmStringsEditor", &TForm::StaticClass()).Build();
  return cls;
}
const TClass& TfmStringsEditor::ClassType() const { return StaticClass(); }

TfmStringsEditor::TfmStringsEditor(TComponent* AOwner) : TForm(AOwner) {
  SetName("fmStringsEditor");
  SetBorderStyle(bsSizeToolWin);
  SetPosition(poScreenCenter);
  SetClientWidth(370);
  SetClientHeight(241);
  paButtons = NewControl<TPanel>(this, this, "paButtons", 0, 199, 370, 42);
  paButtons->SetAlign(alBottom);
  paButtons->SetBevelOuter(bvNone);
  paButtons->SetTabOrder(1);
  buOK = NewControl<TButton>(this, paButtons, "buOK", 204, 9, 75, 25);
  buOK->SetDefault(true);
  buOK->SetModalResult(mrOk);
  buOK->SetTabOrder(0);
  buCancel = NewControl<TButton>(this, paButtons, "buCancel", 288, 9, 75, 25);
  buCancel->SetCancel(true);
  buCancel->SetModalResult(mrCancel);
  buCancel->SetTabOrder(1);
  for (TControl* b : {static_cast<TControl*>(buOK), static_cast<TControl*>(buCancel)})
    b->SetAnchors({akTop, akRight});
  mmStrings = NewControl<TMemo>(this, this, "mmStrings", 0, 0, 370, 199);
  mmStrings->SetAlign(alClient);
  mmStrings->SetScrollBars(ssBoth);
  mmStrings->SetWordWrap(false);
  mmStrings->SetTabOrder(0);
  mmStrings->Font()->SetName("Courier New");
  mmStrings->Font()->SetHeight(-11);
  // The memo comes first in the tab order and in the focus chain.
  SetChildOrder(mmStrings, 0);
  SetActiveControl(mmStrings);
  SetOnCreate([this](TObject* Sender) { FormCreate(Sender); });
  DoCreate();
}

void TfmStringsEditor::FormCreate(TObject*) { Localize(); }

void TfmStringsEditor::Localize() {
  SetCaption(sStrEditor_Caption);
  buOK->SetCaption(sOKCaption);
  buCancel->SetCaption(sCancelCaption);
}

namespace {

// Shows the editor on S read by Read and, on OK, gives back what Write makes
// of the lines.
template <class TRead, class TWrite>
bool RunEditor(std::string& S, TFontCharset CharSet, TRead Read, TWrite Write) {
  auto form = std::make_unique<TfmStringsEditor>(nullptr);
  TStrings* lines = form->mmStrings->Lines();
  form->mmStrings->Font()->SetCharset(CharSet);
  Read(lines, S);
  if (form->ShowModal() != mrOk) return false;
  S = Write(lines);
  return true;
}

}  // namespace

bool EditString(std::string& S, TFontCharset CharSet) {
  return RunEditor(
      S, CharSet, [](TStrings* L, const std::string& V) { L->SetText(V); }, [](TStrings* L) { return L->Text(); });
}

bool EditStrings(std::string& S, TFontCharset CharSet) {
  return RunEditor(
      S, CharSet, [](TStrings* L, const std::string& V) { L->SetCommaText(V); },
      [](TStrings* L) { return L->CommaText(); });
}

}  // namespace ambit
