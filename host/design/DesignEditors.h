// Component editors and property editors: what a plug-in derives from to
// give a component verbs on its context menu and a double-click action, and
// a property its text, drop-down list and dialog in the object inspector.
//
// The host creates an editor for one use (one menu, one double-click, one
// inspector row) and frees it afterwards, so editors keep no state across
// uses. They do not own the components or the designer they are given.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/design/DesignIntf.h"

namespace host {

class TMenuItem;
class TStrings;

// ---- component editors -----------------------------------------------------

class TComponentEditor {
public:
  TComponentEditor(TComponent* AComponent, IDesigner* ADesigner) : FComponent(AComponent), FDesigner(ADesigner) {}
  virtual ~TComponentEditor() = default;
  TComponentEditor(const TComponentEditor&) = delete;
  TComponentEditor& operator=(const TComponentEditor&) = delete;

  // Runs on a double-click: the first verb, when there is one.
  virtual void Edit();
  // Runs the verb the user chose from the context menu (counted from 0).
  virtual void ExecuteVerb(int Index) {}
  // The caption of a verb; the context menu shows GetVerbCount of them,
  // in order, before the designer's own items.
  virtual std::string GetVerb(int Index) { return {}; }
  virtual int GetVerbCount() { return 0; }
  // A last look at the menu item of a verb before the menu shows (check
  // marks, sub-items). The item belongs to the menu.
  virtual void PrepareItem(int Index, TMenuItem* AItem) {}
  virtual void Copy() {}

  TComponent* Component() const { return FComponent; }
  IDesigner* Designer() const { return FDesigner; }

private:
  TComponent* FComponent;
  IDesigner* FDesigner;
};

// The editor of components that have no registered one. A double-click
// offers every property and event of the component to EditProperty and
// then edits the one chosen: the OnCreate event before OnChange before
// OnClick, else the first event.
class TDefaultEditor : public TComponentEditor {
public:
  using TComponentEditor::TComponentEditor;
  void Edit() override;

protected:
  // Looks at one property; clearing Continue ends the walk. The default
  // remembers the best event to edit; an override that does nothing
  // chooses nothing, so that a double-click does nothing.
  virtual void EditProperty(TPropertyEditor* Prop, bool& Continue);

private:
  TPropertyEditor* FFirst = nullptr;
  TPropertyEditor* FBest = nullptr;
};

// ---- property editors ------------------------------------------------------

enum TPropertyAttribute {
  paValueList,       // a drop-down list of values (GetValues)
  paSubProperties,   // expandable into sub-properties (GetProperties)
  paDialog,          // an ellipsis button that runs Edit
  paMultiSelect,     // shown when several components are selected
  paAutoUpdate,      // SetValue on every keystroke
  paSortList,        // the drop-down list is sorted
  paReadOnly,        // the value text cannot be typed
  paRevertable,      // can be reverted to the inherited value
  paFullWidthName,
  paVolatileSubProperties,
  paNotNestable,
};
using TPropertyAttributes = TSet<TPropertyAttribute>;

using TGetPropProc = std::function<void(std::unique_ptr<TPropertyEditor> Prop)>;

// A text a property cannot take.
class EPropertyError : public Exception {
  using Exception::Exception;
};

// The editor of one property of one or more selected objects (components or
// their nested objects: a font, a source's field names). The host sets the
// entries (object and property record) and calls Initialize before use.
class TPropertyEditor {
public:
  TPropertyEditor(IDesigner* ADesigner, int APropCount);
  virtual ~TPropertyEditor();
  TPropertyEditor(const TPropertyEditor&) = delete;
  TPropertyEditor& operator=(const TPropertyEditor&) = delete;

  virtual void Initialize() {}
  // The row became the inspector's current one.
  virtual void Activate() {}
  // Whether every selected object holds the same value (otherwise the
  // inspector shows no value).
  virtual bool AllEqual() const;
  // Whether typing completes from the value list.
  virtual bool AutoFill() const { return true; }
  // Runs for the ellipsis button and for a double-click on the value; the
  // default steps to the next entry of the value list.
  virtual void Edit();
  virtual TPropertyAttributes GetAttributes() const;
  // The longest text the value cell takes; 0: no limit.
  virtual int GetEditLimit() const { return 0; }
  // The name shown in the inspector: the property's name.
  virtual std::string GetName() const;
  // Hands out the editors of the sub-properties (paSubProperties).
  virtual void GetProperties(const TGetPropProc& Proc) {}
  // The value as text.
  virtual std::string GetValue() const;
  // Passes each entry of the drop-down list to Proc, in order; called each
  // time the list opens.
  virtual void GetValues(const TGetStrProc& Proc) const {}
  // Takes a text typed or chosen in the inspector. Raises for a text the
  // property cannot take; nothing is changed then.
  virtual void SetValue(const std::string& Value) {}

  // The object Index of the selection (0: the first selected one).
  TPersistent* GetComponent(int Index) const;
  IDesigner* Designer() const { return FDesigner; }
  int PropCount() const { return static_cast<int>(FEntries.size()); }
  const TPropInfo* GetPropInfo() const { return FEntries.empty() ? nullptr : FEntries.front().Prop; }
  // The property record of object Index (objects of different classes may
  // publish a property of one name through different records).
  const TPropInfo* GetPropInfoAt(int Index) const;
  const TTypeInfo* GetPropType() const;

