// Opening, navigating, reading and editing a table: the same behaviour on
// every back end.
#include <gtest/gtest.h>

#include "host/core/CaseFold.h"
#include "host/core/ClassRegistry.h"
#include "tests/host/data/DataSetFixture.h"

using namespace host;
using namespace testdb;

namespace {

class CursorTest : public DataSetTest {};

TEST_P(CursorTest, FieldDefinitionsAreKnownWithoutOpening) {
  const TFieldDefs& defs = table->FieldDefs();
  EXPECT_FALSE(table->Active());
  ASSERT_EQ(defs.Count(), 6);
  EXPECT_EQ(defs.Items(1).Name(), "lang");
  EXPECT_EQ(defs.Items(5).Name(), "n");
  EXPECT_EQ(defs.Items(5).DataType() == ftInteger || defs.Items(5).DataType() == ftLargeint, true);
  EXPECT_NE(defs.Find("VALUE"), nullptr) << "look-ups ignore case";
  EXPECT_EQ(defs.Find("missing"), nullptr);
  EXPECT_EQ(defs.IndexOf("Sec"), 2);
}

TEST_P(CursorTest, MissingTableRaisesWithItsName) {
  TDataSet* other = db->NewTable("no_such_table");
  try {
    other->FieldDefs();
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("no_such_table"), std::string::npos) << e.what();
  }
  EXPECT_THROW(other->Open(), EDatabaseError);
  EXPECT_FALSE(other->Active());
}

TEST_P(CursorTest, OpenAndCloseSetStateAndFields) {
  EXPECT_EQ(table->State(), dsInactive);
  table->Open();
  EXPECT_TRUE(table->Active());
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(table->FieldCount(), 6);
  EXPECT_TRUE(table->IsEmpty());
  EXPECT_TRUE(table->Eof());
  EXPECT_TRUE(table->Bof());
  table->Close();
  EXPECT_EQ(table->State(), dsInactive);
  EXPECT_EQ(table->FindField("lang"), nullptr);
  EXPECT_THROW(table->First(), EDatabaseError);
}

TEST_P(CursorTest, FieldByNameRaisesAndFindFieldAnswersNull) {
  table->Open();
  EXPECT_EQ(table->FindField("nope"), nullptr);
  EXPECT_EQ(table->FindField("NAME"), table->FieldByName("name"));
  try {
    table->FieldByName("nope");
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("'nope'"), std::string::npos) << e.what();
  }
}

TEST_P(CursorTest, VisitsRowsInInsertionOrderAcrossBatches) {
  table->Open();
  std::vector<std::string> expected;
  for (int i = 0; i < 150; ++i) {
    Add({"de", "Form" + std::to_string(i % 7), "n" + std::to_string(i), "v" + std::to_string(i)});
    expected.push_back("de/Form" + std::to_string(i % 7) + "/n" + std::to_string(i) + "=v" + std::to_string(i));
  }
  EXPECT_EQ(Visit(), expected);
  EXPECT_EQ(table->RecordCount(), 150);
}

TEST_P(CursorTest, EofAndBofAtTheEnds) {
  table->Open();
  Add({"a", "s", "1", "x"});
  Add({"a", "s", "2", "y"});
  table->First();
  EXPECT_TRUE(table->Bof());
  EXPECT_FALSE(table->Eof());
  table->Next();
  EXPECT_FALSE(table->Bof());
  EXPECT_EQ(table->FieldByName("name")->AsString(), "2");
  table->Next();
  EXPECT_TRUE(table->Eof());
  EXPECT_EQ(table->FieldByName("name")->AsString(), "2") << "Next past the end stays on the last row";
  table->Prior();
  EXPECT_EQ(table->FieldByName("name")->AsString(), "1");
  table->Prior();
  EXPECT_TRUE(table->Bof());
  table->Last();
  EXPECT_TRUE(table->Eof());
  EXPECT_EQ(table->FieldByName("name")->AsString(), "2");
}

