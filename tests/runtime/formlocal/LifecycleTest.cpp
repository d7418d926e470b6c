// The localizer's life: creation checks, published properties, form files,
// copying, and destruction of a form that owns both a source and a
// localizer in either order, with nothing localized on the way out.
#include "FormLocalFixture.h"

#include "host/controls/Buttons.h"
#include "host/core/ClassRegistry.h"
#include "host/stream/FormStream.h"

using namespace ambit;
using namespace formlocal_test;

namespace {

using Lifecycle = FormLocalTest;

std::vector<std::string> PublishedNames(const host::TObject* Obj) {
  std::vector<std::string> names;
  for (const host::TPropInfo* p : host::GetPropInfos(Obj)) names.push_back(p->Name);
  return names;
}

const char* const kStoredForm = R"(object MainForm: TForm
  Caption = 'Main'
  object btnOK: TButton
    Caption = 'OK'
  end
  object Source1: TAmLanguageSource
    Languages.Strings = (
      'German=%DE%')
  end
  object FormLocalizer1: TAmFormLocalizer
    Originals.Strings = (
      'Caption="Designed main"'
      'btnOK.Caption="Designed OK"')
    PropNames.Strings = (
      'Caption')
    SaveOptions = [soIncludeFrames]
    Source = Source1
  end
end
)";

std::string Replace(std::string s, const std::string& what, const std::string& with) {
  s.replace(s.find(what), what.size(), with);
  return s;
}

}  // namespace

TEST_F(Lifecycle, CreationNeedsAnOwnerWithoutAnotherLocalizer) {
  try {
    TAmFormLocalizer orphan(nullptr);
    FAIL() << "created without owner";
  } catch (const EAmbitError& e) {
    EXPECT_STREQ(e.what(), "Owner is not specified!");
  }
  auto form = ReadForm("object MainForm: TForm\nend\n");
  new TAmFormLocalizer(form.get());
  const int count = form->ComponentCount();
  try {
    new TAmFormLocalizer(form.get());
    FAIL() << "created a second localizer";
  } catch (const EAmbitError& e) {
    EXPECT_STREQ(e.what(), "'MainForm' already contains instance of TAmFormLocalizer class!");
  }
  EXPECT_EQ(form->ComponentCount(), count);
}

TEST_F(Lifecycle, PublishesItsPropertiesInOrderWithTheirDefaults) {
  auto form = ReadForm("object MainForm: TForm\nend\n");
  auto* loc = new TAmFormLocalizer(form.get());
  EXPECT_EQ(PublishedNames(loc),
            (std::vector<std::string>{"Name", "Tag", "About", "ClearBeforeSave", "Dependencies", "Excluded",
                                      "Originals", "PropNames", "SaveOptions", "Source", "OnLanguageChanging",
                                      "OnLanguageChanged", "OnPropertyLocalizing", "OnPropertyLocalized",
                                      "OnPropertySaving", "OnPropertySaved", "_Version"}));
  EXPECT_EQ(Lines(loc->PropNames()), (std::vector<std::string>{"Caption", "Hint"}));
  EXPECT_TRUE(loc->SaveOptions().Empty());
  EXPECT_FALSE(host::IsStoredProp(loc, "About"));
  EXPECT_FALSE(host::IsStoredProp(loc, "_Version"));
}

TEST_F(Lifecycle, AFormFileCarriesTheModelAndTheSnapshot) {
  auto form = ReadForm(Replace(kStoredForm, "%DE%", FileOf("German")));
  auto* loc = host::As<TAmFormLocalizer>(form->FindComponent("FormLocalizer1"));
  ASSERT_NE(loc, nullptr);
  EXPECT_EQ(loc->Source(), form->FindComponent("Source1"));
  EXPECT_EQ(Lines(loc->PropNames()), std::vector<std::string>{"Caption"});
  EXPECT_TRUE(loc->SaveOptions().Contains(soIncludeFrames));
  const std::string written = host::WriteComponentText(*form);
  EXPECT_NE(written.find("SaveOptions = [soIncludeFrames]"), std::string::npos) << written;
  EXPECT_NE(written.find("Source = Source1"), std::string::npos) << written;
  EXPECT_NE(written.find("'btnOK.Caption=\"Designed OK\"'"), std::string::npos) << written;
  // The stored snapshot brings the designed texts back, and is used up.
  loc->Localize();
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Designed main");
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "Designed OK");
  EXPECT_EQ(loc->Originals()->Count(), 0);
}

