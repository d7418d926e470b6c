// Shared by the widgetset tests: one Qt widgetset for the whole run
// (offscreen), and small helpers to act on widgets as a user would.
#pragma once

#include <QApplication>
#include <QWidget>
#include <memory>
#include <ostream>

#include "host/controls/Forms.h"
#include "host/qt/QtControlPeer.h"
#include "host/qt/QtWidgetSet.h"

// Readable QString values in test failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& S, std::ostream* Out) { *Out << '"' << S.toStdString() << '"'; }
QT_END_NAMESPACE

namespace host::qt::test {

// The widgetset installed for the test run.
TQtWidgetSet& WidgetSet();

// Handles pending events and deletes widgets freed meanwhile.
void Flush();

// The widget of a control's peer, as the class the peer uses.
template <class W>
W* WidgetAs(const TControl* Control) {
  return qobject_cast<W*>(TQtControlPeer::WidgetOf(Control));
}

// A mouse click (press and release) at a point of a widget, or its centre.
void ClickAt(QWidget* Widget, QPoint Pos, Qt::MouseButton Button = Qt::LeftButton);
void Click(QWidget* Widget);
void DoubleClickAt(QWidget* Widget, QPoint Pos);
// A key press and release on the widget that has the focus in Widget's window.
void PressKey(QWidget* Widget, int Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier, const QString& Text = {});

// A control of class T on Parent, owned by Parent's owner (or Parent), at
// the given bounds.
template <class T>
T* Place(TWinControl* Parent, int Left, int Top, int Width, int Height) {
  auto* c = new T(Parent->Owner() ? Parent->Owner() : Parent);
  c->SetParent(Parent);
  c->SetBounds(Left, Top, Width, Height);
  return c;
}

// A form owned by the test, freed at the end of it.
struct TFormDeleter {
  void operator()(TCustomForm* Form) const { delete Form; }
};
using TFormPtr = std::unique_ptr<TForm, TFormDeleter>;
TFormPtr NewForm(int Width = 400, int Height = 300);

}  // namespace host::qt::test
