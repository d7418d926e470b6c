// Registration of the suite's run-time components with the host's class
// registry, so that form files and the designer can create them by name.
#pragma once

namespace ambit {

// Registers every concrete component of the run-time library. Safe to call
// more than once.
void RegisterAmbitClasses();

}  // namespace ambit
