// Tree views and list views on real widgets: nodes and items, expansion,
// selection, check marks, column clicks, in-place edits, drag and drop.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QImage>
#include <QMimeData>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "host/controls/DBGrids.h"
#include "host/controls/ImgList.h"
#include "host/controls/ListView.h"
#include "host/controls/RgbaImage.h"
#include "host/controls/TreeView.h"
#include "host/qt/QtDrag.h"
#include "host/qt/QtListViewPeer.h"
#include "host/qt/QtTreeViewPeer.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

template <class T>
T* Place(TForm* Form) {
  return test::Place<T>(Form, 10, 10, 250, 200);
}

TEST(QtTreeViewPeer, NodesFollowTheModelOneByOne) {
  TFormPtr form = NewForm();
  auto* tree = Place<TTreeView>(form.get());
  TTreeNode* root = tree->Items()->Add(nullptr, "Forms");
  tree->Items()->AddChild(root, "Main");
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(tree);
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(w->topLevelItemCount(), 1);
  EXPECT_EQ(w->topLevelItem(0)->text(0), QString("Forms"));
  ASSERT_EQ(w->topLevelItem(0)->childCount(), 1);
  TTreeNode* about = tree->Items()->AddChildFirst(root, "About");
  ASSERT_EQ(w->topLevelItem(0)->childCount(), 2);
  EXPECT_EQ(w->topLevelItem(0)->child(0)->text(0), QString("About"));
  about->SetText("About box");
  EXPECT_EQ(w->topLevelItem(0)->child(0)->text(0), QString("About box"));
  tree->Items()->Delete(about);
  ASSERT_EQ(w->topLevelItem(0)->childCount(), 1);
  EXPECT_EQ(w->topLevelItem(0)->child(0)->text(0), QString("Main"));
  tree->Items()->Clear();
  EXPECT_EQ(w->topLevelItemCount(), 0);
}

TEST(QtTreeViewPeer, ASortedTreeShowsTheModelsOrderWithItsPictures) {
  TFormPtr form = NewForm();
  auto* tree = Place<TTreeView>(form.get());
  auto* images = new TImageList(form.get());
  TRgbaImage glyph(16, 16);
  glyph.FillEllipse({2, 2, 14, 14}, RgbaOf(clRed));
  images->Add(glyph);
  tree->SetStateImages(images);
  TTreeNode* b = tree->Items()->Add(nullptr, "b");
  tree->Items()->AddChild(b, "y");
  tree->Items()->AddChild(b, "x");
  b->SetExpanded(true);
  form->Show();
  tree->SetSortType(stText);
  tree->Items()->Add(nullptr, "a")->SetStateIndex(0);
  tree->Items()->AddChild(b, "w");
  auto* w = WidgetAs<QTreeWidget>(tree);
  ASSERT_EQ(w->topLevelItemCount(), 2);
  EXPECT_EQ(w->topLevelItem(0)->text(0), QString("a"));
  QTreeWidgetItem* item = w->topLevelItem(1);
  ASSERT_EQ(item->childCount(), 3);
  EXPECT_EQ(item->child(0)->text(0), QString("w"));
  EXPECT_EQ(item->child(2)->text(0), QString("y"));
  EXPECT_TRUE(item->isExpanded());
  // The picture made in code decodes: red in the middle, clear in a corner.
  const QImage picture = w->topLevelItem(0)->icon(0).pixmap(16, 16).toImage();
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.pixelColor(8, 8), QColor(255, 0, 0));
  EXPECT_EQ(picture.pixelColor(0, 0).alpha(), 0);
}

TEST(QtTreeViewPeer, ExpandingGoesThroughTheModelWhichMayRefuse) {
  TFormPtr form = NewForm();
  auto* tree = Place<TTreeView>(form.get());
  TTreeNode* root = tree->Items()->Add(nullptr, "Root");
  tree->Items()->AddChild(root, "Child");
  bool allow = false;
  int expanded = 0;
  tree->SetOnExpanding([&](TObject*, TTreeNode* Node, bool& Allow) {
    EXPECT_EQ(Node, root);
    Allow = allow;
  });
  tree->SetOnExpanded([&](TObject*, TTreeNode*) { ++expanded; });
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(tree);
  QTreeWidgetItem* item = w->topLevelItem(0);
  item->setExpanded(true);
  EXPECT_FALSE(root->Expanded());
  EXPECT_FALSE(item->isExpanded());
  allow = true;
  item->setExpanded(true);
  EXPECT_TRUE(root->Expanded());
  EXPECT_EQ(expanded, 1);
  root->SetExpanded(false);
  EXPECT_FALSE(item->isExpanded());
}

