// Labels, edits, memos, group boxes, buttons, check boxes, panels and
// splitters: each shown, changed in the model and seen on the widget,
// driven on the widget and seen in the model's events.
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <gtest/gtest.h>

#include <set>

#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

TEST(QtLabelPeer, ShowsTheCaptionWithoutAccessMarkersAndFollowsChanges) {
  TFormPtr form = NewForm();
  auto* label = Place<TLabel>(form.get(), 10, 10, 100, 16);
  label->SetAutoSize(false);
  label->SetCaption("&Name:");
  form->Show();
  auto* w = WidgetAs<QLabel>(label);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->text(), QString("Name:"));
  label->SetCaption("Na&me && more");
  EXPECT_EQ(w->text(), QString("Name & more"));
  label->SetAlignment(taRightJustify);
  EXPECT_TRUE(w->alignment() & Qt::AlignRight);
}

TEST(QtLabelPeer, AnAutoSizedLabelTakesTheSizeOfItsTextAndTellsTheModel) {
  TFormPtr form = NewForm();
  auto* label = Place<TLabel>(form.get(), 10, 10, 5, 5);
  label->SetCaption("A fairly long caption");
  form->Show();
  const int width = label->Width();
  EXPECT_GT(width, 50);
  EXPECT_EQ(TQtControlPeer::WidgetOf(label)->width(), width);
  label->SetCaption("Short");
  EXPECT_LT(label->Width(), width);
  EXPECT_EQ(TQtControlPeer::WidgetOf(label)->width(), label->Width());
}

TEST(QtLabelPeer, ARightAlignedAutoSizedLabelGrowsToTheLeftInRightToLeftReading) {
  TFormPtr form = NewForm();
  auto* label = Place<TLabel>(form.get(), 200, 10, 50, 16);
  label->SetCaption("x");
  form->Show();
  const int right = label->Left() + label->Width();
  form->SetBiDiMode(bdRightToLeft);
  label->SetCaption("a much longer caption than before");
  EXPECT_EQ(label->Left() + label->Width(), right);
}

TEST(QtLabelPeer, AClickOnALabelFiresItsOnClick) {
  TFormPtr form = NewForm();
  auto* label = Place<TLabel>(form.get(), 10, 10, 80, 16);
  label->SetCaption("Click me");
  int clicks = 0;
  label->SetOnClick([&](TObject* Sender) {
    EXPECT_EQ(Sender, label);
    ++clicks;
  });
  form->Show();
  Click(TQtControlPeer::WidgetOf(label));
  EXPECT_EQ(clicks, 1);
}

TEST(QtControlPeer, HintVisibilityEnabledAndFontFollowTheModel) {
  TFormPtr form = NewForm();
  auto* edit = Place<TEdit>(form.get(), 10, 10, 100, 21);
  edit->SetHint("Type a name|Shown in the status bar");
  edit->SetShowHint(true);
  form->Show();
  QWidget* w = TQtControlPeer::WidgetOf(edit);
  EXPECT_EQ(w->toolTip(), QString("Type a name"));
  edit->SetHint("Two"
                "\r\n"
                "lines");
  EXPECT_EQ(w->toolTip(), QString("Two\nlines"));
  edit->SetShowHint(false);
  EXPECT_TRUE(w->toolTip().isEmpty());
  edit->SetEnabled(false);
  EXPECT_FALSE(w->isEnabled());
  edit->SetVisible(false);
  EXPECT_FALSE(w->isVisibleTo(w->parentWidget()));
  edit->SetVisible(true);
  EXPECT_TRUE(w->isVisibleTo(w->parentWidget()));
  edit->Font()->SetHeight(-17);
  edit->Font()->SetStyle({fsBold, fsItalic});
  EXPECT_EQ(w->font().pixelSize(), 17);
  EXPECT_TRUE(w->font().bold());
  EXPECT_TRUE(w->font().italic());
}

