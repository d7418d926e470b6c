#include "host/controls/ActnList.h"

#include <algorithm>

#include "host/controls/Control.h"
#include "host/controls/ImgList.h"

namespace host {

// ---- class records ----

const TClass& TBasicAction::StaticClass() {
  static const TClass cls = TClassBuilder<TBasicAction>("TBasicAction", &TComponent::StaticClass()).Build();
  return cls;
}
const TClass& TBasicAction::ClassType() const { return StaticClass(); }

const TClass& TContainedAction::StaticClass() {
  static const TClass cls = TClassBuilder<TContainedAction>("TContainedAction", &TBasicAction::StaticClass())
                                .Prop("Category", &TContainedAction::Category, &TContainedAction::SetCategory)
                                .Build();
  return cls;
}
const TClass& TContainedAction::ClassType() const { return StaticClass(); }

const TClass& TCustomAction::StaticClass() {
  static const TClass cls = TClassBuilder<TCustomAction>("TCustomAction", &TContainedAction::StaticClass()).Build();
  return cls;
}
const TClass& TCustomAction::ClassType() const { return StaticClass(); }

const TClass& TAction::StaticClass() {
  static const TClass cls = TClassBuilder<TAction>("TAction", &TCustomAction::StaticClass())
                                .Prop("AutoCheck", &TAction::AutoCheck, &TAction::SetAutoCheck)
                                .Default(false)
                                .Prop("Caption", &TAction::Caption, &TAction::SetCaption)
                                .Prop("Checked", &TAction::Checked, &TAction::SetChecked)
                                .Default(false)
                                .Prop("Enabled", &TAction::Enabled, &TAction::SetEnabled)
                                .Default(true)
                                .Prop("GroupIndex", &TAction::GroupIndex, &TAction::SetGroupIndex)
                                .Default(0)
                                .Prop("Hint", &TAction::Hint, &TAction::SetHint)
                                .Prop("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex)
                                .Default(-1)
                                .Prop("ShortCut", &TAction::ShortCut, &TAction::SetShortCut)
                                .Default(0)
                                .Prop("Visible", &TAction::Visible, &TAction::SetVisible)
                                .Default(true)
                                .Prop("OnExecute", &TAction::OnExecute, &TAction::SetOnExecute)
                                .Prop("OnUpdate", &TAction::OnUpdate, &TAction::SetOnUpdate)
                                .Build();
  return cls;
}
const TClass& TAction::ClassType() const { return StaticClass(); }

const TClass& TActionList::StaticClass() {
  static const TClass cls = TClassBuilder<TActionList>("TActionList", &TComponent::StaticClass())
                                .Prop("Images", &TActionList::Images, &TActionList::SetImages)
                                .Prop("OnChange", &TActionList::OnChange, &TActionList::SetOnChange)
                                .Prop("OnExecute", &TActionList::OnExecute, &TActionList::SetOnExecute)
                                .Prop("OnUpdate", &TActionList::OnUpdate, &TActionList::SetOnUpdate)
                                .Build();
  return cls;
}
const TClass& TActionList::ClassType() const { return StaticClass(); }

// ---- TBasicAction ----

TBasicAction::~TBasicAction() {
  Destroying();
  // The clients outlive this part of the action: let each link forget it
  // now, so that no client ever calls into a half-destroyed action.
  while (!FClients.empty()) {
    TBasicActionLink* link = FClients.back();
    FClients.pop_back();
    link->FAction = nullptr;
  }
}

bool TBasicAction::Execute() {
  if (!FOnExecute) return false;
  FOnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!FOnUpdate) return false;
  FOnUpdate(this);
  return true;
}

void TBasicAction::SetOnExecute(TNotifyEvent Value) {
  FOnExecute = std::move(Value);
  Change();
}

void TBasicAction::Change() {
  if (FOnChange) FOnChange(this);
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) { FClients.push_back(Value); }

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), Value), FClients.end());
}

// ---- TContainedAction ----

TContainedAction::~TContainedAction() {
  Destroying();
  if (FActionList) FActionList->RemoveAction(this);
}

void TContainedAction::SetActionList(TActionList* Value) {
  if (FActionList == Value) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (Value) Value->AddAction(this);
}

void TContainedAction::SetCategory(const std::string& Value) {
  if (FCategory == Value) return;
  FCategory = Value;
  if (FActionList) FActionList->Changed();
}

