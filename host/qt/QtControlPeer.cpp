#include "host/qt/QtControlPeer.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include "host/controls/Application.h"
#include "host/controls/Forms.h"
#include "host/controls/WinControl.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtDrag.h"
#include "host/qt/QtRepaintBatch.h"

namespace host::qt {

namespace {

const char* const PeerProperty = "ambitPeer";

class TPeerFilter : public QObject {
public:
  explicit TPeerFilter(TQtControlPeer* Peer) : FPeer(Peer) {}
  bool eventFilter(QObject* Watched, QEvent* Event) override { return FPeer->FilterEvent(Watched, Event); }

private:
  TQtControlPeer* FPeer;
};

}  // namespace

TQtControlPeer::TQtControlPeer(TControl* Control)
    : FControl(Control), FFilter(std::make_unique<TPeerFilter>(this)) {}

TQtControlPeer::~TQtControlPeer() {
  if (TQtDrag::Source() == FControl) TQtDrag::Clear();
  // The filter goes first: no event reaches the model from here on.
  FFilter.reset();
  if (!FWidget) return;
  FWidget->setProperty(PeerProperty, QVariant());
  if (TQtWidgetSet::Reporting()) {
    // Hidden and disabled, the widget hears nothing more until it goes.
    FWidget->hide();
    FWidget->setEnabled(false);
    FWidget->deleteLater();
  } else {
    delete FWidget.data();
  }
}

void TQtControlPeer::Attach(QWidget* Widget) {
  FWidget = Widget;
  Widget->setProperty(PeerProperty, QVariant::fromValue(static_cast<void*>(this)));
  Widget->setAcceptDrops(true);
  WatchEvents(Widget);
}

void TQtControlPeer::WatchEvents(QWidget* EventWidget) {
  EventWidget->installEventFilter(FFilter.get());
  if (EventWidget != FWidget.data()) EventWidget->setAcceptDrops(true);
}

QWidget* TQtControlPeer::ParentClient() const {
  TQtControlPeer* parent = FControl->Parent() ? Of(FControl->Parent()) : nullptr;
  return parent ? parent->ClientWidget() : nullptr;
}

TQtControlPeer* TQtControlPeer::Of(const TControl* Control) {
  return Control ? dynamic_cast<TQtControlPeer*>(Control->Peer()) : nullptr;
}

TQtControlPeer* TQtControlPeer::Owning(const QWidget* Widget) {
  for (const QWidget* w = Widget; w; w = w->parentWidget()) {
    const QVariant v = w->property(PeerProperty);
    if (v.isValid()) return static_cast<TQtControlPeer*>(v.value<void*>());
  }
  return nullptr;
}

QWidget* TQtControlPeer::WidgetOf(const TControl* Control) {
  TQtControlPeer* peer = Of(Control);
  return peer ? peer->Widget() : nullptr;
}

// ---- model to widget ----

void TQtControlPeer::Changed(TPeerChange Change) {
  if (!FWidget) return;
  TApplying applying(this);
  switch (Change) {
    case pcText:
    case pcFont:
    case pcColor:
    case pcBiDiMode: TQtRepaintBatch::Hold(FWidget); break;
    default: break;
  }
  switch (Change) {
    case pcBounds: ApplyBounds(); break;
    case pcVisible: ApplyVisible(); break;
    case pcEnabled: FWidget->setEnabled(FControl->Enabled()); break;
    case pcText: ApplyText(); break;
    case pcHint: ApplyHint(); break;
    case pcFont:
      ApplyFont();
      ApplyColor();
      break;
    case pcColor: ApplyColor(); break;
    case pcBiDiMode: ApplyBiDiMode(); break;
    default: break;
  }
}

void TQtControlPeer::ApplyBounds() {
  FWidget->setGeometry(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

void TQtControlPeer::ApplyVisible() { FWidget->setVisible(FControl->Visible()); }

void TQtControlPeer::ApplyHint() {
  // As in the host, a hint shows only while ShowHint is on.
  FWidget->setToolTip(FControl->ShowHint() ? ToolTipText(FControl->Hint()) : QString());
}

void TQtControlPeer::ApplyFont() {
  // As with colours (ApplyColors): a widget that inherits this font already
  // keeps none of its own; a parent's later change is answered in FilterEvent.
  const QFont font = ToQFont(*FControl->Font());
  if (FWidget->testAttribute(Qt::WA_SetFont) || FWidget->font() != font) FWidget->setFont(font);
}

void TQtControlPeer::ApplyColor() {
  // Only containers paint their own colour; buttons and edits keep the style's.
  ApplyColors(FWidget, clBtnFace, FControl->Font()->Color());
}

void TQtControlPeer::ApplyBiDiMode() { FWidget->setLayoutDirection(ToQDirection(FControl->BiDiMode())); }

void TQtControlPeer::SetFocus() {
  if (FWidget) FWidget->setFocus(Qt::OtherFocusReason);
}

namespace {
// The widget with the focus in Widget's window (active or not).
QWidget* FocusIn(const QWidget* Widget) {
  if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == Widget->window()) return focus;
  return Widget->window()->focusWidget();
}
}  // namespace

bool TQtControlPeer::Focused() const {
  if (!FWidget) return false;
  QWidget* focus = FocusIn(FWidget);
  return focus && Owning(focus) == this;
}

void TQtControlPeer::BringToFront() {
  if (FWidget) FWidget->raise();
}

void TQtControlPeer::Invalidate() {
  if (FWidget) FWidget->update();
}

// ---- widget to model ----

QPoint TQtControlPeer::ToControl(QObject* Watched, QPoint Pos) const {
  auto* w = qobject_cast<QWidget*>(Watched);
  if (!w || w == FWidget.data() || !FWidget) return Pos;
  return w->mapTo(FWidget.data(), Pos);
}

bool TQtControlPeer::FromChildPeer(QObject* Watched, QPoint Pos) const {
  auto* w = qobject_cast<QWidget*>(Watched);
  if (!w) return false;
  QWidget* child = w->childAt(Pos);
  for (QWidget* c = child; c && c != w; c = c->parentWidget())
    if (c->property(PeerProperty).isValid()) return true;
  return false;
}

bool TQtControlPeer::FilterEvent(QObject* Watched, QEvent* Event) {
  switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: return MouseEvent(Watched, Event);
    case QEvent::ContextMenu: {
      auto* e = static_cast<QContextMenuEvent*>(Event);
      if (FromChildPeer(Watched, e->pos())) return false;
      const QPoint p = ToControl(Watched, e->pos());
      bool handled = false;
      TControl* control = FControl;
      Report([&] { handled = control->ContextPopup({p.x(), p.y()}); });
      return handled;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return KeyEvent(Event);
    case QEvent::FontChange:
      if (Watched == FWidget.data() && !FWidget->testAttribute(Qt::WA_SetFont)) ApplyFont();
      return false;
    case QEvent::PaletteChange:
      // A widget without a palette of its own takes its parent's new one;
      // its control's colours are put back where they differ.
      if (Watched == FWidget.data() && !FWidget->testAttribute(Qt::WA_SetPalette)) ApplyColor();
      return false;
    case QEvent::FocusIn: {
      auto* win = dynamic_cast<TWinControl*>(FControl);
      if (!win || !FWidget || Owning(FocusIn(FWidget)) != this) return false;
      if (TCustomForm* form = GetParentForm(win); form && form != win && form->ActiveControl() != win)
        Report([&] { form->SetActiveControl(win); });
      return false;
    }
    case QEvent::Enter: {
      TControl* control = FControl;
      Report([&] { Application()->SetHint(control->Hint()); });
      return false;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop: return DragEvent(Watched, Event);
    default: return false;
  }
}

bool TQtControlPeer::MouseEvent(QObject* Watched, QEvent* Event) {
  auto* e = static_cast<QMouseEvent*>(Event);
  const QPoint local = e->position().toPoint();
  if (FromChildPeer(Watched, local)) return false;
  const QPoint p = ToControl(Watched, local);
  const TShiftState shift = ToShiftState(e->modifiers(), e->buttons());
  const TMouseButton button = ToMouseButton(e->button());
  TControl* control = FControl;
  switch (Event->type()) {
    case QEvent::MouseButtonPress:
      FPressed = e->button() == Qt::LeftButton;
      FPressPos = p;
      Report([&] { control->MouseDown(button, shift, p.x(), p.y()); });
      break;
    case QEvent::MouseButtonRelease: {
      const bool click = FPressed && e->button() == Qt::LeftButton && ClicksOnRelease() &&
                         QRect(QPoint(0, 0), FWidget ? FWidget->size() : QSize()).contains(p);
      FPressed = false;
      Report([&] {
        control->MouseUp(button, shift, p.x(), p.y());
        if (click) control->Click();
      });
      break;
    }
    case QEvent::MouseButtonDblClick: Report([&] { control->DblClick(); }); break;
    case QEvent::MouseMove:
      // An automatic drag starts once the mouse moved far enough; a manual
      // one once a handler called BeginDrag.
      if (FPressed && (control->DragMode() == dmAutomatic || control->Dragging()) && (e->buttons() & Qt::LeftButton) &&
          (p - FPressPos).manhattanLength() >= QApplication::startDragDistance()) {
        FPressed = false;
        StartDrag();
        return true;
      }
      Report([&] { control->MouseMove(shift, p.x(), p.y()); });
      break;
    default: break;
  }
  return false;
}

void TQtControlPeer::StartDrag() {
  TControl* control = FControl;
  Report([&] { control->BeginDrag(); });
  if (!control->Dragging() || !FWidget) return;
  TQtDrag::Start(control);
  auto* drag = new QDrag(FWidget.data());
  auto* mime = new QMimeData;
  mime->setData(TQtDrag::MimeType(), QByteArray());
  drag->setMimeData(mime);
  // The nested loop of the drag may see the source control freed; the
  // peer's destructor clears the drag then.
  const Qt::DropAction result = drag->exec(Qt::MoveAction | Qt::CopyAction);
  Q_UNUSED(result);
  if (TQtDrag::Source() == control) {
    TQtDrag::Clear();
    // The target reported itself through the drop; without one the drag
    // ended nowhere.
    if (control->Dragging()) Report([&] { control->EndDrag(nullptr, 0, 0); });
  }
}

bool TQtControlPeer::DragEvent(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::DragLeave) {
    if (TQtDrag::Source()) {
      TControl* control = FControl;
      TObject* source = TQtDrag::Source()->DragObject();
      Report([&] { control->DragOver(source, 0, 0, dsDragLeave); });
    }
    return false;
  }
  auto* e = static_cast<QDropEvent*>(Event);
  if (!e->mimeData() || !e->mimeData()->hasFormat(TQtDrag::MimeType()) || !TQtDrag::Source()) return false;
  const QPoint local = e->position().toPoint();
  if (FromChildPeer(Watched, local)) return false;
  const QPoint p = ToControl(Watched, local);
  TControl* control = FControl;
  TControl* sourceControl = TQtDrag::Source();
  TObject* source = sourceControl->DragObject();
  if (Event->type() == QEvent::Drop) {
    TQtDrag::Clear();
    // The drop handler may free the dragged control or the target.
    const TQtControlPeer* sourcePeer = Of(sourceControl);
    const QPointer<QObject> sourceAlive(sourcePeer ? sourcePeer->FFilter.get() : nullptr);
    const bool targetAlive = ReportAndLive([&] { control->DragDrop(source, p.x(), p.y()); });
    if (sourcePeer && !sourceAlive.isNull())
      Report([&] { sourceControl->EndDrag(targetAlive ? control : nullptr, p.x(), p.y()); });
    e->acceptProposedAction();
    return true;
  }
  const TDragState state = Event->type() == QEvent::DragEnter ? dsDragEnter : dsDragMove;
  bool accept = false;
  Report([&] { accept = control->DragOver(source, p.x(), p.y(), state); });
  if (accept)
    e->acceptProposedAction();
  else
    e->ignore();
  return true;
}

bool TQtControlPeer::KeyEvent(QEvent* Event) {
  // Qt hands an unused key to the parent widgets; the model hears it once,
  // from the control that has the focus.
  auto* win = dynamic_cast<TWinControl*>(FControl);
  if (!win || !FWidget || Owning(FocusIn(FWidget)) != this) return false;
  auto* e = static_cast<QKeyEvent*>(Event);
  TKey key = ToVirtualKey(e);
  const TShiftState shift = ToShiftState(e->modifiers());
  bool consumed = false;
  if (Event->type() == QEvent::KeyPress) {
    char ch = ToKeyChar(e);
    Report([&] {
      if (key != 0 && !win->KeyDown(key, shift)) {
        consumed = true;
        return;
      }
      if (ch != 0 && !win->KeyPress(ch)) consumed = true;
    });
  } else if (key != 0) {
    Report([&] { consumed = !win->KeyUp(key, shift); });
  }
  return consumed;
}

}  // namespace host::qt
