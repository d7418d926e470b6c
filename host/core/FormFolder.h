// The folder relative file names on a form resolve against. A program's
// forms share its current folder; a designer opens forms of several
// projects at once and gives each form its project's folder instead, so
// that a language file or a database file named relative to the project
// is found whatever the process's current folder is.
#pragma once

#include <string>

#include "host/core/Component.h"

namespace host {

// Gives the form (any top-level component) a folder; an empty one takes it
// away. The entry goes with the form.
void SetFormFolder(TComponent* Root, const std::string& Folder);
// The folder of the nearest owner (the component itself first) that has
// one; empty when none has.
std::string FormFolder(const TComponent* Component);
// FileName itself when it is absolute or the component's form has no
// folder; otherwise the name inside that folder.
std::string ExpandFormFileName(const TComponent* Component, const std::string& FileName);

}  // namespace host
