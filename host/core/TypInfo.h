// Run-time type information of published properties: the property records,
// the builder every class uses to declare them, and the free functions the
// rest of the system reads and writes properties with.
#pragma once

#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "host/core/Object.h"
#include "host/core/Set.h"

namespace host {

// The ordinal values are those of the host's type-information unit.
enum TTypeKind {
  tkUnknown = 0,
  tkInteger = 1,
  tkChar = 2,
  tkEnumeration = 3,
  tkFloat = 4,
  tkString = 5,
  tkSet = 6,
  tkClass = 7,
  tkMethod = 8,
  tkWChar = 9,
  tkLString = 10,
  tkWString = 11,
  tkVariant = 12,
  tkArray = 13,
  tkRecord = 14,
  tkInterface = 15,
  tkInt64 = 16,
  tkDynArray = 17,
};

// Describes a type that properties can have: its kind and name, the value
// names of an enumeration, the element type of a set.
struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;
  std::vector<std::string> EnumNames;   // tkEnumeration: names by ordinal
  const TTypeInfo* CompType = nullptr;  // tkSet: the element enumeration
};

// The type records of the built-in kinds.
const TTypeInfo& TypeInfoOf(bool*);
const TTypeInfo& TypeInfoOf(int*);
const TTypeInfo& TypeInfoOf(std::int64_t*);
const TTypeInfo& TypeInfoOf(double*);
const TTypeInfo& TypeInfoOf(char*);
const TTypeInfo& TypeInfoOf(std::string*);
// An enumeration E declares `const TTypeInfo& TypeInfoOf(E*);` in its own
// namespace; the builder finds it by argument-dependent look-up.

// Builds the type record of an enumeration from its value names.
TTypeInfo MakeEnumInfo(std::string name, std::vector<std::string> names);
TTypeInfo MakeSetInfo(std::string name, const TTypeInfo& element);

// A property accessor: a plain function and the few bytes it works with
// (a member function pointer, a predicate). It is called without the
// indirections and the empty check of std::function; test it before
// calling, as every accessor of TPropInfo is tested.
template <class Sig>
class TAccessor;
template <class R, class... A>
class TAccessor<R(A...)> {
public:
  TAccessor() = default;
  TAccessor(std::nullptr_t) {}
  template <class F>
    requires(!std::is_same_v<std::decay_t<F>, TAccessor> && std::is_invocable_r_v<R, const F&, A...>)
  TAccessor(F f) : FCall(&Invoke<F>) {
    static_assert(sizeof(F) <= sizeof(FData) && alignof(F) <= alignof(void*) && std::is_trivially_copyable_v<F>,
                  "an accessor holds a small, trivially copyable callable");
    ::new (static_cast<void*>(FData)) F(f);
  }
  explicit operator bool() const { return FCall != nullptr; }
  R operator()(A... a) const { return FCall(FData, std::forward<A>(a)...); }

private:
  template <class F>
  static R Invoke(const unsigned char* Data, A... a) {
    return (*std::launder(reinterpret_cast<const F*>(Data)))(std::forward<A>(a)...);
  }
  R (*FCall)(const unsigned char*, A...) = nullptr;
  alignas(void*) unsigned char FData[24] = {};
};

// One published property.
struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkUnknown;
  const TTypeInfo* PropType = nullptr;  // enumerations, sets, Boolean
  const TClass* PropClass = nullptr;    // class-typed properties

  // Accessors for the kinds; only those of the property's kind are set.
  // Ordinal kinds (integer, char, enumeration, set, Int64) use GetOrd/SetOrd.
  TAccessor<std::int64_t(const TObject&)> GetOrd;
  TAccessor<void(TObject&, std::int64_t)> SetOrd;
  TAccessor<std::string(const TObject&)> GetStr;
  TAccessor<void(TObject&, const std::string&)> SetStr;
  // Whether GetStr would give an empty text, without copying it; null means
  // GetStr must be asked.
  TAccessor<bool(const TObject&)> StrIsEmpty;
  // The object's own string that GetStr copies, where the getter hands out
  // a reference; null means GetStr must be asked.
  TAccessor<const std::string*(const TObject&)> StrRef;
  TAccessor<double(const TObject&)> GetFloat;
  TAccessor<void(TObject&, double)> SetFloat;
  TAccessor<TObject*(const TObject&)> GetObj;
  TAccessor<void(TObject&, TObject*)> SetObj;
  TAccessor<bool(const TObject&)> MethodAssigned;  // tkMethod

  // Whether the value is stored with the object; null means always.
  TAccessor<bool(const TObject&)> Stored;
  bool HasDefault = false;        // ordinal kinds only
  std::int64_t Default = 0;

  bool IsWritable() const { return SetOrd || SetStr || SetFloat || SetObj; }
};

