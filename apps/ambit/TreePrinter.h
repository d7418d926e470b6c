// Prints a form as a tree: each component with its class (and its owner
// when that is not the form: the components of a frame), nested as the
// form file nests them, with the texts it holds: string properties, string
// lists, collection items and tree nodes.
#pragma once

#include <iosfwd>

#include "host/core/Component.h"

namespace ambit::cli {

void PrintComponentTree(const host::TComponent& Form, std::ostream& Out);

}  // namespace ambit::cli
