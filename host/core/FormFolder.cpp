#include "host/core/FormFolder.h"

#include <filesystem>
#include <unordered_map>

namespace host {

namespace {

// Hears of the destruction of each form that has a folder, so that an entry
// never outlives its form.
class TFolderTable : public TComponent {
public:
  TFolderTable() : TComponent(nullptr) {}
  std::unordered_map<const TComponent*, std::string> Folders;

  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) Folders.erase(AComponent);
  }
};

TFolderTable& Table() {
  // Never destroyed: forms still alive at exit must not be told about a
  // table that is going away.
  static TFolderTable* table = new TFolderTable();
  return *table;
}

}  // namespace

void SetFormFolder(TComponent* Root, const std::string& Folder) {
  if (!Root) return;
  TFolderTable& t = Table();
  if (Folder.empty()) {
    if (t.Folders.erase(Root)) Root->RemoveFreeNotification(&t);
    return;
  }
  if (t.Folders.emplace(Root, Folder).second)
    Root->FreeNotification(&t);
  else
    t.Folders[Root] = Folder;
}

std::string FormFolder(const TComponent* Component) {
  const TFolderTable& t = Table();
  if (t.Folders.empty()) return {};
  for (const TComponent* c = Component; c; c = c->Owner()) {
    auto it = t.Folders.find(c);
    if (it != t.Folders.end()) return it->second;
  }
  return {};
}

std::string ExpandFormFileName(const TComponent* Component, const std::string& FileName) {
  if (FileName.empty()) return FileName;
  const std::filesystem::path p(FileName);
  if (p.is_absolute()) return FileName;
  const std::string folder = FormFolder(Component);
  if (folder.empty()) return FileName;
  return (std::filesystem::path(folder) / p).lexically_normal().string();
}

}  // namespace host
