// A complete textual picture of a component tree for comparisons: every
// component with owner and parent, every published property with its value
// (nested objects, lists, collections and tree nodes included). Built
// through reflection alone, so it sees whatever the writer might miss.
#pragma once

#include <string>

#include "host/core/Component.h"

namespace streamtest {

std::string DumpTree(const host::TComponent& Root);

}  // namespace streamtest
