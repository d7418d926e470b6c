#include "runtime/Ambit.h"

namespace ambit {

const host::TClass& TAmCustomLocalizer::StaticClass() {
  // The concrete localizer publishes the inherited properties in its order.
  static const host::TClass cls =
      host::TClassBuilder<TAmCustomLocalizer>("TAmCustomLocalizer", &host::TComponent::StaticClass()).Build();
  return cls;
}
const host::TClass& TAmCustomLocalizer::ClassType() const { return StaticClass(); }

// Inserted last among its owner's components, so that streaming calls its
// Loaded once the whole form is there.
TAmCustomLocalizer::TAmCustomLocalizer(host::TComponent* AOwner) : host::TComponent(AOwner) {}

TAmCustomLocalizer::~TAmCustomLocalizer() {
  if (FSource) FSource->RemoveLocalizer(this);
}

void TAmCustomLocalizer::SetSource(TAmCustomLanguageSource* Value) {
  if (IsLoading()) {
    // A source on another form may go before Loaded applies it.
    if (FPendingSource && FPendingSource != FSource) FPendingSource->RemoveFreeNotification(this);
    FPendingSource = Value;
    if (Value) Value->FreeNotification(this);
    return;
  }
  if (Value == FSource) return;
  TAmCustomLanguageSource* old = FSource;
  if (old) {
    old->RemoveLocalizer(this);
    old->RemoveFreeNotification(this);
  }
  const int newIndex = Value ? Value->ActiveLanguage() : -1;
  const int oldIndex = old ? old->ActiveLanguage() : -1;
  bool allow = true;
  // The designer applying a streamed source is not a language change.
  const bool notify = newIndex != oldIndex && !(IsDesigning() && FPendingSource != nullptr);
  if (notify) LanguageChanging(newIndex, allow);
  FSource = Value;
  if (notify) LanguageChanged();
  if (Value) {
    Value->FreeNotification(this);
    Value->AddLocalizer(this, allow);
  }
  FPendingSource = nullptr;
}

void TAmCustomLocalizer::Loaded() {
  host::TComponent::Loaded();
  SetSource(FPendingSource);
}

void TAmCustomLocalizer::Notification(host::TComponent* AComponent, host::TOperation Operation) {
  host::TComponent::Notification(AComponent, Operation);
  if (Operation != host::opRemove || !AComponent) return;
  if (AComponent == FPendingSource) FPendingSource = nullptr;
  if (AComponent == FSource) {
    FSource = nullptr;
    // Back to the designed texts, unless the whole form is going anyway.
    if (!IsDestroying()) Localize();
  }
}

void TAmCustomLocalizer::Save() {
  if (!FSource || !FClearBeforeSave) return;
  // Empties exactly the section the following save writes.
  FSource->SetFormSection(Owner() ? Owner()->Name() : std::string());
  FSource->Clear();
}

void TAmCustomLocalizer::LanguageChanging(int LanguageIndex, bool& AllowChange) {
  if (FOnLanguageChanging) FOnLanguageChanging(this, LanguageIndex, AllowChange);
}

void TAmCustomLocalizer::LanguageChanged() {
  if (FOnLanguageChanged) FOnLanguageChanged(this);
}

std::string TAmCustomLocalizer::GetFileName() const {
  if (!FSource) return {};
  const int k = FSource->ActiveLanguage();
  if (k < 0 || k >= FSource->Languages()->Count()) return {};
  return FSource->GetLanguageValue(k);
}

std::string TAmCustomLocalizer::GetLanguageName() const {
  if (!FSource) return {};
  const int k = FSource->ActiveLanguage();
  if (k < 0 || k >= FSource->Languages()->Count()) return {};
  return FSource->GetLanguageName(k);
}

void TAmCustomLocalizer::Assign(const host::TPersistent* Source) {
  const auto* src = host::As<TAmCustomLocalizer>(Source);
  if (!src) {
    host::TPersistent::Assign(Source);
    return;
  }
  SetSource(src->FSource);
  FClearBeforeSave = src->FClearBeforeSave;
  FOnLanguageChanging = src->FOnLanguageChanging;
  FOnLanguageChanged = src->FOnLanguageChanged;
}

}  // namespace ambit
