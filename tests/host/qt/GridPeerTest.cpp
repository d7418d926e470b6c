// The string grid on a real widget: a cell's rectangle is the same in the
// model and on screen, clicks and keys move the current cell through the
// model, and the in-place editor fires the get-edit-text and
// set-edit-text events.
#include <QLineEdit>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "host/controls/Grids.h"
#include "host/qt/QtGridPeer.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

struct TGridFixture : ::testing::Test {
  TFormPtr Form = NewForm(500, 300);
  TStringGrid* Grid = nullptr;
  QWidget* W = nullptr;
  TQtGridPeer* Peer = nullptr;

  void SetUp() override {
    Grid = new TStringGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(10, 10, 300, 150);
    Grid->SetColCount(6);
    Grid->SetRowCount(12);
    Grid->SetColWidths(1, 90);
    Grid->SetRowHeights(2, 40);
    Grid->SetOptions(TGridOptions(Grid->Options()).Include(goEditing));
    for (int r = 0; r < 12; ++r)
      for (int c = 0; c < 6; ++c) Grid->SetCells(c, r, std::to_string(c) + ":" + std::to_string(r));
    Form->Show();
    W = TQtControlPeer::WidgetOf(Grid);
    Peer = dynamic_cast<TQtGridPeer*>(Grid->Peer());
    ASSERT_NE(Peer, nullptr);
  }
  QPoint Centre(int C, int R) const {
    const TRect r = Grid->CellRect(C, R);
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
};

TEST_F(TGridFixture, TheEditorCoversExactlyTheModelsCellRectangle) {
  Grid->SetCol(1);
  Grid->SetRow(2);
  Grid->SetEditorMode(true);
  ASSERT_NE(Peer->Editor(), nullptr);
  const TRect r = Grid->CellRect(1, 2);
  EXPECT_EQ(Peer->Editor()->geometry(), QRect(r.Left, r.Top, r.Width(), r.Height()));
  Grid->SetEditorMode(false);
  EXPECT_EQ(Peer->Editor(), nullptr);
  // After scrolling the rectangles move; the editor still matches.
  Grid->SetTopRow(4);
  Grid->SetRow(5);
  Grid->SetCol(3);
  Grid->SetEditorMode(true);
  ASSERT_NE(Peer->Editor(), nullptr);
  const TRect s = Grid->CellRect(3, 5);
  ASSERT_FALSE(s.IsEmpty());
  EXPECT_EQ(Peer->Editor()->geometry(), QRect(s.Left, s.Top, s.Width(), s.Height()));
}

TEST_F(TGridFixture, TheCellPaintedAtAModelRectangleIsThatCell) {
  // The focused-cell highlight is painted inside CellRect of the current cell.
  Grid->SetCol(2);
  Grid->SetRow(3);
  Grid->SetOptions(TGridOptions(Grid->Options()).Include(goDrawFocusSelected));
  const QImage image = W->grab().toImage();
  const TRect r = Grid->CellRect(2, 3);
  const QColor highlight = W->palette().color(QPalette::Highlight);
  EXPECT_EQ(QColor(image.pixel(r.Left + 1, r.Top + 1)), highlight);
  EXPECT_EQ(QColor(image.pixel(r.Right - 2, r.Bottom - 2)), highlight);
  EXPECT_NE(QColor(image.pixel(r.Right + 2, r.Top + 1)), highlight);
  EXPECT_NE(QColor(image.pixel(r.Left + 1, r.Bottom + 2)), highlight);
}

TEST_F(TGridFixture, AClickMakesTheCellUnderTheMouseCurrent) {
  int asked = 0;
  Grid->SetOnSelectCell([&](TObject*, int C, int R, bool& CanSelect) {
    ++asked;
    CanSelect = !(C == 3 && R == 4);
  });
  ClickAt(W, Centre(2, 2));
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 2);
  ClickAt(W, Centre(3, 4));
  EXPECT_EQ(Grid->Col(), 2) << "OnSelectCell refused the cell";
  EXPECT_GE(asked, 2);
  // Keys go to the model, which moves the current cell.
  W->setFocus();
  PressKey(W, Qt::Key_Down);
  EXPECT_EQ(Grid->Row(), 3);
  PressKey(W, Qt::Key_Right);
  EXPECT_EQ(Grid->Col(), 3);
}

