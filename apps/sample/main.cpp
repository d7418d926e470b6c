// The sample desktop application. With a display it shows the sample
// project's main form with a Language menu; without one it says how to
// look at the localized forms as pictures instead.
//
//   sample [PROJECTFILE] [--database] [--check]
#include <QApplication>
#include <cstring>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "apps/sample/SampleApp.h"
#include "host/controls/Application.h"
#include "host/qt/QtFormPeer.h"
#include "host/qt/QtRender.h"
#include "host/qt/QtWidgetSet.h"

namespace {

const char* const Usage =
    "usage: sample [PROJECTFILE] [--database] [--check]\n"
    "Shows the sample project's forms, localized by the suite. The Language\n"
    "menu switches every open form; the Forms menu opens the other forms.\n"
    "  PROJECTFILE  the project (default: the repository's examples/sample/Sample.amproj)\n"
    "  --database   read the texts from the sample's SQLite database instead\n"
    "               of its language files (default project: SampleDB.amproj)\n"
    "  --check      no desktop needed: choose every item of the Language menu\n"
    "               in turn (offscreen), print what the open windows show, quit\n";

// Single quotes for a shell, so that the printed command can be pasted.
std::string ShellQuoted(const std::string& S) {
  std::string q = "'";
  for (char c : S) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

void NoDisplay(const std::string& Project) {
  std::cout << "No display: the sample application needs a desktop (DISPLAY or\n"
               "WAYLAND_DISPLAY, or QT_QPA_PLATFORM to choose a Qt platform).\n"
               "To look at the localized forms without one, render them to pictures:\n"
               "  ambit render "
            << ShellQuoted(Project)
            << " --language NAME --out DIR\n"
               "which writes DIR/<FormName>-<Language>.png for each form.\n";
}

// What a form's window shows: its title and reading order.
struct TShown {
  std::string Title;
  bool RightToLeft = false;
};
TShown ShownBy(host::TCustomForm* Form) {
  auto* peer = dynamic_cast<host::qt::TQtFormPeer*>(Form->Peer());
  const QWidget* window = peer ? peer->Window() : nullptr;
  if (!window) return {};
  return {window->windowTitle().toStdString(), window->layoutDirection() == Qt::RightToLeft};
}

// Chooses each language from the menu as a user would and prints what the
// main window shows; false when any open window disagrees with its model,
// or when choosing the original language again does not bring back every
// form's designed caption.
bool Check(ambit::sample::TSampleApp& App) {
  std::vector<std::pair<host::TCustomForm*, std::string>> designed;
  for (host::TComponent* c : App.Forms())
    if (auto* form = host::As<host::TCustomForm>(c)) {
      designed.emplace_back(form, form->Caption());
      form->Show();
    }
  bool ok = true;
  auto compare = [&](const std::string& Language) {
    for (auto& [form, caption] : designed) {
      const TShown shown = ShownBy(form);
      if (shown.Title != form->Caption() || shown.RightToLeft != (form->BiDiMode() == host::bdRightToLeft)) {
        std::cout << Language << ": the window of " << form->Name() << " shows '" << shown.Title
                  << "', its form says '" << form->Caption() << "'\n";
        ok = false;
      }
    }
  };
  for (host::TMenuItem* item : App.LanguageItems()) {
    item->Click();
    QApplication::processEvents();
    const TShown shown = ShownBy(App.MainForm());
    std::cout << item->Caption() << ": " << shown.Title << (shown.RightToLeft ? " (right to left)" : "")
              << (item->Checked() ? "" : " [not checked]") << "\n";
    ok = ok && item->Checked();
    compare(item->Caption());
    // Every open form switches at once; the sample translates every caption.
    if (item != App.LanguageItems().front())
      for (auto& [form, caption] : designed)
        if (form->Caption() == caption) {
          std::cout << item->Caption() << ": " << form->Name() << " still shows its designed caption\n";
          ok = false;
        }
  }
  App.LanguageItems().front()->Click();
  QApplication::processEvents();
  compare(App.LanguageItems().front()->Caption() + " again");
  for (auto& [form, caption] : designed)
    if (form->Caption() != caption) {
      std::cout << form->Name() << " kept '" << form->Caption() << "' instead of its designed '" << caption << "'\n";
      ok = false;
    }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  std::string project;
  bool database = false;
  bool check = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << Usage;
      return 0;
    }
    if (arg == "--database")
      database = true;
    else if (arg == "--check")
      check = true;
    else if (!arg.empty() && arg[0] == '-') {
      std::cerr << "sample: unknown option " << arg << "\n" << Usage;
      return 2;
    } else
      project = arg;
  }
  // The database variant of the sample holds its source on a form of its own.
  if (project.empty()) project = std::string(AMBIT_SAMPLE_DIR) + (database ? "/SampleDB.amproj" : "/Sample.amproj");
  if (check) host::qt::UseOffscreenPlatform(true);
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!host::qt::HasDisplay() && !(platform && *platform)) {
    NoDisplay(project);
    return 0;
  }
  try {
    host::qt::TQtWidgetSet widgets(argc, argv);
    ambit::sample::TSampleApp app(project);
    if (database) {
      std::string why;
      if (!app.UseDatabase(why)) {
        std::cerr << "sample: --database: " << why << "\n";
        return 1;
      }
    }
    app.BuildMenus();
    if (check) return Check(app) ? 0 : 1;
    host::Application()->Run();
  } catch (const std::exception& e) {
    std::cerr << "sample: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
