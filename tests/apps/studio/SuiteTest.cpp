// The suite's own plug-ins inside studio: found in the plug-in folder
// beside the program, and a form that holds the suite's components
// opened, edited and saved.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <algorithm>

#include "host/stream/FormStream.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"
#include "apps/studio/PaletteBar.h"
#include "tests/apps/studio/support/StudioDriver.h"

#if defined(PLUGIN_AMBITDT) && defined(PLUGIN_POLYFORM)

using namespace host;
using ambit::studio::test::TStudioDriver;

namespace {

bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

}  // namespace

TEST(StudioSuite, ThePlugInFolderBringsBothSuitePlugInsAndTheWizardsToolsItem) {
  // (The palette page and the localizer's verbs are the design-time
  // package's own tests.)
  const auto r = TStudioDriver::RunProgram(std::string("'") + AMBIT_SOURCE_DIR + "/examples/sample/Sample.amproj' --check");
  EXPECT_EQ(r.ExitCode, 0) << r.Output;
  EXPECT_TRUE(Contains(r.Output, std::string("Packages:\n  ") + PLUGIN_AMBITDT + "\n  " + PLUGIN_POLYFORM + "\n"))
      << r.Output;
  EXPECT_TRUE(Contains(r.Output, "Tools menu:\n  &Packages...\n  -\n  &Localization Wizard...\n")) << r.Output;
}

TEST(StudioSuite, AFormWithTheSuitesComponentsIsEditedAndSaved) {
  TStudioDriver studio({PLUGIN_AMBITDT});
  const std::filesystem::path folder = studio.OpenSampleCopy();
  // The about box's localizer uses the main form's source; it gets a
  // source of its own from the palette.
  TComponent* placed = studio.DropFromPalette("TAmLanguageSource", "AboutBox", 200, 260);
  // Named after its class without the T, as every dropped component is.
  ASSERT_EQ(placed->Name(), "AmLanguageSource1");
  studio.TypeValue("AboutBox.AmLanguageSource1", "DefaultFileExt", "txt");
  const std::vector<std::string> sources = studio.ValueList("AboutBox.FormLocalizer1", "Source");
  EXPECT_NE(std::find(sources.begin(), sources.end(), "MainForm.LanguageSource1"), sources.end());
  studio.ChooseValue("AboutBox.FormLocalizer1", "Source", "AmLanguageSource1");
  // A picture of studio on the suite's palette page, with the new source.
  QAbstractButton* button = studio.Window().Palette()->ButtonOf("TAmLanguageSource");
  studio.Window().Palette()->setCurrentWidget(button->parentWidget());
  TStudioDriver::SavePicture(&studio.Window(), std::string(AMBIT_RENDER_DIR) + "/studio/SuitePage.png");
  EXPECT_TRUE(studio.Form("AboutBox").IsModified());
  studio.RunMenuItem("&File", "&Save");
  EXPECT_FALSE(studio.Form("AboutBox").IsModified());

  TReadOptions options;
  auto form = ReadComponentFile((folder / "AboutBox.dfm").string(), options);
  auto* source = As<ambit::TAmLanguageSource>(form->FindComponent("AmLanguageSource1"));
  ASSERT_TRUE(source);
  EXPECT_EQ(source->DefaultFileExt(), "txt");
  auto* localizer = As<ambit::TAmFormLocalizer>(form->FindComponent("FormLocalizer1"));
  ASSERT_TRUE(localizer);
  EXPECT_EQ(localizer->Source(), source);
  // What was not touched is kept.
  EXPECT_EQ(localizer->PropNames()->CommaText(), "Caption,Hint,Lines");
}

#endif
