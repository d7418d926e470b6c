// The wizard inside studio, offscreen, on a scratch copy of the sample:
// chosen from the Tools menu, its dialog answered as a user would.
#include <gtest/gtest.h>

#include "host/core/IniFiles.h"
#include "tests/apps/studio/support/StudioDriver.h"
#include "tests/runtime/RuntimeTestSupport.h"
#include "wizard/LocalFrm.h"

using namespace host;
using ambit::TLocalForm;
using ambit::studio::test::TStudioDriver;

TEST(StudioWizard, SavesTheChosenFormsIntoRussianAndRemembersTheFormLeftOut) {
  TStudioDriver studio({PLUGIN_POLYFORM});
  const std::filesystem::path folder = studio.OpenSampleCopy();
  studio.Dialogs().DriveModal([](TCustomForm* Form) {
    auto* dialog = static_cast<TLocalForm*>(Form);
    dialog->LanguageList->SetItemIndex(dialog->LanguageList->Items()->IndexOf("Russian"));
    dialog->FormList->SetChecked(dialog->FormList->Items()->IndexOf("ContactsForm"), false);
    dialog->ckRecreated->SetChecked(true);
    dialog->ExecBtn->Click();
  });
  studio.RunToolsItem("&Localization Wizard...");
  TMemIniFile russian((folder / "Russian.lng").string());
  TStringList sections;
  russian.ReadSections(&sections);
  EXPECT_EQ(sections.CommaText(), "\"General Settings\",MainForm,AboutBox");
  EXPECT_EQ(ambit_test::ReadFile((folder / "Sample.plf").string()), "ContactsForm\r\n");

  std::string offered;
  studio.Dialogs().DriveModal([&](TCustomForm* Form) {
    auto* dialog = static_cast<TLocalForm*>(Form);
    for (int i = 0; i < dialog->FormList->Count(); ++i)
      offered += (dialog->FormList->Checked(i) ? "+" : "-") + dialog->FormList->Items()->Get(i) + " ";
  });
  studio.RunToolsItem("&Localization Wizard...");
  EXPECT_EQ(offered, "+MainForm -ContactsForm +AboutBox ");
  EXPECT_TRUE(studio.Dialogs().Messages().empty());
}
