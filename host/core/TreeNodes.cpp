#include "host/core/TreeNodes.h"

#include <algorithm>

namespace host {

const TClass& TTreeNode::StaticClass() {
  static const TClass cls = TClassBuilder<TTreeNode>("TTreeNode", &TPersistent::StaticClass())
                                .Prop("Text", &TTreeNode::Text, &TTreeNode::SetText)
                                .Prop("ImageIndex", &TTreeNode::ImageIndex, &TTreeNode::SetImageIndex)
                                .Default(-1)
                                .Prop("SelectedIndex", &TTreeNode::SelectedIndex, &TTreeNode::SetSelectedIndex)
                                .Default(-1)
                                .Prop("StateIndex", &TTreeNode::StateIndex, &TTreeNode::SetStateIndex)
                                .Default(-1)
                                .Prop("Expanded", &TTreeNode::Expanded, &TTreeNode::SetExpanded)
                                .Default(false)
                                .Build();
  return cls;
}
const TClass& TTreeNode::ClassType() const { return StaticClass(); }

const TClass& TTreeNodes::StaticClass() {
  static const TClass cls = TClassBuilder<TTreeNodes>("TTreeNodes", &TPersistent::StaticClass()).Build();
  return cls;
}
const TClass& TTreeNodes::ClassType() const { return StaticClass(); }

// Frees nodes and their subtrees without recursion, so a very deep tree
// cannot exhaust the stack.
void TTreeNodes::FreeNodes(std::vector<std::unique_ptr<TTreeNode>>& Nodes) {
  std::vector<std::unique_ptr<TTreeNode>> stack = std::move(Nodes);
  Nodes.clear();
  while (!stack.empty()) {
    std::unique_ptr<TTreeNode> n = std::move(stack.back());
    stack.pop_back();
    for (auto& c : n->FChildren) stack.push_back(std::move(c));
  }
}

// Copies the children of Source and everything below them into new nodes
// of this tree whose top level hangs from Parent. Iterative, like FreeNodes.
std::vector<std::unique_ptr<TTreeNode>> TTreeNodes::CopyChildren(const TTreeNode& Source, TTreeNode* Parent) {
  std::vector<std::unique_ptr<TTreeNode>> result;
  struct Job {
    const TTreeNode* From;
    std::vector<std::unique_ptr<TTreeNode>>* Into;  // empty when the job starts
    TTreeNode* Parent;
  };
  std::vector<Job> jobs{{&Source, &result, Parent}};
  while (!jobs.empty()) {
    const Job job = jobs.back();
    jobs.pop_back();
    for (const auto& from : job.From->FChildren) {
      auto node = std::unique_ptr<TTreeNode>(new TTreeNode(this));
      node->FParent = job.Parent;
      node->FText = from->FText;
      node->FImageIndex = from->FImageIndex;
      node->FSelectedIndex = from->FSelectedIndex;
      node->FStateIndex = from->FStateIndex;
      node->FExpanded = from->FExpanded;
      node->FData = from->FData;
      job.Into->push_back(std::move(node));
    }
    for (std::size_t i = 0; i < job.From->FChildren.size(); ++i) {
      TTreeNode* copy = (*job.Into)[i].get();
      jobs.push_back({job.From->FChildren[i].get(), &copy->FChildren, copy});
    }
  }
  return result;
}

// ---- TTreeNode ----

void TTreeNode::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  FOwner->Notify(this, tcChanged);
}
void TTreeNode::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  FOwner->Notify(this, tcChanged);
}
void TTreeNode::SetSelectedIndex(int Value) {
  if (FSelectedIndex == Value) return;
  FSelectedIndex = Value;
  FOwner->Notify(this, tcChanged);
}
void TTreeNode::SetStateIndex(int Value) {
  if (FStateIndex == Value) return;
  FStateIndex = Value;
  FOwner->Notify(this, tcChanged);
}
void TTreeNode::SetExpanded(bool Value) {
  if (FExpanded == Value) return;
  FExpanded = Value;
  FOwner->Notify(this, tcChanged);
}

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FChildren[static_cast<std::size_t>(Index)].get();
}

