// Projects (a project file's forms and units) and project groups.
#include <algorithm>
#include <filesystem>

#include "host/core/IniFiles.h"
#include "host/design/DesignEnvironment.h"

namespace host {

// One unit of a project, as the project file lists it.
class TProjectModule::TModuleInfo : public IOTAModuleInfo {
public:
  TModuleInfo(TProjectModule* Project, std::string Name, std::string FileName, bool HasForm)
      : FProject(Project), FName(std::move(Name)), FFileName(std::move(FileName)), FHasForm(HasForm) {}
  std::string Name() const override { return FName; }
  std::string FileName() const override { return FFileName; }
  std::string FormName() const override { return FHasForm ? FName : std::string(); }
  IOTAModule* OpenModule() override {
    return FProject->FEnvironment.OpenUnitFile(FFileName, FHasForm, FProject->Folder());
  }
  void SetFileName(std::string Value) { FFileName = std::move(Value); }

private:
  TProjectModule* FProject;
  std::string FName;
  std::string FFileName;
  bool FHasForm;
};

TProjectModule::TProjectModule(TDesignEnvironment& Environment, std::unique_ptr<TFormProject> Project)
    : FEnvironment(Environment), FProject(std::move(Project)) {
  for (const TProjectForm& f : FProject->FormFiles())
    FModules.push_back(std::make_unique<TModuleInfo>(this, f.Name, TDesignEnvironment::NormalFileName(f.FileName), true));
  for (const TProjectForm& u : FProject->UnitFiles())
    FModules.push_back(
        std::make_unique<TModuleInfo>(this, u.Name, TDesignEnvironment::NormalFileName(u.FileName), false));
}

TProjectModule::~TProjectModule() = default;

std::string TProjectModule::FileName() const { return FProject->FileName(); }

std::string TProjectModule::Folder() const { return std::filesystem::path(FProject->FileName()).parent_path().string(); }

IOTAEditor* TProjectModule::GetModuleFileEditor(int) { return nullptr; }

IOTAModuleInfo* TProjectModule::GetModule(int Index) {
  if (Index < 0 || Index >= GetModuleCount()) return nullptr;
  return FModules[static_cast<std::size_t>(Index)].get();
}

bool TProjectModule::Lists(const std::string& FileName) const {
  const std::string file = TDesignEnvironment::NormalFileName(FileName);
  return std::any_of(FModules.begin(), FModules.end(), [&](const auto& m) { return m->FileName() == file; });
}

bool TProjectModule::CloseModule(bool ForceClosed) { return FEnvironment.CloseModule(this, ForceClosed); }

void TProjectModule::FormRenamed(const std::string& OldFileName, const std::string& NewFileName) {
  for (auto& m : FModules) {
    if (m->FileName() != OldFileName || m->FormName().empty()) continue;
    m->SetFileName(NewFileName);
    // The project file names the form's new file, relative to the project
    // where it lies inside its folder; its other lines stay as they are.
    std::filesystem::path file(NewFileName);
    const std::filesystem::path relative = file.lexically_relative(Folder());
    if (!relative.empty() && *relative.begin() != "..") file = relative;
    TMemIniFile ini(FProject->FileName());
    ini.WriteString("Forms", m->Name(), file.generic_string());
    ini.UpdateFile();
  }
}

// ---- project groups --------------------------------------------------------------------

TProjectGroupModule::TProjectGroupModule(TDesignEnvironment& Environment, std::string FileName)
    : FEnvironment(Environment), FFileName(std::move(FileName)) {}

TProjectGroupModule::~TProjectGroupModule() = default;

IOTAProject* TProjectGroupModule::Projects(int Index) const {
  if (Index < 0 || Index >= ProjectCount()) return nullptr;
  return FProjects[static_cast<std::size_t>(Index)];
}

void TProjectGroupModule::SetActiveProject(IOTAProject* Value) {
  if (Value && std::find(FProjects.begin(), FProjects.end(), Value) == FProjects.end())
    throw EDesignError("The project is not in the group " + FFileName);
  FActive = Value;
}

void TProjectGroupModule::AddProject(IOTAProject* Project) {
  if (!Project || std::find(FProjects.begin(), FProjects.end(), Project) != FProjects.end()) return;
  FProjects.push_back(Project);
  if (!FActive) FActive = Project;
}

void TProjectGroupModule::RemoveProject(IOTAProject* Project) {
  std::erase(FProjects, Project);
  if (FActive == Project) FActive = FProjects.empty() ? nullptr : FProjects.front();
}

bool TProjectGroupModule::CloseModule(bool ForceClosed) { return FEnvironment.CloseModule(this, ForceClosed); }

}  // namespace host
