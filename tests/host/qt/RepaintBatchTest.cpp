// Repaints held back while many widgets change are painted together in the
// next event pass: what the window shows must be what a fresh paint draws.
#include <QScreen>
#include <gtest/gtest.h>
#include <random>

#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/qt/QtRepaintBatch.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

TEST(QtRepaintBatch, TheWindowShowsWhatAFreshPaintDrawsAfterAnyMixOfChanges) {
  std::mt19937 random(17);
  for (int round = 0; round < 12; ++round) {
    TFormPtr form = NewForm(420, 200);
    auto* panel = Place<TPanel>(form.get(), 0, 100, 420, 100);
    panel->SetColor(static_cast<TColor>(0x00C0E0));
    auto* inner = Place<TPanel>(panel, 200, 0, 220, 100);  // no ground of its own
    std::vector<TControl*> controls;
    for (int i = 0; i < 24; ++i) {
      TWinControl* parent = i % 3 == 0 ? static_cast<TWinControl*>(form.get()) : i % 3 == 1 ? panel : inner;
      const int x = (i % 5) * 50, y = (i % 4) * 22;  // overlapping too
      controls.push_back(i % 4 == 3   ? static_cast<TControl*>(Place<TCheckBox>(parent, x, y, 80, 24))
                         : i % 4 == 1 ? static_cast<TControl*>(Place<TSpeedButton>(parent, x, y, 80, 24))
                                      : static_cast<TControl*>(Place<TButton>(parent, x, y, 80, 24)));
      controls.back()->SetCaption("Caption " + std::to_string(i));
    }
    form->Show();
    Flush();
    // None, one, a few, or many change: captions of any length, colours, reading order.
    const int changes = std::vector<int>{0, 1, 3, 6, 24}[round % 5];
    for (int k = 0; k < changes; ++k) {
      TControl* c = controls[random() % controls.size()];
      c->SetCaption(std::string(random() % 14, static_cast<char>('a' + random() % 26)));
      if (random() % 3 == 0) c->Font()->SetColor(static_cast<TColor>(random() % 0xFFFFFF));
      if (random() % 4 == 0) c->SetBiDiMode(random() % 2 ? bdRightToLeft : bdLeftToRight);
    }
    if (round % 3 == 1) delete controls[random() % controls.size()];  // freed while held
    Flush();
    EXPECT_EQ(TQtRepaintBatch::Held(), 0);
    QWidget* window = TQtControlPeer::WidgetOf(form.get())->window();
    const QImage shown = window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage fresh = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(shown == fresh) << "round " << round << " with " << changes << " changes";
  }
}

}  // namespace
}  // namespace host::qt::test
