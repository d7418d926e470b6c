// The add/edit language dialogs of file and database sources, driven
// through the scripted dialogs service.
#include <gtest/gtest.h>

#include "design/AmbitAddDBLang.h"
#include "design/AmbitAddLang.h"
#include "host/controls/Buttons.h"
#include "host/controls/ComboBox.h"
#include "host/controls/Dialogs.h"
#include "host/controls/StdCtrls.h"
#include "tests/design/DesignTestSupport.h"

using namespace ambit;
using namespace host;
using design_test::FormAs;

namespace {
using Names = std::vector<std::string>;
}

TEST(FileLanguageDialog, BrowsingOffersTheExtensionsFilterAndTakesThePathAsItStands) {
  TScriptedDialogs dialogs;
  dialogs.AnswerOpen("/work/lang/ru.lng");
  dialogs.AnswerOpen(std::nullopt);
  TLanguageInfo info;
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmAddLanguage>(form);
    EXPECT_EQ(f->ActiveControl(), f->edLangName);
    EXPECT_FALSE(f->buOK->Enabled());
    f->buBrowse->Click();
    EXPECT_EQ(f->dlgOpen->DefaultExt(), "lng");
    EXPECT_EQ(f->edFileName->Text(), "/work/lang/ru.lng");
    EXPECT_EQ(f->edLangName->Text(), "");  // nothing derived from the file name
    f->edLangName->UserSetText("Russian");
    f->buOK->Click();
  });
  dialogs.DriveModal([](TCustomForm* form) { FormAs<TfmAddLanguage>(form)->buBrowse->Click(); });
  EXPECT_TRUE(AddLanguage(&info, "lng"));
  EXPECT_FALSE(AddLanguage(&info, ""));
  EXPECT_EQ(dialogs.OpenDialogs()[0].Filter, "Language files (*.lng)|*.lng|All files (*.*)|*.*");
  EXPECT_EQ(dialogs.OpenDialogs()[1].Filter, "All files (*.*)|*.*");
  EXPECT_EQ(dialogs.ModalForms()[0].Caption, "Add Language");
  EXPECT_EQ(info.Name, "Russian");
  EXPECT_EQ(info.Value, "/work/lang/ru.lng");
}

TEST(FileLanguageDialog, OkNeedsBothTextsTrimmedAndKeepsTheirBlanks) {
  TScriptedDialogs dialogs;
  TLanguageInfo info;
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmAddLanguage>(form);
    f->edLangName->UserSetText("   ");
    f->edFileName->UserSetText("fr.lng");
    EXPECT_FALSE(f->buOK->Enabled());
    f->edLangName->UserSetText(" French ");
    EXPECT_TRUE(f->buOK->Enabled());
    f->edFileName->UserSetText(" \t");
    EXPECT_FALSE(f->buOK->Enabled());
    f->edFileName->UserSetText(" fr.lng");
    design_test::PressKey(f, VK_RETURN);
  });
  EXPECT_TRUE(AddLanguage(&info, "lng"));
  EXPECT_EQ(info.Name, " French ");
  EXPECT_EQ(info.Value, " fr.lng");
}

TEST(FileLanguageDialog, EditOpensFilledAndCancelOrNoLanguageLeavesItAsItWas) {
  TScriptedDialogs dialogs;
  TLanguageInfo info{"German", "de.lng"};
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmAddLanguage>(form);
    EXPECT_EQ(f->edFileName->Text(), "de.lng");
    EXPECT_TRUE(f->buOK->Enabled());
    f->edLangName->UserSetText("Deutsch");
    design_test::PressKey(f, VK_ESCAPE);
  });
  EXPECT_FALSE(EditLanguage(&info, "lng"));
  EXPECT_FALSE(EditLanguage(nullptr, "lng"));
  EXPECT_EQ(dialogs.ModalForms().size(), 1u);
  EXPECT_EQ(dialogs.ModalForms()[0].Caption, "Edit Language");
  EXPECT_EQ(info.Name, "German");
}

