// ambit check: what would go wrong in a release, found before it: missing
// and orphaned records, accelerators and placeholders a translation lost
// or gained, blanks around texts, accelerators two controls share, and
// captions that no longer fit their control.
#include <ostream>

#include "apps/ambit/Commands.h"
#include "apps/ambit/FormTexts.h"
#include "apps/ambit/Json.h"
#include "apps/ambit/TranslationChecks.h"
#ifdef AMBIT_WITH_QT
#include "host/controls/Forms.h"
#include "host/qt/QtRender.h"
#include "host/qt/QtTextFit.h"
#include "host/qt/QtWidgetSet.h"
#endif

namespace ambit::cli {

const char* const CheckHelp =
    "Usage: ambit check PROJECTFILE|FORMFILE... [--language NAME]... [--strict] [--format text|json]\n"
    "                   [--source NAME]\n"
    "\n"
    "Checks every language of the source (or those named; --language may\n"
    "be given more than once, and the source's OriginalName checks the\n"
    "designed texts alone) and prints one finding per line:\n"
    "FILE: [FORM] RECORD: SEVERITY: what is wrong.\n"
    "\n"
    "Errors: an accelerator (&) that the translation has and the designed\n"
    "text has not, or the other way round (&& is a plain &); printf-style\n"
    "placeholders (%s, %d, %0:s, %1) that differ in number or kind; a\n"
    "caption that does not fit its control, measured with the control's font\n"
    "and character set as the Qt widgetset draws it (offscreen).\n"
    "Warnings: a missing translation; blanks or line breaks that begin or\n"
    "end one text and not the other; a list with another number of items;\n"
    "two controls of a form, or two items of a menu, with the same\n"
    "accelerator; an orphaned record (no component or property of the form\n"
    "has it any more), with the component a renamed one most likely became.\n"
    "Texts of list records are compared item by item.\n"
    "\n"
    "--format json prints {\"findings\": [...], \"errors\": N, \"warnings\": N}.\n"
    "\n"
    AMBIT_SOURCE_OPTION_HELP
    "\n"
    "Exit status: 0 no errors (and, with --strict, no warnings); 1 errors\n"
    "found (with --strict also warnings), or a file is missing or malformed,\n"
    "there is no language source or a language is unknown; 2 bad usage.\n";

namespace {

struct TFinding {
  std::string File, Language, Section, Record, Check, Message;
  TSeverity Severity;
};

}  // namespace

int RunCheck(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  std::vector<std::string> rest = Args;
  std::string format = "text", error;
  bool given = false;
  const bool strict = TakeFlag(rest, "strict");
  TLanguageArgs args;
  if (!TakeOption(rest, "format", format, given, error) || !ParseLanguageArgs(rest, args, error, true)) {
    Err << "ambit check: " << error << " (see ambit check --help)\n";
    return ExitUsage;
  }
  if (format != "text" && format != "json") {
    Err << "ambit check: --format is text or json, not '" << format << "'\n";
    return ExitUsage;
  }
  if (args.Files.empty()) {
    Err << "ambit check: expected form files or a project file (see ambit check --help)\n";
    return ExitUsage;
  }
#ifdef AMBIT_WITH_QT
  // Captions are measured on the widgets a window would show.
  host::qt::UseOffscreenPlatform(true);
  host::qt::TQtWidgetSet widgets;
#else
  Err << "ambit check: warning: this ambit was built without Qt; captions are not measured\n";
#endif
  TLocalizedForms forms(args.Files, args.Source);
  TAmCustomLanguageSource* source = forms.Source();
  if (!source) {
    Err << "ambit check: none of the loaded forms has a language source\n";
    return ExitFailure;
  }
  const std::vector<int> languages = SelectLanguages(forms, args.Languages, true);
  for (int index : languages)
    if (const std::string problem = forms.StoreProblem(index, false); !problem.empty()) throw EAmbitError(problem);
  forms.Activate(-1);
  const std::vector<TFormTexts> texts = CollectFormTexts(forms);
#ifdef AMBIT_WITH_QT
  for (host::TComponent* form : forms.Forms())
    if (auto* f = host::As<host::TCustomForm>(form)) host::qt::PrepareForMeasure(f);
#endif

  std::vector<TFinding> findings;
  int errors = 0, warnings = 0;
  for (int index : languages) {
    forms.Activate(index);
    for (const std::string& line : forms.Warnings()) Err << "ambit check: warning: " << line << "\n";
    const std::string file = StoreOf(forms, index), language = source->GetLanguageName(index);
    host::TStringList stored;
    for (const TFormTexts& f : texts) {
      const TFindingSink add = [&](const std::string& Record, TSeverity Severity, const char* Check,
                                   const std::string& Message) {
        findings.push_back({index < 0 ? f.File : file, language, f.Form->Name(), Record, Check, Message, Severity});
        ++(Severity == TSeverity::Error ? errors : warnings);
      };
      if (index >= 0) {
        LoadStored(source, f.Form->Name(), stored);
        CheckTranslations(f, stored, add);
        CheckOrphans(f, stored, add);
      }
      CheckSharedAccelerators(f, add);
      CheckFit(f, add);
    }
  }
  const bool failed = errors > 0 || (strict && warnings > 0);
  if (format == "json") {
    Out << "{\"findings\": [";
    for (std::size_t i = 0; i < findings.size(); ++i) {
      const TFinding& f = findings[i];
      Out << (i ? ",\n  " : "\n  ") << "{\"file\": " << JsonString(f.File) << ", \"language\": " << JsonString(f.Language)
          << ", \"section\": " << JsonString(f.Section) << ", \"record\": " << JsonString(f.Record)
          << ", \"severity\": \"" << (f.Severity == TSeverity::Error ? "error" : "warning") << "\", \"check\": \""
          << f.Check << "\", \"message\": " << JsonString(f.Message) << "}";
    }
    Out << "],\n \"errors\": " << errors << ", \"warnings\": " << warnings << "}\n";
  } else {
    for (const TFinding& f : findings)
      Out << f.File << ": [" << f.Section << "] " << f.Record << ": "
          << (f.Severity == TSeverity::Error ? "error" : "warning") << ": " << f.Message << "\n";
    Out << errors << (errors == 1 ? " error, " : " errors, ") << warnings << (warnings == 1 ? " warning in " : " warnings in ")
        << languages.size() << (languages.size() == 1 ? " language" : " languages") << (failed ? "" : ": clean") << "\n";
  }
  return failed ? ExitFailure : ExitOk;
}

}  // namespace ambit::cli
