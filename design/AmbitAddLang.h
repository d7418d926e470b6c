// The add/edit language dialog of file sources: a language's name and the
// name of its language file, with a browse button. The dialog of database
// sources is in AmbitAddDBLang.
#pragma once

#include <string>
#include <vector>

#include "design/LanguageDialog.h"

namespace host {
class TOpenDialog;
class TStrings;
}  // namespace host

namespace ambit {

// One language as the add/edit language dialogs take and give it: its name
// and its value (the file name of a file source, the language field's
// value of a database source). Created and freed by the caller (a list
// row, a language entry).
class TLanguageInfo {
public:
  std::string Name;
  std::string Value;
};

// Makes Languages one "Name=Value" line per language of Infos, in order.
// Unlike setting values by name, equal names and empty values each keep a
// line of their own, so line k stays the k-th language the editor showed
// and an active index taken from that order names the right one.
void SetLanguageList(host::TStrings* Languages, const std::vector<const TLanguageInfo*>& Infos);

class TfmAddLanguage : public TLanguageDialog {
  HOST_CLASS(TfmAddLanguage)
public:
  explicit TfmAddLanguage(host::TComponent* AOwner);

  host::TLabel* laFileName = nullptr;
  host::TEdit* edFileName = nullptr;
  host::TBevel* Bevel2 = nullptr;
  host::TButton* buBrowse = nullptr;
  host::TOpenDialog* dlgOpen = nullptr;

  // Prepares the browse dialog for files of extension Ext (without the
  // dot; empty: any file).
  void SetFileExt(const std::string& Ext);
  const std::string& FileExt() const { return FFileExt; }
  // Runs the browse dialog; a chosen file's full path goes into the file
  // name, and nothing else is derived from it.
  void buBrowseClick(host::TObject* Sender);
  void Localize();

protected:
  std::string ValueText() const override;

private:
  void FormCreate(host::TObject* Sender);
  std::string FFileExt;
};

// Show the dialog for a new language or for Info's language. True when the
// user confirmed: then Info holds the texts as entered (not trimmed).
// Without Info nothing is shown. Taken: the names of the list's other
// languages, which the dialog refuses.
bool AddLanguage(TLanguageInfo* Info, const std::string& Ext, const TLanguageNames& Taken = {});
bool EditLanguage(TLanguageInfo* Info, const std::string& Ext, const TLanguageNames& Taken = {});

}  // namespace ambit
