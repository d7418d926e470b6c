// What the form files store and the designer shows: the published
// properties of the concrete sources in their order, their kinds, defaults
// and stored flags, and the registration by class name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/core/ClassRegistry.h"
#include "runtime/AmbitRegister.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUserSource.h"

using namespace ambit;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

std::vector<std::string> NamesOf(const host::TObject& obj) {
  std::vector<std::string> names;
  for (const host::TPropInfo* p : host::GetPropInfos(&obj)) names.push_back(p->Name);
  return names;
}

}  // namespace

TEST(PublishedProperties, FileSourceInItsOrder) {
  TAmLanguageSource src(nullptr);
  EXPECT_THAT(NamesOf(src), ElementsAre("Name", "Tag", "About", "ActiveLanguage", "ActiveSettings", "DefaultFileExt",
                                        "Languages", "OriginalName", "SortSections", "OnLanguageChanging",
                                        "OnLanguageChanged", "_Version"));
}

TEST(PublishedProperties, EventSourcePublishesItsEventsNotItsLanguage) {
  TAmUserLanguageSource src(nullptr);
  EXPECT_THAT(NamesOf(src),
              ElementsAreArray({"Name", "Tag", "About", "Languages", "OnClear", "OnClearAll", "OnGetLanguageName",
                                "OnGetBiDiMode", "OnGetFontCharSet", "OnGetFormSection", "OnLanguageChanged",
                                "OnLanguageChanging", "OnLanguageClose", "OnLanguageOpen", "OnLoadString",
                                "OnLoadStrings", "OnSaveString", "OnSaveStrings", "OnSetLanguageName",
                                "OnSetBiDiMode", "OnSetFontCharSet", "OnSetFormSection", "_Version"}));
  for (const host::TPropInfo* p : host::GetPropInfos(&src))
    if (p->Name.rfind("On", 0) == 0) EXPECT_EQ(p->Kind, host::tkMethod) << p->Name;
}

TEST(PublishedProperties, BasesPublishNothingOfTheirOwn) {
  EXPECT_EQ(TAmCustomLanguageSource::StaticClass().Properties().size(), 2u);
  EXPECT_EQ(TAmFileLanguageSource::StaticClass().Properties().size(), 2u);
  EXPECT_EQ(TAmCustomLocalizer::StaticClass().Properties().size(), 2u);
}

TEST(PublishedProperties, KindsDefaultsAndStoredFlags) {
  TAmLanguageSource src(nullptr);
  const auto* active = host::GetPropInfo(&src, "activelanguage");
  ASSERT_NE(active, nullptr);
  EXPECT_EQ(active->Kind, host::tkInteger);
  EXPECT_TRUE(active->HasDefault);
  EXPECT_EQ(active->Default, -1);
  EXPECT_TRUE(host::IsDefaultPropValue(&src, active));
  const auto* sort = host::GetPropInfo(&src, "SortSections");
  EXPECT_EQ(sort->Kind, host::tkEnumeration);
  EXPECT_TRUE(sort->HasDefault);
  EXPECT_EQ(sort->Default, 0);
  EXPECT_FALSE(host::IsStoredProp(&src, "_Version"));
  EXPECT_TRUE(host::IsStoredProp(&src, "About"));
  EXPECT_EQ(host::GetPropInfo(&src, "Languages")->PropClass, &host::TStrings::StaticClass());
  EXPECT_EQ(host::GetObjectProp(&src, "Languages"), src.Languages());
  EXPECT_EQ(host::GetObjectProp(&src, "ActiveSettings"), src.ActiveSettings());
  EXPECT_EQ(host::GetStrProp(&src, "DefaultFileExt"), "lng");
  EXPECT_EQ(host::GetStrProp(&src, "OriginalName"), "Original");
}

TEST(PublishedProperties, AboutAndVersionReadEmptyAndIgnoreWrites) {
  TAmLanguageSource src(nullptr);
  host::SetStrProp(&src, "About", "x");
  host::SetStrProp(&src, "_Version", "9.99");
  EXPECT_EQ(host::GetStrProp(&src, "About"), "");
  EXPECT_EQ(host::GetStrProp(&src, "_Version"), "");
}

TEST(PublishedProperties, SettingsHaveThreeValuesWithoutDefaults) {
  TAmLanguageSource src(nullptr);
  const host::TObject* settings = src.ActiveSettings();
  EXPECT_THAT(NamesOf(*settings), ElementsAre("LanguageName", "BiDiMode", "FontCharSet"));
  for (const host::TPropInfo* p : host::GetPropInfos(settings)) EXPECT_FALSE(p->HasDefault) << p->Name;
  EXPECT_EQ(host::GetPropInfo(settings, "BiDiMode")->Kind, host::tkEnumeration);
  EXPECT_EQ(host::GetPropInfo(settings, "FontCharSet")->Kind, host::tkInteger);
  EXPECT_EQ(host::GetStrProp(settings, "LanguageName"), "Default");
}

TEST(PublishedProperties, LanguagesSetterCopiesTheLines) {
  TAmLanguageSource src(nullptr);
  host::TStringList lines;
  lines.SetText("Russian=ru.lng");
  host::SetObjectProp(&src, host::GetPropInfo(&src, "Languages"), &lines);
  EXPECT_NE(src.Languages(), &lines);
  EXPECT_EQ(src.Languages()->Text(), "Russian=ru.lng\r\n");
}

TEST(Registration, ConcreteSourcesCanBeCreatedByName) {
  RegisterAmbitClasses();
  RegisterAmbitClasses();
  host::TComponent owner(nullptr);
  const auto& file = host::GetRegisteredClass("TAmLanguageSource");
  host::TComponent* a = file.Create(&owner);
  EXPECT_TRUE(host::Is<TAmLanguageSource>(a));
  const auto* user = host::FindRegisteredClass("tamuserlanguagesource");
  ASSERT_NE(user, nullptr);
  EXPECT_TRUE(host::Is<TAmUserLanguageSource>(user->Create(&owner)));
  EXPECT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(host::FindRegisteredClass("TAmCustomLanguageSource"), nullptr);
}
