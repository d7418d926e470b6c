// Field definitions and fields of a dataset: what the columns of a table are
// (known without opening it where the back end can tell) and the per-column
// accessors of the open dataset's current record.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/TypInfo.h"
#include "host/core/SysUtils.h"

namespace host {

class TDataSet;

// Errors of datasets and their back ends; the message is the database's
// own where there is one.
class EDatabaseError : public Exception { using Exception::Exception; };

enum TFieldType {
  ftUnknown,
  ftString,
  ftInteger,
  ftLargeint,
  ftBoolean,
  ftFloat,
  ftDate,
  ftTime,
  ftDateTime,
  ftBlob,
  ftMemo,
};
const TTypeInfo& TypeInfoOf(TFieldType*);

class TFieldDef {
public:
  TFieldDef(std::string Name, TFieldType DataType, bool Required, std::string SqlType)
      : FName(std::move(Name)), FDataType(DataType), FRequired(Required), FSqlType(std::move(SqlType)) {}
  const std::string& Name() const { return FName; }
  TFieldType DataType() const { return FDataType; }
  // Declared NOT NULL.
  bool Required() const { return FRequired; }
  // The column type as the database declares it.
  const std::string& SqlType() const { return FSqlType; }

private:
  std::string FName;
  TFieldType FDataType;
  bool FRequired;
  std::string FSqlType;
};

// The columns of a dataset in table order. Names compare ignoring case.
class TFieldDefs {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises EListError for an index out of range.
  const TFieldDef& Items(int Index) const;
  int IndexOf(std::string_view Name) const;
  // Null when there is no such column.
  const TFieldDef* Find(std::string_view Name) const;
  void Add(TFieldDef Def) { FItems.push_back(std::move(Def)); }
  void Clear() { FItems.clear(); }

private:
  std::vector<TFieldDef> FItems;
};

// One column of an open dataset. Reads show the current record (or the
// record being edited); writes need the edit or insert state.
class TField : public TObject {
  HOST_CLASS(TField)
public:
  TField(TDataSet* DataSet, int Index, const TFieldDef& Def);

  TDataSet* DataSet() const { return FDataSet; }
  const std::string& FieldName() const { return FFieldName; }
  TFieldType DataType() const { return FDataType; }
  int Index() const { return FIndex; }

  // The value as text; a null reads as the empty text.
  std::string AsString() const;
  void SetAsString(const std::string& Value);
  bool IsNull() const;
  // Sets the field to null.
  void Clear();
  // The raw value: nullopt for null.
  std::optional<std::string> Value() const;
  void SetValue(std::optional<std::string> Value);

private:
  TDataSet* FDataSet;
  int FIndex;
  std::string FFieldName;
  TFieldType FDataType;
};

}  // namespace host
