// The sample desktop application. With a display it shows the sample
// project's main form with a Language menu; without one it says how to
// look at the localized forms as pictures instead.
//
//   sample [PROJECTFILE] [--database] [--check]
#include <QApplication>
#include <cstring>
#include <iostream>
#include <string>

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

void NoDisplay(const std::string& Project) {
  std::cout << "No display: the sample application needs a desktop (DISPLAY or\n"
               "WAYLAND_DISPLAY, or QT_QPA_PLATFORM to choose a Qt platform).\n"
               "To look at the localized forms without one, render them to pictures:\n"
               "  ambit render "
            << Project
            << " --language NAME --out DIR\n"
               "which writes DIR/<FormName>-<Language>.png for each form.\n";
}

// Chooses each language from the menu as a user would and prints what the
// main window shows; false when a window disagrees with its model.
bool Check(ambit::sample::TSampleApp& App) {
  host::TCustomForm* main = App.MainForm();
  for (host::TComponent* c : App.Forms())
    if (auto* form = host::As<host::TCustomForm>(c)) form->Show();
  bool ok = true;
  for (host::TMenuItem* item : App.LanguageItems()) {
    item->Click();
    QApplication::processEvents();
    auto* peer = dynamic_cast<host::qt::TQtFormPeer*>(main->Peer());
    const QWidget* window = peer ? peer->Window() : nullptr;
    const std::string title = window ? window->windowTitle().toStdString() : std::string();
    const bool rtl = window && window->layoutDirection() == Qt::RightToLeft;
    std::cout << item->Caption() << ": " << title << (rtl ? " (right to left)" : "") << (item->Checked() ? "" : " [not checked]")
              << "\n";
    ok = ok && item->Checked() && title == main->Caption() && rtl == (main->BiDiMode() == host::bdRightToLeft);
  }
  App.LanguageItems().front()->Click();
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
