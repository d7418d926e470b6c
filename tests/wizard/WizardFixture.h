// A design environment with scripted dialogs and its main menu, and a
// project of three forms and a unit without a form in a scratch folder:
// FirstForm holds the language source (German, Russian) and a localizer,
// SecondForm and ThirdForm a localizer each, bound to that source.
#pragma once

#include <gtest/gtest.h>

#include "host/controls/Menus.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/design/DesignEnvironment.h"
#include "runtime/AmbitRegister.h"
#include "tests/runtime/RuntimeTestSupport.h"
#include "wizard/LocalFrm.h"
#include "wizard/Polyform.h"

namespace wizardtest {

using ambit_test::WriteFile;
using TScript = std::function<void(ambit::TLocalForm*)>;

inline std::string FormFile(const std::string& Name, const std::string& Inner) {
  return "object " + Name + ": TForm\n  Caption = '" + Name + "'\n  object Button1: TButton\n    Caption = 'Press'\n"
         "  end\n" + Inner + "end\n";
}
inline std::string LocalizerOf(const std::string& Source) {
  return "  object Localizer: TAmFormLocalizer\n    Source = " + Source + "\n  end\n";
}

class WizardTest : public ::testing::Test {
protected:
  WizardTest() {
    ambit::RegisterAmbitClasses();
    Env.CreateMainMenu();
    WriteFirstForm("'German=German.lng'\n      'Russian=Russian.lng'", LocalizerOf("Source"));
    WriteFile(Dir.File("Second.dfm"), FormFile("SecondForm", LocalizerOf("FirstForm.Source")));
    WriteFile(Dir.File("Third.dfm"), FormFile("ThirdForm", LocalizerOf("FirstForm.Source")));
    WriteFile(Dir.File("Helpers.txt"), "no form\n");
    WriteFile(Dir.File("Demo.amproj"), "[Forms]\nFirstForm=First.dfm\nSecondForm=Second.dfm\nThirdForm=Third.dfm\n"
                                       "[Units]\nHelpers=Helpers.txt\n");
  }
  // FirstForm: the source with its settings and Languages lines, then Rest.
  void WriteFirstForm(const std::string& Languages, const std::string& Rest, const std::string& Settings = {}) {
    WriteFile(Dir.File("First.dfm"), FormFile("FirstForm", "  object Source: TAmLanguageSource\n" + Settings +
                                                               "    Languages.Strings = (\n      " + Languages +
                                                               ")\n  end\n" + Rest));
  }
  std::filesystem::path Folder() const { return Dir.File(""); }
  host::TMenuItem* ToolsMenu() const { return Env.MainMenu()->Items()->Find("&Tools"); }
  // Opens the project and clicks the wizard's item; Script drives the dialog.
  void RunWizard(TScript Script, const std::string& Project = {}) {
    if (!Wizard) Wizard = std::make_unique<ambit::TPolyform>();
    Env.LoadProject(Project.empty() ? Dir.File("Demo.amproj") : Project);
    Dialogs.DriveModal([Script](host::TCustomForm* Form) { Script(static_cast<ambit::TLocalForm*>(Form)); });
    Wizard->MenuClick(nullptr);
  }
  // Chooses Language, unchecks the forms named, sets Recreate, Execute.
  static TScript Choose(const std::string& Language, std::vector<std::string> Unchecked, bool Recreate) {
    return [=](ambit::TLocalForm* Form) {
      Form->LanguageList->SetItemIndex(Form->LanguageList->Items()->IndexOf(Language));
      for (const std::string& name : Unchecked) Form->FormList->SetChecked(Form->FormList->Items()->IndexOf(name), false);
      Form->ckRecreated->SetChecked(Recreate);
      Form->ExecBtn->Click();
    };
  }

  ambit_test::TempDir Dir;
  host::TScriptedDialogs Dialogs;
  std::unique_ptr<host::TDesignEnvironment> Holder = std::make_unique<host::TDesignEnvironment>();
  host::TDesignEnvironment& Env = *Holder;
  std::unique_ptr<ambit::TPolyform> Wizard;
};

}  // namespace wizardtest
