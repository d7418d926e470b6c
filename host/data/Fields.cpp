#include "host/data/Fields.h"

#include "host/core/CaseFold.h"
#include "host/core/TypInfo.h"
#include "host/data/DataSet.h"

namespace host {

const TTypeInfo& TypeInfoOf(TFieldType*) {
  static const TTypeInfo info = MakeEnumInfo(
      "TFieldType", {"ftUnknown", "ftString", "ftInteger", "ftLargeint", "ftBoolean", "ftFloat", "ftDate", "ftTime",
                     "ftDateTime", "ftBlob", "ftMemo"});
  return info;
}

const TFieldDef& TFieldDefs::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FItems[static_cast<std::size_t>(Index)];
}

int TFieldDefs::IndexOf(std::string_view Name) const {
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (SameText(FItems[i].Name(), Name)) return static_cast<int>(i);
  return -1;
}

const TFieldDef* TFieldDefs::Find(std::string_view Name) const {
  const int i = IndexOf(Name);
  return i < 0 ? nullptr : &FItems[static_cast<std::size_t>(i)];
}

const TClass& TField::StaticClass() {
  static const TClass cls = TClassBuilder<TField>("TField", &TObject::StaticClass())
                                .Prop("FieldName", &TField::FieldName)
                                .Prop("DataType", &TField::DataType)
                                .Build();
  return cls;
}
const TClass& TField::ClassType() const { return StaticClass(); }

TField::TField(TDataSet* DataSet, int Index, const TFieldDef& Def)
    : FDataSet(DataSet), FIndex(Index), FFieldName(Def.Name()), FDataType(Def.DataType()) {}

std::string TField::AsString() const {
  auto v = FDataSet->FieldValue(FIndex);
  return v ? *v : std::string();
}

void TField::SetAsString(const std::string& Value) { FDataSet->SetFieldValue(FIndex, Value); }

bool TField::IsNull() const { return !FDataSet->FieldValue(FIndex).has_value(); }

void TField::Clear() { FDataSet->SetFieldValue(FIndex, std::nullopt); }

std::optional<std::string> TField::Value() const { return FDataSet->FieldValue(FIndex); }

void TField::SetValue(std::optional<std::string> Value) { FDataSet->SetFieldValue(FIndex, std::move(Value)); }

}  // namespace host
