#include "apps/ambit/FormLoading.h"

#include <filesystem>

#include "host/controls/StdRegister.h"
#include "runtime/AmbitRegister.h"
#ifdef AMBIT_WITH_SQLITE
#include "host/data/sqlite/SQLiteConnection.h"
#endif
#ifdef AMBIT_WITH_PG
#include "host/data/postgres/PgConnection.h"
#endif

namespace ambit::cli {

bool IsProjectFile(const std::string& FileName) {
  return std::filesystem::path(FileName).extension() == ".amproj";
}

namespace {

#ifdef AMBIT_WITH_SQLITE
// A database file named relative to its form belongs beside the form, as a
// language file does, whatever the current folder.
void ResolveDatabaseFiles(host::TComponent* Owner, const std::filesystem::path& Folder, int Depth = 0) {
  if (Depth > 64) return;
  for (host::TComponent* c : Owner->ComponentList()) {
    if (auto* db = host::As<host::TSQLiteConnection>(c)) {
      const std::string& name = db->DatabaseName();
      if (!name.empty() && name != ":memory:" && name.rfind("file:", 0) != 0 &&
          std::filesystem::path(name).is_relative()) {
        const bool connected = db->Connected();
        db->SetDatabaseName((Folder / name).lexically_normal().string());
        if (connected) db->Open();
      }
    }
    ResolveDatabaseFiles(c, Folder, Depth + 1);
  }
}
#endif

}  // namespace

TLoadedForms::TLoadedForms(const std::vector<std::string>& Args) {
  host::RegisterStandardControls();
  // Forms hold the suite's sources and localizers, and the datasets of
  // database sources, as well.
  RegisterAmbitClasses();
#ifdef AMBIT_WITH_SQLITE
  host::RegisterSQLiteClasses();
#endif
#ifdef AMBIT_WITH_PG
  host::RegisterPgClasses();
#endif
  if (Args.size() == 1 && IsProjectFile(Args[0]))
    FProject = host::TFormProject::LoadFromFile(Args[0]);
  else
    FProject = host::TFormProject::FromFormFiles(Args);
  FProject->LoadForms();
#ifdef AMBIT_WITH_SQLITE
  for (std::size_t i = 0; i < Forms().size(); ++i)
    ResolveDatabaseFiles(Forms()[i], std::filesystem::path(FileOf(i)).parent_path());
#endif
}

TLoadedForms::~TLoadedForms() = default;

}  // namespace ambit::cli
