// The event-driven source: the application's handlers are the store. With
// no handlers everything is silent; with handlers each event comes in the
// order the language change and the settings promise.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RuntimeTestSupport.h"
#include "runtime/AmbitUserSource.h"

using namespace ambit;
using namespace ambit_test;
using ::testing::ElementsAre;

namespace {

// A localizer that localizes the way a form localizer does: settings first,
// then its form's section.
class TSectionLocalizer : public TRecLocalizer {
public:
  using TRecLocalizer::TRecLocalizer;
  void Localize() override {
    TRecLocalizer::Localize();
    if (!Source() || Source()->ActiveLanguage() < 0) return;
    Source()->ActiveSettings()->BiDiMode();
    Source()->ActiveSettings()->FontCharSet();
    Source()->SetFormSection(Owner()->Name());
    host::TStringList records;
    Source()->LoadStrings(&records);
    Texts = records.Text();
  }
  std::string Texts;
};

}  // namespace

TEST(UserSource, WithoutHandlersEverythingIsSilent) {
  Log log;
  TTestForm form("Form1");
  auto* src = new TAmUserLanguageSource(&form);
  src->Languages()->SetText("A=a\nB=b");
  auto* loc = new TSectionLocalizer(&form, log, "L");
  loc->SetClearBeforeSave(true);
  loc->SetSource(src);
  src->SetActiveLanguage(0);
  src->SetActiveLanguage(1);
  EXPECT_EQ(loc->Texts, "");
  EXPECT_FALSE(src->ReadOnly());
  EXPECT_NO_THROW(src->Save());
  EXPECT_NO_THROW(src->SaveString("x", "y"));
  EXPECT_NO_THROW(src->ClearAll());
  EXPECT_EQ(src->ActiveSettings()->BiDiMode(), host::bdLeftToRight);
  EXPECT_EQ(src->ActiveSettings()->FontCharSet(), host::DEFAULT_CHARSET);
  EXPECT_EQ(src->ActiveSettings()->LanguageName(), "");
}

TEST(UserSource, LanguageChangeFiresTheEventsInOrder) {
  Log log;
  TTestForm form("Form1");
  auto* src = new TAmUserLanguageSource(&form);
  src->Languages()->SetText("A=a\nB=b");
  auto* loc = new TSectionLocalizer(&form, log, "L");
  loc->SetSource(src);
  src->SetActiveLanguage(0);
  RecordSourceEvents(*src, log);
  src->SetOnGetFormSection([&](host::TObject*, std::string& s) { log.push_back("GetFormSection " + s); });
  src->SetOnSetFormSection([&](host::TObject*, const std::string& s) { log.push_back("SetFormSection " + s); });
  src->SetOnLoadString([&](host::TObject*, const std::string& n, std::string& v) {
    log.push_back("LoadString " + n);
    if (n == "BiDiMode") v = "1";
  });
  src->SetOnGetBiDiMode([&](host::TObject*, host::TBiDiMode& m) { log.push_back("GetBiDiMode " + std::to_string(m)); });
  src->SetOnGetFontCharSet(
      [&](host::TObject*, host::TFontCharset& c) { log.push_back("GetFontCharSet " + std::to_string(c)); });
  src->SetOnLoadStrings([&](host::TObject*, host::TStrings* s) {
    log.push_back("LoadStrings");
    s->Clear();
    s->Add("Caption=B text");
  });
  log.clear();
  src->SetActiveLanguage(1);
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(0)", "L.Changing(1)", "OnLanguageChanging(1)", "OnLanguageOpen(1)",
                               "L.Localize", "GetFormSection Form1", "SetFormSection General Settings",
                               "LoadString BiDiMode", "SetFormSection Form1", "GetBiDiMode 1",
                               "GetFormSection Form1", "SetFormSection General Settings", "LoadString FontCharSet",
                               "SetFormSection Form1", "GetFontCharSet 1", "LoadStrings", "L.Changed",
                               "OnLanguageChanged"));
  EXPECT_EQ(loc->Texts, "Caption=B text\r\n");
}

TEST(UserSource, RefusalAfterTheCloseKeepsTheIndexAndReopensIt) {
  Log log;
  TAmUserLanguageSource src(nullptr);
  src.Languages()->SetText("A=a\nB=b");
  src.SetActiveLanguage(0);
  RecordSourceEvents(src, log);
  src.SetOnLanguageChanging([&](host::TObject*, int i, bool& allow) {
    log.push_back("OnLanguageChanging(" + std::to_string(i) + ")");
    allow = false;
  });
  src.SetActiveLanguage(1);
  EXPECT_EQ(src.ActiveLanguage(), 0);
  // The data released by the close is asked for again, for language 0.
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(0)", "OnLanguageChanging(1)", "OnLanguageOpen(0)"));
  src.SetOnLanguageClose(nullptr);
}

