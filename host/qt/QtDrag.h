// Drag and drop between controls of the application. Qt carries a marker
// format only; the control being dragged is kept here, so that targets
// ask the model with the source's drag object.
#pragma once

namespace host {
class TControl;
}

namespace host::qt {

class TQtDrag {
public:
  // The MIME type of the marker.
  static const char* MimeType();
  // Source has begun dragging (BeginDrag); targets now hear of it.
  static void Start(TControl* Source);
  // The control being dragged; null when no drag of ours is running.
  static TControl* Source();
  // The drag ended (dropped, cancelled, or the source is going away).
  static void Clear();
};

}  // namespace host::qt
