// The form localizer's model: its class record, creation checks, the four
// lists with their setters, copying and the language-change protocol.
#include "runtime/AmFormLocal.h"

#include "runtime/AmFormLocal/TargetMemo.h"

namespace ambit {

using namespace host;

const TTypeInfo& TypeInfoOf(TAmSaveOption*) {
  static const TTypeInfo info =
      MakeEnumInfo("TAmSaveOption", {"soSaveEmpty", "soIgnoreDependencyIfEmpty", "soIncludeFrames"});
  return info;
}

const TTypeInfo& TypeInfoOf(TAmSaveOptions*) {
  static const TTypeInfo info = MakeSetInfo("TAmSaveOptions", TypeInfoOf(static_cast<TAmSaveOption*>(nullptr)));
  return info;
}

const TClass& TAmFormLocalizer::StaticClass() {
  using L = TAmFormLocalizer;
  static const TClass cls = TClassBuilder<L>("TAmFormLocalizer", &TAmCustomLocalizer::StaticClass())
                                .Prop("About", &L::About, &L::SetAbout)
                                .Stored(false)
                                .Prop("ClearBeforeSave", &L::ClearBeforeSave, &L::SetClearBeforeSave)
                                .Default(false)
                                .Prop("Dependencies", &L::Dependencies, &L::SetDependencies)
                                .Prop("Excluded", &L::Excluded, &L::SetExcluded)
                                .Prop("Originals", &L::Originals, &L::SetOriginals)
                                .Prop("PropNames", &L::PropNames, &L::SetPropNames)
                                .Prop("SaveOptions", &L::SaveOptions, &L::SetSaveOptions)
                                .Default(0)
                                .Prop("Source", &L::Source, &L::SetSource)
                                .Prop("OnLanguageChanging", &L::OnLanguageChanging, &L::SetOnLanguageChanging)
                                .Prop("OnLanguageChanged", &L::OnLanguageChanged, &L::SetOnLanguageChanged)
                                .Prop("OnPropertyLocalizing", &L::OnPropertyLocalizing, &L::SetOnPropertyLocalizing)
                                .Prop("OnPropertyLocalized", &L::OnPropertyLocalized, &L::SetOnPropertyLocalized)
                                .Prop("OnPropertySaving", &L::OnPropertySaving, &L::SetOnPropertySaving)
                                .Prop("OnPropertySaved", &L::OnPropertySaved, &L::SetOnPropertySaved)
                                .Prop("_Version", &L::_Version, &L::Set_Version)
                                .Stored(false)
                                .Build();
  return cls;
}
const TClass& TAmFormLocalizer::ClassType() const { return StaticClass(); }

namespace {

// Runs before the base constructor, so that a refused localizer is never
// inserted into its owner.
TComponent* CheckOwner(TComponent* AOwner, const TClass& Class) {
  if (!AOwner) throw EAmbitError(sOwnerNotSpecified);
  for (TComponent* c : AOwner->ComponentList())
    if (Is<TAmFormLocalizer>(c))
      throw EAmbitError(Format(sOwnerAlreadyContainsInstance, {AOwner->Name(), Class.Name()}));
  return AOwner;
}

}  // namespace

TAmFormLocalizer::TAmFormLocalizer(TComponent* AOwner) : TAmFormLocalizer(AOwner, StaticClass()) {}

TAmFormLocalizer::TAmFormLocalizer(TComponent* AOwner, const TClass& Class)
    : TAmCustomLocalizer(CheckOwner(AOwner, Class)),
      FOriginals(std::make_unique<TStringList>()),
      FPropNames(std::make_unique<TStringList>()),
      FDependencies(std::make_unique<TStringList>()),
      FExcluded(std::make_unique<TStringList>()),
      FMemo(std::make_unique<TAmSwitchMemo>()) {
  FPropNames->Add("Caption");
  FPropNames->Add("Hint");
}

// The lists go with the object; everything that could still localize
// checks the destroying state first, so the base part never reaches them.
TAmFormLocalizer::~TAmFormLocalizer() { Destroying(); }

bool TAmFormLocalizer::Finishing() const {
  return IsDestroying() || (Owner() && Owner()->IsDestroying());
}

void TAmFormLocalizer::SetPropNames(const TStrings* Value) {
  if (!Value || Value == FPropNames.get()) return;
  if (Source() && Source()->ActiveLanguage() >= 0) {
    // The form shows translated texts: paths that leave get their designed
    // texts back, paths that come are still untranslated and join the
    // snapshot. Both steps see the old list.
    TStringList removed, added;
    for (int i = 0; i < FPropNames->Count(); ++i)
      if (Value->IndexOf(FPropNames->Get(i)) < 0) removed.Add(FPropNames->Get(i));
    for (int i = 0; i < Value->Count(); ++i)
      if (FPropNames->IndexOf(Value->Get(i)) < 0) added.Add(Value->Get(i));
    LoadFromBuffer(&removed, true);
    SaveToBuffer(&added);
  }
  FPropNames->Assign(Value);
}

void TAmFormLocalizer::SetOriginals(const TStrings* Value) {
  if (Value && Value != FOriginals.get()) FOriginals->Assign(Value);
}

void TAmFormLocalizer::SetDependencies(const TStrings* Value) {
  if (!Value || Value == FDependencies.get()) return;
  FDependencies->Assign(Value);
  // The form shows the effect at once; a form still being read is not
  // complete yet, and its source applies the language after reading.
  if (!IsLoading()) Localize();
}

void TAmFormLocalizer::SetExcluded(const TStrings* Value) {
  if (!Value || Value == FExcluded.get()) return;
  FExcluded->Assign(Value);
  if (!IsLoading()) Localize();
}

void TAmFormLocalizer::LanguageChanging(int LanguageIndex, bool& AllowChange) {
  TAmCustomLocalizer::LanguageChanging(LanguageIndex, AllowChange);
  // Leaving the designed texts: snapshot them first.
  if ((!Source() || Source()->ActiveLanguage() < 0) && LanguageIndex >= 0) SaveAllToBuffer();
}

void TAmFormLocalizer::LanguageChanged() {
  if (!Source() || Source()->ActiveLanguage() < 0) LoadAllFromBuffer();
  TAmCustomLocalizer::LanguageChanged();
}

void TAmFormLocalizer::PropertyLocalizing(TPersistent* Obj, const std::string& PropName, std::string& NewValue,
                                          bool& Allow) {
  if (FOnPropertyLocalizing) FOnPropertyLocalizing(this, Obj, PropName, NewValue, Allow);
}

void TAmFormLocalizer::PropertyLocalized(TPersistent* Obj, const std::string& PropName, const std::string& Value) {
  if (FOnPropertyLocalized) FOnPropertyLocalized(this, Obj, PropName, Value);
}

void TAmFormLocalizer::PropertySaving(TPersistent* Obj, const std::string& PropName, std::string& NewValue,
                                      bool& Allow) {
  if (FOnPropertySaving) FOnPropertySaving(this, Obj, PropName, NewValue, Allow);
}

void TAmFormLocalizer::PropertySaved(TPersistent* Obj, const std::string& PropName, const std::string& Value) {
  if (FOnPropertySaved) FOnPropertySaved(this, Obj, PropName, Value);
}

void TAmFormLocalizer::Assign(const TPersistent* Source) {
  TAmCustomLocalizer::Assign(Source);
  const auto* src = As<TAmFormLocalizer>(Source);
  if (!src || src == this) return;
  SetPropNames(src->FPropNames.get());
  FOriginals->Assign(src->FOriginals.get());
  FDependencies->Assign(src->FDependencies.get());
  FExcluded->Assign(src->FExcluded.get());
  FSaveOptions = src->FSaveOptions;
  FOnPropertyLocalizing = src->FOnPropertyLocalizing;
  FOnPropertyLocalized = src->FOnPropertyLocalized;
  FOnPropertySaving = src->FOnPropertySaving;
  FOnPropertySaved = src->FOnPropertySaved;
}

}  // namespace ambit
