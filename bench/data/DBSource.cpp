// The database language source on tables of 100,000 and 1,000,000 rows
// (20 languages, 50 or 500 sections, 100 names each): reading one form's
// section and one record, against a plain indexed query for the same rows
// on the same connection. SQLite always; PostgreSQL when AMBIT_PG_CONNINFO
// names a server. Each operation's best single run counts.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

#include "bench/BenchRows.h"
#include "host/core/Strings.h"
#include "host/data/postgres/PgConnection.h"
#include "host/data/postgres/PgTable.h"
#include "host/data/sqlite/SQLiteConnection.h"
#include "host/data/sqlite/SQLiteTable.h"
#include "runtime/AmbitDBSource.h"

namespace {

constexpr int kLanguages = 20;
constexpr int kNames = 100;
const long kTableRows[] = {100000, 1000000};

long SectionsOf(long Rows) { return Rows / (kLanguages * kNames); }
std::string SectionToRead(long Rows) {
  std::string s = std::to_string(SectionsOf(Rows) / 2);
  return "Form" + std::string(s.size() < 3 ? 3 - s.size() : 0, '0') + s;
}
std::string TableOf(long Rows) { return "texts_" + std::to_string(Rows); }

// One table of one back end: a source over it and the plain queries.
struct Table {
  long rows = 0;
  ambit::TAmDBLanguageSource* source = nullptr;
  std::function<int()> plainSection;  // rows read by the baseline
  std::function<bool()> plainRecord;
};

struct Backend {
  std::string name;
  std::unique_ptr<host::TComponent> root = std::make_unique<host::TComponent>(nullptr);
  std::vector<Table> tables;
  std::function<void()> cleanup;
};

ambit::TAmDBLanguageSource* AttachSource(Backend& b, host::TDataSet* Data, long Rows) {
  auto* source = new ambit::TAmDBLanguageSource(b.root.get());
  source->SetDataSet(Data);
  source->DataFields()->SetLanguageField("lang");
  source->DataFields()->SetSectionField("sec");
  source->DataFields()->SetNameField("name");
  source->DataFields()->SetValueField("value");
  for (int i = 0; i < kLanguages; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "Language%02d=lang%02d", i, i);
    source->Languages()->Add(line);
  }
  source->SetActiveLanguage(7);
  source->SetFormSection(SectionToRead(Rows));
  return source;
}

