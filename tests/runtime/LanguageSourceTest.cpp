// The language source base apart from language changes: the language list
// and its index operations, the store operations and their events, the
// read-only check, the localizer registry and copying.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RuntimeTestSupport.h"
#include "runtime/AmbitUserSource.h"

using namespace ambit;
using namespace ambit_test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EAmbitError& e) {
    return e.what();
  }
  return "(no error)";
}

}  // namespace

TEST(LanguageList, NamesAndValuesByIndex) {
  TAmCustomLanguageSource src(nullptr);
  src.Languages()->SetText("Russian=russian.lng\nGreek=greek.lng");
  EXPECT_EQ(src.GetLanguageName(-1), "Original");
  EXPECT_EQ(src.GetLanguageValue(-1), "");
  EXPECT_EQ(src.GetLanguageName(1), "Greek");
  EXPECT_EQ(src.GetLanguageValue(0), "russian.lng");
  src.SetLanguageName(1, "Turkish");
  EXPECT_EQ(src.Languages()->Get(1), "Turkish=greek.lng");
  src.SetLanguageName(-1, "Designed");
  EXPECT_EQ(src.OriginalName(), "Designed");
  EXPECT_EQ(src.GetLanguageName(-1), "Designed");
}

TEST(LanguageList, SettingAValueChangesOrRemovesTheLine) {
  TAmCustomLanguageSource src(nullptr);
  src.Languages()->SetText("Russian=russian.lng\nGreek=greek.lng");
  src.SetLanguageValue(1, "el.lng");
  EXPECT_EQ(src.Languages()->Get(1), "Greek=el.lng");
  src.SetLanguageValue(-1, "ignored");
  EXPECT_EQ(src.Languages()->Count(), 2);
  src.SetLanguageValue(0, "");
  EXPECT_EQ(src.Languages()->Text(), "Greek=el.lng\r\n");
}

TEST(LanguageList, ValuesAreLookedUpByName) {
  TAmCustomLanguageSource src(nullptr);
  src.Languages()->SetText("Greek=one.lng\ngreek=two.lng\nNoValue");
  EXPECT_EQ(src.GetLanguageValue(1), "one.lng");
  EXPECT_EQ(src.GetLanguageName(2), "");
  EXPECT_EQ(src.GetLanguageValue(2), "");
}

TEST(LanguageList, IndexOperationsRejectBadIndexes) {
  TAmCustomLanguageSource src(nullptr);
  src.Languages()->SetText("A=a\nB=b");
  EXPECT_EQ(MessageOf([&] { src.GetLanguageName(2); }), "Index out of bounds (2)");
  EXPECT_EQ(MessageOf([&] { src.GetLanguageValue(-2); }), "Index out of bounds (-2)");
  EXPECT_EQ(MessageOf([&] { src.SetLanguageName(5, "x"); }), "Index out of bounds (5)");
  EXPECT_EQ(MessageOf([&] { src.SetLanguageValue(2, "x"); }), "Index out of bounds (2)");
  EXPECT_EQ(src.Languages()->Text(), "A=a\r\nB=b\r\n");
}

TEST(ReadOnlyCheck, TheBaseSourceRefusesEveryWrite) {
  TAmCustomLanguageSource src(nullptr);
  bool fired = false;
  src.SetOnSaveString([&](host::TObject*, const std::string&, const std::string&) { fired = true; });
  src.SetOnSaveStrings([&](host::TObject*, host::TStrings*) { fired = true; });
  src.SetOnClear([&](host::TObject*) { fired = true; });
  src.SetOnClearAll([&](host::TObject*) { fired = true; });
  EXPECT_TRUE(src.ReadOnly());
  host::TStringList list;
  const std::string msg = "Cannot write to source file (ReadOnly = True)!";
  EXPECT_EQ(MessageOf([&] { src.SaveString("a", "b"); }), msg);
  EXPECT_EQ(MessageOf([&] { src.SaveStrings(&list); }), msg);
  EXPECT_EQ(MessageOf([&] { src.Clear(); }), msg);
  EXPECT_EQ(MessageOf([&] { src.ClearAll(); }), msg);
  EXPECT_FALSE(fired);
}

TEST(StoreEvents, ReadsStartFromTheDefaultAndFireOnlyWhenAssigned) {
  TAmCustomLanguageSource src(nullptr);
  EXPECT_EQ(src.LoadString("Caption", "dflt"), "dflt");
  src.SetOnLoadString([&](host::TObject* sender, const std::string& name, std::string& value) {
    EXPECT_EQ(sender, &src);
    EXPECT_EQ(value, "dflt");
    value = "[" + name + "]";
  });
  EXPECT_EQ(src.LoadString("Caption", "dflt"), "[Caption]");
  int calls = 0;
  src.SetOnLoadStrings([&](host::TObject*, host::TStrings* s) {
    ++calls;
    s->Add("x=y");
  });
  src.LoadStrings(nullptr);
  EXPECT_EQ(calls, 0);
  host::TStringList list;
  src.LoadStrings(&list);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(list.Text(), "x=y\r\n");
}

