// String grid geometry and navigation: cell rectangles from widths,
// heights, grid lines, fixed cells and scrolling; the current cell, the
// selection and the size rules.
#include <gtest/gtest.h>

#include <climits>

#include "host/controls/Forms.h"
#include "host/controls/Grids.h"

using namespace host;

namespace {
struct GridForm {
  TForm Form{nullptr};
  TStringGrid* Grid = new TStringGrid(&Form);
  GridForm() {
    Grid->SetParent(&Form);
    Grid->SetBounds(0, 0, 300, 100);
  }
};
}  // namespace

TEST(GridGeometry, CellRectsFollowWidthsHeightsAndGridLines) {
  GridForm g;
  g.Grid->SetDefaultColWidth(100);
  g.Grid->SetDefaultRowHeight(18);
  g.Grid->SetColWidths(1, 50);
  EXPECT_EQ(g.Grid->CellRect(0, 0), (TRect{0, 0, 100, 18}));
  EXPECT_EQ(g.Grid->CellRect(1, 0), (TRect{101, 0, 151, 18}));
  EXPECT_EQ(g.Grid->CellRect(2, 1), (TRect{152, 19, 252, 37}));
  // Without lines the cells touch.
  g.Grid->SetOptions({goFixedVertLine, goFixedHorzLine});
  EXPECT_EQ(g.Grid->CellRect(2, 1), (TRect{150, 18, 250, 36}));
  g.Grid->SetOptions({goVertLine, goHorzLine});
  g.Grid->SetGridLineWidth(3);
  EXPECT_EQ(g.Grid->CellRect(1, 2), (TRect{103, 42, 153, 60}));
}

TEST(GridGeometry, HugeSizesAreRefusedAndLongGridsDoNotOverflow) {
  GridForm g;
  const std::pair<const char*, void (TCustomGrid::*)(int)> setters[] = {
      {"DefaultRowHeight", &TCustomGrid::SetDefaultRowHeight},
      {"DefaultColWidth", &TCustomGrid::SetDefaultColWidth},
      {"GridLineWidth", &TCustomGrid::SetGridLineWidth}};
  for (const auto& [property, set] : setters) {
    try {
      (g.Grid->*set)(INT_MAX);
      ADD_FAILURE() << property;
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(std::string(e.what()).rfind(property, 0), 0u) << e.what();
    }
  }
  EXPECT_THROW(g.Grid->SetBounds(INT_MAX - 10, 0, 100, 100), EInvalidOperation);
  EXPECT_THROW(g.Grid->SetBounds(0, 0, INT_MAX, 100), EInvalidOperation);
  // The largest sizes allowed, summed over many columns, stay out of view.
  g.Grid->SetColCount(400);
  g.Grid->SetRowCount(400);
  g.Grid->SetDefaultColWidth(MaxControlExtent);
  g.Grid->SetDefaultRowHeight(MaxControlExtent);
  for (int i : {130, 260, 399}) {
    EXPECT_TRUE(g.Grid->CellRect(i, 0).IsEmpty()) << i;
    EXPECT_TRUE(g.Grid->CellRect(0, i).IsEmpty()) << i;
  }
  EXPECT_EQ(g.Grid->VisibleColCount(), 0);
}

TEST(GridGeometry, CellsOutsideTheGridOrTheViewAreEmpty) {
  GridForm g;  // 5 x 5, default 64 x 24, 300 x 100 pixels
  EXPECT_TRUE(g.Grid->CellRect(5, 0).IsEmpty());
  EXPECT_TRUE(g.Grid->CellRect(-1, 0).IsEmpty());
  EXPECT_TRUE(g.Grid->CellRect(0, 4).IsEmpty());  // starts at y = 100: past the client area
  EXPECT_FALSE(g.Grid->CellRect(4, 3).IsEmpty()); // starts inside, may end outside
  EXPECT_EQ(g.Grid->CellRect(4, 3), (TRect{260, 75, 324, 99}));
}

TEST(GridGeometry, ScrollingMovesTheScrollableCellsOnly) {
  GridForm g;
  g.Grid->SetColCount(10);
  g.Grid->SetLeftCol(3);
  EXPECT_EQ(g.Grid->CellRect(0, 0), (TRect{0, 0, 64, 24}));     // fixed column stays
  EXPECT_TRUE(g.Grid->CellRect(2, 1).IsEmpty());                  // scrolled out
  EXPECT_EQ(g.Grid->CellRect(3, 1), (TRect{65, 25, 129, 49}));   // first shown after the fixed one
  EXPECT_EQ(g.Grid->MouseCoord(70, 30), (TGridCoord{3, 1}));
  EXPECT_EQ(g.Grid->MouseCoord(10, 10), (TGridCoord{0, 0}));
  EXPECT_EQ(g.Grid->MouseCoord(299, 99), (TGridCoord{6, 3}));
  EXPECT_EQ(g.Grid->MouseCoord(300, 10), (TGridCoord{-1, -1}));
}

