#include "apps/sample/SampleApp.h"

#include <filesystem>

#include "host/controls/Application.h"
#include "host/controls/StdRegister.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitDBSource.h"
#include "runtime/AmbitRegister.h"
#include "runtime/AmbitUtils.h"
#ifdef AMBIT_SAMPLE_SQLITE
#include "host/data/sqlite/SQLiteConnection.h"
#endif

namespace ambit::sample {

namespace {

// Every component owned by Owner or, depth first, by what it owns.
template <class T, class F>
void ForEach(host::TComponent* Owner, F&& Action, int Depth = 0) {
  if (Depth > 64) return;
  for (host::TComponent* c : Owner->ComponentList()) {
    if (auto* t = host::As<T>(c)) Action(t);
    ForEach<T>(c, Action, Depth + 1);
  }
}

template <class T>
T* FindFirst(const std::vector<host::TComponent*>& Forms) {
  T* found = nullptr;
  for (host::TComponent* form : Forms)
    ForEach<T>(form, [&](T* t) {
      if (!found) found = t;
    });
  return found;
}

}  // namespace

TSampleApp::TSampleApp(const std::string& ProjectFile) : FMenuOwner(std::make_unique<host::TComponent>(nullptr)) {
  host::RegisterStandardControls();
  RegisterAmbitClasses();
  RegisterAmbitDBClasses();
#ifdef AMBIT_SAMPLE_SQLITE
  host::RegisterSQLiteClasses();
#endif
  FProject = host::TFormProject::LoadFromFile(ProjectFile);
  FProject->LoadForms();
  FSource = FindFirst<TAmFileLanguageSource>(Forms());
  if (!FSource) FSource = FindFirst<TAmCustomLanguageSource>(Forms());
  if (!FSource) throw EAmbitError("The sample project has no language source");
  // Language files are named relative to the project's folder.
  const std::filesystem::path folder = std::filesystem::path(ProjectFile).parent_path();
  if (auto* files = host::As<TAmFileLanguageSource>(FSource)) {
    const int stored = files->ActiveLanguage();
    files->SetOnGetFileName([folder](host::TObject*, std::string& FileName) {
      const std::filesystem::path p(FileName);
      if (p.is_relative()) FileName = (folder / p).lexically_normal().string();
    });
    // A language stored as active was opened before the hook was there.
    if (stored >= 0) {
      files->SetActiveLanguage(-1);
      files->SetActiveLanguage(stored);
    }
  }
  for (host::TComponent* c : Forms())
    if (auto* form = host::As<host::TCustomForm>(c)) host::Application()->AddCreatedForm(form);
  if (!Forms().empty()) host::Application()->SetMainForm(host::As<host::TCustomForm>(Forms().front()));
  host::Application()->SetTitle(FProject->Title());
}

TSampleApp::~TSampleApp() {
  // The menus' items go before the forms that show them.
  FLanguageItems.clear();
  FMenuOwner.reset();
}

host::TCustomForm* TSampleApp::MainForm() const { return host::Application()->MainForm(); }

bool TSampleApp::UseDatabase(std::string& Why) {
  auto* db = FindFirst<TAmDBLanguageSource>(Forms());
  if (!db) {
    Why = "the sample project has no database language source yet";
    return false;
  }
#ifdef AMBIT_SAMPLE_SQLITE
  const std::filesystem::path folder = std::filesystem::path(FProject->FileName()).parent_path();
  bool haveFile = false;
  for (host::TComponent* form : Forms())
    ForEach<host::TSQLiteConnection>(form, [&](host::TSQLiteConnection* c) {
      std::filesystem::path p(c->DatabaseName());
      if (c->DatabaseName().empty() || c->DatabaseName() == ":memory:") return;
      if (p.is_relative()) p = folder / p;
      if (!std::filesystem::exists(p)) return;
      c->Close();
      c->SetDatabaseName(p.lexically_normal().string());
      haveFile = true;
    });
  if (!haveFile) {
    Why = "the sample's SQLite database (examples/sample/*.sqlite) is not there";
    return false;
  }
#else
  Why = "this build has no SQLite support";
  return false;
#endif
  FSource = db;
  for (host::TComponent* form : Forms())
    ForEach<TAmFormLocalizer>(form, [&](TAmFormLocalizer* l) { l->SetSource(db); });
  return true;
}

void TSampleApp::BuildMenus() {
  host::TCustomForm* main = MainForm();
  if (!main) return;
  host::TMainMenu* menu = main->Menu();
  if (!menu) {
    menu = new host::TMainMenu(FMenuOwner.get());
    main->SetMenu(menu);
  }
  auto* language = new host::TMenuItem(FMenuOwner.get());
  language->SetCaption("&Language");
  menu->Items()->Add(language);
  for (int i = -1; i < FSource->Languages()->Count(); ++i) {
    auto* item = new host::TMenuItem(FMenuOwner.get());
    item->SetCaption(i < 0 ? FSource->OriginalName() : FSource->GetLanguageName(i));
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    item->SetOnClick([this, i](host::TObject*) { SwitchTo(i); });
    language->Add(item);
    FLanguageItems.push_back(item);
  }
  // Other forms open from the Forms menu, so that a switch can be seen on
  // several windows at once.
  if (Forms().size() > 1) {
    auto* forms = new host::TMenuItem(FMenuOwner.get());
    forms->SetCaption("&Forms");
    menu->Items()->Add(forms);
    for (host::TComponent* c : Forms()) {
      auto* form = host::As<host::TCustomForm>(c);
      if (!form || form == main) continue;
      auto* item = new host::TMenuItem(FMenuOwner.get());
      item->SetCaption(form->Name());
      item->SetOnClick([form](host::TObject*) { form->Show(); });
      forms->Add(item);
    }
  }
  FSource->SetOnLanguageChanged([this](host::TObject*) { UpdateChecks(); });
  UpdateChecks();
}

void TSampleApp::SwitchTo(int Index) {
  FSource->SetActiveLanguage(Index);
  UpdateChecks();
}

void TSampleApp::UpdateChecks() {
  const int active = FSource->ActiveLanguage();
  for (std::size_t i = 0; i < FLanguageItems.size(); ++i)
    FLanguageItems[i]->SetChecked(static_cast<int>(i) - 1 == active);
}

}  // namespace ambit::sample
