// Which Qt peer shows which control model: the most derived class that
// has one of its own wins.
#pragma once

#include <memory>

#include "host/controls/Peer.h"

namespace host::qt {

// The peer of a control; null for a class the widgetset does not show.
std::unique_ptr<IControlPeer> CreateQtPeer(TControl* Control);

}  // namespace host::qt
