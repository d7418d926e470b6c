#include "host/controls/Grids.h"

#include <algorithm>
#include <climits>

#include "host/controls/Publish.h"

namespace host {

const TClass& TCustomGrid::StaticClass() {
  static const TClass cls = TClassBuilder<TCustomGrid>("TCustomGrid", &TCustomControl::StaticClass()).Build();
  return cls;
}
const TClass& TCustomGrid::ClassType() const { return StaticClass(); }

// ---- TCustomGrid: size ----

TCustomGrid::TCustomGrid(TComponent* AOwner)
    : TCustomControl(AOwner),
      FColWidths(static_cast<std::size_t>(FColCount), FDefaultColWidth),
      FRowHeights(static_cast<std::size_t>(FRowCount), FDefaultRowHeight) {
  FSetCaptionOnRename = false;
  InitColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
}

void TCustomGrid::Normalize() {
  FColWidths.resize(static_cast<std::size_t>(FColCount), FDefaultColWidth);
  FRowHeights.resize(static_cast<std::size_t>(FRowCount), FDefaultRowHeight);
  FFixedCols = std::clamp(FFixedCols, 0, FColCount - 1);
  FFixedRows = std::clamp(FFixedRows, 0, FRowCount - 1);
  FCol = std::clamp(FCol, FFixedCols, FColCount - 1);
  FRow = std::clamp(FRow, FFixedRows, FRowCount - 1);
  FLeftCol = std::clamp(FLeftCol, FFixedCols, FColCount - 1);
  FTopRow = std::clamp(FTopRow, FFixedRows, FRowCount - 1);
  auto clampRect = [&](TGridRect& r) {
    r.Left = std::clamp(r.Left, FFixedCols, FColCount - 1);
    r.Right = std::clamp(r.Right, FFixedCols, FColCount - 1);
    r.Top = std::clamp(r.Top, FFixedRows, FRowCount - 1);
    r.Bottom = std::clamp(r.Bottom, FFixedRows, FRowCount - 1);
  };
  clampRect(FSelection);
  if (FCol < FSelection.Left || FCol > FSelection.Right || FRow < FSelection.Top || FRow > FSelection.Bottom)
    FSelection = {FCol, FRow, FCol, FRow};
  if (FEditorMode && !CanEditShow()) FEditorMode = false;
}

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(1, Value);
  if (FColCount == Value) return;
  const int old = FColCount;
  FColCount = Value;
  Normalize();
  SizeChanged(old, FRowCount);
  PeerChanged(pcGridSize);
  PeerChanged(pcColWidths);
  PeerChanged(pcCurrentCell);
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(1, Value);
  if (FRowCount == Value) return;
  const int old = FRowCount;
  FRowCount = Value;
  Normalize();
  SizeChanged(FColCount, old);
  PeerChanged(pcGridSize);
  PeerChanged(pcRowHeights);
  PeerChanged(pcCurrentCell);
}

void TCustomGrid::SetFixedCols(int Value) {
  if (FFixedCols == Value) return;
  if (Value < 0 || Value >= FColCount) throw EInvalidGridOperation("Fixed column count must be less than column count");
  FFixedCols = Value;
  if (FCol < Value) FCol = Value;
  if (FLeftCol < Value) FLeftCol = Value;
  Normalize();
  PeerChanged(pcGridSize);
  PeerChanged(pcCurrentCell);
}

void TCustomGrid::SetFixedRows(int Value) {
  if (FFixedRows == Value) return;
  if (Value < 0 || Value >= FRowCount) throw EInvalidGridOperation("Fixed row count must be less than row count");
  FFixedRows = Value;
  if (FRow < Value) FRow = Value;
  if (FTopRow < Value) FTopRow = Value;
  Normalize();
  PeerChanged(pcGridSize);
  PeerChanged(pcCurrentCell);
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  CheckExtent("DefaultColWidth", Value, false);
  Value = std::max(0, Value);
  if (FDefaultColWidth == Value) return;
  FDefaultColWidth = Value;
  std::fill(FColWidths.begin(), FColWidths.end(), Value);
  PeerChanged(pcGridSize);
  PeerChanged(pcColWidths);
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  CheckExtent("DefaultRowHeight", Value, false);
  Value = std::max(0, Value);
  if (FDefaultRowHeight == Value) return;
  FDefaultRowHeight = Value;
  std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
  PeerChanged(pcGridSize);
  PeerChanged(pcRowHeights);
}

