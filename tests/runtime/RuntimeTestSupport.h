// Shared pieces of the run-time tests: a localizer that records what it is
// told, a plain form, a call log, and a scratch folder for language files.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "runtime/Ambit.h"

namespace ambit_test {

using Log = std::vector<std::string>;

// A form: a named component that owns the others.
class TTestForm : public host::TComponent {
public:
  explicit TTestForm(const std::string& Name, host::TComponent* AOwner = nullptr) : host::TComponent(AOwner) {
    SetName(Name);
  }
};

// Records Localize, LanguageChanging, LanguageChanged and Save as
// "<name>.<call>" lines, then does what the base does.
class TRecLocalizer : public ambit::TAmCustomLocalizer {
public:
  TRecLocalizer(host::TComponent* AOwner, Log& log, std::string tag)
      : ambit::TAmCustomLocalizer(AOwner), FLog(log), FTag(std::move(tag)) {}
  void Localize() override {
    FLog.push_back(FTag + ".Localize" + (Source() ? "" : "(no source)"));
    ++LocalizeCount;
  }
  void Save() override {
    FLog.push_back(FTag + ".Save");
    ambit::TAmCustomLocalizer::Save();
  }
  void LanguageChanging(int LanguageIndex, bool& AllowChange) override {
    FLog.push_back(FTag + ".Changing(" + std::to_string(LanguageIndex) + ")");
    ambit::TAmCustomLocalizer::LanguageChanging(LanguageIndex, AllowChange);
  }
  void LanguageChanged() override {
    FLog.push_back(FTag + ".Changed");
    ambit::TAmCustomLocalizer::LanguageChanged();
  }
  void DeleteExcluded(host::TComponent*) override { FLog.push_back(FTag + ".DeleteExcluded"); }
  int LocalizeCount = 0;

private:
  Log& FLog;
  std::string FTag;
};

// Hooks every event of a source that reports the store's work into Log.
inline void RecordSourceEvents(ambit::TAmCustomLanguageSource& src, Log& log) {
  src.SetOnLanguageOpen([&log, &src](host::TObject*) {
    log.push_back("OnLanguageOpen(" + std::to_string(src.ActiveLanguage()) + ")");
  });
  src.SetOnLanguageClose([&log, &src](host::TObject*) {
    log.push_back("OnLanguageClose(" + std::to_string(src.ActiveLanguage()) + ")");
  });
  src.SetOnLanguageChanging(
      [&log](host::TObject*, int index, bool&) { log.push_back("OnLanguageChanging(" + std::to_string(index) + ")"); });
  src.SetOnLanguageChanged([&log](host::TObject*) { log.push_back("OnLanguageChanged"); });
}

// A fresh empty folder under the system's temporary folder, removed again.
class TempDir {
public:
  TempDir() {
    static int counter = 0;
    FPath = std::filesystem::temp_directory_path() /
            ("ambit_rt_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
  std::filesystem::path FPath;
};

inline std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const std::string& name, const std::string& data) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out << data;
}

}  // namespace ambit_test
