// Whole sections: reading with rows that belong to every section, writing a
// list, and clearing a section against clearing a language.
#include <gtest/gtest.h>

#include <random>

#include "tests/runtime/db/DBSourceFixture.h"

using namespace ambit;
using namespace dbsource_test;

namespace {

class DBSourceSectionTest : public DBSourceTest {
protected:
  void SetUp() override {
    DBSourceTest::SetUp();
    if (IsSkipped()) return;
    source->SetActiveLanguage(0);
  }
};

TEST_P(DBSourceSectionTest, NullAndEmptySectionsBelongToEverySection) {
  Add({"de", "Main", "Caption", "Haupt"});
  Add({"de", std::nullopt, "Shared", "geteilt"});
  Add({"de", "Other", "Caption", "Anderes"});
  Add({"de", "", "Empty", "leer"});
  Add({"en", "Main", "Caption", "Main"});
  EXPECT_EQ(Section("Main"), (Lines{"Caption=Haupt", "Shared=geteilt", "Empty=leer"}));
  EXPECT_EQ(Section("Other"), (Lines{"Shared=geteilt", "Caption=Anderes", "Empty=leer"}));
}

TEST_P(DBSourceSectionTest, LanguageAndSectionCompareExactly) {
  Add({"DE", "Main", "a", "wrong language case"});
  Add({"de", "MAIN", "b", "wrong section case"});
  Add({"de", "Main", "c", "right"});
  EXPECT_EQ(Section("Main"), (Lines{"c=right"}));
}

TEST_P(DBSourceSectionTest, ALaterRowWinsAndAnEmptyValueAddsNothing) {
  Add({"de", "Main", "Caption", "first"});
  Add({"de", "Main", "Hint", "hint"});
  Add({"de", "Main", "CAPTION", "second"});
  Add({"de", "Main", "Hint", ""});
  Add({"de", "Main", "Empty", ""});
  EXPECT_EQ(Section("Main"), (Lines{"CAPTION=second"}))
      << "names compare through the list's Values, ignoring case; an empty value removes the name";
}

TEST_P(DBSourceSectionTest, WithoutAnActiveLanguageTheListIsEmpty) {
  Add({"de", "Main", "Caption", "x"});
  source->SetActiveLanguage(-1);
  table->Open();
  EXPECT_TRUE(Section("Main").empty());
}

TEST_P(DBSourceSectionTest, TheBaseEventSeesTheListBeforeItIsCleared) {
  Add({"de", "Main", "Caption", "x"});
  int calls = 0;
  source->SetOnLoadStrings([&](host::TObject*, host::TStrings* s) {
    ++calls;
    EXPECT_EQ(s->Get(0), "stale=line");
  });
  EXPECT_EQ(Section("Main"), (Lines{"Caption=x"}));
  EXPECT_EQ(calls, 1);
}

TEST_P(DBSourceSectionTest, AFilterTheApplicationSetOnTheDataSetStays) {
  Add({"de", "Main", "a", "1"});
  Add({"de", "Main", "b", "2"});
  table->SetRowFilter(host::TRowFilter().Equal("name", "b"));
  EXPECT_EQ(Section("Main"), (Lines{"b=2"}));
  EXPECT_EQ(table->RowFilter().Conditions().size(), 1u);
  EXPECT_EQ(table->RecordCount(), 1);
}

TEST_P(DBSourceSectionTest, SavingAListWritesOneRowPerLine) {
  host::TStringList list;
  list.Add("A=1");
  list.Add("B=2");
  list.Add("C=3");
  source->SetFormSection("Main");
  source->SaveStrings(&list);
  EXPECT_EQ(Rows(), (Lines{"de/Main/A=1", "de/Main/B=2", "de/Main/C=3"}));
  list.Clear();
  list.Add("b=two");
  source->SaveStrings(&list);
  EXPECT_EQ(Rows(), (Lines{"de/Main/A=1", "de/Main/B=two", "de/Main/C=3"}));
}

TEST_P(DBSourceSectionTest, ClearRemovesOnlyTheExactSectionOfTheActiveLanguage) {
  Add({"de", "Main", "a", "1"});
  Add({"de", "MAIN", "b", "2"});
  Add({"de", std::nullopt, "c", "3"});
  Add({"de", "", "d", "4"});
  Add({"en", "Main", "e", "5"});
  Add({"de", "Other", "f", "6"});
  Add({"de", "Main", "g", "7"});
  source->SetFormSection("Main");
  source->Clear();
  EXPECT_EQ(Rows(), (Lines{"de/MAIN/b=2", "de/<null>/c=3", "de//d=4", "en/Main/e=5", "de/Other/f=6"}));
}

TEST_P(DBSourceSectionTest, ClearAllRemovesEverySectionOfTheActiveLanguageOnly) {
  Add({"de", "Main", "a", "1"});
  Add({"en", "Main", "b", "2"});
  Add({"de", std::nullopt, "c", "3"});
  Add({"DE", "Other", "d", "4"});
  Add({"de", "Other", "e", "5"});
  source->SetFormSection("");
  source->ClearAll();
  EXPECT_EQ(Rows().size(), 5u) << "nothing is cleared while no section is selected";
  source->SetFormSection("Anything");
  source->ClearAll();
  EXPECT_EQ(Rows(), (Lines{"en/Main/b=2", "DE/Other/d=4"}));
}

TEST_P(DBSourceSectionTest, ClearWithoutActiveLanguageOrSectionDoesNothing) {
  Add({"de", "Main", "a", "1"});
  source->SetFormSection("");
  source->Clear();
  source->SetFormSection("Main");
  source->SetActiveLanguage(-1);
  source->Clear();
  source->ClearAll();
  EXPECT_EQ(Rows().size(), 1u);
}

// The rows a section read takes, computed the slow way: every row of the
// table in dataset order, compared one by one.
host::TStringList* ScanAll(host::TDataSet* ds, const std::string& key, const std::string& section,
                           host::TStringList* out) {
  for (ds->First(); !ds->Eof(); ds->Next()) {
    host::TField* sec = ds->FieldByName("sec");
    if (ds->FieldByName("lang")->AsString() == key &&
        (sec->IsNull() || sec->AsString().empty() || sec->AsString() == section))
      out->SetValues(ds->FieldByName("name")->AsString(), ds->FieldByName("value")->AsString());
  }
  return out;
}

TEST_P(DBSourceSectionTest, SectionReadsEqualARowByRowScan) {
  std::mt19937 rng(7);
  const std::vector<std::optional<std::string>> langs{"de", "DE", "en", "", std::nullopt};
  const std::vector<std::optional<std::string>> secs{"Main", "main", "Other", "", std::nullopt};
  const std::vector<std::optional<std::string>> names{"a", "A", "b", "c", "", std::nullopt};
  const std::vector<std::optional<std::string>> values{"x", "y", "", std::nullopt};
  auto pick = [&](const auto& v) { return v[rng() % v.size()]; };
  for (int i = 0; i < 300; ++i) Add({pick(langs), pick(secs), pick(names), pick(values)});
  source->Languages()->Add("Blank=");
  host::TDataSet* plain = db->NewTable("texts");
  plain->Open();
  for (int lang : {0, 1, 2}) {
    source->SetActiveLanguage(lang);
    for (const std::string section : {"Main", "main", "Other", "Missing"}) {
      host::TStringList expected;
      ScanAll(plain, source->GetLanguageValue(lang), section, &expected);
      EXPECT_EQ(Section(section), [&] {
        Lines l;
        for (int i = 0; i < expected.Count(); ++i) l.push_back(expected.Get(i));
        return l;
      }()) << "language " << lang << ", section " << section;
    }
  }
}

}  // namespace

AMBIT_INSTANTIATE_FOR_DATABASES(DBSourceSectionTest);
