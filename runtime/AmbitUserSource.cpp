#include "runtime/AmbitUserSource.h"

namespace ambit {

const host::TClass& TAmUserLanguageSource::StaticClass() {
  using S = TAmUserLanguageSource;
  // The events are the store, so they are what the form keeps; the active
  // language is the application's business at run time.
  static const host::TClass cls =
      host::TClassBuilder<S>("TAmUserLanguageSource", &TAmCustomLanguageSource::StaticClass())
          .Prop("About", &S::About, &S::SetAbout)
          .Prop("Languages", &S::Languages, &S::SetLanguages)
          .Prop("OnClear", &S::OnClear, &S::SetOnClear)
          .Prop("OnClearAll", &S::OnClearAll, &S::SetOnClearAll)
          .Prop("OnGetLanguageName", &S::OnGetLanguageName, &S::SetOnGetLanguageName)
          .Prop("OnGetBiDiMode", &S::OnGetBiDiMode, &S::SetOnGetBiDiMode)
          .Prop("OnGetFontCharSet", &S::OnGetFontCharSet, &S::SetOnGetFontCharSet)
          .Prop("OnGetFormSection", &S::OnGetFormSection, &S::SetOnGetFormSection)
          .Prop("OnLanguageChanged", &S::OnLanguageChanged, &S::SetOnLanguageChanged)
          .Prop("OnLanguageChanging", &S::OnLanguageChanging, &S::SetOnLanguageChanging)
          .Prop("OnLanguageClose", &S::OnLanguageClose, &S::SetOnLanguageClose)
          .Prop("OnLanguageOpen", &S::OnLanguageOpen, &S::SetOnLanguageOpen)
          .Prop("OnLoadString", &S::OnLoadString, &S::SetOnLoadString)
          .Prop("OnLoadStrings", &S::OnLoadStrings, &S::SetOnLoadStrings)
          .Prop("OnSaveString", &S::OnSaveString, &S::SetOnSaveString)
          .Prop("OnSaveStrings", &S::OnSaveStrings, &S::SetOnSaveStrings)
          .Prop("OnSetLanguageName", &S::OnSetLanguageName, &S::SetOnSetLanguageName)
          .Prop("OnSetBiDiMode", &S::OnSetBiDiMode, &S::SetOnSetBiDiMode)
          .Prop("OnSetFontCharSet", &S::OnSetFontCharSet, &S::SetOnSetFontCharSet)
          .Prop("OnSetFormSection", &S::OnSetFormSection, &S::SetOnSetFormSection)
          .Prop("_Version", &S::_Version, &S::Set_Version)
          .Stored(false)
          .Build();
  return cls;
}
const host::TClass& TAmUserLanguageSource::ClassType() const { return StaticClass(); }

TAmUserLanguageSource::TAmUserLanguageSource(host::TComponent* AOwner) : TAmCustomLanguageSource(AOwner) {}

TAmUserLanguageSource::~TAmUserLanguageSource() {
  Destroying();
  CloseForDestruction();
}

bool TAmUserLanguageSource::GetReadOnly() const { return false; }

}  // namespace ambit
