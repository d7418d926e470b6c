// The value codec that keeps every stored text on one line, the naming rule
// that turns a component or property into a path relative to its form, the
// packing of caption lists into one text, and the suite's exception class.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "host/core/SysUtils.h"

namespace host {
class TComponent;
class TPersistent;
class TStrings;
class TTreeNodes;
class TListColumns;
class TDBGridColumns;
}  // namespace host

namespace ambit {

// Every error the suite raises itself; it carries one message.
class EAmbitError : public host::Exception {
public:
  using host::Exception::Exception;
};

// The one-line form of S: quoted segments (Quote doubled inside) with the
// control characters written between them as Escape + decimal code runs.
std::string GetEncodedString(std::string_view S, char Quote, char Escape);
// The same, appended to Out (for writers that build a record's line).
void AppendEncodedString(std::string& Out, std::string_view S, char Quote, char Escape);
// Whether Encoded is exactly GetEncodedString(S, Quote, Escape), told
// without building it.
bool IsEncodingOf(std::string_view S, std::string_view Encoded, char Quote, char Escape);
// The text that S encodes; tolerant of hand-edited values: a value that does
// not begin with Quote is returned as it is, bad codes are dropped, text
// after the final closing quote is ignored. Never raises.
std::string GetDecodedString(std::string_view S, char Quote, char Escape);
// The same, appended to Out (for readers that build a record's line).
void AppendDecodedString(std::string& Out, std::string_view S, char Quote, char Escape);
// AppendDecodedString, with the usual value (one quoted piece with no Quote
// inside) taken in one scan and one copy, without a call.
inline void AppendDecodedValue(std::string& Out, std::string_view S, char Quote, char Escape) {
  if (S.size() >= 2 && S.front() == Quote && S.back() == Quote &&
      std::memchr(S.data() + 1, Quote, S.size() - 2) == nullptr) {
    Out.append(S.data() + 1, S.size() - 2);
    return;
  }
  AppendDecodedString(Out, S, Quote, Escape);
}
// S without its quoting (doubled quotes reduced), or S itself when it is not
// quoted.
std::string ExtractQuotedString(std::string_view S, char Quote);

// The path of Obj relative to Root through the owner chain ("Frame1.btnOK"),
// or "" when it has none.
std::string GetFullName(const host::TPersistent* Obj, const host::TComponent* Root);
// GetFullName + "." + PropName; PropName alone for Root itself.
std::string GetFullPropName(const host::TPersistent* Obj, const host::TComponent* Root, std::string_view PropName);

// Caption lists as comma text, in index order.
std::string GetTreeNodesCaptions(const host::TTreeNodes* Nodes);
std::string GetListColumnsCaptions(const host::TListColumns* Columns);
std::string GetDBGridColumnsCaptions(const host::TDBGridColumns* Columns);

// Makes Strings hold exactly the items of the comma text Value, reusing the
// existing lines in place.
void SetStrings(host::TStrings* Strings, std::string_view Value);
// Set the first items' texts from the comma text Value; surplus items on
// either side are left alone.
void SetTreeNodesCaptions(host::TTreeNodes* Nodes, std::string_view Value);
void SetListColumnsCaptions(host::TListColumns* Columns, std::string_view Value);
void SetDBGridColumnsCaptions(host::TDBGridColumns* Columns, std::string_view Value);

}  // namespace ambit
