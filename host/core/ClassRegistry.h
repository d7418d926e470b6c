// The registry of classes that streaming and the designer create by name.
// Each library registers its classes explicitly from its registration
// function (never from static initialisers).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/Component.h"

namespace host {

using TComponentFactory = std::function<TComponent*(TComponent* Owner)>;

struct TRegisteredClass {
  const TClass* Class = nullptr;
  TComponentFactory Create;
};

// Registers (or re-registers) a component class under its class name.
void RegisterClass(const TClass& Class, TComponentFactory Create);
template <class T>
void RegisterClass() {
  RegisterClass(T::StaticClass(), [](TComponent* Owner) -> TComponent* { return new T(Owner); });
}
void UnRegisterClass(const TClass& Class);
// Look-up by class name, ignoring case; null when not registered.
const TRegisteredClass* FindRegisteredClass(std::string_view ClassName);
// Like FindRegisteredClass but raises EClassNotFound.
const TRegisteredClass& GetRegisteredClass(std::string_view ClassName);
// A count that grows with every registration and removal: what was looked
// up by name may be remembered while it stays the same.
std::uint64_t RegistryChanges();
// Every registered class, in registration order.
std::vector<const TRegisteredClass*> RegisteredClasses();

class EClassNotFound : public Exception { using Exception::Exception; };

}  // namespace host
