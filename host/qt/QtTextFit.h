// Whether a control's caption fits the room the control gives it, as the
// widgetset draws it: measured on the control's widget, with its font
// (and the family its character set chose) and its style's margins. For
// tools that look for texts a translation made too long.
#pragma once

#include <string>

namespace host {
class TControl;
}

namespace host::qt {

struct TTextFit {
  int Needed = 0;     // pixels the caption needs
  int Available = 0;  // pixels the control gives it
  bool Wide = true;   // a width; false: a height (word-wrapped labels)
  bool Fits() const { return Needed <= Available; }
};

// Measures captions of labels (a fixed size: within it; sized to their
// text: within their parent; word-wrapped: within their height), buttons,
// check boxes, radio buttons and group box titles. False for any other
// control, and for one without a Qt peer (show its form first, see
// PrepareForMeasure).
bool MeasureCaption(const TControl* Control, TTextFit& Fit);

// Makes the peers of a form (TCustomForm or frame root) and lets them
// finish laying out, so that MeasureCaption sees what a window shows.
void PrepareForMeasure(TControl* Form);

}  // namespace host::qt
