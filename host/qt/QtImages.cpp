#include "host/qt/QtImages.h"

#include <QPixmap>

#include "host/controls/ImgList.h"

namespace host::qt {

QIcon IconOf(const TImageList* Images, int Index) {
  if (!Images || Index < 0 || Index >= Images->Count()) return {};
  const auto& data = Images->Image(Index);
  QPixmap pixmap;
  if (!pixmap.loadFromData(data.data(), static_cast<uint>(data.size()))) return {};
  if (pixmap.width() != Images->Width() || pixmap.height() != Images->Height())
    pixmap = pixmap.scaled(Images->Width(), Images->Height(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return QIcon(pixmap);
}

}  // namespace host::qt
