#include "apps/studio/Glyphs.h"

#include <QPainter>
#include <cctype>

#include "host/core/Object.h"

namespace ambit::studio {

QString GlyphLetters(const host::TClass& Class) {
  std::string name = Class.Name();
  if (name.size() > 1 && name[0] == 'T') name.erase(0, 1);
  QString letters;
  for (char c : name)
    if (std::isupper(static_cast<unsigned char>(c)) && letters.size() < 3) letters += QChar(c);
  if (letters.isEmpty() && !name.empty()) letters = QChar(std::toupper(static_cast<unsigned char>(name[0])));
  return letters;
}

QPixmap ClassGlyph(const host::TClass& Class, int Size) {
  QPixmap pixmap(Size, Size);
  pixmap.fill(Qt::transparent);
  // One calm hue per class, the same in every run.
  unsigned hash = 2166136261u;
  for (char c : Class.Name()) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  const QColor fill = QColor::fromHsl(static_cast<int>(hash % 360), 110, 200);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(fill.darker(170));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(0.5, 0.5, Size - 1, Size - 1), Size / 6.0, Size / 6.0);
  QFont font = p.font();
  const QString letters = GlyphLetters(Class);
  font.setPixelSize(std::max(7, Size * (letters.size() > 2 ? 3 : 4) / 10));
  font.setBold(true);
  p.setFont(font);
  p.setPen(fill.darker(300));
  p.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, letters);
  return pixmap;
}

}  // namespace ambit::studio
