// References from one designed form into another that is not open now
// ("DataForm.Table1"). Closing a form notes every reference the other open
// forms hold into it, reading a form notes those it cannot resolve yet;
// each comes back when its form opens, and is written by name meanwhile,
// so that closing or reopening a form loses no reference.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/Component.h"

namespace host {

class TFormReferences {
public:
  TFormReferences();
  ~TFormReferences();
  TFormReferences(const TFormReferences&) = delete;
  TFormReferences& operator=(const TFormReferences&) = delete;

  // Notes a reference held by Instance (Holder or a nested object of it).
  void Add(TComponent* Holder, TObject* Instance, const TPropInfo* Prop, const std::string& Path);
  // Form is about to close: the references the other forms hold into it
  // are noted and cleared (as the form's going would clear them).
  void FormClosing(TComponent* Form, const std::vector<TComponent*>& OtherForms);
  // Form was opened: the noted references into it that still hold nothing
  // are set again.
  void FormOpened(TComponent* Form);
  // The path noted for a reference that holds nothing; empty when none.
  std::string PendingPath(const TObject& Instance, const TPropInfo& Prop) const;
  std::size_t Count() const { return FEntries.size(); }

private:
  struct TEntry {
    TComponent* Holder;
    TObject* Instance;
    const TPropInfo* Prop;
    std::string Path;
  };
  class TWatcher;
  void Forget(TComponent* Holder);
  void Scan(TComponent* Holder, TObject* Instance, TComponent* Form, TComponent* Root, int Depth);

  std::vector<TEntry> FEntries;
  std::unique_ptr<TWatcher> FWatcher;
};

}  // namespace host
