#include "host/qt/QtImages.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

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

QSize StateAndImageSize(const TImageList* StateImages, const TImageList* Images) {
  const int width = (StateImages ? StateImages->Width() : 0) + (Images ? Images->Width() : 0);
  const int height = std::max(StateImages ? StateImages->Height() : 0, Images ? Images->Height() : 0);
  return width > 0 ? QSize(width, height) : QSize(16, 16);
}

QIcon StateAndImageIcon(const TImageList* StateImages, int StateIndex, const TImageList* Images, int Index) {
  if (!StateImages) return IconOf(Images, Index);
  const QIcon state = IconOf(StateImages, StateIndex);
  const QIcon image = IconOf(Images, Index);
  if (state.isNull() && image.isNull()) return {};
  const QSize size = StateAndImageSize(StateImages, Images);
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QSize stateSize(StateImages->Width(), StateImages->Height());
  if (!state.isNull()) painter.drawPixmap(0, 0, state.pixmap(stateSize));
  if (!image.isNull()) painter.drawPixmap(stateSize.width(), 0, image.pixmap(QSize(Images->Width(), Images->Height())));
  painter.end();
  return QIcon(pixmap);
}

}  // namespace host::qt
