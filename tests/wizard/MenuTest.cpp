// The wizard's identity, its Tools menu item and separator, what it says
// when there is no menu, and the item's removal when the plug-in unloads.
#include "tests/wizard/WizardFixture.h"

using namespace host;
using namespace ambit;
using namespace wizardtest;

namespace {

using Captions = std::vector<std::string>;
Captions CaptionsOf(const TMenuItem* Menu) {
  Captions captions;
  for (int i = 0; i < Menu->Count(); ++i) captions.push_back(Menu->Items(i)->Caption());
  return captions;
}

using PolyformMenu = WizardTest;

}  // namespace

TEST_F(PolyformMenu, GoesBeforeTheFirstSeparatorWithASeparatorOfItsOwnAndLeavesWithTheWizard) {
  ToolsMenu()->Items(0)->SetCaption("A");
  auto* b = new TMenuItem(nullptr);  // the menu frees it
  b->SetCaption("B");
  ToolsMenu()->Add(b);
  auto wizard = std::make_unique<TPolyform>();
  EXPECT_EQ(CaptionsOf(ToolsMenu()), (Captions{"A", "-", "&Localization Wizard...", "-", "B"}));
  EXPECT_EQ(ToolsMenu()->Items(2)->Name(), "ToolsLocalizationWizardItem");
  EXPECT_EQ(wizard->GetIDString(), "AmbitSuite.LocalizationWizard");
  EXPECT_EQ(wizard->GetName(), "Polyform Wizard");
  EXPECT_EQ(wizard->GetState(), TWizardState{wsEnabled});
  wizard.reset();
  EXPECT_EQ(CaptionsOf(ToolsMenu()), (Captions{"A", "-", "B"}));
  // A menu torn down first takes the items along; the wizard frees nothing twice.
  wizard = std::make_unique<TPolyform>();
  delete ToolsMenu();
  wizard.reset();
  EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(PolyformMenu, WithoutAToolsMenuOrAMainMenuTheWizardSaysSoAndOffersNoItem) {
  ToolsMenu()->SetName("ExtrasMenu");
  EXPECT_EQ(TPolyform().MenuItem(), nullptr);
  Holder.reset();
  TDesignEnvironment bare;  // builds no main menu
  EXPECT_EQ(TPolyform().MenuItem(), nullptr);
  ASSERT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_EQ(Dialogs.Messages()[0].Msg, "Sorry, unable to find Tools menu :-(");
  EXPECT_EQ(Dialogs.Messages()[1].Msg, "Sorry, unable to find IDE main menu :-(");
  EXPECT_EQ(Dialogs.Messages()[1].DlgType, mtError);
  EXPECT_EQ(Dialogs.Messages()[1].Buttons, TMsgDlgButtons{mbOK});
}

TEST_F(PolyformMenu, ThePlugInRegistersOneWizardWhoseItemGoesWhenItUnloads) {
  ASSERT_TRUE(Env.Packages().Load(POLYFORM_PLUGIN));
  ASSERT_EQ(WizardCount(), 1);
  EXPECT_EQ(Wizards(0)->GetIDString(), "AmbitSuite.LocalizationWizard");
  EXPECT_EQ(CaptionsOf(ToolsMenu()), (Captions{"&Packages...", "-", "&Localization Wizard...", "-"}));
  ASSERT_TRUE(Env.UnloadPackage(POLYFORM_PLUGIN));
  EXPECT_EQ(CaptionsOf(ToolsMenu()), (Captions{"&Packages...", "-"}));
}
