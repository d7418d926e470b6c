#include "host/controls/PageControl.h"

#include <algorithm>

#include "host/controls/ImgList.h"
#include "host/controls/Publish.h"

namespace host {

const TClass& TTabSheet::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TTabSheet> b("TTabSheet", &TWinControl::StaticClass());
    // A sheet's bounds come from its page control.
    b.Prop("Left", &TControl::Left, &TControl::SetLeft).Stored(false);
    b.Prop("Top", &TControl::Top, &TControl::SetTop).Stored(false);
    b.Prop("Width", &TControl::Width, &TControl::SetWidth).Stored(false);
    b.Prop("Height", &TControl::Height, &TControl::SetHeight).Stored(false);
    pub::BiDiMode(b);
    pub::Caption(b);
    pub::DragMode(b);
    pub::Enabled(b);
    pub::Font(b);
    b.Prop("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).Default(-1);
    // The order of the pages is the order the file lists them in.
    b.Prop("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
    pub::ParentBiDiMode(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    pub::ShowHint(b);
    b.Prop("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
    pub::OnContextPopup(b);
    pub::DragEvents(b);
    pub::OnEnter(b);
    pub::OnExit(b);
    b.Prop("OnHide", &TTabSheet::OnHide, &TTabSheet::SetOnHide);
    pub::MouseEvents(b);
    pub::OnResize(b);
    b.Prop("OnShow", &TTabSheet::OnShow, &TTabSheet::SetOnShow);
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TTabSheet::ClassType() const { return StaticClass(); }

const TClass& TPageControl::StaticClass() {
  static const TClass cls = [] {
    namespace pub = publish;
    TClassBuilder<TPageControl> b("TPageControl", &TWinControl::StaticClass());
    b.Prop("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    pub::Align(b);
    pub::Anchors(b);
    pub::BiDiMode(b);
    pub::Constraints(b);
    pub::DragMode(b);
    pub::Enabled(b);
    pub::Font(b);
    b.Prop("Images", &TPageControl::Images, &TPageControl::SetImages);
    b.Prop("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine).Default(false);
    pub::ParentBiDiMode(b);
    pub::ParentFont(b);
    pub::ParentShowHint(b);
    pub::PopupMenu(b);
    pub::ShowHint(b);
    pub::TabOrder(b);
    b.Prop("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition).Default(tpTop);
    pub::TabStop(b, true);
    pub::Visible(b);
    b.Prop("OnChange", &TPageControl::OnChange, &TPageControl::SetOnChange);
    b.Prop("OnChanging", &TPageControl::OnChanging, &TPageControl::SetOnChanging);
    pub::OnContextPopup(b);
    pub::DragEvents(b);
    pub::OnEnter(b);
    pub::OnExit(b);
    pub::MouseEvents(b);
    pub::OnResize(b);
    pub::OnStartDrag(b);
    return b.Build();
  }();
  return cls;
}
const TClass& TPageControl::ClassType() const { return StaticClass(); }

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 100, 100); }

TTabSheet::~TTabSheet() {
  Destroying();
  // Leave the pages while still a sheet; the base only knows a control.
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* AParent) { TWinControl::SetParent(AParent); }

void TTabSheet::SetPageControl(TPageControl* APageControl) { SetParent(APageControl); }

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  const int current = PageIndex();
  if (current < 0) return;
  auto& pages = FPageControl->FPages;
  Value = std::clamp(Value, 0, static_cast<int>(pages.size()) - 1);
  if (Value == current) return;
  pages.erase(pages.begin() + current);
  pages.insert(pages.begin() + Value, this);
  FPageControl->PeerChanged(pcItems);
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (TTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  PeerChanged(pcTabVisible);
  if (FPageControl) FPageControl->PeerChanged(pcItems);
}

void TTabSheet::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  PeerChanged(pcImageIndex);
}

void TTabSheet::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcTabVisible);
  PeerChanged(pcImageIndex);
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  FSetCaptionOnRename = false;
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  Destroying();
  // The sheets outlive this part of the control while the base frees them.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FPages[static_cast<std::size_t>(Index)];
}

TRect TPageControl::DisplayRect() const {
  const int w = Width();
  const int h = Height();
  switch (FTabPosition) {
    case tpBottom: return {4, 4, std::max(4, w - 4), std::max(4, h - TabHeight)};
    case tpLeft: return {TabHeight, 4, std::max(TabHeight, w - 4), std::max(4, h - 4)};
    case tpRight: return {4, 4, std::max(4, w - TabHeight), std::max(4, h - 4)};
    case tpTop: break;
  }
  return {4, TabHeight, std::max(4, w - 4), std::max(TabHeight, h - 4)};
}

void TPageControl::AlignControls() {
  if (IsLoading() || IsDestroying()) return;
  const TRect r = DisplayRect();
  for (TTabSheet* page : FPages) page->SetBoundsFromParent(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::InsertControl(TControl* AControl) {
  TWinControl::InsertControl(AControl);
  auto* page = dynamic_cast<TTabSheet*>(AControl);
  if (!page) return;
  FPages.push_back(page);
  page->FPageControl = this;
  AlignControls();
  PeerChanged(pcItems);
  if (!FActivePage && !IsLoading()) ChangeActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  const int index = static_cast<int>(it - FPages.begin());
  FPages.erase(it);
  Page->FPageControl = nullptr;
  if (FActivePage == Page) {
    FActivePage = nullptr;
    // The neighbour takes over, as a closed tab's neighbour does.
    if (!FPages.empty() && !IsDestroying())
      ChangeActivePage(FPages[static_cast<std::size_t>(std::min(index, PageCount() - 1))]);
    else
      PeerChanged(pcActivePage);
  }
  PeerChanged(pcItems);
}

void TPageControl::RemoveControl(TControl* AControl) {
  // Compared by address: a sheet being destroyed is no longer a TTabSheet
  // to dynamic_cast.
  for (TTabSheet* page : FPages)
    if (static_cast<TControl*>(page) == AControl) {
      RemovePage(page);
      break;
    }
  TWinControl::RemoveControl(AControl);
}

void TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (FActivePage == Page) return;
  TTabSheet* old = FActivePage;
  FActivePage = Page;
  if (!IsLoading()) {
    if (old && old->FOnHide) old->FOnHide(old);
    if (Page && Page->FOnShow) Page->FOnShow(Page);
  }
  PeerChanged(pcActivePage);
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && Value->FPageControl != this && !IsLoading()) return;
  ChangeActivePage(Value);
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? Pages(Value) : nullptr);
}

void TPageControl::Loaded() {
  TWinControl::Loaded();
  if (FActivePage && FActivePage->FPageControl != this) FActivePage = nullptr;
  if (!FActivePage && !FPages.empty()) FActivePage = FPages.front();
  AlignControls();
}

bool TPageControl::UserSelectPage(int Index) {
  if (Index < 0 || Index >= PageCount()) return false;
  TTabSheet* page = Pages(Index);
  if (page == FActivePage) return false;
  bool allow = true;
  if (FOnChanging) FOnChanging(this, allow);
  if (!allow) return false;
  {
    TPeerLock lock(this);
    ChangeActivePage(page);
  }
  if (FOnChange) FOnChange(this);
  return true;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward) const {
  if (FPages.empty()) return nullptr;
  const int count = PageCount();
  int start = CurPage ? CurPage->PageIndex() : -1;
  if (start < 0) start = GoForward ? count - 1 : 0;
  int i = start;
  for (int n = 0; n < count; ++n) {
    i = GoForward ? (i + 1) % count : (i - 1 + count) % count;
    if (FPages[static_cast<std::size_t>(i)]->TabVisible()) return FPages[static_cast<std::size_t>(i)];
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
  // As the user would, with the events, but the tabs did not move: show it.
  if (TTabSheet* next = FindNextPage(FActivePage, GoForward))
    if (UserSelectPage(next->PageIndex())) PeerChanged(pcActivePage);
}

void TPageControl::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  PeerChanged(pcImages);
}

void TPageControl::SetTabPosition(TTabPosition Value) {
  if (FTabPosition == Value) return;
  FTabPosition = Value;
  PeerChanged(pcItems);
  AlignControls();
}

void TPageControl::SetMultiLine(bool Value) {
  if (FMultiLine == Value) return;
  FMultiLine = Value;
  PeerChanged(pcItems);
}

void TPageControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  TComponent* level = const_cast<TPageControl*>(this)->GetChildOwner();
  for (TTabSheet* page : FPages)
    if (page->Owner() == Root || (level && page->Owner() == level)) Proc(page);
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    PeerChanged(pcImages);
  }
}

void TPageControl::PushPeerState() {
  TWinControl::PushPeerState();
  PeerChanged(pcImages);
  PeerChanged(pcItems);
  PeerChanged(pcActivePage);
}

}  // namespace host
