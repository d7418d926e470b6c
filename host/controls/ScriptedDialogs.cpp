#include "host/controls/ScriptedDialogs.h"

#include "host/controls/Application.h"
#include "host/controls/Forms.h"

namespace host {

TScriptedDialogs::TScriptedDialogs() { FPrevious = Application()->SetDialogs(this); }

TScriptedDialogs::~TScriptedDialogs() { Application()->SetDialogs(FPrevious); }

TModalResult TScriptedDialogs::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  TModalResult answer;
  if (!FAnswers.empty()) {
    answer = FAnswers.front();
    FAnswers.pop_front();
  } else if (FStrict) {
    FMessages.push_back({Msg, DlgType, Buttons, mrNone});
    throw EScriptedDialogs("No answer queued for the message \"" + Msg + "\"");
  } else {
    answer = CancelLikeResult(Buttons);
  }
  FMessages.push_back({Msg, DlgType, Buttons, answer});
  return answer;
}

TModalResult TScriptedDialogs::ShowModal(TCustomForm* Form) {
  TModalScript script;
  if (!FScripts.empty()) {
    script = std::move(FScripts.front());
    FScripts.pop_front();
  } else if (FStrict) {
    throw EScriptedDialogs("No script queued for the modal form " + Form->Name());
  }
  TModalRecord record{Form->Name(), Form->FormClassName(), Form->Caption(), mrNone};
  Form->BeginModal();
  try {
    if (script) script(Form);
    // The script may have closed the form or left a result behind.
    if (!Form->ModalFinished()) {
      Form->Close();  // as by the close box: mrCancel for a modal form
      if (!Form->ModalFinished())
        throw EScriptedDialogs("The modal form " + Form->Name() + " refused to close after its script");
    }
  } catch (...) {
    Form->SetModalResult(mrCancel);
    Form->EndModal();
    record.Result = mrCancel;
    FModals.push_back(record);
    throw;
  }
  record.Result = Form->EndModal();
  FModals.push_back(record);
  return record.Result;
}

bool TScriptedDialogs::OpenFile(TOpenDialog* Dialog) {
  std::optional<std::string> answer;
  if (!FOpenAnswers.empty()) {
    answer = std::move(FOpenAnswers.front());
    FOpenAnswers.pop_front();
  } else if (FStrict) {
    throw EScriptedDialogs("No answer queued for the file dialog \"" + Dialog->Title() + "\"");
  }
  FOpens.push_back({Dialog->Title(), Dialog->Filter(), Dialog->InitialDir(), answer});
  if (!answer) return false;
  Dialog->SetFileName(*answer);
  return true;
}

}  // namespace host
