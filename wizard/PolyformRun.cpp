#include "wizard/PolyformRun.h"

#include <filesystem>

#include "host/core/CaseFold.h"
#include "runtime/AmbitSource.h"

namespace ambit {

std::string ExclusionFileName(const std::string& ProjectFileName) {
  // A dot before the last slash belongs to a folder: replacing from there
  // would put the list elsewhere, over whatever that file holds.
  const std::size_t slash = ProjectFileName.rfind('/');
  const std::size_t dot = ProjectFileName.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return ProjectFileName + "plf";
  return ProjectFileName.substr(0, dot + 1) + "plf";
}

void ReadExclusionFile(const std::string& FileName, host::TStrings* Names) {
  std::error_code ec;
  if (!std::filesystem::exists(FileName, ec)) host::TStringList().SaveToFile(FileName);
  Names->LoadFromFile(FileName);
}

void WriteExclusionFile(const std::string& FileName, const host::TStrings* Names) { Names->SaveToFile(FileName); }

bool IsChosenForm(const host::TStrings* Forms, const std::string& FormName) { return Forms->IndexOf(FormName) >= 0; }

void RecreateLanguageFile(TAmLanguageSource* Source, int Index, const host::TStrings* Forms) {
  // The source's open file would write back what is erased here with its
  // next record: it is closed meanwhile and reads the file anew afterwards.
  const bool active = Source->ActiveLanguage() == Index;
  if (active) Source->CloseLanguage();
  try {
    TAmLanguageFile file(Source->LanguageFilePath(Index));
    host::TStringList sections;
    file.ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i) {
      const std::string section = sections.Get(i);
      // Without its settings the language would lose its name, and a
      // right-to-left one would turn left-to-right.
      if (!IsChosenForm(Forms, section) && !host::SameText(section, sGeneralSettingsSection))
        file.EraseSection(section);
    }
  } catch (...) {
    if (active) Source->OpenLanguage();
    throw;
  }
  if (active) Source->OpenLanguage();
}

}  // namespace ambit
