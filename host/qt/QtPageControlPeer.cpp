#include "host/qt/QtPageControlPeer.h"

#include <QHeaderView>
#include <QPainter>
#include <QTabBar>
#include <QTableWidget>

#include "host/qt/QtConvert.h"
#include "host/qt/QtImages.h"

namespace host::qt {

namespace {
class TPageWidget : public QWidget {
public:
  TPageWidget(TPageControl* Pages, QWidget* Parent) : QWidget(Parent), FPages(Pages) {}

protected:
  void paintEvent(QPaintEvent*) override {
    // The frame around the display rectangle.
    QPainter p(this);
    const TRect d = FPages->DisplayRect();
    const QRect r = QRect(d.Left, d.Top, d.Width(), d.Height()).adjusted(-2, -2, 1, 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
  }

private:
  TPageControl* FPages;
};
}  // namespace

// ---- TPageControl ----

TQtPageControlPeer::TQtPageControlPeer(TPageControl* PageControl) : TQtControlPeer(PageControl) {
  auto* widget = new TPageWidget(PageControl, ParentClient());
  Attach(widget);
  FTabBar = new QTabBar(widget);
  FTabBar->setDrawBase(false);
  FTabBar->setExpanding(false);
  QObject::connect(FTabBar, &QTabBar::currentChanged, Guard(), [this](int Tab) {
    if (Applying()) return;
    TPageControl* pages = this->PageControl();
    const int page = PageOfTab(Tab);
    // A refused change shows the old page again.
    if (ReportAndLive([&] { pages->UserSelectPage(page); })) {
      TApplying applying(this);
      ApplyActivePage();
    }
  });
}

int TQtPageControlPeer::PageOfTab(int Tab) const {
  if (Tab < 0 || Tab >= static_cast<int>(FTabPages.size())) return -1;
  return FTabPages[static_cast<std::size_t>(Tab)]->PageIndex();
}

void TQtPageControlPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  switch (Change) {
    case pcItems:
    case pcImages:
      ApplyTabs();
      ApplyActivePage();
      break;
    case pcActivePage: ApplyActivePage(); break;
    case pcFont:
      TQtControlPeer::Changed(Change);
      PlaceTabBar();
      break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtPageControlPeer::ApplyBounds() {
  TQtControlPeer::ApplyBounds();
  PlaceTabBar();
}

void TQtPageControlPeer::PlaceTabBar() {
  const TPageControl* pc = PageControl();
  const int w = pc->Width();
  const int h = pc->Height();
  const int t = TPageControl::TabHeight;
  switch (pc->TabPosition()) {
    case tpBottom:
      FTabBar->setShape(QTabBar::RoundedSouth);
      FTabBar->setGeometry(2, h - t, w - 4, t);
      break;
    case tpLeft:
      FTabBar->setShape(QTabBar::RoundedWest);
      FTabBar->setGeometry(0, 2, t, h - 4);
      break;
    case tpRight:
      FTabBar->setShape(QTabBar::RoundedEast);
      FTabBar->setGeometry(w - t, 2, t, h - 4);
      break;
    case tpTop:
      FTabBar->setShape(QTabBar::RoundedNorth);
      FTabBar->setGeometry(2, 0, w - 4, t);
      break;
  }
}

void TQtPageControlPeer::ApplyTabs() {
  const TPageControl* pc = PageControl();
  QSignalBlocker block(FTabBar);
  FTabPages.clear();
  for (int i = 0; i < pc->PageCount(); ++i)
    if (pc->Pages(i)->TabVisible()) FTabPages.push_back(pc->Pages(i));
  while (FTabBar->count() > static_cast<int>(FTabPages.size())) FTabBar->removeTab(FTabBar->count() - 1);
  for (std::size_t i = 0; i < FTabPages.size(); ++i) {
    const int tab = static_cast<int>(i);
    if (tab >= FTabBar->count()) FTabBar->addTab(QString());
    FTabBar->setTabText(tab, ToQ(FTabPages[i]->Caption()));
    FTabBar->setTabIcon(tab, IconOf(pc->Images(), FTabPages[i]->ImageIndex()));
  }
  PlaceTabBar();
}

void TQtPageControlPeer::ApplyActivePage() {
  const TPageControl* pc = PageControl();
  QSignalBlocker block(FTabBar);
  int tab = -1;
  for (std::size_t i = 0; i < FTabPages.size(); ++i)
    if (FTabPages[i] == pc->ActivePage()) tab = static_cast<int>(i);
  FTabBar->setCurrentIndex(tab);
  for (int i = 0; i < pc->PageCount(); ++i)
    if (auto* peer = dynamic_cast<TQtTabSheetPeer*>(pc->Pages(i)->Peer())) peer->Changed(pcVisible);
}

// ---- TTabSheet ----

TQtTabSheetPeer::TQtTabSheetPeer(TTabSheet* Sheet) : TQtControlPeer(Sheet) { Attach(new QWidget(ParentClient())); }

void TQtTabSheetPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TQtControlPeer::Changed(Change);
  // The tab shows the sheet's caption and image.
  if (Change == pcText || Change == pcTabVisible || Change == pcImageIndex)
    if (TPageControl* pc = Sheet()->PageControl())
      if (TQtControlPeer* peer = Of(pc)) peer->Changed(pcItems);
}

void TQtTabSheetPeer::ApplyVisible() {
  const TTabSheet* s = Sheet();
  Widget()->setVisible(s->Visible() && s->PageControl() && s->PageControl()->ActivePage() == s);
}

void TQtTabSheetPeer::ApplyText() {}

void TQtTabSheetPeer::ApplyColor() { ApplyColors(Widget(), Control()->Color(), Control()->Font()->Color()); }

// ---- TDBGrid ----

TQtDBGridPeer::TQtDBGridPeer(TDBGrid* Grid) : TQtControlPeer(Grid) {
  auto* table = new QTableWidget(ParentClient());
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Attach(table);
  WatchEvents(table->viewport());
  QObject::connect(table->horizontalHeader(), &QHeaderView::sectionClicked, Guard(), [this, Grid](int Section) {
    const auto it = std::find(FShown.begin(), FShown.end(), Section);
    if (it == FShown.end()) return;
    const int column = static_cast<int>(it - FShown.begin());
    TQtWidgetSet::Report([&] { Grid->UserTitleClick(column); });
  });
  QObject::connect(table->horizontalHeader(), &QHeaderView::sectionResized, Guard(),
                   [this, Grid](int Section, int, int Size) {
                     if (Applying()) return;
                     const auto it = std::find(FShown.begin(), FShown.end(), Section);
                     if (it == FShown.end()) return;
                     const int column = static_cast<int>(it - FShown.begin());
                     Report([&] { Grid->UserSetColumnWidth(column, Size); });
                   });
}

QTableWidget* TQtDBGridPeer::Table() const { return static_cast<QTableWidget*>(Widget()); }

void TQtDBGridPeer::Changed(TPeerChange Change) {
  if (!Widget()) return;
  TApplying applying(this);
  QTableWidget* t = Table();
  const TDBGrid* g = Grid();
  switch (Change) {
    case pcColumns:
    case pcOptions:
      ApplyColumns();
      t->horizontalHeader()->setVisible(g->Options().Contains(dgTitles));
      t->verticalHeader()->setVisible(g->Options().Contains(dgIndicator));
      t->setShowGrid(g->Options().Contains(dgColLines) || g->Options().Contains(dgRowLines));
      break;
    case pcBevel: t->setFrameShape(g->BorderStyle() == bsNone ? QFrame::NoFrame : QFrame::StyledPanel); break;
    default: TQtControlPeer::Changed(Change); break;
  }
}

void TQtDBGridPeer::ApplyColumns() {
  QTableWidget* t = Table();
  const TDBGridColumns* columns = Grid()->Columns();
  FShown.assign(static_cast<std::size_t>(columns->Count()), -1);
  QStringList titles;
  std::vector<int> widths;
  for (int i = 0; i < columns->Count(); ++i) {
    const TColumn* c = columns->Items(i);
    if (!c->Visible()) continue;
    FShown[static_cast<std::size_t>(i)] = static_cast<int>(titles.size());
    titles << ToQ(c->Title()->Caption().empty() ? c->FieldName() : c->Title()->Caption());
    widths.push_back(c->Width());
  }
  t->setColumnCount(static_cast<int>(titles.size()));
  t->setHorizontalHeaderLabels(titles);
  t->horizontalHeader()->setFont(ToQFont(*Grid()->TitleFont()));
  for (std::size_t i = 0; i < widths.size(); ++i) t->setColumnWidth(static_cast<int>(i), widths[i]);
}

}  // namespace host::qt
