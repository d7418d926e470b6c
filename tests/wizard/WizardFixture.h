// A design environment with scripted dialogs, its main menu, and a project
// of three forms and a unit without a form in a scratch folder: FirstForm
// holds the language source (German, Russian) and a localizer, SecondForm
// and ThirdForm a localizer each, bound to FirstForm's source.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/controls/Menus.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/design/DesignEnvironment.h"
#include "runtime/AmbitRegister.h"
#include "tests/runtime/RuntimeTestSupport.h"
#include "wizard/LocalFrm.h"
#include "wizard/Polyform.h"

namespace wizardtest {

inline std::string FormFile(const std::string& Name, const std::string& Caption, const std::string& Inner) {
  return "object " + Name + ": TForm\n  Caption = '" + Caption + "'\n  object Button1: TButton\n    Caption = '" +
         Caption + " button'\n  end\n" + Inner + "end\n";
}

inline std::string LocalizerOf(const std::string& Name, const std::string& Source) {
  return "  object " + Name + ": TAmFormLocalizer\n    Source = " + Source + "\n  end\n";
}

class WizardTest : public ::testing::Test {
protected:
  WizardTest() {
    ambit::RegisterAmbitClasses();
    Env.CreateMainMenu();
    WriteProject(Dir.File("Demo.amproj"));
  }

  // Writes the project and its files into the project file's folder.
  static void WriteProject(const std::string& ProjectFile) {
    const std::filesystem::path dir = std::filesystem::path(ProjectFile).parent_path();
    WriteFirstForm(dir, "'German=German.lng'\n      'Russian=Russian.lng'", LocalizerOf("Localizer1", "Source"));
    ambit_test::WriteFile((dir / "Second.dfm").string(),
                          FormFile("SecondForm", "Second", LocalizerOf("Localizer2", "FirstForm.Source")));
    ambit_test::WriteFile((dir / "Third.dfm").string(),
                          FormFile("ThirdForm", "Third", LocalizerOf("Localizer3", "FirstForm.Source")));
    ambit_test::WriteFile((dir / "Helpers.txt").string(), "no form\n");
    ambit_test::WriteFile(ProjectFile,
                          "[Project]\nTitle=Demo\n[Forms]\nFirstForm=First.dfm\nSecondForm=Second.dfm\n"
                          "ThirdForm=Third.dfm\n[Units]\nHelpers=Helpers.txt\n");
  }
  // FirstForm with the language source: its Languages lines (quoted form
  // file lines), then the rest of the form (its localizer, by default).
  static void WriteFirstForm(const std::filesystem::path& Dir, const std::string& Languages,
                             const std::string& Rest, const std::string& SourceSettings = {}) {
    ambit_test::WriteFile((Dir / "First.dfm").string(),
                          FormFile("FirstForm", "First",
                                   "  object Source: TAmLanguageSource\n" + SourceSettings +
                                       "    Languages.Strings = (\n      " + Languages + ")\n  end\n" + Rest));
  }

  std::filesystem::path Folder() const { return std::filesystem::path(Dir.File("")); }
  host::TMenuItem* ToolsMenu() const { return Env.MainMenu()->Items()->Find("&Tools"); }
  // Opens the project and runs the wizard's menu item with a script for
  // its dialog (made with Choose).
  void RunWizard(std::function<void(ambit::TLocalForm*)> Script) {
    if (!Wizard) Wizard = std::make_unique<ambit::TPolyform>();
    Env.LoadProject(Dir.File("Demo.amproj"));
    Dialogs.DriveModal([Script](host::TCustomForm* Form) { Script(static_cast<ambit::TLocalForm*>(Form)); });
    Wizard->MenuClick(nullptr);
  }
  // A dialog script: chooses Language, unchecks the forms named, sets
  // Recreate and clicks Execute.
  static std::function<void(ambit::TLocalForm*)> Choose(const std::string& Language,
                                                        std::vector<std::string> Unchecked, bool Recreate) {
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
