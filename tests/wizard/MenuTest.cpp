// The wizard's place in the designer: its identity, its Tools menu item
// and separator, what it says when there is no menu, and the item's
// removal when the plug-in unloads.
#include "tests/wizard/WizardFixture.h"


using namespace host;
using namespace ambit;
using namespace wizardtest;

namespace {

std::vector<std::string> Captions(const TMenuItem* Menu) {
  std::vector<std::string> captions;
  for (int i = 0; i < Menu->Count(); ++i) captions.push_back(Menu->Items(i)->Caption());
  return captions;
}

void SetItems(TMenuItem* Menu, std::initializer_list<const char*> Captions) {
  while (Menu->Count() > 0) delete Menu->Items(Menu->Count() - 1);
  for (const char* caption : Captions) {
    auto* item = new TMenuItem(Menu->Owner());
    item->SetCaption(caption);
    Menu->Add(item);
  }
}

using PolyformMenu = WizardTest;

}  // namespace

TEST_F(PolyformMenu, GoesBeforeTheFirstSeparatorWithASeparatorOfItsOwnAndLeavesWithTheWizard) {
  SetItems(ToolsMenu(), {"A", "-", "B"});
  auto wizard = std::make_unique<TPolyform>();
  EXPECT_EQ(Captions(ToolsMenu()), (std::vector<std::string>{"A", "-", "&Localization Wizard...", "-", "B"}));
  EXPECT_EQ(ToolsMenu()->Items(2), wizard->MenuItem());
  EXPECT_EQ(wizard->MenuItem()->Name(), "ToolsLocalizationWizardItem");
  EXPECT_EQ(wizard->GetIDString(), "AmbitSuite.LocalizationWizard");
  EXPECT_EQ(wizard->GetName(), "Polyform Wizard");
  EXPECT_EQ(wizard->GetState(), TWizardState{wsEnabled});
  wizard.reset();
  EXPECT_EQ(Captions(ToolsMenu()), (std::vector<std::string>{"A", "-", "B"}));

  // Without a separator the item goes before the last one.
  SetItems(ToolsMenu(), {"A", "B"});
  wizard = std::make_unique<TPolyform>();
  EXPECT_EQ(Captions(ToolsMenu()), (std::vector<std::string>{"A", "-", "&Localization Wizard...", "B"}));
  // A menu torn down first takes the items along; the wizard then frees
  // nothing twice.
  delete ToolsMenu();
  wizard.reset();
  EXPECT_TRUE(Dialogs.Messages().empty());
}

TEST_F(PolyformMenu, WithoutAToolsMenuOrAMainMenuTheWizardSaysSoAndOffersNoItem) {
  ToolsMenu()->SetName("ExtrasMenu");
  TPolyform noTools;
  EXPECT_EQ(noTools.MenuItem(), nullptr);
  Holder.reset();
  TDesignEnvironment bare;  // builds no main menu
  TPolyform noMenu;
  EXPECT_EQ(noMenu.MenuItem(), nullptr);
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
  EXPECT_NE(ToolsMenu()->Find("&Localization Wizard..."), nullptr);
  ASSERT_TRUE(Env.UnloadPackage(POLYFORM_PLUGIN));
  EXPECT_EQ(WizardCount(), 0);
  EXPECT_EQ(Captions(ToolsMenu()), (std::vector<std::string>{"&Packages...", "-"}));
}