TEST_F(TGridFixture, InPlaceEditingFiresGetAndSetEditText) {
  std::vector<std::string> got;
  Grid->SetOnGetEditText([&](TObject*, int C, int R, std::string& Value) {
    got.push_back(std::to_string(C) + "," + std::to_string(R));
    Value = "edit " + Value;
  });
  std::string set;
  Grid->SetOnSetEditText([&](TObject*, int C, int R, const std::string& Value) {
    set = std::to_string(C) + "," + std::to_string(R) + "=" + Value;
  });
  ClickAt(W, Centre(2, 1));
  ASSERT_EQ(Peer->Editor(), nullptr);
  W->setFocus();
  PressKey(W, Qt::Key_Left);
  ASSERT_EQ(Grid->Col(), 1);
  PressKey(W, Qt::Key_F2);
  ASSERT_NE(Peer->Editor(), nullptr);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], "1,1");
  EXPECT_EQ(Peer->Editor()->text(), QString("edit 1:1"));
  EXPECT_TRUE(Grid->EditorMode());
  Peer->Editor()->setText("new text");
  PressKey(Peer->Editor(), Qt::Key_Return);
  EXPECT_EQ(Peer->Editor(), nullptr);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(1, 1), "new text");
  EXPECT_EQ(set, "1,1=new text");
  // Escape leaves the cell as it was.
  PressKey(W, Qt::Key_F2);
  ASSERT_NE(Peer->Editor(), nullptr);
  Peer->Editor()->setText("discarded");
  PressKey(Peer->Editor(), Qt::Key_Escape);
  EXPECT_EQ(Grid->Cells(1, 1), "new text");
}

TEST_F(TGridFixture, TheWheelScrollsThroughTheModel) {
  int changed = 0;
  Grid->SetOnTopLeftChanged([&](TObject*) { ++changed; });
  QWheelEvent wheel(QPointF(50, 50), QPointF(W->mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(W, &wheel);
  EXPECT_EQ(Grid->TopRow(), 4);
  EXPECT_EQ(changed, 1);
}

TEST_F(TGridFixture, AnEditorThatIsAlwaysShownFollowsTheCurrentCell) {
  Grid->SetOptions(TGridOptions(Grid->Options()).Include(goAlwaysShowEditor));
  Grid->SetCol(1);
  Grid->SetRow(1);
  ASSERT_NE(Peer->Editor(), nullptr);
  Peer->Editor()->setText("typed");
  // Moved in code: the text goes to the cell it was typed in.
  Grid->SetCol(2);
  EXPECT_EQ(Grid->Cells(1, 1), "typed");
  ASSERT_NE(Peer->Editor(), nullptr);
  EXPECT_EQ(Peer->Editor()->text(), QString("2:1"));
  const TRect r = Grid->CellRect(2, 1);
  EXPECT_EQ(Peer->Editor()->geometry(), QRect(r.Left, r.Top, r.Width(), r.Height()));
  // Moved by a click: the same.
  Peer->Editor()->setText("clicked away");
  ClickAt(W, Centre(3, 4));
  EXPECT_EQ(Grid->Cells(2, 1), "clicked away");
  ASSERT_NE(Peer->Editor(), nullptr);
  EXPECT_EQ(Peer->Editor()->text(), QString("3:4"));
}

TEST_F(TGridFixture, DraggingAColumnBorderResizesOnScreenToo) {
  Grid->SetOptions(TGridOptions(Grid->Options()).Include(goColSizing));
  Grid->SetCol(2);
  Grid->SetRow(1);
  Grid->SetEditorMode(true);
  ASSERT_NE(Peer->Editor(), nullptr);
  const TRect head = Grid->CellRect(1, 0);
  const QPoint border(head.Right, (head.Top + head.Bottom) / 2);
  Peer->MousePressed(border, Qt::NoModifier);
  Peer->MouseMoved(border + QPoint(30, 0), Qt::LeftButton);
  Peer->MouseReleased();
  EXPECT_EQ(Grid->ColWidths(1), 120);
  const TRect r = Grid->CellRect(2, 1);
  EXPECT_EQ(Peer->Editor()->geometry(), QRect(r.Left, r.Top, r.Width(), r.Height()));
}

}  // namespace
}  // namespace host::qt::test
