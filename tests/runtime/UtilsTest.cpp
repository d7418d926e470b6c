// Full names relative to a form, and the caption lists of tree nodes,
// list-view columns, grid columns and string lists.
#include <gtest/gtest.h>

#include "RuntimeTestSupport.h"
#include "host/core/Collection.h"
#include "host/core/TreeNodes.h"
#include "runtime/AmbitUtils.h"

using namespace ambit;
using namespace ambit_test;

namespace {

struct FormTree : ::testing::Test {
  TTestForm form{"Form1"};
  TTestForm* frame = new TTestForm("Panel1", &form);
  TTestForm* btnOK = new TTestForm("btnOK", frame);
  TTestForm* btnCancel = new TTestForm("btnCancel", &form);
};

using FullName = FormTree;

}  // namespace

TEST_F(FullName, FollowsTheOwnerChainUpToTheRoot) {
  EXPECT_EQ(GetFullName(btnOK, &form), "Panel1.btnOK");
  EXPECT_EQ(GetFullName(btnCancel, &form), "btnCancel");
  EXPECT_EQ(GetFullName(&form, &form), "Form1");
  EXPECT_EQ(GetFullName(btnOK, frame), "btnOK");
  // Without a root every owner up to the top is named.
  EXPECT_EQ(GetFullName(btnOK, nullptr), "Form1.Panel1.btnOK");
}

TEST_F(FullName, IsEmptyForNamelessOwnersForeignRootsAndAbsentObjects) {
  frame->SetName("");
  EXPECT_EQ(GetFullName(btnOK, &form), "");
  frame->SetName("Panel1");
  TTestForm other("Form2");
  EXPECT_EQ(GetFullName(btnOK, &other), "");
  EXPECT_EQ(GetFullName(nullptr, &form), "");
}

TEST_F(FullName, ObjectsThatAreNotComponentsTakeTheRootsName) {
  host::TStringList list;
  EXPECT_EQ(GetFullName(&list, &form), "Form1");
  EXPECT_EQ(GetFullName(&list, nullptr), "");
}

TEST_F(FullName, PropertyNamesJoinTheFullName) {
  EXPECT_EQ(GetFullPropName(btnOK, &form, "Caption"), "Panel1.btnOK.Caption");
  EXPECT_EQ(GetFullPropName(&form, &form, " Caption"), " Caption");
  EXPECT_EQ(GetFullPropName(btnCancel, &form, "Font.Name"), "btnCancel.Font.Name");
  EXPECT_EQ(GetFullPropName(btnOK, &form, "   "), "");
  EXPECT_EQ(GetFullPropName(&form, &form, ""), "");
  frame->SetName("");
  EXPECT_EQ(GetFullPropName(btnOK, &form, "Caption"), "");
}

TEST(CaptionLists, TreeNodesInItemOrderAndBack) {
  host::TTreeNodes nodes;
  auto* root = nodes.Add(nullptr, "OK Cancel");
  nodes.AddChild(root, "Hint");
  nodes.Add(nullptr, "");
  EXPECT_EQ(GetTreeNodesCaptions(&nodes), "\"OK Cancel\",Hint,");
  SetTreeNodesCaptions(&nodes, "Caption");
  EXPECT_EQ(nodes.Item(0)->Text(), "Caption");
  EXPECT_EQ(nodes.Item(1)->Text(), "Hint");
  SetTreeNodesCaptions(&nodes, "a,b,c,d,e");
  EXPECT_EQ(GetTreeNodesCaptions(&nodes), "a,b,c");
  EXPECT_EQ(nodes.UpdateCount(), 0);
  EXPECT_EQ(GetTreeNodesCaptions(nullptr), "");
  SetTreeNodesCaptions(nullptr, "x");
}

TEST(CaptionLists, ListViewAndGridColumns) {
  host::TListColumns cols(nullptr);
  cols.Add()->SetCaption("Name");
  cols.Add()->SetCaption("Value \"quoted\"");
  EXPECT_EQ(GetListColumnsCaptions(&cols), "Name,\"Value \"\"quoted\"\"\"");
  SetListColumnsCaptions(&cols, "Имя,Значение");
  EXPECT_EQ(cols.Items(1)->Caption(), "Значение");
  EXPECT_EQ(cols.UpdateCount(), 0);

  host::TDBGridColumns grid(nullptr);
  grid.Add()->Title()->SetCaption("A");
  grid.Add()->Title()->SetCaption("");
  EXPECT_EQ(GetDBGridColumnsCaptions(&grid), "A,");
  SetDBGridColumnsCaptions(&grid, ",B");
  EXPECT_EQ(grid.Items(0)->Title()->Caption(), "");
  EXPECT_EQ(grid.Items(1)->Title()->Caption(), "B");
  EXPECT_EQ(GetListColumnsCaptions(nullptr), "");
  EXPECT_EQ(GetDBGridColumnsCaptions(nullptr), "");
}

TEST(CaptionLists, SetStringsLeavesExactlyTheItems) {
  host::TStringList list;
  list.SetText("1\n2\n3\n4\n5");
  list.PutObject(0, &list);
  SetStrings(&list, "OK,Cancel");
  EXPECT_EQ(list.Text(), "OK\r\nCancel\r\n");
  EXPECT_EQ(list.GetObject(0), &list);  // line 0 was replaced in place
  SetStrings(&list, "a,\"b c\",,d");
  EXPECT_EQ(list.Text(), "a\r\nb c\r\n\r\nd\r\n");
  SetStrings(&list, "");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.UpdateCount(), 0);
  SetStrings(nullptr, "x");
}

namespace {
// A list whose Put fails, to see the update bracket closed on failure.
class TFailingList : public host::TStringList {
public:
  void Put(int, const std::string&) override { throw host::EListError("refused"); }
};
}  // namespace

TEST(CaptionLists, SetStringsClosesTheBracketWhenALineFails) {
  TFailingList list;
  list.Add("x");
  EXPECT_THROW(SetStrings(&list, "a,b"), host::EListError);
  EXPECT_EQ(list.UpdateCount(), 0);
}
