#include "host/controls/Application.h"

#include <algorithm>
#include <filesystem>

#include "host/controls/Dialogs.h"

namespace host {

const TClass& TApplication::StaticClass() {
  static const TClass cls = TClassBuilder<TApplication>("TApplication", &TComponent::StaticClass()).Build();
  return cls;
}
const TClass& TApplication::ClassType() const { return StaticClass(); }

const TClass& TScreen::StaticClass() {
  static const TClass cls = TClassBuilder<TScreen>("TScreen", &TComponent::StaticClass()).Build();
  return cls;
}
const TClass& TScreen::ClassType() const { return StaticClass(); }

// ---- TApplication ----

std::string TApplication::ExeName() const {
  // Linux names the executable of every process in /proc.
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FHeadless(std::make_unique<THeadlessDialogs>()) {}

TApplication::~TApplication() {
  Destroying();
  // Forms it owns are freed by the base; released ones it does not own go now.
  std::vector<TCustomForm*> released;
  released.swap(FReleased);
  for (TCustomForm* form : released)
    if (form->Owner() != this) delete form;
}

void TApplication::SetWidgetSet(TWidgetSet* Value) { FWidgetSet = Value; }

IDialogs& TApplication::Dialogs() const {
  if (FDialogs) return *FDialogs;
  if (FWidgetSet)
    if (IDialogs* d = FWidgetSet->Dialogs()) return *d;
  return *FHeadless;
}

IDialogs* TApplication::SetDialogs(IDialogs* Value) {
  IDialogs* old = FDialogs;
  FDialogs = Value;
  return old;
}

void TApplication::AddCreatedForm(TCustomForm* Form) {
  if (!Form) return;
  if (!FMainForm) FMainForm = Form;
  Form->DoCreate();
}

void TApplication::SetHint(const std::string& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (FOnHint) FOnHint(this);
}

void TApplication::ProcessMessages() {
  // Forms released while their own handlers ran are freed here, outside them.
  while (!FReleased.empty()) {
    TCustomForm* form = FReleased.front();
    FReleased.erase(FReleased.begin());
    delete form;
  }
  if (FWidgetSet) FWidgetSet->ProcessMessages();
}

void TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  if (FWidgetSet && !FTerminated) FWidgetSet->Run();
  ProcessMessages();
}

void TApplication::Terminate() {
  FTerminated = true;
  if (FWidgetSet) FWidgetSet->Terminate();
}

void TApplication::ReleaseForm(TCustomForm* Form) {
  if (Form && std::find(FReleased.begin(), FReleased.end(), Form) == FReleased.end()) FReleased.push_back(Form);
}

void TApplication::CancelRelease(TCustomForm* Form) {
  FReleased.erase(std::remove(FReleased.begin(), FReleased.end(), Form), FReleased.end());
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

// ---- TScreen ----

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner),
      FHintFont(std::make_unique<TFont>()),
      FMenuFont(std::make_unique<TFont>()),
      FIconFont(std::make_unique<TFont>()) {
  FHintFont->SetName("Segoe UI");
  FMenuFont->SetName("Segoe UI");
  FIconFont->SetName("Segoe UI");
  auto changed = [this](TObject*) {
    if (FOnFontsChanged) FOnFontsChanged(this);
  };
  FHintFont->SetOnChange(changed);
  FMenuFont->SetOnChange(changed);
  FIconFont->SetOnChange(changed);
  FLookupId = RegisterFindGlobalComponentProc([this](std::string_view Name) -> TComponent* { return FindForm(Name); });
}

TScreen::~TScreen() {
  UnRegisterFindGlobalComponentProc(FLookupId);
  FHintFont->SetOnChange(nullptr);
  FMenuFont->SetOnChange(nullptr);
  FIconFont->SetOnChange(nullptr);
}

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FForms[static_cast<std::size_t>(Index)];
}

TCustomForm* TScreen::FindForm(std::string_view Name) const {
  if (Name.empty()) return nullptr;
  for (TCustomForm* form : FForms)
    if (!form->IsDestroying() && SameText(form->Name(), Name)) return form;
  return nullptr;
}

TControl* TScreen::ActiveControl() const { return FActiveForm ? FActiveForm->ActiveControl() : nullptr; }

void TScreen::SetSize(int AWidth, int AHeight) {
  FWidth = AWidth;
  FHeight = AHeight;
}

void TScreen::AddForm(TCustomForm* Form) {
  if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  if (FActiveForm == Form) FActiveForm = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (FActiveForm == Form) return;
  TCustomForm* old = FActiveForm;
  FActiveForm = Form;
  if (old && old->Active()) old->Deactivate();
}

// The two live until the process ends: forms may still be freed by
// static destructors of other units, and must find them there.
TApplication* Application() {
  static TApplication* app = new TApplication(nullptr);
  return app;
}

TScreen* Screen() {
  static TScreen* screen = new TScreen(nullptr);
  return screen;
}

}  // namespace host
