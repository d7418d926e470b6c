// Form units and units without a form, with their editors.
#include "host/design/DesignModules.h"

#include <filesystem>
#include <unordered_map>

#include "host/controls/Dialogs.h"
#include "host/core/FormFolder.h"
#include "host/core/IniFiles.h"
#include "host/design/DesignEnvironment.h"
#include "host/stream/FormWriter.h"

namespace host {

// The editor of a module's source file; the host keeps no text, so it
// answers for the module.
class TModuleSourceEditor : public IOTASourceEditor {
public:
  TModuleSourceEditor(TDesignEnvironment& Environment, IOTAModule* Module) : FEnvironment(Environment), FModule(Module) {}
  std::string FileName() const override { return FModule->FileName(); }
  IOTAModule* Module() const override { return FModule; }
  bool GetModified() const override { return FModule->IsModified(); }
  void MarkModified() override {
    if (auto* form = dynamic_cast<TFormModule*>(FModule)) form->Designer()->Modified();
  }
  void Show() override { FEnvironment.ShowModule(FModule); }

private:
  TDesignEnvironment& FEnvironment;
  IOTAModule* FModule;
};

// A component of a designed form as the tools services hand it out. It
// forgets its component when the component goes.
class TComponentRef : public IOTAComponent {
public:
  TComponentRef(TComponent* Component, IOTAComponent* Parent) : FComponent(Component), FParent(Parent) {}
  TComponent* GetComponent() const override { return FComponent; }
  std::string GetComponentType() const override { return FComponent ? FComponent->ClassName() : std::string(); }
  IOTAComponent* GetParent() const override { return FParent; }
  void Forget() { FComponent = nullptr; }

private:
  TComponent* FComponent;
  IOTAComponent* FParent;
};

class TFormEditor : public IOTAFormEditor {
public:
  TFormEditor(TDesignEnvironment& Environment, TFormModule* Module)
      : FEnvironment(Environment), FModule(Module), FWatcher(std::make_unique<TWatcher>(this)) {}
  ~TFormEditor() override { FWatcher.reset(); }

  std::string FileName() const override { return FModule->FileName(); }
  IOTAModule* Module() const override { return FModule; }
  bool GetModified() const override { return FModule->IsModified(); }
  void MarkModified() override { FModule->Designer()->Modified(); }
  void Show() override { FEnvironment.ShowModule(FModule); }
  IOTAComponent* GetRootComponent() override { return RefOf(FModule->Root()); }
  IOTAComponent* FindComponent(const std::string& Name) override {
    TComponent* root = FModule->Root();
    return RefOf(SameText(root->Name(), Name) ? root : root->FindComponent(Name));
  }

private:
  class TWatcher : public TComponent {
  public:
    explicit TWatcher(TFormEditor* Editor) : TComponent(nullptr), FEditor(Editor) {}
    void Notification(TComponent* AComponent, TOperation Operation) override {
      TComponent::Notification(AComponent, Operation);
      if (Operation != opRemove) return;
      auto it = FEditor->FRefs.find(AComponent);
      if (it != FEditor->FRefs.end()) it->second->Forget();
    }

  private:
    TFormEditor* FEditor;
  };

  IOTAComponent* RefOf(TComponent* Component) {
    if (!Component) return nullptr;
    auto it = FRefs.find(Component);
    if (it != FRefs.end() && it->second->GetComponent() == Component) return it->second.get();
    IOTAComponent* parent = Component == FModule->Root() ? nullptr : RefOf(Component->Owner());
    auto ref = std::make_unique<TComponentRef>(Component, parent);
    TComponentRef* result = ref.get();
    // A forgotten one stays alive: a plug-in may still hold its pointer.
    if (it != FRefs.end()) FOld.push_back(std::move(it->second));
    FRefs[Component] = std::move(ref);
    Component->FreeNotification(FWatcher.get());
    return result;
  }

