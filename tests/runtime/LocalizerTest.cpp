// The localizer base: binding to a source and the notifications it brings,
// streaming, the removal of the source, saving with ClearBeforeSave, the
// active language's file and name, and copying.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RuntimeTestSupport.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUserSource.h"

using namespace ambit;
using namespace ambit_test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

struct Binding : ::testing::Test {
  Log log;
  TTestForm form{"Form1"};
  TAmUserLanguageSource* a = new TAmUserLanguageSource(&form);
  TAmUserLanguageSource* b = new TAmUserLanguageSource(&form);
  TRecLocalizer* loc = new TRecLocalizer(&form, log, "L");

  void SetUp() override {
    a->Languages()->SetText("A0=a0\nA1=a1\nA2=a2");
    b->Languages()->SetText("B0=b0\nB1=b1\nB2=b2");
  }
};

}  // namespace

TEST_F(Binding, ToASourceWithAnotherLanguageNotifiesThenLocalizes) {
  a->SetActiveLanguage(2);
  loc->SetSource(a);
  EXPECT_EQ(loc->Source(), a);
  EXPECT_THAT(log, ElementsAre("L.Changing(2)", "L.Changed", "L.Localize"));
  EXPECT_EQ(a->LocalizerCount(), 1);
}

TEST_F(Binding, ToASourceWithTheSameIndexOnlyLocalizes) {
  a->SetActiveLanguage(1);
  b->SetActiveLanguage(1);
  loc->SetSource(a);
  log.clear();
  loc->SetSource(b);
  EXPECT_THAT(log, ElementsAre("L.Localize"));
  EXPECT_EQ(a->LocalizerCount(), 0);
  EXPECT_EQ(b->LocalizerCount(), 1);
}

TEST_F(Binding, ToASourceWithoutLanguageNeitherNotifiesNorLocalizes) {
  loc->SetSource(a);
  EXPECT_THAT(log, IsEmpty());
  loc->SetSource(a);  // the same source: nothing at all
  EXPECT_THAT(log, IsEmpty());
}

TEST_F(Binding, RefusalByTheLocalizerKeepsTheFormUnlocalizedButBinds) {
  a->SetActiveLanguage(0);
  loc->SetOnLanguageChanging([](host::TObject*, int, bool& allow) { allow = false; });
  loc->SetSource(a);
  EXPECT_EQ(loc->Source(), a);
  EXPECT_THAT(log, ElementsAre("L.Changing(0)", "L.Changed"));
}

TEST_F(Binding, UnbindingNotifiesWithMinusOneAndLeavesTheRegistry) {
  a->SetActiveLanguage(1);
  loc->SetSource(a);
  log.clear();
  loc->SetSource(nullptr);
  EXPECT_THAT(log, ElementsAre("L.Changing(-1)", "L.Changed"));
  EXPECT_EQ(a->LocalizerCount(), 0);
}

TEST_F(Binding, EventsCarryTheLocalizerAsSender) {
  host::TObject* changingSender = nullptr;
  host::TObject* changedSender = nullptr;
  int index = 0;
  loc->SetOnLanguageChanging([&](host::TObject* s, int i, bool&) {
    changingSender = s;
    index = i;
  });
  loc->SetOnLanguageChanged([&](host::TObject* s) { changedSender = s; });
  a->SetActiveLanguage(2);
  loc->SetSource(a);
  EXPECT_EQ(changingSender, loc);
  EXPECT_EQ(changedSender, loc);
  EXPECT_EQ(index, 2);
}

TEST_F(Binding, WhileLoadingTheSourceWaitsForLoaded) {
  a->SetActiveLanguage(1);
  loc->SetLoading(true);
  loc->SetSource(a);
  EXPECT_EQ(loc->Source(), nullptr);
  EXPECT_THAT(log, IsEmpty());
  loc->Loaded();
  EXPECT_EQ(loc->Source(), a);
  EXPECT_THAT(log, ElementsAre("L.Changing(1)", "L.Changed", "L.Localize"));
}

TEST_F(Binding, TheDesignerApplyingAStreamedSourceIsNoLanguageChange) {
  a->SetActiveLanguage(1);
  loc->SetDesigning(true);
  loc->SetLoading(true);
  loc->SetSource(a);
  loc->Loaded();
  EXPECT_EQ(loc->Source(), a);
  EXPECT_THAT(log, ElementsAre("L.Localize"));
}

TEST_F(Binding, APendingSourceThatGoesAwayIsForgotten) {
  loc->SetLoading(true);
  loc->SetSource(b);
  delete b;
  loc->Loaded();
  EXPECT_EQ(loc->Source(), nullptr);
}

TEST_F(Binding, APendingSourceOnAnotherFormThatGoesAwayIsForgotten) {
  auto* other = new TAmUserLanguageSource(nullptr);
  loc->SetLoading(true);
  loc->SetSource(other);
  delete other;
  loc->Loaded();
  EXPECT_EQ(loc->Source(), nullptr);
}

