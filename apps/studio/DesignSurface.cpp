#include "apps/studio/DesignSurface.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QTimer>

#include "apps/studio/DesignOverlay.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/design/DesignModules.h"
#include "host/qt/QtFormPeer.h"

namespace ambit::studio {

using namespace host;

namespace {

// The window frame studio draws around a designed form.
constexpr int Margin = 12;
constexpr int Border = 4;
constexpr int TitleHeight = 22;
constexpr int GridStep = 8;
// A root that is no form shows as an empty area of this size.
constexpr int PlainWidth = 400;
constexpr int PlainHeight = 240;

}  // namespace

// The surface's canvas: the desk, the window frame and its caption bar.
class TSurfaceFrame : public QWidget {
public:
  explicit TSurfaceFrame(TDesignSurface* Surface) : FSurface(Surface) {}

  QRect WindowRect() const { return FWindowRect; }
  void SetWindowSize(QSize Size) {
    FWindowRect = QRect(Margin + Border, Margin + Border + TitleHeight, Size.width(), Size.height());
    setFixedSize(FWindowRect.right() + 1 + Border + Margin, FWindowRect.bottom() + 1 + Border + Margin);
    update();
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xb8, 0xbe, 0xc6));
    const QRect outer = FWindowRect.adjusted(-Border, -Border - TitleHeight, Border, Border);
    p.fillRect(outer.translated(3, 3), QColor(0, 0, 0, 40));
    p.fillRect(outer, QColor(0xdc, 0xe3, 0xec));
    p.setPen(QColor(0x6d, 0x7c, 0x8e));
    p.drawRect(outer.adjusted(0, 0, -1, -1));
    // The caption bar: the form's caption and, when it has a system menu,
    // a close box.
    const QRect title(outer.left() + Border, outer.top() + Border, outer.width() - 2 * Border, TitleHeight - 2);
    p.fillRect(title, QColor(0x3f, 0x6e, 0xb0));
    QString caption;
    bool closeBox = false;
    if (TComponent* root = FSurface->Root()) {
      auto* form = As<TCustomForm>(root);
      caption = QString::fromStdString(form ? form->Caption() : root->Name());
      closeBox = form && form->BorderIcons().Contains(biSystemMenu) && form->BorderStyle() != bsNone;
    }
    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    const bool rtl = FSurface->Root() && As<TControl>(FSurface->Root()) &&
                     As<TControl>(FSurface->Root())->BiDiMode() == bdRightToLeft;
    p.drawText(title.adjusted(8, 0, closeBox ? -28 : -8, 0), Qt::AlignVCenter | (rtl ? Qt::AlignRight : Qt::AlignLeft),
               caption);
    if (closeBox) {
      const QRect box(title.right() - 20, title.top() + 3, 16, title.height() - 6);
      p.setPen(QPen(Qt::white, 1.5));
      p.drawLine(box.center() + QPoint(-4, -4), box.center() + QPoint(4, 4));
      p.drawLine(box.center() + QPoint(-4, 4), box.center() + QPoint(4, -4));
    }
    if (!FSurface->FormWindow()) p.fillRect(FWindowRect, Qt::white);
  }

private:
  TDesignSurface* FSurface;
  QRect FWindowRect;
};

// Keeps every input event away from the form's own widgets: they are in
// design state. Installed on the application, since Qt hands keys, focus
// and shortcuts to any widget of the window.
class TDesignSurface::TInputGuard : public QObject {
public:
  TInputGuard(QWidget* Window, QWidget* Overlay) : FWindow(Window), FOverlay(Overlay) {
    qApp->installEventFilter(this);
  }
  ~TInputGuard() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* Watched, QEvent* Event) override {
    switch (Event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::ContextMenu:
      case QEvent::FocusIn:
      case QEvent::Enter:
      case QEvent::HoverEnter:
      case QEvent::HoverMove:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
      case QEvent::InputMethod:
      case QEvent::ToolTip: break;
      default: return false;
    }
    if (!FWindow || !Watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(Watched);
    if (w != FWindow && !FWindow->isAncestorOf(w)) return false;
    if (Event->type() == QEvent::FocusIn && FOverlay)
      QTimer::singleShot(0, FOverlay, [overlay = FOverlay] {
        if (overlay) overlay->setFocus(Qt::OtherFocusReason);
      });
    return true;
  }

private:
  QPointer<QWidget> FWindow;
  QPointer<QWidget> FOverlay;
};

