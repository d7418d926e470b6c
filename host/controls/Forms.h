// Forms and frames. A form is a top-level window: it owns every component
// placed on it whatever panel shows it, registers with the screen while it
// lives and runs modally through the dialogs service. A frame is a control
// that introduces its own owner level: it owns the components placed on it.
#pragma once

#include <functional>
#include <string>

#include "host/controls/WinControl.h"

namespace host {

class TMainMenu;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
  HOST_CLASS(TCustomForm)
public:
  explicit TCustomForm(TComponent* AOwner);
  // Fires OnDestroy, leaves the screen and the application's lists.
  ~TCustomForm() override;

  // The class name form files give the form ("TMainForm"); the C++ class
  // name until the reader sets another.
  std::string FormClassName() const { return FFormClassName.empty() ? ClassName() : FFormClassName; }
  void SetFormClassName(const std::string& Value) { FFormClassName = Value; }

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value);
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  TWinControl* ActiveControl() const { return FActiveControl; }
  // Moves the focus: the old control's OnExit, then the new one's OnEnter.
  void SetActiveControl(TWinControl* Value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool Modal() const { return FModal; }
  bool Active() const { return FActive; }

  // Fires OnCreate once; the code that builds or loads a form calls it when
  // the form is complete (Show calls it when nobody did).
  void DoCreate();
  // Makes the form visible, creating its peers when a widgetset is
  // installed; fires OnShow. Hide fires OnHide.
  void Show();
  void Hide();
  // Asks OnCloseQuery; a modal form sets ModalResult to mrCancel instead.
  // When allowed, OnClose chooses what happens: hide (the default), free
  // later (caFree, through the application), minimise or nothing.
  void Close();
  bool CloseQuery();
  // Runs the form modally through the dialogs service and returns the
  // modal result. Raises EInvalidOperation for a visible or disabled form.
  TModalResult ShowModal();
  // Frees the form the next time the application processes messages.
  void Release();

  // The steps of a modal run, for the dialogs services: BeginModal shows
  // the form modally; ModalFinished closes it once ModalResult is set
  // (CloseQuery may refuse, which clears ModalResult again) and tells
  // whether the run is over; EndModal hides the form and returns the result.
  void BeginModal();
  bool ModalFinished();
  TModalResult EndModal();

  // The window was activated or deactivated (reported by the peer, or by
  // Show and Hide headless).
  void Activate();
  void Deactivate();

  const TNotifyEvent& OnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent Value) { FOnCreate = std::move(Value); }
  const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = std::move(Value); }
  const TNotifyEvent& OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent Value) { FOnShow = std::move(Value); }
  const TNotifyEvent& OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent Value) { FOnHide = std::move(Value); }
  const TCloseEvent& OnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent Value) { FOnClose = std::move(Value); }
  const TCloseQueryEvent& OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent Value) { FOnCloseQuery = std::move(Value); }
  const TNotifyEvent& OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent Value) { FOnActivate = std::move(Value); }
  const TNotifyEvent& OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent Value) { FOnDeactivate = std::move(Value); }

  void SetVisible(bool Value) override;
  bool KeyDown(TKey& Key, TShiftState Shift) override;
  // The keys a dialog handles after the focused control: the menu's and
  // the actions' shortcuts, Enter for the default button, Escape for the
  // cancel button. False when the key was used (and set to 0).
  bool DialogKey(TKey& Key, TShiftState Shift);

  // Streaming: the child controls, then the owned components without a
  // parent (action lists, menus, image lists, dialogs, sources, ...).
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  TComponent* GetChildOwner() override { return this; }
  bool HasParent() const override { return false; }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void HandleNeeded() override;
  void ParentBiDiModeChanged() override;

protected:
  void PushPeerState() override;
  void BiDiModeChanged() override;
  void DoClose(TCloseAction& Action);
  void CloseModal();
  void ApplyPosition();

private:
  friend class TControl;
  friend class TWinControl;

  std::string FFormClassName;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDefaultPosOnly;
  TWindowState FWindowState = wsNormal;
  bool FKeyPreview = false;
  TMainMenu* FMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FActive = false;
  bool FCreated = false;
  bool FShowing = false;
  bool FPositioned = false;
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDestroy;
  TNotifyEvent FOnShow;
  TNotifyEvent FOnHide;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
  TNotifyEvent FOnActivate;
  TNotifyEvent FOnDeactivate;
};

class TForm : public TCustomForm {
  HOST_CLASS(TForm)
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

class TFrame : public TCustomControl {
  HOST_CLASS(TFrame)
public:
  explicit TFrame(TComponent* AOwner);

  std::string FormClassName() const { return FFormClassName.empty() ? ClassName() : FFormClassName; }
  void SetFormClassName(const std::string& Value) { FFormClassName = Value; }

  // The frame's own controls (those it owns) and its owned components
  // without a parent, whichever root the writer is at.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  TComponent* GetChildOwner() override { return this; }

private:
  std::string FFormClassName;
};

}  // namespace host
