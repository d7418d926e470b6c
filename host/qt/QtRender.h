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

// Draws the form as its window would show it (the widgetset must be
// installed). Creates the form's peers when it has none yet.
QImage RenderForm(TCustomForm* Form);
// The same, written to FileName as PNG; raises host::EFCreateError when
// the file cannot be written.
void SaveFormImage(TCustomForm* Form, const std::string& FileName);

}  // namespace host::qt
