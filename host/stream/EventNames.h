// The handler names of component events as form files store them
// (OnClick = OKButtonClick). Reading a form never runs code, so a name is
// only remembered here; an application that wants handlers binds them
// itself (see TReadOptions::OnBindEvent). Entries go away with their
// component.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/core/Component.h"

namespace host {

// Sets (or, with an empty Handler, removes) the handler name of one event.
void SetEventHandlerName(TComponent* Component, std::string_view Event, const std::string& Handler);
// The handler name of an event; empty when none is stored.
std::string GetEventHandlerName(const TComponent* Component, std::string_view Event);
// Every stored (event, handler) pair of a component, in the order set.
std::vector<std::pair<std::string, std::string>> GetEventHandlerNames(const TComponent* Component);
// The number of components that have handler names (for leak checks).
std::size_t EventHandlerTableSize();

}  // namespace host
