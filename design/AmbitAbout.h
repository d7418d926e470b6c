// The About box: the suite's name and version in a small modal window,
// opened by the About verb of the component editors and by the ellipsis of
// the About and _Version properties.
#pragma once

#include "host/controls/Forms.h"

namespace host {
class TBevel;
class TButton;
class TLabel;
}  // namespace host

namespace ambit {

class TfmAbout : public host::TForm {
  HOST_CLASS(TfmAbout)
public:
  explicit TfmAbout(host::TComponent* AOwner);

  host::TLabel* laProduct = nullptr;
  host::TLabel* laVersion = nullptr;
  host::TLabel* laDescription = nullptr;
  host::TBevel* Bevel1 = nullptr;
  host::TButton* buOK = nullptr;

  void Localize();

private:
  void FormCreate(host::TObject* Sender);
};

// Shows the About box modally and frees it.
void ShowAboutForm();

}  // namespace ambit
