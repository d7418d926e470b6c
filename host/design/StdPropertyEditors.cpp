// The editors the host gives each kind of property that has no registered
// one: numbers, characters, enumerations, sets, strings, nested objects,
// component references, string lists and events.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "host/core/CaseFold.h"
#include "host/core/Strings.h"
#include "host/design/DesignEditors.h"
#include "host/stream/EventNames.h"
#include "host/stream/FormParser.h"

namespace host {

namespace {

[[noreturn]] void InvalidValue() { throw EPropertyError("Invalid property value"); }

std::int64_t ParseInt64(const std::string& Text) {
  const std::string t = Trim(Text);
  std::int64_t v = 0;
  const char* b = t.data();
  const char* e = b + t.size();
  if (b != e && *b == '+') ++b;
  auto [end, ec] = std::from_chars(b, e, v);
  if (t.empty() || ec != std::errc() || end != e) throw EConvertError("'" + Text + "' is not a valid integer value");
  return v;
}

// One element of a set, shown as a True/False row under the set.
class TSetElementProperty : public TPropertyEditor {
public:
  TSetElementProperty(IDesigner* Designer, int Count, int Element, std::string Name)
      : TPropertyEditor(Designer, Count), FElement(Element), FName(std::move(Name)) {}

  bool AllEqual() const override {
    for (int i = 1; i < PropCount(); ++i)
      if (Has(i) != Has(0)) return false;
    return true;
  }
  TPropertyAttributes GetAttributes() const override { return {paMultiSelect, paValueList, paSortList}; }
  std::string GetName() const override { return FName; }
  std::string GetValue() const override { return Has(0) ? "True" : "False"; }
  void GetValues(const TGetStrProc& Proc) const override {
    Proc("False");
    Proc("True");
  }
  void SetValue(const std::string& Value) override {
    bool on;
    if (SameText(Trim(Value), "True"))
      on = true;
    else if (SameText(Trim(Value), "False"))
      on = false;
    else
      InvalidValue();
    const std::uint64_t bit = std::uint64_t{1} << FElement;
    for (int i = 0; i < PropCount(); ++i) {
      const std::uint64_t mask = static_cast<std::uint64_t>(GetOrdValueAt(i));
      SetOrdProp(GetComponent(i), GetPropInfoAt(i), static_cast<std::int64_t>(on ? mask | bit : mask & ~bit));
    }
    Modified();
  }

private:
  bool Has(int Index) const { return (static_cast<std::uint64_t>(GetOrdValueAt(Index)) >> FElement) & 1u; }
  int FElement;
  std::string FName;
};

std::string ClassText(const TPropertyEditor& Editor) {
  const TPropInfo* p = Editor.GetPropInfo();
  return p && p->PropClass ? "(" + p->PropClass->Name() + ")" : std::string();
}

}  // namespace

// ---- ordinals ----------------------------------------------------------------

bool TOrdinalProperty::AllEqual() const {
  for (int i = 1; i < PropCount(); ++i)
    if (GetOrdValueAt(i) != GetOrdValue()) return false;
  return true;
}

TPropertyAttributes TOrdinalProperty::GetAttributes() const { return TPropertyEditor::GetAttributes(); }

std::string TIntegerProperty::GetValue() const { return IntToStr(GetOrdValue()); }

void TIntegerProperty::SetValue(const std::string& Value) {
  const std::int64_t v = ParseInt64(Value);
  const TPropInfo* p = GetPropInfo();
  if (p && p->Kind == tkInteger && (v < INT32_MIN || v > INT32_MAX))
    throw EConvertError("'" + Value + "' is not a valid integer value");
  SetOrdValue(v);
}

std::string TCharProperty::GetValue() const {
  const std::int64_t c = GetOrdValue();
  if (c > 32 && c < 127) return std::string(1, static_cast<char>(c));
  return "#" + IntToStr(c);
}

void TCharProperty::SetValue(const std::string& Value) {
  if (Value.size() == 1) {
    SetOrdValue(static_cast<unsigned char>(Value[0]));
  } else if (Value.size() > 1 && Value[0] == '#') {
    const std::int64_t c = ParseInt64(Value.substr(1));
    const TPropInfo* p = GetPropInfo();
    if (c < 0 || c > (p && p->Kind == tkWChar ? 0x10FFFF : 255)) InvalidValue();
    SetOrdValue(c);
  } else {
    InvalidValue();
  }
}

TPropertyAttributes TEnumProperty::GetAttributes() const {
  return TOrdinalProperty::GetAttributes() + TPropertyAttributes{paValueList, paSortList};
}

std::string TEnumProperty::GetValue() const {
  const std::int64_t v = GetOrdValue();
  const TTypeInfo* t = GetPropType();
  if (t && v >= 0 && v < static_cast<std::int64_t>(t->EnumNames.size())) return t->EnumNames[static_cast<std::size_t>(v)];
  return IntToStr(v);
}

void TEnumProperty::GetValues(const TGetStrProc& Proc) const {
  if (const TTypeInfo* t = GetPropType())
    for (const std::string& name : t->EnumNames) Proc(name);
}

void TEnumProperty::SetValue(const std::string& Value) {
  const int v = GetEnumValue(GetPropType(), Trim(Value));
  if (v < 0) InvalidValue();
  SetOrdValue(v);
}

// ---- sets ------------------------------------------------------------------

TPropertyAttributes TSetProperty::GetAttributes() const {
  return {paMultiSelect, paSubProperties, paReadOnly, paRevertable};
}

std::string TSetProperty::GetValue() const { return SetToString(GetPropInfo(), GetOrdValue(), true); }

void TSetProperty::SetValue(const std::string& Value) { SetOrdValue(StringToSet(GetPropInfo(), Value)); }

void TSetProperty::GetProperties(const TGetPropProc& Proc) {
  const TTypeInfo* t = GetPropType();
  if (!t || !t->CompType) return;
  const auto& names = t->CompType->EnumNames;
  for (int bit = 0; bit < static_cast<int>(names.size()) && bit < 64; ++bit) {
    auto element = std::make_unique<TSetElementProperty>(Designer(), PropCount(), bit, names[static_cast<std::size_t>(bit)]);
    for (int i = 0; i < PropCount(); ++i) element->SetPropEntry(i, GetComponent(i), GetPropInfoAt(i));
    element->Initialize();
    Proc(std::move(element));
  }
}

// ---- numbers and texts -------------------------------------------------------

bool TFloatProperty::AllEqual() const {
  for (int i = 1; i < PropCount(); ++i)
    if (GetFloatValueAt(i) != GetFloatValue()) return false;
  return true;
}

TPropertyAttributes TFloatProperty::GetAttributes() const { return TPropertyEditor::GetAttributes(); }

std::string TFloatProperty::GetValue() const {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, GetFloatValue());
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

void TFloatProperty::SetValue(const std::string& Value) {
  const std::string t = Trim(Value);
  double v = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
    throw EConvertError("'" + Value + "' is not a valid floating point value");
  SetFloatValue(v);
}

bool TStringProperty::AllEqual() const {
  for (int i = 1; i < PropCount(); ++i)
    if (GetStrValueAt(i) != GetStrValue()) return false;
  return true;
}

TPropertyAttributes TStringProperty::GetAttributes() const { return TPropertyEditor::GetAttributes(); }

std::string TStringProperty::GetValue() const { return GetStrValue(); }

void TStringProperty::SetValue(const std::string& Value) { SetStrValue(Value); }

// ---- objects -------------------------------------------------------------------

TPropertyAttributes TClassProperty::GetAttributes() const { return {paMultiSelect, paSubProperties, paReadOnly}; }

std::string TClassProperty::GetValue() const { return ClassText(*this); }

void TClassProperty::GetProperties(const TGetPropProc& Proc) {
  TDesignerSelections objects;
  for (int i = 0; i < PropCount(); ++i) {
    auto* p = dynamic_cast<TPersistent*>(GetObjectValueAt(i));
    if (!p) return;
    objects.push_back(p);
  }
  GetComponentProperties(objects, Designer(), Proc);
}

bool TComponentProperty::AllEqual() const {
  for (int i = 1; i < PropCount(); ++i)
    if (GetObjectValueAt(i) != GetObjectValue()) return false;
  return true;
}

TPropertyAttributes TComponentProperty::GetAttributes() const {
  TPropertyAttributes a{paMultiSelect, paValueList, paSortList, paRevertable};
  if (const TPropInfo* p = GetPropInfo(); p && !p->SetObj) a.Include(paReadOnly);
  return a;
}

std::string TComponentProperty::GetValue() const {
  const auto* c = dynamic_cast<const TComponent*>(GetObjectValue());
  if (!c) return {};
  return Designer() ? Designer()->GetComponentName(c) : c->Name();
}

void TComponentProperty::GetValues(const TGetStrProc& Proc) const {
  const TPropInfo* p = GetPropInfo();
  if (Designer() && p && p->PropClass) Designer()->GetComponentNames(*p->PropClass, Proc);
}

void TComponentProperty::SetValue(const std::string& Value) {
  const std::string name = Trim(Value);
  if (name.empty()) {
    SetObjectValue(nullptr);
    return;
  }
  TComponent* c = Designer() ? Designer()->GetComponent(name) : nullptr;
  const TPropInfo* p = GetPropInfo();
  if (!c || !p || !p->PropClass || !c->InheritsFrom(*p->PropClass)) InvalidValue();
  SetObjectValue(c);
}

TPropertyAttributes TStringListProperty::GetAttributes() const { return {paDialog, paReadOnly, paRevertable}; }

void TStringListProperty::Edit() {
  auto* strings = dynamic_cast<TStrings*>(GetObjectValue());
  if (!strings) return;
  std::string caption = GetName();
  if (const auto* c = dynamic_cast<const TComponent*>(GetComponent(0)); c && !c->Name().empty())
    caption = c->Name() + "." + caption;
  if (EditStringsDialog(strings, caption)) Modified();
}

// ---- events ------------------------------------------------------------------

bool TMethodProperty::AllEqual() const {
  for (int i = 1; i < PropCount(); ++i)
    if (!SameText(GetEventHandlerName(dynamic_cast<TComponent*>(GetComponent(i)), GetName()), GetValue()))
      return false;
  return true;
}

TPropertyAttributes TMethodProperty::GetAttributes() const {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

std::string TMethodProperty::GetValue() const {
  return GetEventHandlerName(dynamic_cast<TComponent*>(GetComponent(0)), GetName());
}

void TMethodProperty::GetValues(const TGetStrProc& Proc) const {
  TComponent* root = Designer() ? Designer()->GetRoot() : nullptr;
  if (!root) return;
  std::vector<std::string> names;
  auto collect = [&](auto&& self, const TComponent* c, int Depth) -> void {
    for (const auto& pair : GetEventHandlerNames(c)) {
      const std::string& handler = pair.second;
      if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, handler); }))
        names.push_back(handler);
    }
    if (Depth < 64)
      for (const TComponent* child : c->ComponentList()) self(self, child, Depth + 1);
  };
  collect(collect, root, 0);
  for (const std::string& n : names) Proc(n);
}

void TMethodProperty::SetValue(const std::string& Value) {
  const std::string name = Trim(Value);
  // The form file must be able to take the name back as a handler.
  if (!name.empty() && (!IsValidIdent(name) || TFormParser::IsStructureWord(name) || SameText(name, "nil")))
    throw EPropertyError("'" + Value + "' is not a valid method name");
  for (int i = 0; i < PropCount(); ++i) SetEventHandlerName(dynamic_cast<TComponent*>(GetComponent(i)), GetName(), name);
  Modified();
}

void TMethodProperty::Edit() {
  if (!GetValue().empty()) return;
  auto* c = dynamic_cast<TComponent*>(GetComponent(0));
  if (!c) return;
  // The usual handler name: the component's (the form is "Form") and the
  // event's without its "On".
  std::string event = GetName();
  if (event.size() > 2 && SameText(event.substr(0, 2), "On")) event = event.substr(2);
  const bool isRoot = Designer() && Designer()->GetRoot() == c;
  const std::string base = isRoot ? std::string("Form") : c->Name();
  if (base.empty()) return;
  SetValue(base + event);
}

}  // namespace host
