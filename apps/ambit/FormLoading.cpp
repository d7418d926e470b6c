#include "apps/ambit/FormLoading.h"

#include <algorithm>
#include <filesystem>

#include "host/controls/StdRegister.h"
#include "host/stream/FormStream.h"
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

// A project file in the folder of FormFile that lists it, or "".
std::string ProjectListing(const std::string& FormFile) {
  const std::filesystem::path form = std::filesystem::path(FormFile).lexically_normal();
  std::error_code ec;
  std::vector<std::filesystem::path> projects;
  for (const auto& entry : std::filesystem::directory_iterator(form.parent_path().empty() ? "." : form.parent_path(), ec))
    if (IsProjectFile(entry.path().string())) projects.push_back(entry.path().lexically_normal());
  std::sort(projects.begin(), projects.end());
  for (const auto& path : projects) {
    try {
      const auto project = host::TFormProject::LoadFromFile(path.string());
      for (const auto& listed : project->FormFiles())
        if (std::filesystem::equivalent(listed.FileName, form, ec)) return path.string();
    } catch (const std::exception&) {
      // Not a project worth suggesting.
    }
  }
  return {};
}

// What a new user may have meant when a loose file cannot be read as a form.
std::string Hint(const host::EReadError& Error) {
  std::string text;
  try {
    text = host::ReadFileText(Error.FileName());
  } catch (const std::exception&) {
    return {};
  }
  const std::size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
  if (first != std::string::npos && (text[first] == '[' || text[first] == ';'))
    return "; this is an INI file (a project or language file?), not a form file: a project file must be named "
           "*.amproj and given alone";
  if (const std::string project = ProjectListing(Error.FileName()); !project.empty())
    return "; the project file " + project + " loads its forms in order: give it instead of the form files";
  return {};
}

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
  if (Args.size() == 1 && IsProjectFile(Args[0])) {
    FProject = host::TFormProject::LoadFromFile(Args[0]);
    FProject->LoadForms();
  } else {
    for (const std::string& a : Args)
      if (IsProjectFile(a))
        throw host::EFOpenError(a + " is a project file: give it alone (it lists its forms), or give form files only");
    FProject = host::TFormProject::FromFormFiles(Args);
    try {
      FProject->LoadForms();
    } catch (const host::EReadError& e) {
      const std::string hint = Hint(e);
      if (hint.empty()) throw;
      throw host::EReadError(e.FileName(), e.Line(), e.Detail() + hint);
    }
  }
#ifdef AMBIT_WITH_SQLITE
  for (std::size_t i = 0; i < Forms().size(); ++i)
    ResolveDatabaseFiles(Forms()[i], std::filesystem::path(FileOf(i)).parent_path());
#endif
}

TLoadedForms::~TLoadedForms() = default;

}  // namespace ambit::cli