  TDesignEnvironment& FEnvironment;
  TFormModule* FModule;
  std::unordered_map<const TComponent*, std::unique_ptr<TComponentRef>> FRefs;
  std::vector<std::unique_ptr<TComponentRef>> FOld;
  std::unique_ptr<TWatcher> FWatcher;
};

// ---- form units ----------------------------------------------------------------------

TFormModule::TFormModule(TDesignEnvironment& Environment, std::string FileName, std::string Folder,
                         std::unique_ptr<TComponent> Root)
    : FEnvironment(Environment),
      FFileName(std::move(FileName)),
      FFolder(std::move(Folder)),
      FRoot(std::move(Root)),
      FDesigner(std::make_unique<TFormDesigner>(FRoot.get())),
      FSource(std::make_unique<TModuleSourceEditor>(Environment, this)),
      FForm(std::make_unique<TFormEditor>(Environment, this)) {
  SetFormFolder(FRoot.get(), FFolder);
  FDesigner->SetFormsProvider([this] { return FEnvironment.FormRoots(); });
  FSubscription = FDesigner->Subscribe([this](TDesignChange Change) {
    FEnvironment.Notify(Change == dcModified ? ecModified : ecDesigner, this);
  });
}

TFormModule::~TFormModule() {
  FDesigner->Unsubscribe(FSubscription);
  FForm.reset();
  FSource.reset();
  FDesigner.reset();
  FRoot.reset();
}

IOTAEditor* TFormModule::GetModuleFileEditor(int Index) {
  if (Index == 0) return FSource.get();
  if (Index == 1) return FForm.get();
  return nullptr;
}

IOTAFormEditor* TFormModule::FormEditor() const { return FForm.get(); }

std::string TFormModule::FormText() const {
  TFormWriter writer;
  TFormReferences& refs = FEnvironment.References();
  writer.SetOnMissingReference([&refs](const TObject& Object, const TPropInfo& Prop) {
    return refs.PendingPath(Object, Prop);
  });
  return writer.Write(*FRoot);
}

void TFormModule::SaveToFile(const std::string& FileName) {
  const std::string target = FileName.empty() ? FFileName : TDesignEnvironment::NormalFileName(FileName);
  WriteFileAtomic(target, FormText());
  FDesigner->SetModified(false);
  if (target == FFileName) return;
  const std::string old = FFileName;
  FFileName = target;
  // A form of no project keeps its files beside it.
  if (!FEnvironment.ProjectListing(old)) {
    FFolder = std::filesystem::path(target).parent_path().string();
    SetFormFolder(FRoot.get(), FFolder);
  }
  FEnvironment.FormRenamed(this, old);
}

bool TFormModule::Save(bool ChangeName, bool ForceSave) {
  std::string target;
  if (ChangeName) {
    TOpenDialog dialog(nullptr);
    dialog.SetTitle("Save As");
    dialog.SetFilter("Form files (*.dfm)|*.dfm|All files (*)|*");
    dialog.SetDefaultExt("dfm");
    dialog.SetFileName(FFileName);
    dialog.SetOptions(dialog.Options() + TOpenOptions{ofOverwritePrompt});
    if (!dialog.Execute()) return false;
    target = dialog.FileName();
  } else if (!ForceSave && !IsModified()) {
    return true;
  }
  try {
    SaveToFile(target);
    return true;
  } catch (const std::exception& e) {
    ShowDesignError(e.what());
    return false;
  }
}

bool TFormModule::CloseModule(bool ForceClosed) { return FEnvironment.CloseModule(this, ForceClosed); }

// ---- units without a form --------------------------------------------------------------

TUnitModule::TUnitModule(TDesignEnvironment& Environment, std::string FileName)
    : FEnvironment(Environment),
      FFileName(std::move(FileName)),
      FSource(std::make_unique<TModuleSourceEditor>(Environment, this)) {}

TUnitModule::~TUnitModule() = default;

IOTAEditor* TUnitModule::GetModuleFileEditor(int Index) { return Index == 0 ? FSource.get() : nullptr; }

bool TUnitModule::CloseModule(bool ForceClosed) { return FEnvironment.CloseModule(this, ForceClosed); }

}  // namespace host
