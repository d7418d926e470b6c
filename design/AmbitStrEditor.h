// The strings editor: a small modal dialog in which one localizable value
// is edited as several lines, shown in the character set of the language
// being edited.
#pragma once

#include <string>

#include "host/controls/Forms.h"
#include "host/core/Graphics.h"

namespace host {
class TButton;
class TMemo;
class TPanel;
}  // namespace host

namespace ambit {

class TfmStringsEditor : public host::TForm {
  HOST_CLASS(TfmStringsEditor)
public:
  explicit TfmStringsEditor(host::TComponent* AOwner);

  host::TMemo* mmStrings = nullptr;
  host::TPanel* paButtons = nullptr;
  host::TButton* buOK = nullptr;
  host::TButton* buCancel = nullptr;

  void Localize();

private:
  void FormCreate(host::TObject* Sender);
};

// Edits S as multi-line text (lines split at CR LF, CR or LF) in a font of
// character set CharSet. True when the user confirmed; only then is S
// replaced, every line followed by CR LF.
bool EditString(std::string& S, host::TFontCharset CharSet);
// The same for a comma text: one item per line.
bool EditStrings(std::string& S, host::TFontCharset CharSet);

}  // namespace ambit
