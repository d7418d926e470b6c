#include "host/controls/WinControl.h"

#include <algorithm>
#include <iterator>

#include "host/controls/Forms.h"

namespace host {

const TClass& TWinControl::StaticClass() {
  static const TClass cls = TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClass()).Build();
  return cls;
}
const TClass& TWinControl::ClassType() const { return StaticClass(); }

const TClass& TCustomControl::StaticClass() {
  static const TClass cls = TClassBuilder<TCustomControl>("TCustomControl", &TWinControl::StaticClass()).Build();
  return cls;
}
const TClass& TCustomControl::ClassType() const { return StaticClass(); }

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  DestroyPeer();
  DestroyChildControls();
}

void TWinControl::DestroyChildControls() {
  // Last first, like the owner frees its components; each child leaves the
  // list before it is freed, so nothing ever points at a freed child.
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    RemoveControl(child);
    delete child;
  }
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FControls[static_cast<std::size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control ? Control->Parent() : nullptr; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::FindChildControl(std::string_view ControlName) const {
  if (ControlName.empty()) return nullptr;
  for (TControl* c : FControls)
    if (SameText(c->Name(), ControlName)) return c;
  return nullptr;
}

void TWinControl::SetChildOrder(TControl* Child, int Order) {
  auto it = std::find(FControls.begin(), FControls.end(), Child);
  if (it == FControls.end()) return;
  FControls.erase(it);
  Order = std::clamp(Order, 0, ControlCount());
  FControls.insert(FControls.begin() + Order, Child);
  if (Child->Align() != alNone) AlignControls();
}

void TWinControl::SetTabOrder(int Value) {
  if (FTabOrder == Value) return;
  FTabOrder = Value;
  PeerChanged(pcTabOrder);
}

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  // A container seldom holds one child only: skip the first few doublings.
  if (FControls.capacity() == 0) FControls.reserve(16);
  FControls.push_back(AControl);
  if (Placed(AControl->Align())) ++FPlacedCount;
  AControl->ParentFontChanged();
  AControl->ParentBiDiModeChanged();
  AControl->ParentColorChanged();
  AControl->ParentShowHintChanged();
  if (AControl->Align() != alNone) AlignControls();
  if (HandleAllocated()) AControl->HandleNeeded();
}

void TWinControl::RemoveControl(TControl* AControl) {
  AControl->DestroyPeer();
  // The form must not keep a focus pointer into a control that leaves it.
  if (TCustomForm* form = host::GetParentForm(this)) {
    TWinControl* active = form->ActiveControl();
    if (active && (active == AControl || (As<TWinControl>(AControl) &&
                                          static_cast<TWinControl*>(AControl)->ContainsControl(active))))
      form->FActiveControl = nullptr;
  }
  // Children mostly leave last first (a parent freeing them): look from
  // the back.
  auto it = std::find(FControls.rbegin(), FControls.rend(), AControl);
  if (it != FControls.rend()) {
    FControls.erase(std::next(it).base());
    if (Placed(AControl->Align())) --FPlacedCount;
  }
  AControl->FParent = nullptr;
  if (AControl->Align() != alNone && !IsDestroying()) AlignControls();
}

// ---- alignment ----

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FRealignPending) AlignControls();
}

