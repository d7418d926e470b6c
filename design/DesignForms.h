// Small helpers the suite's design-time windows share while they build
// themselves in code: every control gets its name, owner, parent and bounds
// in one call, so that a window reads as the list of its parts.
#pragma once

#include <string>

#include "host/controls/Forms.h"

namespace ambit {

// A control of class T named Name, owned by Owner (the window) and shown by
// Parent at the given bounds.
template <class T>
T* NewControl(host::TComponent* Owner, host::TWinControl* Parent, const std::string& Name, int Left, int Top,
              int Width, int Height) {
  auto* c = new T(Owner);
  c->SetName(Name);
  c->SetParent(Parent);
  c->SetBounds(Left, Top, Width, Height);
  return c;
}

// A non-visual component of class T named Name, owned by Owner.
template <class T>
T* NewComponent(host::TComponent* Owner, const std::string& Name) {
  auto* c = new T(Owner);
  c->SetName(Name);
  return c;
}

}  // namespace ambit
