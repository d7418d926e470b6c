// Whether captions fit their control, measured on the widgets: a label's
// text against its width (or, sized to its text, against its parent), a
// button's text against the room its style leaves, with the control's own
// font.
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "host/controls/Buttons.h"
#include "host/controls/StdCtrls.h"
#include "host/qt/QtTextFit.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

// The narrowest width at which the control's caption fits.
int NarrowestFit(TControl* Control) {
  TTextFit fit;
  for (int w = 1; w < 2000; ++w) {
    Control->SetWidth(w);
    Flush();
    if (MeasureCaption(Control, fit) && fit.Fits()) return w;
  }
  return -1;
}

TEST(QtTextFit, AFixedLabelFitsByItsTextWidthAndNotOnePixelLess) {
  TFormPtr form = NewForm();
  auto* label = Place<TLabel>(form.get(), 10, 10, 50, 16);
  label->SetAutoSize(false);
  label->SetCaption("&Name of the contact:");
  form->Show();
  const QLabel* w = WidgetAs<QLabel>(label);
  ASSERT_NE(w, nullptr);
  const int text = QFontMetrics(w->font()).boundingRect(QRect(0, 0, 4000, 100), Qt::TextSingleLine, "Name of the contact:").width();
  label->SetWidth(text);
  TTextFit fit;
  ASSERT_TRUE(MeasureCaption(label, fit));
  EXPECT_EQ(fit.Needed, text);
  EXPECT_TRUE(fit.Fits());
  label->SetWidth(text - 1);
  ASSERT_TRUE(MeasureCaption(label, fit));
  EXPECT_FALSE(fit.Fits());
  EXPECT_EQ(fit.Available, text - 1);

  // A larger font needs more room.
  label->Font()->SetSize(label->Font()->Size() * 2);
  Flush();
  ASSERT_TRUE(MeasureCaption(label, fit));
  EXPECT_GT(fit.Needed, text * 3 / 2);
}

TEST(QtTextFit, AButtonLeavesTheSameMarginsWhateverItsTextAndAMarkerTakesNoRoom) {
  TFormPtr form = NewForm();
  auto* button = Place<TButton>(form.get(), 10, 10, 50, 25);
  form->Show();
  const QPushButton* w = WidgetAs<QPushButton>(button);
  ASSERT_NE(w, nullptr);
  const QFontMetrics fm(w->font());
  button->SetCaption("&Open");
  const int shortFit = NarrowestFit(button);
  button->SetCaption("Open the document in a new window");
  const int longFit = NarrowestFit(button);
  ASSERT_GT(shortFit, 0);
  // Advances are rounded per text, so the two may differ by a pixel.
  EXPECT_NEAR(longFit - shortFit,
              fm.horizontalAdvance("Open the document in a new window") - fm.horizontalAdvance("Open"), 1);
}

TEST(QtTextFit, AnAutoSizedLabelFitsWhileItsParentHoldsIt) {
  TFormPtr form = NewForm(200, 100);
  auto* label = Place<TLabel>(form.get(), 150, 10, 5, 5);
  label->SetCaption("Short");
  form->Show();
  Flush();
  TTextFit fit;
  ASSERT_TRUE(MeasureCaption(label, fit));
  EXPECT_TRUE(fit.Fits());
  label->SetCaption("A caption far too long for the rest of the form");
  Flush();
  ASSERT_TRUE(MeasureCaption(label, fit));
  EXPECT_FALSE(fit.Fits());
  EXPECT_EQ(fit.Needed - fit.Available, label->Left() + label->Width() - 200);
}

}  // namespace
}  // namespace host::qt::test
