// The dialog string-list properties are edited in: a host form with a memo
// and OK and Cancel buttons, run through the dialogs service like every
// modal window (scripts drive it in tests: the memo is "Memo", the buttons
// "OKButton" and "CancelButton", the count of lines "LineCount").
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "host/core/SysUtils.h"
#include "host/design/DesignEditors.h"

namespace host {

bool EditStringsDialog(TStrings* Strings, const std::string& Caption) {
  if (!Strings) return false;
  // No owner: the function that shows the dialog frees it, also on failure.
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName("StringsEditor");
  form->SetCaption(Caption.empty() ? std::string("String List Editor") : "String List Editor - " + Caption);
  form->SetBorderStyle(bsSizeable);
  form->SetPosition(poScreenCenter);
  form->SetClientWidth(420);
  form->SetClientHeight(300);

  auto* buttons = new TPanel(form.get());
  buttons->SetName("ButtonPanel");
  buttons->SetCaption("");
  buttons->SetBevelOuter(bvNone);
  buttons->SetParent(form.get());
  buttons->SetHeight(41);
  buttons->SetAlign(alBottom);

  auto* ok = new TButton(form.get());
  ok->SetName("OKButton");
  ok->SetParent(buttons);
  ok->SetBounds(252, 8, 75, 25);
  ok->SetAnchors({akTop, akRight});
  ok->SetCaption("OK");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);

  auto* cancel = new TButton(form.get());
  cancel->SetName("CancelButton");
  cancel->SetParent(buttons);
  cancel->SetBounds(336, 8, 75, 25);
  cancel->SetAnchors({akTop, akRight});
  cancel->SetCaption("Cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);

  auto* memo = new TMemo(form.get());
  memo->SetName("Memo");
  memo->SetParent(form.get());
  memo->SetAlign(alClient);
  memo->SetScrollBars(ssBoth);
  memo->SetWordWrap(false);
  memo->Lines()->Assign(Strings);
  form->SetActiveControl(memo);

  // How many lines the list will hold, kept up to date while typing.
  auto* count = new TLabel(form.get());
  count->SetName("LineCount");
  count->SetParent(buttons);
  count->SetBounds(8, 14, 120, 13);
  auto showCount = [memo, count](TObject*) {
    const int n = memo->Lines()->Count();
    count->SetCaption(n == 1 ? std::string("1 line") : Format("%d lines", {n}));
  };
  showCount(nullptr);
  memo->SetOnChange(showCount);

  const TModalResult result = form->ShowModal();
  // The label goes before the memo when the form is freed.
  memo->SetOnChange(nullptr);
  if (result != mrOk) return false;
  if (memo->Lines()->Text() == Strings->Text()) return false;
  Strings->Assign(memo->Lines());
  return true;
}

}  // namespace host