TEST(QtControlPeer, TheFontsCharacterSetBringsAFamilyThatWritesItsScript) {
  if (QFontDatabase::families(QFontDatabase::Arabic).isEmpty()) GTEST_SKIP() << "no Arabic font installed";
  TFormPtr form = NewForm();
  auto* edit = Place<TEdit>(form.get(), 10, 10, 100, 21);
  edit->Font()->SetName("NoSuchFontFamily");
  form->Show();
  QWidget* w = TQtControlPeer::WidgetOf(edit);
  EXPECT_EQ(w->font().families().size(), 1);
  edit->Font()->SetCharset(ARABIC_CHARSET);
  const QStringList families = w->font().families();
  ASSERT_EQ(families.size(), 2);
  EXPECT_EQ(families[0], QString("NoSuchFontFamily"));
  EXPECT_TRUE(QFontDatabase::writingSystems(families[1]).contains(QFontDatabase::Arabic));
}

TEST(QtEditPeer, TextGoesBothWaysAndTypingFiresOnChange) {
  TFormPtr form = NewForm();
  auto* edit = Place<TEdit>(form.get(), 10, 10, 100, 21);
  edit->SetText("first");
  int changes = 0;
  edit->SetOnChange([&](TObject*) { ++changes; });
  form->Show();
  auto* w = WidgetAs<QLineEdit>(edit);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->text(), QString("first"));
  edit->SetText("second");
  EXPECT_EQ(w->text(), QString("second"));
  const int before = changes;
  w->setFocus();
  w->end(false);
  PressKey(w, Qt::Key_X, Qt::NoModifier, "x");
  EXPECT_EQ(edit->Text(), "secondx");
  EXPECT_EQ(changes, before + 1);
  edit->SetReadOnly(true);
  EXPECT_TRUE(w->isReadOnly());
  edit->SetPasswordChar('*');
  EXPECT_EQ(w->echoMode(), QLineEdit::Password);
  edit->SetMaxLength(4);
  EXPECT_EQ(w->maxLength(), 4);
}

TEST(QtMemoPeer, LinesGoBothWays) {
  TFormPtr form = NewForm();
  auto* memo = Place<TMemo>(form.get(), 10, 10, 200, 100);
  memo->Lines()->Add("one");
  memo->Lines()->Add("two");
  form->Show();
  auto* w = WidgetAs<QPlainTextEdit>(memo);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->toPlainText(), QString("one\ntwo"));
  memo->Lines()->Add("three");
  EXPECT_EQ(w->toPlainText(), QString("one\ntwo\nthree"));
  int changes = 0;
  memo->SetOnChange([&](TObject*) { ++changes; });
  w->setPlainText("alpha\nbeta");
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Get(1), "beta");
  EXPECT_GE(changes, 1);
  memo->SetWordWrap(false);
  EXPECT_EQ(w->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(QtGroupBoxPeer, ShowsItsCaptionAndHoldsItsChildren) {
  TFormPtr form = NewForm();
  auto* box = Place<TGroupBox>(form.get(), 10, 10, 200, 100);
  box->SetCaption("Options");
  auto* check = Place<TCheckBox>(box, 8, 20, 100, 17);
  form->Show();
  auto* w = WidgetAs<QGroupBox>(box);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->title(), QString("Options"));
  EXPECT_EQ(TQtControlPeer::WidgetOf(check)->parentWidget(), w);
  EXPECT_EQ(TQtControlPeer::WidgetOf(check)->geometry(), QRect(8, 20, 100, 17));
}

TEST(QtButtonPeer, AClickFiresOnClickAndTheDefaultButtonAnswersEnter) {
  TFormPtr form = NewForm();
  auto* edit = Place<TEdit>(form.get(), 10, 10, 100, 21);
  auto* ok = Place<TButton>(form.get(), 10, 40, 75, 25);
  ok->SetCaption("&OK");
  ok->SetDefault(true);
  int clicks = 0;
  ok->SetOnClick([&](TObject*) { ++clicks; });
  form->Show();
  auto* w = WidgetAs<QPushButton>(ok);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->text(), QString("&OK"));
  EXPECT_TRUE(w->isDefault());
  w->click();
  EXPECT_EQ(clicks, 1);
  // Enter in the edit reaches the form's default button through the model.
  QWidget* e = TQtControlPeer::WidgetOf(edit);
  e->setFocus();
  PressKey(e, Qt::Key_Return);
  EXPECT_EQ(clicks, 2);
  ok->SetCaption("Done");
  EXPECT_EQ(w->text(), QString("Done"));
}

