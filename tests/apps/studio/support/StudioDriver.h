// Drives studio from a gui test: studio's main window started in-process,
// offscreen, with the plug-ins a test names, and the user's actions done
// through the real widgets (the palette's buttons, clicks on a design
// surface, the context menu, the Tools menu, the object inspector's value
// cell). Modal host forms and message dialogs go through the scripted
// dialogs service: queue answers and scripts on Dialogs() before acting.
//
//   ambit::studio::test::TStudioDriver studio({PLUGIN_AMBITDT});
//   studio.OpenSampleCopy();
//   studio.Dialogs().DriveModal([](host::TCustomForm* F) { ... });
//   studio.PickVerb("MainForm.FormLocalizer1", "&Edit Localization...");
//
// Every action raises std::runtime_error when what it names is not there,
// so that a test fails with a message instead of crashing.
#pragma once

#include <Qt>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "apps/studio/DesignOverlay.h"
#include "apps/studio/DesignSurface.h"
#include "apps/studio/InspectorView.h"
#include "apps/studio/Studio.h"
#include "apps/studio/StudioWindow.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/design/DesignEnvironment.h"

class QAction;
class QPoint;
class QWidget;

namespace ambit::studio::test {

class TStudioDriver {
public:
  // Starts studio with these plug-ins (the default plug-in folder is left
  // alone) and shows its main window offscreen.
  explicit TStudioDriver(const std::vector<std::string>& Plugins = {});
  // Ends studio as its window does: every module closes without asking,
  // wizards are freed and plug-ins unloaded; scratch folders go.
  ~TStudioDriver();
  TStudioDriver(const TStudioDriver&) = delete;
  TStudioDriver& operator=(const TStudioDriver&) = delete;

  TStudio& Studio() const { return *FStudio; }
  TStudioWindow& Window() const;
  TInspectorView& Inspector() const;
  host::TDesignEnvironment& Environment() const;
  host::TScriptedDialogs& Dialogs() const { return *FDialogs; }

  // ---- files ----
  // Copies the sample project's folder (examples/sample) to a scratch
  // folder and opens Project there with its forms; returns the folder.
  std::filesystem::path OpenSampleCopy(const std::string& Project = "Sample.amproj");
  // A fresh scratch folder, removed with the driver.
  std::filesystem::path ScratchFolder();
  // Opens a project (with its forms) or a form file.
  void Open(const std::string& FileName);

  // ---- components and surfaces ----
  // "Form.Component", or "Form" for the form itself.
  host::TComponent* Find(const std::string& Path) const;
  host::TFormModule& Form(const std::string& FormName) const;
  // Brings the form's tab up and returns its surface.
  TDesignSurface& Surface(const std::string& FormName);
  // The centre of a component on its surface, in the overlay's coordinates.
  QPoint PointOf(const std::string& Path);

  // ---- the mouse on a surface ----
  void Click(const std::string& Path, Qt::KeyboardModifiers Modifiers = Qt::NoModifier);
  // Runs the component editor's Edit, as a double-click does.
  void DoubleClick(const std::string& Path);
  // Drags the component (or, with Handle >= 0, that grab handle of it) by
  // a distance in pixels.
  void Drag(const std::string& Path, int DeltaX, int DeltaY, int Handle = -1);
  // The context menu's captions (the verbs first), after a right-click.
  std::vector<std::string> ContextMenu(const std::string& Path);
  // Right-clicks the component and chooses the item of that caption.
  void PickVerb(const std::string& Path, const std::string& Caption);
  // Chooses the class on the palette and clicks the form at a point of its
  // client area; returns the component placed there.
  host::TComponent* DropFromPalette(const std::string& ClassName, const std::string& FormName, int X, int Y);

  // ---- the main menu ----
  // Chooses an item of a top-level menu by captions ("&Tools",
  // "&List Project Forms...").
  void RunMenuItem(const std::string& Menu, const std::string& Caption);
  void RunToolsItem(const std::string& Caption) { RunMenuItem("&Tools", Caption); }

  // ---- the object inspector (on the component selected first) ----
  // Types the text into the value cell of a property path and presses
  // Enter.
  void TypeValue(const std::string& Path, const std::string& Property, const std::string& Text);
  // The drop-down's entries, as it lists them when it opens.
  std::vector<std::string> ValueList(const std::string& Path, const std::string& Property);
  // Opens the drop-down and picks the entry.
  void ChooseValue(const std::string& Path, const std::string& Property, const std::string& Entry);
  // Clicks the ellipsis button of the property.
  void ClickEllipsis(const std::string& Path, const std::string& Property);
  // The value the inspector shows for the property.
  std::string ShownValue(const std::string& Path, const std::string& Property);

  // ---- pictures ----
  // Writes a widget (the window, a surface's Frame(), the inspector) as PNG.
  static void SavePicture(QWidget* Widget, const std::string& FileName);
  // Writes a host form as its window shows it, also a modal one that a
  // script drives (its widgets are made offscreen for the picture).
  static void SavePicture(host::TCustomForm* Form, const std::string& FileName);

  // Handles pending events and deletes what was freed meanwhile.
  static void Flush();

  // Runs the studio program (offscreen) with Args, passed through the
  // shell, and collects what it prints on both outputs.
  struct TRun {
    int ExitCode = -1;
    std::string Output;
  };
  static TRun RunProgram(const std::string& Args);

private:
  void SelectForInspector(const std::string& Path, const std::string& Property);
  QAction* MenuAction(QWidget* Container, const std::string& Caption) const;

  std::unique_ptr<host::TScriptedDialogs> FDialogs;
  std::unique_ptr<TStudio> FStudio;
  std::vector<std::filesystem::path> FScratch;
};

}  // namespace ambit::studio::test
