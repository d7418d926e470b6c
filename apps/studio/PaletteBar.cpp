#include "apps/studio/PaletteBar.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QTabBar>
#include <QToolButton>

#include "apps/studio/Glyphs.h"
#include "host/design/DesignIntf.h"

namespace ambit::studio {

using namespace host;

namespace {
const char* const ClassProperty = "ambitPaletteClass";
constexpr int GlyphSize = 24;
}  // namespace

TPaletteBar::TPaletteBar(QWidget* Parent) : QTabWidget(Parent) {
  setObjectName("Palette");
  setDocumentMode(true);
  Reload();
}

void TPaletteBar::Reload() {
  Disarm();
  while (count() > 0) {
    QWidget* page = widget(0);
    removeTab(0);
    delete page;
  }
  delete FGroup;
  FGroup = new QButtonGroup(this);
  FGroup->setExclusive(true);
  for (const std::string& name : PalettePages()) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromStdString("PalettePage_" + name));
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    // The pointer gives up an armed class.
    auto* pointer = new QToolButton(page);
    pointer->setText(QString::fromUtf8("\u2196"));
    pointer->setToolTip("Select");
    pointer->setCheckable(true);
    pointer->setAutoRaise(true);
    pointer->setFixedSize(GlyphSize + 8, GlyphSize + 8);
    FGroup->addButton(pointer);
    connect(pointer, &QToolButton::clicked, this, [this] { Arm(nullptr); });
    row->addWidget(pointer);
    for (const TClass* cls : PaletteClasses(name)) {
      auto* button = new QToolButton(page);
      button->setObjectName(QString::fromStdString("Palette_" + cls->Name()));
      button->setIcon(QIcon(ClassGlyph(*cls, GlyphSize)));
      button->setIconSize(QSize(GlyphSize, GlyphSize));
      button->setFixedSize(GlyphSize + 8, GlyphSize + 8);
      button->setToolTip(QString::fromStdString(cls->Name()));
      button->setCheckable(true);
      button->setAutoRaise(true);
      button->setProperty(ClassProperty, QVariant::fromValue(static_cast<const void*>(cls)));
      button->installEventFilter(this);
      FGroup->addButton(button);
      connect(button, &QToolButton::clicked, this, [this, cls] { Arm(cls); });
      row->addWidget(button);
    }
    row->addStretch(1);
    addTab(page, QString::fromStdString(name));
  }
  setFixedHeight(tabBar()->sizeHint().height() + GlyphSize + 14);
}

QAbstractButton* TPaletteBar::ButtonOf(const std::string& ClassName) const {
  if (!FGroup) return nullptr;
  for (QAbstractButton* b : FGroup->buttons()) {
    const auto* cls = static_cast<const TClass*>(b->property(ClassProperty).value<const void*>());
    if (cls && cls->Name() == ClassName) return b;
  }
  return nullptr;
}

void TPaletteBar::Arm(const TClass* Class) {
  FArmed = Class;
  if (!Class && FGroup) {
    // No button stays down: the group lets go of its checked one.
    FGroup->setExclusive(false);
    for (QAbstractButton* b : FGroup->buttons()) b->setChecked(false);
    FGroup->setExclusive(true);
  }
  if (FOnArmed) FOnArmed(Class);
}

void TPaletteBar::Disarm() {
  if (FArmed) Arm(nullptr);
}

bool TPaletteBar::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::MouseButtonDblClick) {
    const auto* cls = static_cast<const TClass*>(Watched->property(ClassProperty).value<const void*>());
    if (cls) {
      Arm(nullptr);
      if (FOnAdd) FOnAdd(*cls);
      return true;
    }
  }
  return QTabWidget::eventFilter(Watched, Event);
}

}  // namespace ambit::studio
