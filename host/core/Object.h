// The root of the object model: per-class type records that know their
// parent and their published properties, TObject and TPersistent.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "host/core/CaseFold.h"
#include "host/core/SysUtils.h"

namespace host {

class TObject;
struct TPropInfo;

// The type record of one class: its name, its parent and its published
// properties. One static instance per class, built once on first use.
class TClass {
public:
  TClass(std::string name, const TClass* parent, std::vector<std::unique_ptr<TPropInfo>> ownProps);
  ~TClass();
  TClass(const TClass&) = delete;
  TClass& operator=(const TClass&) = delete;

  const std::string& Name() const { return FName; }
  const TClass* Parent() const { return FParent; }
  // True for this class and every descendant of other.
  bool InheritsFrom(const TClass& other) const;

  // Published properties, ancestors first, each class in declaration order.
  // A property a descendant declares again keeps its ancestor's position.
  const std::vector<const TPropInfo*>& Properties() const { return FAll; }
  // Look-up by name, ignoring case; null when there is none.
  const TPropInfo* FindProperty(std::string_view name) const;

private:
  std::string FName;
  const TClass* FParent;
  std::vector<std::unique_ptr<TPropInfo>> FOwn;
  std::vector<const TPropInfo*> FAll;
  std::unordered_map<std::string, const TPropInfo*, TextHash, TextEqual> FIndex;
};

// Declares the class record of a class. Put it first in the class body; the
// .cpp defines StaticClass() with a TClassBuilder and ClassType() returning it.
#define HOST_CLASS(T)                                   \
 public:                                                \
  using HostClassSelf = T;                              \
  static const ::host::TClass& StaticClass();           \
  const ::host::TClass& ClassType() const override;

class TObject {
public:
  using HostClassSelf = TObject;
  virtual ~TObject() = default;
  static const TClass& StaticClass();
  virtual const TClass& ClassType() const;
  const std::string& ClassName() const { return ClassType().Name(); }
  bool InheritsFrom(const TClass& cls) const { return ClassType().InheritsFrom(cls); }
};

// Class test that includes descendants: Is<TButton>(obj).
template <class T>
bool Is(const TObject* obj) {
  return obj != nullptr && obj->InheritsFrom(T::StaticClass());
}
namespace detail {
// A class with its own record (HOST_CLASS): its class test is exact.
template <class T>
constexpr bool OwnClassRecord = requires { typename T::HostClassSelf; } &&
                                std::is_same_v<typename T::HostClassSelf, T>;
}  // namespace detail

// Cast with the class test: through the class records where the class has
// its own (a dynamic_cast across the shared libraries compares type names
// all the way up the hierarchy), else the language's own.
template <class T>
T* As(TObject* obj) {
  if constexpr (detail::OwnClassRecord<T>)
    return Is<T>(obj) ? static_cast<T*>(obj) : nullptr;
  else
    return dynamic_cast<T*>(obj);
}
template <class T>
const T* As(const TObject* obj) {
  if constexpr (detail::OwnClassRecord<T>)
    return Is<T>(obj) ? static_cast<const T*>(obj) : nullptr;
  else
    return dynamic_cast<const T*>(obj);
}

class TPersistent : public TObject {
  HOST_CLASS(TPersistent)
public:
  // Copies Source into this object. The default asks Source to AssignTo this
  // object, whose default raises "Cannot assign a X to a Y".
  virtual void Assign(const TPersistent* Source);
  // The object this one belongs to (for collections and sub-objects).
  virtual TPersistent* GetOwner() const { return nullptr; }

protected:
  virtual void AssignTo(TPersistent* Dest) const;
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

}  // namespace host
