// What the two add/edit language dialogs share: the language-name row, the
// button panel along the bottom, the OK-state rule and the refusal of a
// name the list already has. Each dialog adds the row of its value.
#pragma once

#include <string>
#include <vector>

#include "host/controls/Forms.h"

namespace host {
class TBevel;
class TButton;
class TEdit;
class TLabel;
class TPanel;
}  // namespace host

namespace ambit {

// Names a language may not take: those of the other languages of the list
// it goes into. Compared without regard to case or surrounding blanks.
using TLanguageNames = std::vector<std::string>;

class TLanguageDialog : public host::TForm {
  HOST_CLASS(TLanguageDialog)
public:
  host::TLabel* laLangName = nullptr;
  host::TEdit* edLangName = nullptr;
  host::TPanel* paButtons = nullptr;
  host::TBevel* Bevel1 = nullptr;
  host::TButton* buCancel = nullptr;
  host::TButton* buOK = nullptr;

  // The OK-state rule: OK is enabled exactly when the language name and
  // the value, each trimmed of blanks, are not empty.
  void edLangNameChange(host::TObject* Sender);
  void SetTakenNames(TLanguageNames Names) { FTakenNames = std::move(Names); }
  // The name as it would go into the list is refused (why, as a message),
  // or "" when it may be taken.
  std::string RefusalOf(const std::string& Name) const;

protected:
  // The client area is 355 x 95; the name row is the first row.
  explicit TLanguageDialog(host::TComponent* AOwner);
  // The text of the value field (file name or field value).
  virtual std::string ValueText() const = 0;
  // Adds the button panel; the dialog calls it after its own fields, so
  // that the buttons come last in the tab order.
  void AddButtonPanel();
  // Top of the second row's edit and of its label.
  static constexpr int ValueRowTop = 33;
  static constexpr int FieldLeft = 108;

private:
  // Keeps the dialog open when OK was pressed on a refused name.
  void FormCloseQuery(host::TObject* Sender, bool& CanClose);
  TLanguageNames FTakenNames;
};

}  // namespace ambit
