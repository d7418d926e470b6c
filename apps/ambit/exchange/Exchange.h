// Exchange files for translators: a language's texts as XLIFF 2.0 or PO,
// one unit per record, keyed by form section and record name, with the
// designed text as source and the stored translation as target. Reading
// goes through well-kept parsers (pugixml for XLIFF, the gettext
// project's libgettextpo for PO); both formats map to the same model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/core/SysUtils.h"

namespace ambit::exchange {

// A file that cannot be read as an exchange file; the message names the
// file (and the line where the parser knows it).
class EExchangeError : public host::Exception {
  using host::Exception::Exception;
};

struct TUnit {
  std::string Section;  // the form section (the form's name)
  std::string Record;   // the record name
  std::string Source;   // the designed text
  std::string Target;   // the translation; meaningful with HasTarget
  bool HasTarget = false;
  std::string Note;     // class and property ("TButton.Caption"); not read from PO
  // Why the unit cannot be taken although the file is fine (markup this
  // suite cannot store, a fuzzy entry); empty when it can.
  std::string Refusal;
  std::string Where;    // for messages: "file:line" or the PO context
};

struct TExchangeFile {
  std::string Language;    // the language's display name in the project
  std::string SourceCode;  // BCP 47 code of the designed texts
  std::string TargetCode;  // BCP 47 code of the translation
  std::string Project;     // the project or first form file, absolute
  std::vector<TUnit> Units;
};

// XLIFF 2.0 text; Units with HasTarget get a target and state
// "translated", the others state "initial". Texts must be UTF-8
// (EExchangeError names the unit otherwise).
std::string WriteXliff(const TExchangeFile& File);
// Reads XLIFF 2.0; raises EExchangeError for text that is no XLIFF 2.0.
TExchangeFile ReadXliff(std::string_view Text, const std::string& FileName);

// PO text as the gettext tools write it: msgctxt "Section.Record", the
// source as msgid, the translation as msgstr ("" when there is none), the
// note as an extracted comment.
std::string WritePo(const TExchangeFile& File);
// Reads the text of a PO file (UTF-8); raises EExchangeError for a file
// the gettext parser rejects, naming each fault it reported.
TExchangeFile ReadPo(std::string_view Text, const std::string& FileName);

// The BCP 47 code of a language named in English or in its own words
// ("German", "Deutsch"), else a private-use code made of the name.
std::string LanguageCode(const std::string& Name);

}  // namespace ambit::exchange
