// The base of every Qt peer: one widget per control model. It applies the
// aspects every control has (bounds, visibility, enabled state, hint,
// font, colour, reading order) and reports the user's mouse, keyboard,
// focus, context-menu and drag-and-drop actions back to the model.
// Subclasses create their widget, apply their own aspects and connect the
// widget's signals to the model's User* and event methods.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "host/controls/Control.h"
#include "host/controls/Peer.h"
#include "host/qt/QtWidgetSet.h"

class QEvent;
class QObject;

namespace host::qt {

class TQtControlPeer : public IControlPeer {
public:
  explicit TQtControlPeer(TControl* Control);
  // The widget goes with the peer (later, when a user action is being
  // reported, since Qt may still be inside one of its handlers).
  ~TQtControlPeer() override;
  TQtControlPeer(const TQtControlPeer&) = delete;
  TQtControlPeer& operator=(const TQtControlPeer&) = delete;

  TControl* Control() const { return FControl; }
  // The widget placed in the parent's client widget.
  QWidget* Widget() const { return FWidget; }
  // Where the widgets of child controls go.
  virtual QWidget* ClientWidget() const { return FWidget; }

  void Changed(TPeerChange Change) override;
  void SetFocus() override;
  bool Focused() const override;
  void BringToFront() override;
  void Invalidate() override;

  // The Qt peer of a control (null when it has none or another kind).
  static TQtControlPeer* Of(const TControl* Control);
  // The peer whose widget is Widget or holds it most closely.
  static TQtControlPeer* Owning(const QWidget* Widget);
  // The widget of a control, for tests and tools (null without a Qt peer).
  static QWidget* WidgetOf(const TControl* Control);

  // Internal: the event filter's entry point.
  bool FilterEvent(QObject* Watched, QEvent* Event);

protected:
  // Subclasses call this once from their constructor with the widget they
  // made (parented to ParentClient()). EventWidgets receive the mouse
  // events too (the viewport of a scroll area, say).
  void Attach(QWidget* Widget);
  void WatchEvents(QWidget* EventWidget);
  // The client widget of the parent's peer; null for top-level forms.
  QWidget* ParentClient() const;
  // A context object for signal connections: they end with the peer.
  QObject* Guard() const { return FFilter.get(); }

  // True while the peer writes model state into the widget.
  bool Applying() const { return FApplying > 0; }
  struct TApplying {
    explicit TApplying(TQtControlPeer* P) : FPeer(P) { ++FPeer->FApplying; }
    ~TApplying() { --FPeer->FApplying; }
    TQtControlPeer* FPeer;
  };

  // Reports a user action to the model: exceptions go to the widgetset's
  // handler. The peer may be gone afterwards; do not touch it then.
  template <class F>
  void Report(F&& Action) const {
    TQtWidgetSet::Report(std::forward<F>(Action));
  }
  // Reports a user action and tells whether this peer is still there: a
  // handler may free the control, or its form, and the peer with it. Only
  // then may the caller touch the peer or the model again.
  template <class F>
  bool ReportAndLive(F&& Action) const {
    const QPointer<QObject> alive(FFilter.get());
    TQtWidgetSet::Report(std::forward<F>(Action));
    return !alive.isNull();
  }

  virtual void ApplyBounds();
  virtual void ApplyVisible();
  virtual void ApplyText() {}
  virtual void ApplyHint();
  virtual void ApplyFont();
  virtual void ApplyColor();
  virtual void ApplyBiDiMode();
  // Passive widgets (labels, panels, bevels) report a click on release.
  virtual bool ClicksOnRelease() const { return false; }
  // Maps a point of a watched widget into the control's coordinates.
  QPoint ToControl(QObject* Watched, QPoint Pos) const;
  // A key reached the focused widget: the model hears it first and may
  // consume it (true).
  virtual bool KeyEvent(QEvent* Event);

private:
  bool MouseEvent(QObject* Watched, QEvent* Event);
  bool DragEvent(QObject* Watched, QEvent* Event);
  // True when the event reached Watched from a child that has a peer of
  // its own (Qt passes ignored events to the parent).
  bool FromChildPeer(QObject* Watched, QPoint Pos) const;
  void StartDrag();

  TControl* FControl;
  QPointer<QWidget> FWidget;
  std::unique_ptr<QObject> FFilter;
  int FApplying = 0;
  QPoint FPressPos;
  bool FPressed = false;
};

}  // namespace host::qt
