// Published properties: which ones each class has, in which order, with
// which defaults and stored predicates, and the names of enumeration values.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "host/controls/ActnList.h"
#include "host/controls/Buttons.h"
#include "host/controls/ComCtrlsAll.h"
#include "host/controls/Forms.h"
#include "host/controls/Grids.h"
#include "host/controls/ListControls.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/StdRegister.h"
#include "host/core/ClassRegistry.h"

using namespace host;

namespace {

std::vector<std::string> Names(const TObject* obj) {
  std::vector<std::string> out;
  for (const TPropInfo* p : GetPropInfos(obj)) out.push_back(p->Name);
  return out;
}

int Pos(const std::vector<std::string>& names, const std::string& name) {
  auto it = std::find(names.begin(), names.end(), name);
  return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

// The names that are stored and differ from their defaults: what a writer
// that skips defaults would write.
std::vector<std::string> Written(const TObject* obj) {
  std::vector<std::string> out;
  for (const TPropInfo* p : GetPropInfos(obj))
    if (p->Kind != tkMethod && p->Kind != tkClass && IsStoredProp(obj, p) && !IsDefaultPropValue(obj, p)) out.push_back(p->Name);
  return out;
}

}  // namespace

TEST(PublishedProperties, ButtonListsAncestorsFirstThenItsOwnInOrder) {
  TForm form(nullptr);
  auto* b = new TButton(&form);
  const auto names = Names(b);
  ASSERT_GE(names.size(), 8u);
  EXPECT_EQ(names[0], "Name");
  EXPECT_EQ(names[1], "Tag");
  EXPECT_EQ(names[2], "Left");
  EXPECT_EQ(names[3], "Top");
  EXPECT_EQ(names[4], "Width");
  EXPECT_EQ(names[5], "Height");
  EXPECT_EQ(names[6], "Hint");
  EXPECT_EQ(names[7], "Action");
  EXPECT_LT(Pos(names, "BiDiMode"), Pos(names, "Caption"));
  EXPECT_LT(Pos(names, "Caption"), Pos(names, "Font"));
  EXPECT_LT(Pos(names, "Font"), Pos(names, "ParentBiDiMode"));
  EXPECT_LT(Pos(names, "ParentFont"), Pos(names, "Visible"));
  EXPECT_LT(Pos(names, "Visible"), Pos(names, "OnClick"));
  EXPECT_NE(Pos(names, "ModalResult"), -1);
  EXPECT_EQ(Pos(names, "Text"), -1);
}

TEST(PublishedProperties, TextControlsPublishTextAndListBoxesNeither) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  auto* memo = new TMemo(&form);
  auto* combo = new TComboBox(&form);
  auto* list = new TListBox(&form);
  auto* label = new TLabel(&form);
  EXPECT_NE(GetPropInfo(edit, "Text"), nullptr);
  EXPECT_EQ(GetPropInfo(edit, "Caption"), nullptr);
  EXPECT_NE(GetPropInfo(memo, "Text"), nullptr);
  EXPECT_EQ(GetPropInfo(memo, "Caption"), nullptr);
  EXPECT_NE(GetPropInfo(memo, "Lines"), nullptr);
  EXPECT_NE(GetPropInfo(combo, "Text"), nullptr);
  EXPECT_EQ(GetPropInfo(combo, "Caption"), nullptr);
  EXPECT_EQ(GetPropInfo(list, "Text"), nullptr);
  EXPECT_EQ(GetPropInfo(list, "Caption"), nullptr);
  EXPECT_NE(GetPropInfo(list, "Items"), nullptr);
  EXPECT_NE(GetPropInfo(label, "Caption"), nullptr);
  EXPECT_EQ(GetPropInfo(label, "Text"), nullptr);
  // The memo's text is stored through its Lines only.
  memo->Lines()->Add("one");
  EXPECT_FALSE(IsStoredProp(memo, "Text"));
  EXPECT_EQ(GetStrProp(memo, "Text"), "one");
}

