// Holds back the repaints of shown widgets whose texts, fonts, colours or
// reading order change, and paints them together in the next event pass.
// Qt's repaint manager keeps one entry per dirty widget and weighs each
// against all its siblings, so a language switch that touches every
// button of a large form would cost time quadratic in the buttons; one
// repaint of the area they cover draws the same pixels at a linear cost.
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace host::qt {

class TQtRepaintBatch {
public:
  // Before a change that makes Widget repaint itself: until the batch is
  // flushed, Widget's own repaints are held back. Hidden widgets, windows
  // and widgets whose updates are off already are left as they are.
  static void Hold(QWidget* Widget);
  // Paints what is held now and lets the widgets repaint themselves again
  // (the event pass after the first Hold does it; pictures taken without
  // an event pass call it first).
  static void Flush();
  // Widgets held now, for tests.
  static int Held();

private:
  static std::vector<QPointer<QWidget>>& Widgets();
};

}  // namespace host::qt
