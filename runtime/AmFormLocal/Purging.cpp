// Purging: records of excluded components, and of components that left the
// form, are removed from the form's section in every language.
#include <string>
#include <vector>

#include "runtime/AmFormLocal.h"

namespace ambit {

using namespace host;

void TAmFormLocalizer::DeleteExcluded(TComponent* AComponent) {
  TAmCustomLanguageSource* src = Source();
  // Nothing to purge without a store, nor without the form to name it.
  if (!src || !AComponent) return;
  const int remembered = src->ActiveLanguage();
  const std::string section = AComponent->Name();
  TComponent* form = Owner();
  TStringList records;
  try {
    src->SetFormSection(section);
    const int languages = src->Languages()->Count();
    for (int language = 0; language < languages; ++language) {
      src->SetActiveLanguage(language);
      // Other localizers re-localized their own forms and selected their
      // own sections on the way.
      src->SetFormSection(section);
      src->LoadStrings(&records);
      records.Sort();
      src->Clear();
      std::vector<std::string> kept;
      for (int i = 0; i < records.Count(); ++i) {
        const std::string line = records.Get(i);
        const std::string name = records.Names(i);
        const std::size_t dot = name.find('.');
        const std::string head = dot == std::string::npos ? (form ? form->Name() : std::string()) : name.substr(0, dot);
        bool keep;
        if (head.empty())
          keep = true;
        else if (FExcluded->IndexOf(head) >= 0)
          keep = false;
        else
          keep = form && (form->FindComponent(head) != nullptr || head == form->Name());
        if (keep) kept.push_back(line);
      }
      records.Clear();
      for (const std::string& line : kept) records.Add(line);
      src->SaveStrings(&records);
    }
  } catch (...) {
    src->SetActiveLanguage(remembered);
    throw;
  }
  src->SetActiveLanguage(remembered);
}

}  // namespace ambit
