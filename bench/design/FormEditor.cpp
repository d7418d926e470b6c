// The form localizer editor filling its grid, against reading the same
// records straight from the language stores, all measured in this run:
//
// - wide: one component with 50 localizable properties and a source of 20
//   languages; each iteration reloads the editor (every language's section
//   is read again) and fills the grid of 50 rows by 21 columns. Baseline:
//   open each of the 20 languages once and read the 50 records.
// - form: a form of 1,000 buttons (caption and hint each) and the same 20
//   languages; each iteration selects every button in turn, so the grid is
//   filled 1,000 times. Baseline: open each language once and read all
//   2,000 records.
//
// The editor must not open a language file per cell: the number of
// language opens per iteration is counted and printed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>


#include "bench/BenchSupport.h"
#include "design/AmbitFormEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/Grids.h"
#include "host/controls/TreeView.h"
#include "host/core/Object.h"
#include "host/core/TypInfo.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLanguages = 20;
constexpr int kWideProps = 50;
constexpr int kButtons = 1000;

fs::path& Folder() {
  static fs::path folder;
  return folder;
}

// A component with kWideProps published texts, Text0 .. Text49.
class TWide : public host::TComponent {
  HOST_CLASS(TWide)
public:
  explicit TWide(host::TComponent* AOwner) : host::TComponent(AOwner) {
    for (int i = 0; i < kWideProps; ++i) FTexts[i] = "Text number " + std::to_string(i);
  }
  template <int I>
  std::string Text() const { return FTexts[I]; }
  template <int I>
  void SetText(const std::string& Value) { FTexts[I] = Value; }

private:
  std::string FTexts[kWideProps];
};

template <int... I>
void PublishTexts(host::TClassBuilder<TWide>& b, std::integer_sequence<int, I...>) {
  (b.Prop("Text" + std::to_string(I), &TWide::Text<I>, &TWide::SetText<I>), ...);
}

const host::TClass& TWide::StaticClass() {
  static const host::TClass cls = [] {
    host::TClassBuilder<TWide> b("TWide", &host::TComponent::StaticClass());
    PublishTexts(b, std::make_integer_sequence<int, kWideProps>());
    return b.Build();
  }();
  return cls;
}
const host::TClass& TWide::ClassType() const { return StaticClass(); }

std::string Language(int k) { return "Language" + std::to_string(k); }

// Each language's file: the wide component's texts and every button's.
void WriteLanguages() {
  for (int k = 0; k < kLanguages; ++k) {
    std::string text = "[General Settings]\nFontCharSet=\"DEFAULT_CHARSET\"\n\n[BenchForm]\n";
    for (int i = 0; i < kWideProps; ++i)
      text += "Wide1.Text" + std::to_string(i) + "=\"" + Language(k) + " text " + std::to_string(i) + "\"\n";
    for (int i = 0; i < kButtons; ++i) {
      const std::string name = "Button" + std::to_string(i);
      text += name + ".Caption=\"" + Language(k) + " caption " + std::to_string(i) + "\"\n";
      text += name + ".Hint=\"" + Language(k) + " hint of the button " + std::to_string(i) + "\"\n";
    }
    std::ofstream(Folder() / (Language(k) + ".lng"), std::ios::binary) << text << "\n";
  }
}

// A source over the 20 files that counts how often a language is opened.
void SetUpSource(ambit::TAmLanguageSource& Source, int& Opens) {
  for (int k = 0; k < kLanguages; ++k)
    Source.Languages()->Add(Language(k) + "=" + (Folder() / (Language(k) + ".lng")).string());
  Source.SetOnLanguageOpen([&Opens](host::TObject*) { ++Opens; });
}

// The designer's form: the wide component, kButtons buttons, a source and
// a localizer, with the editor open on it.
struct TBench {
  int Opens = 0;
  std::unique_ptr<host::TForm> Form = std::make_unique<host::TForm>(nullptr);
  ambit::TAmFormLocalizer* Localizer;
  std::unique_ptr<ambit::TfmFLEditor> Editor;

  TBench() {
    Form->SetName("BenchForm");
    Form->SetDesigning(true);
    (new TWide(Form.get()))->SetName("Wide1");
    for (int i = 0; i < kButtons; ++i) {
      auto* b = new host::TButton(Form.get());
      b->SetParent(Form.get());
      b->SetName("Button" + std::to_string(i));
      b->SetCaption("Caption " + std::to_string(i));
      b->SetHint("Hint of the button " + std::to_string(i));
    }
    auto* source = new ambit::TAmLanguageSource(Form.get());
    SetUpSource(*source, Opens);
    Localizer = new ambit::TAmFormLocalizer(Form.get());
    for (int i = 0; i < kWideProps; ++i) Localizer->PropNames()->Add("Text" + std::to_string(i));
    Localizer->SetSource(source);
    Editor = std::make_unique<ambit::TfmFLEditor>(nullptr);
    Editor->SetLocalizer(Localizer);
  }
  ~TBench() {
    Editor.reset();
    Form.reset();
  }
  void Select(int Index) {
    host::TTreeNode* root = Editor->tvComponents->Items()->GetFirstNode();
    Editor->tvComponents->SetSelected(root->Item(Index));
  }
};

