#include "host/controls/TreeView.h"

#include "host/controls/ImgList.h"
#include "host/controls/Publish.h"
#include "host/core/CaseFold.h"

namespace host {

const TClass& TTreeView::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TTreeView> b("TTreeView", &TWinControl::StaticClass());
    pub::Align(b);
    pub::Anchors(b);
    b.Prop("AutoExpand", &TTreeView::AutoExpand, &TTreeView::SetAutoExpand).Default(false);
    pub::BiDiMode(b);
    b.Prop("BorderStyle", &TTreeView::BorderStyle, &TTreeView::SetBorderStyle).Default(bsSingle);
    pub::Color(b, clWindow);
    pub::Constraints(b);
    pub::DragMode(b);
    pub::Enabled(b);
    pub::Font(b);
    b.Prop("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection).Default(true);
    b.Prop("Images", &TTreeView::Images, &TTreeView::SetImages);
    pub::ParentBiDiMode(b);
    pub::ParentColor(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    b.Prop("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly).Default(false);
    b.Prop("RightClickSelect", &TTreeView::RightClickSelect, &TTreeView::SetRightClickSelect).Default(false);
    b.Prop("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons).Default(true);
    pub::ShowHint(b);
    b.Prop("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines).Default(true);
    b.Prop("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot).Default(true);
    b.Prop("SortType", &TTreeView::SortType, &TTreeView::SetSortType).Default(stNone);
    b.Prop("StateImages", &TTreeView::StateImages, &TTreeView::SetStateImages);
    pub::TabOrder(b);
    pub::TabStop(b, true);
    pub::Visible(b);
    b.Prop("OnChange", &TTreeView::OnChange, &TTreeView::SetOnChange);
    b.Prop("OnChanging", &TTreeView::OnChanging, &TTreeView::SetOnChanging);
    pub::OnClick(b);
    b.Prop("OnCollapsed", &TTreeView::OnCollapsed, &TTreeView::SetOnCollapsed);
    b.Prop("OnCollapsing", &TTreeView::OnCollapsing, &TTreeView::SetOnCollapsing);
    b.Prop("OnCompare", &TTreeView::OnCompare, &TTreeView::SetOnCompare);
    pub::OnContextPopup(b);
    pub::OnDblClick(b);
    b.Prop("OnDeletion", &TTreeView::OnDeletion, &TTreeView::SetOnDeletion);
    pub::DragEvents(b);
    b.Prop("OnEdited", &TTreeView::OnEdited, &TTreeView::SetOnEdited);
    b.Prop("OnEditing", &TTreeView::OnEditing, &TTreeView::SetOnEditing);
    pub::OnEnter(b);
    pub::OnExit(b);
    b.Prop("OnExpanded", &TTreeView::OnExpanded, &TTreeView::SetOnExpanded);
    b.Prop("OnExpanding", &TTreeView::OnExpanding, &TTreeView::SetOnExpanding);
    pub::KeyEvents(b);
    pub::MouseEvents(b);
    pub::OnStartDrag(b);
    b.Prop("Items", &TTreeView::Items, &TTreeView::SetItems);
    return b.Build();
  }();
  return cls;
}
const TClass& TTreeView::ClassType() const { return StaticClass(); }

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  FSetCaptionOnRename = false;
  InitColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
  FItems->SetOnChange([this](TTreeNode* Node, TTreeNodesChange Change) { NodesChanged(Node, Change); });
}

TTreeView::~TTreeView() {
  Destroying();
  FItems->SetOnChange(nullptr);
  FSelected = nullptr;
}

bool TTreeView::NodeExists(const TTreeNode* Node) const {
  if (!Node) return false;
  // Compares addresses only: a freed node is never touched.
  const int count = FItems->Count();
  for (int i = 0; i < count; ++i)
    if (FItems->Item(i) == Node) return true;
  return false;
}

TTreeNode* TTreeView::Selected() const {
  // Inside an update bracket deletions are not reported one by one.
  if (FSelected && FItems->UpdateCount() > 0 && !NodeExists(FSelected)) FSelected = nullptr;
  return FSelected;
}

void TTreeView::TellPeerNode(TTreeNode* Node, TTreeNodesChange Change) const {
  if (Peer() && !IsDestroying()) Peer()->TreeNodeChanged(Node, Change);
}

void TTreeView::NodesChanged(TTreeNode* Node, TTreeNodesChange Change) {
  if (IsDestroying()) return;
  // A sorted tree puts a new or renamed node in its place first; the sort
  // reports the whole tree changed, which is what the peer hears then.
  if (FSortType != stNone && !FSorting) {
    if ((Change == tcAdded || Change == tcChanged) && Node && !InOrder(Node)) {
      SortLevel(Node->Parent(), [this](TTreeNode* A, TTreeNode* B) { return CompareNodes(A, B); }, false);
      return;
    }
    if (Change == tcReset) {
      AlphaSort(true);
      return;
    }
  }
  if (Change == tcDeleting && Node) {
    if (FOnDeletion) FOnDeletion(this, Node);
    // The selection goes when its node or an ancestor of it goes.
    for (TTreeNode* n = FSelected; n; n = n->Parent())
      if (n == Node) {
        FSelected = nullptr;
        PeerChanged(pcItemIndex);
        break;
      }
  } else if (Change == tcReset && FSelected && !NodeExists(FSelected)) {
    FSelected = nullptr;
    PeerChanged(pcItemIndex);
  }
  TellPeerNode(Node, Change);
}

int TTreeView::CompareNodes(TTreeNode* Node1, TTreeNode* Node2) const {
  if (FOnCompare) {
    int result = 0;
    FOnCompare(const_cast<TTreeView*>(this), Node1, Node2, 0, result);
    return result;
  }
  return FSortType == stData ? 0 : CompareText(Node1->Text(), Node2->Text());
}

bool TTreeView::InOrder(TTreeNode* Node) const {
  const TTreeNode* prev = Node->GetPrevSibling();
  const TTreeNode* next = Node->GetNextSibling();
  return (!prev || CompareNodes(const_cast<TTreeNode*>(prev), Node) <= 0) &&
         (!next || CompareNodes(Node, const_cast<TTreeNode*>(next)) <= 0);
}

void TTreeView::SetSortType(TSortType Value) {
  if (FSortType == Value) return;
  FSortType = Value;
  if (FSortType != stNone && !IsLoading()) AlphaSort(true);
}

bool TTreeView::AlphaSort(bool ARecurse) {
  return CustomSort([this](TTreeNode* A, TTreeNode* B) { return CompareNodes(A, B); }, ARecurse);
}

bool TTreeView::CustomSort(const TTreeNodes::TNodeCompare& Compare, bool ARecurse) {
  return SortLevel(nullptr, Compare, ARecurse);
}

bool TTreeView::SortLevel(TTreeNode* Parent, const TTreeNodes::TNodeCompare& Compare, bool Recurse) {
  // The reset the sort reports goes straight to the peer.
  if (!Compare || FSorting) return false;
  FSorting = true;
  try {
    FItems->CustomSort(Parent, Compare, Recurse);
  } catch (...) {
    FSorting = false;
    throw;
  }
  FSorting = false;
  return true;
}

void TTreeView::ApplySelection(TTreeNode* Value, bool TellPeer) {
  FSelected = Value;
  if (TellPeer) PeerChanged(pcItemIndex);
  if (FOnChange) FOnChange(this, Value);
}

void TTreeView::SetSelected(TTreeNode* Value) {
  if (Value && Value->Owner() != FItems.get()) return;
  if (Selected() == Value) return;
  bool allow = true;
  if (FOnChanging) FOnChanging(this, Value, allow);
  if (!allow) return;
  ApplySelection(Value, true);
}

bool TTreeView::UserSelect(TTreeNode* Node) {
  if (Node && Node->Owner() != FItems.get()) return false;
  if (Selected() == Node) return true;
  bool allow = true;
  if (FOnChanging) FOnChanging(this, Node, allow);
  if (!allow) return false;
  ApplySelection(Node, false);
  return true;
}

bool TTreeView::UserExpand(TTreeNode* Node) {
  if (!Node || Node->Expanded()) return true;
  bool allow = true;
  if (FOnExpanding) FOnExpanding(this, Node, allow);
  if (!allow) return false;
  {
    TPeerLock lock(this);
    FItems->SetOnChange(nullptr);
    Node->SetExpanded(true);
    FItems->SetOnChange([this](TTreeNode* N, TTreeNodesChange C) { NodesChanged(N, C); });
  }
  if (FOnExpanded) FOnExpanded(this, Node);
  return true;
}

bool TTreeView::UserCollapse(TTreeNode* Node) {
  if (!Node || !Node->Expanded()) return true;
  bool allow = true;
  if (FOnCollapsing) FOnCollapsing(this, Node, allow);
  if (!allow) return false;
  FItems->SetOnChange(nullptr);
  Node->SetExpanded(false);
  FItems->SetOnChange([this](TTreeNode* N, TTreeNodesChange C) { NodesChanged(N, C); });
  if (FOnCollapsed) FOnCollapsed(this, Node);
  return true;
}

bool TTreeView::CanEdit(TTreeNode* Node) {
  if (FReadOnly || !Node) return false;
  bool allow = true;
  if (FOnEditing) FOnEditing(this, Node, allow);
  return allow;
}

void TTreeView::UserEdited(TTreeNode* Node, std::string Text) {
  if (!Node) return;
  if (FOnEdited) FOnEdited(this, Node, Text);
  Node->SetText(Text);
}

void TTreeView::FullExpand() {
  FItems->BeginUpdate();
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Item(i)->HasChildren()) FItems->Item(i)->SetExpanded(true);
  FItems->EndUpdate();
}

void TTreeView::FullCollapse() {
  FItems->BeginUpdate();
  for (int i = 0; i < FItems->Count(); ++i) FItems->Item(i)->SetExpanded(false);
  FItems->EndUpdate();
}

TTreeNode* TTreeView::GetNodeAt(int X, int Y) const {
  if (Peer())
    if (auto index = Peer()->ItemAtPos(X, Y)) return *index >= 0 && *index < FItems->Count() ? FItems->Item(*index) : nullptr;
  if (X < 0 || X >= Width() || Y < 0) return nullptr;
  int row = Y / 16;
  for (TTreeNode* n = FItems->GetFirstNode(); n;) {
    if (row-- == 0) return n;
    // The next visible node: the first child of an expanded node, else the
    // next sibling of the node or of its nearest ancestor that has one.
    if (n->Expanded() && n->HasChildren()) {
      n = n->GetFirstChild();
      continue;
    }
    while (n && !n->GetNextSibling()) n = n->Parent();
    n = n ? n->GetNextSibling() : nullptr;
  }
  return nullptr;
}

void TTreeView::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  PeerChanged(pcReadOnly);
}

void TTreeView::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  PeerChanged(pcListOptions);
}

void TTreeView::SetShowButtons(bool Value) {
  if (FShowButtons == Value) return;
  FShowButtons = Value;
  PeerChanged(pcListOptions);
}

void TTreeView::SetShowLines(bool Value) {
  if (FShowLines == Value) return;
  FShowLines = Value;
  PeerChanged(pcListOptions);
}

void TTreeView::SetShowRoot(bool Value) {
  if (FShowRoot == Value) return;
  FShowRoot = Value;
  PeerChanged(pcListOptions);
}

void TTreeView::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  PeerChanged(pcImages);
}

void TTreeView::SetStateImages(TImageList* Value) {
  if (FStateImages == Value) return;
  FStateImages = Value;
  if (Value) Value->FreeNotification(this);
  PeerChanged(pcImages);
}

void TTreeView::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  PeerChanged(pcBevel);
}

void TTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) {
    FImages = nullptr;
    PeerChanged(pcImages);
  }
  if (AComponent == FStateImages) {
    FStateImages = nullptr;
    PeerChanged(pcImages);
  }
}

void TTreeView::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcBevel);
  PeerChanged(pcReadOnly);
  PeerChanged(pcListOptions);
  PeerChanged(pcImages);
  TellPeerNode(nullptr, tcReset);
  PeerChanged(pcItemIndex);
}

}  // namespace host
