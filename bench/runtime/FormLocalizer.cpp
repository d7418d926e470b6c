// The form localizer on a form of N components with two texts each
// (N = 100, 1,000, 10,000): switching between two languages and saving the
// form into an empty language, each set against parsing that language's
// file alone, all measured in this run. Switching must grow linearly with
// N, so its ratio stays flat. Saving rewrites the whole file after every
// record (2N rewrites of a growing file), so it grows quadratically; the
// two parts of one rewrite, serialising the file and writing it to disk
// atomically, are measured apart to show where that time goes (the
// serialised text of a section is kept and patched by each write, so the
// first is a copy; the second is the kernel's work, plus one data flush).
//
// The files live in AMBIT_BENCH_DIR when it is set, else in /dev/shm when
// it exists (so that the CPU cost is seen, not the disk's flush latency),
// else in the system's temporary folder. The cost of one durable rewrite
// of a tiny file there is printed too: on a real disk it is the floor of
// every rewrite.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchRows.h"
#include "bench/BenchSupport.h"
#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/core/IniFiles.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::int64_t> kSizes = {100, 1000, 10000};

fs::path& Folder() {
  static fs::path folder;
  return folder;
}

fs::path FileFor(const std::string& Language, int N) {
  return Folder() / (Language + "_" + std::to_string(N) + ".lng");
}

std::string Caption(int i) { return "Caption " + std::to_string(i); }
std::string Hint(int i) {
  std::string h = "Hint of the button number " + std::to_string(i);
  if (i % 5 == 0) h += "\r\nwith a second line";
  return h;
}

// The language file of a translation: every text of the form, translated.
void WriteLanguage(const std::string& Language, int N) {
  std::string text = "[General Settings]\r\nLanguageName=\"" + Language +
                     "\"\r\nBiDiMode=\"0\"\r\nFontCharSet=\"DEFAULT_CHARSET\"\r\n\r\n[BenchForm]\r\n";
  for (int i = 0; i < N; ++i) {
    const std::string name = "Button" + std::to_string(i);
    text += name + ".Caption=" + ambit::GetEncodedString(Language + " " + Caption(i), '"', '#') + "\r\n";
    text += name + ".Hint=" + ambit::GetEncodedString(Language + " " + Hint(i), '"', '#') + "\r\n";
  }
  text += "\r\n";
  std::ofstream(FileFor(Language, N), std::ios::binary) << text;
}

// A form of N buttons bound through a localizer to a source of three
// languages: two translations and an empty one to save into.
struct TBenchForm {
  std::unique_ptr<ambit::TAmLanguageSource> Source;
  std::unique_ptr<host::TForm> Form;
  ambit::TAmFormLocalizer* Localizer = nullptr;

  explicit TBenchForm(int N) {
    Source = std::make_unique<ambit::TAmLanguageSource>(nullptr);
    for (const char* language : {"German", "French", "Template"})
      Source->Languages()->Add(std::string(language) + "=" + FileFor(language, N).string());
    Source->SetActiveLanguage(-1);
    Form = std::make_unique<host::TForm>(nullptr);
    Form->SetName("BenchForm");
    Form->SetCaption("Bench");
    for (int i = 0; i < N; ++i) {
      auto* b = new host::TButton(Form.get());
      b->SetName("Button" + std::to_string(i));
      b->SetCaption(Caption(i));
      b->SetHint(Hint(i));
    }
    Localizer = new ambit::TAmFormLocalizer(Form.get());
    Localizer->SetSource(Source.get());
  }
  ~TBenchForm() {
    Form.reset();
    Source.reset();
  }
};

// The baseline: the language file read and the form's section parsed into
// its lines (a file parses a section when it is first read).
void BM_ParseLanguageFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  bench::TBestTime best;
  for (auto _ : state)
    best.Run([&] {
      ambit::TAmLanguageFile file(FileFor("German", n).string());
      benchmark::DoNotOptimize(file.SectionLines("BenchForm"));
    });
  best.Report(state);
}

// The three switches of a language source: from the designed texts to a
// language (the snapshot of the designed texts is taken), between two
// languages, and back to the designed texts. Each iteration times one
// switch; the step that puts the form back where the next one starts is
// not timed.
enum TSwitch { swToLanguage, swBetween, swToNone };

void BM_Switch(benchmark::State& state) {
  const auto kind = static_cast<TSwitch>(state.range(0));
  const int n = static_cast<int>(state.range(1));
  TBenchForm bench(n);
  bench.Source->SetActiveLanguage(kind == swToLanguage ? -1 : 0);
  int next = 1;
  bench::TBestTime best;
  for (auto _ : state) {
    switch (kind) {
      case swToLanguage:
        best.Run([&] { bench.Source->SetActiveLanguage(0); });
        state.PauseTiming();
        bench.Source->SetActiveLanguage(-1);
        state.ResumeTiming();
        break;
      case swBetween:
        best.Run([&] { bench.Source->SetActiveLanguage(next); });
        next = 1 - next;
        break;
      case swToNone:
        best.Run([&] { bench.Source->SetActiveLanguage(-1); });
        state.PauseTiming();
        bench.Source->SetActiveLanguage(0);
        state.ResumeTiming();
        break;
    }
  }
  best.Report(state);
  // Once more, to see the switch land: the last button shows the language
  // switched to, or its designed caption.
  const char* expected = "German ";
  if (kind == swToLanguage) bench.Source->SetActiveLanguage(0);
  if (kind == swToNone) bench.Source->SetActiveLanguage(-1);
  if (kind == swBetween) expected = next == 1 ? "German " : "French ";
  const std::string caption = host::GetStrProp(bench.Form->FindComponent("Button" + std::to_string(n - 1)), "Caption");
  if (kind == swToNone ? caption != Caption(n - 1) : caption.rfind(expected, 0) != 0)
    state.SkipWithError("the form was not switched");
}

