// ambit template: loads forms, switches the first language source to a
// language and saves every form's texts into it, as a localization
// template generation does: records the language already has keep their
// translation, the others get the designed text. The localization
// wizard's choices (the forms, Recreate, the project's exclusion file)
// make it the wizard's run for build scripts, writing the same file.
#include <algorithm>
#include <filesystem>
#include <ostream>
#include <set>

#include "apps/ambit/Commands.h"
#include "apps/ambit/LocalizedForms.h"
#include "apps/ambit/StoreChecks.h"
#include "host/core/CaseFold.h"
#include "runtime/AmbitSource.h"
#include "wizard/PolyformRun.h"

namespace ambit::cli {

const char* const TemplateHelp =
    "Usage: ambit template FORMFILE... --language NAME [--source NAME] [CHOICES]\n"
    "       ambit template PROJECTFILE --language NAME [--source NAME] [CHOICES]\n"
    "\n"
    "Loads the forms in the order given (a project file, *.amproj, lists its\n"
    "forms in creation order), switches the first language source among\n"
    "their components to the language NAME (its display name in the\n"
    "source's Languages, case ignored) and lets every form's localizer save\n"
    "the form's texts into that language: the texts the language already\n"
    "translates are written back as they are, every other text is written\n"
    "with the form's designed text, ready for translation. Each form is\n"
    "reported with the number of records it wrote, and each file written.\n"
    "\n"
    "The source must be one whose store can be read outside the application\n"
    "(language files or a database table). Relative language file names in\n"
    "its Languages are resolved against the folder of the form file that\n"
    "holds the source. The last line reports the file written, or the\n"
    "source that was written to for a store that is not a file.\n"
    "\n"
    "Every form must have a form localizer bound to that source; otherwise\n"
    "nothing is written and the command fails.\n"
    "\n"
    "Nothing is written when the language has no file name (or key), when\n"
    "its language file is no INI text, or when the database rows spell the\n"
    "language's key otherwise (the texts would be read as missing and\n"
    "overwritten). Another template run or a hand edit of the same language\n"
    "file meanwhile is kept: each write takes in what changed on disk.\n"
    "\n"
    AMBIT_SOURCE_OPTION_HELP
    "\n"
    "The localization wizard's choices, so that a build script writes the\n"
    "same file as the wizard in the designer:\n"
    "  --forms NAME,...  save only these forms (their names, case ignored);\n"
    "                    the others are left out and need no localizer\n"
    "  --recreate        afterwards keep in the language file only the\n"
    "                    sections of the saved forms and General Settings\n"
    "                    (language files only)\n"
    "  --exclusions      with a project file: its exclusion file (the\n"
    "                    project file's name with the extension plf, one\n"
    "                    form name per line) names the forms to leave out,\n"
    "                    or, with --forms, gets the forms left out written\n"
    "                    into it, as the wizard remembers them\n"
    "\n"
    "Exit status: 0 done; 1 a file is missing or malformed, there is no\n"
    "language source or its store cannot be written from here, the language\n"
    "is unknown, a form has no localizer bound to the source, --forms names\n"
    "no loaded form, --recreate meets a source without language files, a\n"
    "file cannot be written, or the output cannot be written; 2 bad usage.\n";

namespace {

// The wizard's choices among the arguments.
struct TWizardChoices {
  bool HasForms = false;
  host::TStringList Forms;
  bool Recreate = false;
  bool Exclusions = false;
};

// Takes the wizard's options out of Args; false (with Error) for a
// missing value.
bool TakeWizardChoices(std::vector<std::string>& Args, TWizardChoices& Choices, std::string& Error) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    const std::string& a = Args[i];
    if (a == "--recreate") {
      Choices.Recreate = true;
    } else if (a == "--exclusions") {
      Choices.Exclusions = true;
    } else if (a == "--forms" || a.rfind("--forms=", 0) == 0) {
      if (a == "--forms" && i + 1 >= Args.size()) {
        Error = "--forms needs form names";
        return false;
      }
      Choices.Forms.SetCommaText(a == "--forms" ? Args[++i] : a.substr(8));
      Choices.HasForms = true;
      if (Choices.Forms.Count() == 0) {
        Error = "--forms needs form names";
        return false;
      }
    } else {
      rest.push_back(a);
    }
  }
  Args = std::move(rest);
  return true;
}

}  // namespace