TEST(StoreEvents, WritesOfAWritableSourceReachTheirEvents) {
  TAmUserLanguageSource src(nullptr);
  Log log;
  src.SetOnSaveString([&](host::TObject*, const std::string& n, const std::string& v) { log.push_back(n + "=" + v); });
  src.SetOnSaveStrings([&](host::TObject*, host::TStrings* s) { log.push_back("strings:" + s->CommaText()); });
  src.SetOnClear([&](host::TObject*) { log.push_back("clear"); });
  src.SetOnClearAll([&](host::TObject*) { log.push_back("clearall"); });
  host::TStringList list;
  list.Add("a=1");
  src.SaveString("Caption", "OK");
  src.SaveStrings(nullptr);
  src.SaveStrings(&list);
  src.Clear();
  src.ClearAll();
  EXPECT_THAT(log, ElementsAre("Caption=OK", "strings:a=1", "clear", "clearall"));
}

TEST(FormSection, SetFiresOnlyOnARealChangeAndGetMayBeRewritten) {
  TAmCustomLanguageSource src(nullptr);
  Log log;
  src.SetOnSetFormSection([&](host::TObject*, const std::string& s) { log.push_back(s); });
  src.SetFormSection("Form1");
  src.SetFormSection("Form1");
  src.SetFormSection("form1");  // exact comparison: a change
  EXPECT_THAT(log, ElementsAre("Form1", "form1"));
  src.SetOnGetFormSection([](host::TObject*, std::string& s) { s = "Other:" + s; });
  EXPECT_EQ(src.GetFormSection(), "Other:form1");
  src.SetOnGetFormSection(nullptr);
  EXPECT_EQ(src.GetFormSection(), "form1");
}

TEST(LocalizerRegistry, IgnoresDuplicatesAndLocalizesOnRequest) {
  Log log;
  TTestForm form("Form1");
  TAmUserLanguageSource src(nullptr);
  auto* loc = new TRecLocalizer(&form, log, "L");
  src.AddLocalizer(nullptr, true);
  src.AddLocalizer(loc, true);  // no active language: no localizing
  src.AddLocalizer(loc, true);
  EXPECT_EQ(src.LocalizerCount(), 1);
  EXPECT_THAT(log, IsEmpty());
  src.RemoveLocalizer(loc);
  src.Languages()->SetText("A=a");
  src.SetActiveLanguage(0);
  src.AddLocalizer(loc, false);
  EXPECT_THAT(log, IsEmpty());
  src.RemoveLocalizer(loc);
  src.AddLocalizer(loc, true);
  EXPECT_THAT(log, ElementsAre("L.Localize(no source)"));
  src.RemoveLocalizer(loc);
  EXPECT_EQ(src.LocalizerCount(), 0);
}

TEST(LocalizerRegistry, LocalizeAndSaveRunInRegistrationOrder) {
  Log log;
  TTestForm form("Form1");
  TAmUserLanguageSource src(nullptr);
  auto* b = new TRecLocalizer(&form, log, "B");
  auto* a = new TRecLocalizer(&form, log, "A");
  b->SetSource(&src);
  a->SetSource(&src);
  log.clear();
  src.Localize();
  src.Save();
  EXPECT_THAT(log, ElementsAre("B.Localize", "A.Localize", "B.Save", "A.Save"));
  EXPECT_EQ(src.Localizers(0), b);
  EXPECT_THROW(src.Localizers(2), host::EListError);
}

TEST(SourceAssign, CopiesListsNamesSectionAndEventsButOpensNothing) {
  TAmUserLanguageSource from(nullptr);
  from.Languages()->SetText("A=a\nB=b");
  from.SetOriginalName("Designed");
  from.SetFormSection("Form7");
  int opened = 0;
  from.SetOnLanguageOpen([&](host::TObject*) { ++opened; });
  from.SetActiveLanguage(1);
  TAmUserLanguageSource to(nullptr);
  const int before = opened;
  to.Assign(&from);
  EXPECT_EQ(opened, before);
  EXPECT_EQ(to.ActiveLanguage(), 1);
  EXPECT_EQ(to.Languages()->Text(), "A=a\r\nB=b\r\n");
  EXPECT_EQ(to.OriginalName(), "Designed");
  EXPECT_EQ(to.GetFormSection(), "Form7");
  ASSERT_TRUE(to.OnLanguageOpen());
  to.OpenLanguage();
  EXPECT_EQ(opened, before + 1);
}

TEST(SourceAssign, TakesTheSectionAsTheSourceReportsIt) {
  TAmUserLanguageSource from(nullptr);
  from.SetFormSection("Stored");
  from.SetOnGetFormSection([](host::TObject*, std::string& s) { s = "Reported"; });
  TAmUserLanguageSource to(nullptr);
  to.Assign(&from);
  to.SetOnGetFormSection(nullptr);
  EXPECT_EQ(to.GetFormSection(), "Reported");
}

TEST(SourceAssign, OtherObjectsCannotBeAssigned) {
  TAmUserLanguageSource to(nullptr);
  host::TStringList list;
  EXPECT_THROW(to.Assign(&list), host::EConvertError);
}

TEST(DesignTimeQuery, PerClassAndPerInstance) {
  EXPECT_TRUE(TAmCustomLanguageSource::DesignTime());
  EXPECT_FALSE(TAmUserLanguageSource::DesignTime());
  TAmUserLanguageSource user(nullptr);
  const TAmCustomLanguageSource& asBase = user;
  EXPECT_FALSE(asBase.IsDesignTime());
  TAmCustomLanguageSource base(nullptr);
  EXPECT_TRUE(base.IsDesignTime());
}
