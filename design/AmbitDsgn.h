// The suite's component and property editors: the verbs and double-click
// of localizers and language sources, the drop-down of language names for
// ActiveLanguage, the About and _Version rows that open the About box, and
// the drop-down of field names for a database source's columns.
#pragma once

#include <string>

#include "host/design/DesignEditors.h"
#include "runtime/Ambit.h"

namespace ambit {

// Localizers: the About verb. A double-click does nothing: EditProperty
// chooses no property for the default editor to edit.
class TAmLocalizerEditor : public host::TDefaultEditor {
public:
  using TDefaultEditor::TDefaultEditor;
  void Edit() override;
  void ExecuteVerb(int Index) override;
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;

protected:
  void EditProperty(host::TPropertyEditor* Prop, bool& Continue) override;
};

// Language sources: About, and the language source editor (also on a
// double-click), after which the form counts as modified.
class TAmLangSourceEditor : public TAmLocalizerEditor {
public:
  using TAmLocalizerEditor::TAmLocalizerEditor;
  void Edit() override;
  void ExecuteVerb(int Index) override;
  // Also tells the designer that the form changed, for every index.
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;
};

// A source's ActiveLanguage shown and chosen by language name; the first
// name of the list, OriginalName, stands for -1. A text that is no
// language name (a number included) sets -1.
class TActiveLanguageProperty : public host::TIntegerProperty {
public:
  using TIntegerProperty::TIntegerProperty;
  host::TPropertyAttributes GetAttributes() const override;
  std::string GetValue() const override;
  void GetValues(const host::TGetStrProc& Proc) const override;
  void SetValue(const std::string& Value) override;

  // OriginalName, then every language name in list order.
  void GetValueList(host::TStrings* List) const;
  // The file-name hook installed on a file source while SetValue switches
  // it: the design-time name rule, then the source's own handler.
  void GetFileName(host::TObject* Sender, std::string& FileName);

private:
  TAmCustomLanguageSource* Source() const;
  TAmLangFileNameEvent FOldGetFileName;
};

// About: "(About Ambit Localizer)", read-only; the ellipsis opens the About box.
class TAmLocalizerAboutProperty : public host::TStringProperty {
public:
  using TStringProperty::TStringProperty;
  void Edit() override;
  host::TPropertyAttributes GetAttributes() const override;
  std::string GetValue() const override;
};

// _Version: the version, otherwise as About.
class TAmLocalizerVersionProperty : public TAmLocalizerAboutProperty {
public:
  using TAmLocalizerAboutProperty::TAmLocalizerAboutProperty;
  std::string GetValue() const override;
};

// A database source's column names chosen from its dataset's field
// definitions. A closed dataset whose definitions cannot be read without
// it is opened for the list and closed again.
class TAmDBLanguageFieldEditor : public host::TStringProperty {
public:
  using TStringProperty::TStringProperty;
  host::TPropertyAttributes GetAttributes() const override;
  void GetValues(const host::TGetStrProc& Proc) const override;
};

// Form localizers: About, and the form localizer editor (also on a
// double-click), after which the form counts as modified; with the source
// active on a language and editable at design time, also the template
// verb, which saves the whole form into that language.
class TAmFormLocalizerEditor : public TAmLocalizerEditor {
public:
  using TAmLocalizerEditor::TAmLocalizerEditor;
  void Edit() override;
  void ExecuteVerb(int Index) override;
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;

  // The file-name hook installed on a file source while the template is
  // written: the design-time name rule, then the source's own handler.
  void GetFileName(host::TObject* Sender, std::string& FileName);

private:
  void GenerateTemplate();
  TAmLangFileNameEvent FOldGetFileName;
};

}  // namespace ambit
