#include <array>
#include <utility>

#include "runtime/Ambit.h"

namespace ambit {

namespace {

struct CharSetName {
  const char* Name;
  host::TFontCharset Code;
};

constexpr std::array<CharSetName, 19> kCharSets{{
    {"ANSI_CHARSET", 0},        {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},      {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},  {"HANGEUL_CHARSET", 129},    {"JOHAB_CHARSET", 130},     {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},    {"TURKISH_CHARSET", 162},   {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},    {"ARABIC_CHARSET", 178},     {"BALTIC_CHARSET", 186},    {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},      {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
}};

constexpr const char* kLanguageNameKey = "LanguageName";
constexpr const char* kBiDiModeKey = "BiDiMode";
constexpr const char* kFontCharSetKey = "FontCharSet";

// Runs Body with the source switched to the settings section, and switches
// back to the section it had, also when Body raises.
template <class Body>
auto InSettingsSection(TAmCustomLanguageSource* src, Body body) {
  const std::string saved = src->GetFormSection();
  src->SetFormSection(sGeneralSettingsSection);
  try {
    if constexpr (std::is_void_v<decltype(body())>) {
      body();
      src->SetFormSection(saved);
    } else {
      auto result = body();
      src->SetFormSection(saved);
      return result;
    }
  } catch (...) {
    src->SetFormSection(saved);
    throw;
  }
}

}  // namespace

const host::TClass& TAmLanguageSettings::StaticClass() {
  // No defaults: the writer always writes what the store reports, and the
  // setters ignore it while the form is read back.
  static const host::TClass cls =
      host::TClassBuilder<TAmLanguageSettings>("TAmLanguageSettings", &host::TPersistent::StaticClass())
          .Prop("LanguageName", &TAmLanguageSettings::LanguageName, &TAmLanguageSettings::SetLanguageName)
          .Prop("BiDiMode", &TAmLanguageSettings::BiDiMode, &TAmLanguageSettings::SetBiDiMode)
          .Prop("FontCharSet", &TAmLanguageSettings::FontCharSet, &TAmLanguageSettings::SetFontCharSet)
          .Build();
  return cls;
}
const host::TClass& TAmLanguageSettings::ClassType() const { return StaticClass(); }

TAmLanguageSettings::TAmLanguageSettings(TAmCustomLanguageSource* Source) : FSource(Source) {
  if (!Source) throw EAmbitError(sSourceMustBeSpecified);
}

host::TPersistent* TAmLanguageSettings::GetOwner() const { return FSource; }

std::string TAmLanguageSettings::CharSetToName(host::TFontCharset CharSet) {
  for (const auto& c : kCharSets)
    if (c.Code == CharSet) return c.Name;
  return {};
}

bool TAmLanguageSettings::NameToCharSet(const std::string& Name, host::TFontCharset& CharSet) {
  for (const auto& c : kCharSets)
    if (Name == c.Name) {
      CharSet = c.Code;
      return true;
    }
  return false;
}

// ---- getters ----

std::string TAmLanguageSettings::GetLanguageName() const {
  std::string result;
  if (FSource->ActiveLanguage() == -1)
    result = sDefault;
  else
    result = InSettingsSection(FSource, [&] { return FSource->LoadString(kLanguageNameKey, std::string()); });
  if (FSource->OnGetLanguageName()) FSource->OnGetLanguageName()(FSource, result);
  return result;
}

host::TBiDiMode TAmLanguageSettings::GetBiDiMode() const {
  host::TBiDiMode result = FLocalBiDiMode;
  if (FSource->ActiveLanguage() != -1) {
    const std::string text = InSettingsSection(FSource, [&] { return FSource->LoadString(kBiDiModeKey, "0"); });
    const int mode = host::StrToIntDef(text, 0);
    result = mode >= 0 && mode <= 3 ? static_cast<host::TBiDiMode>(mode) : host::bdLeftToRight;
  }
  if (FSource->OnGetBiDiMode()) FSource->OnGetBiDiMode()(FSource, result);
  return result;
}

host::TFontCharset TAmLanguageSettings::GetFontCharSet() const {
  host::TFontCharset result = FLocalFontCharSet;
  if (FSource->ActiveLanguage() != -1) {
    const std::string text =
        InSettingsSection(FSource, [&] { return FSource->LoadString(kFontCharSetKey, "DEFAULT_CHARSET"); });
    if (!NameToCharSet(host::AnsiUpperCase(text), result)) result = host::DEFAULT_CHARSET;
  }
  if (FSource->OnGetFontCharSet()) FSource->OnGetFontCharSet()(FSource, result);
  return result;
}

// ---- setters ----

void TAmLanguageSettings::SetLanguageName(const std::string& Value) {
  // Values read from a form file are ignored: the store is the truth.
  if (FSource->IsLoading()) return;
  if (FSource->ActiveLanguage() != -1 && !FSource->ReadOnly())
    InSettingsSection(FSource, [&] { FSource->SaveString(kLanguageNameKey, Value); });
  if (FSource->OnSetLanguageName()) FSource->OnSetLanguageName()(FSource, Value);
}

void TAmLanguageSettings::SetBiDiMode(host::TBiDiMode Value) {
  if (FSource->IsLoading()) return;
  if (FSource->ActiveLanguage() == -1 || FSource->ReadOnly())
    FLocalBiDiMode = Value;
  else
    InSettingsSection(FSource, [&] { FSource->SaveString(kBiDiModeKey, host::IntToStr(static_cast<int>(Value))); });
  if (FSource->OnSetBiDiMode()) FSource->OnSetBiDiMode()(FSource, Value);
}

void TAmLanguageSettings::SetFontCharSet(host::TFontCharset Value) {
  if (FSource->IsLoading()) return;
  if (FSource->ActiveLanguage() == -1 || FSource->ReadOnly()) {
    FLocalFontCharSet = Value;
  } else {
    std::string name = CharSetToName(Value);
    if (name.empty()) name = "DEFAULT_CHARSET";
    InSettingsSection(FSource, [&] { FSource->SaveString(kFontCharSetKey, name); });
  }
  if (FSource->OnSetFontCharSet()) FSource->OnSetFontCharSet()(FSource, Value);
}

void TAmLanguageSettings::Assign(const host::TPersistent* Source) {
  const auto* src = host::As<TAmLanguageSettings>(Source);
  if (!src) {
    host::TPersistent::Assign(Source);
    return;
  }
  FLocalBiDiMode = src->BiDiMode();
  FLocalFontCharSet = src->FontCharSet();
}

}  // namespace ambit
