#include "host/stream/FormProject.h"

#include <algorithm>
#include <filesystem>

#include "host/core/IniFiles.h"

namespace host {

namespace {
// Drops forms from the project's list when they are freed elsewhere.
class TProjectWatcher : public TComponent {
public:
  explicit TProjectWatcher(std::vector<TComponent*>& Forms) : TComponent(nullptr), FForms(Forms) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) FForms.erase(std::remove(FForms.begin(), FForms.end(), AComponent), FForms.end());
  }

private:
  std::vector<TComponent*>& FForms;
};
}  // namespace

TFormProject::~TFormProject() {
  if (FLookupId) UnRegisterFindGlobalComponentProc(FLookupId);
  // Newest first: later forms may refer to earlier ones.
  while (!FOwned.empty()) FOwned.pop_back();
  FWatcher.reset();
}

std::unique_ptr<TFormProject> TFormProject::LoadFromFile(const std::string& FileName) {
  const std::string text = ReadFileText(FileName);
  auto project = std::make_unique<TFormProject>();
  project->FFileName = FileName;
  TMemIniFile ini("");
  ini.SetText(text);
  project->FTitle = ini.ReadString("Project", "Title", "");
  ini.ReadSectionValues("Project", &project->FSettings);
  const std::filesystem::path folder = std::filesystem::path(FileName).parent_path();
  TStringList lines;
  ini.ReadSectionValues("Forms", &lines);
  if (!ini.SectionExists("Forms")) {
    const std::string why = NotIniReason(text);
    if (why.find("form file") != std::string::npos)
      throw EReadError(FileName, 1, "this is a form file, not a project file: give the project file (*.amproj) "
                                    "that lists the forms, or the form files themselves where a command takes them");
    throw EReadError(FileName, 1, "expected a [Forms] section listing the forms (FormName=FormFile)");
  }
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string name = Trim(lines.Names(i));
    const std::string file = Trim(lines.ValueFromIndex(i));
    if (name.empty() || file.empty()) {
      // Report the line as it stands in the file.
      int line = 1;
      const std::size_t at = text.find(lines.Get(i));
      if (at != std::string::npos) line += static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
      throw EReadError(FileName, line, "expected FormName=FormFile but found '" + lines.Get(i) + "'");
    }
    project->FFormFiles.push_back({name, (folder / file).lexically_normal().string()});
  }
  return project;
}

std::string TFormProject::Setting(std::string_view Key) const { return FSettings.Values(Key); }

std::unique_ptr<TFormProject> TFormProject::FromFormFiles(const std::vector<std::string>& FileNames) {
  auto project = std::make_unique<TFormProject>();
  for (const std::string& f : FileNames)
    project->FFormFiles.push_back({std::filesystem::path(f).stem().string(), f});
  return project;
}

void TFormProject::Watch() {
  if (!FWatcher) FWatcher = std::make_unique<TProjectWatcher>(FForms);
  if (!FLookupId)
    FLookupId = RegisterFindGlobalComponentProc([this](std::string_view Name) { return FindForm(Name); });
}

TComponent* TFormProject::FindForm(std::string_view Name) const {
  for (TComponent* f : FForms)
    if (SameText(f->Name(), Name)) return f;
  return nullptr;
}

void TFormProject::LoadForms(TComponent* Owner, const TReadOptions& Options) {
  Watch();
  for (const TProjectForm& pf : FFormFiles) {
    TComponent* form = nullptr;
    if (Owner) {
      form = ReadComponentFile(pf.FileName, *Owner, Options);
    } else {
      FOwned.push_back(ReadComponentFile(pf.FileName, Options));
      form = FOwned.back().get();
    }
    form->FreeNotification(FWatcher.get());
    FForms.push_back(form);
  }
}

}  // namespace host
