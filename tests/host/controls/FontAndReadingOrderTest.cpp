// ParentFont, ParentBiDiMode and ParentColor: a control follows its
// parent's value while the flag is set, and setting a value by hand clears
// the flag.
#include <gtest/gtest.h>

#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/StdCtrls.h"

using namespace host;

namespace {
struct Form3 {
  TForm Form{nullptr};
  TPanel* Panel = new TPanel(&Form);
  TButton* Button = new TButton(&Form);
  TLabel* Label = new TLabel(&Form);
  Form3() {
    Panel->SetParent(&Form);
    Button->SetParent(Panel);
    Label->SetParent(&Form);
  }
};
}  // namespace

TEST(ParentFont, ChildrenFollowTheFormFontDownTheTree) {
  Form3 f;
  f.Form.Font()->SetName("Arial");
  f.Form.Font()->SetCharset(RUSSIAN_CHARSET);
  EXPECT_EQ(f.Panel->Font()->Name(), "Arial");
  EXPECT_EQ(f.Button->Font()->Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(f.Label->Font()->Charset(), RUSSIAN_CHARSET);
  EXPECT_TRUE(f.Button->ParentFont());
  EXPECT_TRUE(f.Panel->ParentFont());
}

TEST(ParentFont, SettingAFontPropertyByHandClearsTheFlagAndStopsFollowing) {
  Form3 f;
  f.Panel->Font()->SetCharset(GREEK_CHARSET);
  EXPECT_FALSE(f.Panel->ParentFont());
  EXPECT_EQ(f.Button->Font()->Charset(), GREEK_CHARSET);  // the panel's children follow the panel
  f.Form.Font()->SetCharset(ARABIC_CHARSET);
  EXPECT_EQ(f.Panel->Font()->Charset(), GREEK_CHARSET);
  EXPECT_EQ(f.Button->Font()->Charset(), GREEK_CHARSET);
  EXPECT_EQ(f.Label->Font()->Charset(), ARABIC_CHARSET);
}

TEST(ParentFont, SettingTheFlagAgainTakesTheParentsFontAtOnce) {
  Form3 f;
  f.Button->Font()->SetHeight(-20);
  f.Form.Font()->SetHeight(-14);
  EXPECT_EQ(f.Button->Font()->Height(), -20);
  f.Button->SetParentFont(true);
  EXPECT_EQ(f.Button->Font()->Height(), -14);
  EXPECT_TRUE(f.Button->ParentFont());
}

TEST(ParentFont, AControlTakesItsNewParentsFontWhenMoved) {
  Form3 f;
  f.Panel->Font()->SetName("Courier New");
  f.Label->SetParent(f.Panel);
  EXPECT_EQ(f.Label->Font()->Name(), "Courier New");
  EXPECT_TRUE(f.Label->ParentFont());
}

TEST(ParentBiDiMode, ReadingOrderFollowsTheParentUntilSetByHand) {
  Form3 f;
  f.Form.SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(f.Form.ParentBiDiMode());
  EXPECT_EQ(f.Panel->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(f.Button->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(f.Button->ParentBiDiMode());
  f.Panel->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(f.Panel->ParentBiDiMode());
  EXPECT_EQ(f.Button->BiDiMode(), bdLeftToRight);
  f.Form.SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(f.Label->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_EQ(f.Button->BiDiMode(), bdLeftToRight);
  f.Panel->SetParentBiDiMode(true);
  EXPECT_EQ(f.Button->BiDiMode(), bdRightToLeftReadingOnly);
}

TEST(ParentBiDiMode, TheFormsMenusFollowItsReadingOrder) {
  Form3 f;
  auto* menu = new TMainMenu(&f.Form);
  auto* popup = new TPopupMenu(&f.Form);
  popup->SetBiDiMode(bdLeftToRight);
  popup->SetParentBiDiMode(false);
  f.Form.SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(menu->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(popup->BiDiMode(), bdLeftToRight);
  // The localizer sets the value and then clears the flag, like on controls.
  SetOrdProp(menu, "BiDiMode", bdLeftToRight);
  SetOrdProp(menu, "ParentBiDiMode", 0);
  f.Form.SetBiDiMode(bdRightToLeftNoAlign);
  EXPECT_EQ(menu->BiDiMode(), bdLeftToRight);
}

TEST(ParentColor, LabelsTakeTheirParentsColour) {
  Form3 f;
  EXPECT_TRUE(f.Label->ParentColor());
  f.Form.SetColor(clRed);
  EXPECT_EQ(f.Label->Color(), clRed);
  EXPECT_EQ(f.Button->Color(), clBtnFace);
  f.Label->SetColor(clBlue);
  EXPECT_FALSE(f.Label->ParentColor());
  f.Form.SetColor(clGreen);
  EXPECT_EQ(f.Label->Color(), clBlue);
}

TEST(ShowHint, ChildrenTakeTheParentsShowHintWhenInserted) {
  TForm form(nullptr);
  form.SetShowHint(true);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  EXPECT_TRUE(edit->ShowHint());
  EXPECT_FALSE(IsStoredProp(edit, "ShowHint"));
  edit->SetShowHint(false);
  EXPECT_FALSE(edit->ParentShowHint());
  EXPECT_TRUE(IsStoredProp(edit, "ShowHint"));
}

TEST(ShowHint, ALaterChangeReachesEveryChildThatFollowsItsParent) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* inner = new TEdit(&form);
  inner->SetParent(panel);
  auto* own = new TEdit(&form);
  own->SetParent(&form);
  own->SetShowHint(false);
  form.SetShowHint(true);
  EXPECT_TRUE(panel->ShowHint());
  EXPECT_TRUE(inner->ShowHint()) << "through the panel";
  EXPECT_FALSE(own->ShowHint()) << "a control with its own setting keeps it";
  own->SetParentShowHint(true);
  EXPECT_TRUE(own->ShowHint());
}
