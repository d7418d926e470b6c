#include "design/AmbitReg.h"

#include "design/AmbitDsgn.h"
#include "host/design/DesignPackage.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitDBSource.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUserSource.h"

namespace ambit {

using namespace host;

void Register() {
  const TClass* sources = &TAmCustomLanguageSource::StaticClass();
  const TClass* localizers = &TAmFormLocalizer::StaticClass();
  const TClass* fields = &TAmDBLanguageFields::StaticClass();
  RegisterComponents<TAmFormLocalizer, TAmLanguageSource, TAmDBLanguageSource, TAmUserLanguageSource>(
      "Ambit Localizer");
  RegisterPropertyEditor<TActiveLanguageProperty>(TypeInfo<int>(), sources, "ActiveLanguage");
  RegisterPropertyEditor<TAmLocalizerAboutProperty>(TypeInfo<std::string>(), sources, "About");
  RegisterPropertyEditor<TAmLocalizerVersionProperty>(TypeInfo<std::string>(), sources, "_Version");
  // No editor class: the snapshot of the designed texts stays out of sight.
  RegisterPropertyEditor(TypeInfo<TStrings>(), localizers, "Originals", nullptr);
  RegisterPropertyEditor<TAmLocalizerAboutProperty>(TypeInfo<std::string>(), localizers, "About");
  RegisterPropertyEditor<TAmLocalizerVersionProperty>(TypeInfo<std::string>(), localizers, "_Version");
  for (const char* column : {"LanguageField", "NameField", "SectionField", "ValueField"})
    RegisterPropertyEditor<TAmDBLanguageFieldEditor>(TypeInfo<std::string>(), fields, column);
  RegisterComponentEditor<TAmLocalizerEditor>(TAmCustomLocalizer::StaticClass());
  RegisterComponentEditor<TAmLangSourceEditor>(TAmCustomLanguageSource::StaticClass());
  RegisterComponentEditor<TAmFormLocalizerEditor>(TAmFormLocalizer::StaticClass());
}

}  // namespace ambit

HOST_PACKAGE(ambit::Register)
