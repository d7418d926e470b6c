// Forms and frames. A top-level form is a window whose client area is the
// form's client size, with the main menu's bar above it; a form shown
// inside another control and a frame are plain containers.
#pragma once

#include <QMenuBar>
#include <QPointer>

#include "host/controls/Forms.h"
#include "host/qt/QtControlPeer.h"

namespace host::qt {

class TQtFormWindow;

class TQtFormPeer : public TQtControlPeer {
public:
  explicit TQtFormPeer(TCustomForm* Form);
  ~TQtFormPeer() override;

  TCustomForm* Form() const { return static_cast<TCustomForm*>(Control()); }
  QWidget* ClientWidget() const override { return FClient; }
  // The top-level window (null for a form shown inside another control).
  QWidget* Window() const;
  QMenuBar* MenuBar() const { return FMenuBar; }
  void Changed(TPeerChange Change) override;
  void BringToFront() override;

  // Internal, from the window: the user resized, moved, closed or
  // (de)activated it.
  void WindowResized();
  void WindowMoved();
  bool WindowCloseRequested();
  void WindowActivationChanged(bool Active);

protected:
  void ApplyBounds() override;
  void ApplyVisible() override;
  void ApplyText() override;
  void ApplyColor() override;
  bool ClicksOnRelease() const override { return true; }

private:
  void ApplyMenu();
  void ApplyFlags();
  void Layout();
  void Resize();
  int MenuHeight() const;

  TQtFormWindow* FWindow = nullptr;
  QWidget* FClient = nullptr;
  QPointer<QMenuBar> FMenuBar;
};

class TQtFramePeer : public TQtControlPeer {
public:
  explicit TQtFramePeer(TControl* Frame);

protected:
  void ApplyColor() override;
  bool ClicksOnRelease() const override { return true; }
};

}  // namespace host::qt
