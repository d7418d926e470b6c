#include "host/design/ToolsAPI.h"

namespace host {

namespace {
IIDEServices*& Services() {
  static IIDEServices* services = nullptr;
  return services;
}
}  // namespace

IIDEServices* IDEServices() { return Services(); }

void SetIDEServices(IIDEServices* Services_) { Services() = Services_; }

IOTAProject* GetActiveProject() {
  IIDEServices* services = IDEServices();
  IOTAModuleServices* modules = services ? services->ModuleServices() : nullptr;
  if (!modules) return nullptr;
  IOTAProject* candidate = nullptr;
  int projects = 0;
  for (int i = 0; i < modules->ModuleCount(); ++i) {
    IOTAModule* m = modules->Modules(i);
    if (auto* group = dynamic_cast<IOTAProjectGroup*>(m)) return group->ActiveProject();
    if (auto* project = dynamic_cast<IOTAProject*>(m)) {
      if (!candidate) candidate = project;
      ++projects;
    }
  }
  return projects == 1 ? candidate : nullptr;
}

}  // namespace host
