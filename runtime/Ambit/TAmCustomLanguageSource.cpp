#include <algorithm>

#include "runtime/Ambit.h"

namespace ambit {

const host::TClass& TAmCustomLanguageSource::StaticClass() {
  // The base publishes nothing: each concrete source publishes its own
  // selection, in its own order.
  static const host::TClass cls =
      host::TClassBuilder<TAmCustomLanguageSource>("TAmCustomLanguageSource", &host::TComponent::StaticClass()).Build();
  return cls;
}
const host::TClass& TAmCustomLanguageSource::ClassType() const { return StaticClass(); }

TAmCustomLanguageSource::TAmCustomLanguageSource(host::TComponent* AOwner)
    : host::TComponent(AOwner), FLanguages(std::make_unique<host::TStringList>()) {
  FActiveSettings = std::make_unique<TAmLanguageSettings>(this);
}

TAmCustomLanguageSource::~TAmCustomLanguageSource() {
  // A source derived elsewhere may not have closed its language.
  CloseForDestruction();
  FActiveSettings.reset();
  FLocalizers.clear();
  FLanguages.reset();
}

// ---- the active language ----

void TAmCustomLanguageSource::SetActiveLanguage(int Value) {
  if (IsReading()) {
    // Applied by Loaded, once the whole form is there.
    FPendingLanguage = Value;
    FActivated = false;
    return;
  }
  ApplyActiveLanguage(Value);
}

void TAmCustomLanguageSource::ApplyActiveLanguage(int Value) {
  CheckIndex(Value);
  if (Value != FActiveLanguage) {
    // The old store goes before anyone is asked, so handlers see the close
    // before the question on every change.
    if (FActiveLanguage >= 0) CloseLanguage();
    if (!FUpdating && FActivated) {
      bool allow = true;
      try {
        LanguageChanging(Value, allow);
      } catch (...) {
        ReopenAfterRefusal(true);
        throw;
      }
      if (!allow) {
        ReopenAfterRefusal(false);
        return;
      }
    }
    FActiveLanguage = Value;
    if (Value >= 0) OpenLanguage();
    if (!FUpdating) {
      Localize();
      FLastLocalized = FActiveLanguage;
    }
    if (!FUpdating && FActivated) LanguageChanged();
  }
  FActivated = true;
}

void TAmCustomLanguageSource::ReopenAfterRefusal(bool Failed) {
  if (FActiveLanguage < 0) return;
  try {
    OpenLanguage();
  } catch (...) {
    // After an error the caller hears of that one; after a plain refusal a
    // store that cannot reopen must not go unnoticed.
    if (!Failed) throw;
  }
}

void TAmCustomLanguageSource::CloseForDestruction() noexcept {
  if (FActiveLanguage < 0) return;
  try {
    CloseLanguage();
  } catch (...) {
  }
  FActiveLanguage = -1;
}

void TAmCustomLanguageSource::SetActiveSettings(const TAmLanguageSettings* Value) {
  // Settings in a form file only mirror the store, which stays the truth.
  if (IsLoading()) return;
  if (Value != FActiveSettings.get()) FActiveSettings->Assign(Value);
}

void TAmCustomLanguageSource::SetLanguages(const host::TStrings* Value) {
  if (Value == FLanguages.get()) return;
  FLanguages->Assign(Value);
  // While a form is read no store is open yet, and the language read from
  // the stream must survive whatever order the properties come in.
  if (IsReading()) return;
  SetActiveLanguage(-1);
}

void TAmCustomLanguageSource::Loaded() {
  host::TComponent::Loaded();
  if (FPendingLanguage >= -1 && FPendingLanguage < FLanguages->Count()) ApplyActiveLanguage(FPendingLanguage);
}

void TAmCustomLanguageSource::BeginUpdate() { FUpdating = true; }

void TAmCustomLanguageSource::EndUpdate() {
  FUpdating = false;
  if (FActiveLanguage == FLastLocalized) return;
  // Replay the whole bracket as one ordinary change from the language the
  // forms show to the one that is active now.
  const int target = FActiveLanguage;
  FActiveLanguage = FLastLocalized;
  ApplyActiveLanguage(target);
}

// ---- notifications and the registry ----

void TAmCustomLanguageSource::LanguageChanging(int LanguageIndex, bool& AllowChange) {
  // Localizers are told but cannot veto; only the source's own event can.
  const auto localizers = FLocalizers;
  for (TAmCustomLocalizer* l : localizers) {
    bool allow = true;
    l->LanguageChanging(LanguageIndex, allow);
  }
  if (FOnLanguageChanging) FOnLanguageChanging(Self(), LanguageIndex, AllowChange);
}

void TAmCustomLanguageSource::LanguageChanged() {
  const auto localizers = FLocalizers;
  for (TAmCustomLocalizer* l : localizers) l->LanguageChanged();
  if (FOnLanguageChanged) FOnLanguageChanged(Self());
}

void TAmCustomLanguageSource::AddLocalizer(TAmCustomLocalizer* Localizer, bool LocalizeNow) {
  if (!Localizer || std::find(FLocalizers.begin(), FLocalizers.end(), Localizer) != FLocalizers.end()) return;
  FLocalizers.push_back(Localizer);
  if (FActiveLanguage >= 0 && LocalizeNow) Localizer->Localize();
}

void TAmCustomLanguageSource::RemoveLocalizer(TAmCustomLocalizer* Localizer) {
  FLocalizers.erase(std::remove(FLocalizers.begin(), FLocalizers.end(), Localizer), FLocalizers.end());
}

TAmCustomLocalizer* TAmCustomLanguageSource::Localizers(int Index) const {
  if (Index < 0 || Index >= LocalizerCount())
    throw host::EListError(host::Format("List index out of bounds (%d)", {Index}));
  return FLocalizers[static_cast<std::size_t>(Index)];
}

void TAmCustomLanguageSource::Localize() {
  // A copy: a localizer may unbind itself while it works.
  const auto localizers = FLocalizers;
  for (TAmCustomLocalizer* l : localizers) l->Localize();
}

void TAmCustomLanguageSource::Save() {
  const auto localizers = FLocalizers;
  for (TAmCustomLocalizer* l : localizers) l->Save();
}

void TAmCustomLanguageSource::Notification(host::TComponent* AComponent, host::TOperation Operation) {
  host::TComponent::Notification(AComponent, Operation);
  // A localizer that goes without unbinding itself must not stay listed;
  // one that only moves to another owner stays bound.
  if (Operation == host::opRemove && AComponent && AComponent->IsDestroying() && !FLocalizers.empty())
    if (auto* l = dynamic_cast<TAmCustomLocalizer*>(AComponent)) RemoveLocalizer(l);
}

// ---- store operations: events only ----

void TAmCustomLanguageSource::OpenLanguage() {
  if (FOnLanguageOpen) FOnLanguageOpen(Self());
}

void TAmCustomLanguageSource::CloseLanguage() {
  if (FOnLanguageClose) FOnLanguageClose(Self());
}

std::string TAmCustomLanguageSource::GetFormSection() const {
  std::string section = FFormSection;
  if (FOnGetFormSection) FOnGetFormSection(Self(), section);
  return section;
}

bool TAmCustomLanguageSource::GetReadOnly() const { return true; }

void TAmCustomLanguageSource::SetFormSection(const std::string& Value) {
  if (Value == FFormSection) return;
  FFormSection = Value;
  if (FOnSetFormSection) FOnSetFormSection(Self(), FFormSection);
}

std::string TAmCustomLanguageSource::LoadString(const std::string& StringName, const std::string& Default) {
  std::string result = Default;
  if (FOnLoadString) FOnLoadString(Self(), StringName, result);
  return result;
}

void TAmCustomLanguageSource::SaveString(const std::string& StringName, const std::string& Value) {
  CheckReadOnly();
  if (FOnSaveString) FOnSaveString(Self(), StringName, Value);
}

void TAmCustomLanguageSource::LoadStrings(host::TStrings* Strings) {
  if (Strings && FOnLoadStrings) FOnLoadStrings(Self(), Strings);
}

bool TAmCustomLanguageSource::LoadRecords(TAmFormRecords&) { return false; }

void TAmCustomLanguageSource::SaveStrings(host::TStrings* Strings) {
  CheckReadOnly();
  if (Strings && FOnSaveStrings) FOnSaveStrings(Self(), Strings);
}

void TAmCustomLanguageSource::Clear() {
  CheckReadOnly();
  if (FOnClear) FOnClear(Self());
}

void TAmCustomLanguageSource::ClearAll() {
  CheckReadOnly();
  if (FOnClearAll) FOnClearAll(Self());
}

void TAmCustomLanguageSource::CheckReadOnly() const {
  if (GetReadOnly()) throw EAmbitError(sCannotWriteToReadOnly);
}

void TAmCustomLanguageSource::CheckIndex(int Index) const {
  if (Index < -1 || Index > FLanguages->Count() - 1) throw EAmbitError(host::Format(sIndexOutOfBounds, {Index}));
}

// ---- the language list ----

std::string TAmCustomLanguageSource::GetLanguageName(int Index) const {
  CheckIndex(Index);
  if (Index == -1) return FOriginalName;
  return FLanguages->Names(Index);
}

void TAmCustomLanguageSource::SetLanguageName(int Index, const std::string& Value) {
  CheckIndex(Index);
  if (Index == -1) {
    FOriginalName = Value;
    return;
  }
  FLanguages->Put(Index, Value + "=" + GetLanguageValue(Index));
}

std::string TAmCustomLanguageSource::GetLanguageValue(int Index) const {
  CheckIndex(Index);
  if (Index == -1) return {};
  // A line without "=" has no name and so no value.
  const std::string line = FLanguages->Get(Index);
  if (line.find('=') == std::string::npos) return {};
  // Looked up by name: a later line of the same name shows the first one's.
  return FLanguages->Values(FLanguages->Names(Index));
}

void TAmCustomLanguageSource::SetLanguageValue(int Index, const std::string& Value) {
  CheckIndex(Index);
  if (Index == -1) return;
  FLanguages->SetValues(FLanguages->Names(Index), Value);
}

// ---- copying ----

void TAmCustomLanguageSource::Assign(const host::TPersistent* Source) {
  const auto* src = host::As<TAmCustomLanguageSource>(Source);
  if (!src) {
    host::TPersistent::Assign(Source);
    return;
  }
  // A bare index: no store is opened or closed here.
  FActiveLanguage = src->FActiveLanguage;
  FActiveSettings->Assign(src->FActiveSettings.get());
  FLanguages->Assign(src->FLanguages.get());
  FOriginalName = src->FOriginalName;
  FFormSection = src->GetFormSection();
  FOnLanguageChanged = src->FOnLanguageChanged;
  FOnLanguageChanging = src->FOnLanguageChanging;
  FOnClearAll = src->FOnClearAll;
  FOnLanguageOpen = src->FOnLanguageOpen;
  FOnClear = src->FOnClear;
  FOnLanguageClose = src->FOnLanguageClose;
  FOnLoadString = src->FOnLoadString;
  FOnSaveString = src->FOnSaveString;
  FOnLoadStrings = src->FOnLoadStrings;
  FOnSaveStrings = src->FOnSaveStrings;
  FOnGetFormSection = src->FOnGetFormSection;
  FOnSetFormSection = src->FOnSetFormSection;
  FOnGetFontCharSet = src->FOnGetFontCharSet;
  FOnGetBiDiMode = src->FOnGetBiDiMode;
  FOnSetBiDiMode = src->FOnSetBiDiMode;
  FOnSetFontCharSet = src->FOnSetFontCharSet;
  FOnGetLanguageName = src->FOnGetLanguageName;
  FOnSetLanguageName = src->FOnSetLanguageName;
}

}  // namespace ambit
