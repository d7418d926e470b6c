// FindComponent among many owned components, set against a plain linear
// scan of the same list with the same case-insensitive comparison. Prints
// the work size, the ratio scan / FindComponent, and how FindComponent's
// time changes from 100 to 10,000 components: a hash look-up does not grow
// with the count (what little it does is the larger table leaving the
// processor caches). Processor time, so other load counts less.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/core/CaseFold.h"
#include "host/core/Component.h"

namespace {

constexpr int kLookupsPerIteration = 1000;

// An owner with N named components and a shuffled list of look-up names,
// in other case than the components carry, as users type them.
struct Fixture {
  std::unique_ptr<host::TComponent> Owner;
  std::vector<std::string> Queries;
};

const Fixture& FixtureFor(int n) {
  static std::map<int, Fixture> cache;
  auto it = cache.find(n);
  if (it != cache.end()) return it->second;
  Fixture f;
  f.Owner = std::make_unique<host::TComponent>(nullptr);
  for (int i = 0; i < n; ++i) (new host::TComponent(f.Owner.get()))->SetName("Component" + std::to_string(i));
  std::mt19937 rng(2024);
  for (int i = 0; i < kLookupsPerIteration; ++i)
    f.Queries.push_back("COMPONENT" + std::to_string(static_cast<int>(rng() % static_cast<unsigned>(n))));
  return cache.emplace(n, std::move(f)).first->second;
}

void BM_FindComponent(benchmark::State& state) {
  const Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  for (auto _ : state)
    for (const std::string& q : f.Queries) benchmark::DoNotOptimize(f.Owner->FindComponent(q));
  state.SetItemsProcessed(state.iterations() * kLookupsPerIteration);
}
BENCHMARK(BM_FindComponent)->Arg(100)->Arg(1000)->Arg(10000);

// The baseline: walk the owned components in order until a name matches.
void BM_LinearScan(benchmark::State& state) {
  const Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  for (auto _ : state)
    for (const std::string& q : f.Queries) {
      host::TComponent* found = nullptr;
      for (host::TComponent* c : f.Owner->ComponentList())
        if (host::SameText(c->Name(), q)) {
          found = c;
          break;
        }
      benchmark::DoNotOptimize(found);
    }
  state.SetItemsProcessed(state.iterations() * kLookupsPerIteration);
}
BENCHMARK(BM_LinearScan)->Arg(100)->Arg(1000)->Arg(10000);

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
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  auto per = [&](const char* name, int n) {
    const double t = reporter.Times[std::string(name) + "/" + std::to_string(n)];
    return t / kLookupsPerIteration;  // processor time per look-up, in ns
  };
  std::printf("work: %d look-ups by name (other case) per iteration among 100, 1,000 and 10,000 components\n",
              kLookupsPerIteration);
  for (int n : {100, 1000, 10000}) {
    const double find = per("BM_FindComponent", n), scan = per("BM_LinearScan", n);
    if (find > 0 && scan > 0)
      std::printf("%5d components: FindComponent %.0f ns, linear scan %.0f ns per look-up; ratio scan / find = %.1f\n",
                  n, find, scan, scan / find);
  }
  const double small = per("BM_FindComponent", 100), large = per("BM_FindComponent", 10000);
  if (small > 0 && large > 0)
    std::printf("growth: FindComponent at 10,000 / at 100 components = %.2f (1 means no growth)\n", large / small);
  return 0;
}