TEST_P(CursorTest, NullAndTextValues) {
  table->Open();
  Add({"de", std::nullopt, "n", ""});
  table->First();
  EXPECT_TRUE(table->FieldByName("sec")->IsNull());
  EXPECT_EQ(table->FieldByName("sec")->AsString(), "");
  EXPECT_FALSE(table->FieldByName("value")->IsNull()) << "an empty text is not null";
  table->Edit();
  table->FieldByName("n")->SetAsString("42");
  table->Post();
  EXPECT_EQ(table->FieldByName("n")->AsString(), "42");
  EXPECT_EQ(table->FieldByName("n")->DataType() == ftInteger || table->FieldByName("n")->DataType() == ftLargeint,
            true);
}

TEST_P(CursorTest, QuotesAndSqlInValuesAndNamesAreData) {
  db->Exec("CREATE TABLE \"odd \"\"name\" ({id}, \"a col\" TEXT)");
  TDataSet* odd = db->NewTable("odd \"name");
  odd->Open();
  const std::string nasty = "O'Brien\"); DROP TABLE texts; --";
  odd->Append();
  odd->FieldByName("a col")->SetAsString(nasty);
  odd->Post();
  odd->Close();
  odd->Open();
  EXPECT_EQ(odd->FieldByName("A COL")->AsString(), nasty);
  EXPECT_TRUE(odd->Locate("a col", {nasty}));
  table->Open();  // still there
}

class EditTest : public DataSetTest {};

TEST_P(EditTest, AppendPostAddsARowAtTheEnd) {
  table->Open();
  Add({"a", "s", "1", "x"});
  table->Append();
  EXPECT_EQ(table->State(), dsInsert);
  table->FieldByName("lang")->SetAsString("b");
  table->FieldByName("value")->SetAsString("new");
  table->Post();
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(table->FieldByName("value")->AsString(), "new");
  EXPECT_TRUE(table->FieldByName("name")->IsNull()) << "unset fields stay null";
  EXPECT_EQ(Visit(), (std::vector<std::string>{"a/s/1=x", "b/<null>/<null>=new"}));
}

TEST_P(EditTest, CancelDiscardsAnAppendAndAnEdit) {
  table->Open();
  Add({"a", "s", "1", "x"});
  table->Append();
  table->FieldByName("value")->SetAsString("gone");
  table->Cancel();
  table->First();
  table->Edit();
  table->FieldByName("value")->SetAsString("changed");
  EXPECT_EQ(table->FieldByName("value")->AsString(), "changed") << "the edit buffer shows the change";
  table->Cancel();
  EXPECT_EQ(table->FieldByName("value")->AsString(), "x");
  EXPECT_EQ(Visit(), (std::vector<std::string>{"a/s/1=x"}));
}

TEST_P(EditTest, EditPostOverwritesInPlace) {
  table->Open();
  Add({"a", "s", "1", "x"});
  Add({"a", "s", "2", "y"});
  Add({"a", "s", "3", "z"});
  table->First();
  table->Next();
  table->Edit();
  table->FieldByName("value")->SetAsString("Y2");
  table->Post();
  EXPECT_EQ(table->FieldByName("name")->AsString(), "2");
  table->Next();
  EXPECT_EQ(table->FieldByName("name")->AsString(), "3") << "the cursor moves on from the edited row";
  EXPECT_EQ(Visit(), (std::vector<std::string>{"a/s/1=x", "a/s/2=Y2", "a/s/3=z"}));
}

TEST_P(EditTest, WritingOutsideEditModeRaises) {
  table->Open();
  Add({"a", "s", "1", "x"});
  table->First();
  EXPECT_THROW(table->FieldByName("value")->SetAsString("no"), EDatabaseError);
  EXPECT_THROW(table->Post(), EDatabaseError);
}

TEST_P(EditTest, DeleteMovesToTheFollowingRow) {
  table->Open();
  for (int i = 1; i <= 40; ++i) Add({"a", "s", std::to_string(i), "v"});
  table->First();
  table->Next();
  table->Delete();
  EXPECT_EQ(table->FieldByName("name")->AsString(), "3");
  // Delete every other row through batch boundaries.
  int visited = 0;
  for (table->First(); !table->Eof(); ++visited) {
    if (std::stoi(table->FieldByName("name")->AsString()) % 2 == 1)
      table->Delete();
    else
      table->Next();
  }
  EXPECT_EQ(table->RecordCount(), 19);
  table->Last();
  table->Delete();
  EXPECT_TRUE(table->Eof()) << "after the last row there is no following one";
  EXPECT_EQ(table->FieldByName("name")->AsString(), "38");
  for (table->First(); !table->IsEmpty();) table->Delete();
  EXPECT_TRUE(table->Eof());
  EXPECT_THROW(table->Delete(), EDatabaseError);
}

