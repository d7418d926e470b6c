// The sample application: loads the sample project's forms, finds the
// language source that their localizers are bound to, adds a Language menu
// to the main form (the designed texts first, then every language, the
// active one checked) and a Forms menu that opens the other forms.
// Choosing a language switches every open form at once, since every form
// localizer is bound to that one source.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/stream/FormProject.h"
#include "runtime/Ambit.h"

namespace ambit::sample {

class TSampleApp {
public:
  // Loads the project's forms into the application; raises the reader's
  // errors, and EAmbitError when no form holds a language source.
  explicit TSampleApp(const std::string& ProjectFile);
  ~TSampleApp();
  TSampleApp(const TSampleApp&) = delete;
  TSampleApp& operator=(const TSampleApp&) = delete;

  // Binds every form localizer to the first database language source
  // among the forms instead, its SQLite file resolved against the
  // project's folder. False, with Why set, when the project has none.
  bool UseDatabase(std::string& Why);

  host::TCustomForm* MainForm() const;
  const std::vector<host::TComponent*>& Forms() const { return FProject->Forms(); }
  TAmCustomLanguageSource* Source() const { return FSource; }
  // The items of the Language menu: OriginalName first, then each language.
  const std::vector<host::TMenuItem*>& LanguageItems() const { return FLanguageItems; }

  // Adds the Language and Forms menus to the main form's main menu (a
  // new one when it has none).
  void BuildMenus();
  // Makes Index the active language (-1: the designed texts).
  void SwitchTo(int Index);

private:
  void UpdateChecks();

  std::unique_ptr<host::TFormProject> FProject;
  std::unique_ptr<host::TComponent> FMenuOwner;
  TAmCustomLanguageSource* FSource = nullptr;
  std::vector<host::TMenuItem*> FLanguageItems;
};

}  // namespace ambit::sample
