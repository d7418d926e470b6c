// The form localizer editor inside studio, offscreen, on a scratch copy of
// the sample project: opened by a double-click on the form's localizer.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLayout>
#include <QTabWidget>
#include <algorithm>

#include "apps/studio/PaletteBar.h"
#include "design/AmbitFormEditor.h"
#include "design/AmbitStrEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/Grids.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/ToolBar.h"
#include "host/controls/TreeView.h"
#include "tests/apps/studio/support/StudioDriver.h"
#include "tests/design/studio/EditorUser.h"

using namespace ambit;
using namespace host;
using ambit::studio::test::TStudioDriver;
using design_test::TEditorUser;

namespace {

using Names = std::vector<std::string>;

Names Children(const TTreeNode* Node) {
  Names names;
  for (const TTreeNode* c = Node->GetFirstChild(); c; c = c->GetNextSibling()) names.push_back(c->Text());
  return names;
}

class FormLocalizerInStudio : public testing::Test {
protected:
  FormLocalizerInStudio() { Studio.OpenSampleCopy(); }
  TStudioDriver Studio{{PLUGIN_AMBITDT}};
};

}  // namespace

TEST_F(FormLocalizerInStudio, StudioLoadsThePlugInWithItsPalettePageAndTheLocalizersVerbs) {
  const studio::TPaletteBar* palette = Studio.Window().Palette();
  Names page;
  int place = -1;
  for (const char* name : {"TAmFormLocalizer", "TAmLanguageSource", "TAmDBLanguageSource", "TAmUserLanguageSource"}) {
    QAbstractButton* button = palette->ButtonOf(name);
    ASSERT_NE(button, nullptr) << name;
    const int index = palette->indexOf(button->parentWidget());
    page.push_back(index < 0 ? std::string("?") : palette->tabText(index).toStdString());
    const int at = button->parentWidget()->layout()->indexOf(button);
    EXPECT_GT(at, place) << name << " keeps its place on the page";
    place = at;
  }
  EXPECT_EQ(page, Names(4, "Ambit Localizer"));
  // The program itself finds the plug-in in its plugins folder.
  const auto run = TStudioDriver::RunProgram("'" AMBIT_SOURCE_DIR "/examples/sample/Sample.amproj' --check");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_NE(run.Output.find("Ambit Localizer: TAmFormLocalizer TAmLanguageSource TAmDBLanguageSource "
                            "TAmUserLanguageSource\n"),
            std::string::npos)
      << run.Output.substr(0, 2000);
  const Names verbs = Studio.ContextMenu("MainForm.FormLocalizer1");
  ASSERT_GE(verbs.size(), 2u);
  EXPECT_EQ(Names(verbs.begin(), verbs.begin() + 2), (Names{"&About Ambit Localizer...", "&Form Localizer Editor..."}));
}

TEST_F(FormLocalizerInStudio, ADoubleClickShowsTheFormInEveryLanguageAndReloadBringsBackTheStoredText) {
  Names root, headers, stringsLines;
  std::string german, edited, reloaded;
  Studio.Dialogs().DriveModal([&](TCustomForm* Form) {
    auto* editor = dynamic_cast<TfmFLEditor*>(Form);
    ASSERT_NE(editor, nullptr);
    TEditorUser user{editor};
    root = Children(editor->tvComponents->Items()->GetFirstNode());
    headers = editor->sgPropValues->Rows(0);
    user.Select("lbColors");
    german = user.Cell("Items", 2);
    TStudioDriver::SavePicture(Form, std::string(AMBIT_RENDER_DIR) + "/studio/FormLocalizerEditor.png");
    user.Go(2, "Items");
    Studio.Dialogs().DriveModal([&](TCustomForm* Dialog) {
      auto* strings = dynamic_cast<TfmStringsEditor*>(Dialog);
      ASSERT_NE(strings, nullptr);
      for (int i = 0; i < strings->mmStrings->Lines()->Count(); ++i)
        stringsLines.push_back(strings->mmStrings->Lines()->Get(i));
      strings->buCancel->Click();
    });
    editor->buEditStrings->Click();
    user.Type(2, "Hint", "Eine andere Farbe");
    edited = user.Cell("Hint", 2);
    Studio.Dialogs().AnswerMessage(mrYes);
    editor->tbuReload->Click();
    reloaded = user.Cell("Hint", 2);
  });
  Studio.DoubleClick("MainForm.FormLocalizer1");
  ASSERT_FALSE(root.empty());
  EXPECT_TRUE(std::is_sorted(root.begin(), root.end())) << testing::PrintToString(root);
  EXPECT_NE(std::find(root.begin(), root.end(), "lbColors: TListBox"), root.end());
  EXPECT_EQ(headers, (Names{"Property Name", "Original", "German", "Russian", "Arabic"}));
  EXPECT_EQ(german, "Rot,Grün,Blau,Hellgelb");
  EXPECT_EQ(stringsLines, (Names{"Rot", "Grün", "Blau", "Hellgelb"}));
  EXPECT_EQ(edited, "Eine andere Farbe");
  EXPECT_EQ(reloaded, "Wählen Sie die Farbe der nächsten Beschriftung");
  ASSERT_EQ(Studio.Dialogs().Messages().size(), 1u);
  EXPECT_EQ(Studio.Dialogs().Messages()[0].Msg, "Are you sure to cancel all changes?");
}

TEST_F(FormLocalizerInStudio, AFormWhoseSourceLiesOnAnotherFormShowsItsFrameAndItsLanguages) {
  Names headers, frame;
  std::string caption;
  Studio.Dialogs().DriveModal([&](TCustomForm* Form) {
    auto* editor = dynamic_cast<TfmFLEditor*>(Form);
    ASSERT_NE(editor, nullptr);
    headers = editor->sgPropValues->Rows(0);
    caption = TEditorUser{editor}.Cell("Caption", 2);
    for (TTreeNode* n = editor->tvComponents->Items()->GetFirstNode(); n; n = n->GetNext())
      if (n->Text().rfind("AddressFrame1:", 0) == 0) frame = Children(n);
    TEditorUser{editor}.Go(4, "Caption");
    TStudioDriver::SavePicture(Form, std::string(AMBIT_RENDER_DIR) + "/studio/FormLocalizerEditor-ContactsForm.png");
  });
  Studio.DoubleClick("ContactsForm.FormLocalizer1");
  EXPECT_EQ(headers, (Names{"Property Name", "Original", "German", "Russian", "Arabic"}));
  EXPECT_EQ(caption, "Kontakte");
  EXPECT_EQ(frame.size(), 6u) << testing::PrintToString(frame);
}
