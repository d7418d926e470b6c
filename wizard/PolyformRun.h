// What the localization wizard and `ambit template` share, so that a run in
// the designer and one from a build script write the same language file:
// the project's exclusion file and the recreation of a language file.
#pragma once

#include <string>

#include "host/core/Strings.h"

namespace ambit {

class TAmLanguageSource;

// The exclusion file of a project lists the forms left out of the last
// run, one form name per line. It lies beside the project file and takes
// its name with the extension replaced by "plf"; a name without any dot
// gets "plf" appended as it stands. Only the file name's own dot counts,
// never one in a folder's name.
std::string ExclusionFileName(const std::string& ProjectFileName);
// Names gets the file's lines; a missing file is created empty first.
// Raises the host's file errors.
void ReadExclusionFile(const std::string& FileName, host::TStrings* Names);
// Replaces the file's content with Names, one per line.
void WriteExclusionFile(const std::string& FileName, const host::TStrings* Names);

// True when Forms holds FormName, ignoring case.
bool IsChosenForm(const host::TStrings* Forms, const std::string& FormName);

// Erases from the language file of the language at Index every section
// that is neither one of Forms (a form's section is named after the form)
// nor "General Settings", which holds the language's name, reading order
// and character set. The file is the one the source opens, found through
// its file-name hook. While that language is active the source's store is
// closed for the rewrite and opened again afterwards, so that its next
// write does not bring back what was erased.
void RecreateLanguageFile(TAmLanguageSource* Source, int Index, const host::TStrings* Forms);

}  // namespace ambit