int TCustomGrid::ColWidths(int Index) const {
  if (Index < 0 || Index >= FColCount) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FColWidths[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= FColCount) throw EListError(Format("List index out of bounds (%d)", {Index}));
  CheckExtent("ColWidths", Value, false);
  Value = std::max(0, Value);
  if (FColWidths[static_cast<std::size_t>(Index)] == Value) return;
  FColWidths[static_cast<std::size_t>(Index)] = Value;
  PeerChanged(pcColWidths);
}

int TCustomGrid::RowHeights(int Index) const {
  if (Index < 0 || Index >= FRowCount) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FRowHeights[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= FRowCount) throw EListError(Format("List index out of bounds (%d)", {Index}));
  CheckExtent("RowHeights", Value, false);
  Value = std::max(0, Value);
  if (FRowHeights[static_cast<std::size_t>(Index)] == Value) return;
  FRowHeights[static_cast<std::size_t>(Index)] = Value;
  PeerChanged(pcRowHeights);
}

void TCustomGrid::UserSetColWidth(int Index, int Value) {
  if (Index < 0 || Index >= FColCount) return;
  TPeerLock lock(this);
  SetColWidths(Index, Value);
}

void TCustomGrid::UserSetRowHeight(int Index, int Value) {
  if (Index < 0 || Index >= FRowCount) return;
  TPeerLock lock(this);
  SetRowHeights(Index, Value);
}

void TCustomGrid::SetGridLineWidth(int Value) {
  CheckExtent("GridLineWidth", Value, false);
  Value = std::max(0, Value);
  if (FGridLineWidth == Value) return;
  FGridLineWidth = Value;
  PeerChanged(pcOptions);
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (FOptions == Value) return;
  FOptions = Value;
  if (FOptions.Contains(goRowSelect)) FSelection = {FFixedCols, FRow, FColCount - 1, FRow};
  if (FEditorMode && !CanEditShow()) FEditorMode = false;
  if (FOptions.Contains(goAlwaysShowEditor) && CanEditShow()) FEditorMode = true;
  PeerChanged(pcOptions);
  PeerChanged(pcCurrentCell);
  PeerChanged(pcEditorMode);
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (FFixedColor == Value) return;
  FFixedColor = Value;
  PeerChanged(pcColor);
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  PeerChanged(pcScrollBars);
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  PeerChanged(pcBevel);
}

void TCustomGrid::Loaded() {
  TCustomControl::Loaded();
  Normalize();
}

// ---- geometry ----

int TCustomGrid::LineX() const { return FOptions.Contains(goVertLine) ? FGridLineWidth : 0; }
int TCustomGrid::LineY() const { return FOptions.Contains(goHorzLine) ? FGridLineWidth : 0; }

// Extents stop growing far below the int limit: a position made of two of
// them plus one more size (each at most MaxControlExtent) never overflows,
// however many rows there are; anything that far out is out of view anyway.
namespace {
constexpr long long kMaxExtent = INT_MAX / 4;
}

int TCustomGrid::ExtentX(int FromCol, int ToCol) const {
  long long x = 0;
  for (int c = FromCol; c < ToCol && x < kMaxExtent; ++c) x += FColWidths[static_cast<std::size_t>(c)] + LineX();
  return static_cast<int>(std::min(x, kMaxExtent));
}

int TCustomGrid::ExtentY(int FromRow, int ToRow) const {
  long long y = 0;
  for (int r = FromRow; r < ToRow && y < kMaxExtent; ++r) y += FRowHeights[static_cast<std::size_t>(r)] + LineY();
  return static_cast<int>(std::min(y, kMaxExtent));
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) return {};
  int x;
  if (ACol < FFixedCols) {
    x = ExtentX(0, ACol);
  } else {
    if (ACol < FLeftCol) return {};
    x = ExtentX(0, FFixedCols) + ExtentX(FLeftCol, ACol);
  }
  int y;
  if (ARow < FFixedRows) {
    y = ExtentY(0, ARow);
  } else {
    if (ARow < FTopRow) return {};
    y = ExtentY(0, FFixedRows) + ExtentY(FTopRow, ARow);
  }
  if (x >= ClientWidth() || y >= ClientHeight()) return {};
  return {x, y, x + FColWidths[static_cast<std::size_t>(ACol)], y + FRowHeights[static_cast<std::size_t>(ARow)]};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
  TGridCoord result;
  auto find = [](int pos, int count, int fixed, int first, int limit, const std::vector<int>& sizes, int line) {
    if (pos < 0 || pos >= limit) return -1;
    int start = 0;
    for (int i = 0; i < count; ++i) {
      if (i >= fixed && i < first) continue;  // scrolled out of view
      const int size = sizes[static_cast<std::size_t>(i)] + line;
      if (pos < start + size) return i;
      start += size;
      if (start >= limit) break;
    }
    return -1;
  };
  result.X = find(X, FColCount, FFixedCols, FLeftCol, ClientWidth(), FColWidths, LineX());
  result.Y = find(Y, FRowCount, FFixedRows, FTopRow, ClientHeight(), FRowHeights, LineY());
  if (result.X < 0 || result.Y < 0) result = {-1, -1};
  return result;
}

