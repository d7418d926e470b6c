// The database language source on a table of 1,000,000 rows (20 languages,
// 500 sections, 100 names): reading one form's section and one record,
// against a plain indexed query for the same rows on the same connection.
// SQLite always; PostgreSQL when AMBIT_PG_CONNINFO names a server.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

#include "host/core/Strings.h"
#include "host/data/postgres/PgConnection.h"
#include "host/data/postgres/PgTable.h"
#include "host/data/sqlite/SQLiteConnection.h"
#include "host/data/sqlite/SQLiteTable.h"
#include "runtime/AmbitDBSource.h"

namespace {

constexpr int kLanguages = 20;
constexpr int kSections = 500;
constexpr int kNames = 100;
constexpr long kRows = static_cast<long>(kLanguages) * kSections * kNames;

// Rows are laid out language by language, section by section, so that a
// section's rows sit together, as a form saved in one go leaves them.
const char* const kFillSql =
    " SELECT printf('lang%02d', i / 50000), printf('Form%03d', (i / 100) % 500), printf('Name%02d', i % 100),"
    " 'text ' || i FROM series";

struct Backend {
  std::string name;
  std::unique_ptr<host::TComponent> root = std::make_unique<host::TComponent>(nullptr);
  host::TDataSet* table = nullptr;
  ambit::TAmDBLanguageSource* source = nullptr;
  std::function<int()> plainSection;  // rows read by the baseline
  std::function<bool()> plainRecord;
  std::function<void()> cleanup;
};

void AttachSource(Backend& b) {
  b.source = new ambit::TAmDBLanguageSource(b.root.get());
  b.source->SetDataSet(b.table);
  b.source->DataFields()->SetLanguageField("lang");
  b.source->DataFields()->SetSectionField("sec");
  b.source->DataFields()->SetNameField("name");
  b.source->DataFields()->SetValueField("value");
  for (int i = 0; i < kLanguages; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "Language%02d=lang%02d", i, i);
    b.source->Languages()->Add(line);
  }
  b.source->SetActiveLanguage(7);
  b.source->SetFormSection("Form250");
}

std::unique_ptr<Backend> MakeSQLite() {
  auto b = std::make_unique<Backend>();
  b->name = "SQLite";
  const char* tmp = std::getenv("TMPDIR");
  const std::string file = std::string(tmp && *tmp ? tmp : "/tmp") + "/ambit-bench-" + std::to_string(getpid()) + ".db";
  std::remove(file.c_str());
  auto* conn = new host::TSQLiteConnection(b->root.get());
  conn->SetDatabaseName(file);
  conn->SetCreateIfMissing(true);
  conn->ExecSQL("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
                "CREATE TABLE texts (id INTEGER PRIMARY KEY, lang TEXT, sec TEXT, name TEXT, value TEXT);"
                "WITH RECURSIVE series(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM series WHERE i < " +
                std::to_string(kRows - 1) + ") INSERT INTO texts (lang, sec, name, value)" + kFillSql +
                "; CREATE INDEX texts_key ON texts (lang, sec, name); ANALYZE;");
  auto* table = new host::TSQLiteTable(b->root.get());
  table->SetConnection(conn);
  table->SetTableName("texts");
  b->table = table;
  b->plainSection = [conn] {
    host::TSQLiteQuery q(*conn, "SELECT name, value FROM texts WHERE lang = ? AND sec = ? ORDER BY id");
    q.Bind(std::string("lang07")).Bind(std::string("Form250"));
    int n = 0;
    while (q.Step()) n += q.Column(1).has_value();
    return n;
  };
  b->plainRecord = [conn] {
    host::TSQLiteQuery q(*conn, "SELECT value FROM texts WHERE lang = ? AND sec = ? AND name = ?");
    q.Bind(std::string("lang07")).Bind(std::string("Form250")).Bind(std::string("Name42"));
    return q.Step();
  };
  b->cleanup = [file] { std::remove(file.c_str()); };
  AttachSource(*b);
  return b;
}

