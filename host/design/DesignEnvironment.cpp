#include "host/design/DesignEnvironment.h"

#include <algorithm>
#include <filesystem>

#include "host/controls/Application.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Menus.h"
#include "host/controls/StdRegister.h"
#include "host/core/CaseFold.h"
#include "host/core/FormFolder.h"
#include "host/design/StdComponents.h"
#include "host/stream/FormStream.h"

namespace host {

TDesignEnvironment::TDesignEnvironment() {
  if (IDEServices()) throw EDesignError("A design environment is running already");
  RegisterStandardControls();
  RegisterStandardComponents();
  // Forms open here find each other by name while they are read.
  FLookupId = RegisterFindGlobalComponentProc([this](std::string_view Name) -> TComponent* {
    for (TComponent* root : FormRoots())
      if (SameText(root->Name(), Name)) return root;
    return nullptr;
  });
  SetIDEServices(this);
}

TDesignEnvironment::~TDesignEnvironment() {
  CloseAllModules(true);
  // Wizards go with their packages, while the menu they put items into
  // is still there.
  FPackages.UnloadAll();
  FMainMenu = nullptr;
  FMenuOwner.reset();
  UnRegisterFindGlobalComponentProc(FLookupId);
  SetIDEServices(nullptr);
}

std::string TDesignEnvironment::NormalFileName(const std::string& FileName) {
  if (FileName.empty()) return FileName;
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::absolute(FileName, ec);
  return (ec ? std::filesystem::path(FileName) : p).lexically_normal().string();
}

// ---- module services ---------------------------------------------------------------

IOTAModule* TDesignEnvironment::Modules(int Index) const {
  if (Index < 0 || Index >= ModuleCount()) throw EListError("Module index out of bounds (" + IntToStr(Index) + ")");
  return FModules[static_cast<std::size_t>(Index)].get();
}

IOTAModule* TDesignEnvironment::FindModule(const std::string& FileName) const {
  const std::string file = NormalFileName(FileName);
  for (const auto& m : FModules)
    if (!m->FileName().empty() && NormalFileName(m->FileName()) == file) return m.get();
  return nullptr;
}

bool TDesignEnvironment::CloseAll() { return CloseAllModules(false); }

std::vector<TFormModule*> TDesignEnvironment::FormModules() const {
  std::vector<TFormModule*> list;
  for (const auto& m : FModules)
    if (auto* f = dynamic_cast<TFormModule*>(m.get())) list.push_back(f);
  return list;
}

TFormModule* TDesignEnvironment::FindFormModule(const TComponent* Root) const {
  for (TFormModule* f : FormModules())
    if (f->Root() == Root) return f;
  return nullptr;
}

std::vector<TComponent*> TDesignEnvironment::FormRoots() const {
  std::vector<TComponent*> roots;
  for (TFormModule* f : FormModules()) roots.push_back(f->Root());
  return roots;
}

TProjectModule* TDesignEnvironment::ProjectListing(const std::string& FileName) const {
  const std::string file = NormalFileName(FileName);
  for (const auto& m : FModules)
    if (auto* p = dynamic_cast<TProjectModule*>(m.get()); p && p->Lists(file)) return p;
  return nullptr;
}

template <class M>
M* TDesignEnvironment::Adopt(std::unique_ptr<M> Module) {
  M* m = Module.get();
  FModules.push_back(std::move(Module));
  FCurrent = m;
  Notify(ecOpened, m);
  return m;
}

// ---- opening ----------------------------------------------------------------------

TProjectModule* TDesignEnvironment::LoadProject(const std::string& FileName) {
  if (auto* open = dynamic_cast<TProjectModule*>(FindModule(FileName))) return open;
  auto project = TFormProject::LoadFromFile(NormalFileName(FileName));
  return Adopt(std::make_unique<TProjectModule>(*this, std::move(project)));
}

TFormModule* TDesignEnvironment::LoadForm(const std::string& FileName, const std::string& Folder) {
  const std::string file = NormalFileName(FileName);
  if (IOTAModule* open = FindModule(file)) {
    if (auto* form = dynamic_cast<TFormModule*>(open)) return form;
    throw EDesignError(file + " is open, but not as a form");
  }
  std::string folder = Folder;
  if (folder.empty()) {
    const TProjectModule* project = ProjectListing(file);
    folder = project ? project->Folder() : std::filesystem::path(file).parent_path().string();
  }
  TReadOptions options;
  options.Designing = true;
  options.OnUnresolvedReference = [this](TComponent* Holder, TObject* Instance, const TPropInfo* Prop,
                                          const std::string& Path) {
    // Only a reference into another form waits for that form to open; a
    // name the form itself should hold is a fault of the file.
    const std::size_t dot = Path.find('.');
    if (dot == std::string::npos) return false;
    const TComponent* root = Holder;
    while (root->Owner()) root = root->Owner();
    if (root->FindComponent(std::string_view(Path).substr(0, dot))) return false;
    FReferences.Add(Holder, Instance, Prop, Path);
    return true;
  };
  options.OnBeforeLoaded = [folder](TComponent* Root) { SetFormFolder(Root, folder); };
  std::unique_ptr<TComponent> root = ReadComponentFile(file, options);
  // The references the other open forms keep into this one are set again.
  TComponent* form = root.get();
  auto* module = Adopt(std::make_unique<TFormModule>(*this, file, folder, std::move(root)));
  FReferences.FormOpened(form);
  return module;
}

TUnitModule* TDesignEnvironment::LoadUnit(const std::string& FileName) {
  const std::string file = NormalFileName(FileName);
  if (auto* open = dynamic_cast<TUnitModule*>(FindModule(file))) return open;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) throw EFOpenError("Cannot open file \"" + file + "\"");
  return Adopt(std::make_unique<TUnitModule>(*this, file));
}

