// The design environment: the toolkit-free designer host. It offers the
// tools services to plug-ins (IDEServices() while it lives), holds the open
// modules (forms in design state with their designers, units, projects and
// project groups), loads and unloads packages and builds the main menu.
// A window toolkit shows its modules and forwards the user's input; plug-in
// authors create one in headless tests.
//
// Only one environment exists at a time. Destroying it closes every module
// without asking, unloads the packages (freeing their wizards, withdrawing
// their registrations, closing their libraries) and only then frees the
// main menu.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/core/Events.h"
#include "host/design/DesignModules.h"
#include "host/design/FormReferences.h"
#include "host/design/Listeners.h"
#include "host/design/Packages.h"
#include "host/design/ToolsAPI.h"

namespace host {

class TMainMenu;
class TMenuItem;

enum TEnvironmentChange {
  ecOpened,    // a module was opened
  ecClosing,   // a module is about to close (the pointer goes afterwards)
  ecShown,     // a module's editor was brought up (it is now current)
  ecModified,  // a form module changed or was saved
  ecRenamed,   // a module was saved under a new name
  ecDesigner,  // a form designer's selection or components changed
};

class TDesignEnvironment : public IIDEServices,
                           public IOTAModuleServices,
                           public IOTAActionServices,
                           public INTAServices {
public:
  // Registers the standard controls for streaming and on the palette.
  // Raises EDesignError when another environment exists.
  TDesignEnvironment();
  ~TDesignEnvironment() override;
  TDesignEnvironment(const TDesignEnvironment&) = delete;
  TDesignEnvironment& operator=(const TDesignEnvironment&) = delete;

  // ---- IIDEServices ----
  IOTAModuleServices* ModuleServices() override { return this; }
  IOTAActionServices* ActionServices() override { return this; }
  INTAServices* NTAServices() override { return this; }

  // ---- INTAServices ----
  TMainMenu* MainMenu() const override { return FMainMenu; }

  // ---- IOTAModuleServices ----
  int ModuleCount() const override { return static_cast<int>(FModules.size()); }
  IOTAModule* Modules(int Index) const override;
  IOTAModule* FindModule(const std::string& FileName) const override;
  IOTAModule* CurrentModule() const override { return FCurrent; }
  bool CloseAll() override;

  // ---- IOTAActionServices (errors are shown, false returned) ----
  bool OpenFile(const std::string& FileName) override;
  bool OpenProject(const std::string& ProjName, bool NewProjGroup) override;
  bool CloseFile(const std::string& FileName) override;
  bool SaveFile(const std::string& FileName) override;

  // ---- opening for code (raise on failure) ----
  TProjectModule* LoadProject(const std::string& FileName);
  // Folder: where the form's relative file names resolve; by default the
  // folder of the open project that lists the file, else the file's own.
  TFormModule* LoadForm(const std::string& FileName, const std::string& Folder = {});
  TUnitModule* LoadUnit(const std::string& FileName);
  TProjectGroupModule* NewProjectGroup(const std::string& Name = "ProjectGroup1");
  // Opens every form unit of a project in order; a form that cannot be
  // read is reported and passed by. Returns the number open afterwards.
  int OpenProjectForms(IOTAProject* Project);

  std::vector<TFormModule*> FormModules() const;
  TFormModule* FindFormModule(const TComponent* Root) const;
  std::vector<TComponent*> FormRoots() const;
  // Brings a module up and makes it current.
  void ShowModule(IOTAModule* Module);
  // Closes a module: a modified form asks Save/Discard/Cancel through the
  // dialogs service unless Force; false when cancelled or the save failed.
  bool CloseModule(IOTAModule* Module, bool Force);
  // Closes every module, newest first.
  bool CloseAllModules(bool Force);

  // ---- menus and packages ----
  // Builds the standard main menu (File, Edit, View, Tools named
  // "ToolsMenu" with a separator, Help), owned by the environment, and
  // returns it (the one built before, when called again).
  TMainMenu* CreateMainMenu();
  TPackageLoader& Packages() { return FPackages; }
  // Closes every module (asking for modified forms: a form may hold the
  // package's components), then unloads the package; false when cancelled
  // or the package is not loaded.
  bool UnloadPackage(const std::string& FileName);
  // What File > Exit does (a window closes); nothing while unset.
  void SetOnExit(TNotifyEvent Value) { FOnExit = std::move(Value); }

  // ---- for the modules ----
  TFormReferences& References() { return FReferences; }
  TProjectModule* ProjectListing(const std::string& FileName) const;
  IOTAModule* OpenUnitFile(const std::string& FileName, bool IsForm, const std::string& Folder);
  void FormRenamed(TFormModule* Module, const std::string& OldFileName);

  int Subscribe(std::function<void(TEnvironmentChange, IOTAModule*)> Listener) {
    return FListeners.Add(std::move(Listener));
  }
  void Unsubscribe(int Id) { FListeners.Remove(Id); }
  void Notify(TEnvironmentChange Change, IOTAModule* Module) { FListeners.Notify(Change, Module); }

  // Absolute and normalised: how modules compare file names.
  static std::string NormalFileName(const std::string& FileName);

private:
  template <class M>
  M* Adopt(std::unique_ptr<M> Module);
  void BuildMenu();
  void OpenCommand();
  void SaveCurrent(bool ChangeName);

  std::vector<std::unique_ptr<IOTAModule>> FModules;
  IOTAModule* FCurrent = nullptr;
  TFormReferences FReferences;
  TPackageLoader FPackages;
  std::unique_ptr<TComponent> FMenuOwner;
  TMainMenu* FMainMenu = nullptr;
  TNotifyEvent FOnExit;
  int FLookupId = 0;
  TListeners<TEnvironmentChange, IOTAModule*> FListeners;
};

}  // namespace host
