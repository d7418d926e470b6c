// The form localizer editor opened on a form of the sample project, with
// the scripted dialogs service answering, and helpers that act on its
// tree and grid as the user does.
#pragma once

#include <memory>
#include <string>

#include "design/AmbitFormEditor.h"
#include "host/controls/Grids.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/controls/TreeView.h"
#include "tests/design/SampleProject.h"

namespace design_test {

struct FormEditorTest : ::testing::Test {
  TSampleProject Sample;
  host::TScriptedDialogs Dialogs;
  std::unique_ptr<ambit::TfmFLEditor> Editor = std::make_unique<ambit::TfmFLEditor>(nullptr);

  void Open(const std::string& FormName) { Editor->SetLocalizer(Sample.Localizer(FormName)); }
  // Selects the tree node of a component of the open form.
  void Select(const std::string& Path) {
    host::TComponent* c = Path.empty() ? Sample.Form(FormName()) : Sample.Find(FormName(), Path);
    ASSERT_NE(c, nullptr) << Path;
    for (host::TTreeNode* n = Editor->tvComponents->Items()->GetFirstNode(); n; n = n->GetNext())
      if (n->Data() == c) return Editor->tvComponents->SetSelected(n);
    FAIL() << "no node for " << Path;
  }
  std::string FormName() const { return Editor->Localizer()->Owner()->Name(); }
  int Row(const std::string& Path) const {
    for (int r = 1; r < Editor->sgPropValues->RowCount(); ++r)
      if (Editor->sgPropValues->Cells(0, r) == Path) return r;
    ADD_FAILURE() << "no row " << Path;
    return 0;
  }
  std::string Cell(const std::string& Path, int Col) const { return Editor->sgPropValues->Cells(Col, Row(Path)); }
  // The grid's headers, left to right.
  std::vector<std::string> Headers() const { return Editor->sgPropValues->Rows(0); }
  // Makes a cell current, as a click does.
  void Go(int Col, const std::string& Path) {
    Editor->sgPropValues->FocusCell(Col, Row(Path), true);
    Editor->sgPropValues->MouseUp(host::mbLeft, {}, 0, 0);
  }
  // Types Text into a cell and commits it, as the in-place editor does.
  void Type(int Col, const std::string& Path, const std::string& Text) {
    Editor->SetActiveControl(Editor->sgPropValues);
    Go(Col, Path);
    Editor->sgPropValues->GetEditText(Col, Row(Path));
    Editor->sgPropValues->SetEditText(Col, Row(Path), Text);
  }
};

}  // namespace design_test
