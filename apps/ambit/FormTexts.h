// The texts of the loaded forms as records: for every form with a form
// localizer, each record its localizer saves with the designed text, the
// class and property it belongs to; and what a language stores in the
// form's section. Shared by stats, check, export, import and pseudo.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "apps/ambit/LocalizedForms.h"

namespace ambit::cli {

struct TFormText {
  std::string Name;       // the record name
  std::string Original;   // the designed text
  std::string ClassName;  // class of the object the record belongs to
  std::string Property;   // property path within that object
  bool IsList = false;    // the text packs list items as comma text
};

class TFormTexts {
public:
  host::TComponent* Form = nullptr;
  std::string File;
  TAmFormLocalizer* Localizer = nullptr;
  std::vector<TFormText> Texts;  // in saving order

  // The text of record Name (case ignored, as the stores compare); null
  // when the form saves no such record.
  const TFormText* Find(std::string_view Name) const;
  // Whether a stored record name still names a component of the form and
  // a property that holds a text: a record that does not is orphaned.
  bool NamesProperty(const std::string& Name) const;

  void Index();

private:
  std::unordered_map<std::string, std::size_t> FIndex;
};

// The designed texts of every form with a localizer, in form order; must
// run while the source shows the designed texts (language -1). Forms
// without a localizer are left out.
std::vector<TFormTexts> CollectFormTexts(const TLocalizedForms& Forms);

// The records the active language stores in Section, in stored order,
// with plain texts; records whose text is empty are not among them (the
// stores read them as missing).
void LoadStored(TAmCustomLanguageSource* Source, const std::string& Section, host::TStringList& Records);

// Where language Index lives, for messages and reports: its language file,
// or the source and key of a database.
std::string StoreOf(const TLocalizedForms& Forms, int Index);

// The items of a record's text: the comma-text entries of a list, or the
// whole text.
std::vector<std::string> ItemsOf(const std::string& Text, bool IsList);

}  // namespace ambit::cli