TEST(QtTreeViewPeer, ChildrenFilledInWhileExpandingShowExpanded) {
  TFormPtr form = NewForm();
  auto* tree = Place<TTreeView>(form.get());
  TTreeNode* root = tree->Items()->Add(nullptr, "Root");
  TTreeNode* placeholder = tree->Items()->AddChild(root, "...");
  tree->SetOnExpanding([&](TObject*, TTreeNode* Node, bool&) {
    if (!placeholder) return;
    tree->Items()->Delete(placeholder);
    placeholder = nullptr;
    tree->Items()->AddChild(Node, "A");
    tree->Items()->AddChild(Node, "B");
  });
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(tree);
  w->topLevelItem(0)->setExpanded(true);
  EXPECT_TRUE(root->Expanded());
  QTreeWidgetItem* item = w->topLevelItem(0);
  EXPECT_TRUE(item->isExpanded());
  ASSERT_EQ(item->childCount(), 2);
  EXPECT_EQ(item->child(1)->text(0), QString("B"));
}

TEST(QtTreeViewPeer, SelectionAndInPlaceEditsGoBothWays) {
  TFormPtr form = NewForm();
  auto* tree = Place<TTreeView>(form.get());
  TTreeNode* a = tree->Items()->Add(nullptr, "A");
  TTreeNode* b = tree->Items()->Add(nullptr, "B");
  TTreeNode* changed = nullptr;
  tree->SetOnChange([&](TObject*, TTreeNode* Node) { changed = Node; });
  tree->SetOnEdited([&](TObject*, TTreeNode*, std::string& S) { S += "!"; });
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(tree);
  tree->SetSelected(a);
  EXPECT_EQ(w->currentItem(), w->topLevelItem(0));
  w->setCurrentItem(w->topLevelItem(1));
  EXPECT_EQ(tree->Selected(), b);
  EXPECT_EQ(changed, b);
  // The user edits B's text; OnEdited has the last word.
  w->topLevelItem(1)->setText(0, "Bee");
  EXPECT_EQ(b->Text(), "Bee!");
  EXPECT_EQ(w->topLevelItem(1)->text(0), QString("Bee!"));
}

TEST(QtTreeViewPeer, TheNodeAtAPointComesFromTheWidget) {
  TFormPtr form = NewForm();
  auto* tree = Place<TTreeView>(form.get());
  tree->Items()->Add(nullptr, "First");
  TTreeNode* second = tree->Items()->Add(nullptr, "Second");
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(tree);
  const QRect r = w->visualItemRect(w->topLevelItem(1));
  const QPoint p = w->viewport()->mapTo(w, r.center());
  EXPECT_EQ(tree->GetNodeAt(p.x(), p.y()), second);
}

TListView* ReportView(TForm* Form) {
  auto* view = Place<TListView>(Form);
  view->SetViewStyle(vsReport);
  view->Columns()->Add()->SetCaption("Name");
  view->Columns()->Add()->SetCaption("Value");
  TListItem* item = view->Items()->Add();
  item->SetCaption("Caption");
  item->SubItems()->Add("Main window");
  view->Items()->Add()->SetCaption("Hint");
  return view;
}

TEST(QtListViewPeer, ColumnsItemsAndSubItemsShowAsAReport) {
  TFormPtr form = NewForm();
  TListView* view = ReportView(form.get());
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(view);
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(w->columnCount(), 2);
  EXPECT_EQ(w->headerItem()->text(1), QString("Value"));
  EXPECT_FALSE(w->isHeaderHidden());
  ASSERT_EQ(w->topLevelItemCount(), 2);
  EXPECT_EQ(w->topLevelItem(0)->text(1), QString("Main window"));
  view->Columns()->Items(1)->SetCaption("Wert");
  EXPECT_EQ(w->headerItem()->text(1), QString("Wert"));
  view->Items()->Items(1)->SetCaption("Tip");
  EXPECT_EQ(w->topLevelItem(1)->text(0), QString("Tip"));
  view->Items()->Insert(0)->SetCaption("Font");
  ASSERT_EQ(w->topLevelItemCount(), 3);
  EXPECT_EQ(w->topLevelItem(0)->text(0), QString("Font"));
  view->Items()->Delete(0);
  ASSERT_EQ(w->topLevelItemCount(), 2);
  EXPECT_EQ(w->topLevelItem(0)->text(0), QString("Caption"));
  view->SetShowColumnHeaders(false);
  EXPECT_TRUE(w->isHeaderHidden());
}

