// The form localizer editor shown by the Qt widgetset offscreen on the
// sample's forms: drawn into build/render/design-FormEditor-*.png, with the
// grid's cells on the widget as the model holds them.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <filesystem>

#include "design/AmbitFormEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/Grids.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/controls/ToolBar.h"
#include "host/controls/PageControl.h"
#include "host/controls/TreeView.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtRender.h"
#include "tests/design/SampleProject.h"
#include "tests/host/qt/QtTestSupport.h"

using namespace ambit;
using namespace host;
using namespace host::qt;

namespace {

struct FormEditorPictures : ::testing::Test {
  design_test::TSampleProject Sample;
  TfmFLEditor Editor{nullptr};

  void Open(const std::string& FormName, const std::string& Path) {
    Editor.SetLocalizer(Sample.Localizer(FormName));
    TComponent* selected = Sample.Find(FormName, Path);
    for (TTreeNode* n = Editor.tvComponents->Items()->GetFirstNode(); n; n = n->GetNext())
      if (n->Data() == selected) Editor.tvComponents->SetSelected(n);
    ASSERT_EQ(Editor.SelectedComponent(), selected);
  }
  // The grid's current cell moves to the last language's column of Path.
  void GoToLastColumn(const std::string& Path) {
    TStringGrid* grid = Editor.sgPropValues;
    for (int r = 1; r < grid->RowCount(); ++r)
      if (grid->Cells(0, r) == Path) grid->FocusCell(grid->ColCount() - 1, r, true);
    grid->MouseUp(mbLeft, {}, 0, 0);  // as after a click: the language buttons follow
  }
  QImage Picture(const std::string& Name) {
    const QString dir = QStringLiteral(AMBIT_RENDER_DIR);
    EXPECT_TRUE(QDir().mkpath(dir));
    const std::string file = FromQ(dir) + "/design-FormEditor-" + Name + ".png";
    std::filesystem::remove(file);
    SaveFormImage(&Editor, file);
    QImage image(ToQ(file));
    EXPECT_EQ(image.width(), Editor.ClientWidth()) << file;
    return image;
  }
  void TearDown() override { test::Flush(); }
};

TEST_F(FormEditorPictures, MainFormWithTheListBoxAndItsArabicItems) {
  Open("MainForm", "lbColors");
  GoToLastColumn("Items");
  Picture("MainForm");
  EXPECT_EQ(Editor.sgPropValues->Rows(0),
            (std::vector<std::string>{"Property Name", "Original", "German", "Russian", "Arabic"}));
  EXPECT_TRUE(Editor.buEditStrings->Visible());
  // The floating button sits at the right end of the current cell.
  const TRect cell = Editor.sgPropValues->CellRect(Editor.sgPropValues->Col(), Editor.sgPropValues->Row());
  EXPECT_EQ(Editor.buEditStrings->Left() + Editor.buEditStrings->Width(), Editor.sgPropValues->Left() + cell.Right + 2);
}

TEST_F(FormEditorPictures, ContactsFormWithAButtonInsideTheFrameAndTheOptions) {
  Open("ContactsForm", "AddressFrame1.btnLookUp");
  GoToLastColumn("Caption");
  Editor.pcOptions->SetActivePage(Editor.tsOptions);
  Picture("ContactsForm");
  EXPECT_EQ(Editor.sgPropValues->Cells(4, 1), "&بحث");
}

// The grid on the screen: a German text typed into a cell is a pending
// edit, and Reload shows the stored text again.
TEST_F(FormEditorPictures, ATypedCellIsPendingUntilReload) {
  TScriptedDialogs dialogs;
  Open("MainForm", "lbColors");
  Editor.Show();
  test::Flush();
  TStringGrid* grid = Editor.sgPropValues;
  ASSERT_EQ(grid->Cells(0, 1), "Hint");
  grid->FocusCell(2, 1, true);
  auto* widget = test::WidgetAs<QWidget>(grid);
  ASSERT_NE(widget, nullptr);
  widget->setFocus();
  test::PressKey(widget, Qt::Key_F2);
  auto* editor = widget->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(FromQ(editor->text()), "Wählen Sie die Farbe der nächsten Beschriftung");
  editor->setText(QStringLiteral("Farbe wählen"));
  test::PressKey(editor, Qt::Key_Return);
  test::Flush();
  ASSERT_EQ(Editor.Changes()->Count(), 1);
  EXPECT_EQ(grid->Cells(2, 1), "Farbe wählen");
  dialogs.AnswerMessage(mrYes);
  test::Click(test::WidgetAs<QWidget>(Editor.tbuReload));
  EXPECT_EQ(grid->Cells(2, 1), "Wählen Sie die Farbe der nächsten Beschriftung");
  EXPECT_EQ(Editor.Changes()->Count(), 0);
  Editor.Hide();
}

}  // namespace
