// The nodes of a tree view: a forest of nodes with texts, addressed by an
// absolute index in which every node comes before its children.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/core/TypInfo.h"

namespace host {

class TTreeNodes;

class TTreeNode : public TPersistent {
  HOST_CLASS(TTreeNode)
public:
  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int Value);
  int StateIndex() const { return FStateIndex; }
  void SetStateIndex(int Value);
  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }

  TTreeNodes* Owner() const { return FOwner; }
  TTreeNode* Parent() const { return FParent; }
  // Children, in order.
  int Count() const { return static_cast<int>(FChildren.size()); }
  TTreeNode* Item(int Index) const;
  bool HasChildren() const { return !FChildren.empty(); }
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next node in absolute order (children first, then siblings).
  TTreeNode* GetNext() const;
  // Position among its siblings.
  int Index() const;
  int AbsoluteIndex() const;
  int Level() const;
  // Copies text, indexes and the whole subtree of another node.
  void Assign(const TPersistent* Source) override;
  TPersistent* GetOwner() const override;

private:
  friend class TTreeNodes;
  explicit TTreeNode(TTreeNodes* Owner) : FOwner(Owner) {}

  TTreeNodes* FOwner;
  TTreeNode* FParent = nullptr;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
  std::string FText;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  int FStateIndex = -1;
  bool FExpanded = false;
  void* FData = nullptr;
  // Where the node stood among its siblings when last looked up; checked
  // before it is trusted, so that walking siblings stays linear.
  mutable std::size_t FIndexHint = 0;
  mutable int FAbsoluteIndex = -1;
};

enum TTreeNodesChange { tcAdded, tcDeleting, tcChanged, tcReset };

class TTreeNodes : public TPersistent {
  HOST_CLASS(TTreeNodes)
public:
  explicit TTreeNodes(TPersistent* Owner = nullptr);
  ~TTreeNodes() override;

  // All nodes.
  int Count() const;
  // By absolute index: every node before its children, siblings in order.
  // Raises EListError for an index out of range.
  TTreeNode* Item(int Index) const;
  TTreeNode* operator[](int Index) const { return Item(Index); }
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  // The top-level nodes.
  int RootCount() const { return static_cast<int>(FRoots.size()); }

  // A new last sibling of Sibling (a top-level node when Sibling is null).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
  TTreeNode* AddFirst(TTreeNode* Sibling, const std::string& S);
  // A new last (or first) child of Parent (top level when Parent is null).
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& S);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const std::string& S);
  // A new node just before Sibling (at the end of the top level when null).
  TTreeNode* Insert(TTreeNode* Sibling, const std::string& S);
  // Deletes the node and its subtree.
  void Delete(TTreeNode* Node);
  void Clear();
  // Copies the whole forest of another TTreeNodes.
  void Assign(const TPersistent* Source) override;

  // Orders the children of Parent (the top level when null), and with
  // Recurse every level below them, by Compare (negative: the first node
  // goes before the second); equal nodes keep their order. Reported as a
  // change of the whole tree.
  using TNodeCompare = std::function<int(TTreeNode* Node1, TTreeNode* Node2)>;
  void CustomSort(TTreeNode* Parent, const TNodeCompare& Compare, bool Recurse);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  TPersistent* GetOwner() const override { return FOwner; }

  // Called after a change outside an update bracket (node null for a change
  // of the whole tree); EndUpdate reports changes made inside it once.
  using TChangeEvent = std::function<void(TTreeNode* Node, TTreeNodesChange Change)>;
  const TChangeEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TChangeEvent Value) { FOnChange = std::move(Value); }

private:
  friend class TTreeNode;
  static void FreeNodes(std::vector<std::unique_ptr<TTreeNode>>& Nodes);
  std::vector<std::unique_ptr<TTreeNode>> CopyChildren(const TTreeNode& Source, TTreeNode* Parent);
  TTreeNode* InsertNode(TTreeNode* Parent, std::size_t Position, const std::string& S);
  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Node);
  void Invalidate();
  void BuildIndex() const;
  void Notify(TTreeNode* Node, TTreeNodesChange Change);

  TPersistent* FOwner;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  mutable std::vector<TTreeNode*> FFlat;  // absolute order, built on demand
  mutable bool FFlatValid = true;
  int FUpdateCount = 0;
  bool FChangedWhileUpdating = false;
  TChangeEvent FOnChange;
};

}  // namespace host
