#include "apps/studio/StudioWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "apps/studio/DesignSurface.h"
#include "apps/studio/InspectorView.h"
#include "apps/studio/PaletteBar.h"
#include "apps/studio/StructureTree.h"
#include "host/controls/Menus.h"
#include "host/design/DesignEnvironment.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtMenuPeer.h"

namespace ambit::studio {

using namespace host;

TStudioWindow::TStudioWindow(TDesignEnvironment& Environment, QWidget* Parent)
    : QWidget(Parent), FEnvironment(Environment) {
  setObjectName("StudioWindow");
  setWindowTitle("Studio");
  resize(1180, 760);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  // The bar belongs to the menu's peer; the window only shows it.
  TMainMenu* menu = FEnvironment.CreateMainMenu();
  menu->HandleNeeded();
  if (auto* peer = dynamic_cast<qt::TQtMenuPeer*>(menu->Peer())) {
    FMenuBar = peer->MenuBar();
    layout->setMenuBar(FMenuBar);
  }

  FPalette = new TPaletteBar(this);
  layout->addWidget(FPalette);

  auto* split = new QSplitter(Qt::Horizontal, this);
  auto* left = new QSplitter(Qt::Vertical, split);
  FTree = new TStructureTree(left);
  FInspector = new TInspectorView(left);
  left->setSizes({220, 440});
  FForms = new QTabWidget(split);
  FForms->setObjectName("Forms");
  FForms->setTabsClosable(true);
  FForms->setDocumentMode(true);
  split->setSizes({300, 880});
  split->setStretchFactor(1, 1);
  layout->addWidget(split, 1);

  FStatus = new QLabel(this);
  FStatus->setObjectName("Status");
  FStatus->setContentsMargins(6, 2, 6, 2);
  layout->addWidget(FStatus);

  FPalette->SetOnArmed([this](const TClass* Class) {
    for (int i = 0; i < FForms->count(); ++i)
      if (auto* s = dynamic_cast<TDesignSurface*>(FForms->widget(i))) s->SetArmedClass(Class);
  });
  FPalette->SetOnAdd([this](const TClass& Class) {
    if (TDesignSurface* s = CurrentSurface(); s && s->Designer()) {
      try {
        s->Designer()->AddComponent(Class);
      } catch (const std::exception& e) {
        ShowDesignError(e.what());
      }
    }
  });
  connect(FForms, &QTabWidget::currentChanged, this, [this] { CurrentTabChanged(); });
  connect(FForms, &QTabWidget::tabCloseRequested, this, [this](int Index) {
    if (auto* s = dynamic_cast<TDesignSurface*>(FForms->widget(Index)); s && s->Module())
      FEnvironment.CloseModule(s->Module(), false);
  });

  FSubscription = FEnvironment.Subscribe(
      [this](TEnvironmentChange Change, IOTAModule* Module) { EnvironmentChanged(Change, Module); });
  for (TFormModule* m : FEnvironment.FormModules()) AddSurface(m);
  ShowModule(FEnvironment.CurrentModule());
  UpdateStatus();
}

TStudioWindow::~TStudioWindow() {
  FEnvironment.Unsubscribe(FSubscription);
  FTree->SetDesigner(nullptr);
  FInspector->SetDesigner(nullptr);
  // The forms' peers go before the surfaces that show them.
  for (int i = 0; i < FForms->count(); ++i)
    if (auto* s = dynamic_cast<TDesignSurface*>(FForms->widget(i))) s->Detach();
  if (FMenuBar) {
    layout()->setMenuBar(nullptr);
    FMenuBar->hide();
    FMenuBar->setParent(nullptr);
  }
}

TDesignSurface* TStudioWindow::SurfaceOf(const TComponent* Root) const {
  for (int i = 0; i < FForms->count(); ++i)
    if (auto* s = dynamic_cast<TDesignSurface*>(FForms->widget(i)); s && s->Root() == Root) return s;
  return nullptr;
}

TDesignSurface* TStudioWindow::CurrentSurface() const {
  return dynamic_cast<TDesignSurface*>(FForms->currentWidget());
}

int TStudioWindow::TabOf(const IOTAModule* Module) const {
  for (int i = 0; i < FForms->count(); ++i)
    if (auto* s = dynamic_cast<TDesignSurface*>(FForms->widget(i)); s && s->Module() == Module) return i;
  return -1;
}

void TStudioWindow::EnvironmentChanged(int Change, IOTAModule* Module) {
  switch (static_cast<TEnvironmentChange>(Change)) {
    case ecOpened:
      if (auto* form = dynamic_cast<TFormModule*>(Module)) AddSurface(form);
      break;
    case ecClosing: RemoveSurface(Module); break;
    case ecShown: ShowModule(Module); break;
    case ecModified:
    case ecRenamed:
    case ecDesigner: UpdateTabs(); break;
  }
  UpdateStatus();
}

void TStudioWindow::AddSurface(TFormModule* Module) {
  if (TabOf(Module) >= 0) return;
  auto* surface = new TDesignSurface(Module);
  surface->SetArmedClass(FPalette->Armed());
  surface->SetOnPlaced([this] { FPalette->Disarm(); });
  FSwitching = true;
  FForms->addTab(surface, QString());
  FSwitching = false;
  UpdateTabs();
}

void TStudioWindow::RemoveSurface(IOTAModule* Module) {
  const int tab = TabOf(Module);
  if (tab < 0) return;
  auto* surface = static_cast<TDesignSurface*>(FForms->widget(tab));
  if (FTree->Designer() == surface->Designer()) FTree->SetDesigner(nullptr);
  surface->Detach();
  FForms->removeTab(tab);
  // A closing form may be closed from one of the surface's own handlers.
  surface->deleteLater();
}

void TStudioWindow::ShowModule(IOTAModule* Module) {
  const int tab = TabOf(Module);
  if (tab >= 0 && FForms->currentIndex() != tab) {
    FSwitching = true;
    FForms->setCurrentIndex(tab);
    FSwitching = false;
  }
  TDesignSurface* surface = CurrentSurface();
  FTree->SetDesigner(surface ? surface->Designer() : nullptr);
  FInspector->SetDesigner(surface ? surface->Designer() : nullptr);
}

void TStudioWindow::CurrentTabChanged() {
  TDesignSurface* surface = CurrentSurface();
  if (!FSwitching && surface && surface->Module()) {
    FEnvironment.ShowModule(surface->Module());
    return;
  }
  FTree->SetDesigner(surface ? surface->Designer() : nullptr);
  FInspector->SetDesigner(surface ? surface->Designer() : nullptr);
  UpdateStatus();
}

void TStudioWindow::UpdateTabs() {
  for (int i = 0; i < FForms->count(); ++i) {
    auto* s = dynamic_cast<TDesignSurface*>(FForms->widget(i));
    if (!s || !s->Module()) continue;
    // A modified form shows a star, as editors do.
    FForms->setTabText(i, QString::fromStdString(s->Root()->Name() + (s->Module()->IsModified() ? "*" : "")));
    FForms->setTabToolTip(i, QString::fromStdString(s->Module()->FileName()));
  }
}

void TStudioWindow::UpdateStatus() {
  QString title = "Studio";
  if (IOTAProject* project = GetActiveProject())
    title += " - " + QString::fromStdString(std::filesystem::path(project->FileName()).filename().string());
  setWindowTitle(title);
  TDesignSurface* s = CurrentSurface();
  if (!s || !s->Module()) {
    FStatus->setText("No form open");
    return;
  }
  FStatus->setText(QString::fromStdString(s->Module()->FileName()) + (s->Module()->IsModified() ? "  (modified)" : ""));
}

void TStudioWindow::closeEvent(QCloseEvent* Event) {
  // Modified forms ask first; a cancel keeps studio open.
  if (!FEnvironment.CloseAllModules(false)) {
    Event->ignore();
    return;
  }
  Event->accept();
  if (FOnClosed) FOnClosed();
}

void TStudioWindow::keyPressEvent(QKeyEvent* Event) {
  // The menu only shows its shortcuts; the model runs them.
  const TShortCut shortcut = ShortCut(qt::ToVirtualKey(Event), qt::ToShiftState(Event->modifiers()));
  if (TMainMenu* menu = FEnvironment.MainMenu(); menu && shortcut != 0 && menu->IsShortCut(shortcut)) {
    Event->accept();
    return;
  }
  QWidget::keyPressEvent(Event);
}

}  // namespace ambit::studio
