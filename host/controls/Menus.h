// Menus: a tree of TMenuItem under the root item of a TMainMenu or a
// TPopupMenu. Items are owned by the form like every component placed on
// it and parented by the item above them; an item frees its sub-items.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/controls/ActnList.h"
#include "host/controls/ControlTypes.h"
#include "host/controls/Peer.h"
#include "host/core/Component.h"
#include "host/core/Events.h"

namespace host {

class TMenu;
class TMenuItem;
class TImageList;

// The link of a menu item: everything an action has.
class TMenuActionLink : public TBasicActionLink {
public:
  explicit TMenuActionLink(TMenuItem* AClient);
  void SetCaption(const std::string& Value) override;
  void SetHint(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  void SetChecked(bool Value) override;
  void SetImageIndex(int Value) override;
  void SetShortCut(TShortCut Value) override;
  bool IsCaptionLinked() const override;
  bool IsHintLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsVisibleLinked() const override;
  bool IsCheckedLinked() const override;
  bool IsImageIndexLinked() const override;
  bool IsShortCutLinked() const override;

private:
  TMenuItem* FItem;
};

class TMenuItem : public TComponent {
  HOST_CLASS(TMenuItem)
public:
  explicit TMenuItem(TComponent* AOwner);
  // Leaves its parent and frees its sub-items.
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool Checked() const { return FChecked; }
  // Checking a radio item unchecks the others of its group.
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  // A caption of "-" makes the item a separator line.
  bool IsLine() const { return FCaption == "-"; }

  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TMenuActionLink* ActionLink() const { return FActionLink.get(); }
  bool IsCaptionStored() const;
  bool IsHintStored() const;
  bool IsCheckedStored() const;
  bool IsEnabledStored() const;
  bool IsVisibleStored() const;
  bool IsImageIndexStored() const;
  bool IsShortCutStored() const;

  // ---- the tree ----
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises EListError for an index out of range.
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return FParent; }
  // The menu whose tree holds the item.
  TMenu* GetParentMenu() const;
  // Appends or inserts an item, taking it from its former parent. An item
  // cannot go under itself or its own sub-items.
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes an item out of the list without freeing it.
  void Remove(TMenuItem* Item);
  void Delete(int Index);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  // The sub-item with that caption, ignoring case and the "&" markers.
  TMenuItem* Find(std::string_view ACaption) const;
  int MenuIndex() const;
  void SetMenuIndex(int Value);

  // The user chose the item (reported by the menu's peer): toggles an
  // AutoCheck item, then fires OnClick or executes the action.
  virtual void Click();
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  TComponent* GetChildOwner() override { return Owner(); }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ActionChange(TBasicAction* Sender, bool CheckDefaults);

private:
  friend class TMenu;
  void MenuChanged(TMenuChange Change, TMenuItem* Item);
  void TurnSiblingsOff();

  std::string FCaption;
  std::string FHint;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FAutoCheck = false;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item only
  std::unique_ptr<TMenuActionLink> FActionLink;
  TNotifyEvent FOnClick;
};

using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

class TMenu : public TComponent {
  HOST_CLASS(TMenu)
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The invisible root item; the menu's own component.
  TMenuItem* Items() const { return FItems; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  // While true the menu reads in the order of the control that owns it.
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  void ParentBiDiModeChanged();
  // The item with that shortcut, searched depth first; null when none.
  TMenuItem* FindItem(TShortCut Value) const;
  // Fires the OnClick of the enabled item with that shortcut.
  bool IsShortCut(TShortCut Value);

  IMenuPeer* Peer() const { return FPeer.get(); }
  // Creates the menu's peer through the widgetset, when there is one.
  void HandleNeeded();
  void DestroyPeer();

  const TMenuChangeEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TMenuChangeEvent Value) { FOnChange = std::move(Value); }

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  TComponent* GetChildOwner() override { return Owner(); }
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void MenuChanged(TMenuItem* Item, TMenuChange Change);

private:
  friend class TMenuItem;
  TMenuItem* FItems;
  TImageList* FImages = nullptr;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  std::unique_ptr<IMenuPeer> FPeer;
  TMenuChangeEvent FOnChange;
};

class TMainMenu : public TMenu {
  HOST_CLASS(TMainMenu)
public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

class TPopupMenu : public TMenu {
  HOST_CLASS(TPopupMenu)
public:
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // The control whose context menu request showed the menu last.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
  // Fires OnPopup, then shows the menu at screen coordinates through the
  // peer (nothing more headless).
  virtual void Popup(int X, int Y);
  // Counts the Popup calls, for code and tests that ask whether it showed.
  int PopupCount() const { return FPopupCount; }

  const TNotifyEvent& OnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = std::move(Value); }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  int FPopupCount = 0;
  TNotifyEvent FOnPopup;
};

// The caption without the "&" access-key markers ("&&" gives "&").
std::string StripHotkey(std::string_view Caption);

}  // namespace host
