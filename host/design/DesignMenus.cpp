// The environment's main menu: a host menu model that a window toolkit
// shows as its menu bar. Its commands act on the current module.
#include <algorithm>
#include <filesystem>

#include "host/controls/Application.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Menus.h"
#include "host/core/CaseFold.h"
#include "host/design/DesignEnvironment.h"
#include "host/design/DesignPackage.h"

namespace host {

namespace {

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const std::string& Name, const std::string& Caption,
                   std::function<void()> Action = nullptr, const char* Shortcut = nullptr) {
  auto* item = new TMenuItem(Owner);
  item->SetName(Name);
  item->SetCaption(Caption);
  if (Shortcut) item->SetShortCut(TextToShortCut(Shortcut));
  if (Action) item->SetOnClick([Action](TObject*) { Action(); });
  Parent->Add(item);
  return item;
}

}  // namespace

TMainMenu* TDesignEnvironment::CreateMainMenu() {
  if (!FMainMenu) BuildMenu();
  return FMainMenu;
}

void TDesignEnvironment::BuildMenu() {
  FMenuOwner = std::make_unique<TComponent>(nullptr);
  TComponent* owner = FMenuOwner.get();
  FMainMenu = new TMainMenu(owner);
  FMainMenu->SetName("MainMenu");
  TMenuItem* root = FMainMenu->Items();

  TMenuItem* file = AddItem(owner, root, "FileMenu", "&File");
  AddItem(owner, file, "FileOpenItem", "&Open...", [this] { OpenCommand(); }, "Ctrl+O");
  AddItem(owner, file, "FileSaveItem", "&Save", [this] { SaveCurrent(false); }, "Ctrl+S");
  AddItem(owner, file, "FileSaveAsItem", "Save &As...", [this] { SaveCurrent(true); });
  AddItem(owner, file, "FileCloseItem", "&Close", [this] {
    if (FCurrent) CloseModule(FCurrent, false);
  });
  AddItem(owner, file, "FileSeparator", "-");
  AddItem(owner, file, "FileExitItem", "E&xit", [this] {
    if (FOnExit) FOnExit(FMainMenu);
  });

  TMenuItem* edit = AddItem(owner, root, "EditMenu", "&Edit");
  AddItem(owner, edit, "EditDeleteItem", "&Delete", [this] {
    if (auto* form = dynamic_cast<TFormModule*>(FCurrent)) form->Designer()->DeleteSelection();
  }, "Del");

  TMenuItem* view = AddItem(owner, root, "ViewMenu", "&View");
  AddItem(owner, view, "ViewNextFormItem", "&Next Form", [this] {
    const std::vector<TFormModule*> forms = FormModules();
    if (forms.empty()) return;
    auto it = std::find(forms.begin(), forms.end(), dynamic_cast<TFormModule*>(FCurrent));
    ShowModule(it == forms.end() || it + 1 == forms.end() ? forms.front() : *(it + 1));
  }, "Ctrl+Tab");

  // Wizards put their items after the separator.
  TMenuItem* tools = AddItem(owner, root, "ToolsMenu", "&Tools");
  AddItem(owner, tools, "ToolsPackagesItem", "&Packages...", [this] {
    std::string text = "Packages loaded:";
    if (FPackages.Packages().empty()) text += " none";
    for (const auto& p : FPackages.Packages()) text += "\n" + p.FileName;
    Application()->Dialogs().MessageDlg(text, mtInformation, TMsgDlgButtons{mbOK});
  });
  AddItem(owner, tools, "ToolsSeparator", "-");

  TMenuItem* help = AddItem(owner, root, "HelpMenu", "&Help");
  AddItem(owner, help, "HelpAboutItem", "&About...", [] {
    Application()->Dialogs().MessageDlg(
        "Studio, the designer of the Ambit Localizer suite\nDesign API version " + IntToStr(HOST_DESIGN_API_VERSION),
        mtInformation, TMsgDlgButtons{mbOK});
  });
}

void TDesignEnvironment::OpenCommand() {
  TOpenDialog dialog(nullptr);
  dialog.SetTitle("Open");
  dialog.SetFilter("Projects and forms (*.amproj;*.dfm)|*.amproj;*.dfm|All files (*)|*");
  dialog.SetOptions(dialog.Options() + TOpenOptions{ofFileMustExist});
  if (!dialog.Execute()) return;
  if (!OpenFile(dialog.FileName())) return;
  // A project opens with its forms.
  if (auto* project = dynamic_cast<IOTAProject*>(FindModule(dialog.FileName()))) OpenProjectForms(project);
}

void TDesignEnvironment::SaveCurrent(bool ChangeName) {
  if (FCurrent) FCurrent->Save(ChangeName, false);
}

}  // namespace host
