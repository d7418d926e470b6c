#include "runtime/AmbitDBSource.h"

#include <typeinfo>

#include "host/core/ClassRegistry.h"
#include "runtime/AmbitRConsts.h"
#include "runtime/AmbitUtils.h"

namespace ambit {

namespace {

// Narrows the dataset to some rows for one operation, on top of whatever
// filter its user set, and puts that filter back afterwards.
class TScopedRows {
public:
  TScopedRows(host::TDataSet* DataSet, const host::TRowFilter& Rows)
      : FDataSet(DataSet), FSaved(DataSet->RowFilter()) {
    host::TRowFilter combined = FSaved;
    for (const host::TRowCondition& c : Rows.Conditions()) combined.Add(c);
    FDataSet->SetRowFilter(std::move(combined));
  }
  ~TScopedRows() {
    try {
      FDataSet->SetRowFilter(std::move(FSaved));
    } catch (...) {
      // Putting a filter back cannot fail in a way the caller could mend;
      // the operation's own outcome is what counts.
    }
  }
  TScopedRows(const TScopedRows&) = delete;
  TScopedRows& operator=(const TScopedRows&) = delete;

private:
  host::TDataSet* FDataSet;
  host::TRowFilter FSaved;
};

}  // namespace

// ---- TAmDBLanguageFields ----

const host::TClass& TAmDBLanguageFields::StaticClass() {
  using F = TAmDBLanguageFields;
  static const host::TClass cls = host::TClassBuilder<F>("TAmDBLanguageFields", &host::TPersistent::StaticClass())
                                      .Prop("SectionField", &F::SectionField, &F::SetSectionField)
                                      .Prop("LanguageField", &F::LanguageField, &F::SetLanguageField)
                                      .Prop("NameField", &F::NameField, &F::SetNameField)
                                      .Prop("ValueField", &F::ValueField, &F::SetValueField)
                                      .Build();
  return cls;
}
const host::TClass& TAmDBLanguageFields::ClassType() const { return StaticClass(); }

TAmDBLanguageFields::TAmDBLanguageFields(host::TPersistent* AOwner) : FOwner(AOwner) {}

void TAmDBLanguageFields::Assign(const host::TPersistent* Source) {
  if (const auto* src = host::As<TAmDBLanguageFields>(Source)) {
    FNameField = src->FNameField;
    FLanguageField = src->FLanguageField;
    FValueField = src->FValueField;
    FSectionField = src->FSectionField;
    return;
  }
  host::TPersistent::Assign(Source);
}

// ---- TAmDBLanguageSource ----

const host::TClass& TAmDBLanguageSource::StaticClass() {
  using S = TAmDBLanguageSource;
  static const host::TClass cls =
      host::TClassBuilder<S>("TAmDBLanguageSource", &TAmCustomLanguageSource::StaticClass())
          .Prop("DataSet", &S::DataSet, &S::SetDataSet)
          .Prop("DataFields", &S::DataFields, &S::SetDataFields)
          .Prop("About", &S::About, &S::SetAbout)
          .Prop("ActiveLanguage", &S::ActiveLanguage, &S::SetActiveLanguage)
          .Default(-1)
          .Prop("ActiveSettings", &S::ActiveSettings, &S::SetActiveSettings)
          .Prop("Languages", &S::Languages, &S::SetLanguages)
          .Prop("OriginalName", &S::OriginalName, &S::SetOriginalName)
          .Prop("OnLanguageChanging", &S::OnLanguageChanging, &S::SetOnLanguageChanging)
          .Prop("OnLanguageChanged", &S::OnLanguageChanged, &S::SetOnLanguageChanged)
          .Prop("_Version", &S::_Version, &S::Set_Version)
          .Stored(false)
          .Build();
  return cls;
}
const host::TClass& TAmDBLanguageSource::ClassType() const { return StaticClass(); }

TAmDBLanguageSource::TAmDBLanguageSource(host::TComponent* AOwner)
    : TAmCustomLanguageSource(AOwner), FDataFields(std::make_unique<TAmDBLanguageFields>(this)) {}

TAmDBLanguageSource::~TAmDBLanguageSource() {
  Destroying();
  // The handlers hear of the close before the dataset closes, as on a
  // language change (and nothing happens without a dataset).
  CloseForDestruction();
  FDataFields.reset();
}

void TAmDBLanguageSource::SetDataSet(host::TDataSet* Value) {
  if (Value == FDataSet) return;
  if (FDataSet) FDataSet->RemoveFreeNotification(this);
  FDataSet = Value;
  if (FDataSet) FDataSet->FreeNotification(this);
}

void TAmDBLanguageSource::SetDataFields(const TAmDBLanguageFields* Value) {
  if (Value != FDataFields.get()) FDataFields->Assign(Value);
}

void TAmDBLanguageSource::Notification(host::TComponent* AComponent, host::TOperation Operation) {
  TAmCustomLanguageSource::Notification(AComponent, Operation);
  if (Operation == host::opRemove && AComponent == FDataSet) FDataSet = nullptr;
}

void TAmDBLanguageSource::CheckParams() const {
  if (!FDataSet) throw EAmbitError(host::Format(sMustBeSpecified, {"DataSet"}));
  const std::pair<const char*, const std::string*> columns[] = {{"LanguageField", &FDataFields->LanguageField()},
                                                                {"SectionField", &FDataFields->SectionField()},
                                                                {"NameField", &FDataFields->NameField()},
                                                                {"ValueField", &FDataFields->ValueField()}};
  for (const auto& [property, column] : columns)
    if (host::Trim(*column).empty() || !FDataSet->FieldDefs().Find(*column))
      throw EAmbitError(host::Format(sMustBeSpecified, {property}));
}

void TAmDBLanguageSource::OpenLanguage() {
  if (!FDataSet) return;
  TAmCustomLanguageSource::OpenLanguage();
  FDataSet->Open();
}

void TAmDBLanguageSource::CloseLanguage() {
  if (!FDataSet) return;
  TAmCustomLanguageSource::CloseLanguage();
  if (FDataSet->Active()) FDataSet->Close();
}

bool TAmDBLanguageSource::GetReadOnly() const { return false; }

bool TAmDBLanguageSource::ActiveKey(std::string& Key) const {
  if (ActiveLanguage() < 0) return false;
  Key = GetLanguageValue(ActiveLanguage());
  return true;
}

std::string TAmDBLanguageSource::LoadString(const std::string& StringName, const std::string& Default) {
  std::string result = TAmCustomLanguageSource::LoadString(StringName, Default);
  CheckParams();
  try {
    std::string key;
    if (ActiveKey(key) &&
        FDataSet->Locate(FDataFields->LanguageField() + ";" + FDataFields->SectionField() + ";" +
                             FDataFields->NameField(),
                         {key, GetFormSection(), StringName}, {host::loCaseInsensitive}))
      result = FDataSet->FieldByName(FDataFields->ValueField())->AsString();
  } catch (const std::exception&) {
    // A record that cannot be read reads as missing.
  }
  return result;
}

void TAmDBLanguageSource::SaveString(const std::string& StringName, const std::string& Value) {
  CheckParams();
  TAmCustomLanguageSource::SaveString(StringName, Value);
  std::string key;
  if (!ActiveKey(key)) return;
  const std::string section = GetFormSection();
  // A text the database refuses must not be lost silently: the edit is
  // cancelled, so nothing is half-written, and the caller hears why.
  try {
    if (FDataSet->Locate(FDataFields->LanguageField() + ";" + FDataFields->SectionField() + ";" +
                             FDataFields->NameField(),
                         {key, section, StringName}, {host::loCaseInsensitive})) {
      FDataSet->Edit();
      FDataSet->FieldByName(FDataFields->ValueField())->SetAsString(Value);
    } else {
      FDataSet->Append();
      FDataSet->FieldByName(FDataFields->LanguageField())->SetAsString(key);
      FDataSet->FieldByName(FDataFields->SectionField())->SetAsString(section);
      FDataSet->FieldByName(FDataFields->NameField())->SetAsString(StringName);
      FDataSet->FieldByName(FDataFields->ValueField())->SetAsString(Value);
    }
    FDataSet->Post();
  } catch (const std::exception& e) {
    try {
      FDataSet->Cancel();
    } catch (const std::exception&) {
      // The original error is the one worth reporting.
    }
    throw EAmbitError(e.what());
  }
}

void TAmDBLanguageSource::LoadStrings(host::TStrings* Strings) {
  if (!Strings) return;
  CheckParams();
  TAmCustomLanguageSource::LoadStrings(Strings);
  // A plain list that no handler watches takes the section in one change
  // that reuses its lines; clearing it first would show only as a change.
  auto* plain = typeid(*Strings) == typeid(host::TStringList) ? static_cast<host::TStringList*>(Strings) : nullptr;
  if (plain && (plain->Sorted() || plain->OnChange() || plain->OnChanging())) plain = nullptr;
  if (!plain) Strings->Clear();
  FReadBytes.clear();
  FReadEnds.clear();
  // The rows read so far go into the plain list however the read ends.
  auto fill = [&] {
    if (!plain) return;
    FReadPairs.clear();
    const std::string_view bytes(FReadBytes);
    for (std::size_t i = 0, from = 0; i + 1 < FReadEnds.size(); i += 2) {
      FReadPairs.emplace_back(bytes.substr(from, FReadEnds[i] - from),
                              bytes.substr(FReadEnds[i], FReadEnds[i + 1] - FReadEnds[i]));
      from = FReadEnds[i + 1];
    }
    plain->AssignValues(FReadPairs);
  };
  try {
    ReadSection(Strings, plain != nullptr);
  } catch (...) {
    fill();
    throw;
  }
  fill();
}

void TAmDBLanguageSource::ReadSection(host::TStrings* Strings, bool Collect) {
  std::string key;
  if (!ActiveKey(key)) {
    // Nothing can match; moving to the first row still reports a closed
    // dataset as a scan would.
    FDataSet->First();
    return;
  }
  const std::string nameField = FDataFields->NameField();
  const std::string valueField = FDataFields->ValueField();
  // Only the rows the scan would keep are read: the language exactly, the
  // section null, empty or exactly the form's. Assigning through Values
  // lets a later row of the same name win and an empty value add nothing.
  // The whole section comes in one query, each row read in place.
  TScopedRows rows(FDataSet,
                   host::TRowFilter()
                       .Equal(FDataFields->LanguageField(), key)
                       .EmptyOrEqual(FDataFields->SectionField(), GetFormSection()));
  Strings->BeginUpdate();
  try {
    host::TField* name = FDataSet->FindField(nameField);
    host::TField* value = FDataSet->FindField(valueField);
    std::vector<int> fields;
    if (name && value) fields = {name->Index(), value->Index()};
    std::string text;
    FDataSet->ScanRows(fields, [&](const host::TRowView& Row) {
      // A column the open dataset lacks: the first row stops the read.
      if (!name || !value) return false;
      // As the fields read them: a null is the empty text.
      const std::string_view n = Row[static_cast<std::size_t>(name->Index())].value_or(std::string_view());
      const std::string_view v = Row[static_cast<std::size_t>(value->Index())].value_or(std::string_view());
      try {
        if (Collect) {
          FReadBytes.append(n);
          FReadEnds.push_back(FReadBytes.size());
          FReadBytes.append(v);
          FReadEnds.push_back(FReadBytes.size());
        } else {
          text.assign(v);
          Strings->SetValues(n, text);
        }
        return true;
      } catch (const std::exception&) {
        return false;  // the rows read so far stay
      }
    });
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TAmDBLanguageSource::SaveStrings(host::TStrings* Strings) {
  if (!Strings) return;
  CheckParams();
  TAmCustomLanguageSource::SaveStrings(Strings);
  for (int i = 0; i < Strings->Count(); ++i) SaveString(Strings->Names(i), Strings->ValueFromIndex(i));
}

void TAmDBLanguageSource::DeleteRows(const host::TRowFilter& Rows) {
  TScopedRows scope(FDataSet, Rows);
  for (FDataSet->First(); !FDataSet->Eof();) FDataSet->Delete();
}

void TAmDBLanguageSource::Clear() {
  CheckParams();
  TAmCustomLanguageSource::Clear();
  std::string key;
  const std::string section = GetFormSection();
  if (!ActiveKey(key) || section.empty()) return;
  DeleteRows(host::TRowFilter().Equal(FDataFields->LanguageField(), key).Equal(FDataFields->SectionField(), section));
}

void TAmDBLanguageSource::ClearAll() {
  CheckParams();
  TAmCustomLanguageSource::ClearAll();
  std::string key;
  // Without a selected section nothing is cleared, although the section
  // does not limit what is deleted: callers rely on that guard.
  if (!ActiveKey(key) || GetFormSection().empty()) return;
  DeleteRows(host::TRowFilter().Equal(FDataFields->LanguageField(), key));
}

void TAmDBLanguageSource::Assign(const host::TPersistent* Source) {
  TAmCustomLanguageSource::Assign(Source);
  if (const auto* src = host::As<TAmDBLanguageSource>(Source)) {
    SetDataSet(src->FDataSet);
    SetDataFields(src->FDataFields.get());
  }
}

void RegisterAmbitDBClasses() { host::RegisterClass<TAmDBLanguageSource>(); }

}  // namespace ambit