namespace detail {
template <class T>
struct IsFunction : std::false_type {};
template <class R, class... A>
struct IsFunction<std::function<R(A...)>> : std::true_type {};
template <class E>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
  using Element = E;
};
template <class M>
struct MemberTraits;
template <class C, class R>
struct MemberTraits<R (C::*)() const> {
  using Value = std::remove_cvref_t<R>;
  using Result = R;
};
}  // namespace detail

// Declares the published properties of class C in one expression:
//
//   static const TClass cls = TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
//       .Prop("Caption", &TButton::Caption, &TButton::SetCaption)
//       .Prop("Default", &TButton::Default, &TButton::SetDefault).Default(false)
//       .Build();
//
// The kind is inferred from the getter's type: std::string is a long string,
// int an integer, bool a Boolean enumeration, an enum with a TypeInfoOf
// overload an enumeration, TSet<E> a set, T* of a TObject descendant a
// class-typed property, std::function an event (tkMethod).
template <class C>
class TClassBuilder {
public:
  TClassBuilder(std::string name, const TClass* parent) : FName(std::move(name)), FParent(parent) {}

  template <class Getter, class Setter = std::nullptr_t>
  TClassBuilder& Prop(std::string name, Getter get, Setter set = nullptr) {
    using V = typename detail::MemberTraits<Getter>::Value;
    auto p = std::make_unique<TPropInfo>();
    p->Name = std::move(name);
    if constexpr (std::is_same_v<V, std::string>) {
      p->Kind = tkLString;
      p->PropType = &TypeInfoOf(static_cast<std::string*>(nullptr));
      p->GetStr = [get](const TObject& o) { return std::string((static_cast<const C&>(o).*get)()); };
      p->StrIsEmpty = [get](const TObject& o) { return (static_cast<const C&>(o).*get)().empty(); };
      if constexpr (std::is_same_v<typename detail::MemberTraits<Getter>::Result, const std::string&>)
        p->StrRef = [get](const TObject& o) { return &(static_cast<const C&>(o).*get)(); };
      if constexpr (!std::is_null_pointer_v<Setter>)
        p->SetStr = [set](TObject& o, const std::string& v) { (static_cast<C&>(o).*set)(v); };
    } else if constexpr (std::is_same_v<V, char>) {
      p->Kind = tkChar;
      p->PropType = &TypeInfoOf(static_cast<char*>(nullptr));
      p->GetOrd = [get](const TObject& o) { return std::int64_t{static_cast<unsigned char>((static_cast<const C&>(o).*get)())}; };
      p->GetStr = [get](const TObject& o) { return std::string(1, (static_cast<const C&>(o).*get)()); };
      if constexpr (!std::is_null_pointer_v<Setter>) {
        p->SetOrd = [set](TObject& o, std::int64_t v) { (static_cast<C&>(o).*set)(static_cast<char>(v)); };
        p->SetStr = [set](TObject& o, const std::string& v) { (static_cast<C&>(o).*set)(v.empty() ? '\0' : v[0]); };
      }
    } else if constexpr (std::is_same_v<V, bool> || std::is_enum_v<V> || std::is_integral_v<V>) {
      if constexpr (std::is_same_v<V, bool>) {
        p->Kind = tkEnumeration;
        p->PropType = &TypeInfoOf(static_cast<bool*>(nullptr));
      } else if constexpr (std::is_enum_v<V>) {
        p->Kind = tkEnumeration;
        p->PropType = &TypeInfoOf(static_cast<V*>(nullptr));
      } else if constexpr (sizeof(V) > 4) {
        p->Kind = tkInt64;
        p->PropType = &TypeInfoOf(static_cast<std::int64_t*>(nullptr));
      } else {
        p->Kind = tkInteger;
        p->PropType = &TypeInfoOf(static_cast<int*>(nullptr));
      }
      p->GetOrd = [get](const TObject& o) { return static_cast<std::int64_t>((static_cast<const C&>(o).*get)()); };
      if constexpr (!std::is_null_pointer_v<Setter>)
        p->SetOrd = [set](TObject& o, std::int64_t v) { (static_cast<C&>(o).*set)(static_cast<V>(v)); };
    } else if constexpr (detail::IsSet<V>::value) {
      using E = typename detail::IsSet<V>::Element;
      p->Kind = tkSet;
      if constexpr (requires { TypeInfoOf(static_cast<V*>(nullptr)); }) {
        p->PropType = &TypeInfoOf(static_cast<V*>(nullptr));
      } else {
        static const TTypeInfo setInfo = MakeSetInfo("", TypeInfoOf(static_cast<E*>(nullptr)));
        p->PropType = &setInfo;
      }
      p->GetOrd = [get](const TObject& o) { return static_cast<std::int64_t>((static_cast<const C&>(o).*get)().Mask()); };
      if constexpr (!std::is_null_pointer_v<Setter>)
        p->SetOrd = [set](TObject& o, std::int64_t v) { (static_cast<C&>(o).*set)(V::FromMask(static_cast<std::uint64_t>(v))); };
    } else if constexpr (std::is_floating_point_v<V>) {
      p->Kind = tkFloat;
      p->PropType = &TypeInfoOf(static_cast<double*>(nullptr));
      p->GetFloat = [get](const TObject& o) { return static_cast<double>((static_cast<const C&>(o).*get)()); };
      if constexpr (!std::is_null_pointer_v<Setter>)
        p->SetFloat = [set](TObject& o, double v) { (static_cast<C&>(o).*set)(static_cast<V>(v)); };
    } else if constexpr (std::is_pointer_v<V>) {
      using T = std::remove_cv_t<std::remove_pointer_t<V>>;
      static_assert(std::is_base_of_v<TObject, T>, "class-typed properties hold TObject descendants");
      p->Kind = tkClass;
      p->PropClass = &T::StaticClass();
      p->GetObj = [get](const TObject& o) -> TObject* { return const_cast<T*>((static_cast<const C&>(o).*get)()); };
      if constexpr (!std::is_null_pointer_v<Setter>)
        p->SetObj = [set](TObject& o, TObject* v) {
          T* typed = dynamic_cast<T*>(v);
          if (v != nullptr && typed == nullptr)
            throw EConvertError("Invalid property value: " + v->ClassName() + " is not a " + T::StaticClass().Name());
          (static_cast<C&>(o).*set)(typed);
        };
    } else if constexpr (detail::IsFunction<V>::value) {
      p->Kind = tkMethod;
      p->MethodAssigned = [get](const TObject& o) { return static_cast<bool>((static_cast<const C&>(o).*get)()); };
      (void)set;
    } else {
      static_assert(sizeof(V) == 0, "unsupported property type");
    }
    FProps.push_back(std::move(p));
    return *this;
  }

