#include "host/controls/Dialogs.h"

#include "host/controls/Application.h"
#include "host/controls/Forms.h"

namespace host {

const TTypeInfo& TypeInfoOf(TMsgDlgType*) {
  static const TTypeInfo info =
      MakeEnumInfo("TMsgDlgType", {"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"});
  return info;
}

const TTypeInfo& TypeInfoOf(TMsgDlgBtn*) {
  static const TTypeInfo info = MakeEnumInfo("TMsgDlgBtn", {"mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry",
                                                            "mbIgnore", "mbAll", "mbNoToAll", "mbYesToAll", "mbHelp",
                                                            "mbClose"});
  return info;
}

const TTypeInfo& TypeInfoOf(TOpenOption*) {
  static const TTypeInfo info = MakeEnumInfo(
      "TOpenOption",
      {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
       "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
       "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
       "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing", "ofDontAddToRecent",
       "ofForceShowHidden"});
  return info;
}

TModalResult ModalResultOf(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbClose: return mrClose;
    case mbHelp: return mrNone;
  }
  return mrNone;
}

TModalResult CancelLikeResult(TMsgDlgButtons Buttons) {
  for (TMsgDlgBtn b : {mbCancel, mbNo, mbAbort, mbIgnore, mbClose, mbNoToAll, mbOK})
    if (Buttons.Contains(b)) return ModalResultOf(b);
  return mrCancel;
}

TModalResult THeadlessDialogs::MessageDlg(const std::string&, TMsgDlgType, TMsgDlgButtons Buttons) {
  return CancelLikeResult(Buttons);
}

TModalResult THeadlessDialogs::ShowModal(TCustomForm* Form) {
  Form->BeginModal();
  try {
    // Nobody is there to answer: the form is closed as by its close box.
    if (Form->ModalResult() == mrNone) Form->SetModalResult(mrCancel);
    if (!Form->ModalFinished()) Form->SetModalResult(mrCancel);
  } catch (...) {
    Form->EndModal();
    throw;
  }
  return Form->EndModal();
}

bool THeadlessDialogs::OpenFile(TOpenDialog*) { return false; }

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  return Application()->Dialogs().MessageDlg(Msg, DlgType, Buttons);
}

void ShowMessage(const std::string& Msg) { Application()->Dialogs().MessageDlg(Msg, mtCustom, {mbOK}); }

// ---- dialog components ----

const TClass& TCommonDialog::StaticClass() {
  static const TClass cls = TClassBuilder<TCommonDialog>("TCommonDialog", &TComponent::StaticClass()).Build();
  return cls;
}
const TClass& TCommonDialog::ClassType() const { return StaticClass(); }

const TClass& TOpenDialog::StaticClass() {
  static const TClass cls =
      TClassBuilder<TOpenDialog>("TOpenDialog", &TCommonDialog::StaticClass())
          .Prop("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
          .Prop("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
          .Prop("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
          .Prop("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
          .Default(1)
          .Prop("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
          .Prop("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
          .Default(static_cast<std::int64_t>(TOpenOptions{ofHideReadOnly, ofEnableSizing}.Mask()))
          .Prop("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
          .Build();
  return cls;
}
const TClass& TOpenDialog::ClassType() const { return StaticClass(); }

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
  FFiles->Clear();
  if (!Application()->Dialogs().OpenFile(this)) return false;
  if (!FDefaultExt.empty()) {
    const std::size_t slash = FFileName.find_last_of("/\\");
    const std::size_t dot = FFileName.find_last_of('.');
    if (!FFileName.empty() && (dot == std::string::npos || (slash != std::string::npos && dot < slash))) {
      FFileName += (FDefaultExt.front() == '.' ? "" : ".") + FDefaultExt;
    }
  }
  if (FFiles->Count() == 0 && !FFileName.empty()) FFiles->Add(FFileName);
  return true;
}

}  // namespace host
