// The studio program as a user runs it without a desktop: --check prints
// what the designer holds and what the wizard lists, a plug-in whose
// Register fails is reported without ending studio, --render writes the
// pictures.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "tests/apps/studio/support/StudioDriver.h"

using ambit::studio::test::TStudioDriver;

namespace {

const std::string Project = std::string("'") + AMBIT_SOURCE_DIR + "/examples/sample/Sample.amproj'";

bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

}  // namespace

TEST(StudioProgram, CheckPrintsPaletteToolsMenuVerbsRowsAndTheWizardsList) {
  const auto r = TStudioDriver::RunProgram(Project + " --no-default-packages --package '" PLUGIN_DESIGN_DEMO "' --check");
  EXPECT_EQ(r.ExitCode, 0) << r.Output;
  EXPECT_TRUE(Contains(r.Output, "  Standard: TMainMenu TPopupMenu TLabel")) << r.Output;
  EXPECT_TRUE(Contains(r.Output, "  Demo: TDemoGreeter\n")) << r.Output;
  EXPECT_TRUE(Contains(r.Output, "Tools menu:\n  &Packages...\n  -\n  &List Project Forms...\n")) << r.Output;
  EXPECT_TRUE(Contains(r.Output, "    PageControl1: TPageControl\n      verbs: \"New &Page\" \"Ne&xt Page\"")) << r.Output;
  EXPECT_TRUE(Contains(r.Output, "      Caption = Ambit Sample\n")) << r.Output;
  EXPECT_TRUE(Contains(r.Output, "  Ambit.Demo.FormLister \"Demo Form Lister\"\n    Forms of ")) << r.Output;
  EXPECT_TRUE(Contains(r.Output, "    ContactsForm (")) << r.Output;
}

TEST(StudioProgram, APlugInWhoseRegisterFailsIsReportedAndStudioGoesOn) {
  const auto r = TStudioDriver::RunProgram(Project + " --no-default-packages --package '" PLUGIN_DESIGN_FAILING +
                                           "' --package '" PLUGIN_DESIGN_DEMO "' --check");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_TRUE(Contains(r.Output, "failed to register: The failing demo gives up")) << r.Output;
  EXPECT_TRUE(Contains(r.Output, "  Demo: TDemoGreeter\n")) << r.Output;
  EXPECT_FALSE(Contains(r.Output, "TFailingGreeter")) << r.Output;
}

TEST(StudioProgram, RenderWritesTheMainWindowEachSurfaceAndTheInspector) {
  const std::filesystem::path dir = std::filesystem::path(AMBIT_RENDER_DIR) / "studio";
  std::filesystem::remove_all(dir);
  const auto r = TStudioDriver::RunProgram(Project + " --no-default-packages --select MainForm.btnOpen --render '" +
                                           dir.string() + "'");
  ASSERT_EQ(r.ExitCode, 0) << r.Output;
  for (const char* name : {"studio", "inspector", "MainForm", "ContactsForm", "AboutBox"}) {
    const QImage image(QString::fromStdString((dir / (std::string(name) + ".png")).string()));
    EXPECT_FALSE(image.isNull()) << name;
  }
  // The surface shows the form at its designed size inside its frame.
  const QImage main(QString::fromStdString((dir / "MainForm.png").string()));
  EXPECT_GT(main.width(), 640);
  EXPECT_GT(main.height(), 480);
}
