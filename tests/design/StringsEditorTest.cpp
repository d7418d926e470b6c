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

TEST(StringsEditor, OkGivesEveryLineWithCrLfAndCancelOrEscapeLeavesTheText) {
  TScriptedDialogs dialogs;
  std::string s = "a\rb\nc\r\nd";
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmStringsEditor>(form);
    EXPECT_EQ(Lines(f->mmStrings->Lines()), (Names{"a", "b", "c", "d"}));
    EXPECT_EQ(f->ActiveControl(), f->mmStrings);
    f->mmStrings->Lines()->Delete(1);
    f->buOK->Click();
  });
  EXPECT_TRUE(EditString(s, DEFAULT_CHARSET));
  EXPECT_EQ(s, "a\r\nc\r\nd\r\n");
  dialogs.DriveModal([](TCustomForm* form) {
    FormAs<TfmStringsEditor>(form)->mmStrings->Lines()->Add("e");
    FormAs<TfmStringsEditor>(form)->buCancel->Click();
  });
  dialogs.DriveModal([](TCustomForm* form) { design_test::PressKey(form, VK_ESCAPE); });
  EXPECT_FALSE(EditString(s, DEFAULT_CHARSET));
  EXPECT_FALSE(EditStrings(s, DEFAULT_CHARSET));
  EXPECT_EQ(s, "a\r\nc\r\nd\r\n");
  EXPECT_EQ(dialogs.ModalForms()[0].Caption, "Strings Editor");
}

TEST(StringsEditor, CommaTextShowsItemsUnquotedInTheLanguagesCharacterSetAndQuotesThemAgain) {
  TScriptedDialogs dialogs;
  std::string s = "Файл,\"Сохранить, как\",\"Say \"\"hi\"\"\"";
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmStringsEditor>(form);
    EXPECT_EQ(Lines(f->mmStrings->Lines()), (Names{"Файл", "Сохранить, как", "Say \"hi\""}));
    EXPECT_EQ(f->mmStrings->Font()->Charset(), RUSSIAN_CHARSET);
    f->buOK->Click();
  });
  EXPECT_TRUE(EditStrings(s, RUSSIAN_CHARSET));
  EXPECT_EQ(s, "Файл,\"Сохранить, как\",\"Say \"\"hi\"\"\"");
}

TEST(AboutBox, ShowsTheSuitesNameAndVersionModally) {
  TScriptedDialogs dialogs;
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmAbout>(form);
    EXPECT_EQ(f->laProduct->Caption(), "Ambit Localizer");
    EXPECT_EQ(f->laVersion->Caption(), "Version 1.51");
    design_test::PressKey(f, VK_ESCAPE);
  });
  ShowAboutForm();
  ASSERT_EQ(dialogs.ModalForms().size(), 1u);
  EXPECT_EQ(dialogs.ModalForms()[0].Caption, "About Ambit Localizer");
  EXPECT_EQ(dialogs.ModalForms()[0].Result, mrOk);
}
