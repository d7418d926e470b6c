// Event types shared by the whole framework. An event is a std::function
// whose first argument is the Sender; it fires only when assigned.
#pragma once

#include <functional>

namespace host {

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace host
