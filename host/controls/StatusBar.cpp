#include "host/controls/StatusBar.h"

#include "host/controls/Publish.h"

namespace host {

const TClass& TStatusPanel::StaticClass() {
  static const TClass cls = TClassBuilder<TStatusPanel>("TStatusPanel", &TCollectionItem::StaticClass())
                                .Prop("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
                                .Default(taLeftJustify)
                                .Prop("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
                                .Default(bvLowered)
                                .Prop("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
                                .Prop("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
                                .Default(50)
                                .Build();
  return cls;
}
const TClass& TStatusPanel::ClassType() const { return StaticClass(); }

const TClass& TStatusPanels::StaticClass() {
  static const TClass cls = TClassBuilder<TStatusPanels>("TStatusPanels", &TCollection::StaticClass()).Build();
  return cls;
}
const TClass& TStatusPanels::ClassType() const { return StaticClass(); }

const TClass& TStatusBar::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TStatusBar> b("TStatusBar", &TWinControl::StaticClass());
    pub::Action(b);
    pub::Align(b, alBottom);
    pub::Anchors(b);
    b.Prop("AutoHint", &TStatusBar::AutoHint, &TStatusBar::SetAutoHint).Default(false);
    pub::BiDiMode(b);
    pub::Color(b, clBtnFace);
    pub::Constraints(b);
    pub::DragMode(b);
    pub::Enabled(b);
    pub::Font(b);
    b.Prop("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
    pub::ParentBiDiMode(b);
    pub::ParentColor(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    pub::ShowHint(b);
    b.Prop("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
    b.Prop("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    b.Prop("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(true);
    pub::Visible(b);
    pub::OnClick(b);
    pub::OnContextPopup(b);
    pub::OnDblClick(b);
    pub::DragEvents(b);
    pub::MouseEvents(b);
    pub::OnResize(b);
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TStatusBar::ClassType() const { return StaticClass(); }

void TStatusPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed(false);
}

void TStatusPanel::SetBevel(TBevelCut Value) {
  if (FBevel == Value) return;
  FBevel = Value;
  Changed(false);
}

void TStatusPanel::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed(false);
}

void TStatusPanel::SetWidth(int Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Changed(false);
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)) {
  FSetCaptionOnRename = false;
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
  FPanels->SetOnUpdate([this](TCollectionItem*) { PeerChanged(pcPanels); });
}

TStatusBar::~TStatusBar() {
  Destroying();
  FPanels->SetOnUpdate(nullptr);
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (FSimplePanel == Value) return;
  FSimplePanel = Value;
  PeerChanged(pcPanels);
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  if (FSimpleText == Value) return;
  FSimpleText = Value;
  PeerChanged(pcPanels);
}

void TStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  PeerChanged(pcPanels);
}

void TStatusBar::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcPanels);
}

}  // namespace host
