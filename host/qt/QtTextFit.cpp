#include "host/qt/QtTextFit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "host/controls/StdCtrls.h"
#include "host/qt/QtControlPeer.h"

namespace host::qt {

namespace {

// The width a button-like widget's text takes, "&" markers not drawn.
int TextWidth(const QWidget* Widget, const QString& Text) {
  return Widget->fontMetrics().size(Qt::TextShowMnemonic, Text).width();
}

// The text area the style gives a button, a check box or a radio button.
int ContentsWidth(const QAbstractButton* Button, QStyle::SubElement Element) {
  QStyleOptionButton option;
  option.initFrom(Button);
  option.text = Button->text();
  if (const auto* push = qobject_cast<const QPushButton*>(Button)) {
    if (push->isDefault()) option.features |= QStyleOptionButton::DefaultButton;
    if (push->autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
    if (push->isFlat()) option.features |= QStyleOptionButton::Flat;
  }
  return Button->style()->subElementRect(Element, &option, Button).width();
}

bool MeasureLabel(const TLabel* Label, const QLabel* Widget, TTextFit& Fit) {
  if (Label->WordWrap()) {
    Fit.Wide = false;
    Fit.Needed = Widget->heightForWidth(Widget->width());
    Fit.Available = Widget->height();
    return true;
  }
  Fit.Needed = Widget->sizeHint().width();
  if (!Label->AutoSize()) {
    Fit.Available = Widget->width();
    return true;
  }
  // A label sized to its text grows; what clips it is its parent.
  const QWidget* parent = Widget->parentWidget();
  const QRect g = Widget->geometry();
  const int over = (parent ? std::max(0, g.right() + 1 - parent->width()) : 0) + std::max(0, -g.left());
  Fit.Available = Fit.Needed - over;
  return true;
}

}  // namespace

bool MeasureCaption(const TControl* Control, TTextFit& Fit) {
  const QWidget* widget = TQtControlPeer::WidgetOf(Control);
  if (!widget) return false;
  Fit = TTextFit();
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    const auto* model = As<TLabel>(Control);
    return model && MeasureLabel(model, label, Fit);
  }
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    Fit.Needed = TextWidth(button, button->text());
    Fit.Available = ContentsWidth(button, QStyle::SE_PushButtonContents);
    return true;
  }
  if (const auto* check = qobject_cast<const QCheckBox*>(widget)) {
    Fit.Needed = TextWidth(check, check->text());
    Fit.Available = ContentsWidth(check, QStyle::SE_CheckBoxContents);
    return true;
  }
  if (const auto* radio = qobject_cast<const QRadioButton*>(widget)) {
    Fit.Needed = TextWidth(radio, radio->text());
    Fit.Available = ContentsWidth(radio, QStyle::SE_RadioButtonContents);
    return true;
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
    if (group->title().isEmpty()) return false;
    Fit.Needed = group->minimumSizeHint().width();
    Fit.Available = group->width();
    return true;
  }
  return false;
}

void PrepareForMeasure(TControl* Form) {
  Form->HandleNeeded();
  QCoreApplication::processEvents();
}

}  // namespace host::qt
