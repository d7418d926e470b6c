// The form localizer editor and the template verb inside studio, offscreen,
// on a scratch copy of the sample: what the editor saves reaches the
// language files, the designed form and the form file studio writes, and
// `ambit show` reads the same texts.
#include <gtest/gtest.h>

#include "design/AmbitAddLang.h"
#include "design/AmbitFormEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/Grids.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "host/controls/TreeView.h"
#include "host/stream/FormProject.h"
#include "runtime/AmbitSource.h"
#include "tests/apps/ambit/RunAmbit.h"
#include "tests/apps/studio/support/StudioDriver.h"
#include "tests/design/studio/EditorUser.h"
#include "tests/runtime/RuntimeTestSupport.h"

using namespace host;
using namespace ambit;
using ambit::studio::test::TStudioDriver;
using design_test::TEditorUser;

namespace {

std::string FileText(const std::filesystem::path& File) { return ambit_test::ReadFile(File.string()); }

TEST(StudioFormEditor, SavedEditsReachTheFilesTheDesignedFormAndTheFormFile) {
  TStudioDriver studio({PLUGIN_AMBITDT});
  const std::filesystem::path folder = studio.OpenSampleCopy();
  TComponent* label = studio.Find("MainForm.lblColors");
  std::string reloaded[2];
  studio.Dialogs().DriveModal([&](TCustomForm* Form) {
    TEditorUser hand{static_cast<TfmFLEditor*>(Form)};
    hand.Select(label);
    hand.Type(2, "Caption", "&Töne \"hell\":");
    hand.Type(3, "Caption", "&Оттенки:");
    hand.Editor->tbuAddLanguage->Click();
    hand.Editor->Languages(1)->Click();
    EXPECT_TRUE(hand.Editor->tbuSave->Enabled());
    TStudioDriver::SavePicture(Form, AMBIT_RENDER_DIR "/FormLocalizerEditorEdited.png");
    hand.Editor->tbuSave->Click();
    reloaded[0] = hand.Cell("Caption", 2);
    reloaded[1] = hand.Cell("Caption", 3);
    EXPECT_EQ(hand.Editor->sgPropValues->Cells(5, 0), "French");
    EXPECT_FALSE(hand.Editor->tbuSave->Enabled());
  });
  studio.Dialogs().DriveModal([](TCustomForm* Form) {
    auto* dialog = static_cast<TfmAddLanguage*>(Form);
    dialog->edLangName->SetText("French");
    dialog->edFileName->SetText("French.lng");
    dialog->buOK->Click();
  });
  studio.PickVerb("MainForm.FormLocalizer1", "&Form Localizer Editor...");
  EXPECT_EQ(studio.Dialogs().PendingScripts(), 0u);

  // Reload showed what was stored; the files hold it encoded.
  EXPECT_EQ(reloaded[0], "&Töne \"hell\":");
  EXPECT_EQ(reloaded[1], "&Оттенки:");
  EXPECT_NE(FileText(folder / "German.lng").find("lblColors.Caption=\"&Töne \"\"hell\"\":\""), std::string::npos);
  EXPECT_NE(FileText(folder / "Russian.lng").find("lblColors.Caption=\"&Оттенки:\""), std::string::npos);
  // German is active: the designed form shows its new text at once.
  EXPECT_EQ(As<TLabel>(label)->Caption(), "&Töne \"hell\":");

  // The form counts as modified; studio saves it, and it reads back with
  // the new language and German active.
  ASSERT_TRUE(studio.Form("MainForm").IsModified());
  studio.Surface("MainForm");
  studio.RunMenuItem("&File", "&Save");
  EXPECT_FALSE(studio.Form("MainForm").IsModified());
  auto project = TFormProject::LoadFromFile((folder / "Sample.amproj").string());
  TReadOptions designing;
  designing.Designing = true;
  project->LoadForms(nullptr, designing);
  auto* source = As<TAmLanguageSource>(project->FindForm("MainForm")->FindComponent("LanguageSource1"));
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->Languages()->Text(),
            "German=German.lng\r\nRussian=Russian.lng\r\nArabic=Arabic.lng\r\nFrench=French.lng\r\n");
  EXPECT_EQ(source->ActiveLanguage(), 0);

  const std::string form = "'" + (folder / "MainForm.dfm").string() + "'";
  const ambittest::TRun german = ambittest::RunAmbit("show " + form + " --language German");
  EXPECT_NE(german.Output.find("\nlblColors.Caption=\"&Töne \"\"hell\"\":\""), std::string::npos) << german.Output;
  const ambittest::TRun russian = ambittest::RunAmbit("show " + form + " --language Russian");
  EXPECT_NE(russian.Output.find("\nlblColors.Caption=\"&Оттенки:\""), std::string::npos) << russian.Output;
}

TEST(StudioFormEditor, TheTemplateVerbFillsGermanWithEveryRecordOfMainForm) {
  TStudioDriver studio({PLUGIN_AMBITDT});
  const std::filesystem::path folder = studio.OpenSampleCopy();
  // German lacks a record; the form shows the original text for it.
  std::string text = FileText(folder / "German.lng");
  const std::size_t at = text.find("lbColors.Hint=");
  text.erase(at, text.find('\n', at) - at + 1);
  ambit_test::WriteFile((folder / "German.lng").string(), text);
  studio.ChooseValue("MainForm.LanguageSource1", "ActiveLanguage", "German");
  EXPECT_EQ(studio.ContextMenu("MainForm.FormLocalizer1").at(2), "&Generate Localization Template");
  studio.PickVerb("MainForm.FormLocalizer1", "&Generate Localization Template");
  ASSERT_FALSE(studio.Dialogs().Messages().empty());
  const std::string report = studio.Dialogs().Messages().back().Msg;
  EXPECT_TRUE(report.starts_with("Localization template for 'MainForm' has been successfully generated to '"))
      << report;
  EXPECT_TRUE(report.ends_with("German.lng'")) << report;
  text = FileText(folder / "German.lng");
  EXPECT_NE(text.find("\nlbColors.Hint=\"Pick the colour of the next label\""), std::string::npos);
  EXPECT_NE(text.find("\nlblColors.Caption=\"&Farben:\""), std::string::npos);
}

}  // namespace
