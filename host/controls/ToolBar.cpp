#include "host/controls/ToolBar.h"

#include <algorithm>

#include "host/controls/ImgList.h"
#include "host/controls/Menus.h"
#include "host/controls/Publish.h"

namespace host {

const TClass& TToolButton::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TToolButton> b("TToolButton", &TGraphicControl::StaticClass());
    pub::Action(b);
    b.Prop("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp).Default(false);
    pub::Caption(b);
    b.Prop("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false).Stored([](const TToolButton& t) {
      return t.IsCheckedStored();
    });
    pub::DragMode(b);
    b.Prop("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
    pub::Enabled(b);
    b.Prop("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(false);
    b.Prop("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1).Stored(
        [](const TToolButton& t) { return t.IsImageIndexStored(); });
    b.Prop("Marked", &TToolButton::Marked, &TToolButton::SetMarked).Default(false);
    b.Prop("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    b.Prop("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap).Default(false);
    pub::ShowHint(b);
    b.Prop("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
    pub::Visible(b);
    pub::OnClick(b);
    pub::OnContextPopup(b);
    pub::DragEvents(b);
    pub::MouseEvents(b);
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TToolButton::ClassType() const { return StaticClass(); }

const TClass& TToolBar::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TToolBar> b("TToolBar", &TWinControl::StaticClass());
    pub::Align(b, alTop);
    pub::Anchors(b);
    b.Prop("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize).Default(false);
    pub::BiDiMode(b);
    b.Prop("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    b.Prop("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
    pub::Caption(b);
    pub::Color(b, clBtnFace);
    pub::Constraints(b);
    pub::DragMode(b);
    b.Prop("EdgeBorders", &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders)
        .Default(static_cast<std::int64_t>(TEdgeBorders{ebTop}.Mask()));
    pub::Enabled(b);
    b.Prop("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(true);
    pub::Font(b);
    b.Prop("Images", &TToolBar::Images, &TToolBar::SetImages);
    b.Prop("List", &TToolBar::List, &TToolBar::SetList).Default(false);
    pub::ParentBiDiMode(b);
    pub::ParentColor(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    b.Prop("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
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
const TClass& TToolBar::ClassType() const { return StaticClass(); }

// ---- TToolButtonActionLink ----

TToolButtonActionLink::TToolButtonActionLink(TToolButton* AClient) : TControlActionLink(AClient), FButton(AClient) {}

bool TToolButtonActionLink::IsCheckedLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FButton->Down() == a->Checked();
}
bool TToolButtonActionLink::IsImageIndexLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FButton->ImageIndex() == a->ImageIndex();
}
void TToolButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FButton->SetDown(Value);
}
void TToolButtonActionLink::SetImageIndex(int Value) {
  if (IsImageIndexLinked()) FButton->SetImageIndex(Value);
}

// ---- TToolButton ----

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FSetCaptionOnRename = false;
  SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() { Destroying(); }

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

int TToolButton::Index() const {
  TToolBar* bar = ToolBar();
  if (!bar) return -1;
  for (int i = 0; i < bar->ButtonCount(); ++i)
    if (bar->Buttons(i) == this) return i;
  return -1;
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  // A new separator is narrow, unless it was given a width of its own.
  const int buttonWidth = ToolBar() ? ToolBar()->ButtonWidth() : 23;
  if ((Value == tbsSeparator || Value == tbsDivider) && Width() == buttonWidth && !IsLoading())
    SetBoundsFromParent(Left(), Top(), 8, Height());
  PeerChanged(pcKind);
  if (Parent()) Parent()->AlignControls();
}

void TToolButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  if (Value) ReleaseGroup();
  PeerChanged(pcChecked);
}

void TToolButton::ReleaseGroup() {
  TToolBar* bar = ToolBar();
  if (!bar || !FGrouped || FStyle != tbsCheck) return;
  // The group is the run of grouped check buttons around this one.
  const int index = Index();
  auto release = [&](int i) {
    TToolButton* b = bar->Buttons(i);
    if (!b->FGrouped || b->FStyle != tbsCheck) return false;
    if (b->FDown) {
      b->FDown = false;
      b->PeerChanged(pcChecked);
    }
    return true;
  };
  for (int i = index - 1; i >= 0 && release(i);) --i;
  for (int i = index + 1; i < bar->ButtonCount() && release(i);) ++i;
}

void TToolButton::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  PeerChanged(pcImageIndex);
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) {
  if (FDropdownMenu == Value) return;
  FDropdownMenu = Value;
  if (Value) Value->FreeNotification(this);
  PeerChanged(pcDropdownMenu);
}

void TToolButton::SetMenuItem(TMenuItem* Value) {
  if (FMenuItem == Value) return;
  FMenuItem = Value;
  if (Value) {
    Value->FreeNotification(this);
    if (!IsLoading()) {
      SetCaption(Value->Caption());
      SetHint(Value->Hint());
      SetImageIndex(Value->ImageIndex());
      SetEnabled(Value->Enabled());
      SetDown(Value->Checked());
    }
  }
}

void TToolButton::SetWrap(bool Value) {
  if (FWrap == Value) return;
  FWrap = Value;
  if (Parent()) Parent()->AlignControls();
}

void TToolButton::SetMarked(bool Value) {
  if (FMarked == Value) return;
  FMarked = Value;
  PeerChanged(pcChecked);
}

bool TToolButton::IsCheckedStored() const {
  auto* link = dynamic_cast<TToolButtonActionLink*>(ActionLink());
  return !link || !link->IsCheckedLinked();
}

bool TToolButton::IsImageIndexStored() const {
  auto* link = dynamic_cast<TToolButtonActionLink*>(ActionLink());
  return !link || !link->IsImageIndexLinked();
}

void TToolButton::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  // A tool button links its Down state and image too.
  TGraphicControl::ActionChange(Sender, CheckDefaults);
  if (const auto* a = dynamic_cast<const TCustomAction*>(Sender)) {
    if (!CheckDefaults || !FDown) SetDown(a->Checked());
    if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
  }
}

std::unique_ptr<TControlActionLink> TToolButton::CreateActionLink() {
  return std::make_unique<TToolButtonActionLink>(this);
}

void TToolButton::Click() {
  if (FStyle == tbsSeparator || FStyle == tbsDivider || !Enabled()) return;
  if (FStyle == tbsCheck) {
    if (!FDown)
      SetDown(true);
    else if (!FGrouped || FAllowAllUp)
      SetDown(false);
  }
  if (OnClick() || Action()) {
    TGraphicControl::Click();
  } else if (FMenuItem) {
    FMenuItem->Click();
  } else if (FStyle == tbsButton && FDropdownMenu) {
    CheckMenuDropdown();
  }
}

bool TToolButton::CheckMenuDropdown() {
  if (!FDropdownMenu || IsDesigning()) return false;
  FDropdownMenu->SetPopupComponent(this);
  const TPoint p = ClientToScreen({0, Height()});
  FDropdownMenu->Popup(p.X, p.Y);
  return true;
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FDropdownMenu) {
    FDropdownMenu = nullptr;
    PeerChanged(pcDropdownMenu);
  }
  if (AComponent == FMenuItem) FMenuItem = nullptr;
}

void TToolButton::PushPeerState() {
  TGraphicControl::PushPeerState();
  PeerChanged(pcKind);
  PeerChanged(pcChecked);
  PeerChanged(pcImageIndex);
  PeerChanged(pcDropdownMenu);
}

// ---- TToolBar ----

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
  FSetCaptionOnRename = false;
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
}

int TToolBar::ButtonCount() const {
  int n = 0;
  for (TControl* c : ControlList())
    if (dynamic_cast<TToolButton*>(c)) ++n;
  return n;
}

TToolButton* TToolBar::Buttons(int Index) const {
  int n = 0;
  for (TControl* c : ControlList())
    if (auto* b = dynamic_cast<TToolButton*>(c)) {
      if (n == Index) return b;
      ++n;
    }
  throw EListError(Format("List index out of bounds (%d)", {Index}));
}

void TToolBar::InsertControl(TControl* AControl) {
  TWinControl::InsertControl(AControl);
  if (auto* b = dynamic_cast<TToolButton*>(AControl)) {
    // A tool button takes the bar's button size.
    if (b->Style() != tbsSeparator && b->Style() != tbsDivider && !b->IsLoading())
      b->SetBoundsFromParent(b->Left(), b->Top(), FButtonWidth, FButtonHeight);
  }
  AlignControls();
}

void TToolBar::AlignControls() {
  if (IsLoading() || IsDestroying()) return;
  int x = 0;
  int y = 0;
  for (TControl* c : ControlList()) {
    auto* b = dynamic_cast<TToolButton*>(c);
    if (!b || !b->Visible()) continue;
    const bool separator = b->Style() == tbsSeparator || b->Style() == tbsDivider;
    const int w = separator ? b->Width() : FButtonWidth;
    b->SetBoundsFromParent(x, y, w, FButtonHeight);
    x += w;
    if (b->Wrap()) {
      x = 0;
      y += FButtonHeight;
    }
  }
  if (FAutoSize) {
    const int height = y + (x > 0 ? FButtonHeight : 0);
    if (height > 0 && height != Height()) SetHeight(height);
  }
}

void TToolBar::SetButtonWidth(int Value) {
  if (Value <= 0 || FButtonWidth == Value) return;
  FButtonWidth = Value;
  PeerChanged(pcButtonSize);
  AlignControls();
}

void TToolBar::SetButtonHeight(int Value) {
  if (Value <= 0 || FButtonHeight == Value) return;
  FButtonHeight = Value;
  PeerChanged(pcButtonSize);
  AlignControls();
}

void TToolBar::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  PeerChanged(pcImages);
}

void TToolBar::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  PeerChanged(pcFlat);
}

void TToolBar::SetShowCaptions(bool Value) {
  if (FShowCaptions == Value) return;
  FShowCaptions = Value;
  PeerChanged(pcButtonSize);
}

void TToolBar::SetList(bool Value) {
  if (FList == Value) return;
  FList = Value;
  PeerChanged(pcButtonSize);
}

void TToolBar::SetEdgeBorders(TEdgeBorders Value) {
  if (FEdgeBorders == Value) return;
  FEdgeBorders = Value;
  PeerChanged(pcButtonSize);
}

void TToolBar::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AlignControls();
}

void TToolBar::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  TComponent* level = const_cast<TToolBar*>(this)->GetChildOwner();
  auto mine = [&](TControl* c) { return c->Owner() == Root || (level && c->Owner() == level); };
  for (int i = 0; i < ButtonCount(); ++i)
    if (mine(Buttons(i))) Proc(Buttons(i));
  for (TControl* c : ControlList())
    if (!dynamic_cast<TToolButton*>(c) && mine(c)) Proc(c);
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    PeerChanged(pcImages);
  }
}

void TToolBar::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcButtonSize);
  PeerChanged(pcFlat);
  PeerChanged(pcImages);
}

}  // namespace host