int TCustomGrid::VisibleColCount() const {
  int x = ExtentX(0, FFixedCols);
  int n = 0;
  for (int c = FLeftCol; c < FColCount; ++c) {
    x += FColWidths[static_cast<std::size_t>(c)];
    if (x > ClientWidth()) break;
    x += LineX();
    ++n;
  }
  return n;
}

int TCustomGrid::VisibleRowCount() const {
  int y = ExtentY(0, FFixedRows);
  int n = 0;
  for (int r = FTopRow; r < FRowCount; ++r) {
    y += FRowHeights[static_cast<std::size_t>(r)];
    if (y > ClientHeight()) break;
    y += LineY();
    ++n;
  }
  return n;
}

void TCustomGrid::SetTopRow(int Value) {
  Value = std::clamp(Value, FFixedRows, FRowCount - 1);
  if (FTopRow == Value) return;
  FTopRow = Value;
  PeerChanged(pcTopLeft);
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

void TCustomGrid::SetLeftCol(int Value) {
  Value = std::clamp(Value, FFixedCols, FColCount - 1);
  if (FLeftCol == Value) return;
  FLeftCol = Value;
  PeerChanged(pcTopLeft);
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

void TCustomGrid::UserScroll(int ALeftCol, int ATopRow) {
  ALeftCol = std::clamp(ALeftCol, FFixedCols, FColCount - 1);
  ATopRow = std::clamp(ATopRow, FFixedRows, FRowCount - 1);
  if (ALeftCol == FLeftCol && ATopRow == FTopRow) return;
  FLeftCol = ALeftCol;
  FTopRow = ATopRow;
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

void TCustomGrid::ScrollIntoView(int ACol, int ARow) {
  int left = FLeftCol;
  int top = FTopRow;
  if (ACol >= FFixedCols) {
    if (ACol < left) left = ACol;
    // Scroll right until the column fits whole (or is the first shown).
    while (left < ACol) {
      const int fixed = ExtentX(0, FFixedCols);
      if (fixed + ExtentX(left, ACol) + FColWidths[static_cast<std::size_t>(ACol)] <= ClientWidth()) break;
      ++left;
    }
  }
  if (ARow >= FFixedRows) {
    if (ARow < top) top = ARow;
    while (top < ARow) {
      const int fixed = ExtentY(0, FFixedRows);
      if (fixed + ExtentY(top, ARow) + FRowHeights[static_cast<std::size_t>(ARow)] <= ClientHeight()) break;
      ++top;
    }
  }
  if (left == FLeftCol && top == FTopRow) return;
  FLeftCol = left;
  FTopRow = top;
  PeerChanged(pcTopLeft);
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

// ---- current cell and selection ----

bool TCustomGrid::SelectCell(int ACol, int ARow) {
  bool canSelect = true;
  if (FOnSelectCell) FOnSelectCell(this, ACol, ARow, canSelect);
  return canSelect;
}

bool TCustomGrid::Focus(int ACol, int ARow, bool MoveAnchor, bool TellPeer) {
  if (ACol < FFixedCols || ARow < FFixedRows || ACol >= FColCount || ARow >= FRowCount) return false;
  if (ACol != FCol || ARow != FRow) {
    if (!SelectCell(ACol, ARow)) return false;
    // Leaving a cell closes its editor, unless the editor always shows.
    if (FEditorMode && !FOptions.Contains(goAlwaysShowEditor)) {
      FEditorMode = false;
      if (TellPeer) PeerChanged(pcEditorMode);
    }
  }
  const TGridCoord anchor = MoveAnchor || !FOptions.Contains(goRangeSelect)
                                ? TGridCoord{ACol, ARow}
                                : TGridCoord{FSelection.Left == FCol ? FSelection.Right : FSelection.Left,
                                             FSelection.Top == FRow ? FSelection.Bottom : FSelection.Top};
  FCol = ACol;
  FRow = ARow;
  if (FOptions.Contains(goRowSelect))
    FSelection = {FFixedCols, ARow, FColCount - 1, ARow};
  else
    FSelection = {std::min(anchor.X, ACol), std::min(anchor.Y, ARow), std::max(anchor.X, ACol), std::max(anchor.Y, ARow)};
  ScrollIntoView(ACol, ARow);
  if (TellPeer) PeerChanged(pcCurrentCell);
  return true;
}

bool TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) { return Focus(ACol, ARow, MoveAnchor, true); }

bool TCustomGrid::UserSelectCell(int ACol, int ARow) {
  TPeerLock lock(this);
  return Focus(ACol, ARow, true, false);
}

void TCustomGrid::SetSelection(TGridRect Value) {
  Value.Left = std::clamp(Value.Left, FFixedCols, FColCount - 1);
  Value.Right = std::clamp(Value.Right, FFixedCols, FColCount - 1);
  Value.Top = std::clamp(Value.Top, FFixedRows, FRowCount - 1);
  Value.Bottom = std::clamp(Value.Bottom, FFixedRows, FRowCount - 1);
  if (Value.Left > Value.Right) std::swap(Value.Left, Value.Right);
  if (Value.Top > Value.Bottom) std::swap(Value.Top, Value.Bottom);
  if (!FocusCell(Value.Left, Value.Top, true)) return;
  FSelection = Value;
  PeerChanged(pcCurrentCell);
}

// ---- editing ----

bool TCustomGrid::CanEditShow() const {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FCol >= FFixedCols && FRow >= FFixedRows;
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value && !CanEditShow()) Value = false;
  if (FEditorMode == Value) return;
  FEditorMode = Value;
  PeerChanged(pcEditorMode);
}

void TCustomGrid::UserSetEditorMode(bool Value) {
  if (Value && !CanEditShow()) return;
  FEditorMode = Value;
}

void TCustomGrid::DrawCell(int ACol, int ARow, TGridDrawState State) {
  if (FOnDrawCell) FOnDrawCell(this, ACol, ARow, CellRect(ACol, ARow), State);
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount || FromIndex == ToIndex) return;
  const int width = FColWidths[static_cast<std::size_t>(FromIndex)];
  FColWidths.erase(FColWidths.begin() + FromIndex);
  FColWidths.insert(FColWidths.begin() + ToIndex, width);
  ColumnMoved(FromIndex, ToIndex);
  PeerChanged(pcColWidths);
  if (FOnColumnMoved) FOnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount || FromIndex == ToIndex) return;
  const int height = FRowHeights[static_cast<std::size_t>(FromIndex)];
  FRowHeights.erase(FRowHeights.begin() + FromIndex);
  FRowHeights.insert(FRowHeights.begin() + ToIndex, height);
  RowMoved(FromIndex, ToIndex);
  PeerChanged(pcRowHeights);
  if (FOnRowMoved) FOnRowMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}

