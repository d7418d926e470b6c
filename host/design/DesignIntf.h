// The design-time services a plug-in registers with: the component palette,
// property editors and component editors, and the designer of a form that
// the editors talk to. Editors themselves are declared in DesignEditors.h;
// wizards, menus, projects and modules in ToolsAPI.h.
//
// Ownership. Registrations live in the host until the package that made
// them is unloaded (see TPackageScope); editors are created by the host for
// one use and freed by it; a designer belongs to its form's module and
// lives as long as the form is open.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/core/ClassRegistry.h"
#include "host/core/Component.h"
#include "host/core/Set.h"
#include "host/core/TypInfo.h"

namespace host {

class TComponentEditor;
class TPropertyEditor;
class TWinControl;

// A fault in the use of the design-time services (an unregistered class on
// the palette, a name no component can take, ...).
class EDesignError : public Exception {
  using Exception::Exception;
};

using TGetStrProc = std::function<void(const std::string& S)>;
using TDesignerSelections = std::vector<TPersistent*>;

// The designer of one form. Editors receive it and tell it when they
// changed the form; the object inspector and the design surface show what
// it holds. Implemented by the host (TFormDesigner).
class IDesigner {
public:
  virtual ~IDesigner() = default;
  // The form changed: it is marked modified and every view shows it again.
  virtual void Modified() = 0;
  // The designed form (the root of the components).
  virtual TComponent* GetRoot() const = 0;
  // The selected objects, first selected first.
  virtual TDesignerSelections GetSelections() const = 0;
  virtual void SetSelections(const TDesignerSelections& List) = 0;
  virtual void SelectComponent(TPersistent* Instance) = 0;
  // A name no component of the form has yet: BaseName without its leading
  // "T" followed by the lowest free number ("TButton" gives "Button1").
  virtual std::string UniqueName(const std::string& BaseName) const = 0;
  // The name a reference to Component is written and shown with: its own
  // name on this form, "OtherForm.Name" on another open form; empty for
  // null or a component no form holds.
  virtual std::string GetComponentName(const TComponent* Component) const = 0;
  // The component of that name (also "OtherForm.Name"); null when none.
  virtual TComponent* GetComponent(std::string_view Name) const = 0;
  // Every component of this form and then of the other open forms that a
  // reference of class Class may hold, by the names GetComponentName gives.
  virtual void GetComponentNames(const TClass& Class, const TGetStrProc& Proc) const = 0;
  // Creates a component of a registered class on this form, in design
  // state and named uniquely; a control goes into Parent (the form when
  // null) at the given bounds (a width or height of 0 keeps the class's).
  virtual TComponent* CreateComponent(const TClass& ComponentClass, TWinControl* Parent, int Left, int Top,
                                      int Width = 0, int Height = 0) = 0;
};

// ---- registration ----------------------------------------------------------

// How the host creates an editor: editor "classes" are factories. An empty
// property editor class registers no editor, which hides the property.
using TComponentEditorClass = std::function<std::unique_ptr<TComponentEditor>(TComponent* Component, IDesigner* Designer)>;
using TPropertyEditorClass = std::function<std::unique_ptr<TPropertyEditor>(IDesigner* Designer, int PropCount)>;

template <class E>
TComponentEditorClass ComponentEditorClass() {
  return [](TComponent* Component, IDesigner* Designer) -> std::unique_ptr<TComponentEditor> {
    return std::make_unique<E>(Component, Designer);
  };
}
template <class E>
TPropertyEditorClass PropertyEditorClass() {
  return [](IDesigner* Designer, int PropCount) -> std::unique_ptr<TPropertyEditor> {
    return std::make_unique<E>(Designer, PropCount);
  };
}

// The type a property editor is registered for: a type record (integers,
// strings, an enumeration, ...) or a class (TStrings, TFont, a component
// class), which also takes properties of its descendants.
class TPropertyType {
public:
  TPropertyType(const TTypeInfo& Info) : FInfo(&Info) {}
  TPropertyType(const TClass& Class) : FClass(&Class) {}
  const TTypeInfo* Info() const { return FInfo; }
  const TClass* Class() const { return FClass; }
  // True when a property of that record takes this type; Exact tells
  // whether it is the property's own type rather than an ancestor class.
  bool Matches(const TPropInfo& Prop, bool* Exact = nullptr) const;

private:
  const TTypeInfo* FInfo = nullptr;
  const TClass* FClass = nullptr;
};

// TypeInfo<int>(), TypeInfo<std::string>(), TypeInfo<TStrings>(), ...
template <class T>
TPropertyType TypeInfo() {
  if constexpr (std::is_base_of_v<TObject, T>)
    return TPropertyType(T::StaticClass());
  else
    return TPropertyType(TypeInfoOf(static_cast<T*>(nullptr)));
}

// Puts classes on a palette page, after those already there. Pages keep
// the order in which they were first named. A class must be registered
// for streaming (RegisterClass) so that the designer can create it; the
// template form registers it as well.
void RegisterComponents(const std::string& Page, std::initializer_list<const TClass*> ComponentClasses);
template <class... T>
void RegisterComponents(const std::string& Page) {
  // A class the host already creates keeps the host's factory: a factory
  // in the plug-in's code would not outlive its library.
  ((FindRegisteredClass(T::StaticClass().Name()) ? void() : RegisterClass<T>()), ...);
  RegisterComponents(Page, {&T::StaticClass()...});
}

// Binds an editor to the property PropertyName (every property of the type
// when empty) of ComponentClass and its descendants (every class when
// null). The most specific registration wins: a named property over all
// properties of a type, a derived class over its ancestor, the property's
// exact type over an ancestor class; among equals the later one.
void RegisterPropertyEditor(TPropertyType PropertyType, const TClass* ComponentClass, std::string_view PropertyName,
                            TPropertyEditorClass EditorClass);
template <class E>
void RegisterPropertyEditor(TPropertyType PropertyType, const TClass* ComponentClass, std::string_view PropertyName) {
  RegisterPropertyEditor(PropertyType, ComponentClass, PropertyName, PropertyEditorClass<E>());
}

// Binds a component editor to ComponentClass and its descendants; the
// registration for the most derived class a component inherits from
// serves it (among equals the later one).
void RegisterComponentEditor(const TClass& ComponentClass, TComponentEditorClass ComponentEditor);
template <class E>
void RegisterComponentEditor(const TClass& ComponentClass) {
  RegisterComponentEditor(ComponentClass, ComponentEditorClass<E>());
}

// ---- what the host reads back -----------------------------------------------

// Palette pages in order, and the classes of one page in order.
std::vector<std::string> PalettePages();
std::vector<const TClass*> PaletteClasses(std::string_view Page);

// The editor registered for a property of an object of class ObjectClass:
// Found is false when nothing is registered (the host's default editor for
// the kind serves), Hidden true when the registration names no editor.
struct TPropertyEditorMatch {
  bool Found = false;
  bool Hidden = false;
  TPropertyEditorClass EditorClass;
};
TPropertyEditorMatch FindPropertyEditor(const TClass& ObjectClass, const TPropInfo& Prop);

// A new editor for Component: the registered one, else TDefaultEditor.
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component, IDesigner* Designer);

// ---- packages --------------------------------------------------------------

// Every registration (palette entries, editors, classes registered for
// streaming, wizards) belongs to the package whose scope is open while it
// is made; outside any scope it belongs to the host (package 0) and stays.
// The plug-in loader opens a scope around each plug-in's Register.
int NewPackageId();
int CurrentPackage();
class TPackageScope {
public:
  explicit TPackageScope(int Package);
  // Closes the scope: classes registered for streaming while it was open
  // are remembered as the package's own.
  ~TPackageScope();
  TPackageScope(const TPackageScope&) = delete;
  TPackageScope& operator=(const TPackageScope&) = delete;

private:
  int FPrevious;
  std::vector<std::string> FClassesBefore;
};
// Withdraws what the package registered: its wizards are freed first
// (newest first), then its palette entries, editors and classes go.
void UnregisterPackage(int Package);

}  // namespace host
