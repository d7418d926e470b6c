// TTreeView: a tree of TTreeNodes with a selected node, expansion driven by
// the user through OnExpanding/OnCollapsing, and state images.
#pragma once

#include <functional>
#include <memory>

#include "host/controls/WinControl.h"
#include "host/core/TreeNodes.h"

namespace host {

class TImageList;

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;
using TTVCompareEvent = std::function<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, int Data, int& Compare)>;

class TTreeView : public TWinControl {
  HOST_CLASS(TTreeView)
public:
  explicit TTreeView(TComponent* AOwner);
  ~TTreeView() override;

  TTreeNodes* Items() const { return FItems.get(); }
  void SetItems(const TTreeNodes* Value) { FItems->Assign(Value); }
  // The selected node; null for none. Deleting it clears the selection.
  TTreeNode* Selected() const;
  // Asks OnChanging, then selects and fires OnChange.
  void SetSelected(TTreeNode* Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // A right click selects the node under the mouse (the peer asks RightClickSelect).
  bool RightClickSelect() const { return FRightClickSelect; }
  void SetRightClickSelect(bool Value) { FRightClickSelect = Value; }
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  bool AutoExpand() const { return FAutoExpand; }
  void SetAutoExpand(bool Value) { FAutoExpand = Value; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TImageList* Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // While not stNone the nodes of each level stay in order: by OnCompare
  // when it is assigned, else by text ignoring case (stData orders only
  // through OnCompare). Setting it sorts the whole tree; a node added or
  // renamed later moves to its place.
  TSortType SortType() const { return FSortType; }
  void SetSortType(TSortType Value);
  // Sorts every level (with ARecurse; the top level only otherwise) by
  // OnCompare, else by text; true when sorted.
  bool AlphaSort(bool ARecurse = true);
  bool CustomSort(const TTreeNodes::TNodeCompare& Compare, bool ARecurse = true);

  void FullExpand();
  void FullCollapse();
  // The node at a point (control coordinates): asks the peer, else counts
  // rows of 16 pixels over the nodes whose parents are all expanded.
  TTreeNode* GetNodeAt(int X, int Y) const;

  // Reported by the peer. UserSelect returns whether the change was
  // allowed (the peer shows the old selection again when not);
  // UserExpand/UserCollapse likewise.
  bool UserSelect(TTreeNode* Node);
  bool UserExpand(TTreeNode* Node);
  bool UserCollapse(TTreeNode* Node);
  // In-place editing of a node's text: OnEditing may refuse, OnEdited may
  // change the text before it is set.
  bool CanEdit(TTreeNode* Node);
  void UserEdited(TTreeNode* Node, std::string Text);

  const TTVChangedEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TTVChangedEvent Value) { FOnChange = std::move(Value); }
  const TTVChangingEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TTVChangingEvent Value) { FOnChanging = std::move(Value); }
  const TTVExpandingEvent& OnExpanding() const { return FOnExpanding; }
  void SetOnExpanding(TTVExpandingEvent Value) { FOnExpanding = std::move(Value); }
  const TTVExpandedEvent& OnExpanded() const { return FOnExpanded; }
  void SetOnExpanded(TTVExpandedEvent Value) { FOnExpanded = std::move(Value); }
  const TTVCollapsingEvent& OnCollapsing() const { return FOnCollapsing; }
  void SetOnCollapsing(TTVCollapsingEvent Value) { FOnCollapsing = std::move(Value); }
  const TTVExpandedEvent& OnCollapsed() const { return FOnCollapsed; }
  void SetOnCollapsed(TTVExpandedEvent Value) { FOnCollapsed = std::move(Value); }
  const TTVEditingEvent& OnEditing() const { return FOnEditing; }
  void SetOnEditing(TTVEditingEvent Value) { FOnEditing = std::move(Value); }
  const TTVEditedEvent& OnEdited() const { return FOnEdited; }
  void SetOnEdited(TTVEditedEvent Value) { FOnEdited = std::move(Value); }
  const TTVCompareEvent& OnCompare() const { return FOnCompare; }
  void SetOnCompare(TTVCompareEvent Value) { FOnCompare = std::move(Value); }
  const TTVExpandedEvent& OnDeletion() const { return FOnDeletion; }
  void SetOnDeletion(TTVExpandedEvent Value) { FOnDeletion = std::move(Value); }

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void PushPeerState() override;

private:
  void NodesChanged(TTreeNode* Node, TTreeNodesChange Change);
  bool NodeExists(const TTreeNode* Node) const;
  void ApplySelection(TTreeNode* Value, bool TellPeer);
  void TellPeerNode(TTreeNode* Node, TTreeNodesChange Change) const;
  int CompareNodes(TTreeNode* Node1, TTreeNode* Node2) const;
  bool SortLevel(TTreeNode* Parent, const TTreeNodes::TNodeCompare& Compare, bool Recurse);
  bool InOrder(TTreeNode* Node) const;

  std::unique_ptr<TTreeNodes> FItems;
  mutable TTreeNode* FSelected = nullptr;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FRightClickSelect = false;
  bool FShowButtons = true;
  bool FShowLines = true;
  bool FShowRoot = true;
  bool FAutoExpand = false;
  TImageList* FImages = nullptr;
  TImageList* FStateImages = nullptr;
  TBorderStyle FBorderStyle = bsSingle;
  TSortType FSortType = stNone;
  bool FSorting = false;
  TTVChangedEvent FOnChange;
  TTVChangingEvent FOnChanging;
  TTVExpandingEvent FOnExpanding;
  TTVExpandedEvent FOnExpanded;
  TTVCollapsingEvent FOnCollapsing;
  TTVExpandedEvent FOnCollapsed;
  TTVEditingEvent FOnEditing;
  TTVEditedEvent FOnEdited;
  TTVCompareEvent FOnCompare;
  TTVExpandedEvent FOnDeletion;
};

}  // namespace host
