// The project localization wizard: a package wizard that puts
// "&Localization Wizard..." on the designer's Tools menu and, in one run,
// saves every chosen form of the current project into one language.
//
// A run opens each form unit of the project, collects the form localizers
// and the first file-based language source found on the forms, asks for the
// language and the forms (TLocalForm), switches the source to that
// language, lets each chosen form's localizer save its form, optionally
// recreates the language file, switches back and closes the listed units.
#pragma once

#include <memory>
#include <string>

#include "host/core/Collection.h"
#include "host/core/Strings.h"
#include "host/design/ToolsAPI.h"

namespace host {
class TMenuItem;
}

namespace ambit {

class TAmFormLocalizer;
class TAmLanguageSource;

inline constexpr const char* sLocalizationWizardMenu = "&Localization Wizard...";
inline constexpr const char* sNoMainMenu = "Sorry, unable to find IDE main menu :-(";
inline constexpr const char* sNoToolsMenu = "Sorry, unable to find Tools menu :-(";
inline constexpr const char* sNoProjectOpened = "No project opened";

// A form localizer found on a form of the project.
class TLocalItem : public host::TCollectionItem {
  HOST_CLASS(TLocalItem)
public:
  using TCollectionItem::TCollectionItem;
  // The form's Name.
  std::string FormName;
  // Not owned: it belongs to its form.
  TAmFormLocalizer* Localizer = nullptr;
  // The project unit that holds the form.
  std::string FileName;
};

class TLocalList : public host::TOwnedCollection<TLocalItem> {
  HOST_CLASS(TLocalList)
public:
  TLocalList() : TOwnedCollection<TLocalItem>(nullptr) {}
  // Appends an item with these fields.
  TLocalItem* Add(TAmFormLocalizer* Localizer, const std::string& FormName, const std::string& FileName);
  TLocalItem* GetItems(int Index) const { return Items(Index); }
};

// The user's choices of the last run, in memory only.
struct TpfSettings {
  bool Recreate = false;
  std::string Language;
  // The checked forms, in list order.
  std::unique_ptr<host::TStringList> Forms = std::make_unique<host::TStringList>();
};

class TPolyform : public host::TNotifierObject, public host::IOTAWizard {
public:
  // Inserts the menu item into the Tools menu, or tells why it cannot.
  TPolyform();
  // Takes the menu item and its separator out of the menu.
  ~TPolyform() override;
  TPolyform(const TPolyform&) = delete;
  TPolyform& operator=(const TPolyform&) = delete;

  std::string GetIDString() const override { return "AmbitSuite.LocalizationWizard"; }
  std::string GetName() const override { return "Polyform Wizard"; }
  host::TWizardState GetState() const override { return {host::wsEnabled}; }
  // The menu item does the work.
  void Execute() override {}
  std::string GetMenuText() const { return sLocalizationWizardMenu; }

  // What the menu item does: finds the current project (host's
  // GetActiveProject) and localizes it.
  void MenuClick(host::TObject* Sender);
  // Opens every form unit of FProject and collects its localizers and
  // the first file-based language source.
  void GetForms();
  // The run over FProject: the dialog, then the saving.
  void LocalizeProject();

  // What the last run found and chose.
  TAmLanguageSource* LanguageSource() const { return FLanguageSource; }
  TLocalList* LocalList() const { return FLocalList.get(); }
  const TpfSettings& Settings() const { return *FSettings; }
  host::TMenuItem* MenuItem() const { return FMenuItem; }

private:
  class TMenuWatcher;
  // Saves the chosen forms into the chosen language, then switches back
  // and closes the listed units, also when a step raises.
  void SaveChosenForms();
  void CloseListedUnits();

  host::IOTAProject* FProject = nullptr;
  std::unique_ptr<host::TStringList> FLanguages;
  TAmLanguageSource* FLanguageSource = nullptr;
  std::unique_ptr<TLocalList> FLocalList;
  std::unique_ptr<TpfSettings> FSettings;
  host::TMenuItem* FToolsMenu = nullptr;
  // Owned, unless the menu frees them first (the watcher hears of it).
  host::TMenuItem* FMenuItem = nullptr;
  host::TMenuItem* FSeparator = nullptr;
  std::unique_ptr<TMenuWatcher> FWatcher;
};

// The plug-in's registration: one TPolyform as a package wizard.
void Register();

}  // namespace ambit