int RunTemplate(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  std::vector<std::string> rest = Args;
  TWizardChoices choices;
  TLanguageArgs args;
  std::string error;
  if (!TakeWizardChoices(rest, choices, error) || !ParseLanguageArgs(rest, args, error)) {
    Err << "ambit template: " << error << " (see ambit template --help)\n";
    return ExitUsage;
  }
  if (args.Files.empty() || !args.HasLanguage) {
    Err << "ambit template: expected form files and --language NAME (see ambit template --help)\n";
    return ExitUsage;
  }
  if (choices.Exclusions && !(args.Files.size() == 1 && IsProjectFile(args.Files[0]))) {
    Err << "ambit template: --exclusions needs a project file, beside which the exclusion file lies "
           "(see ambit template --help)\n";
    return ExitUsage;
  }
  TLocalizedForms forms(args.Files, args.Source);
  TAmCustomLanguageSource* source = forms.Source();
  if (!source) {
    Err << "ambit template: none of the loaded forms has a language source\n";
    return ExitFailure;
  }
  // An application-supplied source has no store of its own to write.
  if (!source->IsDesignTime()) {
    Err << "ambit template: the language source " << source->Name() << " on " << forms.SourceForm()->Name()
        << " keeps its texts in the application; there is nothing to write from here\n";
    return ExitFailure;
  }
  auto* languageFiles = host::As<TAmLanguageSource>(source);
  if (choices.Recreate && !languageFiles) {
    Err << "ambit template: --recreate rewrites a language file, but the language source " << source->Name()
        << " on " << forms.SourceForm()->Name() << " keeps no language files\n";
    return ExitFailure;
  }
  const int index = forms.LanguageIndex(args.Language);
  if (index < 0) {
    Err << "ambit template: '" << args.Language << "' names the designed texts, which live in the forms; "
        << "choose a language to write: " << forms.LanguageNames() << "\n";
    return ExitFailure;
  }
  // The forms to save, in load order: those --forms names, else those the
  // exclusion file does not list, else all.
  std::string exclusionFile;
  host::TStringList excluded;
  if (choices.Exclusions) {
    exclusionFile = ExclusionFileName(std::filesystem::absolute(args.Files[0]).lexically_normal().string());
    if (!choices.HasForms) ReadExclusionFile(exclusionFile, &excluded);
  }
  for (int i = 0; i < choices.Forms.Count(); ++i) {
    const std::string name = choices.Forms.Get(i);
    if (std::none_of(forms.Forms().begin(), forms.Forms().end(),
                     [&](const host::TComponent* Form) { return host::SameText(Form->Name(), name); })) {
      Err << "ambit template: --forms names '" << name << "', which is no loaded form\n";
      return ExitFailure;
    }
  }
  std::vector<bool> chosen;
  host::TStringList savedNames;
  for (host::TComponent* form : forms.Forms()) {
    const std::string& name = form->Name();
    chosen.push_back(choices.HasForms ? IsChosenForm(&choices.Forms, name) : !IsChosenForm(&excluded, name));
    // The wizard lists, and so remembers, only forms with a localizer.
    if (chosen.back())
      savedNames.Add(name);
    else if (choices.HasForms && TLocalizedForms::LocalizerOf(form))
      excluded.Add(name);
  }
  // Every form saved is checked before anything is written.
  for (std::size_t i = 0; i < forms.Forms().size(); ++i) {
    host::TComponent* form = forms.Forms()[i];
    if (!chosen[i]) continue;
    TAmFormLocalizer* localizer = TLocalizedForms::LocalizerOf(form);
    if (!localizer) {
      Err << "ambit template: form " << form->Name() << " (" << forms.FileOf(i)
          << ") has no form localizer; nothing was written\n";
      return ExitFailure;
    }
    if (localizer->Source() != source) {
      Err << "ambit template: the form localizer of " << form->Name() << " (" << forms.FileOf(i)
          << ") is not bound to " << source->Name() << "; nothing was written\n";
      return ExitFailure;
    }
  }
  if (const std::string problem = forms.StoreProblem(index, true); !problem.empty()) {
    Err << "ambit template: " << problem << "; nothing was written\n";
    return ExitFailure;
  }
  forms.Activate(index);
  if (const std::string problem = KeySpellingProblem(source, index); !problem.empty()) {
    Err << "ambit template: " << problem << "; nothing was written\n";
    return ExitFailure;
  }
  // As the wizard does on Execute: the forms left out are remembered first.
  if (choices.Exclusions && choices.HasForms) WriteExclusionFile(exclusionFile, &excluded);
  auto* files = host::As<TAmFileLanguageSource>(source);
  const std::string written = files ? files->GetLanguageFile(index)
                                    : source->Name() + " on " + forms.SourceForm()->Name() + " (" +
                                          source->GetLanguageName(index) + ")";
  for (std::size_t i = 0; i < forms.Forms().size(); ++i) {
    host::TComponent* form = forms.Forms()[i];
    if (!chosen[i]) {
      Out << form->Name() << ": left out\n";
      continue;
    }
    TAmFormLocalizer* localizer = TLocalizedForms::LocalizerOf(form);
    // The records reaching the store are counted through the source's
    // event, which is put back afterwards.
    std::set<std::string> records;
    TAmSaveStringEvent previous = source->OnSaveString();
    source->SetOnSaveString([&](host::TObject* Sender, const std::string& Name, const std::string& Value) {
      records.insert(Name);
      if (previous) previous(Sender, Name, Value);
    });
    try {
      localizer->Save();
    } catch (...) {
      source->SetOnSaveString(previous);
      throw;
    }
    source->SetOnSaveString(previous);
    Out << form->Name() << ": " << records.size() << " records\n";
  }
  if (choices.Recreate) {
    RecreateLanguageFile(languageFiles, index, &savedNames);
    Out << "kept only General Settings and the sections of the forms saved\n";
  }
  Out << "wrote " << written << "\n";
  return ExitOk;
}

}  // namespace ambit::cli