TEST_P(EditTest, ARefusedWriteRaisesTheDatabaseMessageAndWritesNothing) {
  db->Exec("CREATE TABLE strict_texts ({id}, name TEXT NOT NULL, value TEXT CHECK (length(value) < 5))");
  TDataSet* strict = db->NewTable("strict_texts");
  strict->Open();
  strict->Append();
  strict->FieldByName("name")->SetAsString("a");
  strict->FieldByName("value")->SetAsString("far too long");
  try {
    strict->Post();
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    // The database's own words: both name the check constraint.
    EXPECT_NE(host::FoldCase(e.what()).find("check constraint"), std::string::npos) << e.what();
  }
  EXPECT_EQ(strict->State(), dsInsert) << "the failed post stays pending for a cancel";
  strict->Cancel();
  EXPECT_EQ(strict->RecordCount(), 0);
}

TEST_P(EditTest, AReadOnlyConnectionRefusesEveryWrite) {
  table->Open();
  Add({"a", "s", "1", "x"});
  table->Close();
  db->SetReadOnly(true);
  table->Open();
  table->Edit();
  table->FieldByName("value")->SetAsString("changed");
  EXPECT_THROW(table->Post(), EDatabaseError);
  table->Cancel();
  table->Append();
  table->FieldByName("value")->SetAsString("new");
  EXPECT_THROW(table->Post(), EDatabaseError);
  table->Cancel();
  table->First();
  EXPECT_THROW(table->Delete(), EDatabaseError);
  EXPECT_EQ(Visit(), (std::vector<std::string>{"a/s/1=x"}));
}

class LifetimeTest : public DataSetTest {};

class TWatcher : public TComponent {
public:
  using TComponent::TComponent;
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) removed.push_back(AComponent);
  }
  std::vector<TComponent*> removed;
};

TEST_P(LifetimeTest, ADestroyedDataSetNotifiesWhoAsked) {
  TWatcher watcher(nullptr);
  table->FreeNotification(&watcher);
  table->Open();
  delete table;
  ASSERT_EQ(watcher.removed.size(), 1u);
  EXPECT_EQ(watcher.removed[0], static_cast<TComponent*>(table));
}

TEST_P(LifetimeTest, DestroyingTheConnectionClosesAndDetachesItsTables) {
  table->Open();
  delete db->Connection();
  EXPECT_FALSE(table->Active());
  EXPECT_THROW(table->Open(), EDatabaseError);
}

TEST_P(LifetimeTest, ActiveReadFromAFormOpensOnceLoaded) {
  table->SetLoading(true);
  table->SetActive(true);
  EXPECT_FALSE(table->Active()) << "opening waits for the whole form";
  table->Loaded();
  EXPECT_TRUE(table->Active());
  EXPECT_TRUE(table->IsEmpty());
}

TEST_P(LifetimeTest, ChangingTheTableOfAnOpenDataSetRaises) {
  table->Open();
  EXPECT_THROW(SetStrProp(table, "TableName", "other"), EDatabaseError);
  EXPECT_EQ(GetStrProp(table, "TableName"), "texts");
}

TEST_P(LifetimeTest, ClassesAreRegisteredByName) {
  RegisterSQLiteClasses();
  RegisterPgClasses();
  const TRegisteredClass* cls = FindRegisteredClass(table->ClassName());
  ASSERT_NE(cls, nullptr);
  std::unique_ptr<TComponent> made(cls->Create(nullptr));
  EXPECT_TRUE(Is<TDataSet>(made.get()));
  EXPECT_NE(GetPropInfo(made.get(), "TableName"), nullptr);
  EXPECT_NE(GetPropInfo(made.get(), "Connection"), nullptr);
}

}  // namespace

AMBIT_INSTANTIATE_FOR_DATABASES(CursorTest);
AMBIT_INSTANTIATE_FOR_DATABASES(EditTest);
AMBIT_INSTANTIATE_FOR_DATABASES(LifetimeTest);
