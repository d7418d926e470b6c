// The modules a design environment holds open: form units (a form file
// read in design state, its designer and its form editor), units without a
// form, projects and project groups. The environment owns every module;
// closing one frees it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/design/FormDesigner.h"
#include "host/design/ToolsAPI.h"
#include "host/stream/FormProject.h"

namespace host {

class TDesignEnvironment;
class TFormEditor;
class TModuleSourceEditor;

class TFormModule : public IOTAModule {
public:
  // Takes the form read from FileName; Folder is where the form's relative
  // file names resolve (its project's folder, else its own).
  TFormModule(TDesignEnvironment& Environment, std::string FileName, std::string Folder,
              std::unique_ptr<TComponent> Root);
  ~TFormModule() override;

  std::string FileName() const override { return FFileName; }
  int GetModuleFileCount() const override { return 2; }
  IOTAEditor* GetModuleFileEditor(int Index) override;
  bool IsModified() const override { return FDesigner->IsModified(); }
  bool Save(bool ChangeName = false, bool ForceSave = false) override;
  bool Close() override { return CloseModule(false); }
  bool CloseModule(bool ForceClosed) override;

  TComponent* Root() const { return FRoot.get(); }
  TFormDesigner* Designer() const { return FDesigner.get(); }
  IOTAFormEditor* FormEditor() const;
  const std::string& Folder() const { return FFolder; }
  // The form as its file would hold it.
  std::string FormText() const;
  // Writes the form to FileName (the module's own when empty), which then
  // becomes the module's file; raises when it cannot be written.
  void SaveToFile(const std::string& FileName = {});

private:
  TDesignEnvironment& FEnvironment;
  std::string FFileName;
  std::string FFolder;
  std::unique_ptr<TComponent> FRoot;
  std::unique_ptr<TFormDesigner> FDesigner;
  std::unique_ptr<TModuleSourceEditor> FSource;
  std::unique_ptr<TFormEditor> FForm;
  int FSubscription = 0;
};

// A unit without a form: the host only knows its file.
class TUnitModule : public IOTAModule {
public:
  TUnitModule(TDesignEnvironment& Environment, std::string FileName);
  ~TUnitModule() override;
  std::string FileName() const override { return FFileName; }
  int GetModuleFileCount() const override { return 1; }
  IOTAEditor* GetModuleFileEditor(int Index) override;
  bool IsModified() const override { return false; }
  bool Save(bool ChangeName = false, bool ForceSave = false) override { return true; }
  bool Close() override { return CloseModule(false); }
  bool CloseModule(bool ForceClosed) override;

private:
  TDesignEnvironment& FEnvironment;
  std::string FFileName;
  std::unique_ptr<TModuleSourceEditor> FSource;
};

class TProjectModule : public IOTAProject {
public:
  TProjectModule(TDesignEnvironment& Environment, std::unique_ptr<TFormProject> Project);
  ~TProjectModule() override;

  std::string FileName() const override;
  // The host keeps no editor of the project file itself.
  int GetModuleFileCount() const override { return 0; }
  IOTAEditor* GetModuleFileEditor(int Index) override;
  bool IsModified() const override { return false; }
  bool Save(bool ChangeName = false, bool ForceSave = false) override { return true; }
  bool Close() override { return CloseModule(false); }
  // Closes the project's open units first; false when one refuses.
  bool CloseModule(bool ForceClosed) override;

  // Forms first, in the project's order, then the units without a form.
  int GetModuleCount() const override { return static_cast<int>(FModules.size()); }
  IOTAModuleInfo* GetModule(int Index) override;

  const TFormProject& Project() const { return *FProject; }
  std::string Folder() const;
  // True when the project lists the file (absolute, normalised).
  bool Lists(const std::string& FileName) const;
  // A form of the project was saved under a new name: the project file
  // names the new one.
  void FormRenamed(const std::string& OldFileName, const std::string& NewFileName);

private:
  class TModuleInfo;
  TDesignEnvironment& FEnvironment;
  std::unique_ptr<TFormProject> FProject;
  std::vector<std::unique_ptr<TModuleInfo>> FModules;
};

// A group of open projects, one of them active. The host keeps no file for
// it; its name only tells it apart.
class TProjectGroupModule : public IOTAProjectGroup {
public:
  TProjectGroupModule(TDesignEnvironment& Environment, std::string FileName);
  ~TProjectGroupModule() override;

  std::string FileName() const override { return FFileName; }
  int GetModuleFileCount() const override { return 0; }
  IOTAEditor* GetModuleFileEditor(int Index) override { return nullptr; }
  bool IsModified() const override { return false; }
  bool Save(bool ChangeName = false, bool ForceSave = false) override { return true; }
  bool Close() override { return CloseModule(false); }
  bool CloseModule(bool ForceClosed) override;

  int ProjectCount() const override { return static_cast<int>(FProjects.size()); }
  IOTAProject* Projects(int Index) const override;
  IOTAProject* ActiveProject() const override { return FActive; }
  // The project must be one of the group's (or null).
  void SetActiveProject(IOTAProject* Value) override;
  void AddProject(IOTAProject* Project);
  // A project closed: it leaves the group.
  void RemoveProject(IOTAProject* Project);

private:
  TDesignEnvironment& FEnvironment;
  std::string FFileName;
  std::vector<IOTAProject*> FProjects;
  IOTAProject* FActive = nullptr;
};

}  // namespace host
