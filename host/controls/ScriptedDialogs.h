// A dialogs service for tests: message dialogs are answered from a queue,
// modal forms are driven by queued scripts (set edits, click buttons) and
// file dialogs pick queued names. Everything asked is recorded.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/controls/Dialogs.h"

namespace host {

class EScriptedDialogs : public Exception {
  using Exception::Exception;
};

class TScriptedDialogs : public IDialogs {
public:
  // What a modal form script does with the form: it may set ModalResult
  // (directly or by clicking a button that has one) or call Close.
  using TModalScript = std::function<void(TCustomForm* Form)>;

  struct TMessageRecord {
    std::string Msg;
    TMsgDlgType DlgType = mtCustom;
    TMsgDlgButtons Buttons;
    TModalResult Answer = mrNone;
  };
  struct TModalRecord {
    std::string FormName;
    std::string FormClassName;
    std::string Caption;
    TModalResult Result = mrNone;
  };
  struct TOpenRecord {
    std::string Title;
    std::string Filter;
    std::string InitialDir;
    std::optional<std::string> Answer;
  };

  // Installs itself in the application and restores the previous service
  // when it goes.
  TScriptedDialogs();
  ~TScriptedDialogs() override;
  TScriptedDialogs(const TScriptedDialogs&) = delete;
  TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

  // The next message dialog returns Answer.
  void AnswerMessage(TModalResult Answer) { FAnswers.push_back(Answer); }
  // The next modal form runs Script. After the script the form closes with
  // the modal result it left; when it left none, it is closed as by its
  // close box (mrCancel). A form whose close query refuses both raises
  // EScriptedDialogs, so that a test never hangs.
  void DriveModal(TModalScript Script) { FScripts.push_back(std::move(Script)); }
  // The next file dialog chooses FileName (nothing: it is cancelled).
  void AnswerOpen(std::optional<std::string> FileName) { FOpenAnswers.push_back(std::move(FileName)); }
  // In strict mode a dialog without a queued answer raises EScriptedDialogs;
  // otherwise it gets the headless answer.
  void SetStrict(bool Value) { FStrict = Value; }

  const std::vector<TMessageRecord>& Messages() const { return FMessages; }
  const std::vector<TModalRecord>& ModalForms() const { return FModals; }
  const std::vector<TOpenRecord>& OpenDialogs() const { return FOpens; }
  // Answers and scripts still queued.
  std::size_t PendingAnswers() const { return FAnswers.size(); }
  std::size_t PendingScripts() const { return FScripts.size(); }

  TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) override;
  TModalResult ShowModal(TCustomForm* Form) override;
  bool OpenFile(TOpenDialog* Dialog) override;

private:
  IDialogs* FPrevious = nullptr;
  std::deque<TModalResult> FAnswers;
  std::deque<TModalScript> FScripts;
  std::deque<std::optional<std::string>> FOpenAnswers;
  bool FStrict = false;
  std::vector<TMessageRecord> FMessages;
  std::vector<TModalRecord> FModals;
  std::vector<TOpenRecord> FOpens;
};

}  // namespace host
