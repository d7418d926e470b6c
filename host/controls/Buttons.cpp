#include "host/controls/Buttons.h"

#include "host/controls/Forms.h"
#include "host/controls/Publish.h"

namespace host {

const TClass& TButtonControl::StaticClass() {
  static const TClass cls = TClassBuilder<TButtonControl>("TButtonControl", &TWinControl::StaticClass()).Build();
  return cls;
}
const TClass& TButtonControl::ClassType() const { return StaticClass(); }

namespace {
// The properties TButton and TBitBtn share, with the Kind of a bit button
// in its place.
template <class C>
TClass ButtonClass(const char* name, const TClass* parent, bool bitBtn) {
  namespace pub = publish;
  TClassBuilder<C> b(name, parent);
  pub::Action(b);
  pub::Align(b);
  pub::Anchors(b);
  pub::BiDiMode(b);
  b.Prop("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
  if constexpr (std::is_same_v<C, TBitBtn>) {
    b.Prop("Caption", &TControl::Caption, &TControl::SetCaption)
        .StrRef(&TControl::TextRef)
        .Stored([](const TBitBtn& c) { return c.IsCaptionStored() && c.IsCustomCaption(); });
  } else {
    pub::Caption(b);
  }
  pub::Constraints(b);
  b.Prop("Default", &TButton::Default, &TButton::SetDefault).Default(false);
  pub::DragMode(b);
  pub::Enabled(b);
  pub::Font(b);
  if constexpr (std::is_same_v<C, TBitBtn>) {
    b.Prop("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
    b.Prop("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(mrNone).Stored([](const TBitBtn& c) {
      return c.IsCustomModalResult();
    });
  } else {
    b.Prop("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(mrNone);
  }
  pub::ParentBiDiMode(b);
  pub::ParentFont(b);
  pub::ParentShowHint(b);
  pub::PopupMenu(b);
  pub::ShowHint(b);
  pub::TabOrder(b);
  pub::TabStop(b, true);
  pub::Visible(b);
  pub::OnClick(b);
  pub::OnContextPopup(b);
  pub::DragEvents(b);
  pub::OnEnter(b);
  pub::OnExit(b);
  pub::KeyEvents(b);
  pub::MouseEvents(b);
  pub::OnStartDrag(b);
  (void)bitBtn;
  return b.Build();
}
}  // namespace

const TClass& TButton::StaticClass() {
  static const TClass cls = ButtonClass<TButton>("TButton", &TButtonControl::StaticClass(), false);
  return cls;
}
const TClass& TButton::ClassType() const { return StaticClass(); }

const TClass& TBitBtn::StaticClass() {
  static const TClass cls = ButtonClass<TBitBtn>("TBitBtn", &TButton::StaticClass(), true);
  return cls;
}
const TClass& TBitBtn::ClassType() const { return StaticClass(); }

const TClass& TSpeedButton::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TSpeedButton> b("TSpeedButton", &TGraphicControl::StaticClass());
    pub::Action(b);
    b.Prop("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    pub::Align(b);
    pub::Anchors(b);
    pub::BiDiMode(b);
    pub::Constraints(b);
    b.Prop("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    b.Prop("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
    pub::Caption(b);
    pub::Enabled(b);
    b.Prop("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
    pub::Font(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::ParentBiDiMode(b);
    pub::PopupMenu(b);
    pub::ShowHint(b);
    pub::Visible(b);
    pub::OnClick(b);
    pub::OnDblClick(b);
    pub::MouseEvents(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TSpeedButton::ClassType() const { return StaticClass(); }

const TClass& TCheckBox::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TCheckBox> b("TCheckBox", &TButtonControl::StaticClass());
    pub::Action(b);
    b.Prop("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment).Default(taRightJustify);
    b.Prop("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
    pub::Anchors(b);
    pub::BiDiMode(b);
    pub::Caption(b);
    b.Prop("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Default(false).Stored([](const TCheckBox& c) {
      return c.State() != cbGrayed;
    });
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
    b.Prop("State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked).Stored([](const TCheckBox& c) {
      return c.State() == cbGrayed;
    });
    pub::TabOrder(b);
    pub::TabStop(b, true);
    pub::Visible(b);
    pub::OnClick(b);
    pub::OnContextPopup(b);
    pub::DragEvents(b);
    pub::OnEnter(b);
    pub::OnExit(b);
    pub::KeyEvents(b);
    pub::MouseEvents(b);
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TCheckBox::ClassType() const { return StaticClass(); }

// ---- TButtonControl / TButton ----

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) { InitSize(75, 25); }

void TButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  PeerChanged(pcDefault);
}

void TButton::SetCancel(bool Value) {
  if (FCancel == Value) return;
  FCancel = Value;
  PeerChanged(pcDefault);
}

void TButton::Click() {
  if (TCustomForm* form = host::GetParentForm(this); form && FModalResult != mrNone && !IsDesigning())
    form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::PushPeerState() {
  TButtonControl::PushPeerState();
  PeerChanged(pcDefault);
}

// ---- TBitBtn ----

std::string TBitBtn::KindCaption(TBitBtnKind Kind) {
  switch (Kind) {
    case bkOK: return "OK";
    case bkCancel: return "Cancel";
    case bkHelp: return "&Help";
    case bkYes: return "&Yes";
    case bkNo: return "&No";
    case bkClose: return "&Close";
    case bkAbort: return "Abort";
    case bkRetry: return "&Retry";
    case bkIgnore: return "&Ignore";
    case bkAll: return "&All";
    case bkCustom: break;
  }
  return {};
}

TModalResult TBitBtn::KindModalResult(TBitBtnKind Kind) {
  switch (Kind) {
    case bkOK: return mrOk;
    case bkCancel: return mrCancel;
    case bkYes: return mrYes;
    case bkNo: return mrNo;
    case bkAbort: return mrAbort;
    case bkRetry: return mrRetry;
    case bkIgnore: return mrIgnore;
    case bkAll: return mrAll;
    default: return mrNone;
  }
}

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  if (Value != bkCustom && !IsLoading()) {
    SetCaption(KindCaption(Value));
    SetModalResult(KindModalResult(Value));
    SetDefault(Value == bkOK || Value == bkYes);
    SetCancel(Value == bkCancel || Value == bkNo);
  }
  PeerChanged(pcKind);
}

void TBitBtn::SetGlyph(std::vector<std::uint8_t> Value) {
  if (FGlyph == Value) return;
  FGlyph = std::move(Value);
  PeerChanged(pcKind);
}

bool TBitBtn::IsCustomCaption() const { return FKind == bkCustom || Caption() != KindCaption(FKind); }
bool TBitBtn::IsCustomModalResult() const { return FKind == bkCustom || ModalResult() != KindModalResult(FKind); }

void TBitBtn::PushPeerState() {
  TButton::PushPeerState();
  PeerChanged(pcKind);
}

// ---- TSpeedButton ----

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  PeerChanged(pcFlat);
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FDown) ReleaseGroup();
  PeerChanged(pcGroupIndex);
}

void TSpeedButton::SetDown(bool Value) {
  // An ungrouped button cannot stay down.
  if (FGroupIndex == 0) Value = false;
  if (FDown == Value) return;
  if (FDown && !Value && !FAllowAllUp && !IsLoading()) return;
  FDown = Value;
  if (Value) ReleaseGroup();
  PeerChanged(pcChecked);
}

void TSpeedButton::ReleaseGroup() {
  if (!Parent() || FGroupIndex == 0) return;
  for (TControl* c : Parent()->ControlList()) {
    auto* other = dynamic_cast<TSpeedButton*>(c);
    if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
      other->FDown = false;
      other->PeerChanged(pcChecked);
    }
  }
}

void TSpeedButton::Click() {
  if (FGroupIndex != 0) {
    if (!FDown) {
      SetDown(true);
    } else if (FAllowAllUp) {
      SetDown(false);
    }
  }
  TGraphicControl::Click();
}

void TSpeedButton::PushPeerState() {
  TGraphicControl::PushPeerState();
  PeerChanged(pcFlat);
  PeerChanged(pcGroupIndex);
  PeerChanged(pcChecked);
}

// ---- TCheckBox ----

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

void TCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  PeerChanged(pcChecked);
  if (!IsLoading()) Click();
}

void TCheckBox::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  PeerChanged(pcAlignment);
}

void TCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCheckBox::UserSetState(TCheckBoxState Value) {
  if (Value == cbGrayed && !FAllowGrayed) Value = cbChecked;
  if (FState == Value) return;
  FState = Value;
  if (!IsLoading()) Click();
}

void TCheckBox::PushPeerState() {
  TButtonControl::PushPeerState();
  PeerChanged(pcChecked);
  PeerChanged(pcAlignment);
}

}  // namespace host
