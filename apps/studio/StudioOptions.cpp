#include "apps/studio/StudioOptions.h"

#include "host/core/SysUtils.h"

namespace ambit::studio {

const char* const StudioUsage =
    "usage: studio [PROJECT.amproj | FORM.dfm]... [--package LIB]... [--no-default-packages]\n"
    "              [--check] [--render DIR] [--select FORM.COMPONENT]\n"
    "The designer of the Ambit Localizer suite: opens projects with their forms\n"
    "and form files, and loads the plug-ins named with --package and those in\n"
    "the plugins folder beside the program before it opens them.\n"
    "  --package LIB           load the plug-in LIB (may be repeated)\n"
    "  --no-default-packages   do not load the plugins folder beside the program\n"
    "  --check                 no desktop needed: print the palette, the Tools menu,\n"
    "                          each component's verbs and inspector rows and what\n"
    "                          the wizards show, then quit\n"
    "  --render DIR            no desktop needed: write DIR/studio.png (the main\n"
    "                          window), DIR/inspector.png and DIR/<Form>.png (each\n"
    "                          form's design surface), then quit\n"
    "  --select FORM.COMPONENT select that component first (FORM alone: the form)\n";

TStudioOptions ParseStudioOptions(const std::vector<std::string>& Args) {
  TStudioOptions options;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    const std::string& a = Args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= Args.size() || Args[i + 1].empty()) throw host::EConvertError(a + " needs a value");
      return Args[++i];
    };
    if (a == "--package") {
      options.Packages.push_back(value());
    } else if (a == "--no-default-packages") {
      options.DefaultPackages = false;
    } else if (a == "--check") {
      options.Check = true;
    } else if (a == "--render") {
      options.RenderDir = value();
    } else if (a == "--select") {
      options.Select = value();
    } else if (a == "--help" || a == "-h") {
      options.Help = true;
    } else if (a.size() > 1 && a[0] == '-') {
      throw host::EConvertError("unknown option " + a);
    } else {
      options.Files.push_back(a);
    }
  }
  return options;
}

}  // namespace ambit::studio