TEST_F(Binding, ALocalizerMovedToAnotherOwnerStaysBound) {
  a->SetActiveLanguage(0);
  loc->SetSource(a);
  TTestForm form2("Form2");
  form.RemoveComponent(loc);
  form2.InsertComponent(loc);
  EXPECT_EQ(a->LocalizerCount(), 1);
  log.clear();
  a->SetActiveLanguage(1);
  EXPECT_THAT(log, ElementsAre("L.Changing(1)", "L.Localize", "L.Changed"));
}

TEST_F(Binding, RemovalOfTheSourceUnbindsAndLocalizesOnce) {
  a->SetActiveLanguage(0);
  loc->SetSource(a);
  log.clear();
  delete a;
  EXPECT_EQ(loc->Source(), nullptr);
  EXPECT_THAT(log, ElementsAre("L.Localize(no source)"));
}

TEST_F(Binding, FileNameAndLanguageNameComeFromTheListWithoutTheHook) {
  TAmLanguageSource src(&form);
  src.Languages()->SetText("Russian=russian.lng\nGreek=greek.lng");
  src.SetOnGetFileName([](host::TObject*, std::string& f) { f = "/elsewhere/" + f; });
  EXPECT_EQ(loc->GetFileName(), "");
  loc->SetSource(&src);
  EXPECT_EQ(loc->GetFileName(), "");
  EXPECT_EQ(loc->GetLanguageName(), "");
  TempDir dir;
  src.SetOnGetFileName([&](host::TObject*, std::string& f) { f = dir.File(f); });
  src.SetActiveLanguage(1);
  EXPECT_EQ(loc->GetFileName(), "greek.lng");
  EXPECT_EQ(loc->GetLanguageName(), "Greek");
  loc->SetSource(nullptr);
}

namespace {
// Writes one record for its form after the base has done its part.
class TWritingLocalizer : public TRecLocalizer {
public:
  using TRecLocalizer::TRecLocalizer;
  void Save() override {
    TRecLocalizer::Save();
    Source()->SetFormSection(Owner()->Name());
    Source()->SaveString("Caption", "new " + Owner()->Name());
  }
};
}  // namespace

TEST(LocalizerSave, ClearBeforeSaveEmptiesOnlyTheOwnersSection) {
  Log log;
  TempDir dir;
  TTestForm module("DataModule1");
  TTestForm form1("Form1");
  TTestForm form2("Form2");
  auto* src = new TAmLanguageSource(&module);
  src->Languages()->SetText("Greek=" + dir.File("greek.lng"));
  src->SetActiveLanguage(0);
  src->SetFormSection("Form1");
  src->SaveString("Caption", "old one");
  src->SaveString("Hint", "old hint");
  src->SetFormSection("Form2");
  src->SaveString("Caption", "old two");
  auto* l1 = new TWritingLocalizer(&form1, log, "L1");
  auto* l2 = new TWritingLocalizer(&form2, log, "L2");
  l1->SetClearBeforeSave(true);
  l2->SetClearBeforeSave(true);
  l1->SetSource(src);
  l2->SetSource(src);
  log.clear();
  src->Save();
  EXPECT_THAT(log, ElementsAre("L1.Save", "L2.Save"));
  // Both forms' records survive; the stale ones are gone.
  EXPECT_EQ(ReadFile(dir.File("greek.lng")),
            "[Form1]\r\nCaption=\"new Form1\"\r\n\r\n[Form2]\r\nCaption=\"new Form2\"\r\n\r\n");
  l1->SetSource(nullptr);
  l2->SetSource(nullptr);
}

TEST(LocalizerSave, WithoutClearBeforeSaveNothingIsCleared) {
  Log log;
  TTestForm form("Form1");
  TAmUserLanguageSource src(nullptr);
  int cleared = 0;
  src.SetOnClear([&](host::TObject*) { ++cleared; });
  auto* loc = new TRecLocalizer(&form, log, "L");
  loc->Save();  // no source: nothing
  loc->SetSource(&src);
  loc->Save();
  EXPECT_EQ(cleared, 0);
  loc->SetClearBeforeSave(true);
  loc->Save();
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(src.GetFormSection(), "Form1");
  loc->SetSource(nullptr);
}

TEST(LocalizerAssign, CopiesSourceOptionAndEvents) {
  Log log;
  TTestForm form1("Form1");
  TTestForm form2("Form2");
  TAmUserLanguageSource src(nullptr);
  src.Languages()->SetText("A=a");
  src.SetActiveLanguage(0);
  auto* from = new TRecLocalizer(&form1, log, "From");
  auto* to = new TRecLocalizer(&form2, log, "To");
  int changed = 0;
  from->SetOnLanguageChanged([&](host::TObject*) { ++changed; });
  from->SetClearBeforeSave(true);
  from->SetSource(&src);
  log.clear();
  to->Assign(from);
  EXPECT_EQ(to->Source(), &src);
  EXPECT_TRUE(to->ClearBeforeSave());
  EXPECT_EQ(src.LocalizerCount(), 2);
  // The copy binds before it copies the events: the handler ran once, for
  // the original's own binding, and not for the copy's.
  EXPECT_THAT(log, ElementsAre("To.Changing(0)", "To.Changed", "To.Localize"));
  EXPECT_EQ(changed, 1);
  host::TStringList list;
  EXPECT_THROW(to->Assign(&list), host::EConvertError);
  from->SetSource(nullptr);
  to->SetSource(nullptr);
}
