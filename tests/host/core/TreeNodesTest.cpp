// Tree nodes: the absolute order puts every node before its children,
// siblings in order; deep trees and self-referring copies are safe.
#include <gtest/gtest.h>

#include "host/core/TreeNodes.h"

using namespace host;

namespace {
std::vector<std::string> Texts(const TTreeNodes& n) {
  std::vector<std::string> out;
  for (int i = 0; i < n.Count(); ++i) out.push_back(n.Item(i)->Text());
  return out;
}
using V = std::vector<std::string>;
}  // namespace

TEST(TreeNodes, AbsoluteOrderIsEveryNodeBeforeItsChildren) {
  TTreeNodes n;
  auto* a = n.AddChild(nullptr, "a");
  auto* b = n.AddChild(nullptr, "b");
  auto* a1 = n.AddChild(a, "a1");
  n.AddChild(a1, "a1x");
  n.AddChild(a, "a2");
  n.AddChild(b, "b1");
  EXPECT_EQ(Texts(n), (V{"a", "a1", "a1x", "a2", "b", "b1"}));
  EXPECT_EQ(n.Count(), 6);
  EXPECT_EQ(b->AbsoluteIndex(), 4);
  EXPECT_EQ(a1->AbsoluteIndex(), 1);
  EXPECT_EQ(n[5]->Text(), "b1");
  EXPECT_EQ(n.RootCount(), 2);
  EXPECT_EQ(a1->Level(), 1);
  EXPECT_EQ(n.Item(2)->Level(), 2);
  EXPECT_EQ(a->Count(), 2);
  EXPECT_EQ(a->Item(1)->Text(), "a2");
  EXPECT_THROW(n.Item(6), EListError);
  EXPECT_THROW(a->Item(2), EListError);
}

TEST(TreeNodes, AddVariantsPlaceNodesWhereTheySay) {
  TTreeNodes n;
  auto* m = n.Add(nullptr, "m");
  n.AddFirst(m, "first");
  n.Add(m, "last");
  auto* c = n.AddChild(m, "c");
  n.AddChildFirst(m, "c0");
  n.Insert(c, "before c");
  n.Insert(nullptr, "end");
  EXPECT_EQ(Texts(n), (V{"first", "m", "c0", "before c", "c", "last", "end"}));
  EXPECT_EQ(m->GetFirstChild()->Text(), "c0");
  EXPECT_EQ(c->GetPrevSibling()->Text(), "before c");
  EXPECT_EQ(c->GetNextSibling(), nullptr);
  EXPECT_EQ(c->Parent(), m);
  EXPECT_EQ(c->Index(), 2);
  EXPECT_EQ(n.GetFirstNode()->Text(), "first");
}

TEST(TreeNodes, GetNextWalksTheAbsoluteOrder) {
  TTreeNodes n;
  auto* a = n.AddChild(nullptr, "a");
  n.AddChild(n.AddChild(a, "a1"), "a1x");
  n.AddChild(nullptr, "b");
  V walked;
  for (TTreeNode* p = n.GetFirstNode(); p; p = p->GetNext()) walked.push_back(p->Text());
  EXPECT_EQ(walked, Texts(n));
}

TEST(TreeNodes, IndexFollowsDeletes) {
  TTreeNodes n;
  auto* a = n.AddChild(nullptr, "a");
  n.AddChild(a, "a1");
  auto* b = n.AddChild(nullptr, "b");
  EXPECT_EQ(b->AbsoluteIndex(), 2);
  n.Delete(a);
  EXPECT_EQ(Texts(n), (V{"b"}));
  EXPECT_EQ(b->AbsoluteIndex(), 0);
  n.Delete(nullptr);
  TTreeNodes other;
  n.Delete(other.AddChild(nullptr, "foreign"));  // not ours: ignored
  EXPECT_EQ(other.Count(), 1);
  n.Clear();
  EXPECT_EQ(n.Count(), 0);
  EXPECT_EQ(n.GetFirstNode(), nullptr);
}

TEST(TreeNodes, NodePropertiesArePublished) {
  TTreeNodes n;
  auto* node = n.AddChild(nullptr, "t");
  SetStrProp(node, "text", "changed");
  SetOrdProp(node, "ImageIndex", 3);
  EXPECT_EQ(node->Text(), "changed");
  EXPECT_EQ(node->ImageIndex(), 3);
  EXPECT_EQ(GetPropInfo(node, "Text")->Kind, tkLString);
  EXPECT_EQ(node->GetOwner(), &n);
}

TEST(TreeNodes, DeepTreesDoNotExhaustTheStack) {
  TTreeNodes n;
  TTreeNode* p = nullptr;
  for (int i = 0; i < 100000; ++i) p = n.AddChild(p, "d");
  EXPECT_EQ(n.Count(), 100000);
  EXPECT_EQ(p->AbsoluteIndex(), 99999);
  TTreeNodes copy;
  copy.Assign(&n);
  EXPECT_EQ(copy.Count(), 100000);
  n.Clear();
}

TEST(TreeNodes, AssignCopiesTheWholeForest) {
  TTreeNodes a;
  auto* r = a.AddChild(nullptr, "r");
  auto* c = a.AddChild(r, "c");
  c->SetImageIndex(4);
  c->SetExpanded(true);
  a.AddChild(nullptr, "s");
  TTreeNodes b;
  b.AddChild(nullptr, "old");
  b.Assign(&a);
  EXPECT_EQ(Texts(b), (V{"r", "c", "s"}));
  EXPECT_EQ(b.Item(1)->ImageIndex(), 4);
  EXPECT_TRUE(b.Item(1)->Expanded());
  EXPECT_EQ(b.Item(1)->Owner(), &b);
  EXPECT_EQ(b.Item(1)->Parent(), b.Item(0));
  EXPECT_THROW(b.Assign(nullptr), EConvertError);
}

TEST(TreeNodes, NodeMayTakeTheSubtreeOfItsChildOrParent) {
  TTreeNodes n;
  auto* top = n.AddChild(nullptr, "top");
  auto* child = n.AddChild(top, "child");
  n.AddChild(child, "grand");
  top->Assign(child);  // the child is freed on the way
  EXPECT_EQ(Texts(n), (V{"child", "grand"}));
  auto* grand = n.Item(1);
  grand->Assign(n.Item(0));  // copies its own parent, itself included
  EXPECT_EQ(Texts(n), (V{"child", "child", "grand"}));
  EXPECT_EQ(n.Item(2)->Level(), 2);
}

TEST(TreeNodes, ChangesAreReportedOnceInsideABracket) {
  TTreeNodes n;
  std::vector<TTreeNodesChange> changes;
  n.SetOnChange([&](TTreeNode*, TTreeNodesChange c) { changes.push_back(c); });
  auto* a = n.AddChild(nullptr, "a");
  a->SetText("b");
  a->SetText("b");
  EXPECT_EQ(changes, (std::vector<TTreeNodesChange>{tcAdded, tcChanged}));
  n.BeginUpdate();
  a->SetText("c");
  n.AddChild(a, "x");
  n.Delete(a);
  EXPECT_EQ(changes.size(), 2u);
  n.EndUpdate();
  EXPECT_EQ(changes.back(), tcReset);
  EXPECT_EQ(changes.size(), 3u);
  n.BeginUpdate();
  n.EndUpdate();
  EXPECT_EQ(changes.size(), 3u);
}
