// What `studio --check` prints: the loaded packages, the palette, the Tools
// menu, each open form's components with their verbs and inspector rows,
// and what each wizard shows when it runs. It reads the design environment
// only, so it holds no toolkit.
#pragma once

#include <ostream>

namespace host {
class TDesignEnvironment;
}

namespace ambit::studio {

// Prints everything but the wizards.
void WriteDesignReport(host::TDesignEnvironment& Environment, std::ostream& Out);

// Runs every enabled wizard with a dialogs service that records what it
// shows and cancels every question and modal form, so that no wizard
// changes a file; prints the messages and forms each one showed.
void RunWizards(std::ostream& Out);

}  // namespace ambit::studio
