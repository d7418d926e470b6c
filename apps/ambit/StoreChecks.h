// Checks of a language source's store before and after a command switches
// to a language, each answering in words a user can act on: what is wrong
// and what to do. An empty answer means nothing is wrong.
#pragma once

#include <string>
#include <vector>

#include "runtime/Ambit.h"

namespace ambit::cli {

// "LanguageSource1 on MainForm".
std::string SourceTitle(const TAmCustomLanguageSource* Source);

// Lines of the source's Languages that name no language ("German" without
// "=", "=x" without a name), one message each.
std::vector<std::string> LanguageLineProblems(const TAmCustomLanguageSource* Source);

// Language Index has no value: no file name, or no key in the database.
std::string LanguageValueProblem(const TAmCustomLanguageSource* Source, int Index);

// A database source that cannot reach its table: no dataset, a column
// name that is empty or that the table does not have (the columns it has
// are listed), a table or database file that is missing.
std::string DatabaseProblem(TAmCustomLanguageSource* Source);

// After switching to language Index of a database source: its key has no
// rows while rows spell it otherwise, ignoring case. Reading compares keys
// exactly and writing finds rows ignoring case, so saving would overwrite
// the translations of the other spelling with the designed texts.
std::string KeySpellingProblem(TAmCustomLanguageSource* Source, int Index);

// After switching to a language of a file source: a file that is no
// language file, or one that holds no section of any of the forms.
std::vector<std::string> LanguageFileNotes(TAmCustomLanguageSource* Source,
                                           const std::vector<host::TComponent*>& Forms);

}  // namespace ambit::cli
