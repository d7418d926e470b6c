// What studio is asked to do on its command line.
#pragma once

#include <string>
#include <vector>

namespace ambit::studio {

struct TStudioOptions {
  // Projects (*.amproj, opened with their forms) and form files, in order.
  std::vector<std::string> Files;
  // Plug-ins named with --package, loaded before those of the default
  // folder.
  std::vector<std::string> Packages;
  // False with --no-default-packages: the default plug-in folder is passed by.
  bool DefaultPackages = true;
  // --check: offscreen, print what the designer holds, quit.
  bool Check = false;
  // --render DIR: offscreen, write pictures of the windows into DIR, quit.
  std::string RenderDir;
  // --select FORM.COMPONENT: selected before checking or rendering.
  std::string Select;
  bool Help = false;

  // Works without a desktop and ends by itself.
  bool Batch() const { return Check || !RenderDir.empty(); }
};

// Raises host::EConvertError for an unknown option or one without its value.
TStudioOptions ParseStudioOptions(const std::vector<std::string>& Args);

extern const char* const StudioUsage;

}  // namespace ambit::studio
