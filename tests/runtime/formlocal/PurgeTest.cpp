// Purging: records of excluded components and of components that left the
// form disappear from the form's section in every language, which is left
// sorted; other forms' sections and the active language are kept.
#include "FormLocalFixture.h"

#include "runtime/AmbitUserSource.h"

using namespace ambit;
using namespace formlocal_test;

namespace {

const char* const kForm = R"(object Form1: TForm
  Caption = 'Form'
  object btnOK: TButton
    Caption = 'OK'
  end
  object lblSecret: TLabel
    Caption = 'Secret'
  end
end
)";

std::string Language(const std::string& word) {
  return "[Other]\r\nbtnGone.Caption=\"" + word + "\"\r\n\r\n"
         "[Form1]\r\n"
         "btnOK.Caption=\"" + word + " OK\"\r\n"
         "btnGone.Caption=\"" + word + " gone\"\r\n"
         "Caption=\"" + word + " form\"\r\n"
         "lblSecret.Caption=\"" + word + " secret\"\r\n"
         "Form1.Hint=\"" + word + " hint\"\r\n"
         ".Hint=\"" + word + " nameless\"\r\n\r\n";
}

std::string Purged(const std::string& word) {
  return "[Other]\r\nbtnGone.Caption=\"" + word + "\"\r\n\r\n"
         "[Form1]\r\n"
         ".Hint=\"" + word + " nameless\"\r\n"
         "btnOK.Caption=\"" + word + " OK\"\r\n"
         "Caption=\"" + word + " form\"\r\n"
         "Form1.Hint=\"" + word + " hint\"\r\n\r\n";
}

using Purging = FormLocalTest;

}  // namespace

TEST_F(Purging, RemovesExcludedAndVanishedComponentsInEveryLanguageAndSorts) {
  auto src = MakeSource({{"German", Language("de")}, {"French", Language("fr")}});
  auto form = ReadForm(kForm);
  auto* loc = new TAmFormLocalizer(form.get());
  loc->Excluded()->Add("lblSecret");
  loc->SetSource(src.get());
  src->SetActiveLanguage(1);
  loc->DeleteExcluded(form.get());
  EXPECT_EQ(src->ActiveLanguage(), 1);
  EXPECT_EQ(Content("German"), Purged("de"));
  EXPECT_EQ(Content("French"), Purged("fr"));
}

TEST_F(Purging, RestoresTheActiveLanguageWhenAStoreFails) {
  TAmUserLanguageSource src(nullptr);
  host::TStringList languages;
  languages.Add("German=de");
  languages.Add("French=fr");
  src.SetLanguages(&languages);
  src.SetOnLoadStrings([&](host::TObject*, host::TStrings* strings) {
    strings->Clear();
    strings->Add("btnGone.Caption=x");
  });
  src.SetOnSaveStrings([&](host::TObject*, host::TStrings*) {
    if (src.ActiveLanguage() == 1) throw EAmbitError("disk full");
  });
  auto form = ReadForm(kForm);
  auto* loc = new TAmFormLocalizer(form.get());
  loc->SetSource(&src);
  EXPECT_THROW(loc->DeleteExcluded(form.get()), EAmbitError);
  EXPECT_EQ(src.ActiveLanguage(), -1);
  loc->SetSource(nullptr);
}

TEST_F(Purging, WithoutASourceThereIsNothingToPurge) {
  auto form = ReadForm(kForm);
  auto* loc = new TAmFormLocalizer(form.get());
  EXPECT_NO_THROW(loc->DeleteExcluded(form.get()));
}
