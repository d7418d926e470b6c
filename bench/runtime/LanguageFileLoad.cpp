// Opening a language of 10,000 records and reading one form's section, set
// against reading that section from the same bytes with the plain INI
// object. Prints the file size and the ratio of the two, both measured in
// this run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <unistd.h>

#include "host/core/IniFiles.h"
#include "runtime/AmbitSource.h"

namespace {

constexpr int kSections = 20;
constexpr int kRecordsPerSection = 500;  // 10,000 records in all
const std::string kSection = "fmForm7";

std::string& FileName() {
  static std::string name;
  return name;
}

// Writes the file the way the suite writes it: encoded values, CR LF lines,
// texts with quotes and line breaks among plain ones.
std::uintmax_t MakeLanguageFile() {
  FileName() = (std::filesystem::temp_directory_path() / ("ambit_bench_" + std::to_string(::getpid()) + ".lng")).string();
  std::string text = "[General Settings]\r\nLanguageName=\"Bench\"\r\nBiDiMode=\"0\"\r\nFontCharSet=\"RUSSIAN_CHARSET\"\r\n\r\n";
  for (int s = 0; s < kSections; ++s) {
    text += "[fmForm" + std::to_string(s) + "]\r\n";
    for (int r = 0; r < kRecordsPerSection; ++r) {
      std::string value = "Текст номер " + std::to_string(r);
      if (r % 5 == 0) value += "\r\nсо второй строкой";
      if (r % 7 == 0) value += " \"в кавычках\"";
      text += "Panel" + std::to_string(r % 13) + ".Component" + std::to_string(r) + ".Caption=" +
              ambit::GetEncodedString(value, '"', '#') + "\r\n";
    }
    text += "\r\n";
  }
  std::ofstream(FileName(), std::ios::binary) << text;
  return std::filesystem::file_size(FileName());
}

void BM_PlainIniParse(benchmark::State& state) {
  for (auto _ : state) {
    host::TMemIniFile ini(FileName());
    host::TStringList lines;
    ini.ReadSectionValues(kSection, &lines);
    benchmark::DoNotOptimize(lines.Count());
  }
}
BENCHMARK(BM_PlainIniParse)->Unit(benchmark::kMillisecond);

void BM_OpenLanguageAndLoadSection(benchmark::State& state) {
  ambit::TAmLanguageSource src(nullptr);
  src.Languages()->Add("Bench=" + FileName());
  src.SetFormSection(kSection);
  host::TStringList records;
  for (auto _ : state) {
    src.SetActiveLanguage(0);
    src.LoadStrings(&records);
    benchmark::DoNotOptimize(records.Count());
    src.SetActiveLanguage(-1);
  }
  if (records.Count() != kRecordsPerSection) state.SkipWithError("the section was not read whole");
}
BENCHMARK(BM_OpenLanguageAndLoadSection)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration for the closing ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) Times[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  const std::uintmax_t size = MakeLanguageFile();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::filesystem::remove(FileName());
  const double base = reporter.Times["BM_PlainIniParse"];
  const double suite = reporter.Times["BM_OpenLanguageAndLoadSection"];
  std::printf("work: a language file of %d records (%d sections), %ju bytes; one section of %d records read\n",
              kSections * kRecordsPerSection, kSections, size, kRecordsPerSection);
  if (base > 0 && suite > 0)
    std::printf("ratio: open + LoadStrings / plain INI parse = %.2f\n", suite / base);
  return 0;
}
