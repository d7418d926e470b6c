// The dialogs service: message dialogs, modal forms and file dialogs all go
// through one interface, so that the widgetset runs them as real windows
// and tests answer them from a script. The headless default never blocks.
#pragma once

#include <memory>
#include <string>

#include "host/controls/ControlTypes.h"
#include "host/core/Component.h"
#include "host/core/Set.h"
#include "host/core/Strings.h"

namespace host {

class TCustomForm;
class TOpenDialog;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
const TTypeInfo& TypeInfoOf(TMsgDlgType*);
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
const TTypeInfo& TypeInfoOf(TMsgDlgBtn*);
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The modal result a button gives (mbOK gives mrOk, ...).
TModalResult ModalResultOf(TMsgDlgBtn Button);

class IDialogs {
public:
  virtual ~IDialogs() = default;
  // Shows a message with the given buttons; returns the modal result of
  // the button chosen (or of closing the box).
  virtual TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) = 0;
  // Runs a form modally (BeginModal, ..., EndModal) and returns its result.
  virtual TModalResult ShowModal(TCustomForm* Form) = 0;
  // Asks for a file; on success fills the dialog's FileName (and Files).
  virtual bool OpenFile(TOpenDialog* Dialog) = 0;
};

// What runs without a widgetset: nothing is shown and nothing blocks. A
// message gets the most cancel-like of its buttons (Cancel, No, Abort,
// Ignore, Close, then OK), a modal form is closed at once with mrCancel
// (its OnShow and OnClose still run), and a file dialog is cancelled.
class THeadlessDialogs : public IDialogs {
public:
  TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) override;
  TModalResult ShowModal(TCustomForm* Form) override;
  bool OpenFile(TOpenDialog* Dialog) override;
};

// The cancel-like answer THeadlessDialogs gives for a set of buttons.
TModalResult CancelLikeResult(TMsgDlgButtons Buttons);

// Through the application's current service.
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
void ShowMessage(const std::string& Msg);

// Non-visual dialog components.
class TCommonDialog : public TComponent {
  HOST_CLASS(TCommonDialog)
public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  virtual bool Execute() = 0;
};

enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;
const TTypeInfo& TypeInfoOf(TOpenOption*);

class TOpenDialog : public TCommonDialog {
  HOST_CLASS(TOpenDialog)
public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  const std::string& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  // Every file chosen (one line each); the first is FileName.
  TStrings* Files() const { return FFiles.get(); }
  // "Text files (*.txt)|*.txt|All files (*.*)|*.*"
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& Value) { FFilter = Value; }
  // 1-based, as in the host.
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }

  // Asks through the dialogs service; true when a file was chosen. A
  // chosen name without extension gets DefaultExt.
  bool Execute() override;

private:
  std::string FDefaultExt;
  std::string FFileName;
  std::unique_ptr<TStringList> FFiles;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FInitialDir;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
  std::string FTitle;
};

}  // namespace host
