// Small helpers the suite's design-time windows share: every control gets
// its name, owner, parent and bounds in one call, so that a window reads as
// the list of its parts; and the question an editor asks on closing.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "host/controls/Dialogs.h"
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

// The question an editor with unsaved edits asks on closing: Yes saves (a
// save that fails is shown and keeps the window, so nothing is lost), No
// closes, Cancel stays. Returns whether the window may close.
inline bool AskSaveOnClose(const std::string& Question, const std::function<void()>& Save) {
  switch (host::MessageDlg(Question, host::mtConfirmation, host::mbYesNoCancel)) {
    case host::mrYes:
      try {
        Save();
      } catch (const std::exception& E) {
        host::MessageDlg(E.what(), host::mtError, {host::mbOK});
        return false;
      }
      return true;
    case host::mrNo:
      return true;
    default:
      return false;
  }
}

}  // namespace ambit
