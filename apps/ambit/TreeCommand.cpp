// ambit tree: loads forms (references between them resolved) and prints
// each one's component tree with its texts.
#include <filesystem>
#include <ostream>

#include "apps/ambit/Commands.h"
#include "apps/ambit/FormLoading.h"
#include "apps/ambit/TreePrinter.h"

namespace ambit::cli {

const char* const TreeHelp =
    "Usage: ambit tree FORMFILE...\n"
    "       ambit tree PROJECTFILE\n"
    "\n"
    "Loads the forms in the order given (a project file, *.amproj, lists its\n"
    "forms in creation order), so that a form can refer to the components of\n"
    "the forms before it, and prints each form's component tree: every\n"
    "component with its class, nested as the form file nests it (the owner is\n"
    "shown where it is not the form, as for the components of a frame), with\n"
    "its texts: string properties, string lists, collection items and tree\n"
    "nodes. Texts are written as in form files ('It''s', #13#10).\n"
    "\n"
    "Exit status: 0 done, 1 a file is missing or malformed, 2 bad usage.\n";

int RunTree(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  if (Args.empty()) {
    Err << "ambit tree: expected form files or a project file (see ambit tree --help)\n";
    return ExitUsage;
  }
  for (const std::string& a : Args)
    if (!a.empty() && a[0] == '-') {
      Err << "ambit tree: unknown option '" << a << "' (see ambit tree --help)\n";
      return ExitUsage;
    }
  TLoadedForms loaded(Args);
  bool first = true;
  for (std::size_t i = 0; i < loaded.Forms().size(); ++i) {
    if (!first) Out << "\n";
    first = false;
    Out << "# " << loaded.FileOf(i) << "\n";
    PrintComponentTree(*loaded.Forms()[i], Out);
  }
  return ExitOk;
}

}  // namespace ambit::cli
