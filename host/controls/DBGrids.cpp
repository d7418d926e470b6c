#include "host/controls/DBGrids.h"

#include "host/controls/Publish.h"

namespace host {

const TTypeInfo& TypeInfoOf(TDBGridOption*) {
  static const TTypeInfo info =
      MakeEnumInfo("TDBGridOption", {"dgEditing", "dgAlwaysShowEditor", "dgTitles", "dgIndicator", "dgColumnResize",
                                     "dgColLines", "dgRowLines", "dgTabs", "dgRowSelect", "dgAlwaysShowSelection",
                                     "dgConfirmDelete", "dgCancelOnExit", "dgMultiSelect"});
  return info;
}

const TClass& TDBGrid::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TDBGrid> b("TDBGrid", &TCustomControl::StaticClass());
    pub::Align(b);
    pub::Anchors(b);
    pub::BiDiMode(b);
    b.Prop("BorderStyle", &TDBGrid::BorderStyle, &TDBGrid::SetBorderStyle).Default(bsSingle);
    pub::Color(b, clWindow);
    b.Prop("Columns", &TDBGrid::Columns, &TDBGrid::SetColumns);
    pub::Constraints(b);
    pub::DragMode(b);
    pub::Enabled(b);
    pub::Font(b);
    b.Prop("Options", &TDBGrid::Options, &TDBGrid::SetOptions)
        .Default(static_cast<std::int64_t>(TDBGridOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines,
                                                          dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit}
                                               .Mask()));
    pub::ParentBiDiMode(b);
    pub::ParentColor(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    b.Prop("ReadOnly", &TDBGrid::ReadOnly, &TDBGrid::SetReadOnly).Default(false);
    pub::ShowHint(b);
    pub::TabOrder(b);
    pub::TabStop(b, true);
    b.Prop("TitleFont", &TDBGrid::TitleFont, &TDBGrid::SetTitleFont);
    pub::Visible(b);
    b.Prop("OnCellClick", &TDBGrid::OnCellClick, &TDBGrid::SetOnCellClick);
    b.Prop("OnColEnter", &TDBGrid::OnColEnter, &TDBGrid::SetOnColEnter);
    pub::OnContextPopup(b);
    pub::OnDblClick(b);
    pub::DragEvents(b);
    pub::OnEnter(b);
    pub::OnExit(b);
    pub::KeyEvents(b);
    pub::MouseEvents(b);
    pub::OnStartDrag(b);
    b.Prop("OnTitleClick", &TDBGrid::OnTitleClick, &TDBGrid::SetOnTitleClick);
    return b.Build();
  }();
  return cls;
}
const TClass& TDBGrid::ClassType() const { return StaticClass(); }

TDBGrid::TDBGrid(TComponent* AOwner)
    : TCustomControl(AOwner), FColumns(std::make_unique<TDBGridColumns>(this)), FTitleFont(std::make_unique<TFont>()) {
  FSetCaptionOnRename = false;
  InitColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
  FColumns->SetOnUpdate([this](TCollectionItem*) {
    if (FSelectedIndex >= FColumns->Count()) FSelectedIndex = FColumns->Count() - 1;
    PeerChanged(pcColumns);
  });
  FTitleFont->SetOnChange([this](TObject*) { PeerChanged(pcColumns); });
}

TDBGrid::~TDBGrid() {
  Destroying();
  FColumns->SetOnUpdate(nullptr);
  FTitleFont->SetOnChange(nullptr);
}

void TDBGrid::SetOptions(TDBGridOptions Value) {
  if (FOptions == Value) return;
  FOptions = Value;
  PeerChanged(pcOptions);
}

void TDBGrid::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  PeerChanged(pcReadOnly);
}

void TDBGrid::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  PeerChanged(pcBevel);
}

void TDBGrid::SetSelectedIndex(int Value) {
  if (Value < -1 || Value >= FColumns->Count() || Value == FSelectedIndex) return;
  FSelectedIndex = Value;
  PeerChanged(pcCurrentCell);
  if (FOnColEnter) FOnColEnter(this);
}

void TDBGrid::UserCellClick(int ColumnIndex) {
  if (ColumnIndex < 0 || ColumnIndex >= FColumns->Count()) return;
  if (ColumnIndex != FSelectedIndex) {
    FSelectedIndex = ColumnIndex;
    if (FOnColEnter) FOnColEnter(this);
  }
  if (FOnCellClick) FOnCellClick(this, FColumns->Items(ColumnIndex));
}

void TDBGrid::UserSetColumnWidth(int ColumnIndex, int Width) {
  if (ColumnIndex < 0 || ColumnIndex >= FColumns->Count()) return;
  TPeerLock lock(this);
  FColumns->Items(ColumnIndex)->SetWidth(Width);
}

void TDBGrid::UserTitleClick(int ColumnIndex) {
  if (ColumnIndex < 0 || ColumnIndex >= FColumns->Count()) return;
  if (FOnTitleClick) FOnTitleClick(this, FColumns->Items(ColumnIndex));
}

void TDBGrid::PushPeerState() {
  TCustomControl::PushPeerState();
  PeerChanged(pcBevel);
  PeerChanged(pcOptions);
  PeerChanged(pcReadOnly);
  PeerChanged(pcColumns);
  PeerChanged(pcCurrentCell);
}

}  // namespace host
