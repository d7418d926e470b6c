// Look-ups that take a shorter way: a case-insensitive Locate proves in one
// statement that each key value is present only as given, and a scan can
// read all its rows in one query. On random tables (spellings that differ
// in case, neighbours between the spellings, nulls) both must answer as a
// plain walk over every row does.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "host/core/CaseFold.h"
#include "tests/host/data/DataSetFixture.h"

using namespace host;
using namespace testdb;

namespace {

class FastLookupTest : public DataSetTest {};

std::string Spelling(std::mt19937& rng, std::string s) {
  for (char& c : s)
    if (rng() % 3 == 0 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) c ^= 0x20;
  return s;
}

TEST_P(FastLookupTest, LocateAndWholeScansAgreeWithAWalkOverEveryRow) {
  std::mt19937 rng(17);
  const std::vector<std::string> langs{"de", "DE", "dd", "df", "D", "de0"};
  const std::vector<std::string> names{"Caption", "caption", "CAPTION", "Captio", "Captions", "Hint", "HINT", ""};
  std::vector<Row> rows;
  for (int i = 0; i < 120; ++i) {
    Row r{langs[rng() % langs.size()], rng() % 9 == 0 ? std::nullopt : std::optional<std::string>(Spelling(rng, "Main")),
          names[rng() % names.size()], std::to_string(i)};
    Add(r);
    rows.push_back(r);
  }
  db->Exec("CREATE INDEX texts_key ON texts (lang, sec, name)");
  table->Close();
  table->Open();
  for (int probe = 0; probe < 150; ++probe) {
    const std::vector<std::string> key{Spelling(rng, langs[rng() % 3]), Spelling(rng, "main"),
                                       Spelling(rng, names[rng() % names.size()])};
    const bool insensitive = rng() % 4 != 0;
    std::optional<std::string> expected;
    for (const Row& r : rows) {
      bool match = true;
      for (std::size_t f = 0; f < 3; ++f) {
        const std::string have = r[f].value_or("");
        match = match && (insensitive ? SameText(have, key[f]) : have == key[f]);
      }
      if (match) {
        expected = r[3];
        break;
      }
    }
    const bool found =
        table->Locate("lang;sec;name", key, insensitive ? TLocateOptions{loCaseInsensitive} : TLocateOptions{});
    ASSERT_EQ(found, expected.has_value()) << key[0] << "/" << key[1] << "/" << key[2];
    if (found) EXPECT_EQ(table->FieldByName("value")->AsString(), *expected);
  }
  // A scan in one query meets the rows a batched one meets, in order.
  table->SetRowFilter(TRowFilter().Equal("lang", "de").EmptyOrEqual("sec", "Main"));
  const std::vector<std::string> batched = Visit();
  table->SetFetchAll(true);
  EXPECT_EQ(Visit(), batched);
  EXPECT_FALSE(batched.empty());
}

TEST_P(FastLookupTest, OtherSpellingsAboveOrBelowTheGivenOneAreFound) {
  // One spelling of language and section each, so that the proof decides
  // on the names alone.
  Add({"de", "A", "Caption", "only"});
  Add({"de", "B", "caption", "lower first"});
  Add({"de", "B", "Caption", "given second"});
  Add({"de", "C", "CAPTION", "upper first"});
  Add({"de", "C", "Caption", "given second"});
  Add({"de", "D", "Caption", "stored"});
  table->Close();
  table->Open();
  for (const auto& [sec, name, value] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"A", "Caption", "only"}, {"B", "Caption", "lower first"}, {"C", "Caption", "upper first"},
           {"D", "CAPTION", "stored"}}) {
    ASSERT_TRUE(table->Locate("lang;sec;name", {"de", sec, name}, {loCaseInsensitive})) << sec;
    EXPECT_EQ(table->FieldByName("value")->AsString(), value) << sec;
  }
}

}  // namespace

AMBIT_INSTANTIATE_FOR_DATABASES(FastLookupTest);