TEST(UserSource, SaveWithClearBeforeSaveSelectsClearsThenWrites) {
  Log log;
  TTestForm form("fmMain");
  auto* src = new TAmUserLanguageSource(&form);
  auto* loc = new TRecLocalizer(&form, log, "L");
  loc->SetClearBeforeSave(true);
  loc->SetSource(src);
  src->SetOnSetFormSection([&](host::TObject*, const std::string& s) { log.push_back("SetFormSection " + s); });
  src->SetOnClear([&](host::TObject*) { log.push_back("Clear"); });
  log.clear();
  src->Save();
  src->Save();  // the section is already selected: no second selection
  EXPECT_THAT(log, ElementsAre("L.Save", "SetFormSection fmMain", "Clear", "L.Save", "Clear"));
}

TEST(UserSource, SettingsWritesGoThroughSaveStringThenTheSetEvents) {
  Log log;
  TAmUserLanguageSource src(nullptr);
  src.Languages()->SetText("A=a");
  src.SetOnSaveString(
      [&](host::TObject*, const std::string& n, const std::string& v) { log.push_back("SaveString " + n + "=" + v); });
  src.SetOnSetLanguageName([&](host::TObject*, const std::string& n) { log.push_back("SetLanguageName " + n); });
  src.SetOnSetFontCharSet(
      [&](host::TObject*, host::TFontCharset c) { log.push_back("SetFontCharSet " + std::to_string(c)); });
  src.ActiveSettings()->SetLanguageName("none active");
  src.SetActiveLanguage(0);
  src.ActiveSettings()->SetLanguageName("Greek");
  src.ActiveSettings()->SetFontCharSet(host::GREEK_CHARSET);
  EXPECT_THAT(log, ElementsAre("SetLanguageName none active", "SaveString LanguageName=Greek", "SetLanguageName Greek",
                               "SaveString FontCharSet=GREEK_CHARSET", "SetFontCharSet 161"));
}

TEST(UserSource, HandlerErrorsReachTheCaller) {
  TAmUserLanguageSource src(nullptr);
  src.Languages()->SetText("A=a");
  src.SetOnLanguageOpen([](host::TObject*) { throw EAmbitError("no data"); });
  EXPECT_THROW(src.SetActiveLanguage(0), EAmbitError);
  src.SetOnLanguageOpen(nullptr);
  src.SetFormSection("F");
  src.SetOnLoadString([](host::TObject*, const std::string&, std::string&) { throw EAmbitError("no data"); });
  EXPECT_THROW(src.ActiveSettings()->GetFontCharSet(), EAmbitError);
  EXPECT_EQ(src.GetFormSection(), "F");
}

TEST(UserSource, DestructionClosesWithTheWholeSourceStillThere) {
  auto* src = new TAmUserLanguageSource(nullptr);
  src->Languages()->SetText("A=a\nB=b");
  src->SetActiveLanguage(1);
  std::vector<std::string> seen;
  src->SetOnLanguageClose([&](host::TObject* sender) {
    auto* s = static_cast<TAmUserLanguageSource*>(sender);
    seen.push_back("close " + std::to_string(s->ActiveLanguage()) + (s->ReadOnly() ? " read-only" : " writable"));
    // The handlers are the store: a last write must still be possible.
    s->SaveString("Saved", "on close");
  });
  std::vector<std::string> saved;
  src->SetOnSaveString([&](host::TObject*, const std::string& name, const std::string& value) {
    saved.push_back(name + "=" + value);
  });
  delete src;
  EXPECT_THAT(seen, ElementsAre("close 1 writable"));
  EXPECT_THAT(saved, ElementsAre("Saved=on close"));
}

TEST(UserSource, ACloseHandlerThatRaisesDuringDestructionIsDropped) {
  auto* src = new TAmUserLanguageSource(nullptr);
  src->Languages()->SetText("A=a");
  src->SetActiveLanguage(0);
  int calls = 0;
  src->SetOnLanguageClose([&](host::TObject*) {
    ++calls;
    throw EAmbitError("store gone");
  });
  delete src;  // an error leaving a destructor would end the program
  EXPECT_EQ(calls, 1);
}
