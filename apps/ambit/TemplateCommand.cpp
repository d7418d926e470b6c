// ambit template: loads forms, switches the first language source to a
// language and saves every form's texts into it, as a localization
// template generation does: records the language already has keep their
// translation, the others get the designed text.
#include <ostream>
#include <set>

#include "apps/ambit/Commands.h"
#include "apps/ambit/LocalizedForms.h"
#include "apps/ambit/StoreChecks.h"

namespace ambit::cli {

const char* const TemplateHelp =
    "Usage: ambit template FORMFILE... --language NAME [--source NAME]\n"
    "       ambit template PROJECTFILE --language NAME [--source NAME]\n"
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
    "Exit status: 0 done; 1 a file is missing or malformed, there is no\n"
    "language source or its store cannot be written from here, the language\n"
    "is unknown, a form has no localizer bound to the source, a language\n"
    "file cannot be written, or the output cannot be written; 2 bad usage.\n";

int RunTemplate(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  TLanguageArgs args;
  std::string error;
  if (!ParseLanguageArgs(Args, args, error)) {
    Err << "ambit template: " << error << " (see ambit template --help)\n";
    return ExitUsage;
  }
  if (args.Files.empty() || !args.HasLanguage) {
    Err << "ambit template: expected form files and --language NAME (see ambit template --help)\n";
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
  const int index = forms.LanguageIndex(args.Language);
  if (index < 0) {
    Err << "ambit template: '" << args.Language << "' names the designed texts, which live in the forms; "
        << "choose a language to write: " << forms.LanguageNames() << "\n";
    return ExitFailure;
  }
  // Every form is checked before anything is written.
  for (std::size_t i = 0; i < forms.Forms().size(); ++i) {
    host::TComponent* form = forms.Forms()[i];
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
  auto* files = host::As<TAmFileLanguageSource>(source);
  const std::string written = files ? files->GetLanguageFile(index)
                                    : source->Name() + " on " + forms.SourceForm()->Name() + " (" +
                                          source->GetLanguageName(index) + ")";
  for (host::TComponent* form : forms.Forms()) {
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
  Out << "wrote " << written << "\n";
  return ExitOk;
}

}  // namespace ambit::cli
