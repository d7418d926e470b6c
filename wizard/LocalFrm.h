// The wizard's dialog: the language to save into, whether to recreate the
// language file, and the forms to include. The forms left unchecked are
// remembered per project in its exclusion file (see PolyformRun.h).
#pragma once

#include <string>

#include "host/controls/Buttons.h"
#include "host/controls/ComboBox.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/ListControls.h"
#include "host/controls/RgbaImage.h"
#include "host/controls/StdCtrls.h"

namespace ambit {

inline constexpr const char* sLocalForm_Caption = "Localization wizard";
inline constexpr const char* sLocalForm_ExecBtn_Caption = "Execute";
inline constexpr const char* sLocalForm_BitBtn2_Caption = "Cancel";
inline constexpr const char* sLocalForm_Label1_Caption = "Extract for language";
inline constexpr const char* sLocalForm_Label2_Caption = "Include forms";
inline constexpr const char* sLocalForm_ckRecreated_Caption = "Recreate localization file";

class TLocalForm : public host::TForm {
  HOST_CLASS(TLocalForm)
public:
  // Created without owner by the wizard, which frees it after the run.
  explicit TLocalForm(host::TComponent* AOwner);

  host::TPanel* Panel1;
  host::TBitBtn* ExecBtn;
  host::TBitBtn* BitBtn2;
  host::TPanel* Panel2;
  host::TLabel* Label1;
  host::TLabel* Label2;
  host::TComboBox* LanguageList;
  host::TCheckBox* ckRecreated;
  host::TCheckListBox* FormList;

  // The project whose exclusion file the dialog reads and writes.
  void SetProjectPatch(const std::string& ProjectFileName);
  // Checks every form the exclusion file does not list (creating the file
  // empty when it is missing) and unchecks the others.
  void SetCheckList();
  // Execute: writes the unchecked forms into the exclusion file; the
  // button's modal result then closes the dialog.
  void ExecBtnClick(host::TObject* Sender);

  // The pictures on the two buttons.
  static host::TRgbaImage ExecuteGlyph();
  static host::TRgbaImage CancelGlyph();

private:
  void Localize();
  std::string FExclusionFile;
};

}  // namespace ambit
