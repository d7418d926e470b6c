#include "host/controls/Control.h"

#include <algorithm>

#include "host/controls/ActnList.h"
#include "host/controls/Application.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/Publish.h"
#include "host/controls/WinControl.h"

namespace host {

// ---- TSizeConstraints ----

const TClass& TSizeConstraints::StaticClass() {
  static const TClass cls =
      TClassBuilder<TSizeConstraints>("TSizeConstraints", &TPersistent::StaticClass())
          .Prop("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
          .Default(0)
          .Prop("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
          .Default(0)
          .Prop("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
          .Default(0)
          .Prop("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth)
          .Default(0)
          .Build();
  return cls;
}
const TClass& TSizeConstraints::ClassType() const { return StaticClass(); }

void TSizeConstraints::SetMaxHeight(int Value) {
  if (FMaxHeight == Value) return;
  FMaxHeight = std::max(0, Value);
  Changed();
}
void TSizeConstraints::SetMaxWidth(int Value) {
  if (FMaxWidth == Value) return;
  FMaxWidth = std::max(0, Value);
  Changed();
}
void TSizeConstraints::SetMinHeight(int Value) {
  if (FMinHeight == Value) return;
  FMinHeight = std::max(0, Value);
  Changed();
}
void TSizeConstraints::SetMinWidth(int Value) {
  if (FMinWidth == Value) return;
  FMinWidth = std::max(0, Value);
  Changed();
}

void TSizeConstraints::Assign(const TPersistent* Source) {
  if (const auto* src = As<TSizeConstraints>(Source)) {
    FMaxHeight = src->FMaxHeight;
    FMaxWidth = src->FMaxWidth;
    FMinHeight = src->FMinHeight;
    FMinWidth = src->FMinWidth;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

TPersistent* TSizeConstraints::GetOwner() const { return FControl; }

void TSizeConstraints::Apply(int& Width, int& Height) const {
  // Most controls have no constraints: one test instead of four.
  if (None()) return;
  if (FMinWidth > 0) Width = std::max(Width, FMinWidth);
  if (FMaxWidth > 0) Width = std::min(Width, FMaxWidth);
  if (FMinHeight > 0) Height = std::max(Height, FMinHeight);
  if (FMaxHeight > 0) Height = std::min(Height, FMaxHeight);
}

void TSizeConstraints::Changed() {
  if (FControl) FControl->ConstraintsChanged();
}

// ---- TControl ----

const TClass& TControl::StaticClass() {
  static const TClass cls = [] {
    TClassBuilder<TControl> b("TControl", &TComponent::StaticClass());
    b.Prop("Left", &TControl::Left, &TControl::SetLeft).Default(0);
    b.Prop("Top", &TControl::Top, &TControl::SetTop).Default(0);
    b.Prop("Width", &TControl::Width, &TControl::SetWidth).NoDefault();
    b.Prop("Height", &TControl::Height, &TControl::SetHeight).NoDefault();
    b.Prop("Hint", &TControl::Hint, &TControl::SetHint).Stored([](const TControl& c) { return c.IsHintStored(); });
    return b.Build();
  }();
  return cls;
}
const TClass& TControl::ClassType() const { return StaticClass(); }

const TClass& TGraphicControl::StaticClass() {
  static const TClass cls = TClassBuilder<TGraphicControl>("TGraphicControl", &TControl::StaticClass()).Build();
  return cls;
}
const TClass& TGraphicControl::ClassType() const { return StaticClass(); }

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FConstraints(this) {
  FFont.SetOnChange([this](TObject*) { FontPropertyChanged(); });
}

TControl::~TControl() {
  Destroying();
  FDragging = false;
  DestroyPeer();
  FActionLink.reset();
  if (FParent) FParent->RemoveControl(this);
  FFont.SetOnChange(nullptr);
}

// ---- parent and bounds ----

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  // Only a windowed control can be a parent, so walking up from AParent
  // answers ContainsControl without asking this control's class first.
  for (const TControl* p = AParent ? AParent->FParent : nullptr; p; p = p->FParent)
    if (p == this) throw EInvalidOperation("A control cannot be the parent of its own parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  SetBoundsFromParent(ALeft, ATop, AWidth, AHeight);
  // An aligned control keeps its place in the parent's layout.
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

void ExtentError(const char* Property, int Value) {
  if (Value > MaxControlExtent)
    throw EInvalidOperation(Format("%s %d is too large: it must be at most %d", {Property, Value, MaxControlExtent}));
  throw EInvalidOperation(Format("%s %d is too small: it must be at least %d", {Property, Value, -MaxControlExtent}));
}

void TControl::SetBoundsFromParent(int ALeft, int ATop, int AWidth, int AHeight, bool TellPeer) {
  CheckExtent("Left", ALeft, true);
  CheckExtent("Top", ATop, true);
  CheckExtent("Width", AWidth, false);
  CheckExtent("Height", AHeight, false);
  AWidth = std::max(0, AWidth);
  AHeight = std::max(0, AHeight);
  FConstraints.Apply(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const int oldWidth = FWidth;
  const int oldHeight = FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (TellPeer) PeerChanged(pcBounds);
  BoundsChanged(oldWidth, oldHeight);
  if ((oldWidth != FWidth || oldHeight != FHeight) && !IsLoading()) Resize();
}

void TControl::UserSetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  SetBoundsFromParent(ALeft, ATop, AWidth, AHeight, false);
  // Constraints may have changed what the user asked for: the peer hears
  // the result only when it differs.
  if (FPeer && (FLeft != ALeft || FTop != ATop || FWidth != AWidth || FHeight != AHeight)) PeerChanged(pcBounds);
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

void TControl::Resize() {
  if (const auto& h = Handler(&TControlHandlers::OnResize)) h(this);
}

TPoint TControl::ClientToScreen(TPoint P) const {
  for (const TControl* c = this; c; c = c->FParent) {
    P.X += c->FLeft;
    P.Y += c->FTop;
  }
  return P;
}

TPoint TControl::ScreenToClient(TPoint P) const {
  const TPoint origin = ClientToScreen({0, 0});
  return {P.X - origin.X, P.Y - origin.Y};
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  const TAlign old = FAlign;
  FAlign = Value;
  if (FParent) FParent->FPlacedCount += int{TWinControl::Placed(Value)} - int{TWinControl::Placed(old)};
  if (FParent && (old != alNone || Value != alNone)) FParent->AlignControls();
}

void TControl::ConstraintsChanged() {
  PeerChanged(pcConstraints);
  if (!IsLoading()) SetBounds(FLeft, FTop, FWidth, FHeight);
}

TCustomForm* GetParentForm(const TControl* Control, bool TopForm) {
  if (!Control) return nullptr;
  const TControl* c = Control;
  while (c->Parent()) {
    if (!TopForm && As<TCustomForm>(c)) break;
    c = c->Parent();
  }
  return As<TCustomForm>(const_cast<TControl*>(c));
}

TCustomForm* TControl::GetParentForm() const { return host::GetParentForm(this, true); }

// ---- text ----

void TControl::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  PeerChanged(pcText);
  TextChanged();
}

void TControl::UserSetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  TextChanged();
}

void TControl::SetHint(const std::string& Value) {
  if (FHint == Value) return;
  FHint = Value;
  PeerChanged(pcHint);
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  SetShowHintValue(Value);
}

void TControl::SetShowHintValue(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  PeerChanged(pcHint);
  if (auto* self = As<TWinControl>(this))
    for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (Value) ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  if (FParentShowHint && FParent && !IsDestroying()) SetShowHintValue(FParent->ShowHint());
}

void TControl::BringToFront() {
  if (FParent) FParent->SetChildOrder(this, FParent->ControlCount() - 1);
  if (FPeer && !IsDestroying()) FPeer->BringToFront();
}

void TControl::SetName(const std::string& NewName) {
  const bool follow = FSetCaptionOnRename && IsDesigning() && !IsLoading() && Text() == Name();
  TComponent::SetName(NewName);
  if (follow) SetText(NewName);
}

// ---- font, reading order, colour ----

void TControl::FontPropertyChanged() {
  if (!FFollowingParentFont) FParentFont = false;
  FontChanged();
}

void TControl::FontChanged() {
  PeerChanged(pcFont);
  if (auto* self = As<TWinControl>(this)) self->NotifyChildrenFont();
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent || IsDestroying()) return;
  FFollowingParentFont = true;
  try {
    FFont.Assign(*FParent->Font());
  } catch (...) {
    FFollowingParentFont = false;
    throw;
  }
  FFollowingParentFont = false;
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FParentBiDiMode = false;
  SetBiDiModeValue(Value);
}

void TControl::SetBiDiModeValue(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  BiDiModeChanged();
}

void TControl::BiDiModeChanged() {
  PeerChanged(pcBiDiMode);
  if (auto* self = As<TWinControl>(this)) self->NotifyChildrenBiDiMode();
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (Value) ParentBiDiModeChanged();
}

void TControl::ParentBiDiModeChanged() {
  if (FParentBiDiMode && FParent && !IsDestroying()) SetBiDiModeValue(FParent->BiDiMode());
}

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (FColor == Value) return;
  FColor = Value;
  PeerChanged(pcColor);
  if (auto* self = As<TWinControl>(this)) self->NotifyChildrenColor();
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent || IsDestroying() || FColor == FParent->Color()) return;
  FColor = FParent->Color();
  PeerChanged(pcColor);
  if (auto* self = As<TWinControl>(this)) self->NotifyChildrenColor();
}

// ---- state ----

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  PeerChanged(pcVisible);
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  PeerChanged(pcEnabled);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
  PeerChanged(pcPopupMenu);
}

void TControl::SetDragMode(TDragMode Value) {
  if (FDragMode == Value) return;
  FDragMode = Value;
  PeerChanged(pcDragMode);
}

// ---- actions ----

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = CreateActionLink();
  FActionLink->SetAction(Value);
  // While the form is being read, the control keeps the texts it was
  // stored with and only fills in what it lacks.
  ActionChange(Value, Value->IsLoading() || IsLoading());
  Value->FreeNotification(this);
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() { return std::make_unique<TControlActionLink>(this); }

void TControl::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  const auto* action = dynamic_cast<const TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || Caption().empty() || Caption() == Name()) SetCaption(action->Caption());
  if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!CheckDefaults || Hint().empty()) SetHint(action->Hint());
  if (!CheckDefaults || Visible()) SetVisible(action->Visible());
}

