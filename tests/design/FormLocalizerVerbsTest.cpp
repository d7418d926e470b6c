// The form localizer's component editor: its verbs, and the editor window
// on a double-click, through the designer host's services.
#include <gtest/gtest.h>

#include <memory>

#include "design/AmbitAbout.h"
#include "design/AmbitFormEditor.h"
#include "design/AmbitReg.h"
#include "host/controls/StdRegister.h"
#include "host/design/FormDesigner.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"
#include "tests/design/DesignTestSupport.h"

using namespace ambit;
using namespace host;
using design_test::FormAs;

TEST(FormLocalizerVerbs, AboutAndTheEditorWhichADoubleClickOpensTooAndAfterWhichTheFormIsModified) {
  RegisterStandardControls();
  const int package = NewPackageId();
  {
    TPackageScope scope(package);
    Register();
  }
  TScriptedDialogs dialogs;
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName("Form1");
  auto* source = new TAmLanguageSource(form.get());
  source->Languages()->SetCommaText("German=de.lng");
  auto* localizer = new TAmFormLocalizer(form.get());
  localizer->SetName("FormLocalizer1");
  localizer->SetSource(source);
  TFormDesigner designer{form.get()};
  EXPECT_EQ(designer.GetVerbs(localizer),
            (std::vector<std::string>{"&About Ambit Localizer...", "&Form Localizer Editor..."}));
  designer.SetModified(false);
  dialogs.DriveModal([localizer](TCustomForm* f) {
    EXPECT_EQ(FormAs<TfmFLEditor>(f)->Localizer(), localizer);
    EXPECT_EQ(f->Caption(), "FormLocalizer1: TAmFormLocalizer");
  });
  dialogs.DriveModal([](TCustomForm* f) { FormAs<TfmFLEditor>(f); });
  dialogs.DriveModal([](TCustomForm* f) { FormAs<TfmAbout>(f); });
  EXPECT_TRUE(designer.EditComponent(localizer));
  EXPECT_TRUE(designer.IsModified());
  EXPECT_TRUE(designer.ExecuteVerb(localizer, 1));
  EXPECT_TRUE(designer.ExecuteVerb(localizer, 0));
  EXPECT_EQ(dialogs.ModalForms().size(), 3u);
  form.reset();
  UnregisterPackage(package);
}
