#include "host/qt/QtGridPeer.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QWheelEvent>

#include "host/qt/QtConvert.h"

namespace host::qt {

namespace {

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }

class TGridWidget : public QWidget {
public:
  TGridWidget(TQtGridPeer* Peer, QWidget* Parent) : QWidget(Parent), FPeer(Peer) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    if (FPeer) FPeer->Paint(this);
  }
  void mousePressEvent(QMouseEvent* E) override {
    if (FPeer && E->button() == Qt::LeftButton) FPeer->MousePressed(E->position().toPoint(), E->modifiers());
  }
  void mouseMoveEvent(QMouseEvent* E) override {
    if (FPeer) FPeer->MouseMoved(E->position().toPoint(), E->buttons());
  }
  void mouseReleaseEvent(QMouseEvent*) override {
    if (FPeer) FPeer->MouseReleased();
  }
  void mouseDoubleClickEvent(QMouseEvent* E) override {
    if (FPeer && E->button() == Qt::LeftButton) FPeer->DoubleClicked(E->position().toPoint());
  }
  void wheelEvent(QWheelEvent* E) override {
    const QPoint d = E->angleDelta();
    if (!FPeer) return;
    if (d.y() != 0)
      FPeer->Wheel(-d.y() / 40, false);
    else if (d.x() != 0)
      FPeer->Wheel(-d.x() / 40, true);
    E->accept();
  }
  void keyPressEvent(QKeyEvent* E) override {
    if (FPeer && FPeer->TypedKey(E->key(), E->text())) return;
    QWidget::keyPressEvent(E);
  }

public:
  // The peer goes before its widget, which may wait to be deleted.
  void Detach() { FPeer = nullptr; }

private:
  TQtGridPeer* FPeer;
};

}  // namespace

TQtGridPeer::TQtGridPeer(TCustomGrid* Grid) : TQtControlPeer(Grid) { Attach(new TGridWidget(this, ParentClient())); }

TQtGridPeer::~TQtGridPeer() {
  if (auto* w = static_cast<TGridWidget*>(Widget())) w->Detach();
}

void TQtGridPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  switch (Change) {
    case pcGridSize:
    case pcColWidths:
    case pcRowHeights:
    case pcCells:
    case pcTopLeft:
    case pcOptions:
    case pcScrollBars:
    case pcBevel:
      PlaceEditor();
      Widget()->update();
      break;
    case pcCurrentCell:
      // The current cell moved under an open editor (keys, or code): the
      // editor commits to its own cell, and follows when always shown.
      if (FEditor && (FEditCol != Grid()->Col() || FEditRow != Grid()->Row()) && !HideEditor(true)) return;
      PlaceEditor();
      Widget()->update();
      if (Grid()->Options().Contains(goAlwaysShowEditor) && !FEditor) ShowEditor();
      break;
    case pcEditorMode:
      if (Grid()->EditorMode())
        ShowEditor();
      else
        HideEditor(true);
      break;
    case pcBounds:
      TQtControlPeer::Changed(Change);
      PlaceEditor();
      break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtGridPeer::CellChanged(int ACol, int ARow) {
  if (!Widget()) return;
  const TRect r = Grid()->CellRect(ACol, ARow);
  if (!r.IsEmpty()) Widget()->update(ToQRect(r));
}

void TQtGridPeer::ApplyColor() { ApplyColors(Widget(), Control()->Color(), Control()->Font()->Color()); }

void TQtGridPeer::Paint(QWidget* W) {
  TCustomGrid* g = Grid();
  auto* strings = dynamic_cast<TStringGrid*>(g);
  QPainter p(W);
  const QPalette& pal = W->palette();
  const QColor background = ToQColor(g->Color()).isValid() ? ToQColor(g->Color()) : pal.color(QPalette::Base);
  const QColor fixedColor = ToQColor(g->FixedColor()).isValid() ? ToQColor(g->FixedColor()) : pal.color(QPalette::Button);
  p.fillRect(W->rect(), background);
  const TGridOptions options = g->Options();
  const int line = g->GridLineWidth();
  const TGridRect sel = g->Selection();
  const bool focused = W->hasFocus() || (FEditor && FEditor->hasFocus());
  p.setFont(W->font());
  auto paintCell = [&](int c, int r) {
    const TRect cell = g->CellRect(c, r);
    if (cell.IsEmpty()) return false;
    const QRect rect = ToQRect(cell);
    const bool fixed = c < g->FixedCols() || r < g->FixedRows();
    TGridDrawState state;
    if (fixed) state.Include(gdFixed);
    const bool inSelection = !fixed && c >= sel.Left && c <= sel.Right && r >= sel.Top && r <= sel.Bottom;
    const bool current = c == g->Col() && r == g->Row();
    if (current && focused) state.Include(gdFocused);
    if (inSelection && (!current || options.Contains(goDrawFocusSelected) || options.Contains(goRowSelect) || !focused))
      state.Include(gdSelected);
    QColor fill = fixed ? fixedColor : background;
    QColor text = pal.color(fixed ? QPalette::ButtonText : QPalette::Text);
    if (state.Contains(gdSelected)) {
      fill = pal.color(QPalette::Highlight);
      text = pal.color(QPalette::HighlightedText);
    }
    p.fillRect(rect, fill);
    if (fixed) {
      // The host's raised edge on fixed cells.
      p.setPen(pal.color(QPalette::Light));
      p.drawLine(rect.topLeft(), rect.topRight());
      p.drawLine(rect.topLeft(), rect.bottomLeft());
      p.setPen(pal.color(QPalette::Dark));
      p.drawLine(rect.bottomLeft(), rect.bottomRight());
      p.drawLine(rect.topRight(), rect.bottomRight());
    }
    // Grid lines follow each cell, in the space CellRect leaves for them.
    const bool vert = fixed ? options.Contains(goFixedVertLine) : options.Contains(goVertLine);
    const bool horz = fixed ? options.Contains(goFixedHorzLine) : options.Contains(goHorzLine);
    const QColor lineColor = fixed ? pal.color(QPalette::Shadow) : pal.color(QPalette::Mid);
    if (options.Contains(goVertLine) && line > 0 && vert)
      p.fillRect(QRect(rect.right() + 1, rect.top(), line, rect.height() + (options.Contains(goHorzLine) ? line : 0)),
                 lineColor);
    if (options.Contains(goHorzLine) && line > 0 && horz)
      p.fillRect(QRect(rect.left(), rect.bottom() + 1, rect.width(), line), lineColor);
    if (current && focused && !fixed && !FEditor) {
      p.setPen(QPen(pal.color(QPalette::WindowText), 1, Qt::DotLine));
      p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    if (strings && !(FEditor && c == FEditCol && r == FEditRow)) {
      p.setPen(text);
      const QString s = ToQ(strings->Cells(c, r));
      const Qt::Alignment a = QStyle::visualAlignment(W->layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter);
      p.drawText(rect.adjusted(2, 0, -2, 0), static_cast<int>(a), s);
    }
    TQtWidgetSet::Report([&] { g->DrawCell(c, r, state); });
    return true;
  };
  // Rows and columns: the fixed ones, then the scrollable ones from the
  // first shown until one no longer fits.
  std::vector<int> rows, cols;
  const int probeCol = g->FixedCols() > 0 ? 0 : g->LeftCol();
  const int probeRow = g->FixedRows() > 0 ? 0 : g->TopRow();
  for (int r = 0; r < g->FixedRows() && r < g->RowCount(); ++r) rows.push_back(r);
  for (int r = g->TopRow(); r < g->RowCount() && !g->CellRect(probeCol, r).IsEmpty(); ++r) rows.push_back(r);
  for (int c = 0; c < g->FixedCols() && c < g->ColCount(); ++c) cols.push_back(c);
  for (int c = g->LeftCol(); c < g->ColCount() && !g->CellRect(c, probeRow).IsEmpty(); ++c) cols.push_back(c);
  for (int r : rows)
    for (int c : cols) paintCell(c, r);
}

void TQtGridPeer::MousePressed(QPoint Pos, Qt::KeyboardModifiers Modifiers) {
  TCustomGrid* g = Grid();
  Widget()->setFocus(Qt::MouseFocusReason);
  FSizingCol = ColBorderAt(Pos);
  FSizingRow = FSizingCol < 0 ? RowBorderAt(Pos) : -1;
  if (FSizingCol >= 0 || FSizingRow >= 0) {
    FSizingStart = Pos;
    FSizingOriginal = FSizingCol >= 0 ? g->ColWidths(FSizingCol) : g->RowHeights(FSizingRow);
    return;
  }
  const TGridCoord cell = g->MouseCoord(Pos.x(), Pos.y());
  if (cell.X < g->FixedCols() || cell.Y < g->FixedRows()) return;
  const bool again = cell.X == g->Col() && cell.Y == g->Row();
  const bool extend = (Modifiers & Qt::ShiftModifier) && g->Options().Contains(goRangeSelect);
  if (!HideEditor(true)) return;
  const bool alive = ReportAndLive([&] {
    if (extend)
      g->FocusCell(cell.X, cell.Y, false);
    else
      g->UserSelectCell(cell.X, cell.Y);
  });
  if (!alive) return;
  Widget()->update();
  // A click on the current cell opens its editor, as the host does; an
  // editor that is always shown follows the click.
  if ((again && g->Options().Contains(goEditing)) || g->Options().Contains(goAlwaysShowEditor)) ShowEditor();
}

void TQtGridPeer::MouseMoved(QPoint Pos, Qt::MouseButtons Buttons) {
  TCustomGrid* g = Grid();
  if (Buttons & Qt::LeftButton) {
    if (FSizingCol >= 0) {
      const int width = std::max(1, FSizingOriginal + Pos.x() - FSizingStart.x());
      const int col = FSizingCol;
      if (!ReportAndLive([&] { g->UserSetColWidth(col, width); })) return;
    } else if (FSizingRow >= 0) {
      const int height = std::max(1, FSizingOriginal + Pos.y() - FSizingStart.y());
      const int row = FSizingRow;
      if (!ReportAndLive([&] { g->UserSetRowHeight(row, height); })) return;
    } else {
      return;
    }
    // The model took the size without telling the peer, which caused it.
    PlaceEditor();
    Widget()->update();
    return;
  }
  Widget()->setCursor(ColBorderAt(Pos) >= 0   ? Qt::SplitHCursor
                      : RowBorderAt(Pos) >= 0 ? Qt::SplitVCursor
                                              : Qt::ArrowCursor);
}

void TQtGridPeer::MouseReleased() {
  FSizingCol = -1;
  FSizingRow = -1;
}

void TQtGridPeer::DoubleClicked(QPoint Pos) {
  const TGridCoord cell = Grid()->MouseCoord(Pos.x(), Pos.y());
  if (cell.X == Grid()->Col() && cell.Y == Grid()->Row()) ShowEditor();
}

void TQtGridPeer::Wheel(int Steps, bool Horizontal) {
  if (Steps == 0) return;
  TCustomGrid* g = Grid();
  if (!HideEditor(true)) return;
  const bool alive = ReportAndLive([&] {
    if (Horizontal)
      g->UserScroll(g->LeftCol() + Steps, g->TopRow());
    else
      g->UserScroll(g->LeftCol(), g->TopRow() + Steps);
  });
  if (alive) Widget()->update();
}

bool TQtGridPeer::TypedKey(int Key, const QString& Text) {
  TCustomGrid* g = Grid();
  if (!g->Options().Contains(goEditing)) return false;
  // A key that opened the editor is used up, also when the grid went.
  if (Key == Qt::Key_F2 || Key == Qt::Key_Return || Key == Qt::Key_Enter) return !ShowEditor() || FEditor != nullptr;
  if (!Text.isEmpty() && Text.front().isPrint()) return !ShowEditor(&Text) || FEditor != nullptr;
  return false;
}

bool TQtGridPeer::KeyEvent(QEvent* Event) {
  // Enter and Escape belong to an open editor, not to the form's buttons.
  if (FEditor && FEditor->window()->focusWidget() == FEditor && Event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(Event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
      HideEditor(key != Qt::Key_Escape);
      return true;
    }
  }
  const bool consumed = TQtControlPeer::KeyEvent(Event);
  if (consumed && Widget()) Widget()->update();
  return consumed;
}

bool TQtGridPeer::ShowEditor(const QString* Initial) {
  TCustomGrid* g = Grid();
  if (FEditor || !g->CanEditShow()) return true;
  auto* strings = dynamic_cast<TStringGrid*>(g);
  const int col = g->Col();
  const int row = g->Row();
  std::string text;
  const bool alive = ReportAndLive([&] {
    g->UserSetEditorMode(true);
    if (strings) text = strings->GetEditText(col, row);
  });
  if (!alive) return false;
  if (!g->EditorMode()) return true;
  FEditCol = col;
  FEditRow = row;
  auto* editor = new QLineEdit(Widget());
  editor->setFrame(false);
  editor->setFont(Widget()->font());
  editor->setText(Initial ? *Initial : ToQ(text));
  if (!Initial) editor->selectAll();
  FEditor = editor;
  WatchEvents(editor);
  PlaceEditor();
  editor->show();
  editor->setFocus(Qt::OtherFocusReason);
  QObject::connect(editor, &QLineEdit::editingFinished, Guard(), [this] {
    // Focus leaving the editor commits it, as the host's grid does.
    if (FEditor && FEditor->window()->focusWidget() != FEditor) HideEditor(true);
  });
  Widget()->update();
  return true;
}

bool TQtGridPeer::HideEditor(bool Commit) {
  if (!FEditor) return true;
  QLineEdit* editor = FEditor;
  FEditor = nullptr;
  const std::string text = FromQ(editor->text());
  const int col = FEditCol;
  const int row = FEditRow;
  editor->disconnect();
  editor->hide();
  editor->deleteLater();
  if (Widget()) Widget()->setFocus(Qt::OtherFocusReason);
  TCustomGrid* g = Grid();
  auto* strings = dynamic_cast<TStringGrid*>(g);
  const bool alive = ReportAndLive([&] {
    if (Commit && strings) strings->SetEditText(col, row, text);
    g->UserSetEditorMode(false);
  });
  if (alive && Widget()) Widget()->update();
  return alive;
}

void TQtGridPeer::PlaceEditor() {
  if (!FEditor) return;
  const TRect r = Grid()->CellRect(FEditCol, FEditRow);
  if (r.IsEmpty()) {
    FEditor->hide();
    return;
  }
  FEditor->setGeometry(ToQRect(r));
  FEditor->show();
}

int TQtGridPeer::ColBorderAt(QPoint Pos) const {
  const TCustomGrid* g = Grid();
  if (!g->Options().Contains(goColSizing) || g->FixedRows() == 0) return -1;
  // Columns are sized from the fixed rows at the top.
  const TRect lastFixed = g->CellRect(g->FixedCols() > 0 ? 0 : g->LeftCol(), g->FixedRows() - 1);
  if (lastFixed.IsEmpty() || Pos.y() >= lastFixed.Bottom) return -1;
  for (int c = 0; c < g->ColCount(); ++c) {
    const TRect r = g->CellRect(c, 0);
    if (!r.IsEmpty() && std::abs(Pos.x() - r.Right) <= 2) return c;
  }
  return -1;
}

int TQtGridPeer::RowBorderAt(QPoint Pos) const {
  const TCustomGrid* g = Grid();
  if (!g->Options().Contains(goRowSizing) || g->FixedCols() == 0) return -1;
  // Rows are sized from the fixed columns at the left.
  const TRect lastFixed = g->CellRect(g->FixedCols() - 1, g->FixedRows() > 0 ? 0 : g->TopRow());
  if (lastFixed.IsEmpty() || Pos.x() >= lastFixed.Right) return -1;
  for (int r = 0; r < g->RowCount(); ++r) {
    const TRect rect = g->CellRect(0, r);
    if (!rect.IsEmpty() && std::abs(Pos.y() - rect.Bottom) <= 2) return r;
  }
  return -1;
}

}  // namespace host::qt
