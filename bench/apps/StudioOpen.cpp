// Opening a form of 1,000 and of 10,000 components in the designer, against
// reading the same form file headless in the same run: the design
// environment alone (design state, the designer, icon places), and studio
// as a whole (the form's widgets embedded in a surface, the structure tree,
// the inspector). Prints each ratio against the headless read and how each
// grows from 1,000 to 10,000 components (10x is linear).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "apps/studio/Studio.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/StdRegister.h"
#include "host/design/DesignEnvironment.h"
#include "host/qt/QtRender.h"
#include "host/qt/QtWidgetSet.h"
#include "host/stream/FormStream.h"

using namespace host;

namespace {

constexpr int kPerPanel = 40;

// A form of Count components: panels of labelled edits and buttons in a
// grid, and every fiftieth component a dialog, which the file gives no
// place (the designer finds one).
std::string FormFile(int Count) {
  static std::map<int, std::string> files;
  auto& path = files[Count];
  if (!path.empty()) return path;
  RegisterStandardControls();
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName("BigForm");
  form->SetCaption("A form of " + std::to_string(Count) + " components");
  form->SetClientWidth(1200);
  form->SetClientHeight(900);
  TPanel* panel = nullptr;
  int inPanel = kPerPanel, panels = 0;
  for (int i = 1; i < Count; ++i) {
    const std::string n = std::to_string(i);
    if (i % 50 == 0) {
      auto* dialog = new TOpenDialog(form.get());
      dialog->SetName("Dialog" + n);
      continue;
    }
    if (inPanel == kPerPanel) {
      panel = new TPanel(form.get());
      panel->SetName("Panel" + n);
      panel->SetParent(form.get());
      panel->SetBounds(8 + (panels % 4) * 296, 8 + (panels / 4) * 216, 288, 208);
      ++panels;
      inPanel = 0;
      continue;
    }
    TControl* c = nullptr;
    switch (inPanel % 3) {
      case 0: c = new TLabel(form.get()); c->SetCaption("Label " + n + ":"); break;
      case 1: c = new TEdit(form.get()); break;
      default: c = new TButton(form.get()); c->SetCaption("&Button " + n); break;
    }
    c->SetName("C" + n);
    c->SetParent(panel);
    c->SetBounds(4 + (inPanel % 4) * 70, 4 + (inPanel / 4) * 20, 66, 18);
    c->SetHint("Hint of " + n);
    ++inPanel;
  }
  path = (std::filesystem::temp_directory_path() / ("ambit_bench_StudioOpen_" + std::to_string(Count) + ".dfm")).string();
  WriteComponentFile(*form, path);
  return path;
}

void BM_ReadHeadless(benchmark::State& state) {
  const std::string path = FormFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto form = ReadComponentFile(path);
    benchmark::DoNotOptimize(form.get());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ReadHeadless)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OpenInEnvironment(benchmark::State& state) {
  const std::string path = FormFile(static_cast<int>(state.range(0)));
  TDesignEnvironment environment;
  for (auto _ : state) {
    TFormModule* module = environment.LoadForm(path);
    benchmark::DoNotOptimize(module);
    state.PauseTiming();
    environment.CloseModule(module, true);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenInEnvironment)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

ambit::studio::TStudio& Studio() {
  static auto* widgetSet = new qt::TQtWidgetSet;
  static auto* studio = [] {
    ambit::studio::TStudioOptions options;
    options.DefaultPackages = false;
    return new ambit::studio::TStudio(options);
  }();
  (void)widgetSet;
  return *studio;
}

void BM_OpenInStudio(benchmark::State& state) {
  const std::string path = FormFile(static_cast<int>(state.range(0)));
  ambit::studio::TStudio& studio = Studio();
  for (auto _ : state) {
    studio.Open(path);
    // Until the window has laid out and drawn what opened.
    QCoreApplication::processEvents();
    state.PauseTiming();
    studio.Environment().CloseAllModules(true);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenInStudio)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_CloseInStudio(benchmark::State& state) {
  const std::string path = FormFile(static_cast<int>(state.range(0)));
  ambit::studio::TStudio& studio = Studio();
  for (auto _ : state) {
    state.PauseTiming();
    studio.Open(path);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    studio.Environment().CloseAllModules(true);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}
BENCHMARK(BM_CloseInStudio)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && r.iterations > 0) Times[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  qt::UseOffscreenPlatform(true);
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto t = [&](const char* Name, int N) { return reporter.Times[std::string(Name) + "/" + std::to_string(N)]; };
  std::printf("\nwork: a form of 1000 and of 10000 components (panels of controls, every 50th a dialog)\n");
  for (int n : {1000, 10000}) {
    const double base = t("BM_ReadHeadless", n);
    if (base <= 0) continue;
    std::printf("%5d components: environment / headless read %.1fx, studio / headless read %.1fx\n", n,
                t("BM_OpenInEnvironment", n) / base, t("BM_OpenInStudio", n) / base);
  }
  for (const char* name : {"BM_ReadHeadless", "BM_OpenInEnvironment", "BM_OpenInStudio", "BM_CloseInStudio"})
    if (t(name, 1000) > 0)
      std::printf("growth 1000 -> 10000 of %-22s %.1fx (10x is linear)\n", name, t(name, 10000) / t(name, 1000));
  for (int n : {1000, 10000}) std::filesystem::remove(FormFile(n));
  benchmark::Shutdown();
  // Qt's objects stay: the process ends here.
  std::fflush(stdout);
  std::quick_exit(0);
}
