// Grids: TCustomGrid keeps the geometry (column widths, row heights, fixed
// rows and columns, scrolling), the current cell and the selection, and
// computes cell rectangles, which a widgetset must reproduce exactly.
// TStringGrid adds a text and an object per cell and in-place editing
// through OnGetEditText and OnSetEditText.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/controls/WinControl.h"

namespace host {

struct TGridCoord {
  int X = -1;  // column
  int Y = -1;  // row
  bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

class EInvalidGridOperation : public Exception {
  using Exception::Exception;
};

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class TCustomGrid : public TCustomControl {
  HOST_CLASS(TCustomGrid)
public:
  explicit TCustomGrid(TComponent* AOwner);

  // Fewer columns than fixed ones reduce the fixed ones (there is always
  // at least one column and one row).
  int ColCount() const { return FColCount; }
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  // Raise EInvalidGridOperation unless less than the column (row) count.
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  // Setting a default size gives every column (row) that size.
  int DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value);
  // Raise EListError for an index out of range.
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }

  // The current cell. Moving it asks OnSelectCell first, then scrolls it
  // into view; the current cell is never a fixed one.
  int Col() const { return FCol; }
  void SetCol(int Value) { FocusCell(Value, FRow, true); }
  int Row() const { return FRow; }
  void SetRow(int Value) { FocusCell(FCol, Value, true); }
  // Returns whether the cell became current.
  bool FocusCell(int ACol, int ARow, bool MoveAnchor);
  TGridRect Selection() const { return FSelection; }
  void SetSelection(TGridRect Value);
  // The first scrollable row and column shown.
  int TopRow() const { return FTopRow; }
  void SetTopRow(int Value);
  int LeftCol() const { return FLeftCol; }
  void SetLeftCol(int Value);
  // Rows and columns shown whole after the fixed ones.
  int VisibleRowCount() const;
  int VisibleColCount() const;

  // The rectangle of a cell in the grid's coordinates: fixed cells first,
  // then the scrollable ones from LeftCol/TopRow, each followed by a grid
  // line of GridLineWidth (when goVertLine / goHorzLine is set). A cell
  // scrolled out of view, starting past the client area, or outside the
  // grid gives an empty rectangle.
  TRect CellRect(int ACol, int ARow) const;
  // The cell at a point; X or Y is -1 outside the cells.
  TGridCoord MouseCoord(int X, int Y) const;

  // In-place editing: possible with goEditing on a scrollable cell, unless
  // whole rows are selected.
  bool CanEditShow() const;
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  // The peer opened or closed its editor.
  void UserSetEditorMode(bool Value);
  // The peer moved the current cell (arrow keys, a click) or scrolled.
  bool UserSelectCell(int ACol, int ARow);
  void UserScroll(int ALeftCol, int ATopRow);
  // The user dragged a column or row border (with goColSizing/goRowSizing).
  void UserSetColWidth(int Index, int Value);
  void UserSetRowHeight(int Index, int Value);
  // Before the peer paints a cell: fires OnDrawCell with its rectangle.
  void DrawCell(int ACol, int ARow, TGridDrawState State);
  // Moves a column or row to another position, with its cells and size.
  virtual void MoveColumn(int FromIndex, int ToIndex);
  virtual void MoveRow(int FromIndex, int ToIndex);

  // Arrow keys, Home, End and (with goTabs) Tab move the current cell.
  bool KeyDown(TKey& Key, TShiftState Shift) override;

  const TSelectCellEvent& OnSelectCell() const { return FOnSelectCell; }
  void SetOnSelectCell(TSelectCellEvent Value) { FOnSelectCell = std::move(Value); }
  const TDrawCellEvent& OnDrawCell() const { return FOnDrawCell; }
  void SetOnDrawCell(TDrawCellEvent Value) { FOnDrawCell = std::move(Value); }
  const TNotifyEvent& OnTopLeftChanged() const { return FOnTopLeftChanged; }
  void SetOnTopLeftChanged(TNotifyEvent Value) { FOnTopLeftChanged = std::move(Value); }
  const TMovedEvent& OnColumnMoved() const { return FOnColumnMoved; }
  void SetOnColumnMoved(TMovedEvent Value) { FOnColumnMoved = std::move(Value); }
  const TMovedEvent& OnRowMoved() const { return FOnRowMoved; }
  void SetOnRowMoved(TMovedEvent Value) { FOnRowMoved = std::move(Value); }

  void Loaded() override;

protected:
  void PushPeerState() override;
  virtual bool SelectCell(int ACol, int ARow);
  // The cell storage follows the size (string grids).
  virtual void SizeChanged(int OldColCount, int OldRowCount) {}
  virtual void ColumnMoved(int FromIndex, int ToIndex);
  virtual void RowMoved(int FromIndex, int ToIndex);
  void Normalize();
  void ScrollIntoView(int ACol, int ARow);

private:
  bool Focus(int ACol, int ARow, bool MoveAnchor, bool TellPeer);
  int ExtentX(int FromCol, int ToCol) const;
  int ExtentY(int FromRow, int ToRow) const;
  int LineX() const;
  int LineY() const;

  int FColCount = 5;
  int FRowCount = 5;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  int FGridLineWidth = 1;
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TColor FFixedColor = clBtnFace;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  bool FDefaultDrawing = true;
  int FCol = 1;
  int FRow = 1;
  TGridRect FSelection{1, 1, 1, 1};
  int FTopRow = 1;
  int FLeftCol = 1;
  bool FEditorMode = false;
  TSelectCellEvent FOnSelectCell;
  TDrawCellEvent FOnDrawCell;
  TNotifyEvent FOnTopLeftChanged;
  TMovedEvent FOnColumnMoved;
  TMovedEvent FOnRowMoved;
};

class TStringGrid : public TCustomGrid {
  HOST_CLASS(TStringGrid)
public:
  explicit TStringGrid(TComponent* AOwner);

  // Cells outside the grid read as empty and ignore writes.
  std::string Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const std::string& Value);
  // Not owned.
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);
  // Every cell of a column (row), top to bottom (left to right).
  std::vector<std::string> Cols(int Index) const;
  std::vector<std::string> Rows(int Index) const;

  // The editor asks for the text to edit (OnGetEditText may change it) and
  // hands back what the user typed: the cell takes it, then OnSetEditText
  // fires.
  std::string GetEditText(int ACol, int ARow);
  void SetEditText(int ACol, int ARow, const std::string& Value);

  const TGetEditEvent& OnGetEditText() const { return FOnGetEditText; }
  void SetOnGetEditText(TGetEditEvent Value) { FOnGetEditText = std::move(Value); }
  const TSetEditEvent& OnSetEditText() const { return FOnSetEditText; }
  void SetOnSetEditText(TSetEditEvent Value) { FOnSetEditText = std::move(Value); }

protected:
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void PushPeerState() override;

private:
  struct TCell {
    std::string Text;
    TObject* Object = nullptr;
  };
  bool InRange(int ACol, int ARow) const { return ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount(); }
  std::vector<std::vector<TCell>> FCells;  // [row][col]
  TGetEditEvent FOnGetEditText;
  TSetEditEvent FOnSetEditText;
};

}  // namespace host
