// ambit: the command line of the localization suite.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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
  out << "\nOptions:\n  --help    show this help\n"
         "\nEvery command exits with 1, saying why, when it fails, also when its\n"
         "output cannot be written (a full disk, a closed output).\n";
}

// A closed standard stream would be handed to the next file opened, and
// what is printed would land in that file (a language file, say). So each
// is held open on /dev/null; a closed standard output is an error, as
// nothing the command reports could be read.
bool HoldStandardStreams() {
  bool outputOpen = true;
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int null = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (null >= 0 && null != fd) {
      ::dup2(null, fd);
      ::close(null);
    }
    if (fd == 1) outputOpen = false;
  }
  return outputOpen;
}

// Runs a command; what it raises is reported as its failure.
int Run(const TCommand& Command, const std::vector<std::string>& Args) {
  try {
    return Command.Run(Args, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "ambit " << Command.Name << ": " << e.what() << "\n";
    return ExitFailure;
  }
}

int Dispatch(std::vector<std::string> Args, std::string& CommandName) {
  if (Args.empty()) {
    ProgramHelp(std::cerr);
    return ExitUsage;
  }
  if (Args[0] == "--help" || Args[0] == "-h" || Args[0] == "help") {
    if (Args.size() > 1) {
      if (const TCommand* c = FindCommand(Args[1])) {
        std::cout << c->Help;
        return ExitOk;
      }
      std::cerr << "ambit: unknown command '" << Args[1] << "'\n";
      return ExitUsage;
    }
    ProgramHelp(std::cout);
    return ExitOk;
  }
  const TCommand* command = FindCommand(Args[0]);
  if (!command) {
    std::cerr << "ambit: unknown command '" << Args[0] << "' (see ambit --help)\n";
    return ExitUsage;
  }
  CommandName = command->Name;
  Args.erase(Args.begin());
  for (const std::string& a : Args)
    if (a == "--help" || a == "-h") {
      std::cout << command->Help;
      return ExitOk;
    }
  return Run(*command, Args);
}

}  // namespace

int main(int argc, char** argv) {
  if (!HoldStandardStreams()) {
    std::cerr << "ambit: standard output is closed, so nothing could be reported; nothing was done. "
                 "Send the output somewhere (a file, a pipe, /dev/null).\n";
    return ExitFailure;
  }
  std::string name;
  const int code = Dispatch(std::vector<std::string>(argv + 1, argv + argc), name);
  // Every write goes through std::cout, whose failure sticks: one check
  // after the last flush finds a full disk or a broken output file.
  errno = 0;
  if (std::cout.flush()) return code;
  const int err = errno;
  std::cerr << "ambit" << (name.empty() ? "" : " " + name) << ": cannot write the output"
            << (err ? std::string(": ") + std::strerror(err) : std::string()) << "\n";
  return code == ExitOk ? ExitFailure : code;
}
