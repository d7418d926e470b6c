// Plug-ins loaded as studio loads them: the demo plug-in proves every
// service end to end; a failing one, a library that is no plug-in, and
// unloading show that nothing of a package stays behind.
#include <gtest/gtest.h>

#include "host/controls/Application.h"
#include "host/controls/Buttons.h"
#include "host/controls/Menus.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/controls/StdCtrls.h"
#include "host/core/ClassRegistry.h"
#include "host/design/DesignEnvironment.h"
#include "host/design/ObjectInspector.h"
#include "tests/host/design/DesignTestClasses.h"
#include "tests/runtime/RuntimeTestSupport.h"

using namespace host;
using ambit_test::WriteFile;

namespace {

std::vector<std::string> Captions(const TMenuItem* Item) {
  std::vector<std::string> list;
  for (int i = 0; i < Item->Count(); ++i) list.push_back(Item->Items(i)->Caption());
  return list;
}

class PluginTest : public ::testing::Test {
protected:
  PluginTest() {
    WriteFile(Dir.File("Main.dfm"), "object MainForm: TForm\n  object Button1: TButton\n  end\nend\n");
    WriteFile(Dir.File("Data.dfm"), "object DataForm: TForm\nend\n");
    WriteFile(Dir.File("Tools.txt"), "\n");
    WriteFile(Dir.File("Demo.amproj"), "[Forms]\nMainForm=Main.dfm\nDataForm=Data.dfm\n[Units]\nTools=Tools.txt\n");
    Menu = Env.CreateMainMenu();
    Tools = Menu->Items()->Find("Tools");
  }
  ambit_test::TempDir Dir;
  TScriptedDialogs Dialogs;
  TDesignEnvironment Env;
  TMainMenu* Menu = nullptr;
  TMenuItem* Tools = nullptr;
};

}  // namespace

TEST_F(PluginTest, TheDemoPluginUsesEveryServiceAndLeavesNothingWhenUnloaded) {
  const auto toolsBefore = Captions(Tools);
  ASSERT_TRUE(Env.Packages().Load(DEMO_PLUGIN));
  ASSERT_TRUE(Env.Packages().Load(DEMO_PLUGIN));  // once is enough
  EXPECT_EQ(Env.Packages().Packages().size(), 1u);
  // The wizard's item follows a new separator before the first one.
  EXPECT_EQ(Captions(Tools), (std::vector<std::string>{"&Packages...", "-", "&List Project Forms...", "-"}));
  ASSERT_EQ(PaletteClasses("Demo").size(), 1u);
  const TClass& greeterClass = *PaletteClasses("Demo").front();

  // A greeter dropped on a form of a project.
  ASSERT_TRUE(Env.OpenProject(Dir.File("Demo.amproj"), false));
  auto* main = static_cast<TFormModule*>(GetActiveProject()->GetModule(0)->OpenModule());
  TFormDesigner* designer = main->Designer();
  TComponent* greeter = designer->AddComponent(greeterClass);
  EXPECT_EQ(greeter->Name(), "DemoGreeter1");
  EXPECT_EQ(designer->GetVerbs(greeter), (std::vector<std::string>{"&Greet...", "&Reset Greeting"}));

  TObjectInspector inspector;
  inspector.SetDesigner(designer);
  EXPECT_EQ(inspector.FindRow("Secret"), -1);
  const int greeting = inspector.FindRow("Greeting");
  ASSERT_GE(greeting, 0);
  EXPECT_EQ(inspector.GetValues(greeting), (std::vector<std::string>{"Hello", "Good morning", "Good evening"}));
  EXPECT_TRUE(inspector.SetValue(greeting, "Good morning"));
  const int audience = inspector.FindRow("Audience");
  ASSERT_TRUE(inspector.HasDialog(audience));
  Dialogs.DriveModal([](TCustomForm* F) {
    static_cast<TEdit*>(F->FindComponent("AudienceEdit"))->SetText("friends");
    static_cast<TButton*>(F->FindComponent("OKButton"))->Click();
  });
  EXPECT_TRUE(inspector.Edit(audience));
  EXPECT_EQ(inspector.Value(audience), "friends");

  // The first verb shows a modal window built from host controls.
  std::string shown;
  Dialogs.DriveModal([&](TCustomForm* F) { shown = static_cast<TLabel*>(F->FindComponent("MessageLabel"))->Caption(); });
  EXPECT_TRUE(designer->EditComponent(greeter));
  EXPECT_EQ(shown, "Good morning, friends!");
  EXPECT_EQ(Dialogs.ModalForms().back().FormName, "GreetingDialog");

  // Saved and read back, the greeter keeps what was set.
  EXPECT_TRUE(main->Save());
  EXPECT_TRUE(main->Close());
  main = static_cast<TFormModule*>(GetActiveProject()->GetModule(0)->OpenModule());
  TComponent* again = main->Root()->FindComponent("DemoGreeter1");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(GetStrProp(again, "Audience"), "friends");
  EXPECT_TRUE(main->Close());

  // The wizard lists the project's forms, opening and closing what was
  // not open, and passes the unit without a form by.
  const int modules = Env.ModuleCount();
  Tools->Items(2)->Click();
  ASSERT_FALSE(Dialogs.Messages().empty());
  const std::string listing = Dialogs.Messages().back().Msg;
  EXPECT_NE(listing.find("MainForm (2 components)"), std::string::npos) << listing;
  EXPECT_NE(listing.find("DataForm (0 components)"), std::string::npos) << listing;
  EXPECT_EQ(listing.find("Tools"), std::string::npos);
  EXPECT_EQ(Env.ModuleCount(), modules);

  EXPECT_TRUE(Env.Packages().Unload(DEMO_PLUGIN));
  EXPECT_EQ(Captions(Tools), toolsBefore);
  EXPECT_TRUE(PaletteClasses("Demo").empty());
  EXPECT_EQ(FindRegisteredClass("TDemoGreeter"), nullptr);
}

