// The active-language change: its sequence and event order, vetoes, the
// update bracket, streaming, and what destruction tells the localizers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "RuntimeTestSupport.h"
#include "runtime/AmbitUserSource.h"

using namespace ambit;
using namespace ambit_test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A form with an event-driven source of three languages and two localizers.
struct Fixture : ::testing::Test {
  Log log;  // first: the form's components still log while it goes
  std::unique_ptr<TTestForm> form = std::make_unique<TTestForm>("Form1");
  TAmUserLanguageSource* src = new TAmUserLanguageSource(form.get());
  TRecLocalizer* l1 = nullptr;
  TRecLocalizer* l2 = nullptr;

  void SetUp() override {
    src->Languages()->SetText("English=en\nGreek=el\nRussian=ru");
    l1 = new TRecLocalizer(form.get(), log, "L1");
    l2 = new TRecLocalizer(form.get(), log, "L2");
    l1->SetSource(src);
    l2->SetSource(src);
    RecordSourceEvents(*src, log);
    log.clear();
  }
};

using LanguageChange = Fixture;
using UpdateBracket = Fixture;
using Streaming = Fixture;

}  // namespace

TEST_F(LanguageChange, FirstChangeLocalizesWithoutNotifications) {
  src->SetActiveLanguage(0);
  EXPECT_THAT(log, ElementsAre("OnLanguageOpen(0)", "L1.Localize", "L2.Localize"));
  EXPECT_EQ(src->ActiveLanguage(), 0);
}

TEST_F(LanguageChange, LaterChangesRunTheWholeSequenceInOrder) {
  src->SetActiveLanguage(0);
  log.clear();
  src->SetActiveLanguage(1);
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(0)", "L1.Changing(1)", "L2.Changing(1)", "OnLanguageChanging(1)",
                               "OnLanguageOpen(1)", "L1.Localize", "L2.Localize", "L1.Changed", "L2.Changed",
                               "OnLanguageChanged"));
}

TEST_F(LanguageChange, SettingTheCurrentValueFiresNothingButActivates) {
  src->SetActiveLanguage(-1);
  EXPECT_THAT(log, IsEmpty());
  // Activated by that run: the next change notifies.
  src->SetActiveLanguage(2);
  EXPECT_THAT(log, ElementsAre("L1.Changing(2)", "L2.Changing(2)", "OnLanguageChanging(2)", "OnLanguageOpen(2)",
                               "L1.Localize", "L2.Localize", "L1.Changed", "L2.Changed", "OnLanguageChanged"));
}

TEST_F(LanguageChange, ChangingBackToMinusOneClosesAndLocalizesWithoutOpening) {
  src->SetActiveLanguage(1);
  src->SetActiveLanguage(2);
  log.clear();
  src->SetActiveLanguage(-1);
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(2)", "L1.Changing(-1)", "L2.Changing(-1)", "OnLanguageChanging(-1)",
                               "L1.Localize", "L2.Localize", "L1.Changed", "L2.Changed", "OnLanguageChanged"));
}

TEST_F(LanguageChange, RejectsIndexesOutsideTheList) {
  try {
    src->SetActiveLanguage(3);
    FAIL() << "no error";
  } catch (const EAmbitError& e) {
    EXPECT_STREQ(e.what(), "Index out of bounds (3)");
  }
  try {
    src->SetActiveLanguage(-2);
    FAIL() << "no error";
  } catch (const EAmbitError& e) {
    EXPECT_STREQ(e.what(), "Index out of bounds (-2)");
  }
  EXPECT_EQ(src->ActiveLanguage(), -1);
  EXPECT_THAT(log, IsEmpty());
}

TEST_F(LanguageChange, SourceVetoKeepsTheLanguageAndReopensItsStore) {
  src->SetActiveLanguage(0);
  src->SetOnLanguageChanging([&](host::TObject* sender, int index, bool& allow) {
    EXPECT_EQ(sender, src);
    log.push_back("OnLanguageChanging(" + std::to_string(index) + ")");
    allow = false;
  });
  log.clear();
  src->SetActiveLanguage(2);
  EXPECT_EQ(src->ActiveLanguage(), 0);
  // Released before the question, opened again after the refusal; nobody
  // localizes and nobody hears of a change.
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(0)", "L1.Changing(2)", "L2.Changing(2)", "OnLanguageChanging(2)",
                               "OnLanguageOpen(0)"));
}

