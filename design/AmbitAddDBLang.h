// The add/edit language dialog of database sources: a language's name and
// the value that stands for it in the table's language field, chosen from
// the values already in the table or typed in.
#pragma once

#include <string>

#include "design/AmbitAddLang.h"

namespace host {
class TComboBox;
class TDataSet;
}  // namespace host

namespace ambit {

class TfmAddDBLanguage : public TLanguageDialog {
  HOST_CLASS(TfmAddDBLanguage)
public:
  explicit TfmAddDBLanguage(host::TComponent* AOwner);

  host::TLabel* laFieldValue = nullptr;
  host::TComboBox* cbFieldValue = nullptr;

  // The table (not owned) and the name of its language field.
  void SetDataSet(host::TDataSet* DataSet, const std::string& FieldName);
  // Fills the value list once per dialog: the language field's values in
  // table order, each once without regard to case. The dataset is opened
  // for it and left as active as it was.
  void cbFieldValueDropDown(host::TObject* Sender);
  void Localize();

protected:
  std::string ValueText() const override;

private:
  void FormCreate(host::TObject* Sender);
  host::TDataSet* FDataSet = nullptr;
  std::string FFieldName;
  bool FListFilled = false;
};

// As AddLanguage and EditLanguage, for a database source: nothing is shown
// (false) without Info, without DataSet or with a blank FieldName.
bool AddDBLanguage(TLanguageInfo* Info, host::TDataSet* DataSet, const std::string& FieldName,
                   const TLanguageNames& Taken = {});
bool EditDBLanguage(TLanguageInfo* Info, host::TDataSet* DataSet, const std::string& FieldName,
                    const TLanguageNames& Taken = {});

}  // namespace ambit
