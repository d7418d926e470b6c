// Shared by the design-time tests: the scripted dialogs service, a typed
// view of the modal form a script drives, and a SQLite table in memory.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/controls/Forms.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/core/Strings.h"
#include "host/data/sqlite/SQLiteConnection.h"
#include "host/data/sqlite/SQLiteTable.h"

namespace design_test {

// The modal form a script receives, as the class the test expects.
template <class T>
T* FormAs(host::TCustomForm* Form) {
  auto* f = dynamic_cast<T*>(Form);
  EXPECT_NE(f, nullptr) << "unexpected modal form " << (Form ? Form->Name() : "(none)");
  return f;
}

// A key pressed in a dialog that no control took: Enter for the default
// button, Escape for the cancel button.
inline void PressKey(host::TCustomForm* Form, host::TKey Key) { Form->DialogKey(Key, {}); }

// A private SQLite database with a table "texts" (lang, name) and a closed
// dataset over it.
class TTextsTable {
public:
  TTextsTable() : FOwner(std::make_unique<host::TComponent>(nullptr)) {
    Conn = new host::TSQLiteConnection(FOwner.get());
    Conn->SetDatabaseName(":memory:");
    Table = new host::TSQLiteTable(FOwner.get());
    Table->SetConnection(Conn);
    Table->SetTableName("texts");
  }
  void Create() { Conn->ExecSQL("CREATE TABLE texts (id INTEGER PRIMARY KEY, lang TEXT, name TEXT)"); }
  void Add(const std::string& Lang) {
    Conn->ExecSQL("INSERT INTO texts (lang, name) VALUES ('" + Lang + "', 'Caption')");
  }

  host::TSQLiteConnection* Conn = nullptr;
  host::TSQLiteTable* Table = nullptr;

private:
  std::unique_ptr<host::TComponent> FOwner;
};

// The items of a string list, in order.
inline std::vector<std::string> Lines(const host::TStrings* Strings) {
  std::vector<std::string> out;
  for (int i = 0; i < Strings->Count(); ++i) out.push_back(Strings->Get(i));
  return out;
}

}  // namespace design_test
