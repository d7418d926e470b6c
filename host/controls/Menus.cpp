#include "host/controls/Menus.h"

#include <algorithm>

#include "host/controls/Application.h"
#include "host/controls/Control.h"
#include "host/controls/ImgList.h"

namespace host {

// ---- class records ----

const TClass& TMenuItem::StaticClass() {
  static const TClass cls =
      TClassBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClass())
          .Prop("Action", &TMenuItem::Action, &TMenuItem::SetAction)
          .Prop("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
          .Default(false)
          .Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
          .Stored([](const TMenuItem& m) { return m.IsCaptionStored(); })
          .Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
          .Default(false)
          .Stored([](const TMenuItem& m) { return m.IsCheckedStored(); })
          .Prop("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
          .Default(false)
          .Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
          .Default(true)
          .Stored([](const TMenuItem& m) { return m.IsEnabledStored(); })
          .Prop("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
          .Default(0)
          .Prop("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
          .Stored([](const TMenuItem& m) { return m.IsHintStored(); })
          .Prop("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
          .Default(-1)
          .Stored([](const TMenuItem& m) { return m.IsImageIndexStored(); })
          .Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
          .Default(false)
          .Prop("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
          .Default(0)
          .Stored([](const TMenuItem& m) { return m.IsShortCutStored(); })
          .Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
          .Default(true)
          .Stored([](const TMenuItem& m) { return m.IsVisibleStored(); })
          .Prop("OnClick", &TMenuItem::OnClick, &TMenuItem::SetOnClick)
          .Build();
  return cls;
}
const TClass& TMenuItem::ClassType() const { return StaticClass(); }

const TClass& TMenu::StaticClass() {
  static const TClass cls = TClassBuilder<TMenu>("TMenu", &TComponent::StaticClass())
                                .Prop("BiDiMode", &TMenu::BiDiMode, &TMenu::SetBiDiMode)
                                .Default(bdLeftToRight)
                                .Stored([](const TMenu& m) { return !m.ParentBiDiMode(); })
                                .Prop("Images", &TMenu::Images, &TMenu::SetImages)
                                .Prop("ParentBiDiMode", &TMenu::ParentBiDiMode, &TMenu::SetParentBiDiMode)
                                .Default(true)
                                .Build();
  return cls;
}
const TClass& TMenu::ClassType() const { return StaticClass(); }

const TClass& TMainMenu::StaticClass() {
  static const TClass cls = TClassBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClass()).Build();
  return cls;
}
const TClass& TMainMenu::ClassType() const { return StaticClass(); }

const TClass& TPopupMenu::StaticClass() {
  static const TClass cls = TClassBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClass())
                                .Prop("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment)
                                .Default(paLeft)
                                .Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
                                .Default(true)
                                .Prop("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::SetOnPopup)
                                .Build();
  return cls;
}
const TClass& TPopupMenu::ClassType() const { return StaticClass(); }

std::string StripHotkey(std::string_view Caption) {
  std::string out;
  out.reserve(Caption.size());
  for (std::size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == '&') {
      if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += Caption[i];
  }
  return out;
}

// ---- TMenuActionLink ----

TMenuActionLink::TMenuActionLink(TMenuItem* AClient) : TBasicActionLink(AClient), FItem(AClient) {}

bool TMenuActionLink::IsCaptionLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FItem->Caption() == a->Caption();
}
bool TMenuActionLink::IsHintLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FItem->Hint() == a->Hint();
}
bool TMenuActionLink::IsEnabledLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FItem->Enabled() == a->Enabled();
}
bool TMenuActionLink::IsVisibleLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FItem->Visible() == a->Visible();
}
bool TMenuActionLink::IsCheckedLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FItem->Checked() == a->Checked();
}
bool TMenuActionLink::IsImageIndexLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FItem->ImageIndex() == a->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FItem->ShortCut() == a->ShortCut();
}
void TMenuActionLink::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) FItem->SetCaption(Value);
}
void TMenuActionLink::SetHint(const std::string& Value) {
  if (IsHintLinked()) FItem->SetHint(Value);
}
void TMenuActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FItem->SetEnabled(Value);
}
void TMenuActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FItem->SetVisible(Value);
}
void TMenuActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FItem->SetChecked(Value);
}
void TMenuActionLink::SetImageIndex(int Value) {
  if (IsImageIndexLinked()) FItem->SetImageIndex(Value);
}
void TMenuActionLink::SetShortCut(TShortCut Value) {
  if (IsShortCutLinked()) FItem->SetShortCut(Value);
}

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  FActionLink.reset();
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) delete FItems.back();  // each leaves the list first
}

void TMenuItem::MenuChanged(TMenuChange Change, TMenuItem* Item) {
  TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  if (root->FMenu) root->FMenu->MenuChanged(Item, Change);
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  MenuChanged(mcChanged, this);
}

void TMenuItem::SetHint(const std::string& Value) {
  if (FHint == Value) return;
  FHint = Value;
  MenuChanged(mcChanged, this);
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Value && FRadioItem) TurnSiblingsOff();
  MenuChanged(mcChanged, this);
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* sibling : FParent->FItems)
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) sibling->SetChecked(false);
}

void TMenuItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  MenuChanged(mcChanged, this);
}

void TMenuItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  MenuChanged(mcChanged, this);
}

void TMenuItem::SetDefault(bool Value) {
  if (FDefault == Value) return;
  if (Value && FParent)
    for (TMenuItem* sibling : FParent->FItems)
      if (sibling != this) sibling->SetDefault(false);
  FDefault = Value;
  MenuChanged(mcChanged, this);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (FRadioItem == Value) return;
  FRadioItem = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(mcChanged, this);
}

