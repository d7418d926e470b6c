#include "host/qt/QtWidgetSet.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QScreen>
#include <iostream>

#include "host/controls/Application.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/qt/QtDialogs.h"
#include "host/qt/QtMenuPeer.h"
#include "host/qt/QtPeerFactory.h"

namespace host::qt {

namespace {
// QApplication keeps a reference to argc: it must outlive the application.
int gArgc = 1;
char gArgv0[] = "ambit";
char* gArgv[] = {gArgv0, nullptr};

TQtWidgetSet* gExceptionSink = nullptr;
}  // namespace

TQtWidgetSet::TQtWidgetSet() { Init(gArgc, gArgv); }

TQtWidgetSet::TQtWidgetSet(int& Argc, char** Argv) { Init(Argc, Argv); }

void TQtWidgetSet::Init(int& Argc, char** Argv) {
  if (!QApplication::instance()) FOwnApp = std::make_unique<QApplication>(Argc, Argv);
  // The models decide when the application ends (the main form closing).
  QApplication::setQuitOnLastWindowClosed(false);
  FDialogs = std::make_unique<TQtDialogs>();
  if (QScreen* screen = QApplication::primaryScreen()) {
    const QRect r = screen->availableGeometry();
    Screen()->SetSize(r.width(), r.height());
  }
  Application()->SetWidgetSet(this);
  gExceptionSink = this;
}

TQtWidgetSet::~TQtWidgetSet() {
  // Forms outlive the widgetset: they go back to working headless.
  for (int i = 0; i < Screen()->FormCount(); ++i) {
    TCustomForm* form = Screen()->Forms(i);
    for (TComponent* c : form->ComponentList())
      if (auto* menu = dynamic_cast<TMenu*>(c)) menu->DestroyPeer();
    form->DestroyPeer();
  }
  if (Application()->WidgetSet() == this) Application()->SetWidgetSet(nullptr);
  if (gExceptionSink == this) gExceptionSink = nullptr;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  FDialogs.reset();
  FOwnApp.reset();
}

TQtWidgetSet* TQtWidgetSet::Current() { return dynamic_cast<TQtWidgetSet*>(Application()->WidgetSet()); }

std::unique_ptr<IControlPeer> TQtWidgetSet::CreatePeer(TControl* Control) { return CreateQtPeer(Control); }

std::unique_ptr<IMenuPeer> TQtWidgetSet::CreateMenuPeer(TMenu* Menu) { return std::make_unique<TQtMenuPeer>(Menu); }

IDialogs* TQtWidgetSet::Dialogs() { return FDialogs.get(); }

void TQtWidgetSet::ProcessMessages() {
  QCoreApplication::processEvents();
  // Widgets of peers freed while Qt was in a handler go now, unless a
  // handler is still running further up.
  if (!Reporting()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TQtWidgetSet::Run() {
  // The host's loop: wait for events and handle them, then free the forms
  // released meanwhile (Release, caFree), outside every handler.
  while (!Application()->Terminated()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (!Application()->Terminated()) Application()->ProcessMessages();
  }
}

void TQtWidgetSet::Terminate() {
  // The loop may be waiting for an event: wake it so that it sees the end.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
  QCoreApplication::exit(0);
}

void TQtWidgetSet::HandleException(const std::exception& E) {
  if (gExceptionSink) {
    gExceptionSink->FLastError = E.what();
    if (gExceptionSink->FOnException) {
      // Nothing may pass through Qt's event loop, not even from here.
      try {
        gExceptionSink->FOnException(E);
        return;
      } catch (const std::exception& e) {
        std::cerr << "ambit: the exception handler failed: " << e.what() << std::endl;
      } catch (...) {
        std::cerr << "ambit: the exception handler failed" << std::endl;
      }
    }
  }
  std::cerr << "ambit: " << E.what() << std::endl;
}

}  // namespace host::qt
