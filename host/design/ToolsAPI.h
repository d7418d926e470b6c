// The designer host's tools services: package wizards, the main menu, open
// modules, projects and project groups, form editors, and opening and
// closing files. Plug-ins reach them through IDEServices().
//
// Ownership. The host owns every service, module, editor and component
// interface it hands out; none may be deleted by a plug-in. A module's
// pointers (its editors, its root component) stay valid until the module is
// closed; a project's module entries as long as the project is open; the
// services as long as the design environment lives. A wizard belongs to
// the host once registered and is freed when its package unloads, before
// the main menu goes.
#pragma once

#include <memory>
#include <string>

#include "host/core/Component.h"
#include "host/core/Set.h"

namespace host {

class TMainMenu;
class IOTAModule;

// ---- wizards ---------------------------------------------------------------

enum TWizardStateItem { wsEnabled, wsChecked };
using TWizardState = TSet<TWizardStateItem>;

// Told about saving and destruction; every operation does nothing unless
// overridden.
class IOTANotifier {
public:
  virtual ~IOTANotifier() = default;
  virtual void AfterSave() {}
  virtual void BeforeSave() {}
  virtual void Destroyed() {}
  virtual void Modified() {}
};

class IOTAWizard : public virtual IOTANotifier {
public:
  // A unique identity, "Maker.Product.Wizard".
  virtual std::string GetIDString() const = 0;
  virtual std::string GetName() const = 0;
  virtual TWizardState GetState() const = 0;
  virtual void Execute() = 0;
};

// A base whose notifier operations do nothing:
//   class TMyWizard : public TNotifierObject, public IOTAWizard { ... };
class TNotifierObject : public virtual IOTANotifier {};

// Hands the wizard to the host, which keeps it until the package that
// registers it is unloaded (see TPackageScope in DesignIntf.h).
void RegisterPackageWizard(std::unique_ptr<IOTAWizard> Wizard);
// The wizards registered so far, oldest first.
int WizardCount();
IOTAWizard* Wizards(int Index);

// ---- editors and components of a module ------------------------------------

class IOTAEditor {
public:
  virtual ~IOTAEditor() = default;
  virtual std::string FileName() const = 0;
  virtual IOTAModule* Module() const = 0;
  virtual bool GetModified() const = 0;
  virtual void MarkModified() = 0;
  // Brings the editor up (a form's design surface comes to the front).
  virtual void Show() = 0;
};

// The text of a unit (the host keeps no text: it only names the file).
class IOTASourceEditor : public IOTAEditor {};

// The live component behind a component interface.
class INTAComponent {
public:
  virtual ~INTAComponent() = default;
  virtual TComponent* GetComponent() const = 0;
};

class IOTAComponent : public INTAComponent {
public:
  virtual std::string GetComponentType() const = 0;
  // The owner's interface; null for the root.
  virtual IOTAComponent* GetParent() const = 0;
};

class IOTAFormEditor : public IOTAEditor {
public:
  // The live designed form: GetRootComponent()->GetComponent().
  virtual IOTAComponent* GetRootComponent() = 0;
  // A component of the form by name; null when none.
  virtual IOTAComponent* FindComponent(const std::string& Name) = 0;
};

// ---- modules and projects ---------------------------------------------------

class IOTAModule {
public:
  virtual ~IOTAModule() = default;
  virtual std::string FileName() const = 0;
  // A form unit has two files: 0 is its source, 1 its form; a unit without
  // a form, a project or a project group has one.
  virtual int GetModuleFileCount() const = 0;
  // Null for an index out of range.
  virtual IOTAEditor* GetModuleFileEditor(int Index) = 0;
  virtual bool IsModified() const = 0;
  // Saves the module (to a new name when ChangeName, asking through the
  // dialogs service); true when saved.
  virtual bool Save(bool ChangeName = false, bool ForceSave = false) = 0;
  // Closes the module, asking Save/Discard/Cancel through the dialogs
  // service when it is modified; false when the user cancelled. The
  // module is freed: no pointer into it may be used afterwards.
  virtual bool Close() = 0;
  // Closes without asking when ForceClosed; otherwise as Close.
  virtual bool CloseModule(bool ForceClosed) = 0;
};

class IOTAProject;

// One unit a project lists.
class IOTAModuleInfo {
public:
  virtual ~IOTAModuleInfo() = default;
  virtual std::string Name() const = 0;
  virtual std::string FileName() const = 0;
  // The form's name; empty for a unit without a form.
  virtual std::string FormName() const = 0;
  // Opens the unit (or finds it open); null when it cannot be opened, the
  // error having been shown.
  virtual IOTAModule* OpenModule() = 0;
};

class IOTAProject : public IOTAModule {
public:
  virtual int GetModuleCount() const = 0;
  // Null for an index out of range.
  virtual IOTAModuleInfo* GetModule(int Index) = 0;
};

class IOTAProjectGroup : public IOTAModule {
public:
  virtual int ProjectCount() const = 0;
  virtual IOTAProject* Projects(int Index) const = 0;
  // The project the group works on; null when it has none.
  virtual IOTAProject* ActiveProject() const = 0;
  virtual void SetActiveProject(IOTAProject* Value) = 0;
};

// ---- services ---------------------------------------------------------------

class IOTAModuleServices {
public:
  virtual ~IOTAModuleServices() = default;
  // The open modules in the order they were opened (projects and project
  // groups among them).
  virtual int ModuleCount() const = 0;
  virtual IOTAModule* Modules(int Index) const = 0;
  // The open module of that file (compared as absolute, normalised paths);
  // null when it is not open.
  virtual IOTAModule* FindModule(const std::string& FileName) const = 0;
  // The module whose editor was shown last; null when none is open.
  virtual IOTAModule* CurrentModule() const = 0;
  // Closes every module (asking for modified ones); false when cancelled.
  virtual bool CloseAll() = 0;
};

class IOTAActionServices {
public:
  virtual ~IOTAActionServices() = default;
  // Opens a form file, a unit or a project (or finds it open); false when
  // it cannot be read, the error having been shown.
  virtual bool OpenFile(const std::string& FileName) = 0;
  virtual bool OpenProject(const std::string& ProjName, bool NewProjGroup) = 0;
  // Closes the file's module as IOTAModule::Close does; false when it is
  // not open or the user cancelled.
  virtual bool CloseFile(const std::string& FileName) = 0;
  virtual bool SaveFile(const std::string& FileName) = 0;
};

class INTAServices {
public:
  virtual ~INTAServices() = default;
  // The host's main menu; null when it has none. Its top-level Tools item
  // is named "ToolsMenu". A plug-in may insert items (which it owns and
  // frees: freeing an item takes it out of its menu).
  virtual TMainMenu* MainMenu() const = 0;
};

// The services object of the running design environment.
class IIDEServices {
public:
  virtual ~IIDEServices() = default;
  virtual IOTAModuleServices* ModuleServices() = 0;
  virtual IOTAActionServices* ActionServices() = 0;
  virtual INTAServices* NTAServices() = 0;
};

// Null while no design environment runs.
IIDEServices* IDEServices();
void SetIDEServices(IIDEServices* Services);

// The project being worked on: a project group among the open modules
// decides (its active project); otherwise the one open project; none when
// several or none are open.
IOTAProject* GetActiveProject();

}  // namespace host
