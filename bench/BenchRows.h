// What the benchmarks share for the targets table: the best time of single
// runs (the Qt peer's method, steady on a loaded machine), a reporter that
// keeps each benchmark's best over repetitions, and the table rows that
// tools/bench.sh collects.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace bench {

// The shortest of the runs timed with Run, reported as the counter
// "best_us" of the benchmark.
class TBestTime {
public:
  template <class F>
  void Run(F&& Work) {
    const auto start = std::chrono::steady_clock::now();
    Work();
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    FBest = std::min(FBest, took.count());
  }
  void Report(benchmark::State& State) const {
    if (FBest < std::numeric_limits<double>::infinity()) State.counters["best_us"] = FBest;
  }

private:
  double FBest = std::numeric_limits<double>::infinity();
};

// Keeps the best "best_us" of every benchmark over its repetitions.
class TBestReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    for (const Run& r : Runs) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      auto it = r.counters.find("best_us");
      if (it == r.counters.end()) continue;
      const std::string name = r.run_name.str();
      auto [at, added] = FBest.try_emplace(name, it->second.value);
      if (!added) at->second = std::min(at->second, static_cast<double>(it->second.value));
    }
    ConsoleReporter::ReportRuns(Runs);
  }
  // Microseconds; 0 when the benchmark did not run.
  double Best(const std::string& Name) const {
    auto it = FBest.find(Name);
    return it == FBest.end() ? 0 : it->second;
  }

private:
  std::map<std::string, double> FBest;
};

inline std::string FormatMicroseconds(double Us) {
  char text[32];
  if (Us >= 10000)
    std::snprintf(text, sizeof text, "%.1f ms", Us / 1000);
  else if (Us >= 1000)
    std::snprintf(text, sizeof text, "%.2f ms", Us / 1000);
  else
    std::snprintf(text, sizeof text, "%.1f us", Us);
  return text;
}

// One row of the targets table, "row | work | N | ours | baseline | ratio |
// target", the form tools/bench.sh reads. Nothing is printed for a row
// whose times are missing.
inline void PrintRow(const std::string& Work, long N, double OursUs, const std::string& Baseline, double BaseUs,
                     const std::string& Target) {
  if (OursUs <= 0 || BaseUs <= 0) return;
  std::printf("row | %-44s | %8ld | %10s | %-32s | %10s | %6.2fx | %s\n", Work.c_str(), N,
              FormatMicroseconds(OursUs).c_str(), Baseline.c_str(), FormatMicroseconds(BaseUs).c_str(), OursUs / BaseUs,
              Target.c_str());
}

// A time tools/bench.sh sets beside the Qt peer's: "time | what | N | us".
inline void PrintTime(const std::string& What, long N, double Us) {
  if (Us > 0) std::printf("time | %s | %ld | %.1f\n", What.c_str(), N, Us);
}

}  // namespace bench
