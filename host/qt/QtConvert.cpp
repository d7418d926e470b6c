#include "host/qt/QtConvert.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPalette>
#include <QPointer>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "host/controls/Menus.h"

namespace host::qt {

QString PlainCaption(const std::string& Caption) { return ToQ(StripHotkey(Caption)); }

QString MultiLine(std::string_view Text) {
  QString s = QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
  // Most texts hold no carriage return: they are taken as they stand.
  if (Text.find('\r') == std::string_view::npos) return s;
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

QString ToolTipText(const std::string& Hint) {
  // A hint may carry a status-bar part after "|"; the tooltip shows the first.
  return MultiLine(std::string_view(Hint).substr(0, Hint.find('|')));
}

int WritingSystemOf(TFontCharset Charset) {
  switch (Charset) {
    case ARABIC_CHARSET: return QFontDatabase::Arabic;
    case HEBREW_CHARSET: return QFontDatabase::Hebrew;
    case RUSSIAN_CHARSET: return QFontDatabase::Cyrillic;
    case GREEK_CHARSET: return QFontDatabase::Greek;
    case THAI_CHARSET: return QFontDatabase::Thai;
    case VIETNAMESE_CHARSET: return QFontDatabase::Vietnamese;
    case SHIFTJIS_CHARSET: return QFontDatabase::Japanese;
    case HANGEUL_CHARSET:
    case JOHAB_CHARSET: return QFontDatabase::Korean;
    case GB2312_CHARSET: return QFontDatabase::SimplifiedChinese;
    case CHINESEBIG5_CHARSET: return QFontDatabase::TraditionalChinese;
    case SYMBOL_CHARSET: return QFontDatabase::Symbol;
    case ANSI_CHARSET:
    case TURKISH_CHARSET:
    case BALTIC_CHARSET:
    case EASTEUROPE_CHARSET: return QFontDatabase::Latin;
    default: return QFontDatabase::Any;
  }
}

namespace {
// The first installed family that writes the script, preferring the
// application's own font; empty when none does.
QString FamilyFor(QFontDatabase::WritingSystem System, const QString& Wanted) {
  const QStringList families = QFontDatabase::families(System);
  if (families.isEmpty()) return {};
  for (const QString& f : families)
    if (f.compare(Wanted, Qt::CaseInsensitive) == 0) return f;
  const QString app = QFont().family();
  for (const QString& f : families)
    if (f.compare(app, Qt::CaseInsensitive) == 0) return f;
  return families.front();
}
}  // namespace

QFont ToQFont(const TFont& Font) {
  QFont f;
  const QString name = ToQ(Font.Name());
  QStringList families;
  if (!name.isEmpty()) families << name;
  const auto system = static_cast<QFontDatabase::WritingSystem>(WritingSystemOf(Font.Charset()));
  if (system != QFontDatabase::Any && system != QFontDatabase::Latin) {
    const bool writes = QFontDatabase::writingSystems(name).contains(system);
    if (!writes) {
      const QString fallback = FamilyFor(system, name);
      if (!fallback.isEmpty()) families << fallback;
    }
  }
  if (!families.isEmpty()) f.setFamilies(families);
  // The host's negative height is the character height, which is Qt's
  // pixel size; a positive one includes the internal leading.
  const int h = Font.Height();
  if (h < 0)
    f.setPixelSize(-h);
  else if (h > 0)
    f.setPixelSize(std::max(1, h * 5 / 6));
  const TFontStyles style = Font.Style();
  f.setBold(style.Contains(fsBold));
  f.setItalic(style.Contains(fsItalic));
  f.setUnderline(style.Contains(fsUnderline));
  f.setStrikeOut(style.Contains(fsStrikeOut));
  return f;
}

QColor ToQColor(TColor Color) {
  if (Color < 0) return {};  // a system colour: the high bit is set
  const auto c = static_cast<std::uint32_t>(Color);
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

namespace {
// A style's standard palette, made once per style: Fusion derives it
// colour by colour, and every control asks for it when its colours change.
const QPalette& StandardPalette(QStyle* Style) {
  static QPointer<QStyle> style;
  static QPalette palette;
  if (style.isNull() || style.data() != Style) {
    palette = Style->standardPalette();
    style = Style;
  }
  return palette;
}
}  // namespace

void ApplyColors(QWidget* Widget, TColor Background, TColor Text) {
  const QPalette defaults = Widget->style() ? StandardPalette(Widget->style()) : QPalette();
  const QColor bg = ToQColor(Background);
  const QColor fg = ToQColor(Text);
  const std::pair<QPalette::ColorRole, QColor> colors[] = {
      {QPalette::Window, bg}, {QPalette::WindowText, fg}, {QPalette::Text, fg}, {QPalette::ButtonText, fg}};
  // A widget that inherits these colours already is left without a palette
  // of its own. One of its own, even of the same colours, makes Qt give
  // each child a palette of its own too, and with it a cache key of its
  // own in the style's cached pictures: every button would be drawn from a
  // picture of its own, or from scratch once they outgrow the cache.
  // The peers follow a parent's later change of palette (TQtControlPeer's
  // PaletteChange), which would otherwise reach this widget unasked.
  // A system colour is the style's in each group, so that disabled texts
  // stay greyed; a colour of the control's own holds in every group.
  QPalette p = Widget->palette();
  bool inherited = !Widget->testAttribute(Qt::WA_SetPalette);
  for (const auto& [role, color] : colors)
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      const QColor c = color.isValid() ? color : defaults.color(group, role);
      inherited = inherited && p.color(group, role) == c;
      p.setColor(group, role, c);
    }
  if (!inherited) Widget->setPalette(p);
  Widget->setAutoFillBackground(bg.isValid());
}

Qt::Alignment ToQAlignment(TAlignment Alignment) {
  // Without Qt::AlignAbsolute, left and right swap in a right-to-left
  // layout, as the host's alignment does under bdRightToLeft.
  switch (Alignment) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

Qt::Alignment ToQAlignment(TAlignment Alignment, TTextLayout Layout) {
  Qt::Alignment v = Qt::AlignTop;
  if (Layout == tlCenter) v = Qt::AlignVCenter;
  if (Layout == tlBottom) v = Qt::AlignBottom;
  return ToQAlignment(Alignment) | v;
}

Qt::LayoutDirection ToQDirection(TBiDiMode Mode) {
  return Mode == bdRightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
}

TKey ToVirtualKey(const QKeyEvent* Event) {
  const int k = Event->key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<TKey>('A' + (k - Qt::Key_A));
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<TKey>('0' + (k - Qt::Key_0));
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<TKey>(VK_F1 + (k - Qt::Key_F1));
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
  }
}

TShiftState ToShiftState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
  TShiftState s;
  if (Modifiers & Qt::ShiftModifier) s.Include(ssShift);
  if (Modifiers & Qt::AltModifier) s.Include(ssAlt);
  if (Modifiers & Qt::ControlModifier) s.Include(ssCtrl);
  if (Buttons & Qt::LeftButton) s.Include(ssLeft);
  if (Buttons & Qt::RightButton) s.Include(ssRight);
  if (Buttons & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

char ToKeyChar(const QKeyEvent* Event) {
  const QString text = Event->text();
  if (text.size() != 1) return 0;
  const QChar c = text.front();
  // The models' key press carries one byte: printable ASCII and the
  // control characters (Enter, Escape, Backspace, Tab).
  if (c.unicode() < 0x80) return static_cast<char>(c.unicode());
  return 0;
}

TMouseButton ToMouseButton(Qt::MouseButton Button) {
  if (Button == Qt::RightButton) return mbRight;
  if (Button == Qt::MiddleButton) return mbMiddle;
  return mbLeft;
}

QKeySequence ToQKeySequence(TShortCut ShortCut) {
  if (ShortCut == scNone) return {};
  // The host's own text ("Ctrl+S", "Shift+F2") is what Qt reads too.
  return QKeySequence(ToQ(ShortCutToText(ShortCut)), QKeySequence::PortableText);
}

}  // namespace host::qt
