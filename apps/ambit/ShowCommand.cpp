// ambit show: loads forms, switches the first language source to a
// language and prints every form's localizable texts as records.
#include <ostream>

#include "apps/ambit/Commands.h"
#include "apps/ambit/LocalizedForms.h"

namespace ambit::cli {

const char* const ShowHelp =
    "Usage: ambit show FORMFILE... [--language NAME] [--source NAME]\n"
    "       ambit show PROJECTFILE [--language NAME] [--source NAME]\n"
    "\n"
    "Loads the forms in the order given (a project file, *.amproj, lists its\n"
    "forms in creation order), so that a form can refer to the components of\n"
    "the forms before it. The first language source among the forms'\n"
    "components is switched to the language NAME (its display name in the\n"
    "source's Languages, case ignored); without --language, or with the\n"
    "source's OriginalName, the forms keep their designed texts. Then every\n"
    "form's localizable texts are printed as its form localizer saves them:\n"
    "a section [FormName], then one record name=\"text\" per line, each text\n"
    "encoded on one line (control characters as #13#10 between quotes).\n"
    "\n"
    "Relative language file names in the source's Languages are resolved\n"
    "against the folder of the form file that holds the source.\n"
    "\n"
    "A form without a form localizer is reported on standard error and\n"
    "skipped; the other forms are still printed.\n"
    "\n"
    AMBIT_SOURCE_OPTION_HELP
    "\n"
    "Exit status: 0 done; 1 a file is missing or malformed, there is no\n"
    "language source or the language is unknown; 2 bad usage.\n";

int RunShow(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  TLanguageArgs args;
  std::string error;
  if (!ParseLanguageArgs(Args, args, error)) {
    Err << "ambit show: " << error << " (see ambit show --help)\n";
    return ExitUsage;
  }
  if (args.Files.empty()) {
    Err << "ambit show: expected form files or a project file (see ambit show --help)\n";
    return ExitUsage;
  }
  TLocalizedForms forms(args.Files, args.Source);
  TAmCustomLanguageSource* source = forms.Source();
  if (!source) {
    Err << "ambit show: none of the loaded forms has a language source\n";
    return ExitFailure;
  }
  const int index = args.HasLanguage ? forms.LanguageIndex(args.Language) : -1;
  if (const std::string problem = forms.StoreProblem(index, false); !problem.empty()) throw EAmbitError(problem);
  forms.Activate(index);
  for (const std::string& line : forms.Warnings()) Err << "ambit show: warning: " << line << "\n";
  TAmLanguageSettings* settings = source->ActiveSettings();
  Out << "; language: " << source->GetLanguageName(index);
  if (index >= 0)
    Out << ", BiDiMode=" << static_cast<int>(settings->BiDiMode())
        << ", FontCharSet=" << TAmLanguageSettings::CharSetToName(settings->FontCharSet());
  Out << "\n\n";
  for (std::size_t i = 0; i < forms.Forms().size(); ++i) {
    host::TComponent* form = forms.Forms()[i];
    TAmFormLocalizer* localizer = TLocalizedForms::LocalizerOf(form);
    if (!localizer) {
      Err << "ambit show: warning: form " << form->Name() << " (" << forms.FileOf(i)
          << ") has no form localizer; its texts are not shown\n";
      continue;
    }
    // The records Save would write, with their values encoded as the
    // snapshot keeps them.
    host::TStringList records;
    localizer->InternalSave(form, form, &records, form->Name(), localizer->PropNames());
    Out << "[" << form->Name() << "]\n";
    for (int r = 0; r < records.Count(); ++r) Out << records.Get(r) << "\n";
    Out << "\n";
  }
  return ExitOk;
}

}  // namespace ambit::cli
