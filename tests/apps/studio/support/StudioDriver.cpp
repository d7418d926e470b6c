#include "tests/apps/studio/support/StudioDriver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <stdexcept>

#include "apps/studio/DesignOverlay.h"
#include "apps/studio/DesignSurface.h"
#include "apps/studio/InspectorView.h"
#include "apps/studio/PaletteBar.h"
#include "apps/studio/Studio.h"
#include "apps/studio/StudioWindow.h"
#include "host/controls/Menus.h"
#include "host/controls/ScriptedDialogs.h"
#include "host/design/DesignEnvironment.h"
#include "host/qt/QtMenuPeer.h"
#include "host/qt/QtRender.h"
#include "host/qt/QtWidgetSet.h"

namespace ambit::studio::test {

using namespace host;

namespace {

// One widgetset for the whole test program, gone before Qt's statics.
qt::TQtWidgetSet* gWidgetSet = nullptr;

class TWidgetSetEnvironment : public ::testing::Environment {
public:
  void TearDown() override {
    delete gWidgetSet;
    gWidgetSet = nullptr;
  }
};
[[maybe_unused]] ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new TWidgetSetEnvironment);

[[noreturn]] void Fail(const std::string& What) { throw std::runtime_error(What); }

std::string Plain(const QString& Caption) { return Caption.toStdString(); }

void SendMouse(QWidget* Widget, QEvent::Type Type, QPoint Pos, Qt::MouseButton Button, Qt::MouseButtons Buttons,
               Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
  QMouseEvent event(Type, QPointF(Pos), QPointF(Widget->mapToGlobal(Pos)), Button, Buttons, Modifiers);
  QApplication::sendEvent(Widget, &event);
}

void PressKey(QWidget* Widget, int Key) {
  QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier);
  QApplication::sendEvent(Widget, &press);
  QKeyEvent release(QEvent::KeyRelease, Key, Qt::NoModifier);
  QApplication::sendEvent(Widget, &release);
}

}  // namespace

TStudioDriver::TStudioDriver(const std::vector<std::string>& Plugins) {
  if (!gWidgetSet) gWidgetSet = new qt::TQtWidgetSet;
  FDialogs = std::make_unique<TScriptedDialogs>();
  TStudioOptions options;
  options.Packages = Plugins;
  options.DefaultPackages = false;
  FStudio = std::make_unique<TStudio>(options);
  Window().show();
  Flush();
}

TStudioDriver::~TStudioDriver() {
  FStudio.reset();
  Flush();
  FDialogs.reset();
  std::error_code ec;
  for (const auto& dir : FScratch) std::filesystem::remove_all(dir, ec);
}

TStudioWindow& TStudioDriver::Window() const { return FStudio->Window(); }
TInspectorView& TStudioDriver::Inspector() const { return *Window().Inspector(); }
TDesignEnvironment& TStudioDriver::Environment() const { return FStudio->Environment(); }

void TStudioDriver::Flush() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

// ---- files ------------------------------------------------------------------------------

