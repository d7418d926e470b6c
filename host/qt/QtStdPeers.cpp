#include "host/qt/QtStdPeers.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>

#include "host/controls/Menus.h"
#include "host/qt/QtConvert.h"

namespace host::qt {

// ---- TLabel ----

TQtLabelPeer::TQtLabelPeer(TLabel* Label) : TQtControlPeer(Label) {
  auto* label = new QLabel(ParentClient());
  label->setTextFormat(Qt::PlainText);
  Attach(label);
}

QLabel* TQtLabelPeer::LabelWidget() const { return static_cast<QLabel*>(Widget()); }

void TQtLabelPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  switch (Change) {
    case pcAlignment:
    case pcLayout: {
      TApplying applying(this);
      ApplyAlignment();
      break;
    }
    case pcWordWrap: {
      TApplying applying(this);
      LabelWidget()->setWordWrap(Label()->WordWrap());
      AdjustBounds();
      break;
    }
    case pcAutoSize: AdjustBounds(); break;
    case pcFocusControl: ApplyText(); break;
    case pcFont:
    case pcBiDiMode:
      TQtControlPeer::Changed(Change);
      AdjustBounds();
      break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtLabelPeer::ApplyText() {
  QLabel* label = LabelWidget();
  const TLabel* l = Label();
  // Qt shows the access key only for a label with a buddy; without one the
  // markers would show literally.
  QWidget* buddy = l->ShowAccelChar() ? WidgetOf(l->FocusControl()) : nullptr;
  label->setBuddy(buddy);
  label->setText(l->ShowAccelChar() && !buddy ? PlainCaption(l->Caption()) : MultiLine(l->Caption()));
  AdjustBounds();
  if (l->ShowAccelChar() && l->FocusControl() && !buddy && !FBuddyRetry)
    QTimer::singleShot(0, Guard(), [this] {
      if (!Widget()) return;
      FBuddyRetry = true;
      TApplying applying(this);
      ApplyText();
      FBuddyRetry = false;
    });
}

void TQtLabelPeer::ApplyAlignment() {
  LabelWidget()->setAlignment(ToQAlignment(Label()->Alignment(), Label()->Layout()));
}

void TQtLabelPeer::ApplyColor() {
  ApplyColors(Widget(), Label()->Transparent() ? clBtnFace : Control()->Color(), Control()->Font()->Color());
}

void TQtLabelPeer::AdjustBounds() {
  TLabel* l = Label();
  if (!l->AutoSize() || Control()->IsLoading()) return;
  QLabel* label = LabelWidget();
  QSize size;
  if (l->WordWrap()) {
    const int width = std::max(1, l->Width());
    size = QSize(width, label->heightForWidth(width));
  } else {
    size = label->sizeHint();
  }
  if (size.width() == l->Width() && size.height() == l->Height()) return;
  int left = l->Left();
  const bool rightAligned = (l->Alignment() == taRightJustify) != (l->BiDiMode() == bdRightToLeft);
  if (rightAligned && !l->WordWrap()) left = l->Left() + l->Width() - size.width();
  {
    TApplying applying(this);
    label->setGeometry(left, l->Top(), size.width(), size.height());
  }
  l->UserSetBounds(left, l->Top(), size.width(), size.height());
}

// ---- TGroupBox ----

TQtGroupBoxPeer::TQtGroupBoxPeer(TGroupBox* GroupBox) : TQtControlPeer(GroupBox) {
  Attach(new QGroupBox(ParentClient()));
}

QGroupBox* TQtGroupBoxPeer::GroupBox() const { return static_cast<QGroupBox*>(Widget()); }

void TQtGroupBoxPeer::ApplyText() { GroupBox()->setTitle(ToQ(Control()->Caption())); }

void TQtGroupBoxPeer::ApplyColor() {
  ApplyColors(Widget(), Control()->Color(), Control()->Font()->Color());
}

// ---- TEdit ----

TQtEditPeer::TQtEditPeer(TCustomEdit* Edit) : TQtControlPeer(Edit) {
  auto* edit = new QLineEdit(ParentClient());
  Attach(edit);
  QObject::connect(edit, &QLineEdit::textEdited, Guard(), [Edit](const QString& Text) {
    TQtWidgetSet::Report([&] { Edit->UserSetText(FromQ(Text)); });
  });
}

QLineEdit* TQtEditPeer::LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

void TQtEditPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  QLineEdit* edit = LineEdit();
  const TCustomEdit* e = Edit();
  switch (Change) {
    case pcReadOnly: edit->setReadOnly(e->ReadOnly()); break;
    case pcMaxLength: edit->setMaxLength(e->MaxLength() > 0 ? e->MaxLength() : 32767); break;
    case pcPasswordChar: edit->setEchoMode(e->PasswordChar() ? QLineEdit::Password : QLineEdit::Normal); break;
    case pcAlignment: edit->setAlignment(ToQAlignment(e->Alignment()) | Qt::AlignVCenter); break;
    case pcBevel: edit->setFrame(e->BorderStyle() != bsNone); break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtEditPeer::ApplyText() {
  QSignalBlocker block(LineEdit());
  const QString text = ToQ(Edit()->Text());
  if (LineEdit()->text() != text) LineEdit()->setText(text);
}

// ---- TMemo ----

TQtMemoPeer::TQtMemoPeer(TMemo* Memo) : TQtControlPeer(Memo) {
  auto* edit = new QPlainTextEdit(ParentClient());
  Attach(edit);
  WatchEvents(edit->viewport());
  QObject::connect(edit, &QPlainTextEdit::textChanged, Guard(), [this, Memo] {
    if (Applying()) return;
    QString text = TextEdit()->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    TQtWidgetSet::Report([&] { Memo->UserSetText(FromQ(text)); });
  });
}

QPlainTextEdit* TQtMemoPeer::TextEdit() const { return static_cast<QPlainTextEdit*>(Widget()); }

void TQtMemoPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  QPlainTextEdit* edit = TextEdit();
  const TMemo* m = Memo();
  switch (Change) {
    case pcItems: ApplyText(); break;
    case pcReadOnly: edit->setReadOnly(m->ReadOnly()); break;
    case pcWordWrap: edit->setLineWrapMode(m->WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap); break;
    case pcScrollBars: {
      const TScrollStyle s = m->ScrollBars();
      edit->setHorizontalScrollBarPolicy(s == ssHorizontal || s == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                          : Qt::ScrollBarAlwaysOff);
      edit->setVerticalScrollBarPolicy(s == ssVertical || s == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
      break;
    }
    case pcBevel: edit->setFrameShape(m->BorderStyle() == bsNone ? QFrame::NoFrame : QFrame::StyledPanel); break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtMemoPeer::ApplyText() {
  QStringList lines;
  const TStrings* l = Memo()->Lines();
  for (int i = 0; i < l->Count(); ++i) lines << ToQ(l->Get(i));
  const QString text = lines.join(QLatin1Char('\n'));
  if (TextEdit()->toPlainText() != text) TextEdit()->setPlainText(text);
}

}  // namespace host::qt
