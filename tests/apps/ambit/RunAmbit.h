// Runs the built ambit program and captures what it prints.
#pragma once

#include <string>

namespace ambittest {

struct TRun {
  int ExitCode = -1;
  std::string Output;  // standard output and standard error together
};

// Args are passed through the shell; quote them as needed. Output, when
// given, redirects standard output alone (" >/dev/full", " >&-"); Output
// then holds what went to standard error.
TRun RunAmbit(const std::string& Args, const std::string& Output = {});
std::string SamplePath(const std::string& Name);

}  // namespace ambittest
