#include "host/core/TypInfo.h"

namespace host {

// Function-local statics: class records may be built during another unit's
// static initialisation, before namespace-scope objects here exist.
const TTypeInfo& TypeInfoOf(bool*) {
  static const TTypeInfo info = MakeEnumInfo("Boolean", {"False", "True"});
  return info;
}
const TTypeInfo& TypeInfoOf(int*) {
  static const TTypeInfo info{tkInteger, "Integer", {}, nullptr};
  return info;
}
const TTypeInfo& TypeInfoOf(std::int64_t*) {
  static const TTypeInfo info{tkInt64, "Int64", {}, nullptr};
  return info;
}
const TTypeInfo& TypeInfoOf(double*) {
  static const TTypeInfo info{tkFloat, "Double", {}, nullptr};
  return info;
}
const TTypeInfo& TypeInfoOf(char*) {
  static const TTypeInfo info{tkChar, "Char", {}, nullptr};
  return info;
}
const TTypeInfo& TypeInfoOf(std::string*) {
  static const TTypeInfo info{tkLString, "string", {}, nullptr};
  return info;
}

TTypeInfo MakeEnumInfo(std::string name, std::vector<std::string> names) {
  return TTypeInfo{tkEnumeration, std::move(name), std::move(names), nullptr};
}

TTypeInfo MakeSetInfo(std::string name, const TTypeInfo& element) {
  return TTypeInfo{tkSet, name.empty() ? "set of " + element.Name : std::move(name), {}, &element};
}

const TPropInfo* GetPropInfo(const TClass& cls, std::string_view name) { return cls.FindProperty(name); }

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) {
  return obj ? obj->ClassType().FindProperty(name) : nullptr;
}

const std::vector<const TPropInfo*>& GetPropInfos(const TObject* obj) {
  static const std::vector<const TPropInfo*> none;
  return obj ? obj->ClassType().Properties() : none;
}

bool IsStoredProp(const TObject* obj, const TPropInfo* prop) {
  if (!obj || !prop) return false;
  return !prop->Stored || prop->Stored(*obj);
}
bool IsStoredProp(const TObject* obj, std::string_view name) { return IsStoredProp(obj, GetPropInfo(obj, name)); }

std::string GetStrProp(const TObject* obj, const TPropInfo* prop) {
  if (!obj || !prop || !IsStrPropKind(prop->Kind) || !prop->GetStr) return {};
  return prop->GetStr(*obj);
}
std::string GetStrProp(const TObject* obj, std::string_view name) { return GetStrProp(obj, GetPropInfo(obj, name)); }

const std::string* StrPropRef(const TObject* obj, const TPropInfo* prop) {
  if (!obj || !prop || !IsStrPropKind(prop->Kind) || !prop->GetStr || !prop->StrRef) return nullptr;
  return prop->StrRef(*obj);
}

void SetStrProp(TObject* obj, std::string_view name, const std::string& value) {
  SetStrProp(obj, GetPropInfo(obj, name), value);
}

std::int64_t GetOrdProp(const TObject* obj, const TPropInfo* prop) {
  if (!obj || !prop || !prop->GetOrd) return 0;
  return prop->GetOrd(*obj);
}
std::int64_t GetOrdProp(const TObject* obj, std::string_view name) { return GetOrdProp(obj, GetPropInfo(obj, name)); }

void SetOrdProp(TObject* obj, std::string_view name, std::int64_t value) {
  SetOrdProp(obj, GetPropInfo(obj, name), value);
}

double GetFloatProp(const TObject* obj, const TPropInfo* prop) {
  if (!obj || !prop || !prop->GetFloat) return 0;
  return prop->GetFloat(*obj);
}
void SetFloatProp(TObject* obj, const TPropInfo* prop, double value) {
  if (obj && prop && prop->SetFloat) prop->SetFloat(*obj, value);
}

TObject* GetObjectProp(const TObject* obj, std::string_view name) { return GetObjectProp(obj, GetPropInfo(obj, name)); }

void SetObjectProp(TObject* obj, const TPropInfo* prop, TObject* value) {
  if (obj && prop && prop->Kind == tkClass && prop->SetObj) prop->SetObj(*obj, value);
}

std::string GetEnumName(const TTypeInfo* type, int value) {
  if (!type) return {};
  if (type->Kind == tkEnumeration && value >= 0 && value < static_cast<int>(type->EnumNames.size()))
    return type->EnumNames[static_cast<std::size_t>(value)];
  return IntToStr(value);
}

int GetEnumValue(const TTypeInfo* type, std::string_view name) {
  if (!type || type->Kind != tkEnumeration) return -1;
  for (std::size_t i = 0; i < type->EnumNames.size(); ++i)
    if (SameText(type->EnumNames[i], name)) return static_cast<int>(i);
  return -1;
}

std::string SetToString(const TPropInfo* prop, std::int64_t value, bool brackets) {
  std::string out;
  const TTypeInfo* comp = prop && prop->PropType ? prop->PropType->CompType : nullptr;
  for (int bit = 0; bit < 64; ++bit) {
    if (!((static_cast<std::uint64_t>(value) >> bit) & 1u)) continue;
    if (!out.empty()) out += ',';
    out += comp ? GetEnumName(comp, bit) : IntToStr(bit);
  }
  return brackets ? "[" + out + "]" : out;
}

std::int64_t StringToSet(const TPropInfo* prop, std::string_view text) {
  const TTypeInfo* comp = prop && prop->PropType ? prop->PropType->CompType : nullptr;
  std::string_view s = text;
  std::string trimmed = Trim(s);
  s = trimmed;
  if (!s.empty() && s.front() == '[') s.remove_prefix(1);
  if (!s.empty() && s.back() == ']') s.remove_suffix(1);
  std::uint64_t mask = 0;
  while (!s.empty()) {
    const std::size_t comma = s.find(',');
    const std::string item = Trim(s.substr(0, comma));
    s = comma == std::string_view::npos ? std::string_view{} : s.substr(comma + 1);
    if (item.empty()) continue;
    const int v = GetEnumValue(comp, item);
    if (v < 0 || v >= 64) throw EConvertError("Invalid property element: " + item);
    mask |= std::uint64_t{1} << v;
  }
  return static_cast<std::int64_t>(mask);
}

bool IsDefaultPropValue(const TObject* obj, const TPropInfo* prop) {
  if (!obj || !prop) return true;
  switch (prop->Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
    case tkWChar:
    case tkInt64:
      return prop->HasDefault && prop->GetOrd && prop->GetOrd(*obj) == prop->Default;
    case tkString:
    case tkLString:
    case tkWString:
      return GetStrProp(obj, prop).empty();
    case tkFloat:
      return GetFloatProp(obj, prop) == 0.0;
    case tkClass:
      return GetObjectProp(obj, prop) == nullptr;
    case tkMethod:
      return !prop->MethodAssigned || !prop->MethodAssigned(*obj);
    default:
      return true;
  }
}

}  // namespace host
