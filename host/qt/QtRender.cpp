#include "host/qt/QtRender.h"

#include <QCoreApplication>
#include <QPixmap>
#include <cstdlib>

#include "host/controls/Forms.h"
#include "host/core/SysUtils.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtFormPeer.h"

namespace host::qt {

bool HasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

void UseOffscreenPlatform(bool Always) {
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  if (chosen && *chosen) return;
  if (Always || !HasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");
}

QImage RenderForm(TCustomForm* Form) {
  Form->HandleNeeded();
  auto* peer = dynamic_cast<TQtFormPeer*>(Form->Peer());
  if (!peer) return {};
  // Let peers finish what they queued (sizes, layouts) before drawing.
  QCoreApplication::processEvents();
  QWidget* widget = peer->Window() ? peer->Window() : peer->ClientWidget();
  return widget->grab().toImage();
}

void SaveFormImage(TCustomForm* Form, const std::string& FileName) {
  const QImage image = RenderForm(Form);
  if (image.isNull() || !image.save(ToQ(FileName), "PNG"))
    throw EFCreateError(Format("Cannot create file \"%s\"", {FileName}));
}

}  // namespace host::qt
