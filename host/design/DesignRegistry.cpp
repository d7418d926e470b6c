// The registries behind DesignIntf.h and the wizards of ToolsAPI.h: each
// entry remembers the package that made it, so that unloading a package
// withdraws exactly its own.
#include <algorithm>

#include "host/core/CaseFold.h"
#include "host/design/DesignEditors.h"
#include "host/design/DesignPackage.h"
#include "host/design/ToolsAPI.h"

namespace host {

namespace {

struct TPaletteEntry {
  std::string Page;
  const TClass* Class;
  int Package;
};
struct TPropertyEditorEntry {
  TPropertyType Type;
  const TClass* ComponentClass;
  std::string PropertyName;
  TPropertyEditorClass EditorClass;
  int Package;
};
struct TComponentEditorEntry {
  const TClass* ComponentClass;
  TComponentEditorClass EditorClass;
  int Package;
};
struct TWizardEntry {
  std::unique_ptr<IOTAWizard> Wizard;
  int Package;
};
struct TClassEntry {
  std::string Name;
  int Package;
};

struct TRegistry {
  std::vector<TPaletteEntry> Palette;
  std::vector<TPropertyEditorEntry> PropertyEditors;
  std::vector<TComponentEditorEntry> ComponentEditors;
  std::vector<TWizardEntry> Wizards;
  std::vector<TClassEntry> Classes;
  int Current = 0;
  int LastId = 0;
};

TRegistry& Registry() {
  // Never destroyed: plug-ins unload before the process ends, and the
  // host's own entries hold nothing that needs freeing at exit.
  static TRegistry* registry = new TRegistry();
  return *registry;
}

std::vector<std::string> RegisteredClassNames() {
  std::vector<std::string> names;
  for (const TRegisteredClass* c : RegisteredClasses()) names.push_back(c->Class->Name());
  return names;
}

// Whether a property editor registration is a better match than another,
// both matching: a named property first, then the more derived component
// class, then the closer property type; among equals the later one (the
// caller walks in registration order and keeps a candidate on ties).
int Specificity(const TPropertyEditorEntry& A, const TPropertyEditorEntry& B, const TPropInfo& Prop) {
  if (A.PropertyName.empty() != B.PropertyName.empty()) return A.PropertyName.empty() ? -1 : 1;
  if (A.ComponentClass != B.ComponentClass) {
    if (!A.ComponentClass) return -1;
    if (!B.ComponentClass) return 1;
    if (A.ComponentClass->InheritsFrom(*B.ComponentClass)) return 1;
    if (B.ComponentClass->InheritsFrom(*A.ComponentClass)) return -1;
  }
  bool exactA = false, exactB = false;
  A.Type.Matches(Prop, &exactA);
  B.Type.Matches(Prop, &exactB);
  if (exactA != exactB) return exactA ? 1 : -1;
  if (A.Type.Class() && B.Type.Class() && A.Type.Class() != B.Type.Class()) {
    if (A.Type.Class()->InheritsFrom(*B.Type.Class())) return 1;
    if (B.Type.Class()->InheritsFrom(*A.Type.Class())) return -1;
  }
  return 0;
}

}  // namespace

bool TPropertyType::Matches(const TPropInfo& Prop, bool* Exact) const {
  bool match = false, exact = false;
  if (FClass) {
    match = Prop.Kind == tkClass && Prop.PropClass && Prop.PropClass->InheritsFrom(*FClass);
    exact = match && Prop.PropClass == FClass;
  } else if (FInfo) {
    match = exact = Prop.PropType == FInfo && Prop.Kind != tkClass;
  }
  if (Exact) *Exact = exact;
  return match;
}

// ---- registration ----------------------------------------------------------

void RegisterComponents(const std::string& Page, std::initializer_list<const TClass*> ComponentClasses) {
  if (Page.empty()) throw EDesignError("A palette page needs a name");
  TRegistry& r = Registry();
  for (const TClass* cls : ComponentClasses) {
    if (!cls || !cls->InheritsFrom(TComponent::StaticClass()))
      throw EDesignError("Only component classes can go on the palette");
    if (!FindRegisteredClass(cls->Name()))
      throw EDesignError(cls->Name() + " is not registered for streaming: register it with RegisterClass first");
    const bool known = std::any_of(r.Palette.begin(), r.Palette.end(), [&](const TPaletteEntry& e) {
      return e.Class == cls && SameText(e.Page, Page);
    });
    if (!known) r.Palette.push_back({Page, cls, r.Current});
  }
}

void RegisterPropertyEditor(TPropertyType PropertyType, const TClass* ComponentClass, std::string_view PropertyName,
                            TPropertyEditorClass EditorClass) {
  TRegistry& r = Registry();
  r.PropertyEditors.push_back(
      {PropertyType, ComponentClass, std::string(PropertyName), std::move(EditorClass), r.Current});
}

void RegisterComponentEditor(const TClass& ComponentClass, TComponentEditorClass ComponentEditor) {
  if (!ComponentEditor) throw EDesignError("RegisterComponentEditor needs an editor class");
  TRegistry& r = Registry();
  r.ComponentEditors.push_back({&ComponentClass, std::move(ComponentEditor), r.Current});
}

void RegisterPackageWizard(std::unique_ptr<IOTAWizard> Wizard) {
  if (!Wizard) return;
  TRegistry& r = Registry();
  r.Wizards.push_back({std::move(Wizard), r.Current});
}

int WizardCount() { return static_cast<int>(Registry().Wizards.size()); }

IOTAWizard* Wizards(int Index) {
  const auto& w = Registry().Wizards;
  if (Index < 0 || Index >= static_cast<int>(w.size())) throw EListError("Wizard index out of bounds (" + IntToStr(Index) + ")");
  return w[static_cast<std::size_t>(Index)].Wizard.get();
}

// ---- look-ups ----------------------------------------------------------------

std::vector<std::string> PalettePages() {
  std::vector<std::string> pages;
  for (const TPaletteEntry& e : Registry().Palette)
    if (std::none_of(pages.begin(), pages.end(), [&](const std::string& p) { return SameText(p, e.Page); }))
      pages.push_back(e.Page);
  return pages;
}

std::vector<const TClass*> PaletteClasses(std::string_view Page) {
  std::vector<const TClass*> classes;
  for (const TPaletteEntry& e : Registry().Palette)
    if (SameText(e.Page, Page)) classes.push_back(e.Class);
  return classes;
}

TPropertyEditorMatch FindPropertyEditor(const TClass& ObjectClass, const TPropInfo& Prop) {
  const TPropertyEditorEntry* best = nullptr;
  for (const TPropertyEditorEntry& e : Registry().PropertyEditors) {
    if (!e.Type.Matches(Prop)) continue;
    if (e.ComponentClass && !ObjectClass.InheritsFrom(*e.ComponentClass)) continue;
    if (!e.PropertyName.empty() && !SameText(e.PropertyName, Prop.Name)) continue;
    if (!best || Specificity(e, *best, Prop) >= 0) best = &e;
  }
  TPropertyEditorMatch match;
  if (!best) return match;
  match.Found = true;
  match.Hidden = !best->EditorClass;
  match.EditorClass = best->EditorClass;
  return match;
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component, IDesigner* Designer) {
  if (!Component) return nullptr;
  const TComponentEditorEntry* best = nullptr;
  for (const TComponentEditorEntry& e : Registry().ComponentEditors) {
    if (!Component->InheritsFrom(*e.ComponentClass)) continue;
    // A later registration for the same class, or one for a class derived
    // from the best so far, takes over.
    if (!best || e.ComponentClass->InheritsFrom(*best->ComponentClass)) best = &e;
  }
  if (best)
    if (auto editor = best->EditorClass(Component, Designer)) return editor;
  return std::make_unique<TDefaultEditor>(Component, Designer);
}

// ---- packages --------------------------------------------------------------

int NewPackageId() { return ++Registry().LastId; }

int CurrentPackage() { return Registry().Current; }

TPackageScope::TPackageScope(int Package) : FPrevious(Registry().Current), FClassesBefore(RegisteredClassNames()) {
  Registry().Current = Package;
}

TPackageScope::~TPackageScope() {
  TRegistry& r = Registry();
  for (const std::string& name : RegisteredClassNames())
    if (std::find(FClassesBefore.begin(), FClassesBefore.end(), name) == FClassesBefore.end())
      r.Classes.push_back({name, r.Current});
  r.Current = FPrevious;
}

void UnregisterPackage(int Package) {
  if (Package == 0) return;
  TRegistry& r = Registry();
  // Wizards first, newest first: they may take their menu items out of
  // menus and look at what the package registered.
  for (std::size_t i = r.Wizards.size(); i-- > 0;) {
    if (r.Wizards[i].Package != Package) continue;
    std::unique_ptr<IOTAWizard> wizard = std::move(r.Wizards[i].Wizard);
    r.Wizards.erase(r.Wizards.begin() + static_cast<std::ptrdiff_t>(i));
    wizard.reset();
  }
  auto own = [Package](const auto& e) { return e.Package == Package; };
  std::erase_if(r.Palette, own);
  std::erase_if(r.PropertyEditors, own);
  std::erase_if(r.ComponentEditors, own);
  for (const TClassEntry& c : r.Classes)
    if (c.Package == Package)
      if (const TRegisteredClass* rc = FindRegisteredClass(c.Name)) UnRegisterClass(*rc->Class);
  std::erase_if(r.Classes, own);
}

bool RunPackageRegister(TPackageCall* Call, int PackageApiVersion, void (*Register)()) {
  if (!Call) return false;
  if (PackageApiVersion != HOST_DESIGN_API_VERSION) {
    Call->Error = "The package was built for design API version " + IntToStr(PackageApiVersion) +
                  "; this host offers version " + IntToStr(HOST_DESIGN_API_VERSION);
    return false;
  }
  try {
    Register();
    return true;
  } catch (const std::exception& e) {
    Call->Error = e.what();
  } catch (...) {
    Call->Error = "Register failed with an unknown error";
  }
  return false;
}

}  // namespace host