TEST_F(LanguageChange, AStoreThatCannotReopenAfterARefusalIsReported) {
  src->SetActiveLanguage(0);
  src->SetOnLanguageChanging([](host::TObject*, int, bool& allow) { allow = false; });
  src->SetOnLanguageOpen([](host::TObject*) { throw EAmbitError("store failed"); });
  EXPECT_THROW(src->SetActiveLanguage(1), EAmbitError);
  EXPECT_EQ(src->ActiveLanguage(), 0);
  // After an error in the question itself, that error is the one reported.
  src->SetOnLanguageChanging([](host::TObject*, int, bool&) { throw std::runtime_error("handler failed"); });
  EXPECT_THROW(src->SetActiveLanguage(1), std::runtime_error);
}

TEST_F(LanguageChange, LocalizerVetoDoesNotStopTheChange) {
  src->SetActiveLanguage(0);
  l1->SetOnLanguageChanging([](host::TObject*, int, bool& allow) { allow = false; });
  src->SetActiveLanguage(1);
  EXPECT_EQ(src->ActiveLanguage(), 1);
}

TEST_F(LanguageChange, ErrorInHandlerPropagatesAndTheOldStoreIsReopened) {
  src->SetActiveLanguage(0);
  src->SetOnLanguageChanging([](host::TObject*, int, bool&) { throw std::runtime_error("handler failed"); });
  log.clear();
  EXPECT_THROW(src->SetActiveLanguage(1), std::runtime_error);
  EXPECT_EQ(src->ActiveLanguage(), 0);
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(0)", "L1.Changing(1)", "L2.Changing(1)", "OnLanguageOpen(0)"));
}

TEST_F(LanguageChange, ErrorWhileLocalizingLeavesTheRestUndone) {
  src->SetActiveLanguage(0);
  src->SetOnLanguageOpen([](host::TObject*) { throw EAmbitError("store failed"); });
  log.clear();
  EXPECT_THROW(src->SetActiveLanguage(1), EAmbitError);
  EXPECT_EQ(src->ActiveLanguage(), 1);
  EXPECT_EQ(l1->LocalizeCount, 1);  // only the first activation's
}

TEST_F(UpdateBracket, ChangesThereAndBackLocalizeNothing) {
  src->SetActiveLanguage(0);
  log.clear();
  src->BeginUpdate();
  src->SetActiveLanguage(2);
  src->SetActiveLanguage(0);
  src->EndUpdate();
  // Stores still open and close inside the bracket; nothing else happens.
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(0)", "OnLanguageOpen(2)", "OnLanguageClose(2)", "OnLanguageOpen(0)"));
}

TEST_F(UpdateBracket, EndUpdateAppliesTheFinalLanguageOnceWithNotifications) {
  src->SetActiveLanguage(0);
  src->BeginUpdate();
  src->SetActiveLanguage(2);
  log.clear();
  src->EndUpdate();
  EXPECT_EQ(src->ActiveLanguage(), 2);
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(0)", "L1.Changing(2)", "L2.Changing(2)", "OnLanguageChanging(2)",
                               "OnLanguageOpen(2)", "L1.Localize", "L2.Localize", "L1.Changed", "L2.Changed",
                               "OnLanguageChanged"));
}

TEST_F(UpdateBracket, IsAFlagNotACounter) {
  src->SetActiveLanguage(0);
  src->BeginUpdate();
  src->BeginUpdate();
  EXPECT_TRUE(src->Updating());
  src->EndUpdate();
  EXPECT_FALSE(src->Updating());
  const int before = l1->LocalizeCount;
  src->SetActiveLanguage(1);
  EXPECT_EQ(l1->LocalizeCount, before + 1);
}

TEST_F(UpdateBracket, VetoOfTheReplayReturnsToTheLanguageTheFormsShow) {
  src->SetActiveLanguage(0);
  src->BeginUpdate();
  src->SetActiveLanguage(2);
  src->SetOnLanguageChanging([](host::TObject*, int, bool& allow) { allow = false; });
  src->EndUpdate();
  EXPECT_EQ(src->ActiveLanguage(), 0);
}

TEST_F(Streaming, ValuesReadFromAStreamWaitForLoaded) {
  src->SetLoading(true);
  src->SetReading(true);
  src->SetActiveLanguage(1);
  EXPECT_EQ(src->ActiveLanguage(), -1);
  EXPECT_THAT(log, IsEmpty());
  src->SetReading(false);
  src->Loaded();
  EXPECT_FALSE(src->IsLoading());
  EXPECT_EQ(src->ActiveLanguage(), 1);
  // The first activation: no notifications.
  EXPECT_THAT(log, ElementsAre("OnLanguageOpen(1)", "L1.Localize", "L2.Localize"));
}

TEST_F(Streaming, LoadedAppliesThePendingLanguageAlsoWhileStillReading) {
  src->SetLoading(true);
  src->SetReading(true);
  src->SetActiveLanguage(2);
  src->Loaded();
  EXPECT_EQ(src->ActiveLanguage(), 2);
}

