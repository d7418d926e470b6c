// Loading a 1 MB INI file into a TMemIniFile, set against reading the same
// file's bytes into memory and nothing more: reading one key (which parses
// only its section) and parsing every section. Prints the file size and
// the ratios (processor time, so that other load on the machine counts
// less), all measured in this run.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "host/core/IniFiles.h"

namespace {

constexpr std::size_t kTargetSize = 1 << 20;

std::string& FileName() {
  static std::string name;
  return name;
}

// Sections of a few hundred records each, with the suite's encoded values:
// the shape of a real language file, grown to 1 MB.
std::uintmax_t MakeFile() {
  FileName() = (std::filesystem::temp_directory_path() / ("h1_bench_" + std::to_string(::getpid()) + ".ini")).string();
  std::string text;
  for (int s = 0; text.size() < kTargetSize; ++s) {
    text += "[fmForm" + std::to_string(s) + "]\r\n";
    for (int r = 0; r < 300 && text.size() < kTargetSize; ++r)
      text += "Panel" + std::to_string(r % 7) + ".Button" + std::to_string(r) + ".Caption=\"Text of item " +
              std::to_string(r) + "\"#13#10\"second line\"\r\n";
    text += "\r\n";
  }
  std::ofstream(FileName(), std::ios::binary) << text;
  return std::filesystem::file_size(FileName());
}

// The baseline: the file's bytes in a string.
void BM_ReadBytes(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(FileName(), std::ios::binary);
    std::string bytes(static_cast<std::size_t>(std::filesystem::file_size(FileName())), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(FileName())));
}
BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond);

// Loading, then one look-up, so the index the first read builds is counted.
void BM_MemIniFileLoad(benchmark::State& state) {
  for (auto _ : state) {
    host::TMemIniFile ini(FileName());
    benchmark::DoNotOptimize(ini.ReadString("fmForm2", "Panel3.Button150.Caption", ""));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(FileName())));
}
BENCHMARK(BM_MemIniFileLoad)->Unit(benchmark::kMillisecond);

// Loading, then every section's lines.
void BM_MemIniFileLoadAll(benchmark::State& state) {
  host::TStringList sections;
  for (auto _ : state) {
    host::TMemIniFile ini(FileName());
    ini.ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i) benchmark::DoNotOptimize(ini.SectionLines(sections.Get(i)));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(FileName())));
}
BENCHMARK(BM_MemIniFileLoadAll)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) Times[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  const std::uintmax_t size = MakeFile();
  {
    host::TMemIniFile check(FileName());
    if (check.ReadString("fmForm2", "Panel3.Button150.Caption", "").empty()) {
      std::fprintf(stderr, "the generated file does not read as expected\n");
      return 1;
    }
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::filesystem::remove(FileName());
  const double base = reporter.Times["BM_ReadBytes"];
  const double load = reporter.Times["BM_MemIniFileLoad"];
  const double all = reporter.Times["BM_MemIniFileLoadAll"];
  std::printf("work: an INI file of %ju bytes\n", size);
  if (base > 0 && load > 0) std::printf("ratio: TMemIniFile load, one key / plain read of the bytes = %.1f\n", load / base);
  if (base > 0 && all > 0) std::printf("ratio: TMemIniFile load, every section / plain read of the bytes = %.1f\n", all / base);
  return 0;
}
