#include "apps/studio/DesignOverlay.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "apps/studio/DesignSurface.h"
#include "apps/studio/Glyphs.h"
#include "host/controls/Control.h"
#include "host/controls/Menus.h"
#include "host/controls/WinControl.h"
#include "host/design/FormDesigner.h"

namespace ambit::studio {

using namespace host;

namespace {

// Positions snap to the grid the surface shows.
constexpr int Grid = 8;

int Snap(int V) { return V >= 0 ? (V + Grid / 2) / Grid * Grid : -((-V + Grid / 2) / Grid * Grid); }

QRect ToQRect(const TRect& R) { return QRect(R.Left, R.Top, R.Width(), R.Height()); }

}  // namespace

TDesignOverlay::TDesignOverlay(TDesignSurface* Surface, QWidget* Parent)
    : QWidget(Parent), FSurface(Surface), FMenuOwner(std::make_unique<TComponent>(nullptr)) {
  FMenu = new TPopupMenu(FMenuOwner.get());
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_NoSystemBackground);
}

TDesignOverlay::~TDesignOverlay() = default;

void TDesignOverlay::SetClientOrigin(QPoint Value) {
  if (FClientOrigin == Value) return;
  FClientOrigin = Value;
  update();
}

QRect TDesignOverlay::RectOf(const TComponent* Component) const {
  TFormDesigner* designer = FSurface->Designer();
  if (!designer || !Component) return {};
  if (auto* control = As<TControl>(Component)) return ToQRect(designer->FormBounds(control)).translated(FClientOrigin);
  return ToQRect(designer->IconRect(Component)).translated(FClientOrigin);
}

QRect TDesignOverlay::HandleRect(const QRect& Bounds, int Handle) {
  const int l = Bounds.left() - HandleSize / 2, r = Bounds.left() + Bounds.width() - HandleSize / 2;
  const int t = Bounds.top() - HandleSize / 2, b = Bounds.top() + Bounds.height() - HandleSize / 2;
  const int cx = (l + r) / 2, cy = (t + b) / 2;
  static const int xs[] = {0, 1, 2, 2, 2, 1, 0, 0};
  static const int ys[] = {0, 0, 0, 1, 2, 2, 2, 1};
  const int x[] = {l, cx, r};
  const int y[] = {t, cy, b};
  return QRect(x[xs[Handle]], y[ys[Handle]], HandleSize, HandleSize);
}

// ---- painting ------------------------------------------------------------------------

void TDesignOverlay::paintEvent(QPaintEvent*) {
  if (!FSurface->Designer()) return;
  QPainter p(this);
  PaintFrames(p);
  PaintIcons(p);
  PaintSelection(p);
}

void TDesignOverlay::PaintFrames(QPainter& P) {
  // A frame's content belongs to the frame: its outline shows where the
  // frame ends, since its own ground is the form's.
  TFormDesigner* designer = FSurface->Designer();
  P.setPen(QPen(QColor(90, 110, 140), 1, Qt::DashLine));
  P.setBrush(Qt::NoBrush);
  for (TComponent* c : designer->GetRoot()->ComponentList())
    if (auto* control = As<TControl>(c); control && c->GetChildOwner() == c && designer->IsShowing(control))
      P.drawRect(RectOf(c).adjusted(0, 0, -1, -1));
}

void TDesignOverlay::PaintIcons(QPainter& P) {
  TFormDesigner* designer = FSurface->Designer();
  QFont font = P.font();
  font.setPixelSize(10);
  P.setFont(font);
  for (TComponent* c : designer->NonVisualComponents()) {
    const QRect r = RectOf(c);
    P.drawPixmap(r.topLeft(), ClassGlyph(c->ClassType(), r.width()));
    // The name under the icon, on a light ground so that it reads on any
    // form; a long one is cut short to keep off its neighbours.
    const QString name = P.fontMetrics().elidedText(QString::fromStdString(c->Name()), Qt::ElideRight,
                                                    TFormDesigner::IconCellWidth - 8);
    const int w = P.fontMetrics().horizontalAdvance(name) + 4;
    const int left = std::max(FClientOrigin.x(), r.center().x() - w / 2);
    const QRect label(left, r.bottom() + 2, w, P.fontMetrics().height());
    P.fillRect(label, QColor(255, 255, 255, 200));
    P.setPen(Qt::black);
    P.drawText(label, Qt::AlignCenter, name);
  }
}

