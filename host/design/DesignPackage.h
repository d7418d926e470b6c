// The entry point of a plug-in. A plug-in is a shared library that links
// the host (and whatever run-time library its components live in) and
// exports one C function, written with one line at namespace scope:
//
//   HOST_PACKAGE(mysuite::Register)
//
// The loader calls it inside a package scope: it checks that the plug-in
// was built for this host's design API and runs Register, whose
// registrations then belong to the package. An exception Register raises
// comes back to the loader as a message; the package is withdrawn then.
#pragma once

#include <string>

// Raised whenever a design-time class changes its layout or meaning.
#define HOST_DESIGN_API_VERSION 1

namespace host {

// What the loader and the entry point exchange.
struct TPackageCall {
  std::string Error;  // set when the entry point fails
};

// Runs Register for a plug-in built against PackageApiVersion; false (and
// Call->Error set) when the versions differ or Register raises.
bool RunPackageRegister(TPackageCall* Call, int PackageApiVersion, void (*Register)());

}  // namespace host

#define HOST_PACKAGE_ENTRY_NAME "HostPackageEntry"

#define HOST_PACKAGE(RegisterFunction)                                                                 \
  extern "C" __attribute__((visibility("default"))) int HostPackageEntry(::host::TPackageCall* Call) { \
    return ::host::RunPackageRegister(Call, HOST_DESIGN_API_VERSION, &RegisterFunction) ? 1 : 0;       \
  }