int TContainedAction::Index() const {
  if (!FActionList) return -1;
  const auto& list = FActionList->FActions;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TContainedAction::SetIndex(int Value) {
  const int current = Index();
  if (current < 0) return;
  auto& list = FActionList->FActions;
  Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
  if (Value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
  FActionList->Changed();
}

bool TContainedAction::Execute() {
  if (FActionList && FActionList->ExecuteAction(this)) return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (FActionList && FActionList->UpdateAction(this)) return true;
  return TBasicAction::Update();
}

TComponent* TContainedAction::GetParentComponent() const { return FActionList; }

void TContainedAction::SetParentComponent(TComponent* Value) {
  if (auto* list = dynamic_cast<TActionList*>(Value)) SetActionList(list);
}

void TContainedAction::Change() {
  TBasicAction::Change();
  if (FActionList && !FActionList->IsDestroying()) FActionList->Changed();
}

// ---- TCustomAction ----

void TCustomAction::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  // Clients compare against the old value to know whether they follow.
  for (int i = 0; i < ClientCount(); ++i) Clients(i)->SetCaption(Value);
  FCaption = Value;
  Change();
}

void TCustomAction::SetHint(const std::string& Value) {
  if (FHint == Value) return;
  for (int i = 0; i < ClientCount(); ++i) Clients(i)->SetHint(Value);
  FHint = Value;
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  for (int i = 0; i < ClientCount(); ++i) Clients(i)->SetEnabled(Value);
  FEnabled = Value;
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (FVisible == Value) return;
  for (int i = 0; i < ClientCount(); ++i) Clients(i)->SetVisible(Value);
  FVisible = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (FChecked == Value) return;
  for (int i = 0; i < ClientCount(); ++i) Clients(i)->SetChecked(Value);
  FChecked = Value;
  if (Value && FGroupIndex > 0 && ActionList()) {
    for (int i = 0; i < ActionList()->ActionCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(ActionList()->Actions(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
    }
  }
  Change();
}

void TCustomAction::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  for (int i = 0; i < ClientCount(); ++i) Clients(i)->SetGroupIndex(Value);
  FGroupIndex = Value;
  Change();
}

void TCustomAction::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  for (int i = 0; i < ClientCount(); ++i) Clients(i)->SetImageIndex(Value);
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  for (int i = 0; i < ClientCount(); ++i) Clients(i)->SetShortCut(Value);
  FShortCut = Value;
  Change();
}

bool TCustomAction::Execute() {
  Update();
  if (!FEnabled) return false;
  if (FAutoCheck && (!FChecked || FGroupIndex == 0)) SetChecked(!FChecked);
  return TContainedAction::Execute();
}

// ---- links ----

TBasicActionLink::~TBasicActionLink() {
  if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (FAction == Value) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute() {
  if (!FAction) return false;
  FAction->SetActionComponent(FClient);
  struct Reset {
    TBasicActionLink* L;
    ~Reset() {
      if (L->FAction) L->FAction->SetActionComponent(nullptr);
    }
  } reset{this};
  return FAction->Execute();
}

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

TCustomAction* TBasicActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(FAction); }

TControlActionLink::TControlActionLink(TControl* AClient) : TBasicActionLink(AClient), FControl(AClient) {}

bool TControlActionLink::IsCaptionLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FControl->Caption() == a->Caption();
}
bool TControlActionLink::IsHintLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FControl->Hint() == a->Hint();
}
bool TControlActionLink::IsEnabledLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FControl->Enabled() == a->Enabled();
}
bool TControlActionLink::IsVisibleLinked() const {
  const TCustomAction* a = CustomAction();
  return a && FControl->Visible() == a->Visible();
}

void TControlActionLink::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) FControl->SetCaption(Value);
}
void TControlActionLink::SetHint(const std::string& Value) {
  if (IsHintLinked()) FControl->SetHint(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FControl->SetEnabled(Value);
}
void TControlActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FControl->SetVisible(Value);
}

// ---- TActionList ----

TActionList::~TActionList() {
  Destroying();
  while (!FActions.empty()) delete FActions.back();
}

TContainedAction* TActionList::Actions(int Index) const {
  if (Index < 0 || Index >= ActionCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FActions[static_cast<std::size_t>(Index)];
}

TContainedAction* TActionList::FindAction(std::string_view Name) const {
  if (Name.empty()) return nullptr;
  for (TContainedAction* a : FActions)
    if (SameText(a->Name(), Name)) return a;
  return nullptr;
}

void TActionList::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Changed();
}

void TActionList::AddAction(TContainedAction* Action) {
  FActions.push_back(Action);
  Action->FActionList = this;
  Changed();
}

void TActionList::RemoveAction(TContainedAction* Action) {
  FActions.erase(std::remove(FActions.begin(), FActions.end(), Action), FActions.end());
  Action->FActionList = nullptr;
  Changed();
}

void TActionList::Changed() {
  if (IsDestroying()) return;
  if (FOnChange) FOnChange(this);
}

bool TActionList::ExecuteAction(TBasicAction* Action) {
  bool handled = false;
  if (FOnExecute) FOnExecute(Action, handled);
  return handled;
}

bool TActionList::UpdateAction(TBasicAction* Action) {
  bool handled = false;
  if (FOnUpdate) FOnUpdate(Action, handled);
  return handled;
}

void TActionList::UpdateActions() {
  for (std::size_t i = 0; i < FActions.size(); ++i) FActions[i]->Update();
}

void TActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  for (TContainedAction* a : FActions)
    if (a->Owner() == Root) Proc(a);
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

}  // namespace host
