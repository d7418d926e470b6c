// A database language source over a table of texts on every test database.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/core/Strings.h"
#include "runtime/AmbitDBSource.h"
#include "runtime/AmbitUtils.h"
#include "tests/host/data/TestDatabases.h"

namespace dbsource_test {

using testdb::TBackend;
using Row = std::vector<std::optional<std::string>>;  // lang, sec, name, value

class DBSourceTest : public testing::TestWithParam<TBackend> {
protected:
  void SetUp() override {
    db = testdb::TTestDatabase::Create(GetParam());
    if (!db) GTEST_SKIP() << "AMBIT_PG_CONNINFO is not set";
    db->Exec("CREATE TABLE texts ({id}, lang TEXT, sec TEXT, name TEXT, value TEXT)");
    table = db->NewTable("texts");
    source = new ambit::TAmDBLanguageSource(db->Root());
    source->SetDataSet(table);
    source->DataFields()->SetLanguageField("lang");
    source->DataFields()->SetSectionField("sec");
    source->DataFields()->SetNameField("name");
    source->DataFields()->SetValueField("value");
    source->Languages()->Add("German=de");
    source->Languages()->Add("English=en");
  }

  // Rows written straight through a dataset of their own.
  void Add(const Row& r) {
    host::TDataSet* ds = db->NewTable("texts");
    ds->Open();
    ds->Append();
    const char* names[] = {"lang", "sec", "name", "value"};
    for (std::size_t i = 0; i < r.size(); ++i) ds->FieldByName(names[i])->SetValue(r[i]);
    ds->Post();
    delete ds;
  }

  // Every row as "lang/sec/name=value", in dataset order.
  std::vector<std::string> Rows() {
    host::TDataSet* ds = db->NewTable("texts");
    ds->Open();
    std::vector<std::string> out;
    auto text = [&](const char* f) {
      host::TField* field = ds->FieldByName(f);
      return field->IsNull() ? std::string("<null>") : field->AsString();
    };
    for (ds->First(); !ds->Eof(); ds->Next())
      out.push_back(text("lang") + "/" + text("sec") + "/" + text("name") + "=" + text("value"));
    delete ds;
    return out;
  }

  std::vector<std::string> Section(const std::string& section) {
    source->SetFormSection(section);
    host::TStringList list;
    list.Add("stale=line");
    source->LoadStrings(&list);
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Get(i));
    return out;
  }

  std::unique_ptr<testdb::TTestDatabase> db;
  host::TDataSet* table = nullptr;
  ambit::TAmDBLanguageSource* source = nullptr;
};

using Lines = std::vector<std::string>;

}  // namespace dbsource_test