TEST(QtSpeedButtonPeer, GroupedButtonsStayDownAsTheModelDecides) {
  TFormPtr form = NewForm();
  auto* a = Place<TSpeedButton>(form.get(), 10, 10, 23, 22);
  auto* b = Place<TSpeedButton>(form.get(), 40, 10, 23, 22);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  a->SetDown(true);
  form->Show();
  auto* wa = WidgetAs<QToolButton>(a);
  auto* wb = WidgetAs<QToolButton>(b);
  EXPECT_TRUE(wa->isChecked());
  wb->click();
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(wb->isChecked());
  EXPECT_FALSE(wa->isChecked());
}

TEST(QtCheckBoxPeer, StateGoesBothWaysAndAClickFiresOnClick) {
  TFormPtr form = NewForm();
  auto* check = Place<TCheckBox>(form.get(), 10, 10, 120, 17);
  check->SetCaption("Remember");
  int clicks = 0;
  check->SetOnClick([&](TObject*) { ++clicks; });
  form->Show();
  auto* w = WidgetAs<QCheckBox>(check);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->text(), QString("Remember"));
  EXPECT_FALSE(w->isChecked());
  check->SetChecked(true);
  EXPECT_TRUE(w->isChecked());
  const int before = clicks;
  w->click();
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(clicks, before + 1);
  check->SetAllowGrayed(true);
  check->SetState(cbGrayed);
  EXPECT_EQ(w->checkState(), Qt::PartiallyChecked);
  // A box with its caption on the left is laid out right to left.
  check->SetAlignment(taLeftJustify);
  EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft);
}

TEST(QtPanelPeer, APanelHoldsItsChildrenAndPaintsItsCaption) {
  TFormPtr form = NewForm(200, 100);
  auto* panel = Place<TPanel>(form.get(), 0, 0, 200, 40);
  panel->SetAlign(alTop);
  panel->SetCaption("Header");
  auto* button = Place<TButton>(panel, 5, 5, 60, 25);
  form->Show();
  QWidget* w = TQtControlPeer::WidgetOf(panel);
  EXPECT_EQ(w->geometry(), QRect(0, 0, 200, 40));
  EXPECT_EQ(TQtControlPeer::WidgetOf(button)->parentWidget(), w);
  // Something is painted where the caption is.
  const QImage image = w->grab().toImage();
  bool dark = false;
  for (int x = 60; x < 140 && !dark; ++x)
    for (int y = 10; y < 30 && !dark; ++y) dark = qGray(image.pixel(x, y)) < 100;
  EXPECT_TRUE(dark);
}

// The style keeps one cached picture per palette: buttons of the designed
// colours must go on sharing one through what a language switch changes
// (texts, reading order, character set) and back.
TEST(QtControlPeer, ButtonsOfTheDesignedColoursShareOnePalette) {
  TFormPtr form = NewForm(400, 100);
  auto* panel = Place<TPanel>(form.get(), 0, 40, 400, 60);
  std::vector<TButton*> buttons;
  for (int i = 0; i < 6; ++i) {
    TWinControl* parent = i % 2 ? static_cast<TWinControl*>(panel) : form.get();
    buttons.push_back(Place<TButton>(parent, i * 60, 5, 55, 25));
  }
  form->Show();
  auto keys = [&] {
    std::set<qint64> out;
    for (TButton* b : buttons) out.insert(TQtControlPeer::WidgetOf(b)->palette().cacheKey());
    return out.size();
  };
  EXPECT_EQ(keys(), 1u);
  form->SetBiDiMode(bdRightToLeft);
  form->Font()->SetCharset(RUSSIAN_CHARSET);
  for (TButton* b : buttons) b->SetCaption("\xD0\x9F\xD0\xB5\xD1\x80\xD0\xB5\xD0\xB2\xD0\xBE\xD0\xB4");
  Flush();
  EXPECT_EQ(keys(), 1u);
  form->SetBiDiMode(bdLeftToRight);
  form->Font()->SetCharset(DEFAULT_CHARSET);
  Flush();
  EXPECT_EQ(keys(), 1u);
}

