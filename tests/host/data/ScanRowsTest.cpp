// ScanRows hands out the rows a walk from First to Eof meets, from one
// query and in place. On random tables and filters (case variants, nulls,
// empty texts, quotes, conditions the back end cannot push) it must meet
// the same rows in the same order, stop where it is told, and leave the
// cursor where the walk would have.
#include <gtest/gtest.h>

#include <random>

#include "tests/host/data/DataSetFixture.h"

using namespace host;
using namespace testdb;

namespace {

class ScanRowsTest : public DataSetTest {
protected:
  std::vector<int> Fields() {
    std::vector<int> out;
    for (const char* f : {"lang", "sec", "name", "value"}) out.push_back(table->FieldByName(f)->Index());
    return out;
  }
  std::string Text(const TRowView& Row, const char* Field) {
    const auto& v = Row.at(static_cast<std::size_t>(table->FieldByName(Field)->Index()));
    return v ? std::string(*v) : std::string("<null>");
  }
  // Where the cursor stands and where it goes from there, both ways.
  std::vector<std::string> CursorState() {
    std::vector<std::string> out{Describe(table), table->Eof() ? "eof" : "", table->Bof() ? "bof" : ""};
    table->Prior();
    out.push_back(table->Bof() ? "bof" : Describe(table));
    table->Next();
    table->Next();
    out.push_back(table->Eof() ? "eof" : Describe(table));
    return out;
  }
};

TEST_P(ScanRowsTest, MeetsTheRowsOfAWalkAndLeavesTheCursorWhereItWould) {
  std::mt19937 rng(23);
  const std::vector<std::optional<std::string>> langs{"de", "DE", "dE", "en", "", std::nullopt};
  const std::vector<std::optional<std::string>> secs{"Main", "main", "MAIN", "Other", "", std::nullopt};
  const std::vector<std::optional<std::string>> values{"x", "\"quoted\"", "a=b", "", "'", std::nullopt};
  auto pick = [&](const auto& v) { return v[rng() % v.size()]; };
  for (int i = 0; i < 150; ++i) Add({pick(langs), pick(secs), "n" + std::to_string(rng() % 7), pick(values)});
  table->Close();
  table->Open();
  for (int probe = 0; probe < 40; ++probe) {
    TRowFilter filter;
    if (rng() % 2) filter.Equal("lang", *langs[rng() % 5]);
    if (rng() % 2) filter.EmptyOrEqual("sec", *secs[rng() % 5]);
    if (rng() % 3 == 0) filter.SameText("sec", "main");  // checked row by row
    table->SetRowFilter(filter);
    const std::vector<std::string> walked = Visit();
    // Stop at a random row, or never.
    const std::size_t stop = walked.empty() ? 0 : rng() % (walked.size() + 1);
    std::vector<std::string> expectedState;
    if (stop < walked.size()) {
      table->First();
      for (std::size_t i = 0; i < stop; ++i) table->Next();
    } else {
      for (table->First(); !table->Eof(); table->Next()) {
      }
    }
    expectedState = CursorState();

    std::vector<std::string> scanned;
    table->ScanRows(Fields(), [&](const TRowView& row) {
      scanned.push_back(Text(row, "lang") + "/" + Text(row, "sec") + "/" + Text(row, "name") + "=" +
                        Text(row, "value"));
      return scanned.size() <= stop;
    });
    const std::vector<std::string> expected(walked.begin(), walked.begin() + std::min(stop + 1, walked.size()));
    ASSERT_EQ(scanned, expected) << "probe " << probe;
    EXPECT_EQ(CursorState(), expectedState) << "probe " << probe;
  }
}

TEST_P(ScanRowsTest, AVisitThatRaisesLeavesTheCursorOnItsRow) {
  for (const char* v : {"a", "b", "c"}) Add({"de", "Main", "n", v});
  table->Open();
  int seen = 0;
  EXPECT_THROW(table->ScanRows({}, [&](const TRowView&) -> bool {
    if (++seen == 2) throw EDatabaseError("stop");
    return true;
  }),
               EDatabaseError);
  EXPECT_EQ(Describe(table), "de/Main/n=b");
  EXPECT_FALSE(table->Eof());
  table->Next();
  EXPECT_EQ(Describe(table), "de/Main/n=c");
}

TEST_P(ScanRowsTest, KeyColumnsReadAsTheWalkReadsThem) {
  // The key is also a column: a back end that selects it once must still
  // hand it out as both, on every row and on the row the cursor ends on.
  for (int i = 0; i < 12; ++i) Add({i % 3 ? "de" : "en", i % 4 ? "Main" : "", "n" + std::to_string(i), "v"});
  table->Open();
  table->SetRowFilter(TRowFilter().Equal("lang", "de").EmptyOrEqual("sec", "Main"));
  TField* id = table->FieldByName("id");
  std::vector<std::string> walked;
  for (table->First(); !table->Eof(); table->Next()) walked.push_back(id->AsString() + "/" + Describe(table));
  ASSERT_EQ(walked.size(), 8u);
  std::vector<std::string> scanned;
  std::vector<int> fields = Fields();
  fields.push_back(id->Index());
  table->ScanRows(fields, [&](const TRowView& row) {
    scanned.push_back(std::string(row.at(static_cast<std::size_t>(id->Index())).value_or("<null>")) + "/" +
                      Text(row, "lang") + "/" + Text(row, "sec") + "/" + Text(row, "name") + "=" + Text(row, "value"));
    return true;
  });
  EXPECT_EQ(scanned, walked);
  EXPECT_EQ(id->AsString() + "/" + Describe(table), walked.back());
}

TEST_P(ScanRowsTest, ColumnsHeldToOneValueReadAsStored) {
  // A column the filter holds to one value need not be read when it
  // compares by its bytes; a loose one (case-insensitive on SQLite,
  // blank-padded on PostgreSQL) holds spellings of its own, and an empty
  // value also takes nulls.
  const bool postgres = GetParam() == TBackend::Postgres;
  db->Exec(std::string("CREATE TABLE t ({id}, name ") + (postgres ? "CHAR(5)" : "TEXT COLLATE NOCASE") +
           ", lang TEXT, v TEXT)");
  db->Exec("INSERT INTO t (name, lang, v) VALUES ('abc', 'de', '1'), ('ABC', 'de', '2'), ('abc', NULL, '3'),"
           " ('abc', '', '4'), ('x', 'de', '5'), ('Abc', '', '6')");
  TDataSet* ds = db->NewTable("t");
  ds->Open();
  const std::string stored = postgres ? "abc  " : "abc";
  for (const TRowFilter& filter : {TRowFilter().Equal("name", stored).Equal("lang", "de"),
                                   TRowFilter().Equal("name", stored).Equal("lang", "")}) {
    ds->SetRowFilter(filter);
    std::vector<int> fields;
    for (const char* f : {"name", "lang", "v"}) fields.push_back(ds->FieldByName(f)->Index());
    std::vector<std::string> scanned;
    ds->ScanRows(fields, [&](const TRowView& row) {
      std::string line;
      for (int f : fields) line += std::string(row.at(static_cast<std::size_t>(f)).value_or("<null>")) + "/";
      scanned.push_back(line);
      return true;
    });
    std::vector<std::string> expected;
    for (ds->First(); !ds->Eof(); ds->Next()) {
      std::string line;
      for (int f : fields) line += (ds->Fields(f)->IsNull() ? "<null>" : ds->Fields(f)->AsString()) + "/";
      expected.push_back(line);
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(scanned, expected);
  }
}

TEST_P(ScanRowsTest, ARecheckedFilterSeesColumnsVisitDoesNotAskFor) {
  // The same-text condition is checked row by row against every condition
  // of the filter, the exact ones included, although Visit reads only names.
  for (const char* lang : {"de", "en"})
    for (const char* sec : {"Main", "MAIN", "Other"}) Add({lang, sec, std::string(lang) + sec, "v"});
  table->Open();
  table->SetRowFilter(TRowFilter().Equal("lang", "de").SameText("sec", "main"));
  const int name = table->FieldByName("name")->Index();
  std::vector<std::string> scanned;
  table->ScanRows({name}, [&](const TRowView& row) {
    scanned.push_back(std::string(row.at(static_cast<std::size_t>(name)).value_or("<null>")));
    return true;
  });
  EXPECT_EQ(scanned, (std::vector<std::string>{"deMain", "deMAIN"}));
}

TEST_P(ScanRowsTest, RowsSoughtThroughAnIndexComeInDatasetOrder) {
  // An index, or a heap table's physical order, hands each branch's rows
  // out in an order of its own, and lists of values (repeats included) may
  // be sought value by value.
  db->Exec("CREATE INDEX texts_key ON texts (lang, sec, name)");
  std::mt19937 rng(5);
  const std::vector<std::string> texts{"de", "en", "Main", "", "Other"};
  auto pick = [&] { return texts[rng() % texts.size()]; };
  for (int i = 0; i < 120; ++i)
    Add({pick(), rng() % 5 ? std::optional<std::string>(pick()) : std::nullopt, "n" + std::to_string(rng() % 50), "v"});
  // Rows written again move to the end of a heap table.
  db->Exec("UPDATE texts SET n = 1 WHERE id % 3 = 0");
  table->Open();
  for (int probe = 0; probe < 20; ++probe) {
    table->SetRowFilter(TRowFilter().OneOf("lang", {pick(), pick()}).OneOf("sec", {pick(), pick(), pick()}));
    const std::vector<std::string> walked = Visit();
    std::vector<std::string> scanned;
    table->ScanRows(Fields(), [&](const TRowView& row) {
      scanned.push_back(Text(row, "lang") + "/" + Text(row, "sec") + "/" + Text(row, "name") + "=" + Text(row, "value"));
      return true;
    });
    ASSERT_EQ(scanned, walked) << "probe " << probe;
    if (!walked.empty()) EXPECT_EQ(Describe(table), walked.back()) << "probe " << probe;
  }
}

}  // namespace

AMBIT_INSTANTIATE_FOR_DATABASES(ScanRowsTest);
