// ambit: the command line of the localization suite.
#include <iostream>
#include <string>
#include <vector>

#include "apps/ambit/Commands.h"
#include "host/core/SysUtils.h"

using namespace ambit::cli;

namespace {

void ProgramHelp(std::ostream& out) {
  out << "Usage: ambit COMMAND [ARGUMENTS...]\n"
         "       ambit COMMAND --help\n"
         "\n"
         "Commands:\n";
  for (const TCommand& c : Commands()) {
    std::string name = c.Name;
    name.resize(std::max<std::size_t>(name.size() + 2, 10), ' ');
    out << "  " << name << c.Summary << "\n";
  }
  out << "\nOptions:\n  --help    show this help\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    ProgramHelp(std::cerr);
    return ExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    if (args.size() > 1) {
      if (const TCommand* c = FindCommand(args[1])) {
        std::cout << c->Help;
        return ExitOk;
      }
      std::cerr << "ambit: unknown command '" << args[1] << "'\n";
      return ExitUsage;
    }
    ProgramHelp(std::cout);
    return ExitOk;
  }
  const TCommand* command = FindCommand(args[0]);
  if (!command) {
    std::cerr << "ambit: unknown command '" << args[0] << "' (see ambit --help)\n";
    return ExitUsage;
  }
  args.erase(args.begin());
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") {
      std::cout << command->Help;
      return ExitOk;
    }
  try {
    return command->Run(args, std::cout, std::cerr);
  } catch (const host::Exception& e) {
    std::cerr << "ambit " << command->Name << ": " << e.what() << "\n";
    return ExitFailure;
  } catch (const std::exception& e) {
    std::cerr << "ambit " << command->Name << ": " << e.what() << "\n";
    return ExitFailure;
  }
}
