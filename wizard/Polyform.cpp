// The wizard's life in the designer: its identity, its place on the Tools
// menu and its registration.
#include "wizard/Polyform.h"

#include "host/controls/Dialogs.h"
#include "host/controls/Menus.h"
#include "host/core/CaseFold.h"
#include "host/design/DesignPackage.h"
#include "runtime/AmbitRegister.h"

namespace ambit {

using namespace host;

const TClass& TLocalItem::StaticClass() {
  static const TClass cls = TClassBuilder<TLocalItem>("TLocalItem", &TCollectionItem::StaticClass()).Build();
  return cls;
}
const TClass& TLocalItem::ClassType() const { return StaticClass(); }

const TClass& TLocalList::StaticClass() {
  static const TClass cls = TClassBuilder<TLocalList>("TLocalList", &TCollection::StaticClass()).Build();
  return cls;
}
const TClass& TLocalList::ClassType() const { return StaticClass(); }

TLocalItem* TLocalList::Add(TAmFormLocalizer* Localizer, const std::string& FormName, const std::string& FileName) {
  TLocalItem* item = TOwnedCollection<TLocalItem>::Add();
  item->Localizer = Localizer;
  item->FormName = FormName;
  item->FileName = FileName;
  return item;
}

// The Tools menu may free its items before the wizard goes (its menu is
// torn down first): the wizard then forgets them instead of freeing them
// again.
class TPolyform::TMenuWatcher : public TComponent {
public:
  explicit TMenuWatcher(TPolyform* Wizard) : TComponent(nullptr), FWizard(Wizard) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FWizard->FToolsMenu) FWizard->FToolsMenu = nullptr;
    if (AComponent == FWizard->FMenuItem) FWizard->FMenuItem = nullptr;
    if (AComponent == FWizard->FSeparator) FWizard->FSeparator = nullptr;
  }

private:
  TPolyform* FWizard;
};

TPolyform::TPolyform()
    : FLanguages(std::make_unique<TStringList>()),
      FLocalList(std::make_unique<TLocalList>()),
      FSettings(std::make_unique<TpfSettings>()),
      FWatcher(std::make_unique<TMenuWatcher>(this)) {
  IIDEServices* services = IDEServices();
  INTAServices* nta = services ? services->NTAServices() : nullptr;
  TMainMenu* mainMenu = nta ? nta->MainMenu() : nullptr;
  if (!mainMenu) {
    MessageDlg(sNoMainMenu, mtError, TMsgDlgButtons{mbOK});
    return;
  }
  for (int i = 0; i < mainMenu->Items()->Count(); ++i)
    if (SameText(mainMenu->Items()->Items(i)->Name(), "ToolsMenu")) FToolsMenu = mainMenu->Items()->Items(i);
  if (!FToolsMenu) {
    MessageDlg(sNoToolsMenu, mtError, TMsgDlgButtons{mbOK});
    return;
  }
  FToolsMenu->FreeNotification(FWatcher.get());
  FMenuItem = new TMenuItem(nullptr);
  FMenuItem->SetName("ToolsLocalizationWizardItem");
  FMenuItem->SetCaption(GetMenuText());
  FMenuItem->SetOnClick([this](TObject* Sender) { MenuClick(Sender); });
  FMenuItem->FreeNotification(FWatcher.get());
  FSeparator = new TMenuItem(nullptr);
  FSeparator->SetCaption("-");
  FSeparator->FreeNotification(FWatcher.get());
  // Before the first separator: the item and a separator of its own.
  int at = FToolsMenu->Count() - 1;
  for (int i = 0; i < FToolsMenu->Count(); ++i)
    if (FToolsMenu->Items(i)->Caption() == "-") {
      at = i;
      break;
    }
  FToolsMenu->Insert(at, FMenuItem);
  FToolsMenu->Insert(at, FSeparator);
}

TPolyform::~TPolyform() {
  if (FToolsMenu && FMenuItem && FToolsMenu->IndexOf(FMenuItem) >= 0) FToolsMenu->Remove(FMenuItem);
  // The watcher goes first: it need not hear of the items freed here.
  FWatcher.reset();
  // Freeing the separator takes it out of the menu.
  delete FMenuItem;
  delete FSeparator;
}

void TPolyform::MenuClick(TObject* Sender) {
  FProject = GetActiveProject();
  if (!FProject) {
    MessageDlg(sNoProjectOpened, mtError, TMsgDlgButtons{mbOK});
    return;
  }
  LocalizeProject();
}

void Register() {
  // Forms that hold the suite's components must be readable whichever
  // plug-ins the designer loads.
  RegisterAmbitClasses();
  RegisterPackageWizard(std::make_unique<TPolyform>());
}

}  // namespace ambit

HOST_PACKAGE(ambit::Register)
