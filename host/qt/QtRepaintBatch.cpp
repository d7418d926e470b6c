#include "host/qt/QtRepaintBatch.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <map>

namespace host::qt {

namespace {
// Up to this many held widgets are repainted one by one, as Qt would have
// done; more are painted through their parents.
constexpr std::size_t kOneByOne = 4;
bool gPosted = false;
}  // namespace

std::vector<QPointer<QWidget>>& TQtRepaintBatch::Widgets() {
  static std::vector<QPointer<QWidget>> widgets;
  return widgets;
}

int TQtRepaintBatch::Held() { return static_cast<int>(Widgets().size()); }

void TQtRepaintBatch::Hold(QWidget* Widget) {
  if (!Widget || Widget->isWindow() || !Widget->isVisible() || !Widget->updatesEnabled()) return;
  Widget->setAttribute(Qt::WA_UpdatesDisabled, true);
  Widgets().emplace_back(Widget);
  if (gPosted) return;
  gPosted = true;
  QMetaObject::invokeMethod(QCoreApplication::instance(), [] { Flush(); }, Qt::QueuedConnection);
}

void TQtRepaintBatch::Flush() {
  gPosted = false;
  std::vector<QPointer<QWidget>> held;
  held.swap(Widgets());
  // Many are painted through their parents, one rectangle per parent: the
  // parent draws what lies under and over each as the widget's own repaint
  // would. A widget that paints its whole ground is repainted itself: Qt
  // leaves such a widget out when only an ancestor repaints.
  std::map<QWidget*, QRect> areas;
  for (const QPointer<QWidget>& w : held) {
    if (!w) continue;
    w->setAttribute(Qt::WA_UpdatesDisabled, false);
    if (held.size() <= kOneByOne || w->autoFillBackground() || w->testAttribute(Qt::WA_OpaquePaintEvent))
      w->repaint();
    else
      areas[w->parentWidget()] |= w->geometry();
  }
  for (const auto& [parent, area] : areas) parent->repaint(area);
}

}  // namespace host::qt
