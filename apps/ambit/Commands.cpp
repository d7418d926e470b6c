#include "apps/ambit/Commands.h"

namespace ambit::cli {

const std::vector<TCommand>& Commands() {
  static const std::vector<TCommand> commands = {
      {"tree", "print the component tree of forms with their texts", TreeHelp, RunTree},
      {"show", "print every form's localizable texts in a language", ShowHelp, RunShow},
      {"template", "save every form's texts into a language file", TemplateHelp, RunTemplate},
      {"render", "draw every form in a language into PNG pictures", RenderHelp, RunRender},
      {"stats", "count translated, missing and orphaned texts per language and form", StatsHelp, RunStats},
      {"check", "find broken accelerators, placeholders, blanks, orphans and clipped texts", CheckHelp, RunCheck},
      {"export", "write a language's texts into an XLIFF 2.0 or PO file for translators", ExportHelp, RunExport},
      {"import", "take the translations of an XLIFF or PO file into the language", ImportHelp, RunImport},
      {"pseudo", "write a pseudo-language that shows clipped and untranslated texts", PseudoHelp, RunPseudo},
  };
  return commands;
}

const TCommand* FindCommand(const std::string& Name) {
  for (const TCommand& c : Commands())
    if (Name == c.Name) return &c;
  return nullptr;
}

}  // namespace ambit::cli