void TDesignOverlay::PaintSelection(QPainter& P) {
  TFormDesigner* designer = FSurface->Designer();
  const TDesignerSelections selection = designer->GetSelections();
  // One selected component shows black handles; several show grey ones.
  const QColor color = selection.size() > 1 ? QColor(128, 128, 128) : QColor(0, 0, 0);
  for (TPersistent* p : selection) {
    auto* c = As<TComponent>(p);
    if (!c) continue;
    if (c == designer->GetRoot()) {
      const QRect client = RectOf(c);
      for (int h : {hRight, hBottomRight, hBottom}) P.fillRect(HandleRect(client, h), color);
      continue;
    }
    const QRect r = RectOf(c);
    if (!As<TControl>(c)) {
      P.setPen(QPen(color, 1, Qt::DashLine));
      P.setBrush(Qt::NoBrush);
      P.drawRect(r.adjusted(-2, -2, 1, 1));
      continue;
    }
    for (int h = hTopLeft; h <= hLeft; ++h) P.fillRect(HandleRect(r, h), color);
  }
}

// ---- the mouse ----------------------------------------------------------------------

TComponent* TDesignOverlay::HitAt(QPoint Pos) const {
  TFormDesigner* designer = FSurface->Designer();
  const QPoint c = Pos - FClientOrigin;
  // The menu bar above the client area belongs to the form.
  if (c.y() < 0) return designer->GetRoot();
  return designer->ComponentAt(c.x(), c.y());
}

TControl* TDesignOverlay::HandleOwner(QPoint Pos, int& Handle) const {
  TFormDesigner* designer = FSurface->Designer();
  const TDesignerSelections selection = designer->GetSelections();
  TComponent* only = selection.size() == 1 ? As<TComponent>(selection.front()) : nullptr;
  if (!only && selection.empty()) only = designer->GetRoot();
  auto* control = As<TControl>(only);
  if (!control) return nullptr;
  const QRect r = RectOf(control);
  const bool root = control == designer->GetRoot();
  for (int h = hTopLeft; h <= hLeft; ++h) {
    if (root && h != hRight && h != hBottomRight && h != hBottom) continue;
    if (HandleRect(r, h).adjusted(-2, -2, 2, 2).contains(Pos)) {
      Handle = h;
      return control;
    }
  }
  return nullptr;
}

void TDesignOverlay::mousePressEvent(QMouseEvent* Event) {
  TFormDesigner* designer = FSurface->Designer();
  if (!designer) return;
  setFocus(Qt::MouseFocusReason);
  const QPoint pos = Event->position().toPoint();
  FDrag = dNone;
  if (Event->button() == Qt::RightButton) {
    TComponent* hit = HitAt(pos);
    if (!designer->IsSelected(hit)) designer->SelectComponent(hit);
    ShowContextMenu(hit, Event->globalPosition().toPoint());
    return;
  }
  if (Event->button() != Qt::LeftButton) return;
  if (const TClass* armed = FSurface->ArmedClass()) {
    const QPoint c = pos - FClientOrigin;
    try {
      designer->DropComponent(*armed, std::max(0, Snap(c.x())), std::max(0, Snap(c.y())));
    } catch (const std::exception& e) {
      ShowDesignError(e.what());
    }
    FSurface->Placed();
    return;
  }
  FPressPos = pos;
  FMoved = QPoint();
  FDragStarted = false;
  if (TControl* control = HandleOwner(pos, FHandle)) {
    FDrag = dResize;
    FResized = control;
    FStartBounds = QRect(control->Left(), control->Top(), control->Width(), control->Height());
    return;
  }
  TComponent* hit = HitAt(pos);
  if (Event->modifiers() & Qt::ShiftModifier) {
    designer->ToggleSelection(hit);
    return;
  }
  if (!designer->IsSelected(hit)) designer->SelectComponent(hit);
  if (hit != designer->GetRoot()) FDrag = dMove;
}