TProjectGroupModule* TDesignEnvironment::NewProjectGroup(const std::string& Name) {
  return Adopt(std::make_unique<TProjectGroupModule>(*this, Name));
}

IOTAModule* TDesignEnvironment::OpenUnitFile(const std::string& FileName, bool IsForm, const std::string& Folder) {
  try {
    if (IsForm) return LoadForm(FileName, Folder);
    return LoadUnit(FileName);
  } catch (const std::exception& e) {
    ShowDesignError(e.what());
    return nullptr;
  }
}

int TDesignEnvironment::OpenProjectForms(IOTAProject* Project) {
  if (!Project) return 0;
  int open = 0;
  for (int i = 0; i < Project->GetModuleCount(); ++i) {
    IOTAModuleInfo* info = Project->GetModule(i);
    if (info && !info->FormName().empty() && info->OpenModule()) ++open;
  }
  return open;
}

bool TDesignEnvironment::OpenFile(const std::string& FileName) {
  if (IOTAModule* open = FindModule(FileName)) {
    ShowModule(open);
    return true;
  }
  const std::string ext = std::filesystem::path(FileName).extension().string();
  try {
    if (SameText(ext, ".amproj")) {
      LoadProject(FileName);
    } else if (SameText(ext, ".dfm")) {
      ShowModule(LoadForm(FileName));
    } else {
      LoadUnit(FileName);
    }
    return true;
  } catch (const std::exception& e) {
    ShowDesignError(e.what());
    return false;
  }
}

bool TDesignEnvironment::OpenProject(const std::string& ProjName, bool NewProjGroup) {
  try {
    TProjectModule* project = LoadProject(ProjName);
    if (NewProjGroup) {
      TProjectGroupModule* group = NewProjectGroup();
      group->AddProject(project);
      group->SetActiveProject(project);
    }
    return true;
  } catch (const std::exception& e) {
    ShowDesignError(e.what());
    return false;
  }
}

bool TDesignEnvironment::CloseFile(const std::string& FileName) {
  IOTAModule* m = FindModule(FileName);
  return m && CloseModule(m, false);
}

bool TDesignEnvironment::SaveFile(const std::string& FileName) {
  IOTAModule* m = FindModule(FileName);
  return m && m->Save(false, false);
}

void TDesignEnvironment::ShowModule(IOTAModule* Module) {
  if (!Module) return;
  FCurrent = Module;
  Notify(ecShown, Module);
}

void TDesignEnvironment::FormRenamed(TFormModule* Module, const std::string& OldFileName) {
  for (const auto& m : FModules)
    if (auto* p = dynamic_cast<TProjectModule*>(m.get())) p->FormRenamed(OldFileName, Module->FileName());
  Notify(ecRenamed, Module);
}

// ---- closing ----------------------------------------------------------------------

bool TDesignEnvironment::CloseModule(IOTAModule* Module, bool Force) {
  auto it = std::find_if(FModules.begin(), FModules.end(), [&](const auto& m) { return m.get() == Module; });
  if (it == FModules.end()) return false;
  auto* form = dynamic_cast<TFormModule*>(Module);
  if (form && form->IsModified() && !Force) {
    const TModalResult answer =
        Application()->Dialogs().MessageDlg("Save changes to \"" + form->FileName() + "\"?", mtConfirmation,
                                            mbYesNoCancel);
    if (answer == mrCancel || answer == mrNone) return false;
    if (answer == mrYes && !form->Save()) return false;
  }
  if (auto* project = dynamic_cast<IOTAProject*>(Module)) {
    // A project takes its open units along; one that stays keeps it open.
    if (auto* p = dynamic_cast<TProjectModule*>(project))
      for (std::size_t i = FModules.size(); i-- > 0;) {
        IOTAModule* m = FModules[i].get();
        if (m != Module && p->Lists(m->FileName()) && !CloseModule(m, Force)) return false;
      }
    for (const auto& m : FModules)
      if (auto* group = dynamic_cast<TProjectGroupModule*>(m.get())) group->RemoveProject(project);
  }
  Notify(ecClosing, Module);
  if (form) {
    std::vector<TComponent*> others = FormRoots();
    std::erase(others, form->Root());
    FReferences.FormClosing(form->Root(), others);
  }
  it = std::find_if(FModules.begin(), FModules.end(), [&](const auto& m) { return m.get() == Module; });
  std::unique_ptr<IOTAModule> doomed = std::move(*it);
  FModules.erase(it);
  if (FCurrent == Module) FCurrent = FModules.empty() ? nullptr : FModules.back().get();
  doomed.reset();
  return true;
}

bool TDesignEnvironment::UnloadPackage(const std::string& FileName) {
  return CloseAllModules(false) && FPackages.Unload(FileName);
}

bool TDesignEnvironment::CloseAllModules(bool Force) {
  while (!FModules.empty())
    if (!CloseModule(FModules.back().get(), Force)) return false;
  return true;
}

}  // namespace host
