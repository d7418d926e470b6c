// Loading and unloading plug-ins (see DesignPackage.h for their side).
#pragma once

#include <string>
#include <vector>

namespace host {

class TPackageLoader {
public:
  struct TPackage {
    std::string FileName;
    int Id = 0;
    void* Handle = nullptr;
  };

  TPackageLoader() = default;
  // Unloads every package still loaded.
  ~TPackageLoader();
  TPackageLoader(const TPackageLoader&) = delete;
  TPackageLoader& operator=(const TPackageLoader&) = delete;

  // Loads a plug-in and runs its Register inside the package's scope. A
  // library that cannot be opened, exports no entry point, was built for
  // another design API or whose Register raises is reported through the
  // dialogs service, and whatever it registered is withdrawn; false then.
  // A library loaded already is not loaded twice.
  bool Load(const std::string& FileName);
  // Loads every plug-in ("*.so") of Folder in name order; a missing folder
  // loads nothing. Returns the number loaded.
  int LoadFolder(const std::string& Folder);
  // Unloads one package: its wizards are freed, its registrations
  // withdrawn, and only then is its library closed. Components of its
  // classes must be gone before (TDesignEnvironment::UnloadPackage closes
  // the forms first).
  bool Unload(const std::string& FileName);
  // Every package, newest first.
  void UnloadAll();
  const std::vector<TPackage>& Packages() const { return FPackages; }

  // The plug-in folder next to the program: "plugins" beside the
  // executable.
  static std::string DefaultFolder();

private:
  void Release(const TPackage& Package);
  std::vector<TPackage> FPackages;
};

}  // namespace host
