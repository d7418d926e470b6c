// ambit check and ambit export on a project of 100 forms of 500
// components in 10 languages, each set against ambit show on the same
// project, all measured in this run. Each runs the built program once per
// iteration, as a user would.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <unistd.h>

#include "runtime/AmbitUtils.h"

namespace {

constexpr int kForms = 100;
constexpr int kComponents = 500;  // half buttons (caption, hint), half labels
constexpr int kLanguages = 10;
namespace fs = std::filesystem;

fs::path& Dir() {
  static fs::path dir;
  return dir;
}

std::string FormText(int f) {
  std::string text = "object Form" + std::to_string(f) + ": TForm\n  Caption = 'Form " + std::to_string(f) +
                     "'\n  ClientWidth = 2600\n  ClientHeight = 600\n";
  for (int c = 0; c < kComponents; ++c) {
    const bool button = c % 2 == 0;
    text += std::string("  object ") + (button ? "btn" : "lbl") + std::to_string(c) + (button ? ": TButton" : ": TLabel") +
            "\n    Left = " + std::to_string((c % 25) * 104) + "\n    Top = " + std::to_string((c / 25) * 28) +
            "\n    Width = 100\n    Height = 25\n    Caption = '" + (button ? "&Do " : "Item ") + std::to_string(c) +
            "'\n" + (button ? "    Hint = 'Does thing %s number " + std::to_string(c) + "'\n" : "") + "  end\n";
  }
  if (f == 0) {
    text += "  object LanguageSource1: TAmLanguageSource\n    Languages.Strings = (";
    for (int l = 0; l < kLanguages; ++l)
      text += "\n      'Language" + std::to_string(l) + "=L" + std::to_string(l) + ".lng'" + (l + 1 == kLanguages ? ")" : "");
    text += "\n  end\n";
  }
  text += "  object FormLocalizer1: TAmFormLocalizer\n    Source = " + std::string(f == 0 ? "" : "Form0.") +
          "LanguageSource1\n  end\nend\n";
  return text;
}

// Every record translated, but a tenth of the buttons lose their
// accelerator, so that check has findings to report.
std::string LanguageText(int l) {
  std::string text = "[General Settings]\r\nLanguageName=\"L" + std::to_string(l) + "\"\r\nBiDiMode=\"0\"\r\n"
                     "FontCharSet=\"DEFAULT_CHARSET\"\r\n\r\n";
  for (int f = 0; f < kForms; ++f) {
    text += "[Form" + std::to_string(f) + "]\r\nCaption=\"Formular " + std::to_string(f) + "\"\r\n";
    for (int c = 0; c < kComponents; ++c) {
      const std::string n = std::to_string(c);
      if (c % 2 == 0) {
        text += "btn" + n + ".Caption=\"" + (c % 20 == 0 ? "Tu " : "&Tu ") + n + "\"\r\n";
        text += "btn" + n + ".Hint=" + ambit::GetEncodedString("Tut Ding %s Nummer " + n + "\r\n(L" + std::to_string(l) + ")", '"', '#') + "\r\n";
      } else {
        text += "lbl" + n + ".Caption=\"Eintrag " + n + "\"\r\n";
      }
    }
    text += "\r\n";
  }
  return text;
}

std::uintmax_t MakeProject() {
  Dir() = fs::temp_directory_path() / ("ambit_bench_tr_" + std::to_string(::getpid()));
  fs::create_directories(Dir());
  std::string project = "[Project]\r\nTitle=Bench\r\n[Forms]\r\n";
  for (int f = 0; f < kForms; ++f) {
    std::ofstream(Dir() / ("Form" + std::to_string(f) + ".dfm")) << FormText(f);
    project += "Form" + std::to_string(f) + "=Form" + std::to_string(f) + ".dfm\r\n";
  }
  std::ofstream(Dir() / "Bench.amproj") << project;
  std::uintmax_t bytes = 0;
  for (int l = 0; l < kLanguages; ++l) {
    const fs::path file = Dir() / ("L" + std::to_string(l) + ".lng");
    std::ofstream(file, std::ios::binary) << LanguageText(l);
    bytes += fs::file_size(file);
  }
  return bytes;
}

void Ambit(benchmark::State& State, const std::string& Args, int ExpectedExit) {
  const std::string command = "cd '" + Dir().string() + "' && QT_QPA_PLATFORM=offscreen '" AMBIT_EXE "' " + Args +
                              " >/dev/null 2>&1";
  for (auto _ : State) {
    const int status = std::system(command.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != ExpectedExit) {
      State.SkipWithError(("ambit " + Args + " failed").c_str());
      break;
    }
  }
}

void BM_Show(benchmark::State& s) { Ambit(s, "show Bench.amproj --language Language3", 0); }
void BM_ExportXliff(benchmark::State& s) { Ambit(s, "export --format xliff --language Language3 --out x.xlf", 0); }
void BM_ExportPo(benchmark::State& s) { Ambit(s, "export --format po --language Language3 --out x.po", 0); }
void BM_CheckOneLanguage(benchmark::State& s) { Ambit(s, "check Bench.amproj --language Language3", 1); }
void BM_CheckAllLanguages(benchmark::State& s) { Ambit(s, "check Bench.amproj", 1); }
BENCHMARK(BM_Show)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_ExportXliff)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_ExportPo)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_CheckOneLanguage)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_CheckAllLanguages)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && !r.error_occurred) Times[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
  const std::uintmax_t bytes = MakeProject();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(Dir());
  std::printf("work: %d forms of %d components (%d records each), %d languages in %ju bytes of language files\n",
              kForms, kComponents, kComponents * 3 / 2 + 1, kLanguages, bytes);
  const double show = reporter.Times["BM_Show/iterations:2/real_time"];
  for (const char* name : {"BM_ExportXliff/iterations:2/real_time", "BM_ExportPo/iterations:2/real_time",
                           "BM_CheckOneLanguage/iterations:2/real_time", "BM_CheckAllLanguages/iterations:1/real_time"})
    if (show > 0 && reporter.Times.count(name))
      std::printf("ratio: %s / show (one language) = %.2f\n", name, reporter.Times[name] / show);
  return 0;
}