TEST_F(PluginTest, TheWizardSaysSoWhenNoProjectIsOpen) {
  ASSERT_TRUE(Env.Packages().Load(DEMO_PLUGIN));
  Tools->Items(2)->Click();
  ASSERT_FALSE(Dialogs.Messages().empty());
  EXPECT_EQ(Dialogs.Messages().back().Msg, "No project opened");
}

TEST_F(PluginTest, AFailingRegisterIsReportedAndWhatItRegisteredIsWithdrawn) {
  const auto toolsBefore = Captions(Tools);
  const int wizards = WizardCount();
  EXPECT_FALSE(Env.Packages().Load(FAILING_PLUGIN));
  ASSERT_EQ(Dialogs.Messages().size(), 1u);
  EXPECT_EQ(Dialogs.Messages()[0].DlgType, mtError);
  EXPECT_NE(Dialogs.Messages()[0].Msg.find("The failing demo gives up"), std::string::npos);
  EXPECT_TRUE(Env.Packages().Packages().empty());
  EXPECT_EQ(WizardCount(), wizards);
  EXPECT_EQ(Captions(Tools), toolsBefore);
  EXPECT_TRUE(PaletteClasses("Demo").empty());
  EXPECT_EQ(FindRegisteredClass("TFailingGreeter"), nullptr);
}

TEST_F(PluginTest, ALibraryThatIsNoPluginIsReported) {
  WriteFile(Dir.File("junk.so"), "not a library");
  EXPECT_FALSE(Env.Packages().Load(Dir.File("junk.so")));
  EXPECT_FALSE(Env.Packages().Load(Dir.File("missing.so")));
  ASSERT_EQ(Dialogs.Messages().size(), 2u);
  EXPECT_NE(Dialogs.Messages()[0].Msg.find("Cannot load the package"), std::string::npos);
  // A folder whose only library is no plug-in loads none.
  EXPECT_EQ(Env.Packages().LoadFolder(Dir.File("")), 0);
  EXPECT_EQ(TPackageLoader::DefaultFolder(),
            (std::filesystem::path(Application()->ExeName()).parent_path() / "plugins").string());
}
