// The object inspector's model: one row per published property (or event)
// of the designer's selection, through the property's registered editor or
// the host's default one, nested objects and sets expandable into rows of
// their own. A view shows the rows and forwards what the user does: a text
// typed or picked, a drop-down opening, the ellipsis button, a row
// expanded. Rows are sorted by name within their level (a set's elements
// keep their order).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/design/DesignEditors.h"
#include "host/design/Listeners.h"

namespace host {

class TFormDesigner;

class TObjectInspector {
public:
  explicit TObjectInspector(TPropertyFilter Filter = pfProperties);
  ~TObjectInspector();
  TObjectInspector(const TObjectInspector&) = delete;
  TObjectInspector& operator=(const TObjectInspector&) = delete;

  // Shows the designer's selection (its form when nothing is selected) and
  // follows it; null shows nothing. The designer must outlive the
  // inspector or be replaced first.
  void SetDesigner(TFormDesigner* Designer);
  TFormDesigner* Designer() const { return FDesigner; }
  // Builds the rows again from the selection (expanded rows stay expanded).
  void Rebuild();

  int RowCount() const { return static_cast<int>(FRows.size()); }
  // Property path of a row: "Font.Style.fsBold".
  const std::string& Path(int Row) const;
  std::string Name(int Row) const;
  int Level(int Row) const;
  // The value text; empty when the selected objects differ.
  std::string Value(int Row) const;
  TPropertyAttributes Attributes(int Row) const;
  bool ReadOnly(int Row) const { return Attributes(Row).Contains(paReadOnly); }
  bool HasValueList(int Row) const { return Attributes(Row).Contains(paValueList); }
  bool HasDialog(int Row) const { return Attributes(Row).Contains(paDialog); }
  bool Expandable(int Row) const { return Attributes(Row).Contains(paSubProperties); }
  bool Expanded(int Row) const;
  TPropertyEditor* Editor(int Row) const;
  // The row of a path (ignoring case); -1 when it is not shown.
  int FindRow(std::string_view Path) const;

  // What the user does. An error (a text the property cannot take, a
  // failing editor) is shown through the dialogs service and gives false or
  // an empty list; nothing changes then.
  bool Expand(int Row);
  void Collapse(int Row);
  // The drop-down's entries, asked from the editor each time it opens.
  std::vector<std::string> GetValues(int Row);
  bool SetValue(int Row, const std::string& Value);
  // The ellipsis button, or a double-click on the value.
  bool Edit(int Row);
  void Activate(int Row);

  // Told whenever the rows or their values changed.
  int Subscribe(std::function<void()> Listener) { return FListeners.Add(std::move(Listener)); }
  void Unsubscribe(int Id) { FListeners.Remove(Id); }

private:
  struct TRow {
    std::unique_ptr<TPropertyEditor> Editor;
    std::string Path;
    int Level = 0;
    bool Expanded = false;
  };
  const TRow& At(int Row) const;
  std::vector<TRow> MakeRows(const std::function<void(const TGetPropProc&)>& Source, const std::string& Prefix,
                             int Level, bool Sort);
  void InsertChildren(std::size_t Row);
  bool Guard(const std::function<void()>& Action);

  TPropertyFilter FFilter;
  TFormDesigner* FDesigner = nullptr;
  int FSubscription = 0;
  std::vector<TRow> FRows;
  std::vector<std::string> FExpandedPaths;
  int FBusy = 0;
  bool FRebuildPending = false;
  TListeners<> FListeners;
};

}  // namespace host
