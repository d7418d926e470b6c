// Shared by the benchmark programs.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace bench {

// A fresh folder for a benchmark's files, named after it and the process:
// under AMBIT_BENCH_DIR when it is set, else in /dev/shm when it exists (so
// that the CPU cost is seen, not the disk's flush latency), else in the
// system's temporary folder. The caller removes it.
inline std::filesystem::path NewBenchFolder(const std::string& Name) {
  std::filesystem::path base;
  if (const char* env = std::getenv("AMBIT_BENCH_DIR"); env && *env)
    base = env;
  else if (std::filesystem::is_directory("/dev/shm"))
    base = "/dev/shm";
  else
    base = std::filesystem::temp_directory_path();
  const std::filesystem::path folder = base / (Name + "_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace bench
