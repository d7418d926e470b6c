// Reading forms of 1,000, 5,000 and 10,000 components (and writing the
// middle one), against reading the form file's bytes from disk in the same
// run. Reading must grow linearly, so its ratio stays flat.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "host/core/ClassRegistry.h"
#include "host/stream/FormParser.h"
#include "host/stream/FormReader.h"
#include "host/stream/FormStream.h"
#include "bench/BenchRows.h"

using namespace host;

namespace {

const std::vector<std::int64_t> kSizes = {1000, 5000, 10000};
constexpr int kPerPanel = 49;  // panels of 49 controls each, plus the panels

struct TFixture {
  std::unique_ptr<TForm> Form;
  std::string Text;
  std::string Path;
};

// The same form the file holds, made in code: what the component
// framework costs without any reading.
std::unique_ptr<TForm> BuildForm(std::int64_t Components) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName("BigForm");
  form->SetCaption("A form of many components");
  int made = 0;
  for (int p = 0; made < Components; ++p) {
    auto* panel = new TPanel(form.get());
    panel->SetName("Panel" + std::to_string(p));
    panel->SetParent(form.get());
    panel->SetCaption("Group " + std::to_string(p));
    ++made;
    for (int i = 0; i < kPerPanel && made < Components; ++i, ++made) {
      const std::string n = std::to_string(p) + "_" + std::to_string(i);
      TControl* c = nullptr;
      switch (i % 3) {
        case 0: c = new TButton(form.get()); c->SetCaption("&Button " + n); break;
        case 1: c = new TLabel(form.get()); c->SetCaption("Label " + n + ":"); break;
        default: c = new TEdit(form.get()); break;
      }
      c->SetName("C" + n);
      c->SetParent(panel);
      c->SetBounds(8 + (i % 7) * 90, 8 + (i / 7) * 30, 80, 24);
      c->SetHint("Hint of " + n + "\r\nsecond line, caf\xC3\xA9");
    }
  }
  return form;
}

void RegisterFormClasses() {
  static const bool done = [] {
    RegisterClass<TForm>();
    RegisterClass<TPanel>();
    RegisterClass<TButton>();
    RegisterClass<TLabel>();
    RegisterClass<TEdit>();
    return true;
  }();
  (void)done;
}

TFixture& Fixture(std::int64_t Components) {
  static std::map<std::int64_t, TFixture> fixtures;
  auto it = fixtures.find(Components);
  if (it != fixtures.end()) return it->second;
  RegisterFormClasses();
  TFixture x;
  x.Form = BuildForm(Components);
  x.Text = WriteComponentText(*x.Form);
  x.Path = (std::filesystem::temp_directory_path() /
            ("ambit_bench_FormStream_" + std::to_string(::getpid()) + "_" + std::to_string(Components) + ".dfm"))
               .string();
  WriteComponentFile(*x.Form, x.Path);
  return fixtures.emplace(Components, std::move(x)).first->second;
}

void BM_ReadFileBytes(benchmark::State& state) {
  TFixture& f = Fixture(state.range(0));
  bench::TBestTime best;
  for (auto _ : state) best.Run([&] { benchmark::DoNotOptimize(ReadFileText(f.Path)); });
  best.Report(state);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(f.Text.size()));
}

void BM_WriteForm(benchmark::State& state) {
  TFixture& f = Fixture(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(WriteComponentText(*f.Form));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(f.Text.size()));
}

void BM_ParseForm(benchmark::State& state) {
  TFixture& f = Fixture(state.range(0));
  bench::TBestTime best;
  std::size_t treeBytes = 0;
  for (auto _ : state)
    best.Run([&] {
      const std::string text = ReadFileText(f.Path);
      TFormParser parser(text, f.Path);
      const TFormTree tree = parser.ParseRoot();
      benchmark::DoNotOptimize(&tree.Root());
      treeBytes = tree.Arena().Used();
    });
  best.Report(state);
  // The tree's size tells how much of it the caches can hold.
  state.counters["tree_bytes_per_component"] = static_cast<double>(treeBytes) / static_cast<double>(state.range(0));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(f.Text.size()));
}