void TMenuItem::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(mcChanged, this);
}

void TMenuItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  MenuChanged(mcChanged, this);
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  MenuChanged(mcChanged, this);
}

TBasicAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = std::make_unique<TMenuActionLink>(this);
  FActionLink->SetAction(Value);
  ActionChange(Value, Value->IsLoading() || IsLoading());
  Value->FreeNotification(this);
}

void TMenuItem::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  const auto* a = dynamic_cast<const TCustomAction*>(Sender);
  if (!a) return;
  if (!CheckDefaults || FCaption.empty()) SetCaption(a->Caption());
  if (!CheckDefaults || !FChecked) SetChecked(a->Checked());
  if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
  if (!CheckDefaults || FShortCut == 0) SetShortCut(a->ShortCut());
  if (!CheckDefaults || FVisible) SetVisible(a->Visible());
}

bool TMenuItem::IsCaptionStored() const { return !FActionLink || !FActionLink->IsCaptionLinked(); }
bool TMenuItem::IsHintStored() const { return !FActionLink || !FActionLink->IsHintLinked(); }
bool TMenuItem::IsCheckedStored() const { return !FActionLink || !FActionLink->IsCheckedLinked(); }
bool TMenuItem::IsEnabledStored() const { return !FActionLink || !FActionLink->IsEnabledLinked(); }
bool TMenuItem::IsVisibleStored() const { return !FActionLink || !FActionLink->IsVisibleLinked(); }
bool TMenuItem::IsImageIndexStored() const { return !FActionLink || !FActionLink->IsImageIndexLinked(); }
bool TMenuItem::IsShortCutStored() const { return !FActionLink || !FActionLink->IsShortCutLinked(); }

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("Menu index out of range (%d)", {Index}));
  return FItems[static_cast<std::size_t>(Index)];
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == Item) throw EInvalidOperation("A menu item cannot be inserted under itself");
  if (Item->FParent) Item->FParent->Remove(Item);
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  MenuChanged(mcAdded, Item);
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  MenuChanged(mcRemoving, Item);
  FItems.erase(std::find(FItems.begin(), FItems.end(), Item));
  Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index) { Remove(Items(Index)); }

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(std::string_view ACaption) const {
  const std::string wanted = StripHotkey(ACaption);
  for (TMenuItem* item : FItems)
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  const int current = MenuIndex();
  Value = std::clamp(Value, 0, parent->Count() - 1);
  if (Value == current) return;
  parent->Remove(this);
  parent->Insert(Value, this);
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck && !(FRadioItem && FChecked)) SetChecked(!FChecked);
  if (FOnClick)
    FOnClick(this);
  else if (FActionLink && FActionLink->Action() && !IsDesigning())
    FActionLink->Execute();
}

TComponent* TMenuItem::GetParentComponent() const {
  if (!FParent) return nullptr;
  if (FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (auto* menu = dynamic_cast<TMenu*>(Value))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value))
    item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  for (TMenuItem* item : FItems) Proc(item);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FActionLink &&
      (FActionLink->Action() == AComponent || FActionLink->Action() == nullptr))
    FActionLink.reset();
}

// ---- TMenu ----

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
  FItems = new TMenuItem(this);
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  Destroying();
  FPeer.reset();
  // The root item frees the whole tree while this menu can still be asked.
  delete FItems;
  FItems = nullptr;
}

void TMenu::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  MenuChanged(nullptr, mcReset);
}

void TMenu::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  FParentBiDiMode = false;
  MenuChanged(nullptr, mcReset);
}

void TMenu::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (Value) ParentBiDiModeChanged();
}

void TMenu::ParentBiDiModeChanged() {
  if (!FParentBiDiMode) return;
  if (auto* owner = dynamic_cast<TControl*>(Owner()); owner && owner->BiDiMode() != FBiDiMode) {
    FBiDiMode = owner->BiDiMode();
    MenuChanged(nullptr, mcReset);
  }
}

namespace {
TMenuItem* FindShortCut(TMenuItem* Item, TShortCut Value) {
  for (int i = 0; i < Item->Count(); ++i) {
    TMenuItem* child = Item->Items(i);
    if (child->ShortCut() == Value && Value != 0) return child;
    if (TMenuItem* found = FindShortCut(child, Value)) return found;
  }
  return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindItem(TShortCut Value) const { return FItems ? FindShortCut(FItems, Value) : nullptr; }

bool TMenu::IsShortCut(TShortCut Value) {
  TMenuItem* item = FindItem(Value);
  if (!item || !item->Enabled() || !item->Visible()) return false;
  item->Click();
  return true;
}

void TMenu::HandleNeeded() {
  if (FPeer || IsDestroying()) return;
  TWidgetSet* ws = Application()->WidgetSet();
  if (!ws) return;
  FPeer = ws->CreateMenuPeer(this);
  if (FPeer) FPeer->ItemChanged(nullptr, mcReset);
}

void TMenu::DestroyPeer() { FPeer.reset(); }

void TMenu::MenuChanged(TMenuItem* Item, TMenuChange Change) {
  if (IsDestroying()) return;
  if (FPeer) FPeer->ItemChanged(Item, Change);
  if (FOnChange) FOnChange(this, Item, Change != mcChanged);
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  if (!FItems) return;
  for (int i = 0; i < FItems->Count(); ++i) Proc(FItems->Items(i));
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    MenuChanged(nullptr, mcReset);
  }
}

// ---- TPopupMenu ----

void TPopupMenu::Popup(int X, int Y) {
  ++FPopupCount;
  if (FOnPopup) FOnPopup(this);
  HandleNeeded();
  if (Peer()) Peer()->Popup(X, Y);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

}  // namespace host
