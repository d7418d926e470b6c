// Forms loaded for the localization commands (show, template): the forms
// in order with references between them resolved, the first language
// source among their components, each form's localizer, and the look-up
// of a language by its display name.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "apps/ambit/FormLoading.h"
#include "runtime/AmFormLocal.h"

namespace ambit::cli {

class TLocalizedForms {
public:
  // Loads the forms (raises the reader's errors) and picks the language
  // source: the one named by SourceName, else the one the project file
  // names in its LanguageSource setting, else the first one among the
  // forms' components. A source picked by name localizes every form: each
  // form localizer is bound to it. A name is "Form.Component" or the name
  // of a component of any form; one that names no language source raises
  // EAmbitError. A file-based source gets a file-name hook that resolves
  // relative language file names against the folder of the form file
  // holding the source; a language stored as active is closed again and
  // reopened through the hook when a command switches.
  explicit TLocalizedForms(const std::vector<std::string>& Files, const std::string& SourceName = {});
  ~TLocalizedForms();

  const std::vector<host::TComponent*>& Forms() const { return FLoaded->Forms(); }
  const std::string& FileOf(std::size_t Index) const { return FLoaded->FileOf(Index); }

  // The first language source among the forms' components, in form order
  // and, within a form, in ownership order; null when there is none.
  TAmCustomLanguageSource* Source() const { return FSource; }
  // The form and the file that hold the source.
  host::TComponent* SourceForm() const { return FSourceForm; }
  const std::string& SourceFile() const { return FSourceFile; }

  // The form's localizer; null when it has none.
  static TAmFormLocalizer* LocalizerOf(host::TComponent* Form);

  // The index of the language whose display name is Name, ignoring case;
  // the source's OriginalName gives -1. False when no language has it.
  bool FindLanguage(const std::string& Name, int& Index) const;
  // The display names, joined by ", ".
  std::string LanguageNames() const;
  // The index of the language Name, as FindLanguage; raises EAmbitError
  // naming the languages there are (and lines of Languages that name
  // none) when there is no such language.
  int LanguageIndex(const std::string& Name) const;
  // What keeps the store from being read or written before a switch to
  // language Index (a database source that cannot reach its table; for
  // Writing, also a language without a file name or key); empty when
  // nothing does.
  std::string StoreProblem(int Index, bool Writing) const;
  // Makes Index the active language, reopening a language that was stored
  // as active so that its file is found through the hook.
  void Activate(int Index);
  // What makes the forms show other texts than the active language's, one
  // line each: a language without a file name, a language file that does
  // not exist, is no language file or holds none of the forms' sections,
  // database rows that spell the language's key otherwise, a form bound to
  // another source (or none).
  std::vector<std::string> Warnings() const;

private:
  void PickSource(const std::string& SourceName);

  std::unique_ptr<TLoadedForms> FLoaded;
  TAmCustomLanguageSource* FSource = nullptr;
  host::TComponent* FSourceForm = nullptr;
  std::string FSourceFile;
};

// "--language NAME" and "--source NAME" (or "--option=NAME") among a
// command's arguments; the rest are the form files. Returns false (with
// Error set) for an unknown option, a missing value, or an option given
// twice.
struct TLanguageArgs {
  std::vector<std::string> Files;
  std::string Language;
  bool HasLanguage = false;
  std::string Source;
};

// The paragraph of the commands' help that describes --source, joined to
// each help text as a literal.
#define AMBIT_SOURCE_OPTION_HELP                                             \
  "--source NAME uses the language source NAME (Form.Component, or the\n"  \
  "name of a component of any form) and binds every form's localizer to\n" \
  "it; a project file can name it in [Project] LanguageSource=NAME.\n"     \
  "Otherwise the first language source among the forms' components is\n"  \
  "used. Relative database file names of SQLite connections are resolved\n" \
  "against the folder of their form file, like language files.\n"
bool ParseLanguageArgs(const std::vector<std::string>& Args, TLanguageArgs& Result, std::string& Error);

}  // namespace ambit::cli
