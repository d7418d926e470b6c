// Reading and writing texts along property paths ("Caption", "Font.Name",
// "Items", "Columns.Caption"), as the form localizer stores them. Shared by
// saving and localizing, and by every tool that shows the same records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/core/TypInfo.h"

namespace host {
class TComponent;
}  // namespace host

namespace ambit {

class TPropertyLookups;

// True for the kinds the host's string getter and setter handle.
inline bool IsStringKind(int Kind) { return host::IsStrPropKind(static_cast<host::TTypeKind>(Kind)); }

// Whether S holds nothing but blanks and control characters (or nothing).
bool IsBlankText(std::string_view S);

// The text a record holds for Obj along Path: a string property's text, a
// string list's comma text, a tree's node texts, a collection's item texts
// (comma text), or the value read through a nested object. Empty when there
// is no value, also when Obj has no full name relative to Form. Lookups,
// when given, answers the class questions of the walk.
std::string ReadPropertyPath(const host::TObject* Obj, std::string_view Path, const host::TComponent* Form,
                             TPropertyLookups* Lookups = nullptr);

// ReadPropertyPath's text without a copy where it can be had: a view of the
// object's own string (valid until the object changes), else of Scratch,
// which then holds the text.
std::string_view ViewPropertyPath(const host::TObject* Obj, std::string_view Path, const host::TComponent* Form,
                                  TPropertyLookups* Lookups, std::string& Scratch);

// What one pass of writes has learnt about classes: which property a class
// has under a name, and whether it is a string list or a tree's nodes. A
// form repeats a few classes and names over thousands of records, and the
// host's look-ups (a folded hash, a walk up the class chain) cost more than
// the write itself. Keep one only for a pass: class records do not change
// during it, but may between passes.
class TPropertyLookups {
 public:
  const host::TPropInfo* Find(const host::TObject* Obj, std::string_view Name);
  // Whether Obj is a string list (1), a tree's nodes (2), or neither (0).
  int Holder(const host::TObject* Obj);

 private:
  struct TProp {
    const host::TClass* Class;
    std::string Name;
    const host::TPropInfo* Info;
  };
  struct THolder {
    const host::TClass* Class;
    int Kind;
  };
  std::vector<TProp> FProps;
  std::vector<THolder> FHolders;
};

// Writes Value into Obj along Path: a string list takes it as comma text, a
// tree's nodes and a collection's items take its entries in index order, a
// string property takes it whole. Without SaveEmpty a property (or item)
// whose current text is empty is left alone.
// Lookups, when given, answers the class questions of the walk. Direct,
// when given, remembers the property of a path that names a string
// property of Obj itself, and a later write of that path to Obj goes
// straight to it.
void WritePropertyPath(host::TObject* Obj, std::string_view Path, const std::string& Value, bool SaveEmpty,
                       TPropertyLookups* Lookups = nullptr, const host::TPropInfo** Direct = nullptr);
// The last step of that write: string property Prop of Obj takes Value,
// unless its current text is empty and SaveEmpty is not set.
inline void WriteTextProp(host::TObject* Obj, const host::TPropInfo* Prop, const std::string& Value, bool SaveEmpty) {
  if (SaveEmpty || !host::IsEmptyStrProp(Obj, Prop)) host::SetStrProp(Obj, Prop, Value);
}

// Follows the component part of a dependency path from Obj: every name
// before a "." must be a published property holding a component. Returns
// the component reached (Obj when Path has no "."), and leaves the rest of
// the path in Path; null when a step fails or the path is empty.
host::TObject* WalkDependencyTarget(host::TObject* Obj, std::string& Path);

}  // namespace ambit
