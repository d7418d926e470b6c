// The layer over a designed form's window: it paints the selection's
// handles and the icons of the components that are no controls, and turns
// the mouse and keys into the form designer's commands (select, move,
// resize, drop from the palette, the context menu with the component
// editor's verbs, a double-click that runs Edit, delete).
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <memory>

namespace host {
class TComponent;
class TControl;
class TPopupMenu;
}  // namespace host

namespace ambit::studio {

class TDesignSurface;

class TDesignOverlay : public QWidget {
public:
  TDesignOverlay(TDesignSurface* Surface, QWidget* Parent);
  ~TDesignOverlay() override;

  // Where the form's client area starts, in the overlay's coordinates.
  void SetClientOrigin(QPoint Value);
  QPoint ClientOrigin() const { return FClientOrigin; }
  // A component's place in the overlay: a control's bounds, the icon of a
  // component that is no control, the client area for the form.
  QRect RectOf(const host::TComponent* Component) const;
  // The context menu last shown (its items are the verbs, then Delete).
  host::TPopupMenu* ContextMenu() const { return FMenu; }

  // The grab handles of a rectangle, clockwise from the top left.
  static constexpr int HandleSize = 6;
  enum THandle { hNone = -1, hTopLeft, hTop, hTopRight, hRight, hBottomRight, hBottom, hBottomLeft, hLeft };
  static QRect HandleRect(const QRect& Bounds, int Handle);

protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

private:
  host::TComponent* HitAt(QPoint Pos) const;
  // The control whose handle is under Pos (a single selected control, or
  // the form's right and bottom edges).
  host::TControl* HandleOwner(QPoint Pos, int& Handle) const;
  void PaintFrames(QPainter& P);
  void PaintIcons(QPainter& P);
  void PaintSelection(QPainter& P);
  void ShowContextMenu(host::TComponent* Component, QPoint Global);

  TDesignSurface* FSurface;
  QPoint FClientOrigin;
  std::unique_ptr<host::TComponent> FMenuOwner;
  host::TPopupMenu* FMenu = nullptr;
  // A move or resize under way.
  enum TDrag { dNone, dMove, dResize } FDrag = dNone;
  QPoint FPressPos;
  QPoint FMoved;
  bool FDragStarted = false;
  host::TControl* FResized = nullptr;
  int FHandle = hNone;
  QRect FStartBounds;
};

}  // namespace ambit::studio
