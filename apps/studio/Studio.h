// Studio as a whole, without its message loop: the design environment with
// its main menu, the plug-ins, the main window and the open files. The
// program and the gui tests both start it this way.
#pragma once

#include <memory>
#include <string>

#include "apps/studio/StudioOptions.h"

namespace host {
class TComponent;
class TDesignEnvironment;
class TFormModule;
}  // namespace host

namespace ambit::studio {

class TStudioWindow;

class TStudio {
public:
  // Needs the Qt widgetset installed. Registers the classes forms may hold,
  // creates the environment and its main menu, loads the plug-ins named in
  // Options and then those of the default folder (errors are shown through
  // the dialogs service, studio goes on), builds the main window and opens
  // Options.Files.
  explicit TStudio(const TStudioOptions& Options);
  // Frees the window, then the environment: modules close, wizards are
  // freed, registrations withdrawn, and only then are plug-ins unloaded.
  ~TStudio();
  TStudio(const TStudio&) = delete;
  TStudio& operator=(const TStudio&) = delete;

  host::TDesignEnvironment& Environment() const { return *FEnvironment; }
  TStudioWindow& Window() const { return *FWindow; }

  // Opens a project with its forms (the first one shown) or a form file;
  // false when it cannot, the error having been shown.
  bool Open(const std::string& FileName);
  // The open form of that name and a component on it ("Form.Component",
  // "Form" alone for the form); null when there is none.
  host::TComponent* Find(const std::string& Path) const;
  host::TFormModule* FormModule(const std::string& FormName) const;
  // Brings the form up and selects the component; false when not found.
  bool Select(const std::string& Path);

  // Writes studio.png, inspector.png and <Form>.png for each open form into
  // Folder; raises host::EFCreateError when a picture cannot be written.
  void Render(const std::string& Folder);

private:
  std::unique_ptr<host::TDesignEnvironment> FEnvironment;
  std::unique_ptr<TStudioWindow> FWindow;
};

}  // namespace ambit::studio
