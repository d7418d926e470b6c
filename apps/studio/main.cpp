// studio: the designer of the Ambit Localizer suite. With a desktop it
// shows its main window; --check and --render work offscreen and quit.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "apps/studio/CheckReport.h"
#include "apps/studio/Studio.h"
#include "apps/studio/StudioWindow.h"
#include "host/controls/Application.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/design/DesignEnvironment.h"
#include "host/qt/QtRender.h"
#include "host/qt/QtWidgetSet.h"

using namespace ambit::studio;

namespace {

// What went wrong while studio started (a plug-in that did not load, a
// file that could not be read): shown through the dialogs service.
int ReportErrors(const host::TScriptedDialogs& Dialogs) {
  int errors = 0;
  for (const auto& m : Dialogs.Messages())
    if (m.DlgType == host::mtError) {
      std::cerr << "studio: " << m.Msg << "\n";
      ++errors;
    }
  return errors;
}

}  // namespace

int main(int argc, char** argv) {
  TStudioOptions options;
  try {
    options = ParseStudioOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::cerr << "studio: " << e.what() << "\n" << StudioUsage;
    return 2;
  }
  if (options.Help) {
    std::cout << StudioUsage;
    return 0;
  }
  host::qt::UseOffscreenPlatform(options.Batch());
  if (!options.Batch() && !host::qt::HasDisplay() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    std::cerr << "studio: no display (DISPLAY or WAYLAND_DISPLAY). Without a desktop, use\n"
                 "  studio PROJECT --check          to print what the designer holds, or\n"
                 "  studio PROJECT --render DIR     to write pictures of its windows.\n";
    return 2;
  }
  host::qt::TQtWidgetSet widgetSet(argc, argv);
  if (options.Batch()) {
    // Offscreen nobody answers a dialog: errors are recorded and printed.
    host::TScriptedDialogs dialogs;
    int errors = 0;
    try {
      TStudio studio(options);
      if (!options.Select.empty() && !studio.Select(options.Select))
        std::cerr << "studio: no component " << options.Select << " is open\n", ++errors;
      if (options.Check) WriteDesignReport(studio.Environment(), std::cout);
      // Pictures first: wizards may bring other forms up.
      if (!options.RenderDir.empty()) studio.Render(options.RenderDir);
      if (options.Check) RunWizards(std::cout);
    } catch (const std::exception& e) {
      std::cerr << "studio: " << e.what() << "\n";
      return 1;
    }
    errors += ReportErrors(dialogs);
    return errors > 0 ? 1 : 0;
  }
  TStudio studio(options);
  if (!options.Select.empty()) studio.Select(options.Select);
  studio.Window().SetOnClosed([] { host::Application()->Terminate(); });
  studio.Environment().SetOnExit([&studio](host::TObject*) { studio.Window().close(); });
  studio.Window().show();
  host::Application()->Run();
  return 0;
}
