// Locate: exact and case-insensitive look-ups by several key fields, always
// the first match in dataset order, with the framework's case rules.
#include <gtest/gtest.h>

#include "tests/host/data/DataSetFixture.h"

using namespace host;
using namespace testdb;

namespace {

class LocateTest : public DataSetTest {
protected:
  void SetUp() override {
    DataSetTest::SetUp();
    if (IsSkipped()) return;
    table->Open();
  }
  std::string Value() { return table->FieldByName("value")->AsString(); }
};

TEST_P(LocateTest, ExactLookUpByThreeFields) {
  Add({"de", "Main", "Caption", "1"});
  Add({"en", "Main", "Caption", "2"});
  Add({"de", "Other", "Caption", "3"});
  EXPECT_TRUE(table->Locate("lang;sec;name", {"de", "Other", "Caption"}));
  EXPECT_EQ(Value(), "3");
  EXPECT_TRUE(table->Locate(" lang ; sec;name ", {"en", "Main", "Caption"})) << "names are trimmed";
  EXPECT_EQ(Value(), "2");
  EXPECT_FALSE(table->Locate("lang;sec;name", {"DE", "Other", "Caption"})) << "exact look-ups keep case";
  EXPECT_EQ(Value(), "2") << "a failed look-up leaves the cursor alone";
}

TEST_P(LocateTest, CaseInsensitiveFindsTheFirstSpellingInDatasetOrder) {
  Add({"de", "main", "CAPTION", "first"});
  Add({"DE", "Main", "Caption", "second"});
  Add({"de", "MAIN", "caption", "third"});
  EXPECT_TRUE(table->Locate("lang;sec;name", {"De", "mAIN", "Caption"}, {loCaseInsensitive}));
  EXPECT_EQ(Value(), "first");
  table->First();
  table->Edit();
  table->FieldByName("name")->SetAsString("Other");
  table->Post();
  EXPECT_TRUE(table->Locate("lang;sec;name", {"De", "mAIN", "Caption"}, {loCaseInsensitive}));
  EXPECT_EQ(Value(), "second");
}

TEST_P(LocateTest, CaseInsensitiveSkipsNeighboursBetweenTheSpellings) {
  // Values sorting between the upper and the lower spelling, which a range
  // alone would take: LANG04 and Lang1 lie between LANG03 and lang03.
  for (const char* lang : {"LANG04", "Lang1", "LANG03x", "LANG0", "lang030", "lang04", "LaNg03", "lang03"})
    Add({lang, "S", "N", lang});
  EXPECT_TRUE(table->Locate("lang;sec;name", {"lang03", "s", "n"}, {loCaseInsensitive}));
  EXPECT_EQ(Value(), "LaNg03");
  EXPECT_FALSE(table->Locate("lang;sec;name", {"lang05", "s", "n"}, {loCaseInsensitive}));
  EXPECT_TRUE(table->Locate("lang", {"LANG030"}, {loCaseInsensitive}));
  EXPECT_EQ(Value(), "lang030");
}

TEST_P(LocateTest, CaseInsensitiveUsesTheFrameworksFoldingForNonAscii) {
  Add({"ru", "Форма", "Заголовок", "cyrillic"});
  Add({"el", "ΦΌΡΜΑ", "ΣΟΦΊΑ", "greek"});
  Add({"de", "Straße", "ÄRGER", "latin"});
  EXPECT_TRUE(table->Locate("sec;name", {"ФОРМА", "заголовок"}, {loCaseInsensitive}));
  EXPECT_EQ(Value(), "cyrillic");
  EXPECT_TRUE(table->Locate("sec;name", {"φόρμα", "σοφία"}, {loCaseInsensitive}));
  EXPECT_EQ(Value(), "greek");
  EXPECT_TRUE(table->Locate("sec;name", {"STRAßE", "ärger"}, {loCaseInsensitive}));
  EXPECT_EQ(Value(), "latin");
  EXPECT_FALSE(table->Locate("name", {"ARGER"}, {loCaseInsensitive})) << "no accent folding";
}

TEST_P(LocateTest, PartialKeyMatchesPrefixes) {
  Add({"de", "Main", "Button1.Caption", "a"});
  Add({"de", "Main", "button2.Hint", "b"});
  EXPECT_TRUE(table->Locate("name", {"button"}, {loPartialKey}));
  EXPECT_EQ(Value(), "b");
  EXPECT_TRUE(table->Locate("name", {"BUTTON"}, {loPartialKey, loCaseInsensitive}));
  EXPECT_EQ(Value(), "a");
  EXPECT_FALSE(table->Locate("name", {"Hint"}, {loPartialKey}));
}

TEST_P(LocateTest, EmptyValueMatchesNullAndEmpty) {
  Add({"de", std::nullopt, "n", "null section"});
  Add({"de", "", "n", "empty section"});
  EXPECT_TRUE(table->Locate("lang;sec", {"DE", ""}, {loCaseInsensitive}));
  EXPECT_EQ(Value(), "null section");
}

TEST_P(LocateTest, NextAfterLocateContinuesInDatasetOrder) {
  for (int i = 0; i < 30; ++i) Add({"de", "S", "n" + std::to_string(i), std::to_string(i)});
  ASSERT_TRUE(table->Locate("name", {"N10"}, {loCaseInsensitive}));
  table->Next();
  EXPECT_EQ(Value(), "11");
  table->Prior();
  table->Prior();
  EXPECT_EQ(Value(), "9");
}

TEST_P(LocateTest, WrongNumberOfValuesOrUnknownFieldRaises) {
  Add({"de", "S", "n", "v"});
  EXPECT_THROW(table->Locate("lang;sec", {"de"}), EDatabaseError);
  EXPECT_THROW(table->Locate("nope", {"de"}), EDatabaseError);
}

TEST_P(LocateTest, IntegerColumnsCompareAsTheirText) {
  table->Append();
  table->FieldByName("n")->SetAsString("7");
  table->FieldByName("value")->SetAsString("seven");
  table->Post();
  EXPECT_FALSE(table->Locate("n", {"07"})) << "07 is not the text 7";
  EXPECT_FALSE(table->Locate("n", {"x"}));
  EXPECT_TRUE(table->Locate("n", {"7"}, {loCaseInsensitive}));
  EXPECT_EQ(Value(), "seven");
}

}  // namespace

AMBIT_INSTANTIATE_FOR_DATABASES(LocateTest);
