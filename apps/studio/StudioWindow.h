// Studio's main window: the design environment's main menu (the host's
// menu model, shown by the widgetset, so that wizards find "ToolsMenu"),
// the component palette, the structure tree of the current form over the
// object inspector, and a tab with a design surface per open form.
#pragma once

#include <QMenuBar>
#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QTabWidget;

namespace host {
class IOTAModule;
class TComponent;
class TDesignEnvironment;
class TFormModule;
}  // namespace host

namespace ambit::studio {

class TDesignSurface;
class TInspectorView;
class TPaletteBar;
class TStructureTree;

class TStudioWindow : public QWidget {
public:
  // Shows the environment's open forms and every one opened later. The
  // environment must outlive the window.
  explicit TStudioWindow(host::TDesignEnvironment& Environment, QWidget* Parent = nullptr);
  ~TStudioWindow() override;

  host::TDesignEnvironment& Environment() const { return FEnvironment; }
  QMenuBar* MenuBar() const { return FMenuBar; }
  TPaletteBar* Palette() const { return FPalette; }
  TStructureTree* Tree() const { return FTree; }
  TInspectorView* Inspector() const { return FInspector; }
  QTabWidget* Forms() const { return FForms; }
  // The surface of an open form; null when it has none.
  TDesignSurface* SurfaceOf(const host::TComponent* Root) const;
  // The surface of the current tab; null when no form is open.
  TDesignSurface* CurrentSurface() const;

  // Told once the window closed for good (every module closed).
  void SetOnClosed(std::function<void()> Handler) { FOnClosed = std::move(Handler); }

protected:
  void closeEvent(QCloseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

private:
  void EnvironmentChanged(int Change, host::IOTAModule* Module);
  void AddSurface(host::TFormModule* Module);
  void RemoveSurface(host::IOTAModule* Module);
  void ShowModule(host::IOTAModule* Module);
  void CurrentTabChanged();
  void UpdateTabs();
  void UpdateStatus();
  int TabOf(const host::IOTAModule* Module) const;

  host::TDesignEnvironment& FEnvironment;
  QPointer<QMenuBar> FMenuBar;
  TPaletteBar* FPalette;
  TStructureTree* FTree;
  TInspectorView* FInspector;
  QTabWidget* FForms;
  QLabel* FStatus;
  int FSubscription = 0;
  bool FSwitching = false;
  std::function<void()> FOnClosed;
};

}  // namespace ambit::studio
