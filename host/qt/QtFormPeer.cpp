#include "host/qt/QtFormPeer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QResizeEvent>

#include "host/controls/Application.h"
#include "host/controls/Menus.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtMenuPeer.h"

namespace host::qt {

// The window of a top-level form: it tells the peer what the user did to
// it and leaves every decision (closing, hiding) to the model.
class TQtFormWindow : public QWidget {
public:
  explicit TQtFormWindow(TQtFormPeer* Peer) : FPeer(Peer) { setAttribute(Qt::WA_DeleteOnClose, false); }
  void Detach() { FPeer = nullptr; }

protected:
  void resizeEvent(QResizeEvent* Event) override {
    QWidget::resizeEvent(Event);
    if (FPeer) FPeer->WindowResized();
  }
  void moveEvent(QMoveEvent* Event) override {
    QWidget::moveEvent(Event);
    if (FPeer) FPeer->WindowMoved();
  }
  void closeEvent(QCloseEvent* Event) override {
    // The model hides the window itself when it agrees to close.
    Event->ignore();
    if (FPeer) FPeer->WindowCloseRequested();
  }
  void changeEvent(QEvent* Event) override {
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::ActivationChange && FPeer) FPeer->WindowActivationChanged(isActiveWindow());
  }

private:
  TQtFormPeer* FPeer;
};

TQtFormPeer::TQtFormPeer(TCustomForm* Form) : TQtControlPeer(Form) {
  if (QWidget* parent = ParentClient()) {
    FClient = new QWidget(parent);
    Attach(FClient);
    return;
  }
  FWindow = new TQtFormWindow(this);
  FClient = new QWidget(FWindow);
  Attach(FWindow);
  WatchEvents(FClient);
}

TQtFormPeer::~TQtFormPeer() {
  if (FWindow) FWindow->Detach();
  // The menu bar belongs to the menu's peer, which may outlive the window.
  if (FMenuBar && FMenuBar->parentWidget() == FWindow) {
    FMenuBar->hide();
    FMenuBar->setParent(nullptr);
  }
}

QWidget* TQtFormPeer::Window() const { return FWindow; }

void TQtFormPeer::Embed(QWidget* Host) {
  if (!FWindow || !Host) return;
  FEmbedded = true;
  // A child widget now: no frame, no window state, no activation. As a
  // sub-window its shortcuts and mnemonics work only while the focus is
  // inside it, which in a designer it never is.
  FWindow->setParent(Host, Qt::SubWindow);
  FWindow->setMinimumSize(0, 0);
  FWindow->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  // A top-level window paints its ground; a child one must be told.
  FWindow->setAutoFillBackground(true);
  FWindow->move(0, 0);
  Resize();
  FWindow->show();
}

int TQtFormPeer::MenuHeight() const {
  if (!FMenuBar || !FWindow) return 0;
  return FMenuBar->heightForWidth(FWindow->width()) > 0 ? FMenuBar->heightForWidth(FWindow->width())
                                                        : FMenuBar->sizeHint().height();
}

void TQtFormPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  switch (Change) {
    case pcMenu: ApplyMenu(); break;
    case pcBorderStyle:
    case pcBorderIcons: ApplyFlags(); break;
    case pcWindowState:
      if (FWindow && !FEmbedded) {
        const TWindowState s = Form()->WindowState();
        FWindow->setWindowState(s == wsMaximized ? Qt::WindowMaximized
                                : s == wsMinimized ? Qt::WindowMinimized
                                                   : Qt::WindowNoState);
      }
      break;
    case pcFormShow:
      BringToFront();
      break;
    case pcConstraints:
      if (FWindow && !FEmbedded) {
        const TSizeConstraints* c = Form()->Constraints();
        FClient->setMinimumSize(c->MinWidth(), c->MinHeight());
        FClient->setMaximumSize(c->MaxWidth() > 0 ? c->MaxWidth() : QWIDGETSIZE_MAX,
                                c->MaxHeight() > 0 ? c->MaxHeight() : QWIDGETSIZE_MAX);
      }
      break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtFormPeer::ApplyBounds() {
  const TCustomForm* f = Form();
  if (!FWindow) {
    FClient->setGeometry(f->Left(), f->Top(), f->Width(), f->Height());
    return;
  }
  // The window manager places forms that leave their position to it.
  if (!FEmbedded && f->Position() != poDefault && f->Position() != poDefaultPosOnly) FWindow->move(f->Left(), f->Top());
  Resize();
}

void TQtFormPeer::Resize() {
  const QSize size(Form()->Width(), Form()->Height() + MenuHeight());
  // A window the user may not resize has a fixed size; the model still may.
  if (!FEmbedded && FWindow->minimumSize() == FWindow->maximumSize())
    FWindow->setFixedSize(size);
  else
    FWindow->resize(size);
  Layout();
}

void TQtFormPeer::Layout() {
  if (!FWindow) return;
  const int menu = MenuHeight();
  if (FMenuBar) FMenuBar->setGeometry(0, 0, FWindow->width(), menu);
  FClient->setGeometry(0, menu, Form()->Width(), Form()->Height());
}

void TQtFormPeer::ApplyVisible() {
  if (FEmbedded) return;
  if (!FWindow) {
    FClient->setVisible(Form()->Visible());
    return;
  }
  if (Form()->Visible()) {
    FWindow->setWindowModality(Form()->Modal() ? Qt::ApplicationModal : Qt::NonModal);
    FWindow->show();
  } else {
    FWindow->hide();
  }
}

void TQtFormPeer::ApplyText() {
  if (FWindow) FWindow->setWindowTitle(ToQ(Form()->Caption()));
}

void TQtFormPeer::ApplyColor() {
  ApplyColors(FClient, Form()->Color(), Form()->Font()->Color());
  if (FWindow) ApplyColors(FWindow, Form()->Color(), Form()->Font()->Color());
}

void TQtFormPeer::ApplyFlags() {
  if (!FWindow || FEmbedded) return;
  const TCustomForm* f = Form();
  Qt::WindowFlags flags = Qt::Window;
  switch (f->BorderStyle()) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog: flags = Qt::Dialog; break;
    case bsToolWindow:
    case bsSizeToolWin: flags = Qt::Tool; break;
    default: break;
  }
  if (f->BorderStyle() != bsNone) {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    const TBorderIcons icons = f->BorderIcons();
    if (icons.Contains(biSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (icons.Contains(biMinimize) && f->BorderStyle() != bsDialog) flags |= Qt::WindowMinimizeButtonHint;
    if (icons.Contains(biMaximize) && f->BorderStyle() != bsDialog) flags |= Qt::WindowMaximizeButtonHint;
    if (icons.Contains(biHelp)) flags |= Qt::WindowContextHelpButtonHint;
  }
  // Changing the flags hides a shown window; show it again.
  const bool shown = FWindow->isVisible();
  FWindow->setWindowFlags(flags);
  const bool fixed = f->BorderStyle() == bsSingle || f->BorderStyle() == bsDialog || f->BorderStyle() == bsToolWindow;
  if (fixed)
    FWindow->setFixedSize(FWindow->size());
  else
    FWindow->setMinimumSize(0, 0), FWindow->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  if (shown) FWindow->show();
}

void TQtFormPeer::ApplyMenu() {
  if (!FWindow) return;
  QMenuBar* bar = nullptr;
  if (TMainMenu* menu = Form()->Menu())
    if (auto* peer = dynamic_cast<TQtMenuPeer*>(menu->Peer())) bar = peer->MenuBar();
  if (FMenuBar && FMenuBar != bar && FMenuBar->parentWidget() == FWindow) {
    FMenuBar->hide();
    FMenuBar->setParent(nullptr);
  }
  FMenuBar = bar;
  if (bar) {
    bar->setParent(FWindow);
    bar->show();
  }
  Resize();
}

void TQtFormPeer::WindowResized() {
  if (Applying() || FEmbedded) {
    Layout();
    return;
  }
  const int menu = MenuHeight();
  const int width = FWindow->width();
  const int height = std::max(0, FWindow->height() - menu);
  TCustomForm* form = Form();
  if (width != form->Width() || height != form->Height())
    Report([&] { form->UserSetBounds(form->Left(), form->Top(), width, height); });
  Layout();
}

void TQtFormPeer::WindowMoved() {
  if (Applying() || !FWindow || FEmbedded) return;
  TCustomForm* form = Form();
  const QPoint p = FWindow->pos();
  if (p.x() != form->Left() || p.y() != form->Top())
    Report([&] { form->UserSetBounds(p.x(), p.y(), form->Width(), form->Height()); });
}

bool TQtFormPeer::WindowCloseRequested() {
  if (FEmbedded) return false;
  TCustomForm* form = Form();
  Report([&] { form->Close(); });
  return true;
}

void TQtFormPeer::WindowActivationChanged(bool Active) {
  if (FEmbedded) return;
  TCustomForm* form = Form();
  Report([&] {
    if (Active)
      form->Activate();
    else
      form->Deactivate();
  });
}

// ---- frames ----

TQtFramePeer::TQtFramePeer(TControl* Frame) : TQtControlPeer(Frame) { Attach(new QWidget(ParentClient())); }

void TQtFramePeer::ApplyColor() { ApplyColors(Widget(), Control()->Color(), Control()->Font()->Color()); }

void TQtFormPeer::BringToFront() {
  // An embedded window shows where its designer puts it.
  if (FEmbedded) return;
  if (!FWindow) {
    TQtControlPeer::BringToFront();
    return;
  }
  // The offscreen platform has no stacking order to change.
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
    FWindow->raise();
    FWindow->activateWindow();
  }
}

}  // namespace host::qt
