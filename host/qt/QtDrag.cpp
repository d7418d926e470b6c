#include "host/qt/QtDrag.h"

namespace host::qt {

namespace {
TControl* gSource = nullptr;
}

const char* TQtDrag::MimeType() { return "application/x-ambit-drag"; }
void TQtDrag::Start(TControl* Source) { gSource = Source; }
TControl* TQtDrag::Source() { return gSource; }
void TQtDrag::Clear() { gSource = nullptr; }

}  // namespace host::qt
