// Peers of the bars: tool bars with their tool buttons (the model places
// the buttons; drop-down buttons pop their menu through the model) and
// status bars with their panels.
#pragma once

#include <QPointer>

#include "host/controls/StatusBar.h"
#include "host/controls/ToolBar.h"
#include "host/qt/QtControlPeer.h"

class QMenu;
class QToolButton;

namespace host::qt {

class TQtToolBarPeer : public TQtControlPeer {
public:
  explicit TQtToolBarPeer(TToolBar* ToolBar);
  TToolBar* ToolBar() const { return static_cast<TToolBar*>(Control()); }
  void Changed(TPeerChange Change) override;

protected:
  void ApplyColor() override;
};

class TQtToolButtonPeer : public TQtControlPeer {
public:
  explicit TQtToolButtonPeer(TToolButton* Button);
  ~TQtToolButtonPeer() override;
  TToolButton* Button() const { return static_cast<TToolButton*>(Control()); }
  QToolButton* ToolButton() const;
  void Changed(TPeerChange Change) override;
  // Re-reads what the tool bar decides for its buttons (images, captions, flat look).
  void ToolBarChanged();

protected:
  void ApplyText() override;

private:
  void ApplyKind();
  void ApplyImage();
  QMenu* FArrowMenu;
};

class TQtStatusBarPeer : public TQtControlPeer {
public:
  explicit TQtStatusBarPeer(TStatusBar* StatusBar);
  TStatusBar* StatusBar() const { return static_cast<TStatusBar*>(Control()); }
  void Changed(TPeerChange Change) override;
  // The rectangle of a panel on the widget (mirrored right to left), for
  // tests and tools.
  QRect PanelRect(int Index) const;
};

}  // namespace host::qt
