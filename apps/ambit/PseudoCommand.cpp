// ambit pseudo: writes a pseudo-language into the project's language
// source as a new language, so that render and check show clipped texts
// and texts that never went through the suite before any translator
// starts.
#include <ostream>

#include "apps/ambit/Commands.h"
#include "apps/ambit/FormFileEdit.h"
#include "apps/ambit/FormTexts.h"
#include "apps/ambit/Pseudo.h"
#include "apps/ambit/StoreChecks.h"
#include "host/core/FileIO.h"
#include "host/stream/FormStream.h"

namespace ambit::cli {

// The language name the pseudo-language stores in its settings; a
// language that says so may be written again.
constexpr const char* kPseudoMark = "Pseudo-language";

const char* const PseudoHelp =
    "Usage: ambit pseudo PROJECTFILE|FORMFILE... --language NAME [--source NAME]\n"
    "\n"
    "Writes the pseudo-language NAME into the language source: every\n"
    "record of every form with a localizer, its letters accented, about\n"
    "40 % longer and in brackets, accelerators (&F), placeholders (%s, %1)\n"
    "and the blanks around the text kept; a list keeps its items. Clipped\n"
    "texts then lose their closing bracket in ambit render, ambit check\n"
    "finds them, and a text shown without brackets never went through the\n"
    "suite.\n"
    "\n"
    "A new language is added to the source's Languages (NAME=NAME.lng beside\n"
    "the form file that holds a file source, or NAME=NAME as the key of a\n"
    "database source) and that form file is written again. Running pseudo\n"
    "again rewrites the same language; a language of that name that pseudo\n"
    "did not write is refused.\n"
    "\n"
    AMBIT_SOURCE_OPTION_HELP
    "\n"
    "Exit status: 0 done; 1 a file is missing or malformed, there is no\n"
    "language source, NAME is a language pseudo did not write, or a file\n"
    "cannot be written; 2 bad usage.\n";

int RunPseudo(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  TLanguageArgs args;
  std::string error;
  if (!ParseLanguageArgs(Args, args, error)) {
    Err << "ambit pseudo: " << error << " (see ambit pseudo --help)\n";
    return ExitUsage;
  }
  if (args.Files.empty() || !args.HasLanguage) {
    Err << "ambit pseudo: expected form files or a project file and --language NAME (see ambit pseudo --help)\n";
    return ExitUsage;
  }
  if (args.Language.find_first_of("=/\\") != std::string::npos) {
    Err << "ambit pseudo: a language name cannot hold '=', '/' or '\\'\n";
    return ExitUsage;
  }
  TLocalizedForms forms(args.Files, args.Source);
  TAmCustomLanguageSource* source = forms.Source();
  if (!source) {
    Err << "ambit pseudo: none of the loaded forms has a language source\n";
    return ExitFailure;
  }
  if (!source->IsDesignTime()) {
    Err << "ambit pseudo: the language source " << SourceTitle(source)
        << " keeps its texts in the application; there is nothing to write from here\n";
    return ExitFailure;
  }
  forms.Activate(-1);
  const std::vector<TFormTexts> texts = CollectFormTexts(forms);
  int index = -1;
  const bool isNew = !forms.FindLanguage(args.Language, index);
  if (!isNew && index < 0) {
    Err << "ambit pseudo: '" << args.Language << "' names the designed texts; choose another name\n";
    return ExitFailure;
  }
  const std::string line = args.Language + "=" + args.Language + (host::Is<TAmFileLanguageSource>(source) ? ".lng" : "");
  std::string sourceText;
  if (isNew) {
    // The form file must take the new line before anything is written.
    sourceText = AddStringListLine(host::ReadFileText(forms.SourceFile()), forms.SourceFile(), source->Name(),
                                   "Languages", line);
    source->Languages()->Add(line);
    index = source->Languages()->Count() - 1;
  }
  if (const std::string problem = forms.StoreProblem(index, true); !problem.empty()) {
    Err << "ambit pseudo: " << problem << "; nothing was written\n";
    return ExitFailure;
  }
  forms.Activate(index);
  // A language file or rows of that key that something else wrote are
  // left alone.
  if (const std::string name = source->ActiveSettings()->LanguageName(); !name.empty() && name != kPseudoMark) {
    Err << "ambit pseudo: the language " << args.Language << " (" << StoreOf(forms, index)
        << ") holds texts that pseudo did not write (its language name is '" << name
        << "'); choose another name; nothing was written\n";
    return ExitFailure;
  }
  source->ActiveSettings()->SetLanguageName(kPseudoMark);
  source->ActiveSettings()->SetBiDiMode(host::bdLeftToRight);
  source->ActiveSettings()->SetFontCharSet(host::DEFAULT_CHARSET);
  std::size_t records = 0;
  for (const TFormTexts& f : texts) {
    // The section is written anew, so records of vanished components go.
    source->SetFormSection(f.Form->Name());
    source->Clear();
    for (const TFormText& t : f.Texts) {
      source->SaveString(t.Name, t.IsList ? PseudoList(t.Original) : PseudoText(t.Original));
      ++records;
    }
  }
  Out << "wrote " << records << " records of " << texts.size() << " forms into " << args.Language << " ("
      << StoreOf(forms, index) << ")\n";
  if (isNew) {
    // Written in its text, so that nothing else of the form changes.
    host::WriteFileAtomic(forms.SourceFile(), sourceText);
    Out << "added " << args.Language << " to the Languages of " << SourceTitle(source) << " in "
        << forms.SourceFile() << "\n";
  }
  return ExitOk;
}

}  // namespace ambit::cli
