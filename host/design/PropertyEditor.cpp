// The property editor base: its entries, typed access to the values of
// every selected object, and the choice of an editor for each property.
#include "host/core/CaseFold.h"
#include "host/core/Strings.h"
#include "host/design/DesignEditors.h"
#include "host/design/FormDesigner.h"

namespace host {

namespace {

// Name is not offered for several components at once: no two may share one.
class TComponentNameProperty : public TStringProperty {
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() const override {
    TPropertyAttributes a = TStringProperty::GetAttributes();
    a.Exclude(paMultiSelect);
    return a;
  }
  // A rename goes through the form's designer, so that the views listing
  // the components (the structure tree, a form's tab) hear of it.
  void SetValue(const std::string& Value) override {
    auto* designer = dynamic_cast<TFormDesigner*>(Designer());
    auto* component = As<TComponent>(GetComponent(0));
    if (designer && component && PropCount() == 1)
      designer->RenameComponent(component, Value);
    else
      TStringProperty::SetValue(Value);
  }
};

template <class E>
std::unique_ptr<TPropertyEditor> Make(IDesigner* Designer, int Count) {
  return std::make_unique<E>(Designer, Count);
}

std::unique_ptr<TPropertyEditor> DefaultEditor(const TPersistent& Instance, const TPropInfo& Prop, IDesigner* Designer,
                                               int Count) {
  switch (Prop.Kind) {
    case tkInteger:
    case tkInt64: return Make<TIntegerProperty>(Designer, Count);
    case tkChar:
    case tkWChar: return Make<TCharProperty>(Designer, Count);
    case tkEnumeration:
      if (Prop.PropType == &TypeInfoOf(static_cast<bool*>(nullptr))) return Make<TBoolProperty>(Designer, Count);
      return Make<TEnumProperty>(Designer, Count);
    case tkFloat: return Make<TFloatProperty>(Designer, Count);
    case tkString:
    case tkLString:
    case tkWString:
      if (Is<TComponent>(&Instance) && SameText(Prop.Name, "Name")) return Make<TComponentNameProperty>(Designer, Count);
      return Make<TStringProperty>(Designer, Count);
    case tkSet: return Make<TSetProperty>(Designer, Count);
    case tkClass:
      if (!Prop.PropClass) return nullptr;
      if (Prop.PropClass->InheritsFrom(TComponent::StaticClass())) return Make<TComponentProperty>(Designer, Count);
      if (Prop.PropClass->InheritsFrom(TStrings::StaticClass())) return Make<TStringListProperty>(Designer, Count);
      return Make<TClassProperty>(Designer, Count);
    case tkMethod: return Make<TMethodProperty>(Designer, Count);
    default: return nullptr;
  }
}

}  // namespace

// ---- the base --------------------------------------------------------------

TPropertyEditor::TPropertyEditor(IDesigner* ADesigner, int APropCount)
    : FDesigner(ADesigner), FEntries(static_cast<std::size_t>(APropCount > 0 ? APropCount : 1)) {}

TPropertyEditor::~TPropertyEditor() = default;

void TPropertyEditor::SetPropEntry(int Index, TPersistent* Instance, const TPropInfo* PropInfo) {
  if (Index < 0 || Index >= PropCount()) throw EListError("Property entry out of bounds (" + IntToStr(Index) + ")");
  FEntries[static_cast<std::size_t>(Index)] = {Instance, PropInfo};
}

const TPropertyEditor::TEntry& TPropertyEditor::Entry(int Index) const {
  if (Index < 0 || Index >= PropCount()) throw EListError("Property entry out of bounds (" + IntToStr(Index) + ")");
  const TEntry& e = FEntries[static_cast<std::size_t>(Index)];
  if (!e.Instance || !e.Prop) throw EPropertyError("The property editor has no object at " + IntToStr(Index));
  return e;
}

TPersistent* TPropertyEditor::GetComponent(int Index) const { return Entry(Index).Instance; }
const TPropInfo* TPropertyEditor::GetPropInfoAt(int Index) const { return Entry(Index).Prop; }

const TTypeInfo* TPropertyEditor::GetPropType() const {
  const TPropInfo* p = GetPropInfo();
  return p ? p->PropType : nullptr;
}

bool TPropertyEditor::AllEqual() const { return PropCount() == 1; }

TPropertyAttributes TPropertyEditor::GetAttributes() const {
  TPropertyAttributes a{paMultiSelect, paRevertable};
  const TPropInfo* p = GetPropInfo();
  if (p && p->Kind != tkClass && !p->IsWritable()) a.Include(paReadOnly);
  return a;
}

std::string TPropertyEditor::GetName() const {
  const TPropInfo* p = GetPropInfo();
  return p ? p->Name : std::string();
}

std::string TPropertyEditor::GetValue() const { return "(unknown)"; }

void TPropertyEditor::Edit() {
  // A double-click on a value with a list steps to the next entry.
  if (!GetAttributes().Contains(paValueList)) return;
  std::vector<std::string> values;
  GetValues([&](const std::string& S) { values.push_back(S); });
  if (values.empty()) return;
  const std::string current = GetValue();
  std::size_t next = 0;
  for (std::size_t i = 0; i < values.size(); ++i)
    if (SameText(values[i], current)) next = (i + 1) % values.size();
  SetValue(values[next]);
}

std::int64_t TPropertyEditor::GetOrdValueAt(int Index) const {
  const TEntry& e = Entry(Index);
  return GetOrdProp(e.Instance, e.Prop);
}
std::string TPropertyEditor::GetStrValueAt(int Index) const {
  const TEntry& e = Entry(Index);
  return GetStrProp(e.Instance, e.Prop);
}
double TPropertyEditor::GetFloatValueAt(int Index) const {
  const TEntry& e = Entry(Index);
  return GetFloatProp(e.Instance, e.Prop);
}
TObject* TPropertyEditor::GetObjectValueAt(int Index) const {
  const TEntry& e = Entry(Index);
  return GetObjectProp(e.Instance, e.Prop);
}

namespace {
void CheckWritable(const TPropInfo* Prop) {
  if (!Prop->IsWritable()) throw EPropertyError("Property " + Prop->Name + " is read-only");
}
}  // namespace

void TPropertyEditor::SetOrdValue(std::int64_t Value) {
  for (int i = 0; i < PropCount(); ++i) {
    const TEntry& e = Entry(i);
    CheckWritable(e.Prop);
    SetOrdProp(e.Instance, e.Prop, Value);
  }
  Modified();
}
void TPropertyEditor::SetStrValue(const std::string& Value) {
  for (int i = 0; i < PropCount(); ++i) {
    const TEntry& e = Entry(i);
    CheckWritable(e.Prop);
    SetStrProp(e.Instance, e.Prop, Value);
  }
  Modified();
}
void TPropertyEditor::SetFloatValue(double Value) {
  for (int i = 0; i < PropCount(); ++i) {
    const TEntry& e = Entry(i);
    CheckWritable(e.Prop);
    SetFloatProp(e.Instance, e.Prop, Value);
  }
  Modified();
}
void TPropertyEditor::SetObjectValue(TObject* Value) {
  for (int i = 0; i < PropCount(); ++i) {
    const TEntry& e = Entry(i);
    CheckWritable(e.Prop);
    SetObjectProp(e.Instance, e.Prop, Value);
  }
  Modified();
}

void TPropertyEditor::Modified() {
  if (FDesigner) FDesigner->Modified();
}

// ---- the editors of a selection ---------------------------------------------

void GetComponentProperties(const TDesignerSelections& Components, IDesigner* Designer, const TGetPropProc& Proc,
                            TPropertyFilter Filter) {
  if (Components.empty() || !Components.front()) return;
  const int count = static_cast<int>(Components.size());
  TPersistent* first = Components.front();
  for (const TPropInfo* prop : GetPropInfos(first)) {
    if ((prop->Kind == tkMethod) != (Filter == pfEvents)) continue;
    // Events live on components: the form file keeps their handler names.
    if (prop->Kind == tkMethod && !Is<TComponent>(first)) continue;
    std::vector<const TPropInfo*> props{prop};
    for (int i = 1; i < count && props.size() == static_cast<std::size_t>(i); ++i) {
      const TPropInfo* other = Components[static_cast<std::size_t>(i)]
                                   ? host::GetPropInfo(Components[static_cast<std::size_t>(i)], prop->Name)
                                   : nullptr;
      if (other && other->Kind == prop->Kind && other->PropType == prop->PropType && other->PropClass == prop->PropClass)
        props.push_back(other);
    }
    if (props.size() != Components.size()) continue;
    const TPropertyEditorMatch match = FindPropertyEditor(first->ClassType(), *prop);
    if (match.Hidden) continue;
    std::unique_ptr<TPropertyEditor> editor =
        match.Found ? match.EditorClass(Designer, count) : DefaultEditor(*first, *prop, Designer, count);
    if (!editor) continue;
    for (int i = 0; i < count; ++i)
      editor->SetPropEntry(i, Components[static_cast<std::size_t>(i)], props[static_cast<std::size_t>(i)]);
    if (count > 1 && !editor->GetAttributes().Contains(paMultiSelect)) continue;
    editor->Initialize();
    Proc(std::move(editor));
  }
}

}  // namespace host
