// The language settings: local values without an active language, the
// "General Settings" section of the active one, bad stored values,
// read-only sources, the section switch and its restore, the events.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "RuntimeTestSupport.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUserSource.h"

using namespace ambit;
using namespace ambit_test;
using ::testing::ElementsAre;

namespace {

// An event-driven source whose handlers keep "section/key" -> text.
struct MapStore : ::testing::Test {
  TAmUserLanguageSource src{nullptr};
  std::map<std::string, std::string> data;
  std::string section;

  void SetUp() override {
    src.Languages()->SetText("Russian=ru\nArabic=ar");
    src.SetOnSetFormSection([this](host::TObject*, const std::string& s) { section = s; });
    src.SetOnLoadString([this](host::TObject*, const std::string& n, std::string& v) {
      auto it = data.find(section + "/" + n);
      if (it != data.end()) v = it->second;
    });
    src.SetOnSaveString(
        [this](host::TObject*, const std::string& n, const std::string& v) { data[section + "/" + n] = v; });
  }
};

using SettingsStored = MapStore;

}  // namespace

TEST(SettingsLocal, WithoutActiveLanguageReportDefaults) {
  TAmUserLanguageSource src(nullptr);
  int loads = 0;
  src.SetOnLoadString([&](host::TObject*, const std::string&, std::string&) { ++loads; });
  TAmLanguageSettings* s = src.ActiveSettings();
  EXPECT_EQ(s->LanguageName(), "Default");
  EXPECT_EQ(s->BiDiMode(), host::bdLeftToRight);
  EXPECT_EQ(s->FontCharSet(), 1);
  EXPECT_EQ(loads, 0);
}

TEST(SettingsLocal, WithoutActiveLanguageSettersKeepLocalValuesOnly) {
  TAmUserLanguageSource src(nullptr);
  int saves = 0;
  src.SetOnSaveString([&](host::TObject*, const std::string&, const std::string&) { ++saves; });
  TAmLanguageSettings* s = src.ActiveSettings();
  s->SetBiDiMode(host::bdRightToLeft);
  s->SetFontCharSet(host::GREEK_CHARSET);
  s->SetLanguageName("Greek");
  EXPECT_EQ(s->BiDiMode(), host::bdRightToLeft);
  EXPECT_EQ(s->FontCharSet(), host::GREEK_CHARSET);
  EXPECT_EQ(s->LanguageName(), "Default");
  EXPECT_EQ(saves, 0);
}

TEST(SettingsLocal, RequireASource) {
  try {
    TAmLanguageSettings settings(nullptr);
    FAIL() << "no error";
  } catch (const EAmbitError& e) {
    EXPECT_STREQ(e.what(), "Language source must be specified!");
  }
}

TEST_F(SettingsStored, WrittenIntoGeneralSettingsAsText) {
  src.SetActiveLanguage(1);
  src.SetFormSection("Form1");
  TAmLanguageSettings* s = src.ActiveSettings();
  s->SetLanguageName("Arabic");
  s->SetBiDiMode(host::bdRightToLeftReadingOnly);
  s->SetFontCharSet(host::ARABIC_CHARSET);
  EXPECT_EQ(data["General Settings/LanguageName"], "Arabic");
  EXPECT_EQ(data["General Settings/BiDiMode"], "3");
  EXPECT_EQ(data["General Settings/FontCharSet"], "ARABIC_CHARSET");
  EXPECT_EQ(s->LanguageName(), "Arabic");
  EXPECT_EQ(s->BiDiMode(), host::bdRightToLeftReadingOnly);
  EXPECT_EQ(s->FontCharSet(), host::ARABIC_CHARSET);
  EXPECT_EQ(src.GetFormSection(), "Form1");
}

TEST_F(SettingsStored, CharacterSetNamesIgnoreCaseButNotBlanks) {
  src.SetActiveLanguage(0);
  data["General Settings/FontCharSet"] = "Russian_CharSet";
  EXPECT_EQ(src.ActiveSettings()->FontCharSet(), 204);
  data["General Settings/FontCharSet"] = " RUSSIAN_CHARSET";
  EXPECT_EQ(src.ActiveSettings()->FontCharSet(), 1);
  data["General Settings/FontCharSet"] = "OEM_CHARSET";
  EXPECT_EQ(src.ActiveSettings()->FontCharSet(), 255);
}

