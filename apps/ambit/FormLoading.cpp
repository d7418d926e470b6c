#include "apps/ambit/FormLoading.h"

#include <filesystem>

#include "host/controls/StdRegister.h"
#include "runtime/AmbitRegister.h"

namespace ambit::cli {

bool IsProjectFile(const std::string& FileName) {
  return std::filesystem::path(FileName).extension() == ".amproj";
}

TLoadedForms::TLoadedForms(const std::vector<std::string>& Args) {
  host::RegisterStandardControls();
  // Forms hold the suite's sources and localizers as well.
  RegisterAmbitClasses();
  if (Args.size() == 1 && IsProjectFile(Args[0]))
    FProject = host::TFormProject::LoadFromFile(Args[0]);
  else
    FProject = host::TFormProject::FromFormFiles(Args);
  FProject->LoadForms();
}

TLoadedForms::~TLoadedForms() = default;

}  // namespace ambit::cli
