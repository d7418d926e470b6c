// Pictures of forms: a form's window (menu bar and client area, without
// the desktop's frame) drawn into an image, so that a form can be looked
// at without a desktop. The form need not be shown: its peers are made
// and drawn offscreen.
#pragma once

#include <QImage>
#include <string>

namespace host {
class TCustomForm;
}

namespace host::qt {

// True when a desktop is there to show windows on.
bool HasDisplay();
// Before the QApplication exists: picks Qt's offscreen platform unless
// the caller chose a platform (QT_QPA_PLATFORM) or Always is false and a
// display is there.
void UseOffscreenPlatform(bool Always);

// The largest picture drawn: a side and the whole (a picture takes four
// bytes per pixel in memory).
constexpr int MaxPictureSide = 16384;
constexpr int MaxPicturePixels = 64 * 1000 * 1000;

// Draws the form as its window would show it (the widgetset must be
// installed). Creates the form's peers when it has none yet. Raises
// host::Exception, saying so, for a form larger than a picture may be.
QImage RenderForm(TCustomForm* Form);
// The same, written to FileName as PNG through an atomic rewrite; raises
// host::EFCreateError when the file cannot be written (and then leaves
// no picture, nor a part of one, behind).
void SaveFormImage(TCustomForm* Form, const std::string& FileName);

}  // namespace host::qt