// Rows are laid out language by language, section by section, so that a
// section's rows sit together, as a form saved in one go leaves them.
std::unique_ptr<Backend> MakeSQLite() {
  auto b = std::make_unique<Backend>();
  b->name = "SQLite";
  const char* tmp = std::getenv("TMPDIR");
  const std::string file = std::string(tmp && *tmp ? tmp : "/tmp") + "/ambit-bench-" + std::to_string(getpid()) + ".db";
  std::remove(file.c_str());
  auto* conn = new host::TSQLiteConnection(b->root.get());
  conn->SetDatabaseName(file);
  conn->SetCreateIfMissing(true);
  conn->ExecSQL("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
  for (long rows : kTableRows) {
    const std::string t = TableOf(rows), perLanguage = std::to_string(rows / kLanguages);
    conn->ExecSQL("CREATE TABLE " + t + " (id INTEGER PRIMARY KEY, lang TEXT, sec TEXT, name TEXT, value TEXT);"
                  "WITH RECURSIVE series(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM series WHERE i < " +
                  std::to_string(rows - 1) + ") INSERT INTO " + t +
                  " (lang, sec, name, value) SELECT printf('lang%02d', i / " + perLanguage +
                  "), printf('Form%03d', (i / 100) % " + std::to_string(SectionsOf(rows)) +
                  "), printf('Name%02d', i % 100), 'text ' || i FROM series; CREATE INDEX " + t + "_key ON " + t +
                  " (lang, sec, name);");
    auto* table = new host::TSQLiteTable(b->root.get());
    table->SetConnection(conn);
    table->SetTableName(t);
    Table entry;
    entry.rows = rows;
    entry.source = AttachSource(*b, table, rows);
    const std::string section = SectionToRead(rows);
    entry.plainSection = [conn, t, section] {
      host::TSQLiteQuery q(*conn, "SELECT name, value FROM " + t + " WHERE lang = ? AND sec = ? ORDER BY id");
      q.Bind(std::string("lang07")).Bind(section);
      int n = 0;
      while (q.Step()) n += q.Column(1).has_value();
      return n;
    };
    entry.plainRecord = [conn, t, section] {
      host::TSQLiteQuery q(*conn, "SELECT value FROM " + t + " WHERE lang = ? AND sec = ? AND name = ?");
      q.Bind(std::string("lang07")).Bind(section).Bind(std::string("Name42"));
      return q.Step();
    };
    b->tables.push_back(std::move(entry));
  }
  conn->ExecSQL("ANALYZE;");
  b->cleanup = [file] { std::remove(file.c_str()); };
  return b;
}

std::unique_ptr<Backend> MakePostgres(const std::string& conninfo) {
  auto b = std::make_unique<Backend>();
  b->name = "PostgreSQL";
  const std::string schema = "ambit_bench_" + std::to_string(getpid());
  auto* conn = new host::TPgConnection(b->root.get());
  conn->SetConnectionString(conninfo + " options='-c search_path=" + schema + "'");
  conn->ExecSQL("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema);
  for (long rows : kTableRows) {
    const std::string t = TableOf(rows), perLanguage = std::to_string(rows / kLanguages);
    conn->ExecSQL("CREATE TABLE " + t + " (id SERIAL PRIMARY KEY, lang TEXT, sec TEXT, name TEXT, value TEXT);"
                  "INSERT INTO " + t + " (lang, sec, name, value) SELECT format('lang%s', lpad((i / " + perLanguage +
                  ")::text, 2, '0')), format('Form%s', lpad(((i / 100) % " + std::to_string(SectionsOf(rows)) +
                  ")::text, 3, '0')), format('Name%s', lpad((i % 100)::text, 2, '0')), 'text ' || i"
                  " FROM generate_series(0, " + std::to_string(rows - 1) + ") AS i; CREATE INDEX " + t + "_key ON " +
                  t + " (lang, sec, name);");
    // Vacuumed now, as autovacuum soon does on its own: left to it, it
    // starts on the fresh table in the middle of the timings.
    conn->ExecSQL("VACUUM ANALYZE " + t);
    auto* table = new host::TPgTable(b->root.get());
    table->SetConnection(conn);
    table->SetTableName(t);
    Table entry;
    entry.rows = rows;
    entry.source = AttachSource(*b, table, rows);
    const std::string section = SectionToRead(rows);
    entry.plainSection = [conn, t, section] {
      return conn->Exec("SELECT name, value FROM " + t + " WHERE lang = $1 AND sec = $2 ORDER BY id",
                        {std::string("lang07"), section})
          .RowCount();
    };
    entry.plainRecord = [conn, t, section] {
      return conn->Exec("SELECT value FROM " + t + " WHERE lang = $1 AND sec = $2 AND name = $3",
                        {std::string("lang07"), section, std::string("Name42")})
                 .RowCount() == 1;
    };
    b->tables.push_back(std::move(entry));
  }
  b->cleanup = [conninfo, schema] {
    host::TPgConnection admin(nullptr);
    admin.SetConnectionString(conninfo);
    admin.ExecSQL("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
  };
  return b;
}

std::string NameOf(const Backend& B, const Table& T, const char* Op) {
  return B.name + "/" + std::to_string(T.rows) + "/" + Op;
}

void Register(const Backend& b, const Table& t) {
  benchmark::RegisterBenchmark(NameOf(b, t, "LoadStrings").c_str(), [&t](benchmark::State& state) {
    host::TStringList list;
    bench::TBestTime best;
    for (auto _ : state) best.Run([&] { t.source->LoadStrings(&list); });
    best.Report(state);
    if (list.Count() != kNames) state.SkipWithError("LoadStrings did not read the whole section");
  })->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark(NameOf(b, t, "PlainSectionQuery").c_str(), [&t](benchmark::State& state) {
    int n = 0;
    bench::TBestTime best;
    for (auto _ : state) best.Run([&] { n = t.plainSection(); });
    best.Report(state);
    if (n != kNames) state.SkipWithError("the plain query did not read the whole section");
  })->Unit(benchmark::kMicrosecond);
  // The record under its stored spelling, and under another one: the look-up
  // ignores case either way, the second has to find the spelling first.
  for (const char* op : {"LoadString", "LoadStringOtherCase"})
    benchmark::RegisterBenchmark(NameOf(b, t, op).c_str(), [&t, op](benchmark::State& state) {
      const std::string key = op[10] ? "NAME42" : "Name42";
      std::string v;
      bench::TBestTime best;
      for (auto _ : state) best.Run([&] { v = t.source->LoadString(key, "missing"); });
      best.Report(state);
      if (v == "missing") state.SkipWithError("LoadString did not find the record");
    })->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark(NameOf(b, t, "PlainRecordQuery").c_str(), [&t](benchmark::State& state) {
    bool found = false;
    bench::TBestTime best;
    for (auto _ : state) best.Run([&] { found = t.plainRecord(); });
    best.Report(state);
    if (!found) state.SkipWithError("the record is missing");
  })->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::vector<std::unique_ptr<Backend>> backends;
  auto built = [](const char* what, auto start) {
    std::fprintf(stderr, "%s: built the tables in %.1f s\n", what,
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  };
  auto start = std::chrono::steady_clock::now();
  backends.push_back(MakeSQLite());
  built("SQLite", start);
  if (const char* conninfo = std::getenv("AMBIT_PG_CONNINFO"); conninfo && *conninfo) {
    start = std::chrono::steady_clock::now();
    backends.push_back(MakePostgres(conninfo));
    built("PostgreSQL", start);
  } else {
    std::fprintf(stderr, "PostgreSQL skipped: AMBIT_PG_CONNINFO is not set\n");
  }
  for (auto& b : backends)
    for (auto& t : b->tables) Register(*b, t);
  bench::TBestReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nwork: tables of %d languages x 100 names x 50 or 500 sections; one section of %d rows; best single runs\n",
              kLanguages, kNames);
  for (auto& b : backends)
    for (auto& t : b->tables) {
      const std::string size = std::to_string(t.rows) + " rows";
      bench::PrintRow(b->name + " LoadStrings, " + size, t.rows, reporter.Best(NameOf(*b, t, "LoadStrings")),
                      "plain indexed query, same rows", reporter.Best(NameOf(*b, t, "PlainSectionQuery")),
                      "<= 1.5x, same at both sizes");
      bench::PrintRow(b->name + " LoadString, " + size, t.rows, reporter.Best(NameOf(*b, t, "LoadString")),
                      "plain query, one row", reporter.Best(NameOf(*b, t, "PlainRecordQuery")), "<= 3x");
      bench::PrintRow(b->name + " LoadString, other case, " + size, t.rows,
                      reporter.Best(NameOf(*b, t, "LoadStringOtherCase")), "plain query, one row",
                      reporter.Best(NameOf(*b, t, "PlainRecordQuery")), "");
    }
  for (auto& b : backends) {
    b->root.reset();
    b->cleanup();
  }
  benchmark::Shutdown();
  return 0;
}