int TTreeNode::Index() const {
  const auto& siblings = FParent ? FParent->FChildren : FOwner->FRoots;
  if (FIndexHint < siblings.size() && siblings[FIndexHint].get() == this) return static_cast<int>(FIndexHint);
  for (std::size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == this) {
      FIndexHint = i;
      return static_cast<int>(i);
    }
  return -1;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& siblings = FParent ? FParent->FChildren : FOwner->FRoots;
  const int i = Index();
  if (i < 0 || i + 1 >= static_cast<int>(siblings.size())) return nullptr;
  TTreeNode* next = siblings[static_cast<std::size_t>(i) + 1].get();
  next->FIndexHint = static_cast<std::size_t>(i) + 1;  // the walk goes on from there
  return next;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  const auto& siblings = FParent ? FParent->FChildren : FOwner->FRoots;
  const int i = Index();
  return i > 0 ? siblings[static_cast<std::size_t>(i) - 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front().get();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

int TTreeNode::AbsoluteIndex() const {
  FOwner->BuildIndex();
  return FAbsoluteIndex;
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

TPersistent* TTreeNode::GetOwner() const { return FOwner; }

void TTreeNode::Assign(const TPersistent* Source) {
  const auto* src = As<TTreeNode>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  // The whole subtree is copied before anything is freed: Source may be a
  // child of this node (freed below) or its parent (changed below).
  auto children = FOwner->CopyChildren(*src, this);
  FOwner->BeginUpdate();
  FText = src->FText;
  FImageIndex = src->FImageIndex;
  FSelectedIndex = src->FSelectedIndex;
  FStateIndex = src->FStateIndex;
  FExpanded = src->FExpanded;
  FData = src->FData;
  TTreeNodes::FreeNodes(FChildren);
  FChildren = std::move(children);
  FOwner->Invalidate();
  FOwner->Notify(this, tcChanged);
  FOwner->EndUpdate();
}

// ---- TTreeNodes ----

TTreeNodes::TTreeNodes(TPersistent* Owner) : FOwner(Owner) {}

TTreeNodes::~TTreeNodes() {
  FOnChange = nullptr;
  FreeNodes(FRoots);
}

void TTreeNodes::Invalidate() { FFlatValid = false; }

void TTreeNodes::BuildIndex() const {
  if (FFlatValid) return;
  FFlat.clear();
  // Iterative pre-order walk: deep trees must not exhaust the stack.
  std::vector<TTreeNode*> stack;
  for (auto it = FRoots.rbegin(); it != FRoots.rend(); ++it) stack.push_back(it->get());
  while (!stack.empty()) {
    TTreeNode* n = stack.back();
    stack.pop_back();
    n->FAbsoluteIndex = static_cast<int>(FFlat.size());
    FFlat.push_back(n);
    for (auto it = n->FChildren.rbegin(); it != n->FChildren.rend(); ++it) stack.push_back(it->get());
  }
  FFlatValid = true;
}

int TTreeNodes::Count() const {
  BuildIndex();
  return static_cast<int>(FFlat.size());
}

TTreeNode* TTreeNodes::Item(int Index) const {
  BuildIndex();
  if (Index < 0 || Index >= static_cast<int>(FFlat.size()))
    throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FFlat[static_cast<std::size_t>(Index)];
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* Node) {
  return Node && Node->FParent ? Node->FParent->FChildren : FRoots;
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* Parent, std::size_t Position, const std::string& S) {
  auto& list = Parent ? Parent->FChildren : FRoots;
  auto node = std::unique_ptr<TTreeNode>(new TTreeNode(this));
  node->FParent = Parent;
  node->FText = S;
  TTreeNode* raw = node.get();
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(Position, list.size())), std::move(node));
  Invalidate();
  Notify(raw, tcAdded);
  return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S) {
  TTreeNode* parent = Sibling ? Sibling->FParent : nullptr;
  return InsertNode(parent, SiblingsOf(Sibling).size(), S);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const std::string& S) {
  return InsertNode(Sibling ? Sibling->FParent : nullptr, 0, S);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& S) {
  return InsertNode(Parent, Parent ? Parent->FChildren.size() : FRoots.size(), S);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const std::string& S) { return InsertNode(Parent, 0, S); }

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const std::string& S) {
  if (!Sibling) return InsertNode(nullptr, FRoots.size(), S);
  return InsertNode(Sibling->FParent, static_cast<std::size_t>(Sibling->Index()), S);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node || Node->FOwner != this) return;
  Notify(Node, tcDeleting);
  auto& list = SiblingsOf(Node);
  auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == Node; });
  if (it != list.end()) {
    std::vector<std::unique_ptr<TTreeNode>> doomed;
    doomed.push_back(std::move(*it));
    list.erase(it);
    FreeNodes(doomed);
  }
  Invalidate();
}

void TTreeNodes::Clear() {
  if (FRoots.empty()) return;
  FreeNodes(FRoots);
  Invalidate();
  Notify(nullptr, tcReset);
}

void TTreeNodes::Assign(const TPersistent* Source) {
  const auto* src = As<TTreeNodes>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  try {
    FreeNodes(FRoots);
    Invalidate();
    for (const auto& root : src->FRoots) AddChild(nullptr, std::string())->Assign(root.get());
  } catch (...) {
    EndUpdate();
    throw;
  }
  FChangedWhileUpdating = true;
  EndUpdate();
}

void TTreeNodes::CustomSort(TTreeNode* Parent, const TNodeCompare& Compare, bool Recurse) {
  if (!Compare) return;
  // Level by level without recursion, like FreeNodes.
  std::vector<std::vector<std::unique_ptr<TTreeNode>>*> levels{Parent ? &Parent->FChildren : &FRoots};
  while (!levels.empty()) {
    auto* list = levels.back();
    levels.pop_back();
    std::stable_sort(list->begin(), list->end(),
                     [&](const auto& A, const auto& B) { return Compare(A.get(), B.get()) < 0; });
    if (Recurse)
      for (auto& n : *list)
        if (!n->FChildren.empty()) levels.push_back(&n->FChildren);
  }
  Invalidate();
  Notify(nullptr, tcReset);
}

void TTreeNodes::BeginUpdate() { ++FUpdateCount; }

void TTreeNodes::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
    FChangedWhileUpdating = false;
    if (FOnChange) FOnChange(nullptr, tcReset);
  }
}

void TTreeNodes::Notify(TTreeNode* Node, TTreeNodesChange Change) {
  if (FUpdateCount > 0) {
    FChangedWhileUpdating = true;
    return;
  }
  if (FOnChange) FOnChange(Node, Change);
}

}  // namespace host
