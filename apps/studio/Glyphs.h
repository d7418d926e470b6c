// Pictures studio draws itself: the glyph of a component class, shown on
// its palette button and as the icon of a component that is no control.
#pragma once

#include <QPixmap>
#include <QString>

namespace host {
class TClass;
}

namespace ambit::studio {

// The capitals of the class name after its leading T, at most three
// ("TAmFormLocalizer" gives "AFL").
QString GlyphLetters(const host::TClass& Class);
// A square of Size pixels: the letters on a colour of the class's own.
QPixmap ClassGlyph(const host::TClass& Class, int Size);

}  // namespace ambit::studio