TEST_F(SettingsStored, EveryCharacterSetOfTheTableRoundTrips) {
  src.SetActiveLanguage(0);
  const int codes[] = {0, 1, 2, 77, 128, 129, 130, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238, 255};
  for (int code : codes) {
    src.ActiveSettings()->SetFontCharSet(static_cast<host::TFontCharset>(code));
    EXPECT_EQ(src.ActiveSettings()->FontCharSet(), code);
  }
}

TEST_F(SettingsStored, UnknownCharacterSetIsStoredAsDefault) {
  src.SetActiveLanguage(0);
  src.ActiveSettings()->SetFontCharSet(5);
  EXPECT_EQ(data["General Settings/FontCharSet"], "DEFAULT_CHARSET");
}

TEST_F(SettingsStored, BadBiDiModesReadAsLeftToRight) {
  src.SetActiveLanguage(0);
  for (const char* bad : {"7", "x", "-1", "1 ", ""}) {
    data["General Settings/BiDiMode"] = bad;
    EXPECT_EQ(src.ActiveSettings()->BiDiMode(), host::bdLeftToRight) << "stored: " << bad;
  }
  data["General Settings/BiDiMode"] = " 2";
  EXPECT_EQ(src.ActiveSettings()->BiDiMode(), host::bdRightToLeftNoAlign);
}

TEST_F(SettingsStored, MissingValuesGiveTheDefaults) {
  src.ActiveSettings()->SetBiDiMode(host::bdRightToLeft);  // local, ignored while a language is active
  src.SetActiveLanguage(0);
  EXPECT_EQ(src.ActiveSettings()->LanguageName(), "");
  EXPECT_EQ(src.ActiveSettings()->BiDiMode(), host::bdLeftToRight);
  EXPECT_EQ(src.ActiveSettings()->FontCharSet(), host::DEFAULT_CHARSET);
}

TEST_F(SettingsStored, SectionIsRestoredAlsoWhenTheStoreFails) {
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  src.SetOnLoadString([](host::TObject*, const std::string&, std::string&) { throw EAmbitError("broken"); });
  EXPECT_THROW(src.ActiveSettings()->BiDiMode(), EAmbitError);
  EXPECT_EQ(src.GetFormSection(), "Form1");
  src.SetOnSaveString([](host::TObject*, const std::string&, const std::string&) { throw EAmbitError("broken"); });
  EXPECT_THROW(src.ActiveSettings()->SetFontCharSet(0), EAmbitError);
  EXPECT_EQ(src.GetFormSection(), "Form1");
}

TEST_F(SettingsStored, EventsSeeAndMayReplaceEveryValue) {
  src.SetActiveLanguage(0);
  data["General Settings/LanguageName"] = "Russian";
  data["General Settings/FontCharSet"] = "RUSSIAN_CHARSET";
  Log log;
  src.SetOnGetLanguageName([&](host::TObject* sender, std::string& name) {
    EXPECT_EQ(sender, &src);
    log.push_back("get name " + name);
    name = "Русский";
  });
  src.SetOnGetFontCharSet([&](host::TObject*, host::TFontCharset& cs) {
    log.push_back("get charset " + std::to_string(cs));
    cs = host::OEM_CHARSET;
  });
  src.SetOnGetBiDiMode([&](host::TObject*, host::TBiDiMode& m) { m = host::bdRightToLeft; });
  src.SetOnSetBiDiMode([&](host::TObject*, host::TBiDiMode m) { log.push_back("set bidi " + std::to_string(m)); });
  src.SetOnSetLanguageName([&](host::TObject*, const std::string& n) { log.push_back("set name " + n); });
  src.SetOnSetFontCharSet([&](host::TObject*, host::TFontCharset cs) { log.push_back("set cs " + std::to_string(cs)); });
  EXPECT_EQ(src.ActiveSettings()->LanguageName(), "Русский");
  EXPECT_EQ(src.ActiveSettings()->FontCharSet(), host::OEM_CHARSET);
  EXPECT_EQ(src.ActiveSettings()->BiDiMode(), host::bdRightToLeft);
  src.ActiveSettings()->SetBiDiMode(host::bdRightToLeftNoAlign);
  src.ActiveSettings()->SetLanguageName("Russian");
  src.ActiveSettings()->SetFontCharSet(9);
  EXPECT_THAT(log, ElementsAre("get name Russian", "get charset 204", "set bidi 2", "set name Russian", "set cs 9"));
  EXPECT_EQ(data["General Settings/BiDiMode"], "2");
}

