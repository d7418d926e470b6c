// The design environment: projects with their forms and units, opening and
// closing modules, the current project, saving, the prompt for a modified
// form, references between forms, and the folder a project's forms name
// their files in.
#include <gtest/gtest.h>

#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/design/DesignEnvironment.h"
#include "runtime/AmbitRegister.h"
#include "runtime/AmbitSource.h"
#include "tests/host/design/DesignTestClasses.h"
#include "tests/runtime/RuntimeTestSupport.h"

using namespace host;
using namespace designtest;
using ambit_test::ReadFile;
using ambit_test::WriteFile;

namespace {

class EnvironmentTest : public ::testing::Test {
protected:
  EnvironmentTest() {
    RegisterGadgets();
    WriteFile(Dir.File("Main.dfm"),
              "object MainForm: TForm\n  Caption = 'Main'\n  object Gadget1: TGadget\n"
              "    Buddy = DataForm.Store\n  end\nend\n");
    WriteFile(Dir.File("Data.dfm"), "object DataForm: TForm\n  object Store: TGadgetStore\n  end\nend\n");
    WriteFile(Dir.File("Helpers.txt"), "no form here\n");
    WriteFile(Dir.File("Demo.amproj"),
              "[Project]\nTitle=Demo\n[Forms]\nMainForm=Main.dfm\nDataForm=Data.dfm\n[Units]\nHelpers=Helpers.txt\n");
  }
  TGadget* GadgetOf(TFormModule* Module) { return static_cast<TGadget*>(Module->Root()->FindComponent("Gadget1")); }

  ambit_test::TempDir Dir;
  TScriptedDialogs Dialogs;
  std::unique_ptr<TDesignEnvironment> Holder = std::make_unique<TDesignEnvironment>();
  TDesignEnvironment& Env = *Holder;
};

}  // namespace

TEST_F(EnvironmentTest, AProjectListsFormsThenUnitsAndItsFormEditorGivesTheLiveForm) {
  IOTAProject* project = Env.LoadProject(Dir.File("Demo.amproj"));
  ASSERT_EQ(project->GetModuleCount(), 3);
  EXPECT_EQ(project->GetModule(0)->FormName(), "MainForm");
  EXPECT_EQ(project->GetModule(2)->FormName(), "");
  EXPECT_EQ(project->GetModule(2)->FileName(), Dir.File("Helpers.txt"));
  EXPECT_EQ(project->GetModule(3), nullptr);

  IOTAModule* module = project->GetModule(1)->OpenModule();
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(project->GetModule(1)->OpenModule(), module);  // open already
  EXPECT_EQ(Env.FindModule(Dir.File("sub/../Data.dfm")), module);
  auto* editor = dynamic_cast<IOTAFormEditor*>(module->GetModuleFileEditor(1));
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(module->GetModuleFileEditor(2), nullptr);
  TComponent* form = editor->GetRootComponent()->GetComponent();
  EXPECT_EQ(form, static_cast<TFormModule*>(module)->Root());
  EXPECT_TRUE(form->IsDesigning());
  EXPECT_TRUE(form->FindComponent("Store")->IsDesigning());
  EXPECT_EQ(editor->FindComponent("Store")->GetParent(), editor->GetRootComponent());
  editor->Show();
  EXPECT_EQ(Env.CurrentModule(), module);

  IOTAModule* unit = project->GetModule(2)->OpenModule();
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->GetModuleFileEditor(1), nullptr);
  EXPECT_TRUE(Env.CloseFile(Dir.File("Data.dfm")));
  EXPECT_EQ(Env.FindModule(Dir.File("Data.dfm")), nullptr);
  EXPECT_FALSE(Env.CloseFile(Dir.File("Data.dfm")));
  // Closing the project takes its open units along.
  EXPECT_TRUE(Env.CloseFile(Dir.File("Demo.amproj")));
  EXPECT_EQ(Env.ModuleCount(), 0);
}

TEST_F(EnvironmentTest, TheCurrentProjectIsTheGroupsActiveOneElseTheOnlyOneElseNone) {
  EXPECT_EQ(GetActiveProject(), nullptr);
  IOTAProject* first = Env.LoadProject(Dir.File("Demo.amproj"));
  EXPECT_EQ(GetActiveProject(), first);
  WriteFile(Dir.File("Other.amproj"), "[Forms]\nDataForm=Data.dfm\n");
  IOTAProject* second = Env.LoadProject(Dir.File("Other.amproj"));
  EXPECT_EQ(GetActiveProject(), nullptr);
  TProjectGroupModule* group = Env.NewProjectGroup();
  group->AddProject(first);
  group->AddProject(second);
  group->SetActiveProject(second);
  EXPECT_EQ(GetActiveProject(), second);
  // A group without an active project decides too: there is none.
  group->SetActiveProject(nullptr);
  EXPECT_EQ(GetActiveProject(), nullptr);
  EXPECT_TRUE(Env.CloseModule(group, false));
  EXPECT_TRUE(Env.CloseModule(second, false));
  EXPECT_EQ(GetActiveProject(), first);
}