TEST(QtListViewPeer, SelectionChecksAndColumnClicksReachTheModel) {
  TFormPtr form = NewForm();
  TListView* view = ReportView(form.get());
  view->SetCheckboxes(true);
  TListItem* selected = nullptr;
  view->SetOnSelectItem([&](TObject*, TListItem* Item, bool Selected) {
    if (Selected) selected = Item;
  });
  int column = -1;
  view->SetOnColumnClick([&](TObject*, TListColumn* C) { column = C->Index(); });
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(view);
  w->topLevelItem(1)->setSelected(true);
  EXPECT_EQ(view->Selected(), view->Items()->Items(1));
  EXPECT_EQ(selected, view->Items()->Items(1));
  view->SetSelected(view->Items()->Items(0));
  EXPECT_TRUE(w->topLevelItem(0)->isSelected());
  EXPECT_FALSE(w->topLevelItem(1)->isSelected());
  w->topLevelItem(0)->setCheckState(0, Qt::Checked);
  EXPECT_TRUE(view->Items()->Items(0)->Checked());
  view->Items()->Items(1)->SetChecked(true);
  EXPECT_EQ(w->topLevelItem(1)->checkState(0), Qt::Checked);
  emit w->header()->sectionClicked(1);
  EXPECT_EQ(column, 1);
}

TEST(QtListViewPeer, ExtendingTheSelectionTellsOnlyTheItemsThatChange) {
  TFormPtr form = NewForm();
  TListView* view = ReportView(form.get());
  view->Items()->Add()->SetCaption("Font");
  view->SetMultiSelect(true);
  std::vector<std::string> events;
  view->SetOnSelectItem([&](TObject*, TListItem* Item, bool Selected) {
    events.push_back((Selected ? "+" : "-") + Item->Caption());
  });
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(view);
  w->topLevelItem(0)->setSelected(true);
  w->topLevelItem(2)->setSelected(true);
  EXPECT_EQ(events, (std::vector<std::string>{"+" + view->Items()->Items(0)->Caption(),
                                              "+" + view->Items()->Items(2)->Caption()}));
  events.clear();
  // Adding one between the two leaves the other two alone.
  w->topLevelItem(1)->setSelected(true);
  EXPECT_EQ(events, std::vector<std::string>{"+" + view->Items()->Items(1)->Caption()});
  events.clear();
  w->topLevelItem(0)->setSelected(false);
  EXPECT_EQ(events, std::vector<std::string>{"-" + view->Items()->Items(0)->Caption()});
  EXPECT_FALSE(view->Items()->Items(0)->Selected());
  EXPECT_TRUE(view->Items()->Items(2)->Selected());
}

TEST(QtListViewPeer, ColumnWidthsGoBothWays) {
  TFormPtr form = NewForm();
  TListView* view = ReportView(form.get());
  view->Columns()->Items(0)->SetWidth(80);
  view->Columns()->Items(1)->SetWidth(90);
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(view);
  EXPECT_EQ(w->columnWidth(0), 80);
  EXPECT_EQ(w->columnWidth(1), 90) << "the last column is not stretched";
  w->header()->resizeSection(0, 120);  // as a drag of its edge does
  EXPECT_EQ(view->Columns()->Items(0)->Width(), 120);
  view->Columns()->Items(1)->SetWidth(60);
  EXPECT_EQ(w->columnWidth(1), 60);
  // Resizing the window leaves the model's widths alone.
  view->SetWidth(view->Width() + 100);
  EXPECT_EQ(view->Columns()->Items(1)->Width(), 60);
}