  // Modifiers of the property declared last.
  TClassBuilder& Default(std::int64_t value) {
    FProps.back()->HasDefault = true;
    FProps.back()->Default = value;
    return *this;
  }
  TClassBuilder& NoDefault() {
    FProps.back()->HasDefault = false;
    return *this;
  }
  TClassBuilder& Stored(bool stored) {
    if (stored)
      FProps.back()->Stored = nullptr;
    else
      FProps.back()->Stored = [](const TObject&) { return false; };
    return *this;
  }
  template <class Pred>
  TClassBuilder& Stored(Pred pred) {
    FProps.back()->Stored = [pred](const TObject& o) { return pred(static_cast<const C&>(o)); };
    return *this;
  }
  // For a string property whose getter returns a copy: Ref lends the
  // object's own string instead, or null where the getter builds the text,
  // so that reading it in place and the emptiness test copy nothing.
  template <class Ref>
  TClassBuilder& StrRef(Ref ref) {
    TPropInfo& p = *FProps.back();
    p.StrRef = [ref](const TObject& o) { return (static_cast<const C&>(o).*ref)(); };
    // The record never moves (held by pointer here and then by its class),
    // so the test can ask its getter when no reference is lent.
    p.StrIsEmpty = [ref, info = &p](const TObject& o) {
      const std::string* own = (static_cast<const C&>(o).*ref)();
      return own ? own->empty() : info->GetStr(o).empty();
    };
    return *this;
  }
  // Overrides the kind inferred for a string property (tkString, tkWString).
  TClassBuilder& Kind(TTypeKind kind) {
    FProps.back()->Kind = kind;
    return *this;
  }

