// The property tree engine: which properties become nodes and in which
// order, the texts behind nodes, the selected paths, writing by path and
// the list-valued paths.
#include <gtest/gtest.h>

#include <memory>

#include "design/AmbitPropsEngine.h"
#include "host/controls/ActnList.h"
#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/ListControls.h"
#include "host/controls/ListView.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/TreeView.h"
#include "tests/design/DesignTestSupport.h"

using namespace ambit;
using namespace host;

namespace {

struct PropsEngineTest : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TTreeView* Tree = new TTreeView(Form.get());
  TStringList Selected;
  TAmbitProps Props{Tree};

  PropsEngineTest() { Props.SetSelectedPaths(&Selected); }

  // The node at a dotted path of node texts; null when there is none.
  TTreeNode* Node(const std::string& Path) const {
    for (TTreeNode* n = Tree->Items()->GetFirstNode(); n; n = n->GetNext())
      if (TAmbitProps::GetPropNameText(n) == Path) return n;
    return nullptr;
  }
  std::vector<std::string> Roots() const {
    std::vector<std::string> out;
    for (TTreeNode* n = Tree->Items()->GetFirstNode(); n; n = n->GetNextSibling()) out.push_back(n->Text());
    return out;
  }
};

TEST_F(PropsEngineTest, AButtonShowsItsStoredTextsInReverseOrderWithoutNameOrOtherComponents) {
  auto* button = new TButton(Form.get());
  button->SetName("btnOpen");
  button->SetCaption("Open");
  button->SetHint("Opens");
  Selected.Add("caption");
  Props.SetTreeView(button);
  // Every control declares Hint, the button then Caption: the roots come
  // in reverse. Name and the font (only a name and numbers) make no node.
  EXPECT_EQ(Roots(), (std::vector<std::string>{"Caption", "Hint"}));
  EXPECT_EQ(Node("Caption")->ImageIndex(), 0);
  EXPECT_EQ(Node("Caption")->SelectedIndex(), 0);
  EXPECT_EQ(Node("Hint")->ImageIndex(), 1);
  EXPECT_EQ(Props.GetPropValue(Node("Caption")), "Open");
  TStringList list;
  Props.SetPropList(&list);
  EXPECT_EQ(design_test::Lines(&list), (std::vector<std::string>{"Caption"}));
  EXPECT_EQ(list.GetObject(0), Node("Caption"));
  EXPECT_FALSE(Props.PropIsClass("Caption"));
  EXPECT_FALSE(Props.PropIsClass("Font"));
  EXPECT_FALSE(Props.PropIsClass("Nothing.Here"));

  // Linked to an action, the caption is the action's and not stored; the
  // action itself is another component and is not followed.
  auto* action = new TAction(Form.get());
  action->SetName("actOpen");
  action->SetCaption("Open");
  action->SetHint("Opens a file");
  button->SetAction(action);
  button->SetHint("Opens this");
  Props.SetTreeView(button);
  EXPECT_EQ(Roots(), (std::vector<std::string>{"Hint"}));
}

TEST_F(PropsEngineTest, ListsAndCollectionsAreListValuedAndAnEmptyCollectionGetsNoNode) {
  auto* view = new TListView(Form.get());
  view->SetName("lvFiles");
  for (const char* caption : {"Name", "Size", "Date", "Kind"}) view->Columns()->Add()->SetCaption(caption);
  auto* box = new TListBox(Form.get());
  box->SetName("lbColors");
  box->Items()->SetCommaText("Red,\"Light yellow\"");

  Props.SetTreeView(view);
  // No items: the item collection has no node; the columns stand as one.
  EXPECT_EQ(Node("Items"), nullptr);
  ASSERT_NE(Node("Columns.Caption"), nullptr);
  EXPECT_EQ(Node("Columns")->ImageIndex(), 1);
  EXPECT_EQ(Props.GetPropValue(Node("Columns.Caption")), "Name,Size,Date,Kind");
  EXPECT_TRUE(Props.PropIsClass("Columns.Caption"));
  EXPECT_FALSE(Props.PropIsClass("Columns"));

  TAmbitProps::SetAmPropValue(view, "Columns.Caption", "Nom,Taille,\"Date de\"");
  EXPECT_EQ(view->Columns()->Items(0)->Caption(), "Nom");
  EXPECT_EQ(view->Columns()->Items(2)->Caption(), "Date de");
  EXPECT_EQ(view->Columns()->Items(3)->Caption(), "Kind");

  Props.SetTreeView(box);
  EXPECT_EQ(Node("Columns"), nullptr) << "the old tree is gone";
  ASSERT_NE(Node("Items"), nullptr);
  EXPECT_FALSE(Node("Items")->HasChildren());
  EXPECT_EQ(Props.GetPropValue(Node("Items")), "Red,\"Light yellow\"");
  EXPECT_TRUE(Props.PropIsClass("Items"));
  TAmbitProps::SetAmPropValue(box, "Hint", "");
  TAmbitProps::SetAmPropValue(box, "Hint", "Pick one");
  EXPECT_EQ(box->Hint(), "Pick one") << "written whatever the current text";
}

}  // namespace