TEST_F(EnvironmentTest, AModifiedFormAsksBeforeItCloses) {
  TFormModule* module = Env.LoadForm(Dir.File("Main.dfm"));
  GadgetOf(module)->SetCount(5);
  module->Designer()->Modified();
  Dialogs.AnswerMessage(mrCancel);
  EXPECT_FALSE(module->Close());
  ASSERT_EQ(Env.FindModule(Dir.File("Main.dfm")), module);
  EXPECT_EQ(Dialogs.Messages().back().Buttons, mbYesNoCancel);
  Dialogs.AnswerMessage(mrNo);
  EXPECT_TRUE(module->Close());
  EXPECT_EQ(ReadFile(Dir.File("Main.dfm")).find("Count"), std::string::npos);

  module = Env.LoadForm(Dir.File("Main.dfm"));
  GadgetOf(module)->SetCount(6);
  module->Designer()->Modified();
  Dialogs.AnswerMessage(mrYes);
  EXPECT_TRUE(Env.CloseFile(Dir.File("Main.dfm")));
  EXPECT_NE(ReadFile(Dir.File("Main.dfm")).find("Count = 6"), std::string::npos);
  EXPECT_EQ(Dialogs.Messages().size(), 3u);
}

TEST_F(EnvironmentTest, AReferenceToAnotherFormSurvivesThatFormsCloseAndReopen) {
  // Read before the form it refers to: the reference waits for it.
  TFormModule* main = Env.LoadForm(Dir.File("Main.dfm"));
  EXPECT_EQ(GadgetOf(main)->Buddy(), nullptr);
  TFormModule* data = Env.LoadForm(Dir.File("Data.dfm"));
  EXPECT_EQ(GadgetOf(main)->Buddy(), data->Root()->FindComponent("Store"));

  EXPECT_TRUE(data->Close());
  EXPECT_EQ(GadgetOf(main)->Buddy(), nullptr);
  // Saved meanwhile, the form keeps the name.
  EXPECT_NE(main->FormText().find("Buddy = DataForm.Store"), std::string::npos);
  data = Env.LoadForm(Dir.File("Data.dfm"));
  EXPECT_EQ(GadgetOf(main)->Buddy(), data->Root()->FindComponent("Store"));
  EXPECT_FALSE(main->IsModified());
}

TEST_F(EnvironmentTest, SaveAsWritesTheNewFileAndTheProjectNamesIt) {
  Env.LoadProject(Dir.File("Demo.amproj"));
  TFormModule* data = Env.LoadForm(Dir.File("Data.dfm"));
  data->Designer()->RenameComponent(data->Root()->FindComponent("Store"), "Shelf");
  Dialogs.AnswerOpen(Dir.File("Renamed.dfm"));
  EXPECT_TRUE(data->Save(true));
  EXPECT_EQ(data->FileName(), Dir.File("Renamed.dfm"));
  EXPECT_FALSE(data->IsModified());
  EXPECT_NE(ReadFile(Dir.File("Renamed.dfm")).find("object Shelf: TGadgetStore"), std::string::npos);
  EXPECT_EQ(ReadFile(Dir.File("Data.dfm")).find("Shelf"), std::string::npos);
  const std::string project = ReadFile(Dir.File("Demo.amproj"));
  EXPECT_NE(project.find("DataForm=Renamed.dfm"), std::string::npos);
  EXPECT_NE(project.find("Helpers=Helpers.txt"), std::string::npos);
}

TEST_F(EnvironmentTest, AProjectsFormsNameTheirLanguageFilesRelativeToTheProjectsFolder) {
  ambit::RegisterAmbitClasses();
  const std::filesystem::path sample = std::filesystem::path(AMBIT_SOURCE_DIR) / "examples" / "sample";
  for (const char* f : {"Sample.amproj", "MainForm.dfm", "ContactsForm.dfm", "AboutBox.dfm", "German.lng"})
    std::filesystem::copy_file(sample / f, Dir.File(f));
  ASSERT_NE(std::filesystem::current_path(), std::filesystem::path(Dir.File("")).parent_path());
  IOTAProject* project = Env.LoadProject(Dir.File("Sample.amproj"));
  auto* main = static_cast<TFormModule*>(project->GetModule(0)->OpenModule());
  ASSERT_NE(main, nullptr);
  auto* source = static_cast<ambit::TAmLanguageSource*>(main->Root()->FindComponent("LanguageSource1"));
  source->SetActiveLanguage(0);
  EXPECT_EQ(static_cast<TForm*>(main->Root())->Caption(), "Ambit-Beispiel");
  // The name itself stays as the form stores it.
  EXPECT_EQ(source->GetLanguageFile(0), "German.lng");
}

TEST_F(EnvironmentTest, AWizardIsFreedAtUnloadWhileTheMainMenuIsThere) {
  // The demo's wizard put an item into the Tools menu; at the environment's
  // end the item must go while the menu is still there.
  struct TWatch : TComponent {
    TComponent* Menu = nullptr;
    bool MenuGone = false;
    bool ItemWentFirst = false;
    TWatch() : TComponent(nullptr) {}
    void Notification(TComponent* C, TOperation Op) override {
      TComponent::Notification(C, Op);
      if (Op != opRemove) return;
      if (C == Menu)
        MenuGone = true;
      else if (C->Name() == "ToolsListFormsItem")
        ItemWentFirst = !MenuGone;
    }
  } watch;
  TMainMenu* menu = Env.CreateMainMenu();
  ASSERT_TRUE(Env.Packages().Load(DEMO_PLUGIN));
  TMenuItem* tools = menu->Items()->Find("Tools");
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(tools->Name(), "ToolsMenu");
  TMenuItem* item = nullptr;
  for (int i = 0; i < tools->Count(); ++i)
    if (tools->Items(i)->Name() == "ToolsListFormsItem") item = tools->Items(i);
  ASSERT_NE(item, nullptr);
  watch.Menu = menu;
  menu->FreeNotification(&watch);
  item->FreeNotification(&watch);
  Holder.reset();
  EXPECT_TRUE(watch.MenuGone);
  EXPECT_TRUE(watch.ItemWentFirst);
}
