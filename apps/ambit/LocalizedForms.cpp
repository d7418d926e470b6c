#include "apps/ambit/LocalizedForms.h"

#include <filesystem>

#include "apps/ambit/StoreChecks.h"
#include "host/core/CaseFold.h"

namespace ambit::cli {

namespace {

// The first language source owned by Owner or, depth first, by what it
// owns (a frame's components, say).
TAmCustomLanguageSource* FindSource(host::TComponent* Owner, int Depth = 0) {
  if (Depth > 64) return nullptr;
  for (host::TComponent* c : Owner->ComponentList())
    if (auto* s = host::As<TAmCustomLanguageSource>(c)) return s;
  for (host::TComponent* c : Owner->ComponentList())
    if (auto* s = FindSource(c, Depth + 1)) return s;
  return nullptr;
}

}  // namespace

TLocalizedForms::TLocalizedForms(const std::vector<std::string>& Files, const std::string& SourceName)
    : FLoaded(std::make_unique<TLoadedForms>(Files)) {
  PickSource(SourceName.empty() ? FLoaded->Project().Setting("LanguageSource") : SourceName);
  if (auto* files = host::As<TAmFileLanguageSource>(FSource)) {
    const std::filesystem::path folder = std::filesystem::path(FSourceFile).parent_path();
    files->SetOnGetFileName([folder](host::TObject*, std::string& FileName) {
      const std::filesystem::path p(FileName);
      if (p.is_relative()) FileName = (folder / p).lexically_normal().string();
    });
  }
}

TLocalizedForms::~TLocalizedForms() = default;

void TLocalizedForms::PickSource(const std::string& SourceName) {
  if (SourceName.empty()) {
    for (std::size_t i = 0; i < Forms().size() && !FSource; ++i) {
      FSource = FindSource(Forms()[i]);
      if (FSource) {
        FSourceForm = Forms()[i];
        FSourceFile = FileOf(i);
      }
    }
    return;
  }
  const std::size_t dot = SourceName.find('.');
  const std::string formName = dot == std::string::npos ? std::string() : SourceName.substr(0, dot);
  const std::string componentName = dot == std::string::npos ? SourceName : SourceName.substr(dot + 1);
  for (std::size_t i = 0; i < Forms().size() && !FSource; ++i) {
    host::TComponent* form = Forms()[i];
    if (!formName.empty() && !host::SameText(form->Name(), formName)) continue;
    if (auto* s = host::As<TAmCustomLanguageSource>(form->FindComponent(componentName))) {
      FSource = s;
      FSourceForm = form;
      FSourceFile = FileOf(i);
    }
  }
  if (!FSource) throw EAmbitError("no language source named '" + SourceName + "' among the loaded forms");
  // The named source localizes every form, whichever source the form's
  // localizer was saved with.
  for (host::TComponent* form : Forms())
    if (TAmFormLocalizer* localizer = LocalizerOf(form)) localizer->SetSource(FSource);
}

TAmFormLocalizer* TLocalizedForms::LocalizerOf(host::TComponent* Form) {
  if (!Form) return nullptr;
  for (host::TComponent* c : Form->ComponentList())
    if (auto* l = host::As<TAmFormLocalizer>(c)) return l;
  return nullptr;
}

bool TLocalizedForms::FindLanguage(const std::string& Name, int& Index) const {
  if (!FSource) return false;
  for (int i = 0; i < FSource->Languages()->Count(); ++i)
    if (host::SameText(FSource->GetLanguageName(i), Name)) {
      Index = i;
      return true;
    }
  if (host::SameText(FSource->OriginalName(), Name)) {
    Index = -1;
    return true;
  }
  return false;
}

std::string TLocalizedForms::LanguageNames() const {
  std::string names;
  if (!FSource) return names;
  for (int i = 0; i < FSource->Languages()->Count(); ++i) {
    if (i > 0) names += ", ";
    names += FSource->GetLanguageName(i);
  }
  return names;
}

int TLocalizedForms::LanguageIndex(const std::string& Name) const {
  int index = -1;
  if (FindLanguage(Name, index)) return index;
  std::string message = "unknown language '" + Name + "'; the languages of " + SourceTitle(FSource) + " are: " +
                        (LanguageNames().empty() ? std::string("(none)") : LanguageNames()) + ", and " +
                        FSource->OriginalName() + " for the designed texts";
  for (const std::string& problem : LanguageLineProblems(FSource)) message += "\n  " + problem;
  throw EAmbitError(message);
}

std::string TLocalizedForms::StoreProblem(int Index, bool Writing) const {
  if (Index < 0) return {};  // the designed texts need no store
  std::string problem = DatabaseProblem(FSource);
  if (problem.empty() && Writing) problem = LanguageValueProblem(FSource, Index);
  return problem;
}

void TLocalizedForms::Activate(int Index) {
  // A language stored as active was opened while the form was read, before
  // the hook was there: back to the designed texts first, then the switch.
  if (FSource->ActiveLanguage() >= 0) FSource->SetActiveLanguage(-1);
  FSource->SetActiveLanguage(Index);
}

std::vector<std::string> TLocalizedForms::Warnings() const {
  std::vector<std::string> lines;
  const int index = FSource->ActiveLanguage();
  if (std::string problem = LanguageValueProblem(FSource, index); !problem.empty()) {
    lines.push_back(problem + "; the forms keep their designed texts");
  } else if (auto* files = host::As<TAmFileLanguageSource>(FSource); files && index >= 0) {
    const std::string file = files->GetLanguageFile(index);
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
      lines.push_back("the language file " + file + " of " + FSource->GetLanguageName(index) +
                      " does not exist; the forms keep their designed texts");
    for (std::string& note : LanguageFileNotes(FSource, Forms())) lines.push_back(std::move(note));
  }
  if (std::string problem = KeySpellingProblem(FSource, index); !problem.empty()) lines.push_back(problem);
  for (std::size_t i = 0; i < Forms().size(); ++i) {
    TAmFormLocalizer* localizer = LocalizerOf(Forms()[i]);
    if (!localizer || localizer->Source() == FSource) continue;
    const TAmCustomLanguageSource* other = localizer->Source();
    lines.push_back("the form localizer of " + Forms()[i]->Name() + " (" + FileOf(i) + ") is bound to " +
                    (other ? other->Name() + " on " + (other->Owner() ? other->Owner()->Name() : std::string("?"))
                           : std::string("no language source")) +
                    ", not to " + FSource->Name() + "; that form shows its own language (see --source)");
  }
  return lines;
}

bool ParseLanguageArgs(const std::vector<std::string>& Args, TLanguageArgs& Result, std::string& Error) {
  // A second value would silently win over the first.
  auto once = [&](bool Given, const char* Option, const std::string& First, const std::string& Second) {
    if (Given) Error = std::string(Option) + " is given twice ('" + First + "', then '" + Second + "'); give it once";
    return !Given;
  };
  for (std::size_t i = 0; i < Args.size(); ++i) {
    const std::string& a = Args[i];
    if (a == "--language" || a.rfind("--language=", 0) == 0) {
      if (a == "--language" && i + 1 >= Args.size()) {
        Error = "--language needs a language name";
        return false;
      }
      const std::string value = a == "--language" ? Args[++i] : a.substr(11);
      if (!once(Result.HasLanguage, "--language", Result.Language, value)) return false;
      Result.Language = value;
      Result.HasLanguage = true;
    } else if (a == "--source" || a.rfind("--source=", 0) == 0) {
      if (a == "--source" && i + 1 >= Args.size()) {
        Error = "--source needs a component name";
        return false;
      }
      const std::string value = a == "--source" ? Args[++i] : a.substr(9);
      if (!once(!Result.Source.empty(), "--source", Result.Source, value)) return false;
      Result.Source = value;
      if (Result.Source.empty()) {
        Error = "--source needs a component name";
        return false;
      }
    } else if (!a.empty() && a[0] == '-') {
      Error = "unknown option '" + a + "'";
      return false;
    } else {
      Result.Files.push_back(a);
    }
  }
  if (Result.HasLanguage && Result.Language.empty()) {
    Error = "--language needs a language name";
    return false;
  }
  return true;
}

}  // namespace ambit::cli