std::filesystem::path TStudioDriver::ScratchFolder() {
  static int counter = 0;
  const auto dir = std::filesystem::temp_directory_path() /
                   ("ambit_studio_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  FScratch.push_back(dir);
  return dir;
}

std::filesystem::path TStudioDriver::OpenSampleCopy(const std::string& Project) {
  const std::filesystem::path dir = ScratchFolder();
  std::filesystem::copy(std::filesystem::path(AMBIT_SOURCE_DIR) / "examples" / "sample", dir,
                        std::filesystem::copy_options::recursive);
  Open((dir / Project).string());
  return dir;
}

void TStudioDriver::Open(const std::string& FileName) {
  const std::size_t errors = FDialogs->Messages().size();
  if (!FStudio->Open(FileName))
    Fail("cannot open " + FileName + (FDialogs->Messages().size() > errors ? ": " + FDialogs->Messages().back().Msg
                                                                            : std::string()));
  Flush();
}

// ---- components and surfaces ----------------------------------------------------------

TComponent* TStudioDriver::Find(const std::string& Path) const {
  TComponent* c = FStudio->Find(Path);
  if (!c) Fail("no component " + Path + " is open");
  return c;
}

TFormModule& TStudioDriver::Form(const std::string& FormName) const {
  TFormModule* m = FStudio->FormModule(FormName);
  if (!m) Fail("no form " + FormName + " is open");
  return *m;
}

TDesignSurface& TStudioDriver::Surface(const std::string& FormName) {
  TFormModule& module = Form(FormName);
  Environment().ShowModule(&module);
  Flush();
  TDesignSurface* s = Window().SurfaceOf(module.Root());
  if (!s) Fail("the form " + FormName + " has no surface");
  return *s;
}

QPoint TStudioDriver::PointOf(const std::string& Path) {
  TComponent* c = Find(Path);
  TDesignOverlay* overlay = Surface(Path.substr(0, Path.find('.'))).Overlay();
  const QRect r = overlay->RectOf(c);
  if (!r.isValid()) Fail(Path + " has no place on its surface");
  return r.center();
}

// ---- the mouse -------------------------------------------------------------------------

void TStudioDriver::Click(const std::string& Path, Qt::KeyboardModifiers Modifiers) {
  const QPoint p = PointOf(Path);
  QWidget* overlay = Surface(Path.substr(0, Path.find('.'))).Overlay();
  SendMouse(overlay, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, Modifiers);
  SendMouse(overlay, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, Modifiers);
  Flush();
}

void TStudioDriver::DoubleClick(const std::string& Path) {
  const QPoint p = PointOf(Path);
  QWidget* overlay = Surface(Path.substr(0, Path.find('.'))).Overlay();
  SendMouse(overlay, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
  SendMouse(overlay, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  SendMouse(overlay, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
  SendMouse(overlay, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  Flush();
}

void TStudioDriver::Drag(const std::string& Path, int DeltaX, int DeltaY, int Handle) {
  TDesignOverlay* overlay = Surface(Path.substr(0, Path.find('.'))).Overlay();
  Click(Path);
  const QPoint from = Handle >= 0 ? TDesignOverlay::HandleRect(overlay->RectOf(Find(Path)), Handle).center()
                                  : PointOf(Path);
  const QPoint to = from + QPoint(DeltaX, DeltaY);
  SendMouse(overlay, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  // In steps, as a hand moves.
  for (int i = 1; i <= 4; ++i)
    SendMouse(overlay, QEvent::MouseMove, from + (to - from) * i / 4, Qt::NoButton, Qt::LeftButton);
  SendMouse(overlay, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  Flush();
}

std::vector<std::string> TStudioDriver::ContextMenu(const std::string& Path) {
  const QPoint p = PointOf(Path);
  TDesignOverlay* overlay = Surface(Path.substr(0, Path.find('.'))).Overlay();
  SendMouse(overlay, QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton);
  SendMouse(overlay, QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton);
  Flush();
  auto* peer = dynamic_cast<qt::TQtMenuPeer*>(overlay->ContextMenu()->Peer());
  if (!peer || !peer->PopupMenu() || !peer->PopupMenu()->isVisible()) Fail("no context menu came up for " + Path);
  std::vector<std::string> captions;
  for (QAction* a : peer->PopupMenu()->actions()) captions.push_back(a->isSeparator() ? "-" : Plain(a->text()));
  return captions;
}

void TStudioDriver::PickVerb(const std::string& Path, const std::string& Caption) {
  ContextMenu(Path);
  TDesignOverlay* overlay = Surface(Path.substr(0, Path.find('.'))).Overlay();
  QMenu* menu = dynamic_cast<qt::TQtMenuPeer*>(overlay->ContextMenu()->Peer())->PopupMenu();
  QAction* action = MenuAction(menu, Caption);
  menu->hide();
  action->trigger();
  Flush();
}

TComponent* TStudioDriver::DropFromPalette(const std::string& ClassName, const std::string& FormName, int X, int Y) {
  TDesignSurface& surface = Surface(FormName);
  QAbstractButton* button = Window().Palette()->ButtonOf(ClassName);
  if (!button) Fail(ClassName + " is on no palette page");
  button->click();
  const QPoint p = surface.Overlay()->ClientOrigin() + QPoint(X, Y);
  SendMouse(surface.Overlay(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
  SendMouse(surface.Overlay(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  Flush();
  const auto selection = surface.Designer()->GetSelections();
  auto* placed = selection.size() == 1 ? As<TComponent>(selection.front()) : nullptr;
  if (!placed || placed->ClassName() != ClassName) Fail("no " + ClassName + " was placed on " + FormName);
  return placed;
}

// ---- the main menu ---------------------------------------------------------------------

QAction* TStudioDriver::MenuAction(QWidget* Container, const std::string& Caption) const {
  for (QAction* a : Container->actions())
    if (!a->isSeparator() && Plain(a->text()) == Caption) return a;
  Fail("no menu item " + Caption);
}

void TStudioDriver::RunMenuItem(const std::string& Menu, const std::string& Caption) {
  QMenuBar* bar = Window().MenuBar();
  if (!bar) Fail("studio shows no main menu");
  QAction* top = MenuAction(bar, Menu);
  if (!top->menu()) Fail(Menu + " is no menu");
  // The host fires a parent item's click as its menu opens.
  emit top->menu()->aboutToShow();
  MenuAction(top->menu(), Caption)->trigger();
  Flush();
}

// ---- the object inspector ---------------------------------------------------------------

void TStudioDriver::SelectForInspector(const std::string& Path, const std::string& Property) {
  TComponent* c = Find(Path);
  Surface(Path.substr(0, Path.find('.'))).Designer()->SelectComponent(c);
  Flush();
  if (!Inspector().SelectRow(Property)) Fail("the inspector shows no " + Property + " for " + Path);
  Flush();
}

void TStudioDriver::TypeValue(const std::string& Path, const std::string& Property, const std::string& Text) {
  SelectForInspector(Path, Property);
  QLineEdit* edit = Inspector().ValueEdit();
  if (!edit || edit->isReadOnly()) Fail(Property + " of " + Path + " takes no typing");
  edit->setFocus();
  edit->selectAll();
  edit->insert(QString::fromStdString(Text));
  PressKey(edit, Qt::Key_Return);
  Flush();
}

std::vector<std::string> TStudioDriver::ValueList(const std::string& Path, const std::string& Property) {
  SelectForInspector(Path, Property);
  QComboBox* list = Inspector().ValueList();
  if (!list) Fail(Property + " of " + Path + " has no drop-down");
  list->showPopup();
  Flush();
  std::vector<std::string> entries;
  for (int i = 0; i < list->count(); ++i) entries.push_back(Plain(list->itemText(i)));
  list->hidePopup();
  return entries;
}

void TStudioDriver::ChooseValue(const std::string& Path, const std::string& Property, const std::string& Entry) {
  SelectForInspector(Path, Property);
  QComboBox* list = Inspector().ValueList();
  if (!list) Fail(Property + " of " + Path + " has no drop-down");
  list->showPopup();
  Flush();
  const int at = list->findText(QString::fromStdString(Entry), Qt::MatchExactly);
  if (at < 0) Fail(Entry + " is not in the drop-down of " + Property);
  // As the user does: the entry becomes current in the open list, Enter.
  list->view()->setCurrentIndex(list->model()->index(at, 0));
  PressKey(list->view(), Qt::Key_Return);
  Flush();
}

void TStudioDriver::ClickEllipsis(const std::string& Path, const std::string& Property) {
  SelectForInspector(Path, Property);
  QToolButton* button = Inspector().EllipsisButton();
  if (!button) Fail(Property + " of " + Path + " has no ellipsis button");
  button->click();
  Flush();
}

std::string TStudioDriver::ShownValue(const std::string& Path, const std::string& Property) {
  SelectForInspector(Path, Property);
  if (QLineEdit* edit = Inspector().ValueEdit()) return Plain(edit->text());
  return Plain(Inspector().ItemOf(Property)->text(1));
}

// ---- pictures -------------------------------------------------------------------------------

void TStudioDriver::SavePicture(QWidget* Widget, const std::string& FileName) {
  Flush();
  std::filesystem::create_directories(std::filesystem::path(FileName).parent_path());
  if (!Widget->grab().save(QString::fromStdString(FileName), "PNG")) Fail("cannot write " + FileName);
}

void TStudioDriver::SavePicture(TCustomForm* Form, const std::string& FileName) {
  std::filesystem::create_directories(std::filesystem::path(FileName).parent_path());
  qt::SaveFormImage(Form, FileName);
}

TStudioDriver::TRun TStudioDriver::RunProgram(const std::string& Args) {
  TRun run;
  const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + AMBIT_STUDIO_PROGRAM + "' " + Args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer{};
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) run.Output.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace ambit::studio::test
