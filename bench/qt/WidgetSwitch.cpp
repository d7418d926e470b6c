// Switching the language of a form shown on real Qt widgets, offscreen:
// N buttons side by side, 100 to a row (the layout of the Qt peer's
// PEER_LAYOUT=grid), each with a caption and a hint shown as its tool tip.
// One switch is the source's change of language through the localizer and
// the widgets' peers plus the event pass that puts the new texts on screen,
// timed as the Qt peer times its own retranslation of the same widgets;
// tools/bench.sh sets the two side by side. Also timed here, as the floor
// of any such switch: setting the same texts straight on the Qt widgets.
//
// The texts are the peer's: "Caption of component i" designed, "Перевод
// caption i" in Russian. The switch of the targets table goes between two
// languages of one character set and reading order (Russian and Ukrainian),
// as the peer's retranslation keeps them; a second one goes from Russian
// to a right-to-left language of another character set, so that fonts and
// layout directions change with the texts too.
#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench/BenchRows.h"
#include "host/controls/Application.h"
#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/qt/QtControlPeer.h"
#include "host/qt/QtWidgetSet.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::int64_t> kSizes = {100, 1000, 10000};
constexpr int kPerRow = 100, kWidth = 80, kHeight = 24;

fs::path& Folder() {
  static fs::path folder;
  return folder;
}

fs::path FileFor(const std::string& Language, std::int64_t N) {
  return Folder() / (Language + "_" + std::to_string(N) + ".lng");
}

struct TLanguage {
  const char* Name;
  const char* Word;  // "translation" in the language
  const char* Charset;
  int BiDiMode;
};
const TLanguage kLanguages[] = {{"Russian", "Перевод", "DEFAULT_CHARSET", 0},
                                {"Ukrainian", "Переклад", "DEFAULT_CHARSET", 0},
                                {"RightToLeft", "Перевод", "RUSSIAN_CHARSET", 1}};

std::string Caption(std::int64_t i) { return "Caption of component " + std::to_string(i); }
std::string Hint(std::int64_t i) { return "Hint of component " + std::to_string(i); }
std::string Translated(const TLanguage& L, const char* What, std::int64_t i) {
  return std::string(L.Word) + " " + What + " " + std::to_string(i);
}

void WriteLanguage(const TLanguage& L, std::int64_t N) {
  std::string text = "[General Settings]\r\nLanguageName=\"" + std::string(L.Name) + "\"\r\nBiDiMode=\"" +
                     std::to_string(L.BiDiMode) + "\"\r\nFontCharSet=\"" + L.Charset + "\"\r\n\r\n[GridForm]\r\n";
  for (std::int64_t i = 0; i < N; ++i) {
    const std::string name = "Button" + std::to_string(i);
    text += name + ".Caption=" + ambit::GetEncodedString(Translated(L, "caption", i), '"', '#') + "\r\n";
    text += name + ".Hint=" + ambit::GetEncodedString(Translated(L, "hint", i), '"', '#') + "\r\n";
  }
  std::ofstream(FileFor(L.Name, N), std::ios::binary) << text << "\r\n";
}

// The form, shown, with its localizer bound to a source of two languages.
struct TGridForm {
  std::unique_ptr<ambit::TAmLanguageSource> Source;
  std::unique_ptr<host::TForm> Form;