TEST(PublishedProperties, CollectionsAndListsAreClassTyped) {
  TForm form(nullptr);
  auto* tree = new TTreeView(&form);
  auto* lv = new TListView(&form);
  auto* grid = new TDBGrid(&form);
  auto* bar = new TStatusBar(&form);
  EXPECT_TRUE(Is<TTreeNodes>(GetObjectProp(tree, "Items")));
  EXPECT_TRUE(Is<TListColumns>(GetObjectProp(lv, "Columns")));
  EXPECT_TRUE(Is<TCollection>(GetObjectProp(lv, "Items")));
  EXPECT_TRUE(Is<TDBGridColumns>(GetObjectProp(grid, "Columns")));
  EXPECT_TRUE(Is<TStatusPanels>(GetObjectProp(bar, "Panels")));
  // List items publish their texts, so that Items.Caption reaches them.
  TListItem* item = lv->Items()->Add();
  item->SetCaption("First");
  item->SubItems()->Add("sub");
  EXPECT_EQ(GetStrProp(item, "Caption"), "First");
  EXPECT_TRUE(Is<TStrings>(GetObjectProp(item, "SubItems")));
}

TEST(PublishedProperties, FreshControlsWriteOnlyWhatDiffersFromDefaults) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* button = new TButton(&form);
  button->SetParent(panel);
  auto* grid = new TStringGrid(&form);
  grid->SetParent(&form);
  auto written = Written(button);
  // Bounds (no defaults for the size) and nothing else.
  EXPECT_EQ(written, (std::vector<std::string>{"Width", "Height"}));
  button->SetCaption("OK");
  button->SetDefault(true);
  written = Written(button);
  EXPECT_NE(Pos(written, "Caption"), -1);
  EXPECT_NE(Pos(written, "Default"), -1);
  EXPECT_EQ(Pos(Written(grid), "Options"), -1);
  EXPECT_EQ(Pos(Written(grid), "ColCount"), -1);
  grid->SetOptions(grid->Options() + TGridOptions{goEditing});
  EXPECT_NE(Pos(Written(grid), "Options"), -1);
}

TEST(PublishedProperties, FontAndBiDiModeAreStoredOnlyWithoutTheParentFlag) {
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  EXPECT_FALSE(IsStoredProp(label, "Font"));
  EXPECT_FALSE(IsStoredProp(label, "BiDiMode"));
  label->Font()->SetCharset(GREEK_CHARSET);
  EXPECT_TRUE(IsStoredProp(label, "Font"));
  EXPECT_FALSE(label->ParentFont());
  label->SetBiDiMode(bdRightToLeft);
  EXPECT_TRUE(IsStoredProp(label, "BiDiMode"));
  // The form has no parent: its font is always its own.
  EXPECT_FALSE(form.ParentFont());
  EXPECT_TRUE(IsStoredProp(&form, "Font"));
}

TEST(PublishedProperties, FormsStoreTheirClientSizeNotTheirOuterSize) {
  TForm form(nullptr);
  form.SetClientWidth(400);
  form.SetClientHeight(300);
  EXPECT_FALSE(IsStoredProp(&form, "Width"));
  EXPECT_FALSE(IsStoredProp(&form, "Height"));
  EXPECT_TRUE(IsStoredProp(&form, "ClientWidth"));
  EXPECT_EQ(GetOrdProp(&form, "ClientWidth"), 400);
  EXPECT_EQ(form.FormClassName(), "TForm");
  form.SetFormClassName("TMainForm");
  EXPECT_EQ(form.FormClassName(), "TMainForm");
}

