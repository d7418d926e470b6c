#include "runtime/AmbitRegister.h"

#include "host/core/ClassRegistry.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitDBSource.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUserSource.h"

namespace ambit {

void RegisterAmbitClasses() {
  host::RegisterClass<TAmLanguageSource>();
  host::RegisterClass<TAmUserLanguageSource>();
  host::RegisterClass<TAmFormLocalizer>();
  RegisterAmbitDBClasses();
}

}  // namespace ambit
