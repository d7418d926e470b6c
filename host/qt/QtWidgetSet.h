// TQtWidgetSet: the widgetset that shows host forms through Qt 6 Widgets.
// Installing it in the application makes every form shown get Qt peers for
// its controls and menus; modal forms and message dialogs then run nested
// Qt event loops through its dialogs service, and Application()->Run()
// drives the Qt event loop.
#pragma once

#include <exception>
#include <stdexcept>
#include <functional>
#include <memory>
#include <string>

#include "host/controls/Peer.h"

class QApplication;

namespace host::qt {

class TQtDialogs;

class TQtWidgetSet : public TWidgetSet {
public:
  // Creates the QApplication when the process has none (and then owns it)
  // and installs itself as the application's widgetset.
  TQtWidgetSet();
  TQtWidgetSet(int& Argc, char** Argv);
  // Destroys the peers of every form, uninstalls itself and frees the
  // QApplication it made.
  ~TQtWidgetSet() override;
  TQtWidgetSet(const TQtWidgetSet&) = delete;
  TQtWidgetSet& operator=(const TQtWidgetSet&) = delete;

  std::unique_ptr<IControlPeer> CreatePeer(TControl* Control) override;
  std::unique_ptr<IMenuPeer> CreateMenuPeer(TMenu* Menu) override;
  IDialogs* Dialogs() override;
  void ProcessMessages() override;
  void Run() override;
  void Terminate() override;

  // The widgetset installed in the application, when it is a Qt one.
  static TQtWidgetSet* Current();

  // What happens to an exception a model's event handler raised while
  // the user acted: the handler set here, else a line on stderr. Qt cannot
  // pass exceptions through its event loop.
  using TExceptionHandler = std::function<void(const std::exception& E)>;
  void SetOnException(TExceptionHandler Handler) { FOnException = std::move(Handler); }
  const std::string& LastError() const { return FLastError; }

  // Runs a user action reported by a peer, counting the nesting so that
  // widgets freed meanwhile are deleted only once Qt is out of its handlers.
  template <class F>
  static void Report(F&& Action) {
    ++FReportDepth;
    try {
      Action();
    } catch (const std::exception& e) {
      HandleException(e);
    } catch (...) {
      HandleException(std::runtime_error("unknown exception"));
    }
    --FReportDepth;
  }
  static bool Reporting() { return FReportDepth > 0; }
  // Never raises: an error of the handler itself goes to stderr.
  static void HandleException(const std::exception& E);

private:
  void Init(int& Argc, char** Argv);

  std::unique_ptr<QApplication> FOwnApp;
  std::unique_ptr<TQtDialogs> FDialogs;
  TExceptionHandler FOnException;
  std::string FLastError;
  static inline int FReportDepth = 0;
};

}  // namespace host::qt
