#include "host/qt/QtExtPeers.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "host/qt/QtConvert.h"

namespace host::qt {

namespace {

// The host's 3-D edges: a raised cut is light at the top left and dark at
// the bottom right, a lowered one the other way round.
void DrawEdge(QPainter& P, QRect R, TBevelCut Cut, const QPalette& Pal, int Width) {
  if (Cut == bvNone) return;
  const QColor light = Cut == bvRaised ? Pal.color(QPalette::Light) : Pal.color(QPalette::Dark);
  const QColor dark = Cut == bvRaised ? Pal.color(QPalette::Dark) : Pal.color(QPalette::Light);
  for (int i = 0; i < Width; ++i) {
    const QRect r = R.adjusted(i, i, -i - 1, -i - 1);
    if (Cut == bvSpace) continue;
    P.setPen(light);
    P.drawLine(r.topLeft(), r.topRight());
    P.drawLine(r.topLeft(), r.bottomLeft());
    P.setPen(dark);
    P.drawLine(r.bottomLeft(), r.bottomRight());
    P.drawLine(r.topRight(), r.bottomRight());
  }
}

class TPanelWidget : public QWidget {
public:
  TPanelWidget(TPanel* Panel, QWidget* Parent) : QWidget(Parent), FPanel(Panel) {}

protected:
  void paintEvent(QPaintEvent*) override {
    if (!FPanel) return;
    QPainter p(this);
    QRect r = rect();
    if (FPanel->BorderStyle() == bsSingle) {
      p.setPen(palette().color(QPalette::WindowText));
      p.drawRect(r.adjusted(0, 0, -1, -1));
      r.adjust(1, 1, -1, -1);
    }
    const int w = std::max(1, FPanel->BevelWidth());
    DrawEdge(p, r, FPanel->BevelOuter(), palette(), w);
    if (FPanel->BevelOuter() != bvNone) r.adjust(w, w, -w, -w);
    DrawEdge(p, r, FPanel->BevelInner(), palette(), w);
    if (FPanel->BevelInner() != bvNone) r.adjust(w, w, -w, -w);
    const QString caption = PlainCaption(FPanel->Caption());
    if (caption.isEmpty()) return;
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    const Qt::Alignment a =
        QStyle::visualAlignment(layoutDirection(), ToQAlignment(FPanel->Alignment()) | Qt::AlignVCenter);
    p.drawText(r.adjusted(2, 0, -2, 0), static_cast<int>(a), caption);
  }

private:
  TPanel* FPanel;
};

class TBevelWidget : public QWidget {
public:
  TBevelWidget(TBevel* Bevel, QWidget* Parent) : QWidget(Parent), FBevel(Bevel) {
    // A bevel is decoration: the controls under it stay usable.
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    const bool lowered = FBevel->Style() == bsLowered;
    const QColor first = lowered ? palette().color(QPalette::Dark) : palette().color(QPalette::Light);
    const QColor second = lowered ? palette().color(QPalette::Light) : palette().color(QPalette::Dark);
    auto hline = [&](int y) {
      p.setPen(first);
      p.drawLine(r.left(), y, r.right(), y);
      p.setPen(second);
      p.drawLine(r.left(), y + 1, r.right(), y + 1);
    };
    auto vline = [&](int x) {
      p.setPen(first);
      p.drawLine(x, r.top(), x, r.bottom());
      p.setPen(second);
      p.drawLine(x + 1, r.top(), x + 1, r.bottom());
    };
    switch (FBevel->Shape()) {
      case bsBox:
        DrawEdge(p, rect(), lowered ? bvLowered : bvRaised, palette(), 1);
        break;
      case bsFrame:
        p.setPen(first);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(second);
        p.drawRect(r.adjusted(1, 1, 0, 0));
        break;
      case bsTopLine: hline(0); break;
      case bsBottomLine: hline(r.bottom() - 1); break;
      case bsLeftLine: vline(0); break;
      case bsRightLine: vline(r.right() - 1); break;
      case bsSpacer: break;
    }
  }

private:
  TBevel* FBevel;
};

class TSplitterWidget : public QWidget {
public:
  TSplitterWidget(TQtSplitterPeer* Peer, QWidget* Parent) : QWidget(Parent), FPeer(Peer) {}

protected:
  void mousePressEvent(QMouseEvent* Event) override {
    if (Event->button() != Qt::LeftButton) return;
    FLast = Event->globalPosition().toPoint();
    FDragging = true;
    Event->accept();
  }
  void mouseMoveEvent(QMouseEvent* Event) override {
    if (!FDragging) return;
    const QPoint now = Event->globalPosition().toPoint();
    const TAlign a = FPeer->Splitter()->Align();
    const int delta = (a == alLeft || a == alRight) ? now.x() - FLast.x() : now.y() - FLast.y();
    FLast = now;
    if (delta != 0) FPeer->Dragged(delta);
  }
  void mouseReleaseEvent(QMouseEvent*) override { FDragging = false; }

private:
  TQtSplitterPeer* FPeer;
  QPoint FLast;
  bool FDragging = false;
};

}  // namespace

// ---- TPanel ----

TQtPanelPeer::TQtPanelPeer(TPanel* Panel) : TQtControlPeer(Panel) { Attach(new TPanelWidget(Panel, ParentClient())); }

void TQtPanelPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  if (Change == pcBevel || Change == pcAlignment) {
    Widget()->update();
    return;
  }
  TQtControlPeer::Changed(Change);
}

void TQtPanelPeer::ApplyText() { Widget()->update(); }

void TQtPanelPeer::ApplyColor() { ApplyColors(Widget(), Control()->Color(), Control()->Font()->Color()); }

// ---- TBevel ----

TQtBevelPeer::TQtBevelPeer(TBevel* Bevel) : TQtControlPeer(Bevel) { Attach(new TBevelWidget(Bevel, ParentClient())); }

void TQtBevelPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  if (Change == pcKind) {
    Widget()->update();
    return;
  }
  TQtControlPeer::Changed(Change);
}

// ---- TSplitter ----

TQtSplitterPeer::TQtSplitterPeer(TSplitter* Splitter) : TQtControlPeer(Splitter) {
  Attach(new TSplitterWidget(this, ParentClient()));
}

void TQtSplitterPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  if (Change == pcBounds) {
    const TAlign a = Splitter()->Align();
    Widget()->setCursor(a == alTop || a == alBottom ? Qt::SizeVerCursor : Qt::SizeHorCursor);
  }
  TQtControlPeer::Changed(Change);
}

void TQtSplitterPeer::Dragged(int Delta) {
  TSplitter* splitter = Splitter();
  Report([&] { splitter->UserDrag(Delta); });
}

}  // namespace host::qt
