// Drives the database language source over a SQLite table with a sequence
// of operations read from the input, and checks every answer and the
// table itself against a plain model of the rules: single records found
// ignoring case in language, section and name; sections read by the exact
// language and section (rows without a section belong to every one), a
// later name replacing an earlier one and empty texts left out; clearing
// by the exact language (and section).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/core/CaseFold.h"
#include "host/core/Component.h"
#include "host/data/sqlite/SQLiteConnection.h"
#include "host/data/sqlite/SQLiteTable.h"
#include "runtime/AmbitDBSource.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "database source differs from the model: %s\n", what);
    std::abort();
  }
}

struct TRow {
  std::string Lang, Section, Name, Value;
};

// Reads the operations' arguments from the input; zeros once it is used up.
class TInput {
public:
  TInput(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}
  bool More() const { return FPos < FSize; }
  unsigned Byte() { return FPos < FSize ? FData[FPos++] : 0; }
  std::string Text() {
    std::string s;
    for (unsigned n = Byte() % 6; n > 0; --n) s.push_back(static_cast<char>(Byte()));
    return s;
  }

private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};

const char* const kSections[] = {"Form1", "FORM1", "", "Form2"};
const char* const kNames[] = {"Caption", "CAPTION", "btnOK.Hint", "", "\xC3\x84rger", "\xC3\xA4RGER"};

struct TWorld {
  host::TComponent Root{nullptr};
  host::TSQLiteConnection* Db = new host::TSQLiteConnection(&Root);
  host::TSQLiteTable* Table = new host::TSQLiteTable(&Root);
  ambit::TAmDBLanguageSource* Source = new ambit::TAmDBLanguageSource(&Root);
  TWorld() {
    host::RegisterSQLiteClasses();
    Db->SetDatabaseName(":memory:");
    Db->ExecSQL("CREATE TABLE texts (id INTEGER PRIMARY KEY, lang TEXT, sec TEXT, name TEXT, value TEXT);"
                "CREATE INDEX texts_key ON texts (lang, sec, name)");
    Table->SetConnection(Db);
    Table->SetTableName("texts");
    Source->SetDataSet(Table);
    Source->DataFields()->SetLanguageField("lang");
    Source->DataFields()->SetSectionField("sec");
    Source->DataFields()->SetNameField("name");
    Source->DataFields()->SetValueField("value");
    // Two keys that differ only in case, as a hand-made table may hold.
    for (const char* line : {"German=de", "Deutsch=DE", "English=en"}) Source->Languages()->Add(line);
  }
};

std::vector<TRow> TableRows(host::TSQLiteConnection& Db) {
  std::vector<TRow> rows;
  host::TSQLiteQuery q(Db, "SELECT lang, sec, name, value FROM texts ORDER BY id");
  while (q.Step())
    rows.push_back({q.Column(0).value_or(""), q.Column(1).value_or(""), q.Column(2).value_or(""), q.Column(3).value_or("")});
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TWorld world;
  ambit::TAmDBLanguageSource& source = *world.Source;
  source.SetActiveLanguage(-1);
  world.Db->ExecSQL("DELETE FROM texts");
  std::vector<TRow> model;
  TInput in(data, size);
  auto key = [&] { return source.GetLanguageValue(source.ActiveLanguage()); };
  auto same = [&](const TRow& r, const std::string& Name) {
    return host::SameText(r.Lang, key()) && host::SameText(r.Section, source.GetFormSection()) &&
           host::SameText(r.Name, Name);
  };
  // What SaveString does to the table.
  auto mirror = [&](const std::string& Name, const std::string& Value) {
    if (source.ActiveLanguage() < 0) return;
    for (TRow& r : model)
      if (same(r, Name)) {
        r.Value = Value;
        return;
      }
    model.push_back({key(), source.GetFormSection(), Name, Value});
  };
  auto erase = [&](bool WholeLanguage) {
    if (source.ActiveLanguage() < 0 || source.GetFormSection().empty()) return;
    std::erase_if(model, [&](const TRow& r) {
      return r.Lang == key() && (WholeLanguage || r.Section == source.GetFormSection());
    });
  };
  for (int step = 0; step < 64 && in.More(); ++step) {
    switch (in.Byte() % 8) {
      case 0:
        source.SetActiveLanguage(static_cast<int>(in.Byte() % 4) - 1);
        break;
      case 1:
        source.SetFormSection(kSections[in.Byte() % 4]);
        break;
      case 2: {
        const std::string name = kNames[in.Byte() % 6];
        const std::string value = in.Text();
        source.SaveString(name, value);
        mirror(name, value);
        break;
      }
      case 3: {
        const std::string name = kNames[in.Byte() % 6];
        std::string expected = "default";
        if (source.ActiveLanguage() >= 0)
          for (const TRow& r : model)
            if (same(r, name)) {
              expected = r.Value;
              break;
            }
        Check(source.LoadString(name, "default") == expected, "LoadString");
        break;
      }
      case 4: {
        // Without a language the dataset is closed, and a section read
        // reports that as a scan of it would.
        if (source.ActiveLanguage() < 0) break;
        host::TStringList expected;
        for (const TRow& r : model)
          if (r.Lang == key() && (r.Section.empty() || r.Section == source.GetFormSection()))
            expected.SetValues(r.Name, r.Value);
        host::TStringList list;
        list.Add("stale=line");
        source.LoadStrings(&list);
        Check(list.Text() == expected.Text(), "LoadStrings");
        break;
      }
      case 5:
        source.Clear();
        erase(false);
        break;
      case 6:
        source.ClearAll();
        erase(true);
        break;
      case 7: {
        host::TStringList lines;
        for (unsigned n = in.Byte() % 3; n > 0; --n) lines.Add(std::string(kNames[in.Byte() % 6]) + "=" + in.Text());
        source.SaveStrings(&lines);
        for (int i = 0; i < lines.Count(); ++i) mirror(lines.Names(i), lines.ValueFromIndex(i));
        break;
      }
    }
  }
  const std::vector<TRow> rows = TableRows(*world.Db);
  Check(rows.size() == model.size(), "number of rows");
  for (std::size_t i = 0; i < rows.size(); ++i)
    Check(rows[i].Lang == model[i].Lang && rows[i].Section == model[i].Section && rows[i].Name == model[i].Name &&
              rows[i].Value == model[i].Value,
          "table rows");
  return 0;
}
