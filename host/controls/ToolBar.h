// Tool bars and their buttons. The tool bar lays its buttons out left to
// right in the order of its Controls; a button can be a check button, a
// drop-down button with a pop-up menu, a separator or a divider, and can
// stand for a menu item.
#pragma once

#include "host/controls/ActnList.h"
#include "host/controls/WinControl.h"

namespace host {

class TImageList;
class TPopupMenu;
class TMenuItem;
class TToolBar;
class TToolButton;

// The link of a tool button: the control's, plus Checked (as Down) and ImageIndex.
class TToolButtonActionLink : public TControlActionLink {
public:
  explicit TToolButtonActionLink(TToolButton* AClient);
  void SetChecked(bool Value) override;
  void SetImageIndex(int Value) override;
  bool IsCheckedLinked() const override;
  bool IsImageIndexLinked() const override;

private:
  TToolButton* FButton;
};

class TToolButton : public TGraphicControl {
  HOST_CLASS(TToolButton)
public:
  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;

  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  bool Down() const { return FDown; }
  // A grouped check button going down releases the others of its group.
  void SetDown(bool Value);
  bool Grouped() const { return FGrouped; }
  void SetGrouped(bool Value) { FGrouped = Value; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* Value);
  // The button shows the item's caption, hint, image, enabled and checked
  // state, and clicking it clicks the item.
  TMenuItem* MenuItem() const { return FMenuItem; }
  void SetMenuItem(TMenuItem* Value);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value);
  bool Marked() const { return FMarked; }
  void SetMarked(bool Value);
  int Index() const;
  TToolBar* ToolBar() const;
  bool IsCheckedStored() const;
  bool IsImageIndexStored() const;

  // A click: a check button toggles Down; then OnClick, the action or the
  // menu item; a plain button with a drop-down menu and nothing else to do
  // shows the menu.
  void Click() override;
  // The arrow of a drop-down button (or a button with a drop-down menu):
  // shows DropdownMenu under the button. True when there was a menu.
  bool CheckMenuDropdown();

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;

protected:
  void PushPeerState() override;
  std::unique_ptr<TControlActionLink> CreateActionLink() override;

private:
  friend class TToolButtonActionLink;
  void ReleaseGroup();
  TToolButtonStyle FStyle = tbsButton;
  bool FDown = false;
  bool FGrouped = false;
  bool FAllowAllUp = false;
  int FImageIndex = -1;
  TPopupMenu* FDropdownMenu = nullptr;
  TMenuItem* FMenuItem = nullptr;
  bool FWrap = false;
  bool FMarked = false;
};

class TToolBar : public TWinControl {
  HOST_CLASS(TToolBar)
public:
  explicit TToolBar(TComponent* AOwner);

  int ButtonCount() const;
  // The tool buttons in the order of the bar.
  TToolButton* Buttons(int Index) const;
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);
  bool List() const { return FList; }
  void SetList(bool Value);
  TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
  void SetEdgeBorders(TEdgeBorders Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  // Places the buttons in a row (separators 8 wide, dividers too; a
  // button with Wrap starts a new row below).
  void AlignControls() override;

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void InsertControl(TControl* AControl) override;
  void PushPeerState() override;

private:
  int FButtonWidth = 23;
  int FButtonHeight = 22;
  TImageList* FImages = nullptr;
  bool FFlat = true;
  bool FShowCaptions = false;
  bool FList = false;
  TEdgeBorders FEdgeBorders{ebTop};
  bool FAutoSize = false;
};

}  // namespace host