  explicit TGridForm(std::int64_t N) {
    Source = std::make_unique<ambit::TAmLanguageSource>(nullptr);
    for (const TLanguage& l : kLanguages) Source->Languages()->Add(std::string(l.Name) + "=" + FileFor(l.Name, N).string());
    Source->SetActiveLanguage(-1);
    Form = std::make_unique<host::TForm>(nullptr);
    Form->SetName("GridForm");
    Form->SetShowHint(true);
    const int rows = static_cast<int>((N + kPerRow - 1) / kPerRow);
    Form->SetClientWidth(kPerRow * kWidth);
    Form->SetClientHeight(rows * kHeight);
    for (std::int64_t i = 0; i < N; ++i) {
      auto* b = new host::TButton(Form.get());
      b->SetName("Button" + std::to_string(i));
      b->SetParent(Form.get());
      b->SetBounds(static_cast<int>(i % kPerRow) * kWidth, static_cast<int>(i / kPerRow) * kHeight, kWidth, kHeight);
      b->SetCaption(Caption(i));
      b->SetHint(Hint(i));
    }
    auto* localizer = new ambit::TAmFormLocalizer(Form.get());
    localizer->SetSource(Source.get());
    Form->Show();
    QApplication::processEvents();
  }
  ~TGridForm() {
    Form.reset();
    Source.reset();
  }
  QPushButton* Widget(std::int64_t i) const {
    return qobject_cast<QPushButton*>(
        host::qt::TQtControlPeer::WidgetOf(static_cast<host::TControl*>(Form->FindComponent("Button" + std::to_string(i)))));
  }
};

// The switch from Russian to the other language and back, each with its
// event pass. Kind 0: Ukrainian; kind 1: right to left, another charset.
void BM_WidgetSwitch(benchmark::State& state) {
  const int other = state.range(0) == 0 ? 1 : 2;
  const std::int64_t n = state.range(1);
  TGridForm grid(n);
  grid.Source->SetActiveLanguage(0);
  QApplication::processEvents();
  int next = other;
  bench::TBestTime best;
  for (auto _ : state) {
    best.Run([&] {
      grid.Source->SetActiveLanguage(next);
      QApplication::processEvents();
    });
    next = next == 0 ? other : 0;
  }
  best.Report(state);
  const QPushButton* last = grid.Widget(n - 1);
  const std::string shown = Translated(kLanguages[next == 0 ? other : 0], "caption", n - 1);
  if (!last || last->text() != QString::fromStdString(shown)) state.SkipWithError("the widgets were not switched");
}

// The floor: the same texts set straight on the widgets, one event pass.
void BM_WidgetTexts(benchmark::State& state) {
  const std::int64_t n = state.range(0);
  TGridForm grid(n);
  std::vector<QPushButton*> widgets;
  for (std::int64_t i = 0; i < n; ++i) widgets.push_back(grid.Widget(i));
  int next = 0;
  bench::TBestTime best;
  for (auto _ : state) {
    best.Run([&] {
      for (std::int64_t i = 0; i < n; ++i) {
        widgets[static_cast<std::size_t>(i)]->setText(QString::fromStdString(Translated(kLanguages[next], "caption", i)));
        widgets[static_cast<std::size_t>(i)]->setToolTip(QString::fromStdString(Translated(kLanguages[next], "hint", i)));
      }
      QApplication::processEvents();
    });
    next = 1 - next;
  }
  best.Report(state);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (auto n : kSizes) b->Arg(n);
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_WidgetSwitch)->ArgsProduct({{0, 1}, kSizes})->ArgNames({"kind", "N"})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WidgetTexts)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  host::qt::TQtWidgetSet widgetSet(argc, argv);
  Folder() = fs::temp_directory_path() / ("ambit_bench_widgets_" + std::to_string(::getpid()));
  fs::create_directories(Folder());
  for (auto n : kSizes) {
    for (const TLanguage& l : kLanguages) WriteLanguage(l, n);
  }
  benchmark::Initialize(&argc, argv);
  bench::TBestReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(Folder());
  std::printf("\nwork: N buttons in rows of %d, offscreen; a caption and a hint each; best single switches\n", kPerRow);
  for (auto n : kSizes) bench::PrintTime("widgets", n, reporter.Best("BM_WidgetSwitch/kind:0/N:" + std::to_string(n)));
  for (const char* kind : {"0", "1"})
    for (auto n : kSizes)
      bench::PrintRow(kind[0] == '0' ? "Switch on widgets, offscreen, grid" : "The same, to right to left and another charset", n,
                      reporter.Best(std::string("BM_WidgetSwitch/kind:") + kind + "/N:" + std::to_string(n)),
                      "texts set straight on the widgets", reporter.Best("BM_WidgetTexts/" + std::to_string(n)), "");
  return 0;
}
