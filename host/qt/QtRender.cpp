#include "host/qt/QtRender.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPixmap>
#include <cstdlib>

#include "host/controls/Forms.h"
#include "host/core/FileIO.h"
#include "host/core/SysUtils.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtFormPeer.h"
#include "host/qt/QtRepaintBatch.h"

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

namespace {
[[noreturn]] void TooLarge(const TCustomForm* Form, int Width, int Height) {
  throw Exception(Format("The form %s is %d x %d pixels: too large for a picture (at most %d x %d, and %d "
                         "million pixels); make the form smaller",
                         {Form->Name(), Width, Height, MaxPictureSide, MaxPictureSide, MaxPicturePixels / 1000000}));
}
void CheckPictureSize(const TCustomForm* Form, int Width, int Height) {
  if (Width > MaxPictureSide || Height > MaxPictureSide ||
      static_cast<long long>(Width) * Height > static_cast<long long>(MaxPicturePixels))
    TooLarge(Form, Width, Height);
}
}  // namespace

QImage RenderForm(TCustomForm* Form) {
  // Checked on the model first: a huge window is never made.
  CheckPictureSize(Form, Form->ClientWidth(), Form->ClientHeight());
  Form->HandleNeeded();
  auto* peer = dynamic_cast<TQtFormPeer*>(Form->Peer());
  if (!peer) return {};
  // Let peers finish what they queued (sizes, layouts) before drawing.
  QCoreApplication::processEvents();
  TQtRepaintBatch::Flush();
  QWidget* widget = peer->Window() ? peer->Window() : peer->ClientWidget();
  CheckPictureSize(Form, widget->width(), widget->height());
  return widget->grab().toImage();
}

void SaveImage(const QImage& Image, const std::string& FileName, const std::string& What) {
  // Encoded in memory and written like every other file, so a full disk is
  // reported and never leaves a cut picture behind.
  QByteArray png;
  QBuffer buffer(&png);
  if (Image.isNull() || !buffer.open(QIODevice::WriteOnly) || !Image.save(&buffer, "PNG"))
    throw EFCreateError(Format("Cannot draw %s into \"%s\"", {What, FileName}));
  WriteFileAtomic(FileName, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

void SaveFormImage(TCustomForm* Form, const std::string& FileName) {
  SaveImage(RenderForm(Form), FileName, "the form " + Form->Name());
}

}  // namespace host::qt