void TDesignOverlay::mouseMoveEvent(QMouseEvent* Event) {
  TFormDesigner* designer = FSurface->Designer();
  const QPoint pos = Event->position().toPoint();
  if (!designer || FDrag == dNone || !(Event->buttons() & Qt::LeftButton)) {
    int handle = hNone;
    const bool onHandle = designer && !FSurface->ArmedClass() && HandleOwner(pos, handle);
    static const Qt::CursorShape shapes[] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor,
                                             Qt::SizeHorCursor,   Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                             Qt::SizeBDiagCursor, Qt::SizeHorCursor};
    setCursor(FSurface->ArmedClass() ? Qt::CrossCursor : onHandle ? shapes[handle] : Qt::ArrowCursor);
    return;
  }
  const QPoint delta = pos - FPressPos;
  if (!FDragStarted && delta.manhattanLength() < QApplication::startDragDistance()) return;
  FDragStarted = true;
  if (FDrag == dMove) {
    const QPoint snapped(Snap(delta.x()), Snap(delta.y()));
    const QPoint step = snapped - FMoved;
    if (step.isNull()) return;
    designer->MoveSelection(step.x(), step.y());
    FMoved = snapped;
    return;
  }
  // Resizing: each handle moves its own edges; a control keeps at least
  // one pixel.
  QRect r = FStartBounds;
  const int dx = Snap(delta.x()), dy = Snap(delta.y());
  if (FHandle == hTopLeft || FHandle == hLeft || FHandle == hBottomLeft) r.setLeft(std::min(r.left() + dx, r.right()));
  if (FHandle == hTopRight || FHandle == hRight || FHandle == hBottomRight) r.setRight(std::max(r.right() + dx, r.left()));
  if (FHandle == hTopLeft || FHandle == hTop || FHandle == hTopRight) r.setTop(std::min(r.top() + dy, r.bottom()));
  if (FHandle == hBottomLeft || FHandle == hBottom || FHandle == hBottomRight)
    r.setBottom(std::max(r.bottom() + dy, r.top()));
  designer->SetControlBounds(FResized, r.left(), r.top(), r.width(), r.height());
}

void TDesignOverlay::mouseReleaseEvent(QMouseEvent*) {
  FDrag = dNone;
  FResized = nullptr;
}

void TDesignOverlay::mouseDoubleClickEvent(QMouseEvent* Event) {
  TFormDesigner* designer = FSurface->Designer();
  if (!designer || Event->button() != Qt::LeftButton || FSurface->ArmedClass()) return;
  FDrag = dNone;
  TComponent* hit = HitAt(Event->position().toPoint());
  designer->SelectComponent(hit);
  designer->EditComponent(hit);
}

void TDesignOverlay::ShowContextMenu(TComponent* Component, QPoint Global) {
  FSurface->Designer()->PopulateContextMenu(FMenu, Component);
  if (FMenu->Items()->Count() > 0) FMenu->Popup(Global.x(), Global.y());
}

// ---- keys -------------------------------------------------------------------------------

void TDesignOverlay::keyPressEvent(QKeyEvent* Event) {
  TFormDesigner* designer = FSurface->Designer();
  if (!designer) return;
  const int step = Event->modifiers() & Qt::ControlModifier ? 1 : Grid;
  switch (Event->key()) {
    case Qt::Key_Delete: designer->DeleteSelection(); break;
    case Qt::Key_Left: designer->MoveSelection(-step, 0); break;
    case Qt::Key_Right: designer->MoveSelection(step, 0); break;
    case Qt::Key_Up: designer->MoveSelection(0, -step); break;
    case Qt::Key_Down: designer->MoveSelection(0, step); break;
    case Qt::Key_Escape:
      if (FSurface->ArmedClass()) {
        FSurface->Placed();
      } else if (auto* control = As<TControl>(designer->Current()); control && control->Parent()) {
        // Escape climbs to the parent, as in every form designer.
        designer->SelectComponent(control->Parent());
      }
      break;
    default: QWidget::keyPressEvent(Event); return;
  }
  Event->accept();
}

}  // namespace ambit::studio
