// ambit import: the translations of an XLIFF or PO file, written into the
// language through the project's language source, as saving writes them.
#include <filesystem>
#include <map>
#include <ostream>

#include "apps/ambit/Commands.h"
#include "apps/ambit/FormTexts.h"
#include "apps/ambit/StoreChecks.h"
#include "apps/ambit/exchange/Exchange.h"
#include "host/core/CaseFold.h"
#include "host/stream/FormStream.h"

namespace ambit::cli {

const char* const ImportHelp =
    "Usage: ambit import FILE [PROJECTFILE|FORMFILE...] [--language NAME] [--format xliff|po]\n"
    "                    [--source NAME]\n"
    "\n"
    "Reads an XLIFF 2.0 or PO file (as ambit export writes it, after a\n"
    "translator worked on it) and writes each translated unit into the\n"
    "language through the project's language source, exactly as saving a\n"
    "form does (language files or a database table). The project and the\n"
    "language are those the file names, unless given here; the format is\n"
    "told by the file name (.xlf, .xliff, .po) or its text.\n"
    "\n"
    "A unit is taken only when its form and record are in the project and\n"
    "its source text is still the form's designed text. A unit without a\n"
    "translation (no target, an empty msgstr, a target in state \"initial\"\n"
    "that repeats the source) is left out; a target in state \"initial\" that\n"
    "differs from the source is reported, as the tool did not mark it done;\n"
    "a translation the language already holds is not written again, so\n"
    "importing an untouched export changes no byte of any language file.\n"
    "Every unit that cannot be placed is reported (unknown form or record,\n"
    "source text changed since the export, markup or a fuzzy mark) and\n"
    "changes nothing.\n"
    "\n"
    AMBIT_SOURCE_OPTION_HELP
    "\n"
    "Exit status: 0 every translated unit was placed; 1 some could not be\n"
    "placed (the others were written), or a file is missing or malformed,\n"
    "the language is unknown or cannot be written; 2 bad usage.\n";

namespace {

bool IsXliff(const std::string& FileName, const std::string& Format, const std::string& Text) {
  if (!Format.empty()) return Format == "xliff";
  const std::string ext = host::FoldCase(std::filesystem::path(FileName).extension().string());
  if (ext == ".xlf" || ext == ".xliff") return true;
  if (ext == ".po" || ext == ".pot") return false;
  const std::size_t first = Text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
  return first != std::string::npos && Text[first] == '<';
}

// The language the file is for: named in it, else found by its code.
std::string LanguageOf(const exchange::TExchangeFile& File, const TLocalizedForms& Forms) {
  if (!File.Language.empty()) return File.Language;
  for (int i = 0; i < Forms.Source()->Languages()->Count(); ++i)
    if (!File.TargetCode.empty() && exchange::LanguageCode(Forms.Source()->GetLanguageName(i)) == File.TargetCode)
      return Forms.Source()->GetLanguageName(i);
  throw EAmbitError("the file does not say which language of the project it translates (code '" + File.TargetCode +
                    "'): give --language NAME; the languages are " + Forms.LanguageNames());
}

}  // namespace

int RunImport(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  std::vector<std::string> rest = Args;
  std::string format, error;
  bool given = false;
  TLanguageArgs args;
  if (!TakeOption(rest, "format", format, given, error) || !ParseLanguageArgs(rest, args, error)) {
    Err << "ambit import: " << error << " (see ambit import --help)\n";
    return ExitUsage;
  }
  if (given && format != "xliff" && format != "po") {
    Err << "ambit import: --format is xliff or po, not '" << format << "'\n";
    return ExitUsage;
  }
  if (args.Files.empty()) {
    Err << "ambit import: expected the file to import (see ambit import --help)\n";
    return ExitUsage;
  }
  const std::string exchangeName = args.Files.front();
  args.Files.erase(args.Files.begin());
  const std::string text = host::ReadFileText(exchangeName);
  const exchange::TExchangeFile file =
      IsXliff(exchangeName, format, text) ? exchange::ReadXliff(text, exchangeName) : exchange::ReadPo(text, exchangeName);
  if (args.Files.empty()) {
    if (!file.Project.empty())
      args.Files.push_back(file.Project);
    else
      args.Files = DefaultProject("import");
  }
  TLocalizedForms forms(args.Files, args.Source);
  TAmCustomLanguageSource* source = forms.Source();
  if (!source) {
    Err << "ambit import: none of the loaded forms has a language source\n";
    return ExitFailure;
  }
  if (!source->IsDesignTime()) {
    Err << "ambit import: the language source " << SourceTitle(source)
        << " keeps its texts in the application; there is nothing to write from here\n";
    return ExitFailure;
  }
  const int index = SelectLanguages(forms, {args.HasLanguage ? args.Language : LanguageOf(file, forms)}, false).front();
  if (const std::string problem = forms.StoreProblem(index, true); !problem.empty()) {
    Err << "ambit import: " << problem << "; nothing was written\n";
    return ExitFailure;
  }
  forms.Activate(-1);
  const std::vector<TFormTexts> texts = CollectFormTexts(forms);
  forms.Activate(index);
  if (const std::string problem = KeySpellingProblem(source, index); !problem.empty()) {
    Err << "ambit import: " << problem << "; nothing was written\n";
    return ExitFailure;
  }
  std::map<std::string, const TFormTexts*> byName;
  for (const TFormTexts& f : texts) byName.emplace(host::FoldCase(f.Form->Name()), &f);
  std::map<const TFormTexts*, host::TStringList> stored;

  int written = 0, unchanged = 0, untranslated = 0, refused = 0;
  auto refuse = [&](const exchange::TUnit& u, const std::string& Why) {
    Out << "not taken: " << u.Where << ": " << u.Section << (u.Section.empty() ? "" : ".") << u.Record << " " << Why
        << "\n";
    ++refused;
  };
  for (const exchange::TUnit& u : file.Units) {
    if (!u.Refusal.empty()) {
      refuse(u, u.Refusal);
      continue;
    }
    const auto form = byName.find(host::FoldCase(u.Section));
    if (form == byName.end()) {
      refuse(u, "names the form " + u.Section + ", which the project does not have (or which has no localizer)");
      continue;
    }
    const TFormText* t = form->second->Find(u.Record);
    if (!t) {
      refuse(u, "names a record that the form " + u.Section + " does not save");
      continue;
    }
    if (u.Source != t->Original) {
      refuse(u, "was translated from a text the form no longer has (source changed since the export)");
      continue;
    }
    if (!u.HasTarget) {
      ++untranslated;
      continue;
    }
    auto [it, loaded] = stored.try_emplace(form->second);
    if (loaded) LoadStored(source, form->second->Form->Name(), it->second);
    if (const int k = it->second.IndexOfName(t->Name); k >= 0 && it->second.ValueFromIndex(k) == u.Target) {
      ++unchanged;
      continue;
    }
    source->SetFormSection(form->second->Form->Name());
    source->SaveString(t->Name, u.Target);
    ++written;
  }
  Out << "imported into " << source->GetLanguageName(index) << " (" << StoreOf(forms, index) << "): " << written
      << " written, " << unchanged << " unchanged, " << untranslated << " without translation, " << refused
      << " not taken\n";
  return refused ? ExitFailure : ExitOk;
}

}  // namespace ambit::cli