void BM_SaveForm(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  TBenchForm bench(n);
  const fs::path file = FileFor("Template", n);
  for (auto _ : state) {
    state.PauseTiming();
    bench.Source->SetActiveLanguage(-1);
    fs::remove(file);
    bench.Source->SetActiveLanguage(2);
    state.ResumeTiming();
    bench.Localizer->Save();
  }
  ambit::TAmLanguageFile saved(file.string());
  host::TStringList records;
  saved.ReadSectionValues("BenchForm", &records);
  if (records.Count() != 2 * n + 1) state.SkipWithError("the form was not saved whole");
}

// The two halves of the last rewrite of a save: the file of 2N records
// serialised, and written atomically.
void BM_SerialiseFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  host::TMemIniFile ini(FileFor("German", n).string());
  for (auto _ : state) benchmark::DoNotOptimize(ini.Text());
}

void BM_WriteFileAtomic(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string text = host::TMemIniFile(FileFor("German", n).string()).Text();
  const std::string target = (Folder() / ("Write_" + std::to_string(n) + ".lng")).string();
  for (auto _ : state) host::WriteFileAtomic(target, text);
  fs::remove(target);
}

void BM_WriteTinyFileAtomic(benchmark::State& state) {
  const std::string target = (Folder() / "Tiny.lng").string();
  for (auto _ : state) host::WriteFileAtomic(target, "[Tiny]\r\nA=\"B\"\r\n\r\n");
  fs::remove(target);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (auto n : kSizes) b->Arg(n);
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ParseLanguageFile)->Apply(Sizes);
BENCHMARK(BM_Switch)
    ->ArgsProduct({{swToLanguage, swBetween, swToNone}, kSizes})
    ->ArgNames({"kind", "N"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveForm)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveForm)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SerialiseFile)->Apply(Sizes);
BENCHMARK(BM_WriteFileAtomic)->Apply(Sizes);
BENCHMARK(BM_WriteTinyFileAtomic)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's times per iteration for the closing table. The
// save ratios use CPU time (the process's own, system calls included),
// which other work on the machine disturbs least; waits for the disk are
// only in the real time. The switch rows use the best single switch.
class RatioReporter : public bench::TBestReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) {
        Cpu[r.benchmark_name()] = r.GetAdjustedCPUTime();
        Real[r.benchmark_name()] = r.GetAdjustedRealTime();
      }
    bench::TBestReporter::ReportRuns(runs);
  }
  static double Find(const std::map<std::string, double>& Times, const std::string& name, int n) {
    for (const auto& [key, value] : Times)
      if (key == name + "/" + std::to_string(n) || key.rfind(name + "/" + std::to_string(n) + "/", 0) == 0)
        return value;
    return 0;
  }
  double CpuOf(const std::string& name, int n) const { return Find(Cpu, name, n); }
  double RealOf(const std::string& name, int n) const { return Find(Real, name, n); }
  std::map<std::string, double> Cpu, Real;
};

void PrintSwitchRows(const RatioReporter& reporter) {
  const char* const kinds[] = {"to a language", "between languages", "back to none"};
  for (int kind : {swToLanguage, swBetween, swToNone}) {
    auto best = [&](long n) {
      return reporter.Best("BM_Switch/kind:" + std::to_string(kind) + "/N:" + std::to_string(n));
    };
    const std::string work = std::string("Switch ") + kinds[kind] + ", language file";
    for (auto n : kSizes) {
      bench::PrintRow(work, n, best(n), "parse the form's section",
                      reporter.Best("BM_ParseLanguageFile/" + std::to_string(n)), "<= 2x");
      bench::PrintTime(kinds[kind], n, best(n));
    }
    bench::PrintRow(work + ", per component", 10000, best(10000) / 10000, "the same at 1,000", best(1000) / 1000,
                    "<= 1.2x");
  }
}

}  // namespace

int main(int argc, char** argv) {
  Folder() = bench::NewBenchFolder("ambit_bench_formlocal");
  for (auto n : kSizes) {
    WriteLanguage("German", static_cast<int>(n));
    WriteLanguage("French", static_cast<int>(n));
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(Folder());

  std::printf("\nwork: a form of N buttons with a caption and a hint each (2N + 1 texts); best single runs\n");
  PrintSwitchRows(reporter);
  std::printf("\nfiles in %s; one durable rewrite of a tiny file there: %.3f ms real\n",
              Folder().parent_path().c_str(), reporter.Real["BM_WriteTinyFileAtomic"]);
  std::printf("saving, CPU times\n");
  std::printf("%7s %10s %11s %15s %13s %20s\n", "N", "parse ms", "save/parse", "save us per text", "save ms real",
              "rewrite ser:write ms");
  for (int n : {100, 1000, 10000}) {
    const double parse = reporter.CpuOf("BM_ParseLanguageFile", n);
    const double save = reporter.CpuOf("BM_SaveForm", n);
    if (parse <= 0 || save <= 0) continue;
    std::printf("%7d %10.3f %11.1f %15.1f %13.1f %13.3f:%.3f\n", n, parse, save / parse,
                save / (2.0 * n + 1) * 1e3, reporter.RealOf("BM_SaveForm", n),
                reporter.CpuOf("BM_SerialiseFile", n), reporter.CpuOf("BM_WriteFileAtomic", n));
  }
  return 0;
}
