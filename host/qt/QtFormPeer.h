// Forms and frames. A top-level form is a window whose client area is the
// form's client size, with the main menu's bar above it; a form shown
// inside another control and a frame are plain containers. A designer
// embeds a form's window in its surface instead: a picture of the window
// that the model sizes but never moves, shows, hides or activates.
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

  // Puts the form's window into Host at its top left and shows it there,
  // whatever Visible says. The window keeps the model's size; where the
  // window sits in Host is the host's business, so the model's Left and
  // Top stay as they are. Host must outlive the peer or destroy it first.
  void Embed(QWidget* Host);
  bool Embedded() const { return FEmbedded; }

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
  bool FEmbedded = false;
};

class TQtFramePeer : public TQtControlPeer {
public:
  explicit TQtFramePeer(TControl* Frame);

protected:
  void ApplyColor() override;
  bool ClicksOnRelease() const override { return true; }
};

}  // namespace host::qt
