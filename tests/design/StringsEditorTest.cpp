// The strings editor and the About box, driven through the scripted
// dialogs service.
#include <gtest/gtest.h>

#include "design/AmbitAbout.h"
#include "design/AmbitStrEditor.h"
#include "host/controls/Buttons.h"
#include "host/controls/StdCtrls.h"
#include "tests/design/DesignTestSupport.h"

using namespace ambit;
using namespace host;
using design_test::FormAs;
using design_test::Lines;

namespace {
using Names = std::vector<std::string>;
}

TEST(StringsEditor, CancelByButtonOrEscapeLeavesTheTextAlthoughTheLinesChanged) {
  TScriptedDialogs dialogs;
  std::string s = "one";
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmStringsEditor>(form);
    f->mmStrings->Lines()->Add("two");
    f->buCancel->Click();
  });
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmStringsEditor>(form);
    f->mmStrings->Lines()->Clear();
    TKey escape = VK_ESCAPE;
    f->DialogKey(escape, {});
  });
  EXPECT_FALSE(EditString(s, DEFAULT_CHARSET));
  EXPECT_FALSE(EditStrings(s, DEFAULT_CHARSET));
  EXPECT_EQ(s, "one");
  EXPECT_EQ(dialogs.ModalForms()[0].Caption, "Strings Editor");
}

TEST(StringsEditor, TextIsSplitAtEveryKindOfLineBreakAndComesBackWithCrLfAfterEachLine) {
  TScriptedDialogs dialogs;
  std::string one = "Close";
  std::string many = "a\rb\nc\r\nd";
  dialogs.DriveModal([](TCustomForm* form) { FormAs<TfmStringsEditor>(form)->buOK->Click(); });
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmStringsEditor>(form);
    EXPECT_EQ(Lines(f->mmStrings->Lines()), (Names{"a", "b", "c", "d"}));
    f->mmStrings->Lines()->Delete(1);
    f->buOK->Click();
  });
  EXPECT_TRUE(EditString(one, DEFAULT_CHARSET));
  EXPECT_EQ(one, "Close\r\n");
  EXPECT_TRUE(EditString(many, DEFAULT_CHARSET));
  EXPECT_EQ(many, "a\r\nc\r\nd\r\n");
}

TEST(StringsEditor, CommaTextShowsOneItemPerLineUnquotedAndIsQuotedAgain) {
  TScriptedDialogs dialogs;
  std::string s = "Red,\"Green, dark\",\"Say \"\"hi\"\"\"";
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmStringsEditor>(form);
    EXPECT_EQ(Lines(f->mmStrings->Lines()), (Names{"Red", "Green, dark", "Say \"hi\""}));
    f->buOK->Click();
  });
  EXPECT_TRUE(EditStrings(s, DEFAULT_CHARSET));
  EXPECT_EQ(s, "Red,\"Green, dark\",\"Say \"\"hi\"\"\"");
}

TEST(StringsEditor, TheLinesAreShownInTheLanguagesCharacterSetAndTheEditBoxHasTheFocus) {
  TScriptedDialogs dialogs;
  std::string s = "Отмена";
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmStringsEditor>(form);
    EXPECT_EQ(f->mmStrings->Font()->Charset(), RUSSIAN_CHARSET);
    EXPECT_EQ(f->mmStrings->Font()->Name(), "Courier New");
    EXPECT_EQ(f->ActiveControl(), f->mmStrings);
    EXPECT_EQ(f->mmStrings->ScrollBars(), ssBoth);
    EXPECT_TRUE(f->buOK->Default());
    EXPECT_TRUE(f->buCancel->Cancel());
    f->mmStrings->Lines()->SetStrings(0, "Отменить");
    f->buOK->Click();
  });
  EXPECT_TRUE(EditString(s, RUSSIAN_CHARSET));
  EXPECT_EQ(s, "Отменить\r\n");
}

TEST(AboutBox, ShowsTheSuitesNameAndVersionModally) {
  TScriptedDialogs dialogs;
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmAbout>(form);
    EXPECT_EQ(f->laProduct->Caption(), "Ambit Localizer");
    EXPECT_EQ(f->laVersion->Caption(), "Version 1.51");
    TKey escape = VK_ESCAPE;
    f->DialogKey(escape, {});
  });
  ShowAboutForm();
  ASSERT_EQ(dialogs.ModalForms().size(), 1u);
  EXPECT_EQ(dialogs.ModalForms()[0].Caption, "About Ambit Localizer");
  EXPECT_EQ(dialogs.ModalForms()[0].Result, mrOk);
}