// The direct reading: each language opened once, the records read by name.
template <class F>
void ReadStraight(ambit::TAmLanguageSource& Source, F&& ReadRecords) {
  Source.BeginUpdate();
  for (int k = 0; k < kLanguages; ++k) {
    Source.SetActiveLanguage(k);
    Source.SetFormSection("BenchForm");
    ReadRecords();
  }
  Source.SetActiveLanguage(-1);
  Source.EndUpdate();
}

std::map<std::string, double> gOpensPerIteration;

void BM_StoresWide(benchmark::State& state) {
  int opens = 0;
  ambit::TAmLanguageSource source(nullptr);
  SetUpSource(source, opens);
  for (auto _ : state)
    ReadStraight(source, [&] {
      for (int i = 0; i < kWideProps; ++i)
        benchmark::DoNotOptimize(source.LoadString("Wide1.Text" + std::to_string(i), ""));
    });
}

void BM_EditorWide(benchmark::State& state) {
  TBench bench;
  bench.Select(0);  // children are sorted: Button..., FormLocalizer1, Wide1 last
  bench.Select(bench.Editor->tvComponents->Items()->GetFirstNode()->Count() - 1);
  const int before = bench.Opens;
  for (auto _ : state) bench.Editor->Reload();
  gOpensPerIteration["wide"] = double(bench.Opens - before) / double(state.iterations());
  if (bench.Editor->sgPropValues->RowCount() != kWideProps + 1 ||
      bench.Editor->sgPropValues->Cells(kLanguages + 1, kWideProps) != Language(kLanguages - 1) + " text 9")
    state.SkipWithError("the grid was not filled");
}

void BM_StoresForm(benchmark::State& state) {
  int opens = 0;
  ambit::TAmLanguageSource source(nullptr);
  SetUpSource(source, opens);
  for (auto _ : state)
    ReadStraight(source, [&] {
      for (int i = 0; i < kButtons; ++i) {
        const std::string name = "Button" + std::to_string(i);
        benchmark::DoNotOptimize(source.LoadString(name + ".Caption", ""));
        benchmark::DoNotOptimize(source.LoadString(name + ".Hint", ""));
      }
    });
}

void BM_EditorForm(benchmark::State& state) {
  TBench bench;
  const int before = bench.Opens;
  for (auto _ : state) {
    state.PauseTiming();
    bench.Editor->Reload();  // every section is read again once
    state.ResumeTiming();
    for (int i = 0; i < kButtons; ++i) bench.Select(i);  // the buttons come first
  }
  gOpensPerIteration["form"] = double(bench.Opens - before) / double(state.iterations());
  const std::string last = bench.Editor->SelectedComponent()->Name();  // ButtonN
  if (bench.Editor->sgPropValues->Cells(2, 1) != Language(0) + " caption " + last.substr(6))
    state.SkipWithError("the grid was not filled");
}

BENCHMARK(BM_StoresWide)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorWide)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoresForm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorForm)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) Cpu[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Cpu;
};

}  // namespace

int main(int argc, char** argv) {
  Folder() = bench::NewBenchFolder("ambit_bench_formeditor");
  WriteLanguages();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(Folder());

  std::printf("\nwork: %d languages; wide: one component of %d texts (a grid of %d cells);\n", kLanguages,
              kWideProps, kWideProps * (kLanguages + 1));
  std::printf("form: %d buttons of 2 texts, each selected in turn (%d grids); CPU times\n", kButtons, kButtons);
  std::printf("%6s %12s %12s %14s %17s\n", "case", "stores ms", "editor ms", "editor/stores", "opens per run");
  for (const char* c : {"Wide", "Form"}) {
    const double stores = reporter.Cpu["BM_Stores" + std::string(c)];
    const double editor = reporter.Cpu["BM_Editor" + std::string(c)];
    const std::string key = c == std::string("Wide") ? "wide" : "form";
    if (stores <= 0) continue;
    std::printf("%6s %12.3f %12.3f %14.2f %17.1f\n", key.c_str(), stores, editor, editor / stores,
                gOpensPerIteration[key]);
  }
  return 0;
}
