#include "host/qt/QtBarPeers.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>

#include "host/controls/ImgList.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtImages.h"

namespace host::qt {

namespace {

class TToolBarWidget : public QWidget {
public:
  TToolBarWidget(TToolBar* Bar, QWidget* Parent) : QWidget(Parent), FBar(Bar) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const TEdgeBorders edges = FBar->EdgeBorders();
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(palette().color(QPalette::Dark));
    if (edges.Contains(ebTop)) p.drawLine(r.topLeft(), r.topRight());
    if (edges.Contains(ebLeft)) p.drawLine(r.topLeft(), r.bottomLeft());
    if (edges.Contains(ebBottom)) p.drawLine(r.bottomLeft(), r.bottomRight());
    if (edges.Contains(ebRight)) p.drawLine(r.topRight(), r.bottomRight());
  }

private:
  TToolBar* FBar;
};

// A tool button that draws separators itself and hands a click on its
// drop-down arrow to the model, which pops the menu where it wants it.
class TToolButtonWidget : public QToolButton {
public:
  TToolButtonWidget(TToolButton* Button, QWidget* Parent) : QToolButton(Parent), FButton(Button) {}
  void Detach() { FButton = nullptr; }

protected:
  void mousePressEvent(QMouseEvent* E) override {
    if (FButton && FButton->Style() == tbsDropDown && E->button() == Qt::LeftButton) {
      QStyleOptionToolButton opt;
      initStyleOption(&opt);
      const QRect arrow = style()->subControlRect(QStyle::CC_ToolButton, &opt, QStyle::SC_ToolButtonMenu, this);
      if (arrow.contains(E->position().toPoint())) {
        TToolButton* b = FButton;
        TQtWidgetSet::Report([&] { b->CheckMenuDropdown(); });
        E->accept();
        return;
      }
    }
    QToolButton::mousePressEvent(E);
  }
  void paintEvent(QPaintEvent* E) override {
    if (FButton && (FButton->Style() == tbsSeparator || FButton->Style() == tbsDivider)) {
      if (FButton->Style() == tbsDivider) {
        QPainter p(this);
        const int x = width() / 2;
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(x, 2, x, height() - 3);
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(x + 1, 2, x + 1, height() - 3);
      }
      return;
    }
    QToolButton::paintEvent(E);
  }

private:
  TToolButton* FButton;
};

void DrawBevel(QPainter& P, QRect R, TBevelCut Cut, const QPalette& Pal) {
  if (Cut == bvNone || Cut == bvSpace) return;
  const QColor tl = Cut == bvRaised ? Pal.color(QPalette::Light) : Pal.color(QPalette::Dark);
  const QColor br = Cut == bvRaised ? Pal.color(QPalette::Dark) : Pal.color(QPalette::Light);
  R.adjust(0, 0, -1, -1);
  P.setPen(tl);
  P.drawLine(R.topLeft(), R.topRight());
  P.drawLine(R.topLeft(), R.bottomLeft());
  P.setPen(br);
  P.drawLine(R.bottomLeft(), R.bottomRight());
  P.drawLine(R.topRight(), R.bottomRight());
}

class TStatusBarWidget : public QWidget {
public:
  TStatusBarWidget(TQtStatusBarPeer* Peer, QWidget* Parent) : QWidget(Parent), FPeer(Peer) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setFont(font());
    const TStatusBar* bar = FPeer->StatusBar();
    auto text = [&](QRect r, TAlignment a, const std::string& s) {
      p.setPen(palette().color(QPalette::WindowText));
      const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), ToQAlignment(a) | Qt::AlignVCenter);
      p.drawText(r.adjusted(3, 0, -3, 0), static_cast<int>(align), ToQ(s));
    };
    if (bar->SimplePanel()) {
      text(rect(), taLeftJustify, bar->SimpleText());
      return;
    }
    const TStatusPanels* panels = bar->Panels();
    for (int i = 0; i < panels->Count(); ++i) {
      const QRect r = FPeer->PanelRect(i);
      DrawBevel(p, r, panels->Items(i)->Bevel(), palette());
      text(r, panels->Items(i)->Alignment(), panels->Items(i)->Text());
    }
  }

private:
  TQtStatusBarPeer* FPeer;
};

}  // namespace

// ---- TToolBar ----

TQtToolBarPeer::TQtToolBarPeer(TToolBar* ToolBar) : TQtControlPeer(ToolBar) {
  Attach(new TToolBarWidget(ToolBar, ParentClient()));
}

void TQtToolBarPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  switch (Change) {
    case pcButtonSize:
    case pcFlat:
    case pcImages:
      Widget()->update();
      for (int i = 0; i < ToolBar()->ButtonCount(); ++i)
        if (auto* peer = dynamic_cast<TQtToolButtonPeer*>(ToolBar()->Buttons(i)->Peer())) peer->ToolBarChanged();
      break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtToolBarPeer::ApplyColor() { ApplyColors(Widget(), Control()->Color(), Control()->Font()->Color()); }

// ---- TToolButton ----

TQtToolButtonPeer::TQtToolButtonPeer(TToolButton* Button) : TQtControlPeer(Button), FArrowMenu(new QMenu) {
  auto* button = new TToolButtonWidget(Button, ParentClient());
  Attach(button);
  // Qt flips a check button before the click; the model decides.
  QObject::connect(button, &QToolButton::clicked, Guard(), [this, Button] {
    if (ReportAndLive([&] { Button->Click(); })) Changed(pcChecked);
  });
}

TQtToolButtonPeer::~TQtToolButtonPeer() {
  if (auto* w = static_cast<TToolButtonWidget*>(ToolButton())) w->Detach();
  // Only there so that Qt draws the arrow; the model pops the real menu.
  FArrowMenu->deleteLater();
}

QToolButton* TQtToolButtonPeer::ToolButton() const { return static_cast<QToolButton*>(Widget()); }

void TQtToolButtonPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  switch (Change) {
    case pcKind:
    case pcDropdownMenu: ApplyKind(); break;
    case pcChecked: {
      QSignalBlocker block(ToolButton());
      ToolButton()->setChecked(Button()->Down());
      ToolButton()->setDown(Button()->Down() && Button()->Style() != tbsCheck);
      break;
    }
    case pcImageIndex: ApplyImage(); break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtToolButtonPeer::ToolBarChanged() {
  if (!Widget()) return;
  TApplying applying(this);
  ApplyKind();
  ApplyImage();
  ApplyText();
}

void TQtToolButtonPeer::ApplyKind() {
  QToolButton* b = ToolButton();
  const TToolButtonStyle style = Button()->Style();
  b->setCheckable(style == tbsCheck);
  if (style == tbsDropDown) {
    b->setMenu(FArrowMenu);
    b->setPopupMode(QToolButton::MenuButtonPopup);
  } else {
    b->setMenu(nullptr);
    b->setPopupMode(QToolButton::DelayedPopup);
  }
  const TToolBar* bar = Button()->ToolBar();
  b->setAutoRaise(!bar || bar->Flat());
  b->setEnabled(Button()->Enabled() && style != tbsSeparator && style != tbsDivider);
  b->update();
}

void TQtToolButtonPeer::ApplyImage() {
  const TToolBar* bar = Button()->ToolBar();
  const QIcon icon = IconOf(bar ? bar->Images() : nullptr, Button()->ImageIndex());
  ToolButton()->setIcon(icon);
  if (bar && bar->Images()) ToolButton()->setIconSize(QSize(bar->Images()->Width(), bar->Images()->Height()));
  ApplyText();
}

void TQtToolButtonPeer::ApplyText() {
  QToolButton* b = ToolButton();
  const TToolBar* bar = Button()->ToolBar();
  const bool captions = !bar || bar->ShowCaptions() || b->icon().isNull();
  b->setText(ToQ(Button()->Caption()));
  if (!captions)
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  else if (b->icon().isNull())
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  else
    b->setToolButtonStyle(bar && bar->List() ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonTextUnderIcon);
}

// ---- TStatusBar ----

TQtStatusBarPeer::TQtStatusBarPeer(TStatusBar* StatusBar) : TQtControlPeer(StatusBar) {
  Attach(new TStatusBarWidget(this, ParentClient()));
}

void TQtStatusBarPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  if (Change == pcPanels) {
    Widget()->update();
    return;
  }
  TQtControlPeer::Changed(Change);
  if (Change == pcBiDiMode || Change == pcText) Widget()->update();
}

QRect TQtStatusBarPeer::PanelRect(int Index) const {
  const TStatusPanels* panels = StatusBar()->Panels();
  int x = 0;
  for (int i = 0; i < Index && i < panels->Count(); ++i) x += panels->Items(i)->Width();
  if (Index < 0 || Index >= panels->Count()) return {};
  // The last panel takes what is left.
  const int width = Index == panels->Count() - 1 ? std::max(0, Widget()->width() - x) : panels->Items(Index)->Width();
  const QRect logical(x, 1, width - 2, Widget()->height() - 2);
  return QStyle::visualRect(Widget()->layoutDirection(), Widget()->rect(), logical);
}

}  // namespace host::qt
