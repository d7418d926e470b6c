// Per-item state of list boxes, check list boxes and combo boxes follows
// the lines when they are inserted, deleted, exchanged or sorted.
#include <gtest/gtest.h>

#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/ListControls.h"

using namespace host;

TEST(ListBoxes, TheCurrentItemFollowsItsLine) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->Items()->SetCommaText("c,a,b");
  list->SetItemIndex(0);
  list->Items()->Insert(0, "first");
  EXPECT_EQ(list->ItemIndex(), 1);
  list->SetSorted(true);
  EXPECT_EQ(list->Items()->Get(list->ItemIndex()), "c");
  list->Items()->Delete(list->ItemIndex());
  EXPECT_EQ(list->ItemIndex(), -1);
  list->SetItemIndex(7);
  EXPECT_EQ(list->ItemIndex(), -1);
  list->Items()->Add("aa");  // a sorted list puts it in place
  EXPECT_EQ(list->Items()->Get(1), "aa");
}

TEST(ListBoxes, MultiSelectionKeepsOneFlagPerLine) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->SetMultiSelect(true);
  list->Items()->SetCommaText("a,b,c,d");
  list->SetSelected(1, true);
  list->SetSelected(3, true);
  EXPECT_EQ(list->SelCount(), 2);
  list->Items()->Exchange(1, 2);
  EXPECT_TRUE(list->Selected(2));
  EXPECT_FALSE(list->Selected(1));
  list->Items()->Delete(0);
  EXPECT_TRUE(list->Selected(1));
  EXPECT_TRUE(list->Selected(2));
  list->SetMultiSelect(false);
  EXPECT_LE(list->SelCount(), 1);
  EXPECT_THROW(list->Selected(10), EListError);
}

TEST(CheckListBoxes, CheckMarksStayWithTheirLines) {
  TForm form(nullptr);
  auto* list = new TCheckListBox(&form);
  list->Items()->SetCommaText("German,English,French");
  list->SetChecked(0, true);
  list->SetState(2, cbGrayed);
  list->Items()->Insert(1, "Arabic");
  EXPECT_TRUE(list->Checked(0));
  EXPECT_FALSE(list->Checked(1));
  EXPECT_EQ(list->State(3), cbGrayed);
  static_cast<TStringList*>(list->Items())->Sort();  // Arabic, English, French, German
  EXPECT_EQ(list->Items()->Get(3), "German");
  EXPECT_TRUE(list->Checked(3));
  EXPECT_EQ(list->State(2), cbGrayed);
  EXPECT_FALSE(list->Checked(0));
  list->SetItemEnabled(1, false);
  list->UserToggleCheck(1);
  EXPECT_FALSE(list->Checked(1));
  list->SetAllowGrayed(true);
  list->UserToggleCheck(0);
  EXPECT_EQ(list->State(0), cbGrayed);
  list->Items()->Clear();
  list->Items()->Add("fresh");
  EXPECT_FALSE(list->Checked(0));
}

TEST(CheckBoxes, ChangingTheStateByCodeClicksExceptWhileReading) {
  TForm form(nullptr);
  auto* check = new TCheckBox(&form);
  int clicks = 0;
  check->SetOnClick([&](TObject*) { ++clicks; });
  check->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  check->SetLoading(true);
  check->SetChecked(false);
  check->SetLoading(false);
  EXPECT_EQ(clicks, 1);
  check->Toggle();
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(clicks, 2);
}

TEST(ComboBoxes, TextAndItemIndexGoTogether) {
  TForm form(nullptr);
  auto* combo = new TComboBox(&form);
  combo->Items()->SetCommaText("Red,Green,Blue");
  std::vector<std::string> changes;
  combo->SetOnChange([&](TObject*) { changes.push_back(combo->Text()); });
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "Green");
  combo->SetText("blue");  // found ignoring case
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->SetText("Purple");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "Purple");
  combo->Items()->Insert(0, "White");
  combo->SetItemIndex(3);
  combo->Items()->Delete(0);
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->SetStyle(csDropDownList);
  combo->SetText("Nothing");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(changes, (std::vector<std::string>{"blue", "Purple"}));
}

TEST(ComboBoxes, AnIndexReadBeforeTheItemsIsKeptUntilLoaded) {
  TForm form(nullptr);
  auto* combo = new TComboBox(&form);
  combo->SetLoading(true);
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(1);
  combo->Items()->SetCommaText("One,Two");
  combo->Loaded();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "Two");
}