TEST(PublishedProperties, EnumerationAndSetValuesHaveTheHostNames) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  auto* tb = new TToolButton(&form);
  auto* lv = new TListView(&form);
  auto* grid = new TStringGrid(&form);
  panel->SetAlign(alClient);
  form.SetBorderStyle(bsDialog);
  tb->SetStyle(tbsDropDown);
  lv->SetViewStyle(vsReport);
  const TPropInfo* align = GetPropInfo(panel, "Align");
  EXPECT_EQ(GetEnumName(align->PropType, static_cast<int>(GetOrdProp(panel, align))), "alClient");
  EXPECT_EQ(GetEnumName(GetPropInfo(&form, "BorderStyle")->PropType, bsDialog), "bsDialog");
  EXPECT_EQ(GetEnumName(GetPropInfo(panel, "Alignment")->PropType, taCenter), "taCenter");
  EXPECT_EQ(GetEnumName(GetPropInfo(tb, "Style")->PropType, static_cast<int>(GetOrdProp(tb, "Style"))), "tbsDropDown");
  EXPECT_EQ(GetEnumName(GetPropInfo(lv, "ViewStyle")->PropType, vsReport), "vsReport");
  const TPropInfo* options = GetPropInfo(grid, "Options");
  EXPECT_EQ(SetToString(options, static_cast<std::int64_t>(TGridOptions{goEditing, goTabs}.Mask())), "[goEditing,goTabs]");
  SetOrdProp(grid, options, StringToSet(options, "[goRowSelect, goVertLine]"));
  EXPECT_TRUE(grid->Options().Contains(goRowSelect));
  EXPECT_FALSE(grid->Options().Contains(goEditing));
  EXPECT_EQ(GetEnumValue(align->PropType, "ALTOP"), alTop);
}

TEST(PublishedProperties, BitButtonKindGivesCaptionAndResultThatAreNotStored) {
  TForm form(nullptr);
  auto* b = new TBitBtn(&form);
  b->SetKind(bkOK);
  EXPECT_EQ(b->Caption(), "OK");
  EXPECT_EQ(b->ModalResult(), mrOk);
  EXPECT_TRUE(b->Default());
  EXPECT_FALSE(IsStoredProp(b, "Caption"));
  EXPECT_FALSE(IsStoredProp(b, "ModalResult"));
  b->SetCaption("Accept");
  EXPECT_TRUE(IsStoredProp(b, "Caption"));
}

TEST(PublishedProperties, RegisterStandardControlsMakesEveryClassCreatable) {
  RegisterStandardControls();
  RegisterStandardControls();  // twice is harmless
  for (const char* name : {"TForm", "TFrame", "TPanel", "TGroupBox", "TButton", "TBitBtn", "TSpeedButton", "TLabel",
                           "TEdit", "TMemo", "TCheckBox", "TCheckListBox", "TListBox", "TComboBox", "TTreeView",
                           "TListView", "TStringGrid", "TDBGrid", "TAction", "TActionList", "TMainMenu", "TPopupMenu",
                           "TMenuItem", "TToolBar", "TToolButton", "TStatusBar", "TPageControl", "TTabSheet",
                           "TSplitter", "TBevel", "TImageList", "TOpenDialog"}) {
    const TRegisteredClass* rc = FindRegisteredClass(name);
    ASSERT_NE(rc, nullptr) << name;
    std::unique_ptr<TComponent> c(rc->Create(nullptr));
    EXPECT_EQ(c->ClassName(), name);
  }
}

TEST(PublishedProperties, TextsReadInPlaceAgreeWithTheirCopies) {
  TForm form(nullptr);
  std::vector<TControl*> controls{&form,
                                  new TButton(&form),
                                  new TBitBtn(&form),
                                  new TLabel(&form),
                                  new TEdit(&form),
                                  new TMemo(&form),
                                  new TComboBox(&form)};
  for (const char* text : {"", " ", "a text too long to sit inside the string"}) {
    for (TControl* c : controls) {
      c->SetText(text);
      c->SetHint(text);
      for (const TPropInfo* p : GetPropInfos(c)) {
        if (p->Kind != tkLString) continue;
        const std::string copy = GetStrProp(c, p);
        EXPECT_EQ(IsEmptyStrProp(c, p), copy.empty()) << c->ClassName() << "." << p->Name;
        if (const std::string* own = StrPropRef(c, p)) {
          EXPECT_EQ(*own, copy) << c->ClassName() << "." << p->Name;
        }
      }
    }
  }
  // A memo builds its text from its lines: nothing to lend.
  EXPECT_EQ(StrPropRef(controls[5], GetPropInfo(controls[5], "Text")), nullptr);
}
