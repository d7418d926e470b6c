#include "apps/ambit/FormTexts.h"

#include "apps/ambit/StoreChecks.h"
#include "host/core/CaseFold.h"
#include "host/core/Collection.h"
#include "host/core/TreeNodes.h"
#include "host/core/TypInfo.h"
#include "runtime/AmFormLocal/PropertyPath.h"
#include "runtime/AmbitSource.h"

namespace ambit::cli {

namespace {

// Follows Path from Obj as the localizer does and tells whether it ends in
// a text: a string property, or a list, tree or collection whose entries
// are texts. IsList tells which.
bool EndsInText(const host::TObject* Obj, std::string_view Path, bool& IsList) {
  IsList = false;
  while (Obj && !Path.empty()) {
    const std::size_t dot = Path.find('.');
    const std::string_view head = Path.substr(0, dot);
    const std::string_view rest = dot == std::string_view::npos ? std::string_view() : Path.substr(dot + 1);
    const host::TPropInfo* p = host::GetPropInfo(Obj, head);
    if (!p) return false;
    if (IsStringKind(p->Kind)) return rest.empty();
    if (p->Kind != host::tkClass) return false;
    const host::TObject* held = host::GetObjectProp(Obj, p);
    if (host::Is<host::TStrings>(held) || host::Is<host::TTreeNodes>(held)) return IsList = rest.empty();
    if (host::Is<host::TCollection>(held)) return IsList = !rest.empty() && rest.find('.') == std::string_view::npos;
    Obj = held;
    Path = rest;
  }
  return false;
}

}  // namespace

void TFormTexts::Index() {
  FIndex.clear();
  for (std::size_t i = 0; i < Texts.size(); ++i) FIndex.emplace(host::FoldCase(Texts[i].Name), i);
}

const TFormText* TFormTexts::Find(std::string_view Name) const {
  const auto it = FIndex.find(host::FoldCase(Name));
  return it == FIndex.end() ? nullptr : &Texts[it->second];
}

bool TFormTexts::NamesProperty(const std::string& Name) const {
  std::string path = Name;
  const host::TPersistent* obj = Localizer->GetObject(path);
  bool isList = false;
  return obj && EndsInText(obj, path, isList);
}

std::vector<TFormTexts> CollectFormTexts(const TLocalizedForms& Forms) {
  std::vector<TFormTexts> result;
  for (std::size_t i = 0; i < Forms.Forms().size(); ++i) {
    host::TComponent* form = Forms.Forms()[i];
    TAmFormLocalizer* localizer = TLocalizedForms::LocalizerOf(form);
    if (!localizer) continue;
    TFormTexts texts;
    texts.Form = form;
    texts.File = Forms.FileOf(i);
    texts.Localizer = localizer;
    // The records Save would write, encoded as the snapshot keeps them.
    host::TStringList records;
    localizer->InternalSave(form, form, &records, form->Name(), localizer->PropNames());
    texts.Texts.reserve(static_cast<std::size_t>(records.Count()));
    for (int r = 0; r < records.Count(); ++r) {
      TFormText text;
      text.Name = records.Names(r);
      if (text.Name.empty()) continue;
      text.Original = GetDecodedString(records.ValueFromIndex(r), '"', '#');
      std::string path = text.Name;
      if (const host::TPersistent* obj = localizer->GetObject(path)) {
        text.ClassName = obj->ClassName();
        text.Property = path;
        EndsInText(obj, path, text.IsList);
      }
      texts.Texts.push_back(std::move(text));
    }
    texts.Index();
    result.push_back(std::move(texts));
  }
  return result;
}

void LoadStored(TAmCustomLanguageSource* Source, const std::string& Section, host::TStringList& Records) {
  Records.Clear();
  Source->SetFormSection(Section);
  Source->LoadStrings(&Records);
}

std::string StoreOf(const TLocalizedForms& Forms, int Index) {
  TAmCustomLanguageSource* source = Forms.Source();
  if (Index < 0) return Forms.SourceFile();
  if (auto* files = host::As<TAmFileLanguageSource>(source)) return files->GetLanguageFile(Index);
  return SourceTitle(source) + " (key " + source->GetLanguageValue(Index) + ")";
}

std::vector<std::string> ItemsOf(const std::string& Text, bool IsList) {
  if (!IsList) return {Text};
  host::TStringList list;
  list.SetCommaText(Text);
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.Get(i));
  return items;
}

}  // namespace ambit::cli