void TWinControl::AlignControls() {
  if (FAlignLevel > 0 || IsLoading() || IsDestroying()) {
    FRealignPending = true;
    return;
  }
  FRealignPending = false;
  // Most containers align nothing: every group below would come out empty.
  const auto placed = [](const TControl* c) { return Placed(c->Align()) && c->Visible(); };
  if (FPlacedCount == 0 || std::none_of(FControls.begin(), FControls.end(), placed)) return;
  ++FAlignLevel;  // children moved here do not realign us again
  int left = 0;
  int top = 0;
  int right = ClientWidth();
  int bottom = ClientHeight();
  auto group = [&](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->Align() == align && c->Visible()) list.push_back(c);
    // Within a group the current positions decide the order, so that a
    // control moved by hand keeps its place; ties keep the Controls order.
    std::stable_sort(list.begin(), list.end(), [align](const TControl* a, const TControl* b) {
      switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    return list;
  };
  for (TControl* c : group(alTop)) {
    c->SetBoundsFromParent(left, top, std::max(0, right - left), c->Height());
    top += c->Height();
  }
  for (TControl* c : group(alBottom)) {
    c->SetBoundsFromParent(left, bottom - c->Height(), std::max(0, right - left), c->Height());
    bottom -= c->Height();
  }
  for (TControl* c : group(alLeft)) {
    c->SetBoundsFromParent(left, top, c->Width(), std::max(0, bottom - top));
    left += c->Width();
  }
  for (TControl* c : group(alRight)) {
    c->SetBoundsFromParent(right - c->Width(), top, c->Width(), std::max(0, bottom - top));
    right -= c->Width();
  }
  for (TControl* c : group(alClient)) c->SetBoundsFromParent(left, top, std::max(0, right - left), std::max(0, bottom - top));
  --FAlignLevel;
}

void TWinControl::AnchorControls(int DeltaWidth, int DeltaHeight) {
  for (TControl* c : FControls) {
    if (c->Align() != alNone) continue;
    const TAnchors a = c->Anchors();
    int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    if (a.Contains(akRight)) {
      if (a.Contains(akLeft))
        w += DeltaWidth;
      else
        l += DeltaWidth;
    }
    if (a.Contains(akBottom)) {
      if (a.Contains(akTop))
        h += DeltaHeight;
      else
        t += DeltaHeight;
    }
    c->SetBoundsFromParent(l, t, w, h);
  }
}

void TWinControl::BoundsChanged(int OldWidth, int OldHeight) {
  if (IsLoading() || IsDestroying()) return;
  if (OldWidth == Width() && OldHeight == Height()) return;
  AnchorControls(Width() - OldWidth, Height() - OldHeight);
  AlignControls();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  AlignControls();
}

// ---- propagation to children ----

void TWinControl::ParentFontChanged() { TControl::ParentFontChanged(); }
void TWinControl::ParentBiDiModeChanged() { TControl::ParentBiDiModeChanged(); }
void TWinControl::ParentColorChanged() { TControl::ParentColorChanged(); }

void TWinControl::NotifyChildrenFont() {
  for (std::size_t i = 0; i < FControls.size(); ++i) FControls[i]->ParentFontChanged();
}
void TWinControl::NotifyChildrenBiDiMode() {
  for (std::size_t i = 0; i < FControls.size(); ++i) FControls[i]->ParentBiDiModeChanged();
}
void TWinControl::NotifyChildrenColor() {
  for (std::size_t i = 0; i < FControls.size(); ++i) FControls[i]->ParentColorChanged();
}

// ---- focus and keys ----

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = host::GetParentForm(this); form && form != this) form->SetActiveControl(this);
  if (Peer()) Peer()->SetFocus();
}

bool TWinControl::Focused() const {
  if (Peer()) return Peer()->Focused();
  TCustomForm* form = host::GetParentForm(this);
  return form && form->ActiveControl() == this;
}

bool TWinControl::KeyDown(TKey& Key, TShiftState Shift) {
  TCustomForm* form = host::GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->OnKeyDown()) {
    form->OnKeyDown()(form, Key, Shift);
    if (Key == 0) return false;
  }
  if (const auto& h = Handler(&TControlHandlers::OnKeyDown)) h(this, Key, Shift);
  if (Key == 0) return false;
  // Shortcuts of the form's menu and the Enter/Escape buttons.
  if (form && form != this) return form->DialogKey(Key, Shift);
  return true;
}

bool TWinControl::KeyUp(TKey& Key, TShiftState Shift) {
  TCustomForm* form = host::GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->OnKeyUp()) {
    form->OnKeyUp()(form, Key, Shift);
    if (Key == 0) return false;
  }
  if (const auto& h = Handler(&TControlHandlers::OnKeyUp)) h(this, Key, Shift);
  return Key != 0;
}

bool TWinControl::KeyPress(char& Key) {
  TCustomForm* form = host::GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->OnKeyPress()) {
    form->OnKeyPress()(form, Key);
    if (Key == 0) return false;
  }
  if (const auto& h = Handler(&TControlHandlers::OnKeyPress)) h(this, Key);
  return Key != 0;
}

void TWinControl::DoEnter() {
  if (const auto& h = Handler(&TControlHandlers::OnEnter)) h(this);
}

void TWinControl::DoExit() {
  if (const auto& h = Handler(&TControlHandlers::OnExit)) h(this);
}

// ---- peers ----

void TWinControl::HandleNeeded() {
  TControl::HandleNeeded();
  if (!HandleAllocated()) return;
  for (std::size_t i = 0; i < FControls.size(); ++i) FControls[i]->HandleNeeded();
}

void TWinControl::DestroyPeer() {
  for (TControl* c : FControls) c->DestroyPeer();
  TControl::DestroyPeer();
}

void TWinControl::PushPeerState() {
  TControl::PushPeerState();
  PeerChanged(pcTabOrder);
}

// ---- streaming ----

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  // Inside a frame the writer may still be at the form's level: what the
  // frame owns is handed out too.
  TComponent* level = const_cast<TWinControl*>(this)->GetChildOwner();
  for (TControl* c : FControls)
    if (c->Owner() == Root || (level && c->Owner() == level)) Proc(c);
}

}  // namespace host
