#include "apps/studio/Studio.h"

#include <QCoreApplication>
#include <QPixmap>
#include <filesystem>

#include "apps/studio/DesignSurface.h"
#include "apps/studio/InspectorView.h"
#include "apps/studio/StudioWindow.h"
#include "host/core/CaseFold.h"
#include "host/design/DesignEnvironment.h"
#include "runtime/AmbitRegister.h"
#ifdef AMBIT_WITH_SQLITE
#include "host/data/sqlite/SQLiteConnection.h"
#endif

namespace ambit::studio {

using namespace host;

namespace {

void SavePicture(QWidget* Widget, const std::string& FileName) {
  QCoreApplication::processEvents();
  const QImage image = Widget->grab().toImage();
  if (image.isNull() || !image.save(QString::fromStdString(FileName), "PNG"))
    throw EFCreateError(Format("Cannot create file \"%s\"", {FileName}));
}

}  // namespace

TStudio::TStudio(const TStudioOptions& Options) {
  // Forms of the suite's projects hold its run-time components and may
  // hold database connections.
  RegisterAmbitClasses();
#ifdef AMBIT_WITH_SQLITE
  RegisterSQLiteClasses();
#endif
  FEnvironment = std::make_unique<TDesignEnvironment>();
  // Wizards look for the Tools menu while they register.
  FEnvironment->CreateMainMenu();
  for (const std::string& p : Options.Packages) FEnvironment->Packages().Load(p);
  if (Options.DefaultPackages) FEnvironment->Packages().LoadFolder(TPackageLoader::DefaultFolder());
  FWindow = std::make_unique<TStudioWindow>(*FEnvironment);
  for (const std::string& f : Options.Files) Open(f);
}

TStudio::~TStudio() {
  FWindow.reset();
  FEnvironment.reset();
}

bool TStudio::Open(const std::string& FileName) {
  if (!FEnvironment->OpenFile(FileName)) return false;
  auto* project = dynamic_cast<IOTAProject*>(FEnvironment->FindModule(FileName));
  if (!project) return true;
  FEnvironment->OpenProjectForms(project);
  // The project's first form comes up, as the application starts with it.
  for (int i = 0; i < project->GetModuleCount(); ++i)
    if (IOTAModuleInfo* info = project->GetModule(i); info && !info->FormName().empty())
      if (IOTAModule* m = FEnvironment->FindModule(info->FileName())) {
        FEnvironment->ShowModule(m);
        break;
      }
  return true;
}

TFormModule* TStudio::FormModule(const std::string& FormName) const {
  for (TFormModule* m : FEnvironment->FormModules())
    if (SameText(m->Root()->Name(), FormName)) return m;
  return nullptr;
}

TComponent* TStudio::Find(const std::string& Path) const {
  const std::size_t dot = Path.find('.');
  TFormModule* module = FormModule(Path.substr(0, dot));
  if (!module) return nullptr;
  if (dot == std::string::npos) return module->Root();
  return module->Designer()->GetComponent(Path);
}

bool TStudio::Select(const std::string& Path) {
  TComponent* component = Find(Path);
  if (!component) return false;
  TFormModule* module = FormModule(Path.substr(0, Path.find('.')));
  FEnvironment->ShowModule(module);
  module->Designer()->SelectComponent(component);
  return true;
}

void TStudio::Render(const std::string& Folder) {
  std::error_code ec;
  std::filesystem::create_directories(Folder, ec);
  const std::filesystem::path dir(Folder);
  FWindow->show();
  TDesignSurface* shown = FWindow->CurrentSurface();
  // Each surface is drawn while its tab is up, as a user sees it.
  for (TFormModule* m : FEnvironment->FormModules()) {
    FEnvironment->ShowModule(m);
    if (TDesignSurface* s = FWindow->SurfaceOf(m->Root()))
      SavePicture(s->Frame(), (dir / (m->Root()->Name() + ".png")).string());
  }
  if (shown && shown->Module()) FEnvironment->ShowModule(shown->Module());
  SavePicture(FWindow.get(), (dir / "studio.png").string());
  SavePicture(FWindow->Inspector(), (dir / "inspector.png").string());
}

}  // namespace ambit::studio
