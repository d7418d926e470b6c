// The dialogs service of the Qt widgetset: modal forms run a nested Qt
// event loop until their modal result is set (or they are closed, as the
// close query allows), message dialogs are QMessageBoxes and file dialogs
// QFileDialogs; each returns the host's modal result.
#pragma once

#include <QString>

#include "host/controls/Dialogs.h"

class QWidget;

namespace host::qt {

class TQtDialogs : public IDialogs {
public:
  TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) override;
  TModalResult ShowModal(TCustomForm* Form) override;
  bool OpenFile(TOpenDialog* Dialog) override;

  // How many modal forms are running (nested loops), for tests and tools.
  int ModalLevel() const { return FModalLevel; }

  // A host filter ("Text files (*.txt)|*.txt|All files|*") as Qt's name
  // filters ("Text files (*.txt)", "All files (*)").
  static QStringList NameFilters(const std::string& Filter);
  // The window a dialog belongs to: the active form's, else none.
  static QWidget* DialogParent();

private:
  int FModalLevel = 0;
};

}  // namespace host::qt
