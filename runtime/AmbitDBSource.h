// The language source over one database table reached through a dataset:
// one row per text, identified by language key, form section and record
// name, in the columns that TAmDBLanguageFields names.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/data/DataSet.h"
#include "runtime/Ambit.h"

namespace ambit {

// The names of the four columns the source uses. All empty at first: the
// source cannot work until every one is set.
class TAmDBLanguageFields : public host::TPersistent {
  HOST_CLASS(TAmDBLanguageFields)
public:
  // AOwner is the source that creates it; the column-name editor reads it.
  explicit TAmDBLanguageFields(host::TPersistent* AOwner);

  const std::string& SectionField() const { return FSectionField; }
  void SetSectionField(const std::string& Value) { FSectionField = Value; }
  const std::string& LanguageField() const { return FLanguageField; }
  void SetLanguageField(const std::string& Value) { FLanguageField = Value; }
  const std::string& NameField() const { return FNameField; }
  void SetNameField(const std::string& Value) { FNameField = Value; }
  const std::string& ValueField() const { return FValueField; }
  void SetValueField(const std::string& Value) { FValueField = Value; }

  host::TPersistent* Owner() const { return FOwner; }
  host::TPersistent* GetOwner() const override { return FOwner; }
  // Copies the four names from another TAmDBLanguageFields; anything else
  // raises the host's assignment error.
  void Assign(const host::TPersistent* Source) override;

private:
  std::string FNameField;
  std::string FLanguageField;
  std::string FValueField;
  std::string FSectionField;
  host::TPersistent* FOwner;
};

class TAmDBLanguageSource : public TAmCustomLanguageSource {
  HOST_CLASS(TAmDBLanguageSource)
public:
  explicit TAmDBLanguageSource(host::TComponent* AOwner);
  ~TAmDBLanguageSource() override;

  // The table; not owned, cleared when the dataset is destroyed.
  host::TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(host::TDataSet* Value);
  TAmDBLanguageFields* DataFields() const { return FDataFields.get(); }
  // Copies the four names unless Value is the owned object itself.
  void SetDataFields(const TAmDBLanguageFields* Value);

  void Notification(host::TComponent* AComponent, host::TOperation Operation) override;
  // Raises EAmbitError "Value for %s must be specified!" naming the first
  // missing piece: DataSet, then LanguageField, SectionField, NameField,
  // ValueField (blank, or not a column of the dataset).
  void CheckParams() const;

  void OpenLanguage() override;
  void CloseLanguage() override;
  // The table is always writable.
  bool GetReadOnly() const override;
  // Looks the record up ignoring case; a dataset error yields the default.
  std::string LoadString(const std::string& StringName, const std::string& Default) override;
  // Overwrites the record found ignoring case, or appends one. A write the
  // database refuses is cancelled and raises EAmbitError with its message.
  void SaveString(const std::string& StringName, const std::string& Value) override;
  // The records of the form section: rows of the active language whose
  // section is null, empty or exactly the form section, in dataset order.
  void LoadStrings(host::TStrings* Strings) override;
  void SaveStrings(host::TStrings* Strings) override;
  // Deletes the active language's rows of the form section.
  void Clear() override;
  // Deletes every row of the active language.
  void ClearAll() override;

  // Also copies the dataset reference and the column names from another
  // database source.
  void Assign(const host::TPersistent* Source) override;

private:
  // The active language's key; false while no language is active.
  bool ActiveKey(std::string& Key) const;
  // Deletes every row the extra conditions select, on top of the dataset's
  // own filter.
  void DeleteRows(const host::TRowFilter& Rows);
  // LoadStrings after the list is cleared: every row of the section into
  // Strings through Values, or, when Collect, into FReadBytes.
  void ReadSection(host::TStrings* Strings, bool Collect);

  host::TDataSet* FDataSet = nullptr;
  std::unique_ptr<TAmDBLanguageFields> FDataFields;
  // A section read for a plain list: each row's name and value one after
  // the other, where each ends, and the pairs they make; kept for their
  // storage.
  std::string FReadBytes;
  std::vector<std::size_t> FReadEnds;
  std::vector<std::pair<std::string_view, std::string_view>> FReadPairs;
};

// Registers TAmDBLanguageSource with the host's class registry.
void RegisterAmbitDBClasses();

}  // namespace ambit