TEST(GridGeometry, MovingTheCurrentCellScrollsItIntoView) {
  GridForm g;
  g.Grid->SetColCount(10);
  int topLeft = 0;
  g.Grid->SetOnTopLeftChanged([&](TObject*) { ++topLeft; });
  EXPECT_EQ(g.Grid->VisibleColCount(), 3);
  EXPECT_TRUE(g.Grid->FocusCell(8, 1, true));
  EXPECT_EQ(g.Grid->LeftCol(), 6);
  EXPECT_FALSE(g.Grid->CellRect(8, 1).IsEmpty());
  EXPECT_LE(g.Grid->CellRect(8, 1).Right, 300);
  EXPECT_EQ(topLeft, 1);
  g.Grid->SetCol(2);
  EXPECT_EQ(g.Grid->LeftCol(), 2);
}

TEST(GridSelection, OnSelectCellDecidesAndFixedCellsAreNeverCurrent) {
  GridForm g;
  std::vector<std::pair<int, int>> asked;
  g.Grid->SetOnSelectCell([&](TObject*, int c, int r, bool& can) {
    asked.emplace_back(c, r);
    can = c != 3;
  });
  EXPECT_TRUE(g.Grid->FocusCell(2, 2, true));
  EXPECT_FALSE(g.Grid->FocusCell(3, 2, true));
  EXPECT_FALSE(g.Grid->FocusCell(0, 2, true));  // fixed: not even asked
  EXPECT_EQ(g.Grid->Col(), 2);
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2, 2}, {3, 2}}));
  EXPECT_EQ(g.Grid->Selection(), (TGridRect{2, 2, 2, 2}));
  g.Grid->SetOnSelectCell(nullptr);
  g.Grid->FocusCell(4, 3, false);  // extend from the anchor
  EXPECT_EQ(g.Grid->Selection(), (TGridRect{2, 2, 4, 3}));
  g.Grid->SetOptions(g.Grid->Options() + TGridOptions{goRowSelect});
  EXPECT_EQ(g.Grid->Selection(), (TGridRect{1, 3, 4, 3}));
}

TEST(GridSelection, ArrowKeysAndTabsMoveTheCurrentCell) {
  GridForm g;
  TKey key = VK_RIGHT;
  g.Grid->KeyDown(key, {});
  EXPECT_EQ(g.Grid->Col(), 2);
  EXPECT_EQ(key, 0);
  key = VK_DOWN;
  g.Grid->KeyDown(key, {});
  EXPECT_EQ(g.Grid->Row(), 2);
  key = VK_TAB;
  g.Grid->KeyDown(key, {});
  EXPECT_EQ(g.Grid->Col(), 2);  // without goTabs Tab is not the grid's
  g.Grid->SetOptions(g.Grid->Options() + TGridOptions{goTabs});
  g.Grid->SetCol(4);
  key = VK_TAB;
  g.Grid->KeyDown(key, {});
  EXPECT_EQ(g.Grid->Col(), 1);
  EXPECT_EQ(g.Grid->Row(), 3);
  int handled = 0;
  g.Grid->SetOnKeyDown([&](TObject*, TKey& k, TShiftState) {
    ++handled;
    k = 0;
  });
  key = VK_RIGHT;
  g.Grid->KeyDown(key, {});
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(g.Grid->Col(), 1);
}

TEST(GridSize, FixedCountsStayBelowTheCountsAndCellsFollowTheSize) {
  GridForm g;
  EXPECT_THROW(g.Grid->SetFixedCols(5), EInvalidGridOperation);
  g.Grid->SetCells(3, 3, "kept");
  g.Grid->SetColCount(1);
  EXPECT_EQ(g.Grid->FixedCols(), 0);
  EXPECT_EQ(g.Grid->Col(), 0);
  g.Grid->SetColCount(4);
  EXPECT_EQ(g.Grid->Cells(3, 3), "");  // shrinking dropped the column
  g.Grid->SetFixedCols(1);
  EXPECT_EQ(g.Grid->Col(), 1);
  g.Grid->SetCells(9, 9, "outside");
  EXPECT_EQ(g.Grid->Cells(9, 9), "");
  g.Grid->SetCells(1, 1, "a");
  g.Grid->SetCells(2, 1, "b");
  g.Grid->MoveColumn(2, 1);
  EXPECT_EQ(g.Grid->Rows(1)[1], "b");
  EXPECT_EQ(g.Grid->Cols(2)[1], "a");
}

TEST(GridEditing, TheEditorOpensOnlyOnEditableCells) {
  GridForm g;
  g.Grid->SetEditorMode(true);
  EXPECT_FALSE(g.Grid->EditorMode());
  g.Grid->SetOptions(g.Grid->Options() + TGridOptions{goEditing});
  g.Grid->SetEditorMode(true);
  EXPECT_TRUE(g.Grid->EditorMode());
  g.Grid->SetCol(2);  // moving closes it
  EXPECT_FALSE(g.Grid->EditorMode());
  TKey key = VK_F2;
  g.Grid->KeyDown(key, {});
  EXPECT_TRUE(g.Grid->EditorMode());
}
