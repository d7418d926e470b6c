// The design surface of one open form: the form drawn by the widgetset as
// its window will look, inside a window frame with the form's caption, on a
// grid of dots, with the selection's handles and the components that are
// no controls as small labelled icons over it. The surface only paints and
// turns the mouse and keys into the form designer's commands; the form's
// own widgets never see input (they are in design state: no clicks, no
// typing, no handlers).
#pragma once

#include <QPointer>
#include <QScrollArea>
#include <functional>
#include <memory>

namespace host {
class TClass;
class TComponent;
class TCustomForm;
class TFormDesigner;
class TFormModule;
}  // namespace host

namespace ambit::studio {

class TDesignOverlay;
class TSurfaceFrame;

class TDesignSurface : public QScrollArea {
public:
  // Shows the module's form; the module must stay open until Detach.
  explicit TDesignSurface(host::TFormModule* Module, QWidget* Parent = nullptr);
  ~TDesignSurface() override;

  // Lets go of the form before it closes: its widgets go with their peers
  // now, the surface's own later (it may be inside one of its handlers).
  void Detach();

  host::TFormModule* Module() const { return FModule; }
  host::TFormDesigner* Designer() const;
  host::TComponent* Root() const;
  // The form's window as the widgetset shows it (null for a root that is
  // no form, or once detached).
  QWidget* FormWindow() const;
  // The widget that takes the mouse and keys over the form.
  TDesignOverlay* Overlay() const { return FOverlay; }
  // The frame, caption bar and form together: what a picture shows.
  QWidget* Frame() const;

  // The palette class the next click on the form creates (null: none).
  // Told once the component is placed, so that the palette lets go.
  void SetArmedClass(const host::TClass* Class) { FArmed = Class; }
  const host::TClass* ArmedClass() const { return FArmed; }
  void SetOnPlaced(std::function<void()> Handler) { FOnPlaced = std::move(Handler); }
  void Placed();

  // Lays the frame out again after the form's size or caption changed.
  void Relayout();

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  class TInputGuard;
  host::TFormModule* FModule;
  host::TCustomForm* FForm = nullptr;
  TSurfaceFrame* FFrame = nullptr;
  TDesignOverlay* FOverlay = nullptr;
  QPointer<QWidget> FWindow;
  std::unique_ptr<TInputGuard> FGuard;
  std::unique_ptr<QObject> FGrid;
  int FSubscription = 0;
  const host::TClass* FArmed = nullptr;
  std::function<void()> FOnPlaced;
};

}  // namespace ambit::studio
