// What peers put on widgets as the model changes, through the quick paths:
// held-back repaints, texts without carriage returns, a style's palette
// made once. Each must give what the plain way gives.
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <gtest/gtest.h>
#include <random>

#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/qt/QtConvert.h"
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
      controls.push_back(i % 2 ? static_cast<TControl*>(Place<TCheckBox>(parent, x, y, 80, 24)) : Place<TButton>(parent, x, y, 80, 24));
      controls.back()->SetCaption("Caption " + std::to_string(i));
    }
    form->Show();
    Flush();
    // None, one, a few, or many change: captions of any length, colours, reading order.
    for (int k = std::vector<int>{0, 1, 3, 6, 24}[round % 5]; k > 0; --k) {
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
    EXPECT_TRUE(shown == window->grab().toImage().convertToFormat(QImage::Format_RGB32)) << "round " << round;
  }
}

TEST(QtConvert, TextsAndDefaultColoursMatchThePlainConversionOnRandomInput) {
  const auto plain = [](const std::string& s) {
    return QString::fromUtf8(s).replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  };
  const std::string pieces[] = {"a", "Ж", "\r", "\n", "\r\n", "|", "\xC3", "&"};
  const std::unique_ptr<QStyle> windows(QStyleFactory::create("Windows"));
  ASSERT_NE(windows->standardPalette().color(QPalette::Window), QApplication::style()->standardPalette().color(QPalette::Window));
  std::mt19937 random(5);
  for (int round = 0; round < 1000; ++round) {
    std::string text;
    for (int n = static_cast<int>(random() % 12); n > 0; --n) text += pieces[random() % std::size(pieces)];
    ASSERT_EQ(MultiLine(text), plain(text));
    ASSERT_EQ(ToolTipText(text), plain(text.substr(0, text.find('|'))));
    QWidget w;  // its own style or the application's, in any order
    if (random() % 2) w.setStyle(windows.get());
    const TColor bg = random() % 2 ? clBtnFace : static_cast<TColor>(random() % 0xFFFFFF);
    ApplyColors(&w, bg, clWindowText);
    ASSERT_EQ(w.palette().color(QPalette::Window), bg < 0 ? w.style()->standardPalette().color(QPalette::Window) : ToQColor(bg));
  }
}

}  // namespace
}  // namespace host::qt::test
