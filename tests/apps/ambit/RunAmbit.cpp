#include "RunAmbit.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace ambittest {

TRun RunAmbit(const std::string& Args, const std::string& Output) {
  TRun run;
  const std::string command = std::string("'") + AMBIT_EXE + "' " + Args + " 2>&1" + Output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buf{};
  std::size_t n = 0;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) run.Output.append(buf.data(), n);
  const int status = pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string SamplePath(const std::string& Name) { return std::string(AMBIT_SOURCE_DIR) + "/examples/sample/" + Name; }

}  // namespace ambittest
