// The form localizer editor as a user drives it inside studio: a component
// chosen in the tree, a cell of the grid by its property path and column.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "design/AmbitFormEditor.h"
#include "host/controls/Grids.h"
#include "host/controls/TreeView.h"

namespace design_test {

struct TEditorUser {
  ambit::TfmFLEditor* Editor;
  // By the text of its node: "Name" matches "Name: TClass".
  void Select(const std::string& Text) {
    for (host::TTreeNode* n = Editor->tvComponents->Items()->GetFirstNode(); n; n = n->GetNext())
      if (n->Text().rfind(Text + ":", 0) == 0) return Editor->tvComponents->SetSelected(n);
    ADD_FAILURE() << "no node " << Text;
  }
  void Select(host::TComponent* Component) {
    for (host::TTreeNode* n = Editor->tvComponents->Items()->GetFirstNode(); n; n = n->GetNext())
      if (n->Data() == Component) return Editor->tvComponents->SetSelected(n);
    ADD_FAILURE() << "no node for " << Component->Name();
  }
  int Row(const std::string& Path) const {
    for (int r = 1; r < Editor->sgPropValues->RowCount(); ++r)
      if (Editor->sgPropValues->Cells(0, r) == Path) return r;
    ADD_FAILURE() << "no row " << Path;
    return 0;
  }
  std::string Cell(const std::string& Path, int Col) const { return Editor->sgPropValues->Cells(Col, Row(Path)); }
  void Go(int Col, const std::string& Path) {
    Editor->SetActiveControl(Editor->sgPropValues);
    Editor->sgPropValues->FocusCell(Col, Row(Path), true);
    Editor->sgPropValues->MouseUp(host::mbLeft, {}, 0, 0);
  }
  void Type(int Col, const std::string& Path, const std::string& Text) {
    Go(Col, Path);
    Editor->sgPropValues->GetEditText(Col, Row(Path));
    Editor->sgPropValues->SetEditText(Col, Row(Path), Text);
  }
};

}  // namespace design_test
