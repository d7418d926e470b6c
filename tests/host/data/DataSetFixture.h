// A table of texts on every test database, filled through the dataset API.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/host/data/TestDatabases.h"

namespace testdb {

using Row = std::vector<std::optional<std::string>>;  // lang, sec, name, value

class DataSetTest : public testing::TestWithParam<TBackend> {
protected:
  void SetUp() override {
    db = TTestDatabase::Create(GetParam());
    if (!db) GTEST_SKIP() << "AMBIT_PG_CONNINFO is not set";
    db->Exec("CREATE TABLE texts ({id}, lang TEXT, sec TEXT, name TEXT, value TEXT, n INTEGER)");
    table = db->NewTable("texts");
  }

  void Add(const Row& r, host::TDataSet* ds = nullptr) {
    ds = ds ? ds : table;
    const bool wasActive = ds->Active();
    ds->Open();
    ds->Append();
    const char* names[] = {"lang", "sec", "name", "value"};
    for (std::size_t i = 0; i < r.size(); ++i) ds->FieldByName(names[i])->SetValue(r[i]);
    ds->Post();
    if (!wasActive) ds->Close();
  }

  // "lang/sec/name=value" of every row the open dataset shows, from First.
  std::vector<std::string> Visit(host::TDataSet* ds = nullptr) {
    ds = ds ? ds : table;
    std::vector<std::string> out;
    for (ds->First(); !ds->Eof(); ds->Next()) out.push_back(Describe(ds));
    return out;
  }

  static std::string Describe(host::TDataSet* ds) {
    auto text = [&](const char* f) {
      host::TField* field = ds->FieldByName(f);
      return field->IsNull() ? std::string("<null>") : field->AsString();
    };
    return text("lang") + "/" + text("sec") + "/" + text("name") + "=" + text("value");
  }

  std::unique_ptr<TTestDatabase> db;
  host::TDataSet* table = nullptr;
};

}  // namespace testdb
