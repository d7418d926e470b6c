// The language source whose store is the application: it keeps the base
// behaviour, in which every store operation only fires an event, and
// publishes those events.
#pragma once

#include "runtime/Ambit.h"

namespace ambit {

class TAmUserLanguageSource : public TAmCustomLanguageSource {
  HOST_CLASS(TAmUserLanguageSource)
public:
  explicit TAmUserLanguageSource(host::TComponent* AOwner);
  ~TAmUserLanguageSource() override;

  // Writes go to the application's handlers, so they never raise.
  bool GetReadOnly() const override;
  // The designer cannot read texts that only the running application has.
  static bool DesignTime() { return false; }
  bool IsDesignTime() const override { return DesignTime(); }
};

}  // namespace ambit