  TClass Build() { return TClass(std::move(FName), FParent, std::move(FProps)); }

private:
  std::string FName;
  const TClass* FParent;
  std::vector<std::unique_ptr<TPropInfo>> FProps;
};

// The host type-information functions. Look-ups by name ignore case; a
// missing object or property gives null, an empty text or zero.
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name);
const TPropInfo* GetPropInfo(const TClass& cls, std::string_view name);
// All published properties, ancestors first, each class in declaration order.
const std::vector<const TPropInfo*>& GetPropInfos(const TObject* obj);
// The stored predicate (true when there is none).
bool IsStoredProp(const TObject* obj, const TPropInfo* prop);
bool IsStoredProp(const TObject* obj, std::string_view name);
// The string kinds: tkChar, tkString, tkLString, tkWChar, tkWString.
inline bool IsStrPropKind(TTypeKind k) {
  return k == tkChar || k == tkString || k == tkLString || k == tkWChar || k == tkWString;
}
// Text of a string kind; empty for every other kind.
std::string GetStrProp(const TObject* obj, const TPropInfo* prop);
std::string GetStrProp(const TObject* obj, std::string_view name);
// Whether GetStrProp would give an empty text; tests it in place where the
// getter hands out a reference.
inline bool IsEmptyStrProp(const TObject* obj, const TPropInfo* prop) {
  if (!obj || !prop || !IsStrPropKind(prop->Kind) || !prop->GetStr) return true;
  return prop->StrIsEmpty ? prop->StrIsEmpty(*obj) : prop->GetStr(*obj).empty();
}
// The object's own string GetStrProp would copy, valid until the object
// changes; null when the property hands out no reference (ask GetStrProp).
const std::string* StrPropRef(const TObject* obj, const TPropInfo* prop);
// Sets a string kind; properties of other kinds are left unchanged.
inline void SetStrProp(TObject* obj, const TPropInfo* prop, const std::string& value) {
  if (obj && prop && IsStrPropKind(prop->Kind) && prop->SetStr) prop->SetStr(*obj, value);
}
void SetStrProp(TObject* obj, std::string_view name, const std::string& value);
// Ordinal kinds: integer, char, enumeration, set (the bit mask), Int64.
std::int64_t GetOrdProp(const TObject* obj, const TPropInfo* prop);
std::int64_t GetOrdProp(const TObject* obj, std::string_view name);
inline void SetOrdProp(TObject* obj, const TPropInfo* prop, std::int64_t value) {
  if (obj && prop && prop->SetOrd) prop->SetOrd(*obj, value);
}
void SetOrdProp(TObject* obj, std::string_view name, std::int64_t value);
double GetFloatProp(const TObject* obj, const TPropInfo* prop);
void SetFloatProp(TObject* obj, const TPropInfo* prop, double value);
inline TObject* GetObjectProp(const TObject* obj, const TPropInfo* prop) {
  return obj && prop && prop->Kind == tkClass && prop->GetObj ? prop->GetObj(*obj) : nullptr;
}
TObject* GetObjectProp(const TObject* obj, std::string_view name);
void SetObjectProp(TObject* obj, const TPropInfo* prop, TObject* value);
// Names of enumeration values; GetEnumValue ignores case and gives -1 for an
// unknown name.
std::string GetEnumName(const TTypeInfo* type, int value);
int GetEnumValue(const TTypeInfo* type, std::string_view name);
// Set values as "[a,b]" and back; an unknown element name raises EConvertError.
std::string SetToString(const TPropInfo* prop, std::int64_t value, bool brackets = true);
std::int64_t StringToSet(const TPropInfo* prop, std::string_view text);
// True when the property holds its default: ordinal kinds with a default
// equal to it, strings empty, floats zero, objects absent, methods unassigned.
bool IsDefaultPropValue(const TObject* obj, const TPropInfo* prop);

}  // namespace host
