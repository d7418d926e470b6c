#include "host/controls/StdCtrls.h"

#include "host/controls/Publish.h"

namespace host {

const TClass& TLabel::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TLabel> b("TLabel", &TGraphicControl::StaticClass());
    pub::Align(b);
    b.Prop("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
    pub::Anchors(b);
    b.Prop("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
    pub::BiDiMode(b);
    pub::Caption(b);
    pub::Color(b, clBtnFace);
    pub::Constraints(b);
    pub::DragMode(b);
    pub::Enabled(b);
    b.Prop("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
    pub::Font(b);
    b.Prop("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
    pub::ParentBiDiMode(b);
    pub::ParentColor(b, true);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    b.Prop("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
    pub::ShowHint(b);
    b.Prop("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
    pub::Visible(b);
    b.Prop("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
    pub::OnClick(b);
    pub::OnContextPopup(b);
    pub::OnDblClick(b);
    pub::DragEvents(b);
    pub::MouseEvents(b);
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TLabel::ClassType() const { return StaticClass(); }

const TClass& TGroupBox::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TGroupBox> b("TGroupBox", &TCustomControl::StaticClass());
    pub::Align(b);
    pub::Anchors(b);
    pub::BiDiMode(b);
    pub::Caption(b);
    pub::Color(b, clBtnFace);
    pub::Constraints(b);
    pub::DragMode(b);
    pub::Enabled(b);
    pub::Font(b);
    pub::ParentBiDiMode(b);
    pub::ParentColor(b, true);
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
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TGroupBox::ClassType() const { return StaticClass(); }

const TClass& TCustomEdit::StaticClass() {
  static const TClass cls = TClassBuilder<TCustomEdit>("TCustomEdit", &TWinControl::StaticClass()).Build();
  return cls;
}
const TClass& TCustomEdit::ClassType() const { return StaticClass(); }

namespace {
// What TEdit and TMemo share, in the host's order; the memo adds Lines,
// ScrollBars, WantReturns, WantTabs and WordWrap and publishes Text
// without storing it (its Lines carry it).
template <class C>
TClass EditClass(const char* name) {
  namespace pub = publish;
  constexpr bool memo = std::is_same_v<C, TMemo>;
  TClassBuilder<C> b(name, &TCustomEdit::StaticClass());
  pub::Align(b);
  b.Prop("Alignment", &TCustomEdit::Alignment, &TCustomEdit::SetAlignment).Default(taLeftJustify);
  pub::Anchors(b);
  if constexpr (!memo) b.Prop("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
  pub::BiDiMode(b);
  b.Prop("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle).Default(bsSingle);
  pub::Color(b, clWindow);
  pub::Constraints(b);
  pub::DragMode(b);
  pub::Enabled(b);
  pub::Font(b);
  if constexpr (memo) b.Prop("Lines", &TMemo::Lines, &TMemo::SetLines);
  b.Prop("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
  pub::ParentBiDiMode(b);
  pub::ParentColor(b);
  pub::ParentFont(b);
  pub::ParentShowHint(b);
  if constexpr (!memo) b.Prop("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
  pub::PopupMenu(b);
  b.Prop("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
  if constexpr (memo) b.Prop("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars).Default(ssNone);
  pub::ShowHint(b);
  pub::TabOrder(b);
  pub::TabStop(b, true);
  if constexpr (memo)
    b.Prop("Text", &TControl::Text, &TControl::SetText).Stored(false);
  else
    pub::Text(b);
  pub::Visible(b);
  if constexpr (memo) {
    b.Prop("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns).Default(true);
    b.Prop("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs).Default(false);
    b.Prop("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(true);
  }
  b.Prop("OnChange", &TCustomEdit::OnChange, &TCustomEdit::SetOnChange);
  pub::OnClick(b);
  pub::OnContextPopup(b);
  pub::OnDblClick(b);
  pub::DragEvents(b);
  pub::OnEnter(b);
  pub::OnExit(b);
  pub::KeyEvents(b);
  pub::MouseEvents(b);
  pub::OnStartDrag(b);
  return b.Build();
}
}  // namespace

const TClass& TEdit::StaticClass() {
  static const TClass cls = EditClass<TEdit>("TEdit");
  return cls;
}
const TClass& TEdit::ClassType() const { return StaticClass(); }

const TClass& TMemo::StaticClass() {
  static const TClass cls = EditClass<TMemo>("TMemo");
  return cls;
}
const TClass& TMemo::ClassType() const { return StaticClass(); }

// ---- TLabel ----

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  InitColor(clBtnFace, true);
  InitSize(65, 17);
}

void TLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  PeerChanged(pcAlignment);
}

void TLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  PeerChanged(pcAutoSize);
}

void TLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  PeerChanged(pcWordWrap);
}

void TLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  PeerChanged(pcLayout);
}

void TLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
  PeerChanged(pcFocusControl);
}

void TLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  PeerChanged(pcText);
}

void TLabel::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  PeerChanged(pcColor);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) {
    FFocusControl = nullptr;
    PeerChanged(pcFocusControl);
  }
}

void TLabel::PushPeerState() {
  TGraphicControl::PushPeerState();
  PeerChanged(pcAlignment);
  PeerChanged(pcAutoSize);
  PeerChanged(pcWordWrap);
  PeerChanged(pcLayout);
  PeerChanged(pcFocusControl);
}

// ---- TGroupBox ----

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  InitColor(clBtnFace, true);
  InitSize(185, 105);
}

// ---- TCustomEdit ----

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  InitColor(clWindow);
  SetTabStop(true);
  InitSize(121, 21);
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  PeerChanged(pcReadOnly);
}

void TCustomEdit::SetMaxLength(int Value) {
  if (Value < 0) Value = 0;
  if (FMaxLength == Value) return;
  FMaxLength = Value;
  PeerChanged(pcMaxLength);
}

void TCustomEdit::SetPasswordChar(char Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  PeerChanged(pcPasswordChar);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  PeerChanged(pcBevel);
}

void TCustomEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  PeerChanged(pcAlignment);
}

void TCustomEdit::TextChanged() {
  if (!IsLoading()) Change();
}

void TCustomEdit::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomEdit::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcReadOnly);
  PeerChanged(pcMaxLength);
  PeerChanged(pcPasswordChar);
  PeerChanged(pcBevel);
  PeerChanged(pcAlignment);
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

// ---- TMemo ----

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 185, 89);
  FLines->SetOnChange([this](TObject*) { LinesChanged(); });
}

TMemo::~TMemo() { FLines->SetOnChange(nullptr); }

std::string TMemo::Text() const {
  std::string out;
  for (int i = 0; i < FLines->Count(); ++i) {
    if (i > 0) out += "\r\n";
    out += FLines->Get(i);
  }
  return out;
}

void TMemo::SetText(const std::string& Value) {
  if (Text() == Value) return;
  FLines->SetText(Value);
}

void TMemo::UserSetText(const std::string& Value) {
  if (Text() == Value) return;
  FUserEditing = true;
  try {
    FLines->SetText(Value);
  } catch (...) {
    FUserEditing = false;
    throw;
  }
  FUserEditing = false;
  if (!IsLoading()) Change();
}

void TMemo::LinesChanged() {
  if (FUserEditing) return;
  PeerChanged(pcText);
  if (!IsLoading()) Change();
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  PeerChanged(pcScrollBars);
}

void TMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  PeerChanged(pcWordWrap);
}

void TMemo::PushPeerState() {
  TCustomEdit::PushPeerState();
  PeerChanged(pcScrollBars);
  PeerChanged(pcWordWrap);
}

}  // namespace host
