// Loading the forms named on a command line: loose form files or one
// project file, read in order with the standard controls registered, so
// that later forms resolve references into earlier ones. Shared by every
// command that works on forms.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/Component.h"
#include "host/stream/FormProject.h"

namespace ambit::cli {

class TLoadedForms {
public:
  // Raises the reader's EReadError or EFOpenError on failure.
  explicit TLoadedForms(const std::vector<std::string>& Args);
  ~TLoadedForms();

  const std::vector<host::TComponent*>& Forms() const { return FProject->Forms(); }
  const std::string& FileOf(std::size_t Index) const { return FProject->FormFiles()[Index].FileName; }
  host::TFormProject& Project() { return *FProject; }

private:
  std::unique_ptr<host::TFormProject> FProject;
};

// The one project file of the current folder, for commands whose forms
// may be left out; raises EFOpenError when there is none or several.
std::vector<std::string> DefaultProject(const std::string& Command);

// True for a file name that names a project (*.amproj).
bool IsProjectFile(const std::string& FileName);

}  // namespace ambit::cli