TEST_F(Lifecycle, AssignCopiesTheModel) {
  auto a = ReadForm("object A: TForm\nend\n");
  auto b = ReadForm("object B: TForm\nend\n");
  auto* la = new TAmFormLocalizer(a.get());
  auto* lb = new TAmFormLocalizer(b.get());
  la->PropNames()->Add("Items");
  la->Originals()->Add("Caption=\"x\"");
  la->Dependencies()->Add("Caption=Action.Caption");
  la->Excluded()->Add("btnOK");
  la->SetSaveOptions({soSaveEmpty});
  la->SetClearBeforeSave(true);
  int calls = 0;
  la->SetOnPropertySaving([&](host::TObject*, host::TPersistent*, const std::string&, std::string&, bool&) { ++calls; });
  lb->Assign(la);
  EXPECT_EQ(Lines(lb->PropNames()), Lines(la->PropNames()));
  EXPECT_EQ(Lines(lb->Originals()), Lines(la->Originals()));
  EXPECT_EQ(Lines(lb->Dependencies()), Lines(la->Dependencies()));
  EXPECT_EQ(Lines(lb->Excluded()), Lines(la->Excluded()));
  EXPECT_TRUE(lb->SaveOptions().Contains(soSaveEmpty));
  EXPECT_TRUE(lb->ClearBeforeSave());
  EXPECT_TRUE(static_cast<bool>(lb->OnPropertySaving()));
  host::TStringList notALocalizer;
  EXPECT_THROW(lb->Assign(&notALocalizer), host::Exception);
}

TEST_F(Lifecycle, AFormOwningSourceAndLocalizerGoesCleanlyInEitherOrder) {
  for (bool sourceFirst : {true, false}) {
    ambit_test::WriteFile(FileOf("German"), "[MainForm]\r\nCaption=\"Haupt\"\r\n");
    auto form = ReadForm("object MainForm: TForm\n  Caption = 'Main'\nend\n");
    TAmLanguageSource* src = nullptr;
    if (sourceFirst) src = new TAmLanguageSource(form.get());
    auto* loc = new TAmFormLocalizer(form.get());
    if (!sourceFirst) src = new TAmLanguageSource(form.get());
    host::TStringList languages;
    languages.Add("German=" + FileOf("German"));
    src->SetLanguages(&languages);
    loc->SetSource(src);
    src->SetActiveLanguage(0);
    ASSERT_EQ(Str(form.get(), "", "Caption"), "Haupt");
    int localized = 0;
    loc->SetOnPropertyLocalizing([&](host::TObject*, host::TPersistent*, const std::string&, std::string&, bool&) {
      ++localized;
    });
    form.reset();
    EXPECT_EQ(localized, 0) << (sourceFirst ? "source first" : "localizer first");
  }
}

TEST_F(Lifecycle, DestroyingOnlyTheLocalizerUnbindsIt) {
  auto src = MakeSource({{"German", "[MainForm]\r\nCaption=\"Haupt\"\r\n"}});
  auto form = ReadForm("object MainForm: TForm\n  Caption = 'Main'\nend\n");
  auto* loc = new TAmFormLocalizer(form.get());
  loc->SetSource(src.get());
  EXPECT_EQ(src->LocalizerCount(), 1);
  delete loc;
  EXPECT_EQ(src->LocalizerCount(), 0);
  src->SetActiveLanguage(0);
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Main");
}
