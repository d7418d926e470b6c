// Configuration of the database source: the column checks in their order,
// opening and closing with the language, the dataset's removal, copying and
// the published properties.
#include <gtest/gtest.h>

#include "host/core/ClassRegistry.h"
#include "tests/runtime/db/DBSourceFixture.h"

using namespace ambit;
using namespace dbsource_test;

namespace {

class DBSourceConfigTest : public DBSourceTest {
protected:
  // The message of the error the first storage call raises.
  std::string FirstError(const std::function<void()>& call) {
    try {
      call();
    } catch (const EAmbitError& e) {
      return e.what();
    }
    return "no error";
  }
  std::string Message(const char* what) { return host::Format(sMustBeSpecified, {what}); }
};

TEST_P(DBSourceConfigTest, EmptyColumnNamesReportTheLanguageFieldWhenADataSetIsSet) {
  TAmDBLanguageSource bare(db->Root());
  bare.Languages()->Add("German=de");
  bare.SetDataSet(table);
  EXPECT_EQ(FirstError([&] { bare.LoadString("a", "d"); }), Message("LanguageField"));
  bare.SetDataSet(nullptr);
  EXPECT_EQ(FirstError([&] { bare.LoadString("a", "d"); }), Message("DataSet"));
}

TEST_P(DBSourceConfigTest, EveryStorageCallChecksFirst) {
  source->SetDataSet(nullptr);
  host::TStringList list;
  list.Add("a=b");
  EXPECT_EQ(FirstError([&] { source->LoadString("a", ""); }), Message("DataSet"));
  EXPECT_EQ(FirstError([&] { source->SaveString("a", "b"); }), Message("DataSet"));
  EXPECT_EQ(FirstError([&] { source->LoadStrings(&list); }), Message("DataSet"));
  EXPECT_EQ(FirstError([&] { source->SaveStrings(&list); }), Message("DataSet"));
  EXPECT_EQ(FirstError([&] { source->Clear(); }), Message("DataSet"));
  EXPECT_EQ(FirstError([&] { source->ClearAll(); }), Message("DataSet"));
  // Without a list there is nothing to check.
  EXPECT_EQ(FirstError([&] { source->LoadStrings(nullptr); }), "no error");
  EXPECT_EQ(FirstError([&] { source->SaveStrings(nullptr); }), "no error");
}

TEST_P(DBSourceConfigTest, ColumnsAreCheckedInTheirOrder) {
  TAmDBLanguageFields* f = source->DataFields();
  f->SetLanguageField("  ");
  f->SetSectionField("");
  EXPECT_EQ(FirstError([&] { source->Clear(); }), Message("LanguageField")) << "blank after trimming";
  f->SetLanguageField("LANG");
  EXPECT_EQ(FirstError([&] { source->Clear(); }), Message("SectionField"));
  f->SetSectionField("sec");
  f->SetNameField("no_such_column");
  EXPECT_EQ(FirstError([&] { source->Clear(); }), Message("NameField")) << "a column the table lacks";
  f->SetNameField("name");
  f->SetValueField("");
  EXPECT_EQ(FirstError([&] { source->Clear(); }), Message("ValueField"));
  f->SetValueField("value");
  EXPECT_EQ(FirstError([&] { source->Clear(); }), "no error");
}

TEST_P(DBSourceConfigTest, AMisconfiguredSaveFiresNoEventAndTouchesNothing) {
  source->DataFields()->SetValueField("nope");
  source->SetActiveLanguage(0);
  int saves = 0, loads = 0;
  source->SetOnSaveString([&](host::TObject*, const std::string&, const std::string&) { ++saves; });
  source->SetOnLoadString([&](host::TObject*, const std::string&, std::string&) { ++loads; });
  EXPECT_THROW(source->SaveString("a", "b"), EAmbitError);
  EXPECT_EQ(saves, 0) << "the check comes before the base behaviour";
  EXPECT_THROW(source->LoadString("a", "b"), EAmbitError);
  EXPECT_EQ(loads, 1) << "reading runs the base behaviour first";
  EXPECT_TRUE(Rows().empty());
}

TEST_P(DBSourceConfigTest, TheDataSetOpensAndClosesWithTheLanguage) {
  std::vector<std::string> log;
  source->SetOnLanguageOpen([&](host::TObject*) { log.push_back("open:" + std::to_string(table->Active())); });
  source->SetOnLanguageClose([&](host::TObject*) { log.push_back("close:" + std::to_string(table->Active())); });
  EXPECT_FALSE(table->Active());
  source->SetActiveLanguage(0);
  EXPECT_TRUE(table->Active());
  source->SetActiveLanguage(1);
  EXPECT_TRUE(table->Active());
  source->SetActiveLanguage(-1);
  EXPECT_FALSE(table->Active());
  // The events come first, then the dataset follows.
  EXPECT_EQ(log, (std::vector<std::string>{"open:0", "close:1", "open:0", "close:1"}));
}

TEST_P(DBSourceConfigTest, WithoutADataSetOpeningDoesNothing) {
  int events = 0;
  source->SetDataSet(nullptr);
  source->SetOnLanguageOpen([&](host::TObject*) { ++events; });
  source->SetOnLanguageClose([&](host::TObject*) { ++events; });
  source->SetActiveLanguage(0);
  source->SetActiveLanguage(-1);
  EXPECT_EQ(events, 0);
}

TEST_P(DBSourceConfigTest, RemovingTheDataSetFromTheFormClearsTheReference) {
  source->SetActiveLanguage(0);
  delete table;
  EXPECT_EQ(source->DataSet(), nullptr);
  EXPECT_EQ(FirstError([&] { source->LoadString("a", ""); }), Message("DataSet"));
  source->SetActiveLanguage(1);  // switching without a dataset is harmless
}

TEST_P(DBSourceConfigTest, DestroyingTheSourceClosesTheDataSetAfterTheEvent) {
  source->SetActiveLanguage(0);
  std::vector<bool> activeAtClose;
  source->SetOnLanguageClose([&](host::TObject*) { activeAtClose.push_back(table->Active()); });
  delete source;
  EXPECT_FALSE(table->Active());
  EXPECT_EQ(activeAtClose, std::vector<bool>{true});
}

TEST_P(DBSourceConfigTest, DestroyingASourceWithoutDataSetFiresNothing) {
  source->SetDataSet(nullptr);
  source->SetActiveLanguage(0);
  int events = 0;
  source->SetOnLanguageClose([&](host::TObject*) { ++events; });
  delete source;
  EXPECT_EQ(events, 0);
}

TEST_P(DBSourceConfigTest, FieldNamesAreAssignedFromAnotherFieldsObjectOnly) {
  TAmDBLanguageFields other(nullptr);
  other.SetNameField("n");
  other.SetLanguageField("l");
  other.SetValueField("v");
  other.SetSectionField("s");
  source->SetDataFields(&other);
  TAmDBLanguageFields* f = source->DataFields();
  EXPECT_EQ(f->NameField() + f->LanguageField() + f->ValueField() + f->SectionField(), "nlvs");
  EXPECT_EQ(f->Owner(), source);
  host::TStringList notFields;
  EXPECT_THROW(f->Assign(&notFields), host::EConvertError);
  source->SetDataFields(f);  // itself: nothing to copy
  EXPECT_EQ(f->NameField(), "n");
}

TEST_P(DBSourceConfigTest, AssignCopiesTheDataSetAndTheColumns) {
  TAmDBLanguageSource copy(db->Root());
  copy.Assign(source);
  EXPECT_EQ(copy.DataSet(), table);
  EXPECT_EQ(copy.DataFields()->ValueField(), "value");
  EXPECT_EQ(copy.Languages()->Count(), 2);
  delete table;
  EXPECT_EQ(copy.DataSet(), nullptr) << "the copy asked for the removal notice too";
}

TEST_P(DBSourceConfigTest, PublishedPropertiesInTheirOrder) {
  std::vector<std::string> names;
  for (const host::TPropInfo* p : host::GetPropInfos(source)) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "DataSet", "DataFields", "About", "ActiveLanguage",
                                             "ActiveSettings", "Languages", "OriginalName", "OnLanguageChanging",
                                             "OnLanguageChanged", "_Version"}));
  EXPECT_FALSE(host::IsStoredProp(source, "_Version"));
  EXPECT_EQ(host::GetPropInfo(source, "DataSet")->PropClass, &host::TDataSet::StaticClass());
  names.clear();
  for (const host::TPropInfo* p : host::GetPropInfos(source->DataFields())) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"SectionField", "LanguageField", "NameField", "ValueField"}));
  EXPECT_FALSE(source->GetReadOnly());
  RegisterAmbitDBClasses();
  ASSERT_NE(host::FindRegisteredClass("TAmDBLanguageSource"), nullptr);
}

}  // namespace

AMBIT_INSTANTIATE_FOR_DATABASES(DBSourceConfigTest);
