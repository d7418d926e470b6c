#include "host/controls/ExtCtrls.h"

#include <algorithm>

#include "host/controls/Publish.h"

namespace host {

const TClass& TPanel::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TPanel> b("TPanel", &TCustomControl::StaticClass());
    pub::Align(b);
    b.Prop("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
    pub::Anchors(b);
    b.Prop("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
    b.Prop("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
    b.Prop("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
    pub::BiDiMode(b);
    b.Prop("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle).Default(bsNone);
    pub::Caption(b);
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
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TPanel::ClassType() const { return StaticClass(); }

const TClass& TSplitter::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TSplitter> b("TSplitter", &TGraphicControl::StaticClass());
    pub::Align(b, alLeft);
    b.Prop("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled).Default(false);
    pub::Color(b, clBtnFace);
    pub::Constraints(b);
    b.Prop("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
    pub::ParentColor(b);
    pub::Visible(b);
    b.Prop("OnCanResize", &TSplitter::OnCanResize, &TSplitter::SetOnCanResize);
    b.Prop("OnMoved", &TSplitter::OnMoved, &TSplitter::SetOnMoved);
    return b.Build();
  }();
  return cls;
}
const TClass& TSplitter::ClassType() const { return StaticClass(); }

const TClass& TBevel::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TBevel> b("TBevel", &TGraphicControl::StaticClass());
    pub::Align(b);
    pub::Anchors(b);
    pub::Constraints(b);
    pub::ParentShowHint(b);
    b.Prop("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
    pub::ShowHint(b);
    b.Prop("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
    pub::Visible(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TBevel::ClassType() const { return StaticClass(); }

// ---- TPanel ----

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) { InitSize(185, 41); }

void TPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  PeerChanged(pcAlignment);
}

void TPanel::SetBevelInner(TBevelCut Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  PeerChanged(pcBevel);
}

void TPanel::SetBevelOuter(TBevelCut Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  PeerChanged(pcBevel);
}

void TPanel::SetBevelWidth(int Value) {
  if (Value < 1 || FBevelWidth == Value) return;
  FBevelWidth = Value;
  PeerChanged(pcBevel);
}

void TPanel::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  PeerChanged(pcBevel);
}

void TPanel::PushPeerState() {
  TCustomControl::PushPeerState();
  PeerChanged(pcAlignment);
  PeerChanged(pcBevel);
}

// ---- TSplitter ----

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(alLeft);
}

void TSplitter::SetBeveled(bool Value) {
  if (FBeveled == Value) return;
  FBeveled = Value;
  PeerChanged(pcBevel);
}

TControl* TSplitter::ResizeControl() const {
  if (!Parent()) return nullptr;
  for (TControl* c : Parent()->ControlList()) {
    if (c == this || !c->Visible() || c->Align() != Align()) continue;
    switch (Align()) {
      case alLeft:
        if (c->Left() + c->Width() == Left()) return c;
        break;
      case alRight:
        if (c->Left() == Left() + Width()) return c;
        break;
      case alTop:
        if (c->Top() + c->Height() == Top()) return c;
        break;
      case alBottom:
        if (c->Top() == Top() + Height()) return c;
        break;
      default:
        break;
    }
  }
  return nullptr;
}

bool TSplitter::UserDrag(int Delta) {
  TControl* control = ResizeControl();
  if (!control || Delta == 0) return false;
  const bool horizontal = Align() == alLeft || Align() == alRight;
  const int current = horizontal ? control->Width() : control->Height();
  // Dragging towards the control shrinks it.
  int newSize = (Align() == alLeft || Align() == alTop) ? current + Delta : current - Delta;
  // The space that stays for the alClient controls must not fall below MinSize either.
  int free = horizontal ? Parent()->ClientWidth() : Parent()->ClientHeight();
  for (TControl* c : Parent()->ControlList()) {
    if (!c->Visible() || c == control) continue;
    if (horizontal && (c->Align() == alLeft || c->Align() == alRight)) free -= c->Width();
    if (!horizontal && (c->Align() == alTop || c->Align() == alBottom)) free -= c->Height();
  }
  newSize = std::clamp(newSize, FMinSize, std::max(FMinSize, free - FMinSize));
  bool accept = true;
  if (FOnCanResize) FOnCanResize(this, newSize, accept);
  if (!accept || newSize == current) return false;
  if (horizontal)
    control->SetWidth(newSize);
  else
    control->SetHeight(newSize);
  if (FOnMoved) FOnMoved(this);
  return true;
}

// ---- TBevel ----

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape Value) {
  if (FShape == Value) return;
  FShape = Value;
  PeerChanged(pcKind);
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  PeerChanged(pcKind);
}

void TBevel::PushPeerState() {
  TGraphicControl::PushPeerState();
  PeerChanged(pcKind);
}

}  // namespace host