TEST_F(SettingsStored, SettersDoNothingWhileTheSourceLoads) {
  src.SetActiveLanguage(0);
  int fired = 0;
  src.SetOnSetBiDiMode([&](host::TObject*, host::TBiDiMode) { ++fired; });
  src.SetLoading(true);
  src.ActiveSettings()->SetBiDiMode(host::bdRightToLeft);
  src.ActiveSettings()->SetLanguageName("x");
  src.ActiveSettings()->SetFontCharSet(0);
  TAmUserLanguageSource other(nullptr);
  other.ActiveSettings()->SetBiDiMode(host::bdRightToLeft);
  src.SetActiveSettings(other.ActiveSettings());
  src.SetLoading(false);
  EXPECT_TRUE(data.find("General Settings/BiDiMode") == data.end());
  EXPECT_TRUE(data.find("General Settings/LanguageName") == data.end());
  EXPECT_EQ(fired, 0);
  src.SetActiveLanguage(-1);
  EXPECT_EQ(src.ActiveSettings()->BiDiMode(), host::bdLeftToRight);
}

TEST(SettingsReadOnly, OnlyTheLocalValueChangesAndIsIgnoredWhileActive) {
  TAmCustomLanguageSource src(nullptr);
  src.Languages()->SetText("A=a");
  src.SetActiveLanguage(0);
  int fired = 0;
  src.SetOnSetBiDiMode([&](host::TObject*, host::TBiDiMode) { ++fired; });
  src.ActiveSettings()->SetBiDiMode(host::bdRightToLeft);  // no read-only error
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(src.ActiveSettings()->BiDiMode(), host::bdLeftToRight);
  src.SetActiveLanguage(-1);
  EXPECT_EQ(src.ActiveSettings()->BiDiMode(), host::bdRightToLeft);
}

TEST(SettingsAssign, TakesBiDiModeAndCharacterSetThroughTheGetters) {
  TempDir dir;
  WriteFile(dir.File("he.lng"),
            "[General Settings]\r\nLanguageName=\"Hebrew\"\r\nBiDiMode=\"1\"\r\nFontCharSet=\"HEBREW_CHARSET\"\r\n");
  TAmLanguageSource from(nullptr);
  from.Languages()->SetText("Hebrew=" + dir.File("he.lng"));
  from.SetActiveLanguage(0);
  TAmLanguageSource to(nullptr);
  to.SetActiveSettings(from.ActiveSettings());
  EXPECT_EQ(to.ActiveSettings()->BiDiMode(), host::bdRightToLeft);
  EXPECT_EQ(to.ActiveSettings()->FontCharSet(), host::HEBREW_CHARSET);
  EXPECT_EQ(to.ActiveSettings()->LanguageName(), "Default");
  host::TStringList list;
  EXPECT_THROW(to.ActiveSettings()->Assign(&list), host::EConvertError);
}

TEST(SettingsEventSource, EveryAccessSwitchesTheSectionThroughTheEvents) {
  TAmUserLanguageSource src(nullptr);
  src.Languages()->SetText("A=a");
  src.SetActiveLanguage(0);
  src.SetFormSection("Form1");
  Log log;
  src.SetOnGetFormSection([&](host::TObject*, std::string& s) { log.push_back("get " + s); });
  src.SetOnSetFormSection([&](host::TObject*, const std::string& s) { log.push_back("set " + s); });
  src.SetOnLoadString([&](host::TObject*, const std::string& n, std::string& v) { log.push_back("load " + n + "," + v); });
  src.SetOnGetBiDiMode([&](host::TObject*, host::TBiDiMode& m) { log.push_back("bidi " + std::to_string(m)); });
  src.ActiveSettings()->BiDiMode();
  EXPECT_THAT(log, ElementsAre("get Form1", "set General Settings", "load BiDiMode,0", "set Form1", "bidi 0"));
}
