#include "tests/host/qt/QtTestSupport.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace host::qt::test {

namespace {
TQtWidgetSet* gWidgetSet = nullptr;

class TQtEnvironment : public ::testing::Environment {
public:
  void SetUp() override { gWidgetSet = new TQtWidgetSet; }
  void TearDown() override {
    delete gWidgetSet;
    gWidgetSet = nullptr;
  }
};

[[maybe_unused]] ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtEnvironment);
}  // namespace

TQtWidgetSet& WidgetSet() { return *gWidgetSet; }

void Flush() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ClickAt(QWidget* Widget, QPoint Pos, Qt::MouseButton Button) {
  const QPointF local(Pos);
  const QPointF global(Widget->mapToGlobal(Pos));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Button, Button, Qt::NoModifier);
  QApplication::sendEvent(Widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Button, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Widget, &release);
}

void Click(QWidget* Widget) { ClickAt(Widget, Widget->rect().center()); }

void DoubleClickAt(QWidget* Widget, QPoint Pos) {
  const QPointF local(Pos);
  const QPointF global(Widget->mapToGlobal(Pos));
  QMouseEvent press(QEvent::MouseButtonDblClick, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Widget, &press);
}

void PressKey(QWidget* Widget, int Key, Qt::KeyboardModifiers Modifiers, const QString& Text) {
  QKeyEvent press(QEvent::KeyPress, Key, Modifiers, Text);
  QApplication::sendEvent(Widget, &press);
  QKeyEvent release(QEvent::KeyRelease, Key, Modifiers, Text);
  QApplication::sendEvent(Widget, &release);
}

TFormPtr NewForm(int Width, int Height) {
  TFormPtr form(new TForm(nullptr));
  form->SetBounds(10, 10, Width, Height);
  return form;
}

}  // namespace host::qt::test
