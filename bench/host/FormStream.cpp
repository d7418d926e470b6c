// Reading and writing a form of 5,000 components, against reading the
// form file's bytes from disk in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "host/core/ClassRegistry.h"
#include "host/stream/FormParser.h"
#include "host/stream/FormStream.h"

using namespace host;

namespace {

constexpr int kComponents = 5000;
constexpr int kPerPanel = 49;  // 100 panels of 49 controls each, plus the panels

struct TFixture {
  std::unique_ptr<TForm> Form;
  std::string Text;
  std::string Path;
};

// The same form the file holds, made in code: what the component
// framework costs without any reading.
std::unique_ptr<TForm> BuildForm() {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName("BigForm");
  form->SetCaption("A form of many components");
  int made = 0;
  for (int p = 0; made < kComponents; ++p) {
    auto* panel = new TPanel(form.get());
    panel->SetName("Panel" + std::to_string(p));
    panel->SetParent(form.get());
    panel->SetCaption("Group " + std::to_string(p));
    ++made;
    for (int i = 0; i < kPerPanel && made < kComponents; ++i, ++made) {
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

TFixture& Fixture() {
  static TFixture f = [] {
    RegisterClass<TForm>();
    RegisterClass<TPanel>();
    RegisterClass<TButton>();
    RegisterClass<TLabel>();
    RegisterClass<TEdit>();
    TFixture x;
    x.Form = BuildForm();
    x.Text = WriteComponentText(*x.Form);
    x.Path = (std::filesystem::temp_directory_path() / "ambit_bench_FormStream.dfm").string();
    WriteComponentFile(*x.Form, x.Path);
    return x;
  }();
  return f;
}

void BM_ReadFileBytes(benchmark::State& state) {
  TFixture& f = Fixture();
  for (auto _ : state) benchmark::DoNotOptimize(ReadFileText(f.Path));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(f.Text.size()));
}
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);

void BM_WriteForm(benchmark::State& state) {
  TFixture& f = Fixture();
  for (auto _ : state) benchmark::DoNotOptimize(WriteComponentText(*f.Form));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(f.Text.size()));
}
BENCHMARK(BM_WriteForm)->Unit(benchmark::kMillisecond);

void BM_ParseForm(benchmark::State& state) {
  TFixture& f = Fixture();
  for (auto _ : state) {
    const std::string text = ReadFileText(f.Path);
    TFormParser parser(text, f.Path);
    benchmark::DoNotOptimize(parser.ParseRoot());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(f.Text.size()));
}
BENCHMARK(BM_ParseForm)->Unit(benchmark::kMillisecond);

// Freeing the components is left out of the timed part of the next two.
void BM_BuildFormInCode(benchmark::State& state) {
  Fixture();
  for (auto _ : state) {
    auto form = BuildForm();
    benchmark::DoNotOptimize(form.get());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildFormInCode)->Unit(benchmark::kMillisecond);

void BM_ReadForm(benchmark::State& state) {
  TFixture& f = Fixture();
  for (auto _ : state) {
    auto form = ReadComponentFile(f.Path);
    benchmark::DoNotOptimize(form.get());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(f.Text.size()));
}
BENCHMARK(BM_ReadForm)->Unit(benchmark::kMillisecond);

// Keeps the CPU time per iteration of each benchmark for the closing
// ratios (steadier than wall time on a shared machine).
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && r.iterations > 0)
        Times[r.run_name.function_name] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  TFixture& f = Fixture();
  const int count = f.Form->ComponentCount();
  std::printf("\nwork: a form of %d components, %zu bytes of form text\n", count, f.Text.size());
  const double base = reporter.Times["BM_ReadFileBytes"];
  if (base > 0) {
    std::printf("read form / read file bytes:  %.1fx\n", reporter.Times["BM_ReadForm"] / base);
    std::printf("write form / read file bytes: %.1fx\n", reporter.Times["BM_WriteForm"] / base);
    std::printf("parse only / read file bytes: %.1fx\n", reporter.Times["BM_ParseForm"] / base);
  }
  if (reporter.Times["BM_BuildFormInCode"] > 0) {
    // Inserting a component tells every component the owner already has,
    // so building any large form is quadratic; reading adds little to it.
    std::printf("read form / build it in code: %.2fx\n",
                reporter.Times["BM_ReadForm"] / reporter.Times["BM_BuildFormInCode"]);
  }
  std::filesystem::remove(f.Path);
  f.Form.reset();
  benchmark::Shutdown();
  return 0;
}
