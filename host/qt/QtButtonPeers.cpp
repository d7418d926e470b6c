#include "host/qt/QtButtonPeers.h"

#include <QApplication>
#include <QCheckBox>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "host/qt/QtConvert.h"

namespace host::qt {

namespace {
QIcon KindIcon(TBitBtnKind Kind) {
  QStyle* style = QApplication::style();
  switch (Kind) {
    case bkOK: return style->standardIcon(QStyle::SP_DialogOkButton);
    case bkCancel: return style->standardIcon(QStyle::SP_DialogCancelButton);
    case bkHelp: return style->standardIcon(QStyle::SP_DialogHelpButton);
    case bkYes: return style->standardIcon(QStyle::SP_DialogYesButton);
    case bkNo: return style->standardIcon(QStyle::SP_DialogNoButton);
    case bkClose: return style->standardIcon(QStyle::SP_DialogCloseButton);
    case bkAbort: return style->standardIcon(QStyle::SP_DialogAbortButton);
    case bkRetry: return style->standardIcon(QStyle::SP_DialogRetryButton);
    case bkIgnore: return style->standardIcon(QStyle::SP_DialogIgnoreButton);
    case bkAll: return style->standardIcon(QStyle::SP_DialogYesToAllButton);
    default: return {};
  }
}

// A glyph drawn by the model wins over the kind's picture.
QIcon BitBtnIcon(const TBitBtn* Button) {
  const std::vector<std::uint8_t>& glyph = Button->Glyph();
  QPixmap pixmap;
  if (glyph.empty() || !pixmap.loadFromData(glyph.data(), static_cast<uint>(glyph.size())))
    return KindIcon(Button->Kind());
  return QIcon(pixmap);
}
}  // namespace

// ---- TButton, TBitBtn ----

TQtButtonPeer::TQtButtonPeer(TButton* Button) : TQtControlPeer(Button) {
  auto* button = new QPushButton(ParentClient());
  // The form presses the default and cancel buttons through the model.
  button->setAutoDefault(false);
  Attach(button);
  QObject::connect(button, &QPushButton::clicked, Guard(), [Button] { TQtWidgetSet::Report([&] { Button->Click(); }); });
}

QPushButton* TQtButtonPeer::PushButton() const { return static_cast<QPushButton*>(Widget()); }

void TQtButtonPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  switch (Change) {
    case pcDefault: PushButton()->setDefault(Button()->Default()); break;
    case pcKind:
      if (auto* bit = dynamic_cast<TBitBtn*>(Button())) {
        const QIcon icon = BitBtnIcon(bit);
        PushButton()->setIcon(icon);
        // A glyph is shown at its own size.
        if (!bit->Glyph().empty() && !icon.availableSizes().isEmpty())
          PushButton()->setIconSize(icon.availableSizes().first());
      }
      break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtButtonPeer::ApplyText() {
  // Read in place: a language switch sets every button's caption.
  if (const std::string* own = Button()->TextRef())
    PushButton()->setText(ToQ(*own));
  else
    PushButton()->setText(ToQ(Button()->Caption()));
}

// ---- TSpeedButton ----

TQtSpeedButtonPeer::TQtSpeedButtonPeer(TSpeedButton* Button) : TQtControlPeer(Button) {
  auto* button = new QToolButton(ParentClient());
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  Attach(button);
  // Qt flips a checkable button before the click; the model may keep it
  // down (a grouped button that cannot go all up), so show its state.
  QObject::connect(button, &QToolButton::clicked, Guard(), [this, Button] {
    if (ReportAndLive([&] { Button->Click(); })) Changed(pcChecked);
  });
}

QToolButton* TQtSpeedButtonPeer::ToolButton() const { return static_cast<QToolButton*>(Widget()); }

void TQtSpeedButtonPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  QToolButton* b = ToolButton();
  switch (Change) {
    case pcFlat: b->setAutoRaise(Button()->Flat()); break;
    case pcGroupIndex:
    case pcChecked: {
      QSignalBlocker block(b);
      // A button that stays down is a checkable one; the model decides
      // its state after each click.
      b->setCheckable(Button()->GroupIndex() != 0);
      b->setChecked(Button()->Down());
      b->setDown(Button()->Down());
      break;
    }
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtSpeedButtonPeer::ApplyText() { ToolButton()->setText(ToQ(Button()->Caption())); }

// ---- TCheckBox ----

TQtCheckBoxPeer::TQtCheckBoxPeer(TCheckBox* CheckBox) : TQtControlPeer(CheckBox) {
  auto* box = new QCheckBox(ParentClient());
  Attach(box);
  QObject::connect(box, &QCheckBox::clicked, Guard(), [this, CheckBox] {
    const Qt::CheckState s = CheckWidget()->checkState();
    const TCheckBoxState state = s == Qt::Checked ? cbChecked : s == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
    if (ReportAndLive([&] { CheckBox->UserSetState(state); })) Changed(pcChecked);
  });
}

QCheckBox* TQtCheckBoxPeer::CheckWidget() const { return static_cast<QCheckBox*>(Widget()); }

void TQtCheckBoxPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  switch (Change) {
    case pcChecked: {
      QSignalBlocker block(CheckWidget());
      const TCheckBox* c = CheckBox();
      CheckWidget()->setTristate(c->AllowGrayed() || c->State() == cbGrayed);
      CheckWidget()->setCheckState(c->State() == cbChecked   ? Qt::Checked
                                   : c->State() == cbGrayed ? Qt::PartiallyChecked
                                                            : Qt::Unchecked);
      break;
    }
    case pcAlignment: ApplyBiDiMode(); break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtCheckBoxPeer::ApplyText() { CheckWidget()->setText(ToQ(CheckBox()->Caption())); }

void TQtCheckBoxPeer::ApplyBiDiMode() {
  // taLeftJustify puts the caption before the box: the mirror image of the
  // usual look, as right-to-left reading is.
  const bool rtl = CheckBox()->BiDiMode() == bdRightToLeft;
  const bool captionFirst = CheckBox()->Alignment() == taLeftJustify;
  CheckWidget()->setLayoutDirection(rtl != captionFirst ? Qt::RightToLeft : Qt::LeftToRight);
}

}  // namespace host::qt
