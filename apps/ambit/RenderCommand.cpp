// ambit render: draws each form, localized, into a PNG picture, so that a
// translation can be looked at without a desktop.
#include <filesystem>
#include <ostream>

#include "apps/ambit/Commands.h"
#include "apps/ambit/LocalizedForms.h"
#include "host/core/CaseFold.h"
#ifdef AMBIT_WITH_QT
#include "host/controls/Forms.h"
#include "host/qt/QtRender.h"
#include "host/qt/QtWidgetSet.h"
#endif

namespace ambit::cli {

const char* const RenderHelp =
    "Usage: ambit render FORMFILE... [--language NAME] --out DIR [--source NAME]\n"
    "       ambit render PROJECTFILE [--language NAME] --out DIR [--source NAME]\n"
    "\n"
    "Loads the forms as ambit show does, switches the first language source\n"
    "to the language NAME (its display name, case ignored; the source's\n"
    "OriginalName gives the designed texts) and draws every form as its\n"
    "window shows it, menu bar included, into DIR/<FormName>-<Language>.png.\n"
    "Without --language every form is drawn in every language, the designed\n"
    "texts first. DIR is created when missing; each file written is reported.\n"
    "Forms without any language source are drawn with their designed texts.\n"
    "Each picture is written whole or not at all; a form too large for a\n"
    "picture (more than 16384 pixels a side) is refused.\n"
    "\n"
    "The forms are drawn offscreen: without a display (no DISPLAY or\n"
    "WAYLAND_DISPLAY) Qt's offscreen platform is used, unless QT_QPA_PLATFORM\n"
    "chooses another. Relative language file names in the source's Languages\n"
    "are resolved against the folder of the form file that holds the source.\n"
    "\n"
    AMBIT_SOURCE_OPTION_HELP
    "\n"
    "Exit status: 0 done; 1 a file is missing or malformed, there is no\n"
    "language source, the language is unknown, a picture cannot be written,\n"
    "or ambit was built without Qt; 2 bad usage.\n";

#ifdef AMBIT_WITH_QT

namespace {
// A language's display name as part of a file name.
std::string FilePart(std::string Name) {
  for (char& c : Name)
    if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
      c = '_';
  return Name.empty() ? std::string("_") : Name;
}
}  // namespace

int RunRender(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  std::vector<std::string> rest;
  std::string outDir;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    if (Args[i] == "--out") {
      if (i + 1 >= Args.size()) {
        Err << "ambit render: --out needs a folder (see ambit render --help)\n";
        return ExitUsage;
      }
      outDir = Args[++i];
    } else if (Args[i].rfind("--out=", 0) == 0) {
      outDir = Args[i].substr(6);
    } else {
      rest.push_back(Args[i]);
    }
  }
  TLanguageArgs args;
  std::string error;
  if (!ParseLanguageArgs(rest, args, error)) {
    Err << "ambit render: " << error << " (see ambit render --help)\n";
    return ExitUsage;
  }
  if (outDir.empty()) {
    Err << "ambit render: expected --out DIR (see ambit render --help)\n";
    return ExitUsage;
  }
  if (args.Files.empty()) {
    Err << "ambit render: expected form files or a project file (see ambit render --help)\n";
    return ExitUsage;
  }
  host::qt::UseOffscreenPlatform(false);
  // The widgetset outlives the forms: their widgets go before Qt does.
  host::qt::TQtWidgetSet widgets;
  TLocalizedForms forms(args.Files, args.Source);
  TAmCustomLanguageSource* source = forms.Source();
  std::vector<int> languages;
  if (!source) {
    // Forms without a source still have their designed texts to draw.
    if (args.HasLanguage && !host::SameText(args.Language, "Original")) {
      Err << "ambit render: none of the loaded forms has a language source, so only their designed texts can be "
             "drawn: leave out --language, or give --language Original\n";
      return ExitFailure;
    }
    languages.push_back(-1);
  } else if (args.HasLanguage) {
    languages.push_back(forms.LanguageIndex(args.Language));
  } else {
    for (int i = -1; i < source->Languages()->Count(); ++i) languages.push_back(i);
  }
  for (int index : languages)
    if (const std::string problem = forms.StoreProblem(index, false); !problem.empty()) throw EAmbitError(problem);
  std::filesystem::create_directories(outDir);
  for (int index : languages) {
    if (source) {
      forms.Activate(index);
      for (const std::string& line : forms.Warnings()) Err << "ambit render: warning: " << line << "\n";
    }
    const std::string language = FilePart(source ? source->GetLanguageName(index) : std::string("Original"));
    for (host::TComponent* c : forms.Forms()) {
      auto* form = host::As<host::TCustomForm>(c);
      if (!form) {
        Err << "ambit render: warning: " << c->Name() << " is not a form; it is not drawn\n";
        continue;
      }
      const std::string file = (std::filesystem::path(outDir) / (form->Name() + "-" + language + ".png")).string();
      host::qt::SaveFormImage(form, file);
      Out << "wrote " << file << "\n";
    }
  }
  return ExitOk;
}

#else

int RunRender(const std::vector<std::string>&, std::ostream&, std::ostream& Err) {
  Err << "ambit render: this ambit was built without Qt (AMBIT_QT off or Qt 6 Widgets missing)\n";
  return ExitFailure;
}

#endif

}  // namespace ambit::cli
