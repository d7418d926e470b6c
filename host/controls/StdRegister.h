// Registers every standard control class with the class registry, so that
// form files can create them by name. Called explicitly (by the form
// reader's users, the designer host, tests); calling it again is harmless.
#pragma once

namespace host {

void RegisterStandardControls();

}  // namespace host