TEST_F(Streaming, ReadingAgainMakesTheNextChangeAFirstActivation) {
  src->SetActiveLanguage(0);
  src->SetActiveLanguage(1);
  src->SetLoading(true);
  src->SetReading(true);
  src->SetActiveLanguage(2);
  src->SetReading(false);
  log.clear();
  src->Loaded();
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(1)", "OnLanguageOpen(2)", "L1.Localize", "L2.Localize"));
}

TEST_F(Streaming, APendingIndexOutOfRangeIsDropped) {
  src->SetLoading(true);
  src->SetReading(true);
  src->SetActiveLanguage(7);
  src->SetReading(false);
  src->Loaded();
  EXPECT_EQ(src->ActiveLanguage(), -1);
  EXPECT_THAT(log, IsEmpty());
  // Still not activated: the next change sends no notifications.
  src->SetActiveLanguage(0);
  EXPECT_THAT(log, ElementsAre("OnLanguageOpen(0)", "L1.Localize", "L2.Localize"));
}

TEST_F(Streaming, LanguagesReadAfterTheActiveLanguageKeepIt) {
  host::TStringList langs;
  langs.SetText("A=a\nB=b");
  src->SetLoading(true);
  src->SetReading(true);
  src->SetActiveLanguage(1);
  src->SetLanguages(&langs);
  src->SetReading(false);
  src->Loaded();
  EXPECT_EQ(src->ActiveLanguage(), 1);
  EXPECT_EQ(src->Languages()->Text(), "A=a\r\nB=b\r\n");
}

TEST_F(LanguageChange, AssigningLanguagesReturnsToTheDesignedTexts) {
  src->SetActiveLanguage(1);
  log.clear();
  host::TStringList langs;
  langs.SetText("X=x");
  src->SetLanguages(&langs);
  EXPECT_EQ(src->ActiveLanguage(), -1);
  EXPECT_EQ(src->Languages()->Count(), 1);
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(1)", "L1.Changing(-1)", "L2.Changing(-1)", "OnLanguageChanging(-1)",
                               "L1.Localize", "L2.Localize", "L1.Changed", "L2.Changed", "OnLanguageChanged"));
}

TEST(LanguageSourceDestruction, ClosesTheLanguageAndUnbindsLocalizersOnOtherForms) {
  Log log;
  TTestForm dataModule("DataModule1");
  TTestForm form("Form1");
  auto* src = new TAmUserLanguageSource(&dataModule);
  src->Languages()->SetText("A=a");
  auto* loc = new TRecLocalizer(&form, log, "L");
  loc->SetSource(src);
  src->SetActiveLanguage(0);
  RecordSourceEvents(*src, log);
  log.clear();
  delete src;
  EXPECT_EQ(loc->Source(), nullptr);
  EXPECT_THAT(log, ElementsAre("OnLanguageClose(0)", "L.Localize(no source)"));
}

TEST(LanguageSourceDestruction, UnbindsALocalizerOnTheSameForm) {
  Log log;
  TTestForm form("Form1");
  auto* src = new TAmUserLanguageSource(&form);
  auto* loc = new TRecLocalizer(&form, log, "L");
  loc->SetSource(src);
  log.clear();
  delete src;
  EXPECT_EQ(loc->Source(), nullptr);
  EXPECT_THAT(log, ElementsAre("L.Localize(no source)"));
}

TEST(LanguageSourceDestruction, FormGoingAwayDoesNotLocalize) {
  Log log;
  auto form = std::make_unique<TTestForm>("Form1");
  auto* src = new TAmUserLanguageSource(form.get());
  auto* loc = new TRecLocalizer(form.get(), log, "L");
  loc->SetSource(src);
  // The source goes last, after the localizer: reorder so it goes first.
  src->SetComponentIndex(form->ComponentCount() - 1);
  log.clear();
  form.reset();
  EXPECT_THAT(log, IsEmpty());
}

TEST(LanguageSourceDestruction, DestroyedLocalizerLeavesTheRegistry) {
  Log log;
  TTestForm form("Form1");
  auto* src = new TAmUserLanguageSource(&form);
  auto* loc = new TRecLocalizer(&form, log, "L");
  loc->SetSource(src);
  ASSERT_EQ(src->LocalizerCount(), 1);
  delete loc;
  EXPECT_EQ(src->LocalizerCount(), 0);
  src->Languages()->SetText("A=a");
  src->SetActiveLanguage(0);  // would reach the freed localizer otherwise
  EXPECT_EQ(src->ActiveLanguage(), 0);
}
