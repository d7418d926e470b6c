// Conversions between the models' values and Qt's: texts, fonts with their
// character set, colours, alignment, reading order and keys.
#pragma once

#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QString>
#include <Qt>
#include <string>
#include <string_view>

#include "host/controls/ControlTypes.h"
#include "host/core/Graphics.h"

class QKeyEvent;
class QWidget;

namespace host::qt {

inline QString ToQ(const std::string& S) { return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size())); }
inline std::string FromQ(const QString& S) { return S.toStdString(); }

// A caption for widgets that show "&" literally: the access-key markers go.
QString PlainCaption(const std::string& Caption);
// Models break lines with CR LF; Qt wants LF.
QString MultiLine(std::string_view Text);
// A multi-line hint becomes a tooltip of several lines.
QString ToolTipText(const std::string& Hint);

// The font as the model describes it: name, height in pixels (negative:
// character height, positive: cell height), style, and a family that can
// write the character set's script when the named one cannot.
QFont ToQFont(const TFont& Font);
// The script a character set stands for; QFontDatabase::Any when none.
int WritingSystemOf(TFontCharset Charset);

// An explicit colour; invalid for the system colours, which the widget's
// palette already has.
QColor ToQColor(TColor Color);
// Background and text colours of a control on its widget's palette.
void ApplyColors(QWidget* Widget, TColor Background, TColor Text);

Qt::Alignment ToQAlignment(TAlignment Alignment);
Qt::Alignment ToQAlignment(TAlignment Alignment, TTextLayout Layout);
// Right-to-left layout for bdRightToLeft; the other right-to-left modes
// keep the layout and let Qt find the reading order from the text.
Qt::LayoutDirection ToQDirection(TBiDiMode Mode);

// Keys: the host's virtual key code of a Qt key (0 when there is none),
// the shift state, and the character a key press types (0 when none).
TKey ToVirtualKey(const QKeyEvent* Event);
TShiftState ToShiftState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = Qt::NoButton);
char ToKeyChar(const QKeyEvent* Event);
TMouseButton ToMouseButton(Qt::MouseButton Button);
// A host shortcut as a Qt key sequence.
QKeySequence ToQKeySequence(TShortCut ShortCut);

}  // namespace host::qt