bool TControl::IsCaptionStored() const { return !FActionLink || !FActionLink->IsCaptionLinked(); }
bool TControl::IsHintStored() const { return !FActionLink || !FActionLink->IsHintLinked(); }
bool TControl::IsEnabledStored() const { return !FActionLink || !FActionLink->IsEnabledLinked(); }
bool TControl::IsVisibleStored() const { return !FActionLink || !FActionLink->IsVisibleLinked(); }

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FPopupMenu) {
    FPopupMenu = nullptr;
    PeerChanged(pcPopupMenu);
  }
  // The action's destructor has already let go of the link; drop it.
  if (FActionLink && (FActionLink->Action() == AComponent || FActionLink->Action() == nullptr)) FActionLink.reset();
  if (AComponent == FDragObject) FDragObject = nullptr;
}

// ---- events ----

void TControl::Click() {
  if (const auto& h = Handler(&TControlHandlers::OnClick))
    h(this);
  else if (FActionLink && FActionLink->Action() && !IsDesigning())
    FActionLink->Execute();
}

void TControl::DblClick() {
  if (const auto& h = Handler(&TControlHandlers::OnDblClick)) h(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (const auto& h = Handler(&TControlHandlers::OnMouseDown)) h(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (const auto& h = Handler(&TControlHandlers::OnMouseUp)) h(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (const auto& h = Handler(&TControlHandlers::OnMouseMove)) h(this, Shift, X, Y);
}

bool TControl::ContextPopup(TPoint MousePos) {
  bool handled = false;
  if (const auto& h = Handler(&TControlHandlers::OnContextPopup)) h(this, MousePos, handled);
  if (handled) return true;
  // The nearest control up the parents that has a pop-up menu shows it.
  for (TControl* c = this; c; c = c->FParent) {
    if (c->FPopupMenu && c->FPopupMenu->AutoPopup()) {
      c->FPopupMenu->SetPopupComponent(this);
      const TPoint screen = ClientToScreen(MousePos);
      c->FPopupMenu->Popup(screen.X, screen.Y);
      return true;
    }
  }
  return false;
}

void TControl::BeginDrag() {
  if (FDragging) return;
  FDragging = true;
  FDragObject = nullptr;
  if (const auto& h = Handler(&TControlHandlers::OnStartDrag)) h(this, FDragObject);
}

bool TControl::DragOver(TObject* Source, int X, int Y, TDragState State) {
  const TDragOverEvent& handler = Handler(&TControlHandlers::OnDragOver);
  if (!handler) return false;
  bool accept = true;
  handler(this, Source, X, Y, State, accept);
  return accept;
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (const auto& h = Handler(&TControlHandlers::OnDragDrop)) h(this, Source, X, Y);
}

void TControl::EndDrag(TObject* Target, int X, int Y) {
  if (!FDragging) return;
  FDragging = false;
  FDragObject = nullptr;
  if (const auto& h = Handler(&TControlHandlers::OnEndDrag)) h(this, Target, X, Y);
}

// ---- the peer ----

void TControl::PeerChanged(TPeerChange Change) const {
  if (FPeer && FPeerLock == 0 && !IsDestroying()) FPeer->Changed(Change);
}

void TControl::HandleNeeded() {
  if (FPeer || IsDestroying()) return;
  if (!FParent || !FParent->HandleAllocated()) return;
  CreatePeerNow();
}

void TControl::CreatePeerNow() {
  TWidgetSet* ws = Application()->WidgetSet();
  if (!ws) return;
  FPeer = ws->CreatePeer(this);
  if (FPeer) PushPeerState();
}

void TControl::DestroyPeer() { FPeer.reset(); }

void TControl::PushPeerState() {
  PeerChanged(pcBounds);
  PeerChanged(pcVisible);
  PeerChanged(pcEnabled);
  PeerChanged(pcText);
  PeerChanged(pcHint);
  PeerChanged(pcFont);
  PeerChanged(pcColor);
  PeerChanged(pcBiDiMode);
  PeerChanged(pcPopupMenu);
  PeerChanged(pcConstraints);
  PeerChanged(pcDragMode);
}

// ---- streaming ----

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = As<TWinControl>(Value)) SetParent(parent);
}

}  // namespace host