TEST(QtListViewPeer, AStateImageShowsBeforeTheItemsImageAndKeepsItsPlaceWhenThereIsNone) {
  TFormPtr form = NewForm();
  auto* images = new TImageList(form.get());
  for (TColor color : {clRed, clBlue}) images->Add(TRgbaImage(16, 16, RgbaOf(color)));
  auto* list = Place<TListView>(form.get());
  list->SetViewStyle(vsReport);
  list->Columns()->Add()->SetCaption("Language");
  list->SetSmallImages(images);
  list->SetStateImages(images);
  for (int state : {1, -1}) {
    TListItem* item = list->Items()->Add();
    item->SetImageIndex(0);
    item->SetStateIndex(state);
  }
  form->Show();
  auto* w = WidgetAs<QTreeWidget>(list);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->iconSize(), QSize(32, 16));
  const QImage marked = w->topLevelItem(0)->icon(0).pixmap(QSize(32, 16)).toImage();
  const QImage plain = w->topLevelItem(1)->icon(0).pixmap(QSize(32, 16)).toImage();
  EXPECT_EQ(marked.pixelColor(4, 8), QColor(Qt::blue));
  EXPECT_EQ(marked.pixelColor(24, 8), QColor(Qt::red));
  EXPECT_EQ(plain.pixelColor(4, 8).alpha(), 0);
  EXPECT_EQ(plain.pixelColor(24, 8), QColor(Qt::red));
}

TEST(QtDBGridPeer, ColumnWidthsGoBothWaysSkippingHiddenColumns) {
  TFormPtr form = NewForm();
  auto* grid = Place<TDBGrid>(form.get());
  for (const char* field : {"Name", "Secret", "Value"}) grid->Columns()->Add()->SetFieldName(field);
  grid->Columns()->Items(1)->SetVisible(false);
  form->Show();
  auto* w = WidgetAs<QTableWidget>(grid);
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(w->columnCount(), 2);
  w->horizontalHeader()->resizeSection(1, 150);
  EXPECT_EQ(grid->Columns()->Items(2)->Width(), 150);
  EXPECT_EQ(grid->Columns()->Items(1)->Width(), 64);
  grid->Columns()->Items(0)->SetWidth(30);
  EXPECT_EQ(w->columnWidth(0), 30);
}

TEST(QtListViewPeer, DragAndDropAsksTheTargetAndDropsOnIt) {
  TFormPtr form = NewForm(600, 300);
  TListView* source = ReportView(form.get());
  source->SetDragMode(dmAutomatic);
  auto* target = new TTreeView(form.get());
  target->SetParent(form.get());
  target->SetBounds(300, 10, 250, 200);
  TTreeNode* node = target->Items()->Add(nullptr, "Drop here");
  int overs = 0;
  TObject* dropped = nullptr;
  TTreeNode* dropNode = nullptr;
  target->SetOnDragOver([&](TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    ++overs;
    Accept = Source == source;
  });
  target->SetOnDragDrop([&](TObject*, TObject* Source, int X, int Y) {
    dropped = Source;
    dropNode = target->GetNodeAt(X, Y);
  });
  TObject* endTarget = nullptr;
  source->SetOnEndDrag([&](TObject*, TObject* Target, int, int) { endTarget = Target; });
  form->Show();
  auto* tw = WidgetAs<QTreeWidget>(target);
  QMimeData mime;
  mime.setData(TQtDrag::MimeType(), QByteArray());
  const QPoint at = tw->visualItemRect(tw->topLevelItem(0)).center();
  auto enterAt = [&](QPoint P) {
    QDragEnterEvent enter(P, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(tw->viewport(), &enter);
    return enter.isAccepted();
  };
  // No drag of ours is running: the model is not asked.
  EXPECT_FALSE(enterAt(at));
  EXPECT_EQ(overs, 0);
  // The source begins dragging (Qt's own drag loop needs a real pointer, so
  // the test stands in for it and delivers the target's events).
  source->BeginDrag();
  ASSERT_TRUE(source->Dragging());
  TQtDrag::Start(source);
  EXPECT_TRUE(enterAt(at));
  EXPECT_EQ(overs, 1);
  QDragMoveEvent move(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tw->viewport(), &move);
  EXPECT_EQ(overs, 2);
  EXPECT_TRUE(move.isAccepted());
  QDropEvent drop(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tw->viewport(), &drop);
  EXPECT_EQ(dropped, source);
  EXPECT_EQ(dropNode, node);
  EXPECT_EQ(endTarget, target);
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(TQtDrag::Source(), nullptr);
}

}  // namespace
}  // namespace host::qt::test
