// The design-time texts of the suite: captions, hints and messages of its
// editors and dialogs. Each window sets its texts from here in Localize.
#pragma once

namespace ambit {

}  // namespace ambit