// Buttons in the designed colours and font share their parent's (so the
// style's cached pictures serve them all); a parent's change still reaches
// only the controls whose model follows it.
TEST(QtControlPeer, ColoursAndFontsFollowTheModelWhetherTheWidgetHasThemOfItsOwnOrNot) {
  TFormPtr form = NewForm(200, 100);
  auto* panel = Place<TPanel>(form.get(), 0, 0, 200, 60);
  auto* follows = Place<TButton>(panel, 5, 5, 60, 25);
  auto* own = Place<TButton>(panel, 70, 5, 60, 25);
  own->SetParentFont(false);
  form->Show();
  QWidget* wFollows = TQtControlPeer::WidgetOf(follows);
  QWidget* wOwn = TQtControlPeer::WidgetOf(own);
  const QPalette styles = wOwn->style()->standardPalette();
  const QColor standard = styles.color(QPalette::ButtonText);
  ASSERT_NE(styles.color(QPalette::Disabled, QPalette::ButtonText), standard);
  // The panel takes no palette of its own for the designed colours, and
  // disabled texts are greyed.
  EXPECT_FALSE(TQtControlPeer::WidgetOf(panel)->testAttribute(Qt::WA_SetPalette));
  EXPECT_FALSE(wOwn->testAttribute(Qt::WA_SetPalette));
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    EXPECT_EQ(wOwn->palette().color(group, QPalette::ButtonText), styles.color(group, QPalette::ButtonText)) << group;
  panel->Font()->SetColor(clRed);
  EXPECT_EQ(TQtControlPeer::WidgetOf(panel)->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(wFollows->palette().color(QPalette::ButtonText), QColor(Qt::red));
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    EXPECT_EQ(wOwn->palette().color(group, QPalette::ButtonText), styles.color(group, QPalette::ButtonText)) << group;
  panel->Font()->SetColor(clWindowText);
  EXPECT_EQ(wFollows->palette().color(QPalette::ButtonText), standard);
  own->Font()->SetColor(clRed);
  EXPECT_EQ(wOwn->palette().color(QPalette::ButtonText), QColor(Qt::red));
  // The same for fonts.
  EXPECT_FALSE(wFollows->testAttribute(Qt::WA_SetFont));
  const QFont designed = wOwn->font();
  panel->Font()->SetHeight(-23);
  EXPECT_EQ(wFollows->font().pixelSize(), 23);
  EXPECT_EQ(wOwn->font(), designed);
}

TEST(QtSplitterPeer, DraggingTheBarResizesTheControlBeforeIt) {
  TFormPtr form = NewForm(300, 200);
  auto* left = Place<TPanel>(form.get(), 0, 0, 100, 200);
  left->SetAlign(alLeft);
  auto* splitter = Place<TSplitter>(form.get(), 100, 0, 4, 200);
  splitter->SetAlign(alLeft);
  auto* rest = Place<TPanel>(form.get(), 104, 0, 196, 200);
  rest->SetAlign(alClient);
  int moved = 0;
  splitter->SetOnMoved([&](TObject*) { ++moved; });
  form->Show();
  QWidget* w = TQtControlPeer::WidgetOf(splitter);
  const QPoint start(2, 100);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(start), QPointF(w->mapToGlobal(start)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(30, 0)), QPointF(w->mapToGlobal(start + QPoint(30, 0))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(start), QPointF(w->mapToGlobal(start)), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &release);
  EXPECT_EQ(left->Width(), 130);
  EXPECT_EQ(moved, 1);
  EXPECT_EQ(TQtControlPeer::WidgetOf(left)->width(), 130);
  EXPECT_EQ(TQtControlPeer::WidgetOf(rest)->geometry().left(), 134);
}

}  // namespace
}  // namespace host::qt::test
