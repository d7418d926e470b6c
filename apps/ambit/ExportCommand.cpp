// ambit export: a language's texts as an XLIFF 2.0 or PO file for
// translators who work in their own tools.
#include <filesystem>
#include <ostream>

#include "apps/ambit/Commands.h"
#include "apps/ambit/FormTexts.h"
#include "apps/ambit/exchange/Exchange.h"
#include "host/core/FileIO.h"

namespace ambit::cli {

const char* const ExportHelp =
    "Usage: ambit export --format xliff|po --language NAME [PROJECTFILE|FORMFILE...] --out FILE\n"
    "                    [--source NAME] [--source-lang CODE] [--target-lang CODE]\n"
    "\n"
    "Writes one unit per record of every form that has a form localizer,\n"
    "keyed by the form's section and the record name: the designed text as\n"
    "source, the language's stored translation as target (none where the\n"
    "language has none), the component's class and property as a note.\n"
    "XLIFF 2.0 has one <file> per form and one <unit> per record; PO has\n"
    "msgctxt \"Form.Record\", msgid the designed text, msgstr the\n"
    "translation (\"\" where there is none). Without form files the project\n"
    "file of the current folder is used. The file names the language and\n"
    "the project, so that ambit import finds them again.\n"
    "\n"
    "--source-lang and --target-lang give the language codes the file\n"
    "declares (BCP 47, for the translator's tool): by default \"en\" for the\n"
    "designed texts, and for the target a code found from the language's\n"
    "name (German: de), else a private-use code (x-name).\n"
    "\n"
    AMBIT_SOURCE_OPTION_HELP
    "\n"
    "Exit status: 0 done; 1 a file is missing or malformed, there is no\n"
    "language source, the language is unknown, a text is no UTF-8, or FILE\n"
    "cannot be written; 2 bad usage.\n";

int RunExport(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  std::vector<std::string> rest = Args;
  std::string format, outFile, sourceLang = "en", targetLang, error;
  bool hasFormat = false, hasOut = false, given = false, hasTarget = false;
  TLanguageArgs args;
  if (!TakeOption(rest, "format", format, hasFormat, error) || !TakeOption(rest, "out", outFile, hasOut, error) ||
      !TakeOption(rest, "source-lang", sourceLang, given, error) ||
      !TakeOption(rest, "target-lang", targetLang, hasTarget, error) || !ParseLanguageArgs(rest, args, error)) {
    Err << "ambit export: " << error << " (see ambit export --help)\n";
    return ExitUsage;
  }
  if (!hasFormat || (format != "xliff" && format != "po")) {
    Err << "ambit export: expected --format xliff or --format po (see ambit export --help)\n";
    return ExitUsage;
  }
  if (!hasOut || !args.HasLanguage) {
    Err << "ambit export: expected --language NAME and --out FILE (see ambit export --help)\n";
    return ExitUsage;
  }
  if (args.Files.empty()) args.Files = DefaultProject("export");
  TLocalizedForms forms(args.Files, args.Source);
  TAmCustomLanguageSource* source = forms.Source();
  if (!source) {
    Err << "ambit export: none of the loaded forms has a language source\n";
    return ExitFailure;
  }
  const int index = SelectLanguages(forms, {args.Language}, false).front();
  if (const std::string problem = forms.StoreProblem(index, false); !problem.empty()) throw EAmbitError(problem);
  forms.Activate(-1);
  const std::vector<TFormTexts> texts = CollectFormTexts(forms);
  forms.Activate(index);
  for (const std::string& line : forms.Warnings()) Err << "ambit export: warning: " << line << "\n";

  exchange::TExchangeFile file;
  file.Language = source->GetLanguageName(index);
  file.SourceCode = sourceLang;
  file.TargetCode = hasTarget ? targetLang : exchange::LanguageCode(file.Language);
  if (args.Files.size() == 1 && IsProjectFile(args.Files[0]))
    file.Project = std::filesystem::absolute(args.Files[0]).lexically_normal().string();
  int translated = 0;
  host::TStringList stored;
  for (const TFormTexts& f : texts) {
    LoadStored(source, f.Form->Name(), stored);
    for (const TFormText& t : f.Texts) {
      exchange::TUnit unit;
      unit.Section = f.Form->Name();
      unit.Record = t.Name;
      unit.Source = t.Original;
      if (const int k = stored.IndexOfName(t.Name); k >= 0) {
        unit.Target = stored.ValueFromIndex(k);
        unit.HasTarget = true;
        ++translated;
      }
      if (!t.ClassName.empty()) unit.Note = t.ClassName + "." + t.Property;
      file.Units.push_back(std::move(unit));
    }
  }
  const std::string text = format == "xliff" ? exchange::WriteXliff(file) : exchange::WritePo(file);
  host::WriteFileAtomic(outFile, text);
  Out << "wrote " << outFile << ": " << file.Units.size() << " units of " << texts.size() << " forms in "
      << file.Language << ", " << translated << " translated\n";
  return ExitOk;
}

}  // namespace ambit::cli