bool TCustomGrid::KeyDown(TKey& Key, TShiftState Shift) {
  if (!TCustomControl::KeyDown(Key, Shift)) return false;
  int col = FCol;
  int row = FRow;
  switch (Key) {
    case VK_LEFT:
      if (FEditorMode) return true;
      --col;
      break;
    case VK_RIGHT:
      if (FEditorMode) return true;
      ++col;
      break;
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_HOME:
      if (FEditorMode) return true;
      col = FFixedCols;
      break;
    case VK_END:
      if (FEditorMode) return true;
      col = FColCount - 1;
      break;
    case VK_TAB:
      if (!FOptions.Contains(goTabs)) return true;
      if (Shift.Contains(ssShift)) {
        if (--col < FFixedCols) {
          col = FColCount - 1;
          --row;
        }
      } else if (++col >= FColCount) {
        col = FFixedCols;
        ++row;
      }
      break;
    case VK_F2:
      SetEditorMode(true);
      Key = 0;
      return false;
    default:
      return true;
  }
  col = std::clamp(col, FFixedCols, FColCount - 1);
  row = std::clamp(row, FFixedRows, FRowCount - 1);
  FocusCell(col, row, !Shift.Contains(ssShift) || Key == VK_TAB);
  Key = 0;
  return false;
}

void TCustomGrid::PushPeerState() {
  TCustomControl::PushPeerState();
  PeerChanged(pcBevel);
  PeerChanged(pcScrollBars);
  PeerChanged(pcOptions);
  PeerChanged(pcGridSize);
  PeerChanged(pcColWidths);
  PeerChanged(pcRowHeights);
  PeerChanged(pcTopLeft);
  PeerChanged(pcCurrentCell);
  PeerChanged(pcEditorMode);
}

}  // namespace host