// Freeing the components is left out of the timed part of the next two.
void BM_BuildFormInCode(benchmark::State& state) {
  Fixture(state.range(0));
  for (auto _ : state) {
    auto form = BuildForm(state.range(0));
    benchmark::DoNotOptimize(form.get());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}

void BM_ReadForm(benchmark::State& state) {
  TFixture& f = Fixture(state.range(0));
  bench::TBestTime best;
  for (auto _ : state) {
    std::unique_ptr<TComponent> form;
    best.Run([&] { form = ReadComponentFile(f.Path); });
    benchmark::DoNotOptimize(form.get());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
  best.Report(state);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(f.Text.size()));
}

// The same read with the whole parse on one thread: what the second
// thread takes off a large form's read.
void BM_ReadFormOneThread(benchmark::State& state) {
  TFixture& f = Fixture(state.range(0));
  bench::TBestTime best;
  for (auto _ : state) {
    std::unique_ptr<TComponent> form;
    best.Run([&] {
      const std::string text = ReadFileText(f.Path);
      TFormParser parser(text, f.Path, {.ParallelFrom = std::string_view::npos});
      const TFormTree tree = parser.ParseRoot();
      TFormReader reader(f.Path, TReadOptions{});
      form.reset(reader.ReadRoot(tree, nullptr));
    });
    benchmark::DoNotOptimize(form.get());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
  best.Report(state);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (auto n : kSizes) b->Arg(n);
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_ReadFileBytes)->Apply(Sizes);
BENCHMARK(BM_ReadForm)->Apply(Sizes);
BENCHMARK(BM_ReadFormOneThread)->Apply(Sizes);
BENCHMARK(BM_ParseForm)->Apply(Sizes);
BENCHMARK(BM_WriteForm)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildFormInCode)->Arg(5000)->Unit(benchmark::kMillisecond);

// Keeps the CPU time per iteration of each benchmark for the closing
// ratios of writing and building (steadier than wall time on a shared
// machine); reading counts its best single run.
class TRatioReporter : public bench::TBestReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && r.iterations > 0) Times[r.run_name.str()] = r.GetAdjustedCPUTime();
    bench::TBestReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nwork: forms of panels of %d controls (buttons, labels, edits) with captions and hints; best single runs\n",
              kPerPanel);
  for (auto n : kSizes) {
    const std::string arg = std::string("/").append(std::to_string(n));
    bench::PrintRow("Read a form file", n, reporter.Best("BM_ReadForm" + arg), "read its bytes",
                    reporter.Best("BM_ReadFileBytes" + arg), "<= 30x, linear");
    bench::PrintRow("Read a form file, parsing on one thread", n, reporter.Best("BM_ReadFormOneThread" + arg),
                    "read its bytes", reporter.Best("BM_ReadFileBytes" + arg), "");
    bench::PrintRow("Parse a form file (no components made)", n, reporter.Best("BM_ParseForm" + arg), "read its bytes",
                    reporter.Best("BM_ReadFileBytes" + arg), "");
  }
  const double read1k = reporter.Best("BM_ReadForm/1000"), read10k = reporter.Best("BM_ReadForm/10000");
  bench::PrintRow("Read a form file, per component", 10000, read10k / 10000, "the same at 1,000", read1k / 1000,
                  "linear");
  const double write = reporter.Times["BM_WriteForm/5000"], build = reporter.Times["BM_BuildFormInCode/5000"];
  const double read = reporter.Times["BM_ReadForm/5000"];
  if (write > 0 && read > 0) std::printf("write form / read form (5,000, CPU): %.2fx\n", write / read);
  // Inserting a component tells every component the owner already has, so
  // building any large form in code is quadratic; reading is not.
  if (build > 0 && read > 0) std::printf("read form / build it in code (5,000, CPU): %.2fx\n", read / build);
  for (auto n : kSizes) {
    TFixture& f = Fixture(n);
    std::filesystem::remove(f.Path);
    f.Form.reset();  // before the application's statics go
  }
  benchmark::Shutdown();
  return 0;
}