std::unique_ptr<Backend> MakePostgres(const std::string& conninfo) {
  auto b = std::make_unique<Backend>();
  b->name = "PostgreSQL";
  const std::string schema = "ambit_bench_" + std::to_string(getpid());
  auto* conn = new host::TPgConnection(b->root.get());
  conn->SetConnectionString(conninfo + " options='-c search_path=" + schema + "'");
  conn->ExecSQL("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema +
                "; CREATE TABLE texts (id SERIAL PRIMARY KEY, lang TEXT, sec TEXT, name TEXT, value TEXT);"
                "WITH series(i) AS (SELECT generate_series(0, " + std::to_string(kRows - 1) +
                ")) INSERT INTO texts (lang, sec, name, value)" +
                " SELECT format('lang%s', lpad((i / 50000)::text, 2, '0')), format('Form%s', lpad(((i / 100) % 500)::text, 3, '0')),"
                " format('Name%s', lpad((i % 100)::text, 2, '0')), 'text ' || i FROM series;"
                " CREATE INDEX texts_key ON texts (lang, sec, name); ANALYZE texts;");
  auto* table = new host::TPgTable(b->root.get());
  table->SetConnection(conn);
  table->SetTableName("texts");
  b->table = table;
  b->plainSection = [conn] {
    host::TPgResult r = conn->Exec("SELECT name, value FROM texts WHERE lang = $1 AND sec = $2 ORDER BY id",
                                   {std::string("lang07"), std::string("Form250")});
    return r.RowCount();
  };
  b->plainRecord = [conn] {
    host::TPgResult r = conn->Exec("SELECT value FROM texts WHERE lang = $1 AND sec = $2 AND name = $3",
                                   {std::string("lang07"), std::string("Form250"), std::string("Name42")});
    return r.RowCount() == 1;
  };
  b->cleanup = [conninfo, schema] {
    host::TPgConnection admin(nullptr);
    admin.SetConnectionString(conninfo);
    admin.ExecSQL("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
  };
  AttachSource(*b);
  return b;
}

void Register(Backend& b) {
  benchmark::RegisterBenchmark((b.name + "/LoadStrings").c_str(), [&b](benchmark::State& state) {
    host::TStringList list;
    for (auto _ : state) {
      b.source->LoadStrings(&list);
      benchmark::DoNotOptimize(list.Count());
    }
    if (list.Count() != kNames) state.SkipWithError("LoadStrings did not read the whole section");
    state.counters["rows"] = list.Count();
  })->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark((b.name + "/PlainSectionQuery").c_str(), [&b](benchmark::State& state) {
    int n = 0;
    for (auto _ : state) benchmark::DoNotOptimize(n = b.plainSection());
    state.counters["rows"] = n;
  })->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark((b.name + "/LoadString").c_str(), [&b](benchmark::State& state) {
    std::string v;
    for (auto _ : state) benchmark::DoNotOptimize(v = b.source->LoadString("NAME42", "missing"));
    if (v == "missing") state.SkipWithError("LoadString did not find the record");
  })->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark((b.name + "/PlainRecordQuery").c_str(), [&b](benchmark::State& state) {
    bool found = false;
    for (auto _ : state) benchmark::DoNotOptimize(found = b.plainRecord());
    if (!found) state.SkipWithError("the record is missing");
  })->Unit(benchmark::kMicrosecond);
}

// Prints, after the usual table, each source operation's time as a ratio
// against its plain query.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (!r.error_occurred && r.iterations > 0) FTimes[r.benchmark_name()] = r.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nTable size: %ld rows (%d languages x %d sections x %d names)\n", kRows, kLanguages, kSections,
                kNames);
    for (const auto& [name, time] : FTimes) {
      const auto slash = name.find('/');
      const std::string backend = name.substr(0, slash), op = name.substr(slash + 1);
      const char* base = op == "LoadStrings" ? "PlainSectionQuery" : op == "LoadString" ? "PlainRecordQuery" : nullptr;
      if (!base) continue;
      auto it = FTimes.find(backend + "/" + base);
      if (it != FTimes.end() && it->second > 0)
        std::printf("%-11s %-12s %10.1f us, %5.2f x the plain indexed query (%.1f us)\n", backend.c_str(), op.c_str(),
                    time, time / it->second, it->second);
    }
  }

private:
  std::map<std::string, double> FTimes;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::vector<std::unique_ptr<Backend>> backends;
  auto built = [](const char* what, auto start) {
    std::fprintf(stderr, "%s: built %ld rows in %.1f s\n", what, kRows,
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
  for (auto& b : backends) Register(*b);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (auto& b : backends) {
    b->root.reset();
    b->cleanup();
  }
  benchmark::Shutdown();
  return 0;
}
