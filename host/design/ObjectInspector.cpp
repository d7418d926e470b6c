#include "host/design/ObjectInspector.h"

#include <algorithm>

#include "host/core/CaseFold.h"
#include "host/design/FormDesigner.h"

namespace host {

TObjectInspector::TObjectInspector(TPropertyFilter Filter) : FFilter(Filter) {}

TObjectInspector::~TObjectInspector() { SetDesigner(nullptr); }

void TObjectInspector::SetDesigner(TFormDesigner* Designer) {
  if (FDesigner) FDesigner->Unsubscribe(FSubscription);
  FDesigner = Designer;
  FSubscription = 0;
  if (FDesigner)
    FSubscription = FDesigner->Subscribe([this](TDesignChange Change) {
      if (Change == dcDestroying)
        SetDesigner(nullptr);
      else if (Change == dcModified)
        FListeners.Notify();
      else
        Rebuild();
    });
  Rebuild();
}

const TObjectInspector::TRow& TObjectInspector::At(int Row) const {
  if (Row < 0 || Row >= RowCount()) throw EListError("Inspector row out of bounds (" + IntToStr(Row) + ")");
  return FRows[static_cast<std::size_t>(Row)];
}

std::vector<TObjectInspector::TRow> TObjectInspector::MakeRows(
    const std::function<void(const TGetPropProc&)>& Source, const std::string& Prefix, int Level, bool Sort) {
  std::vector<TRow> rows;
  Source([&](std::unique_ptr<TPropertyEditor> Editor) {
    if (!Editor) return;
    TRow row;
    row.Path = Prefix + Editor->GetName();
    row.Level = Level;
    row.Editor = std::move(Editor);
    rows.push_back(std::move(row));
  });
  if (Sort)
    std::stable_sort(rows.begin(), rows.end(), [](const TRow& A, const TRow& B) {
      return CompareText(A.Editor->GetName(), B.Editor->GetName()) < 0;
    });
  return rows;
}

void TObjectInspector::Rebuild() {
  if (FBusy > 0) {
    // A row's editor is at work: it must outlive its own call.
    FRebuildPending = true;
    return;
  }
  FRebuildPending = false;
  FRows.clear();
  if (FDesigner) {
    TDesignerSelections selection = FDesigner->GetSelections();
    if (selection.empty()) selection.push_back(FDesigner->GetRoot());
    try {
      FRows = MakeRows([&](const TGetPropProc& Proc) { GetComponentProperties(selection, FDesigner, Proc, FFilter); },
                       std::string(), 0, true);
      // Rows inserted below an expanded row are visited in turn, so nested
      // expansions come back too.
      for (std::size_t i = 0; i < FRows.size(); ++i) {
        const bool wanted = std::any_of(FExpandedPaths.begin(), FExpandedPaths.end(),
                                        [&](const std::string& p) { return SameText(p, FRows[i].Path); });
        if (wanted && FRows[i].Editor->GetAttributes().Contains(paSubProperties)) InsertChildren(i);
      }
    } catch (const std::exception& e) {
      ShowDesignError(e.what());
    }
  }
  FListeners.Notify();
}

void TObjectInspector::InsertChildren(std::size_t Row) {
  TPropertyEditor* editor = FRows[Row].Editor.get();
  const bool sort = dynamic_cast<TSetProperty*>(editor) == nullptr;
  std::vector<TRow> children = MakeRows([&](const TGetPropProc& Proc) { editor->GetProperties(Proc); },
                                        FRows[Row].Path + ".", FRows[Row].Level + 1, sort);
  FRows[Row].Expanded = true;
  FRows.insert(FRows.begin() + static_cast<std::ptrdiff_t>(Row) + 1, std::make_move_iterator(children.begin()),
               std::make_move_iterator(children.end()));
}

const std::string& TObjectInspector::Path(int Row) const { return At(Row).Path; }
std::string TObjectInspector::Name(int Row) const { return At(Row).Editor->GetName(); }
int TObjectInspector::Level(int Row) const { return At(Row).Level; }
bool TObjectInspector::Expanded(int Row) const { return At(Row).Expanded; }
TPropertyEditor* TObjectInspector::Editor(int Row) const { return At(Row).Editor.get(); }

std::string TObjectInspector::Value(int Row) const {
  const TRow& r = At(Row);
  try {
    return r.Editor->AllEqual() ? r.Editor->GetValue() : std::string();
  } catch (const std::exception&) {
    // A value that cannot be read shows as none; the row stays usable.
    return {};
  }
}

TPropertyAttributes TObjectInspector::Attributes(int Row) const {
  try {
    return At(Row).Editor->GetAttributes();
  } catch (const std::exception&) {
    return {};
  }
}

int TObjectInspector::FindRow(std::string_view Path) const {
  for (int i = 0; i < RowCount(); ++i)
    if (SameText(FRows[static_cast<std::size_t>(i)].Path, Path)) return i;
  return -1;
}

bool TObjectInspector::Guard(const std::function<void()>& Action) {
  bool ok = true;
  ++FBusy;
  try {
    Action();
  } catch (const std::exception& e) {
    ShowDesignError(e.what());
    ok = false;
  }
  --FBusy;
  if (FBusy == 0 && FRebuildPending) Rebuild();
  return ok;
}

bool TObjectInspector::Expand(int Row) {
  const TRow& r = At(Row);
  if (r.Expanded || !Expandable(Row)) return true;
  const bool ok = Guard([&] { InsertChildren(static_cast<std::size_t>(Row)); });
  if (ok) FExpandedPaths.push_back(FRows[static_cast<std::size_t>(Row)].Path);
  FListeners.Notify();
  return ok;
}

void TObjectInspector::Collapse(int Row) {
  At(Row);
  TRow& r = FRows[static_cast<std::size_t>(Row)];
  if (!r.Expanded) return;
  std::size_t end = static_cast<std::size_t>(Row) + 1;
  while (end < FRows.size() && FRows[end].Level > r.Level) ++end;
  FRows.erase(FRows.begin() + Row + 1, FRows.begin() + static_cast<std::ptrdiff_t>(end));
  r.Expanded = false;
  const std::string prefix = r.Path + ".";
  std::erase_if(FExpandedPaths, [&](const std::string& p) {
    return SameText(p, r.Path) || (p.size() > prefix.size() && SameText(p.substr(0, prefix.size()), prefix));
  });
  FListeners.Notify();
}

std::vector<std::string> TObjectInspector::GetValues(int Row) {
  std::vector<std::string> values;
  TPropertyEditor* editor = At(Row).Editor.get();
  if (!Guard([&] { editor->GetValues([&](const std::string& S) { values.push_back(S); }); })) return {};
  if (Attributes(Row).Contains(paSortList))
    std::stable_sort(values.begin(), values.end(),
                     [](const std::string& A, const std::string& B) { return CompareText(A, B) < 0; });
  return values;
}

bool TObjectInspector::SetValue(int Row, const std::string& Value) {
  TPropertyEditor* editor = At(Row).Editor.get();
  return Guard([&] { editor->SetValue(Value); });
}

bool TObjectInspector::Edit(int Row) {
  TPropertyEditor* editor = At(Row).Editor.get();
  return Guard([&] { editor->Edit(); });
}

void TObjectInspector::Activate(int Row) {
  TPropertyEditor* editor = At(Row).Editor.get();
  Guard([&] { editor->Activate(); });
}

}  // namespace host
