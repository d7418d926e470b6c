#include "host/controls/Forms.h"

#include "host/controls/ActnList.h"
#include "host/controls/Application.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Menus.h"
#include "host/controls/Publish.h"

namespace host {

const TClass& TCustomForm::StaticClass() {
  static const TClass cls = [] {
    TClassBuilder<TCustomForm> b("TCustomForm", &TWinControl::StaticClass());
    // A form stores its client size; the outer size belongs to the widgetset.
    b.Prop("Width", &TControl::Width, &TControl::SetWidth).Stored(false);
    b.Prop("Height", &TControl::Height, &TControl::SetHeight).Stored(false);
    // The class name the form file declares; the writer puts it in the
    // object line, never among the properties.
    b.Prop("FormClassName", &TCustomForm::FormClassName, &TCustomForm::SetFormClassName).Stored(false);
    return b.Build();
  }();
  return cls;
}
const TClass& TCustomForm::ClassType() const { return StaticClass(); }

const TClass& TForm::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TForm> b("TForm", &TCustomForm::StaticClass());
    pub::Action(b);
    b.Prop("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    pub::Align(b);
    pub::Anchors(b);
    pub::BiDiMode(b);
    b.Prop("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Default(static_cast<std::int64_t>(TBorderIcons{biSystemMenu, biMinimize, biMaximize}.Mask()));
    b.Prop("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
    pub::Caption(b);
    b.Prop("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight);
    b.Prop("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth);
    pub::Color(b, clBtnFace);
    pub::Constraints(b);
    pub::DragMode(b);
    pub::Enabled(b);
    pub::ParentFont(b, false);
    pub::Font(b);
    b.Prop("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
    b.Prop("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    pub::ParentBiDiMode(b);
    pub::PopupMenu(b);
    b.Prop("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDefaultPosOnly);
    pub::ShowHint(b);
    b.Prop("Visible", &TControl::Visible, &TControl::SetVisible).Default(false);
    b.Prop("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
    b.Prop("OnActivate", &TCustomForm::OnActivate, &TCustomForm::SetOnActivate);
    pub::OnClick(b);
    b.Prop("OnClose", &TCustomForm::OnClose, &TCustomForm::SetOnClose);
    b.Prop("OnCloseQuery", &TCustomForm::OnCloseQuery, &TCustomForm::SetOnCloseQuery);
    pub::OnContextPopup(b);
    b.Prop("OnCreate", &TCustomForm::OnCreate, &TCustomForm::SetOnCreate);
    pub::OnDblClick(b);
    b.Prop("OnDeactivate", &TCustomForm::OnDeactivate, &TCustomForm::SetOnDeactivate);
    b.Prop("OnDestroy", &TCustomForm::OnDestroy, &TCustomForm::SetOnDestroy);
    pub::OnDragDrop(b);
    pub::OnDragOver(b);
    b.Prop("OnHide", &TCustomForm::OnHide, &TCustomForm::SetOnHide);
    pub::KeyEvents(b);
    pub::MouseEvents(b);
    pub::OnResize(b);
    b.Prop("OnShow", &TCustomForm::OnShow, &TCustomForm::SetOnShow);
    return b.Build();
  }();
  return cls;
}
const TClass& TForm::ClassType() const { return StaticClass(); }

const TClass& TFrame::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TFrame> b("TFrame", &TCustomControl::StaticClass());
    b.Prop("FormClassName", &TFrame::FormClassName, &TFrame::SetFormClassName).Stored(false);
    pub::Align(b);
    pub::Anchors(b);
    pub::BiDiMode(b);
    pub::Color(b, clBtnFace);
    pub::Constraints(b);
    pub::DragMode(b);
    pub::Enabled(b);
    pub::Font(b);
    pub::ParentBiDiMode(b);
    pub::ParentColor(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    pub::ShowHint(b);
    pub::TabOrder(b);
    pub::TabStop(b, false);
    pub::Visible(b);
    pub::OnClick(b);
    pub::OnContextPopup(b);
    pub::OnDblClick(b);
    pub::DragEvents(b);
    pub::OnEnter(b);
    pub::OnExit(b);
    pub::MouseEvents(b);
    pub::OnResize(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TFrame::ClassType() const { return StaticClass(); }

// ---- TCustomForm ----

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FParentFont = false;
  FParentBiDiMode = true;
  InitVisible(false);
  InitColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  // OnDestroy runs while the whole form is still there.
  if (FOnDestroy && !IsDestroying()) {
    try {
      FOnDestroy(this);
    } catch (...) {
      // A destructor cannot pass it on; the form goes all the same.
    }
  }
  Destroying();
  Application()->CancelRelease(this);
  Screen()->RemoveForm(this);
  if (Application()->MainForm() == this) Application()->SetMainForm(nullptr);
  FActiveControl = nullptr;
  // Menu widgets may live inside the form's window: they go first.
  for (TComponent* c : ComponentList())
    if (auto* menu = dynamic_cast<TMenu*>(c)) menu->DestroyPeer();
  DestroyPeer();
  FMenu = nullptr;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  PeerChanged(pcBorderStyle);
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  PeerChanged(pcBorderIcons);
}

void TCustomForm::SetPosition(TPosition Value) {
  if (FPosition == Value) return;
  FPosition = Value;
  PeerChanged(pcPosition);
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (FWindowState == Value) return;
  FWindowState = Value;
  PeerChanged(pcWindowState);
}

void TCustomForm::SetKeyPreview(bool Value) {
  if (FKeyPreview == Value) return;
  FKeyPreview = Value;
  PeerChanged(pcKeyPreview);
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  FMenu = Value;
  if (Value) {
    Value->FreeNotification(this);
    if (HandleAllocated()) Value->HandleNeeded();
  }
  PeerChanged(pcMenu);
}

void TCustomForm::SetActiveControl(TWinControl* Value) {
  if (FActiveControl == Value) return;
  if (Value && (Value == this || !ContainsControl(Value)))
    throw EInvalidOperation("Cannot focus a control that is not on the form");
  if (IsLoading() || IsDestroying()) {
    FActiveControl = Value;
    return;
  }
  TWinControl* old = FActiveControl;
  FActiveControl = Value;
  if (old) old->DoExit();
  if (Value && FActiveControl == Value) Value->DoEnter();
}

void TCustomForm::DoCreate() {
  if (FCreated) return;
  FCreated = true;
  if (FOnCreate) FOnCreate(this);
}

void TCustomForm::ApplyPosition() {
  if (FPositioned) return;
  FPositioned = true;
  const TControl* center = nullptr;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      break;
    case poMainFormCenter:
      center = Application()->MainForm() != this ? Application()->MainForm() : nullptr;
      break;
    case poOwnerFormCenter:
      center = dynamic_cast<TCustomForm*>(Owner());
      break;
    default:
      return;
  }
  int left, top;
  if (center) {
    left = center->Left() + (center->Width() - Width()) / 2;
    top = center->Top() + (center->Height() - Height()) / 2;
  } else {
    left = (Screen()->Width() - Width()) / 2;
    top = (Screen()->Height() - Height()) / 2;
  }
  SetBounds(left, top, Width(), Height());
}

void TCustomForm::SetVisible(bool Value) {
  if (IsLoading() || IsDestroying() || Parent()) {
    TWinControl::SetVisible(Value);
    return;
  }
  if (Value) {
    DoCreate();
    ApplyPosition();
    HandleNeeded();
    if (!FShowing) {
      FShowing = true;
      if (FOnShow) FOnShow(this);
    }
    TWinControl::SetVisible(true);
    PeerChanged(pcFormShow);
    Activate();
  } else {
    if (FShowing) {
      FShowing = false;
      if (FOnHide) FOnHide(this);
    }
    TWinControl::SetVisible(false);
    Deactivate();
  }
}

void TCustomForm::Show() { SetVisible(true); }
void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::HandleNeeded() {
  if (Parent()) {
    TWinControl::HandleNeeded();
    return;
  }
  if (!HandleAllocated()) {
    // The main menu's peer exists before the form pushes pcMenu.
    if (FMenu) FMenu->HandleNeeded();
    CreateOwnPeer();
  }
  if (!HandleAllocated()) return;
  for (TControl* c : ControlList()) c->HandleNeeded();
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (FOnClose) FOnClose(this, Action);
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application()->MainForm() == this) {
    Hide();
    Application()->Terminate();
    return;
  }
  switch (action) {
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    case caFree:
      Hide();
      Release();
      break;
    default:
      Hide();
      break;
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  return Application()->Dialogs().ShowModal(this);
}

void TCustomForm::BeginModal() {
  if (Visible() || !Enabled() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  FModal = true;
  FModalResult = mrNone;
  try {
    Show();
  } catch (...) {
    FModal = false;
    throw;
  }
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone)
    FModalResult = mrNone;
  else if (action == caFree)
    Release();
}

bool TCustomForm::ModalFinished() {
  if (!FModal) return true;
  if (Application()->Terminated() && FModalResult == mrNone) FModalResult = mrCancel;
  if (FModalResult != mrNone) CloseModal();
  return FModalResult != mrNone;
}

TModalResult TCustomForm::EndModal() {
  FModal = false;
  Hide();
  return FModalResult;
}

void TCustomForm::Release() { Application()->ReleaseForm(this); }

void TCustomForm::Activate() {
  if (FActive) return;
  FActive = true;
  Screen()->SetActiveForm(this);
  if (FOnActivate) FOnActivate(this);
}

void TCustomForm::Deactivate() {
  if (!FActive) return;
  FActive = false;
  if (Screen()->ActiveForm() == this) Screen()->SetActiveForm(nullptr);
  if (FOnDeactivate) FOnDeactivate(this);
}

bool TCustomForm::KeyDown(TKey& Key, TShiftState Shift) {
  if (!TWinControl::KeyDown(Key, Shift)) return false;
  return DialogKey(Key, Shift);
}

namespace {
// The first visible, enabled button of the form's tree that answers.
TButton* FindButton(const TWinControl* Parent, bool Default) {
  for (TControl* c : Parent->ControlList()) {
    if (!c->Visible() || !c->Enabled()) continue;
    if (auto* b = dynamic_cast<TButton*>(c); b && (Default ? b->Default() : b->Cancel())) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TButton* found = FindButton(w, Default)) return found;
  }
  return nullptr;
}
}  // namespace

bool TCustomForm::DialogKey(TKey& Key, TShiftState Shift) {
  if (Key == 0) return false;
  const TShortCut sc = ShortCut(Key, Shift);
  if (FMenu && FMenu->IsShortCut(sc)) {
    Key = 0;
    return false;
  }
  for (TComponent* c : ComponentList()) {
    auto* list = dynamic_cast<TActionList*>(c);
    if (!list) continue;
    for (int i = 0; i < list->ActionCount(); ++i) {
      auto* action = dynamic_cast<TCustomAction*>(list->Actions(i));
      if (action && action->ShortCut() == sc && sc != 0) {
        action->Execute();
        Key = 0;
        return false;
      }
    }
  }
  if (Shift.Empty() && (Key == VK_RETURN || Key == VK_ESCAPE)) {
    TButton* button = nullptr;
    if (Key == VK_RETURN) button = dynamic_cast<TButton*>(FActiveControl);
    if (!button) button = FindButton(this, Key == VK_RETURN);
    if (button) {
      button->Click();
      Key = 0;
      return false;
    }
  }
  return true;
}

void TCustomForm::BiDiModeChanged() {
  TWinControl::BiDiModeChanged();
  for (TComponent* c : ComponentList())
    if (auto* menu = dynamic_cast<TMenu*>(c)) menu->ParentBiDiModeChanged();
}

void TCustomForm::ParentBiDiModeChanged() {
  if (Parent()) {
    TWinControl::ParentBiDiModeChanged();
    return;
  }
  if (FParentBiDiMode && !IsDestroying()) SetBiDiModeValue(Application()->BiDiMode());
}

void TCustomForm::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcBorderStyle);
  PeerChanged(pcBorderIcons);
  PeerChanged(pcPosition);
  PeerChanged(pcWindowState);
  PeerChanged(pcKeyPreview);
  PeerChanged(pcMenu);
}

void TCustomForm::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  TWinControl::GetChildren(Proc, Root);
  if (Root != this) return;
  for (TComponent* c : ComponentList())
    if (!c->HasParent()) Proc(c);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMenu) {
    FMenu = nullptr;
    PeerChanged(pcMenu);
  }
  if (AComponent == FActiveControl) FActiveControl = nullptr;
}

// ---- TFrame ----

TFrame::TFrame(TComponent* AOwner) : TCustomControl(AOwner) {
  FSetCaptionOnRename = false;
  SetBounds(0, 0, 320, 240);
}

void TFrame::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  TFrame* self = const_cast<TFrame*>(this);
  for (TControl* c : ControlList())
    if (c->Owner() == self) Proc(c);
  for (TComponent* c : ComponentList())
    if (!c->HasParent()) Proc(c);
}

}  // namespace host
