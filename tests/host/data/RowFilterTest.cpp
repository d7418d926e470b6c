// Row filters: the rows a dataset visits under a filter are exactly those
// the conditions describe, in dataset order, whatever the back end pushes
// into its queries.
#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "tests/host/data/DataSetFixture.h"

using namespace host;
using namespace testdb;

namespace {

class RowFilterTest : public DataSetTest {
protected:
  void SetUp() override {
    DataSetTest::SetUp();
    if (IsSkipped()) return;
    table->Open();
    Add({"de", "Main", "a", "1"});
    Add({"de", std::nullopt, "b", "2"});
    Add({"en", "Main", "c", "3"});
    Add({"de", "", "d", "4"});
    Add({"de", "main", "e", "5"});
    Add({"DE", "Main", "f", "6"});
    Add({"de", "Other", "g", "7"});
    Add({"de", "Main", "h", "8"});
  }
  std::vector<std::string> Values() {
    std::vector<std::string> out;
    for (table->First(); !table->Eof(); table->Next()) out.push_back(table->FieldByName("value")->AsString());
    return out;
  }
};

TEST_P(RowFilterTest, SectionRuleTakesNullEmptyAndExactSection) {
  table->SetRowFilter(TRowFilter().Equal("lang", "de").EmptyOrEqual("sec", "Main"));
  EXPECT_EQ(Values(), (std::vector<std::string>{"1", "2", "4", "8"}));
  EXPECT_EQ(table->RecordCount(), 4);
}

TEST_P(RowFilterTest, EqualIsCaseSensitive) {
  table->SetRowFilter(TRowFilter().Equal("lang", "DE"));
  EXPECT_EQ(Values(), (std::vector<std::string>{"6"}));
  table->SetRowFilter(TRowFilter().Equal("sec", "main"));
  EXPECT_EQ(Values(), (std::vector<std::string>{"5"}));
}

TEST_P(RowFilterTest, EmptyValueTakesNullsToo) {
  table->SetRowFilter(TRowFilter().Equal("sec", ""));
  EXPECT_EQ(Values(), (std::vector<std::string>{"2", "4"}));
}

TEST_P(RowFilterTest, SameTextIsCheckedRowByRow) {
  table->SetRowFilter(TRowFilter().SameText("sec", "MAIN"));
  EXPECT_EQ(Values(), (std::vector<std::string>{"1", "3", "5", "6", "8"}));
  EXPECT_EQ(table->RecordCount(), 5);
}

TEST_P(RowFilterTest, ClearingTheFilterShowsEveryRowAgain) {
  table->SetRowFilter(TRowFilter().Equal("lang", "en"));
  EXPECT_EQ(Values(), (std::vector<std::string>{"3"}));
  table->ClearRowFilter();
  EXPECT_EQ(table->RecordCount(), 8);
}

TEST_P(RowFilterTest, DeletingUnderAFilterVisitsEachMatchOnce) {
  table->SetRowFilter(TRowFilter().Equal("lang", "de"));
  for (table->First(); !table->Eof();) table->Delete();
  table->ClearRowFilter();
  EXPECT_EQ(Values(), (std::vector<std::string>{"3", "6"}));
}

TEST_P(RowFilterTest, UnknownFieldRaises) {
  EXPECT_THROW(table->SetRowFilter(TRowFilter().Equal("nope", "x")), EDatabaseError);
}

TEST_P(RowFilterTest, ManyNullableConditionsStayExact) {
  // More nullable conditions than the back ends split into branches.
  table->SetRowFilter(TRowFilter()
                          .EmptyOrEqual("lang", "de")
                          .EmptyOrEqual("sec", "Main")
                          .EmptyOrEqual("name", "b")
                          .EmptyOrEqual("value", "2"));
  EXPECT_EQ(Values(), (std::vector<std::string>{"2"}));
}

// --- The spellings of an ASCII value, against brute force ---

std::vector<std::string> AllStrings(const std::string& alphabet, std::size_t maxLen) {
  std::vector<std::string> out{""};
  for (std::size_t start = 0, len = 0; len < maxLen; ++len) {
    const std::size_t end = out.size();
    for (std::size_t i = start; i < end; ++i)
      for (char c : alphabet) out.push_back(out[i] + c);
    start = end;
  }
  return out;
}

TEST(AsciiCaseVariants, NextAtLeastAgreesWithBruteForce) {
  for (const std::string value : {"a1B", "xY", "-", "ab"}) {
    const TAsciiCaseVariants variants(value);
    std::set<std::string> all;
    for (const std::string& s : AllStrings("-1ABXYabxy~", value.size()))
      if (s.size() == value.size() && SameText(s, value)) all.insert(s);
    EXPECT_EQ(variants.Lowest(), *all.begin());
    EXPECT_EQ(variants.Highest(), *all.rbegin());
    for (const std::string& probe : AllStrings("-1ABXYabxy~\x80", value.size() + 1)) {
      auto ge = all.lower_bound(probe);
      auto gt = all.upper_bound(probe);
      const auto next = variants.NextAtLeast(probe, false);
      const auto after = variants.NextAtLeast(probe, true);
      ASSERT_EQ(next.has_value(), ge != all.end()) << value << " / " << probe;
      if (next) {
        EXPECT_EQ(*next, *ge) << value << " / " << probe;
      }
      ASSERT_EQ(after.has_value(), gt != all.end()) << value << " / " << probe;
      if (after) {
        EXPECT_EQ(*after, *gt) << value << " / " << probe;
      }
      EXPECT_EQ(variants.IsVariant(probe), all.count(probe) == 1) << probe;
    }
  }
}

TEST(AsciiCaseVariants, PriorToIsTheLargestVariantBelow) {
  for (const std::string value : {"a1B", "xY", "-", "ab"}) {
    const TAsciiCaseVariants variants(value);
    std::set<std::string> all;
    for (const std::string& s : AllStrings("-1ABXYabxy~", value.size()))
      if (s.size() == value.size() && SameText(s, value)) all.insert(s);
    for (auto it = all.begin(); it != all.end(); ++it) {
      const auto prior = variants.PriorTo(*it);
      ASSERT_EQ(prior.has_value(), it != all.begin()) << value << " / " << *it;
      if (prior) {
        EXPECT_EQ(*prior, *std::prev(it)) << value << " / " << *it;
      }
    }
  }
}

TEST(AsciiCaseVariants, AsciiTest) {
  EXPECT_TRUE(TAsciiCaseVariants::IsAscii("Form1.Caption"));
  EXPECT_FALSE(TAsciiCaseVariants::IsAscii("Straße"));
}

}  // namespace

AMBIT_INSTANTIATE_FOR_DATABASES(RowFilterTest);
