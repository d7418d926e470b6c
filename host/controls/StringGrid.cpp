#include "host/controls/Grids.h"

#include "host/controls/Publish.h"

namespace host {

const TClass& TStringGrid::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TStringGrid> b("TStringGrid", &TCustomGrid::StaticClass());
    pub::Align(b);
    pub::Anchors(b);
    pub::BiDiMode(b);
    b.Prop("BorderStyle", &TCustomGrid::BorderStyle, &TCustomGrid::SetBorderStyle).Default(bsSingle);
    pub::Color(b, clWindow);
    // The counts come before the fixed counts, so that reading them in
    // this order always meets a valid grid.
    b.Prop("ColCount", &TCustomGrid::ColCount, &TCustomGrid::SetColCount).Default(5);
    pub::Constraints(b);
    b.Prop("DefaultColWidth", &TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth).Default(64);
    b.Prop("DefaultDrawing", &TCustomGrid::DefaultDrawing, &TCustomGrid::SetDefaultDrawing).Default(true);
    b.Prop("DefaultRowHeight", &TCustomGrid::DefaultRowHeight, &TCustomGrid::SetDefaultRowHeight).Default(24);
    pub::DragMode(b);
    pub::Enabled(b);
    b.Prop("FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor).Default(clBtnFace);
    b.Prop("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols).Default(1);
    b.Prop("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount).Default(5);
    b.Prop("FixedRows", &TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows).Default(1);
    pub::Font(b);
    b.Prop("GridLineWidth", &TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth).Default(1);
    b.Prop("Options", &TCustomGrid::Options, &TCustomGrid::SetOptions)
        .Default(static_cast<std::int64_t>(
            TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect}.Mask()));
    pub::ParentBiDiMode(b);
    pub::ParentColor(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    b.Prop("ScrollBars", &TCustomGrid::ScrollBars, &TCustomGrid::SetScrollBars).Default(ssBoth);
    pub::ShowHint(b);
    pub::TabOrder(b);
    pub::TabStop(b, true);
    pub::Visible(b);
    pub::OnClick(b);
    b.Prop("OnColumnMoved", &TCustomGrid::OnColumnMoved, &TCustomGrid::SetOnColumnMoved);
    pub::OnContextPopup(b);
    pub::OnDblClick(b);
    pub::OnDragDrop(b);
    pub::OnDragOver(b);
    b.Prop("OnDrawCell", &TCustomGrid::OnDrawCell, &TCustomGrid::SetOnDrawCell);
    pub::OnEndDrag(b);
    pub::OnEnter(b);
    pub::OnExit(b);
    b.Prop("OnGetEditText", &TStringGrid::OnGetEditText, &TStringGrid::SetOnGetEditText);
    pub::KeyEvents(b);
    pub::MouseEvents(b);
    b.Prop("OnRowMoved", &TCustomGrid::OnRowMoved, &TCustomGrid::SetOnRowMoved);
    b.Prop("OnSelectCell", &TCustomGrid::OnSelectCell, &TCustomGrid::SetOnSelectCell);
    b.Prop("OnSetEditText", &TStringGrid::OnSetEditText, &TStringGrid::SetOnSetEditText);
    pub::OnStartDrag(b);
    b.Prop("OnTopLeftChanged", &TCustomGrid::OnTopLeftChanged, &TCustomGrid::SetOnTopLeftChanged);
    return b.Build();
  }();
  return cls;
}
const TClass& TStringGrid::ClassType() const { return StaticClass(); }

// ---- TStringGrid ----

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomGrid(AOwner) {
  FCells.assign(static_cast<std::size_t>(RowCount()), std::vector<TCell>(static_cast<std::size_t>(ColCount())));
}

void TStringGrid::SizeChanged(int, int) {
  FCells.resize(static_cast<std::size_t>(RowCount()));
  for (auto& row : FCells) row.resize(static_cast<std::size_t>(ColCount()));
}

std::string TStringGrid::Cells(int ACol, int ARow) const {
  return InRange(ACol, ARow) ? FCells[static_cast<std::size_t>(ARow)][static_cast<std::size_t>(ACol)].Text : std::string();
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
  if (!InRange(ACol, ARow)) return;
  std::string& text = FCells[static_cast<std::size_t>(ARow)][static_cast<std::size_t>(ACol)].Text;
  if (text == Value) return;
  text = Value;
  if (Peer() && !IsDestroying()) Peer()->CellChanged(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
  return InRange(ACol, ARow) ? FCells[static_cast<std::size_t>(ARow)][static_cast<std::size_t>(ACol)].Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  if (InRange(ACol, ARow)) FCells[static_cast<std::size_t>(ARow)][static_cast<std::size_t>(ACol)].Object = Value;
}

std::vector<std::string> TStringGrid::Cols(int Index) const {
  std::vector<std::string> out;
  for (int r = 0; r < RowCount(); ++r) out.push_back(Cells(Index, r));
  return out;
}

std::vector<std::string> TStringGrid::Rows(int Index) const {
  std::vector<std::string> out;
  for (int c = 0; c < ColCount(); ++c) out.push_back(Cells(c, Index));
  return out;
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
  std::string value = Cells(ACol, ARow);
  if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  SetCells(ACol, ARow, Value);
  if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  for (auto& row : FCells) {
    TCell cell = std::move(row[static_cast<std::size_t>(FromIndex)]);
    row.erase(row.begin() + FromIndex);
    row.insert(row.begin() + ToIndex, std::move(cell));
  }
  PeerChanged(pcCells);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
  auto row = std::move(FCells[static_cast<std::size_t>(FromIndex)]);
  FCells.erase(FCells.begin() + FromIndex);
  FCells.insert(FCells.begin() + ToIndex, std::move(row));
  PeerChanged(pcCells);
}

void TStringGrid::PushPeerState() {
  TCustomGrid::PushPeerState();
  PeerChanged(pcCells);
}

}  // namespace host