  // Values of the first object, and of object Index.
  std::int64_t GetOrdValue() const { return GetOrdValueAt(0); }
  std::int64_t GetOrdValueAt(int Index) const;
  std::string GetStrValue() const { return GetStrValueAt(0); }
  std::string GetStrValueAt(int Index) const;
  double GetFloatValue() const { return GetFloatValueAt(0); }
  double GetFloatValueAt(int Index) const;
  TObject* GetObjectValue() const { return GetObjectValueAt(0); }
  TObject* GetObjectValueAt(int Index) const;
  // Set the value of every selected object, then tell the designer.
  void SetOrdValue(std::int64_t Value);
  void SetStrValue(const std::string& Value);
  void SetFloatValue(double Value);
  void SetObjectValue(TObject* Value);
  // Tells the designer that the form changed.
  void Modified();

  // Used by the host when it creates the editor.
  void SetPropEntry(int Index, TPersistent* Instance, const TPropInfo* PropInfo);

private:
  struct TEntry {
    TPersistent* Instance = nullptr;
    const TPropInfo* Prop = nullptr;
  };
  const TEntry& Entry(int Index) const;
  IDesigner* FDesigner;
  std::vector<TEntry> FEntries;
};

class TOrdinalProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() const override;
  TPropertyAttributes GetAttributes() const override;
};

// Integers as decimal text; a text that is no integer raises EConvertError.
class TIntegerProperty : public TOrdinalProperty {
public:
  using TOrdinalProperty::TOrdinalProperty;
  std::string GetValue() const override;
  void SetValue(const std::string& Value) override;
};

class TCharProperty : public TOrdinalProperty {
public:
  using TOrdinalProperty::TOrdinalProperty;
  std::string GetValue() const override;
  void SetValue(const std::string& Value) override;
};

// Enumerations: the value's name, a drop-down of every name.
class TEnumProperty : public TOrdinalProperty {
public:
  using TOrdinalProperty::TOrdinalProperty;
  TPropertyAttributes GetAttributes() const override;
  std::string GetValue() const override;
  void GetValues(const TGetStrProc& Proc) const override;
  void SetValue(const std::string& Value) override;
};

class TBoolProperty : public TEnumProperty {
public:
  using TEnumProperty::TEnumProperty;
};

class TFloatProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() const override;
  TPropertyAttributes GetAttributes() const override;
  std::string GetValue() const override;
  void SetValue(const std::string& Value) override;
};

class TStringProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() const override;
  TPropertyAttributes GetAttributes() const override;
  std::string GetValue() const override;
  void SetValue(const std::string& Value) override;
};

// Sets: "[a,b]", expanded into one True/False row per element.
class TSetProperty : public TOrdinalProperty {
public:
  using TOrdinalProperty::TOrdinalProperty;
  TPropertyAttributes GetAttributes() const override;
  void GetProperties(const TGetPropProc& Proc) override;
  std::string GetValue() const override;
  void SetValue(const std::string& Value) override;
};

// Nested objects (a font, a source's field names): "(TFont)", expanded
// into the object's own properties.
class TClassProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() const override;
  void GetProperties(const TGetPropProc& Proc) override;
  std::string GetValue() const override;
};

// References to components of this form or of another open form, chosen
// from a drop-down of the components of a fitting class.
class TComponentProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() const override;
  TPropertyAttributes GetAttributes() const override;
  std::string GetValue() const override;
  void GetValues(const TGetStrProc& Proc) const override;
  // "" clears the reference; a name no fitting component has raises.
  void SetValue(const std::string& Value) override;
};

// String lists: "(TStrings)", edited as multi-line text in a dialog.
class TStringListProperty : public TClassProperty {
public:
  using TClassProperty::TClassProperty;
  TPropertyAttributes GetAttributes() const override;
  void GetProperties(const TGetPropProc& Proc) override {}
  void Edit() override;
};

// Events: the handler name the form file keeps. Edit gives an event without
// a handler the usual name (component name and event without "On").
class TMethodProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() const override;
  TPropertyAttributes GetAttributes() const override;
  std::string GetValue() const override;
  // The handler names already used on the form.
  void GetValues(const TGetStrProc& Proc) const override;
  void SetValue(const std::string& Value) override;
  void Edit() override;
};

// What GetComponentProperties hands out.
enum TPropertyFilter { pfProperties, pfEvents };

// Creates an editor for every published property (or every event) that all
// of Components have: the registered editor, else the default one for the
// kind; properties registered without an editor are left out, and so are
// those whose editor does not take several objects when several are given.
// Order: the properties' own (ancestors first, declaration order).
void GetComponentProperties(const TDesignerSelections& Components, IDesigner* Designer, const TGetPropProc& Proc,
                            TPropertyFilter Filter = pfProperties);

// The text edited for a string list in the strings dialog, and back.
bool EditStringsDialog(TStrings* Strings, const std::string& Caption);

}  // namespace host
