// ambit stats: how much of each form each language translates: records,
// translated, missing (only the designed text applies) and orphaned
// (stored records that name no component or property of the form).
#include <iomanip>
#include <ostream>

#include "apps/ambit/Commands.h"
#include "apps/ambit/FormTexts.h"
#include "apps/ambit/Json.h"

namespace ambit::cli {

const char* const StatsHelp =
    "Usage: ambit stats PROJECTFILE|FORMFILE... [--language NAME]... [--format text|json] [--source NAME]\n"
    "\n"
    "Counts, per language and per form, the records the form's localizer\n"
    "saves, how many of them the language translates, how many are missing\n"
    "(the form shows its designed text there) and how many records the\n"
    "language stores that name no component or property of the form any\n"
    "more (orphaned), with totals per language. Without --language every\n"
    "language of the source is counted; --language may be given more than\n"
    "once. A record whose stored text is empty counts as missing, as the\n"
    "forms show the designed text for it. --format json prints the same\n"
    "numbers for scripts.\n"
    "\n"
    AMBIT_SOURCE_OPTION_HELP
    "\n"
    "Exit status: 0 done; 1 a file is missing or malformed, there is no\n"
    "language source or a language is unknown; 2 bad usage.\n";

namespace {

struct TCounts {
  int Records = 0, Translated = 0, Missing = 0, Orphaned = 0;
  void Add(const TCounts& c) {
    Records += c.Records;
    Translated += c.Translated;
    Missing += c.Missing;
    Orphaned += c.Orphaned;
  }
};

TCounts Count(TAmCustomLanguageSource* Source, const TFormTexts& Form) {
  TCounts counts;
  host::TStringList stored;
  LoadStored(Source, Form.Form->Name(), stored);
  counts.Records = static_cast<int>(Form.Texts.size());
  for (const TFormText& text : Form.Texts)
    ++(stored.IndexOfName(text.Name) >= 0 ? counts.Translated : counts.Missing);
  for (int i = 0; i < stored.Count(); ++i) {
    const std::string name = stored.Names(i);
    if (!Form.Find(name) && !Form.NamesProperty(name)) ++counts.Orphaned;
  }
  return counts;
}

std::string JsonCounts(const TCounts& c) {
  return "\"records\": " + std::to_string(c.Records) + ", \"translated\": " + std::to_string(c.Translated) +
         ", \"missing\": " + std::to_string(c.Missing) + ", \"orphaned\": " + std::to_string(c.Orphaned);
}

void TextRow(std::ostream& Out, const std::string& Name, const TCounts& c, std::size_t Width) {
  Out << "  " << std::left << std::setw(static_cast<int>(Width)) << Name << std::right << std::setw(9) << c.Records
      << std::setw(12) << c.Translated << std::setw(9) << c.Missing << std::setw(10) << c.Orphaned << "\n";
}

}  // namespace

int RunStats(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  std::vector<std::string> rest = Args;
  std::string format = "text", error;
  bool given = false;
  TLanguageArgs args;
  if (!TakeOption(rest, "format", format, given, error) || !ParseLanguageArgs(rest, args, error, true)) {
    Err << "ambit stats: " << error << " (see ambit stats --help)\n";
    return ExitUsage;
  }
  if (format != "text" && format != "json") {
    Err << "ambit stats: --format is text or json, not '" << format << "'\n";
    return ExitUsage;
  }
  if (args.Files.empty()) {
    Err << "ambit stats: expected form files or a project file (see ambit stats --help)\n";
    return ExitUsage;
  }
  TLocalizedForms forms(args.Files, args.Source);
  TAmCustomLanguageSource* source = forms.Source();
  if (!source) {
    Err << "ambit stats: none of the loaded forms has a language source\n";
    return ExitFailure;
  }
  const std::vector<int> languages = SelectLanguages(forms, args.Languages, false);
  for (int index : languages)
    if (const std::string problem = forms.StoreProblem(index, false); !problem.empty()) throw EAmbitError(problem);
  forms.Activate(-1);
  const std::vector<TFormTexts> texts = CollectFormTexts(forms);
  std::size_t width = 5;
  for (const TFormTexts& f : texts) width = std::max(width, f.Form->Name().size() + 2);

  const bool json = format == "json";
  if (json) Out << "{\"languages\": [";
  for (std::size_t l = 0; l < languages.size(); ++l) {
    const int index = languages[l];
    forms.Activate(index);
    for (const std::string& line : forms.Warnings()) Err << "ambit stats: warning: " << line << "\n";
    TCounts total;
    std::vector<TCounts> perForm;
    for (const TFormTexts& f : texts) {
      perForm.push_back(Count(source, f));
      total.Add(perForm.back());
    }
    const std::string name = source->GetLanguageName(index);
    if (json) {
      Out << (l ? ",\n" : "\n") << "  {\"language\": " << JsonString(name)
          << ", \"store\": " << JsonString(StoreOf(forms, index)) << ", \"forms\": [";
      for (std::size_t i = 0; i < texts.size(); ++i)
        Out << (i ? ",\n" : "\n") << "    {\"form\": " << JsonString(texts[i].Form->Name())
            << ", \"file\": " << JsonString(texts[i].File) << ", " << JsonCounts(perForm[i]) << "}";
      Out << "],\n   \"total\": {" << JsonCounts(total) << "}}";
    } else {
      Out << "; language: " << name << " (" << StoreOf(forms, index) << ")\n";
      Out << "  " << std::left << std::setw(static_cast<int>(width)) << "form" << std::right << std::setw(9)
          << "records" << std::setw(12) << "translated" << std::setw(9) << "missing" << std::setw(10) << "orphaned"
          << "\n";
      for (std::size_t i = 0; i < texts.size(); ++i) TextRow(Out, texts[i].Form->Name(), perForm[i], width);
      TextRow(Out, "total", total, width);
      Out << "\n";
    }
  }
  if (json) Out << "\n]}\n";
  return ExitOk;
}

}  // namespace ambit::cli