// Dots every grid step on the form's client area, under its controls.
class TGridPainter : public QObject {
public:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() != QEvent::Paint) return false;
    auto* w = static_cast<QWidget*>(Watched);
    QPainter p(w);
    p.setPen(w->palette().color(QPalette::Window).value() > 128 ? QColor(0, 0, 0, 110) : QColor(255, 255, 255, 110));
    QPolygon dots;
    for (int y = GridStep; y < w->height(); y += GridStep)
      for (int x = GridStep; x < w->width(); x += GridStep) dots << QPoint(x, y);
    p.drawPoints(dots);
    return false;
  }
};

TDesignSurface::TDesignSurface(TFormModule* Module, QWidget* Parent) : QScrollArea(Parent), FModule(Module) {
  setObjectName(QString::fromStdString("Surface_" + Module->Root()->Name()));
  setWidgetResizable(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  FFrame = new TSurfaceFrame(this);
  setWidget(FFrame);
  FForm = As<TCustomForm>(Module->Root());
  if (FForm && !FForm->Parent()) {
    FForm->HandleNeeded();
    if (auto* peer = dynamic_cast<qt::TQtFormPeer*>(FForm->Peer())) {
      peer->Embed(FFrame);
      FWindow = peer->Window();
      FGrid = std::make_unique<TGridPainter>();
      peer->ClientWidget()->installEventFilter(FGrid.get());
      // The window follows the model's size; the frame follows the window.
      FWindow->installEventFilter(this);
    }
  }
  FOverlay = new TDesignOverlay(this, FFrame);
  FGuard = std::make_unique<TInputGuard>(FWindow, FOverlay);
  FSubscription = Designer()->Subscribe([this](TDesignChange Change) {
    switch (Change) {
      case dcDestroying: Detach(); break;
      case dcModified: Relayout(); break;
      case dcSelection: {
        FOverlay->update();
        const TDesignerSelections selection = Designer()->GetSelections();
        if (selection.empty()) break;
        const QRect r = FOverlay->RectOf(As<TComponent>(selection.front())).translated(FOverlay->pos());
        if (r.isValid()) ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 20, r.height() / 2 + 20);
        break;
      }
      default: FOverlay->update(); break;
    }
  });
  Relayout();
}

TDesignSurface::~TDesignSurface() { Detach(); }

void TDesignSurface::Detach() {
  if (!FModule) return;
  if (TFormDesigner* designer = Designer()) designer->Unsubscribe(FSubscription);
  FGuard.reset();
  if (FForm) {
    // The peers go before the frame their window sits in.
    for (TComponent* c : FForm->ComponentList())
      if (auto* menu = As<TMenu>(c)) menu->DestroyPeer();
    FForm->DestroyPeer();
  }
  FGrid.reset();
  FModule = nullptr;
  FForm = nullptr;
}

TFormDesigner* TDesignSurface::Designer() const { return FModule ? FModule->Designer() : nullptr; }
TComponent* TDesignSurface::Root() const { return FModule ? FModule->Root() : nullptr; }
QWidget* TDesignSurface::FormWindow() const { return FWindow; }
QWidget* TDesignSurface::Frame() const { return FFrame; }

void TDesignSurface::Placed() {
  FArmed = nullptr;
  if (FOnPlaced) FOnPlaced();
}

bool TDesignSurface::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FWindow.data() && Event->type() == QEvent::Resize) Relayout();
  return QScrollArea::eventFilter(Watched, Event);
}

void TDesignSurface::Relayout() {
  if (!FModule) return;
  FFrame->SetWindowSize(FWindow ? FWindow->size() : QSize(PlainWidth, PlainHeight));
  const QRect r = FFrame->WindowRect();
  if (FWindow) {
    FWindow->move(r.topLeft());
    auto* peer = dynamic_cast<qt::TQtFormPeer*>(FForm->Peer());
    FOverlay->SetClientOrigin(peer ? peer->ClientWidget()->pos() : QPoint());
  }
  FOverlay->setGeometry(r);
  FOverlay->raise();
  FOverlay->update();
}

}  // namespace ambit::studio
