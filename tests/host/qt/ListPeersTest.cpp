// List boxes, check list boxes and combo boxes on real widgets.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

#include "host/controls/ListControls.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

template <class T>
T* Place(TForm* Form, int W = 150, int H = 100) {
  return test::Place<T>(Form, 10, 10, W, H);
}

TEST(QtListBoxPeer, ItemsAndTheCurrentItemGoBothWays) {
  TFormPtr form = NewForm();
  auto* list = Place<TListBox>(form.get());
  list->Items()->Add("Red");
  list->Items()->Add("Green");
  list->SetItemIndex(1);
  int clicks = 0;
  list->SetOnClick([&](TObject*) { ++clicks; });
  form->Show();
  auto* w = WidgetAs<QListWidget>(list);
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(w->count(), 2);
  EXPECT_EQ(w->item(0)->text(), QString("Red"));
  EXPECT_EQ(w->currentRow(), 1);
  list->Items()->Add("Blue");
  list->Items()->Put(0, "Rot");
  ASSERT_EQ(w->count(), 3);
  EXPECT_EQ(w->item(0)->text(), QString("Rot"));
  EXPECT_EQ(w->item(2)->text(), QString("Blue"));
  list->SetItemIndex(2);
  EXPECT_TRUE(w->item(2)->isSelected());
  const int before = clicks;
  w->setCurrentRow(0);
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(clicks, before + 1);
  list->Items()->Delete(0);
  EXPECT_EQ(w->count(), 2);
}

TEST(QtListBoxPeer, MultiSelectionGoesBothWays) {
  TFormPtr form = NewForm();
  auto* list = Place<TListBox>(form.get());
  for (const char* s : {"a", "b", "c"}) list->Items()->Add(s);
  list->SetMultiSelect(true);
  form->Show();
  auto* w = WidgetAs<QListWidget>(list);
  EXPECT_EQ(w->selectionMode(), QAbstractItemView::ExtendedSelection);
  list->SetSelected(2, true);
  EXPECT_TRUE(w->item(2)->isSelected());
  w->item(0)->setSelected(true);
  EXPECT_TRUE(list->Selected(0));
  EXPECT_TRUE(list->Selected(2));
  EXPECT_EQ(list->SelCount(), 2);
}

TEST(QtCheckListBoxPeer, CheckMarksGoBothWaysAndFireOnClickCheck) {
  TFormPtr form = NewForm();
  auto* list = Place<TCheckListBox>(form.get());
  list->Items()->Add("Bold");
  list->Items()->Add("Italic");
  list->SetChecked(1, true);
  int checks = 0;
  list->SetOnClickCheck([&](TObject*) { ++checks; });
  form->Show();
  auto* w = WidgetAs<QListWidget>(list);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(w->item(1)->checkState(), Qt::Checked);
  list->SetChecked(0, true);
  EXPECT_EQ(w->item(0)->checkState(), Qt::Checked);
  w->item(1)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(list->Checked(1));
  EXPECT_EQ(checks, 1);
  list->SetItemEnabled(0, false);
  EXPECT_FALSE(w->item(0)->flags() & Qt::ItemIsEnabled);
}

TEST(QtComboBoxPeer, ChoosingAnItemFiresOnSelectAndTypingOnChange) {
  TFormPtr form = NewForm();
  auto* combo = Place<TComboBox>(form.get(), 150, 21);
  combo->Items()->Add("German");
  combo->Items()->Add("Arabic");
  int selects = 0, changes = 0;
  combo->SetOnSelect([&](TObject*) { ++selects; });
  combo->SetOnChange([&](TObject*) { ++changes; });
  form->Show();
  auto* w = WidgetAs<QComboBox>(combo);
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(w->count(), 2);
  EXPECT_TRUE(w->isEditable());
  combo->SetItemIndex(1);
  EXPECT_EQ(w->currentIndex(), 1);
  EXPECT_EQ(w->lineEdit()->text(), QString("Arabic"));
  w->setCurrentIndex(0);
  emit w->activated(0);
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), "German");
  EXPECT_EQ(selects, 1);
  w->lineEdit()->setFocus();
  w->lineEdit()->end(false);
  PressKey(w->lineEdit(), Qt::Key_S, Qt::NoModifier, "s");
  EXPECT_EQ(combo->Text(), "Germans");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_GE(changes, 1);
  combo->SetStyle(csDropDownList);
  EXPECT_FALSE(w->isEditable());
}

}  // namespace
}  // namespace host::qt::test