TEST(FileLanguageDialog, ANameTheListAlreadyHasOrOneWithEqualsIsRefusedAndTheDialogStaysOpen) {
  TScriptedDialogs dialogs;
  TLanguageInfo info{"English", "en.lng"};
  dialogs.AnswerMessage(mrOk);
  dialogs.AnswerMessage(mrOk);
  dialogs.DriveModal([](TCustomForm* form) {
    auto* f = FormAs<TfmAddLanguage>(form);
    for (const char* refused : {" GERMAN", "Eng=lish"}) {
      f->edLangName->UserSetText(refused);
      f->buOK->Click();
      EXPECT_FALSE(f->ModalFinished()) << refused;
    }
    f->edLangName->UserSetText("english");  // its own name, in another case
    f->buOK->Click();
  });
  EXPECT_TRUE(EditLanguage(&info, "lng", Names{"German", "French"}));
  EXPECT_EQ(info.Name, "english");
  ASSERT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_EQ(dialogs.Messages()[0].Msg, "There is already a language named 'GERMAN'.");
  EXPECT_EQ(dialogs.Messages()[0].DlgType, mtError);
  EXPECT_EQ(dialogs.Messages()[1].Msg, "A language name cannot contain '='.");
}

namespace {
class DBLanguageDialog : public testing::Test {
protected:
  // Opens the value list in the running dialog and returns its items.
  static Names DropDown(TCustomForm* Form) {
    auto* f = FormAs<TfmAddDBLanguage>(Form);
    f->cbFieldValue->DropDown();
    f->cbFieldValue->CloseUp();
    return design_test::Lines(f->cbFieldValue->Items());
  }
  TScriptedDialogs dialogs;
  design_test::TTextsTable db;
  TLanguageInfo info;
};
}  // namespace

TEST_F(DBLanguageDialog, TheValueListHoldsTheTablesValuesOnceInTableOrderReadOnlyOnce) {
  db.Create();
  for (const char* v : {"fr", "FR", "de", "fr"}) db.Add(v);
  dialogs.DriveModal([&](TCustomForm* form) {
    auto* f = FormAs<TfmAddDBLanguage>(form);
    f->cbFieldValue->UserSetText("d");
    EXPECT_EQ(DropDown(form), (Names{"fr", "de"}));
    EXPECT_EQ(f->cbFieldValue->Text(), "d");  // the typed text stays
    EXPECT_FALSE(db.Table->Active());
    db.Add("es");
    EXPECT_EQ(DropDown(form), (Names{"fr", "de"}));
    f->cbFieldValue->UserSelect(1);
    f->edLangName->UserSetText("German");
    f->buOK->Click();
  });
  EXPECT_TRUE(AddDBLanguage(&info, db.Table, "lang"));
  EXPECT_EQ(info.Value, "de");
  EXPECT_FALSE(AddDBLanguage(&info, nullptr, "lang"));
  EXPECT_FALSE(AddDBLanguage(&info, db.Table, "  "));
  EXPECT_FALSE(EditDBLanguage(nullptr, db.Table, "lang"));
  EXPECT_EQ(dialogs.ModalForms().size(), 1u);
}

TEST_F(DBLanguageDialog, AnOpenDataSetStaysOpenAndAFailedOpenIsTriedAgain) {
  dialogs.DriveModal([&](TCustomForm* form) {
    EXPECT_TRUE(DropDown(form).empty());  // no table yet: the error is swallowed
    db.Create();
    db.Add("ru");
    db.Table->Open();
    EXPECT_EQ(DropDown(form), (Names{"ru"}));
    EXPECT_TRUE(db.Table->Active());
  });
  EXPECT_FALSE(AddDBLanguage(&info, db.Table, "lang"));
}

TEST_F(DBLanguageDialog, EditOpensFilledWithOkEnabledAndAnUnknownFieldListsNothing) {
  db.Create();
  db.Add("ru");
  info = {"Russian", "ru"};
  dialogs.DriveModal([&](TCustomForm* form) {
    auto* f = FormAs<TfmAddDBLanguage>(form);
    EXPECT_EQ(f->cbFieldValue->Text(), "ru");
    EXPECT_TRUE(f->buOK->Enabled());
    EXPECT_TRUE(DropDown(form).empty());
    EXPECT_FALSE(db.Table->Active());
    f->cbFieldValue->UserSetText("ru-RU");
    f->buOK->Click();
  });
  EXPECT_TRUE(EditDBLanguage(&info, db.Table, "language"));
  EXPECT_EQ(dialogs.ModalForms()[0].Caption, "Edit Language");
  EXPECT_EQ(info.Value, "ru-RU");
}
