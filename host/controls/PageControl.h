// Page controls and their tab sheets. The pages are the tab sheets among
// the page control's children, in page order; one of them is active.
#pragma once

#include <functional>
#include <vector>

#include "host/controls/WinControl.h"

namespace host {

class TImageList;
class TPageControl;

class TTabSheet : public TWinControl {
  HOST_CLASS(TTabSheet)
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  // Makes the sheet a page of APageControl (its parent).
  void SetPageControl(TPageControl* APageControl);
  // Position among the pages; -1 outside a page control.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // A hidden tab keeps its page but shows no tab.
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // Position among the visible tabs; -1 when the tab is hidden.
  int TabIndex() const;

  const TNotifyEvent& OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent Value) { FOnShow = std::move(Value); }
  const TNotifyEvent& OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent Value) { FOnHide = std::move(Value); }

  void SetParent(TWinControl* AParent) override;

protected:
  void PushPeerState() override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
  TNotifyEvent FOnShow;
  TNotifyEvent FOnHide;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
  HOST_CLASS(TPageControl)
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  // Raises EListError for an index out of range.
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows the page (which must be one of this control's); no events.
  void SetActivePage(TTabSheet* Value);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  // The area the pages fill, in the control's coordinates (the tabs take
  // TabHeight pixels on their side).
  TRect DisplayRect() const;
  static constexpr int TabHeight = 24;

  // The user chose a tab: OnChanging may refuse, then the page shows and
  // OnChange fires. Returns whether the page changed.
  bool UserSelectPage(int Index);
  // The next (or previous) page with a visible tab after the current one.
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward) const;
  void SelectNextPage(bool GoForward);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TTabChangingEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TTabChangingEvent Value) { FOnChanging = std::move(Value); }

  void AlignControls() override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

protected:
  void InsertControl(TControl* AControl) override;
  void RemoveControl(TControl* AControl) override;
  void PushPeerState() override;

private:
  friend class TTabSheet;
  void ChangeActivePage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TImageList* FImages = nullptr;
  TTabPosition FTabPosition = tpTop;
  bool FMultiLine = false;
  TNotifyEvent FOnChange;
  TTabChangingEvent FOnChanging;
};

}  // namespace host
