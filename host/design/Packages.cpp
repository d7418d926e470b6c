#include "host/design/Packages.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

#include "host/controls/Application.h"
#include "host/design/DesignIntf.h"
#include "host/design/DesignPackage.h"
#include "host/design/FormDesigner.h"

namespace host {

namespace {

using TEntry = int (*)(TPackageCall*);

std::string Normal(const std::string& FileName) {
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::absolute(FileName, ec);
  return (ec ? std::filesystem::path(FileName) : p).lexically_normal().string();
}

}  // namespace

TPackageLoader::~TPackageLoader() { UnloadAll(); }

bool TPackageLoader::Load(const std::string& FileName) {
  const std::string file = Normal(FileName);
  if (std::any_of(FPackages.begin(), FPackages.end(), [&](const TPackage& p) { return p.FileName == file; }))
    return true;
  dlerror();
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    ShowDesignError("Cannot load the package " + file + ": " + (why ? why : "unknown error"));
    return false;
  }
  auto entry = reinterpret_cast<TEntry>(dlsym(handle, HOST_PACKAGE_ENTRY_NAME));
  if (!entry) {
    dlclose(handle);
    ShowDesignError(file + " is no package: it exports no " HOST_PACKAGE_ENTRY_NAME);
    return false;
  }
  TPackage package{file, NewPackageId(), handle};
  TPackageCall call;
  bool ok = false;
  {
    TPackageScope scope(package.Id);
    ok = entry(&call) != 0;
  }
  if (!ok) {
    // Nothing half-registered stays behind.
    Release(package);
    ShowDesignError("The package " + file + " failed to register: " + call.Error);
    return false;
  }
  FPackages.push_back(package);
  return true;
}

int TPackageLoader::LoadFolder(const std::string& Folder) {
  std::error_code ec;
  if (Folder.empty() || !std::filesystem::is_directory(Folder, ec)) return 0;
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(Folder, ec))
    if (entry.is_regular_file(ec) && entry.path().extension() == ".so") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  int loaded = 0;
  for (const std::string& f : files)
    if (Load(f)) ++loaded;
  return loaded;
}

void TPackageLoader::Release(const TPackage& Package) {
  UnregisterPackage(Package.Id);
  if (Package.Handle) dlclose(Package.Handle);
}

bool TPackageLoader::Unload(const std::string& FileName) {
  const std::string file = Normal(FileName);
  auto it = std::find_if(FPackages.begin(), FPackages.end(), [&](const TPackage& p) { return p.FileName == file; });
  if (it == FPackages.end()) return false;
  const TPackage package = *it;
  FPackages.erase(it);
  Release(package);
  return true;
}

void TPackageLoader::UnloadAll() {
  while (!FPackages.empty()) {
    const TPackage package = FPackages.back();
    FPackages.pop_back();
    Release(package);
  }
}

std::string TPackageLoader::DefaultFolder() {
  const std::string exe = Application()->ExeName();
  if (exe.empty()) return {};
  return (std::filesystem::path(exe).parent_path() / "plugins").string();
}

}  // namespace host
