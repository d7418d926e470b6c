// Single records: look-ups ignoring case, overwriting in place against
// appending, and writes the database refuses.
#include <gtest/gtest.h>

#include "host/core/CaseFold.h"
#include "tests/runtime/db/DBSourceFixture.h"

using namespace ambit;
using namespace dbsource_test;

namespace {

class DBSourceRecordTest : public DBSourceTest {
protected:
  void SetUp() override {
    DBSourceTest::SetUp();
    if (IsSkipped()) return;
    source->SetActiveLanguage(0);
    source->SetFormSection("MainForm");
  }
};

TEST_P(DBSourceRecordTest, SavingANewRecordAppendsARowWithKeyAndSection) {
  source->SaveString("btnOK.Caption", "OK");
  source->SetFormSection("Other");
  source->SaveString("btnOK.Caption", "Weiter");
  EXPECT_EQ(Rows(), (Lines{"de/MainForm/btnOK.Caption=OK", "de/Other/btnOK.Caption=Weiter"}));
}

TEST_P(DBSourceRecordTest, SavingAnExistingRecordOverwritesItInPlace) {
  Add({"de", "mainform", "BTNOK.caption", "old"});
  Add({"de", "MainForm", "Last", "x"});
  source->SaveString("btnOK.Caption", "new");
  EXPECT_EQ(Rows(), (Lines{"de/mainform/BTNOK.caption=new", "de/MainForm/Last=x"}))
      << "found ignoring case in section and name; the row keeps its spelling";
}

TEST_P(DBSourceRecordTest, LoadStringFindsTheRecordIgnoringCase) {
  Add({"de", "MAINFORM", "btnok.caption", "Gefunden"});
  EXPECT_EQ(source->LoadString("btnOK.Caption", "default"), "Gefunden");
  source->SetFormSection("Other");
  EXPECT_EQ(source->LoadString("btnOK.Caption", "default"), "default");
}

TEST_P(DBSourceRecordTest, LoadStringKeepsTheLanguageKeyApartFromOtherLanguages) {
  Add({"en", "MainForm", "Caption", "english"});
  Add({"de", "MainForm", "Caption", "deutsch"});
  EXPECT_EQ(source->LoadString("caption", ""), "deutsch");
  source->SetActiveLanguage(1);
  EXPECT_EQ(source->LoadString("caption", ""), "english");
}

TEST_P(DBSourceRecordTest, LoadStringOnlyFindsTheCurrentSection) {
  Add({"de", std::nullopt, "Caption", "every section"});
  Add({"de", "", "Hint", "empty section"});
  EXPECT_EQ(source->LoadString("Caption", "default"), "default");
  EXPECT_EQ(source->LoadString("Hint", "default"), "default");
}

TEST_P(DBSourceRecordTest, TheBaseEventRunsFirstAndTheTableWins) {
  source->SetOnLoadString([](host::TObject*, const std::string&, std::string& value) { value = "from event"; });
  EXPECT_EQ(source->LoadString("Missing", "default"), "from event");
  Add({"de", "MainForm", "Present", "from table"});
  EXPECT_EQ(source->LoadString("Present", "default"), "from table");
}

TEST_P(DBSourceRecordTest, WithoutAnActiveLanguageNothingIsReadOrWritten) {
  Add({"de", "MainForm", "Caption", "x"});
  source->SetActiveLanguage(-1);
  EXPECT_EQ(source->LoadString("Caption", "default"), "default");
  source->SaveString("Caption", "lost?");
  EXPECT_EQ(Rows(), (Lines{"de/MainForm/Caption=x"}));
}

TEST_P(DBSourceRecordTest, AnEmptyRecordNameIsStoredAsARow) {
  source->SaveString("", "");
  EXPECT_EQ(Rows(), (Lines{"de/MainForm/="}));
}

TEST_P(DBSourceRecordTest, ReadingFromAClosedDataSetYieldsTheDefault) {
  Add({"de", "MainForm", "Caption", "x"});
  table->Close();
  EXPECT_EQ(source->LoadString("Caption", "default"), "default");
}

TEST_P(DBSourceRecordTest, WritingToAClosedDataSetRaises) {
  table->Close();
  EXPECT_THROW(source->SaveString("Caption", "x"), EAmbitError);
  EXPECT_TRUE(Rows().empty());
}

class DBSourceRefusedWriteTest : public DBSourceTest {
protected:
  void SetUp() override {
    DBSourceTest::SetUp();
    if (IsSkipped()) return;
    db->Exec("CREATE TABLE short_texts ({id}, lang TEXT, sec TEXT, name TEXT, value TEXT CHECK (length(value) < 8))");
    table = db->NewTable("short_texts");
    source->SetDataSet(table);
    source->SetActiveLanguage(0);
    source->SetFormSection("MainForm");
  }
  std::vector<std::string> ShortRows() {
    std::vector<std::string> out;
    for (table->First(); !table->Eof(); table->Next())
      out.push_back(table->FieldByName("name")->AsString() + "=" + table->FieldByName("value")->AsString());
    return out;
  }
};

TEST_P(DBSourceRefusedWriteTest, ARefusedAppendRaisesTheDatabaseMessageAndWritesNothing) {
  try {
    source->SaveString("Caption", "much too long");
    FAIL() << "a refused write was reported as success";
  } catch (const EAmbitError& e) {
    EXPECT_NE(host::FoldCase(e.what()).find("check constraint"), std::string::npos) << e.what();
  }
  EXPECT_EQ(table->State(), host::dsBrowse) << "the append was cancelled";
  EXPECT_TRUE(ShortRows().empty());
  source->SaveString("Caption", "short");
  EXPECT_EQ(ShortRows(), (Lines{"Caption=short"}));
}

TEST_P(DBSourceRefusedWriteTest, ARefusedOverwriteKeepsTheOldValue) {
  source->SaveString("Caption", "old");
  EXPECT_THROW(source->SaveString("CAPTION", "much too long"), EAmbitError);
  EXPECT_EQ(table->State(), host::dsBrowse);
  EXPECT_EQ(ShortRows(), (Lines{"Caption=old"}));
  EXPECT_EQ(source->LoadString("Caption", ""), "old");
}

TEST_P(DBSourceRefusedWriteTest, AReadOnlyConnectionRefusesAndRaises) {
  source->SaveString("Caption", "old");
  source->SetActiveLanguage(-1);
  db->SetReadOnly(true);
  source->SetActiveLanguage(0);
  EXPECT_THROW(source->SaveString("Caption", "new"), EAmbitError);
  EXPECT_THROW(source->SaveString("Hint", "new"), EAmbitError);
  EXPECT_EQ(ShortRows(), (Lines{"Caption=old"}));
}

TEST_P(DBSourceRefusedWriteTest, SaveStringsStopsAtTheFirstRefusal) {
  host::TStringList list;
  list.Add("A=1");
  list.Add("B=much too long");
  list.Add("C=3");
  EXPECT_THROW(source->SaveStrings(&list), EAmbitError);
  EXPECT_EQ(ShortRows(), (Lines{"A=1"})) << "records before the refusal stay written, the rest are not";
}

}  // namespace

AMBIT_INSTANTIATE_FOR_DATABASES(DBSourceRecordTest);
AMBIT_INSTANTIATE_FOR_DATABASES(DBSourceRefusedWriteTest);
