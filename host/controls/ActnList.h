// Actions: commands with a caption, hint, enabled and checked state that
// controls, menu items and tool buttons link to. A linked client takes the
// action's values, follows their later changes while it still shows them,
// and executes the action when clicked. TActionList groups actions on a
// form; it frees its actions with it, as the host does.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/controls/ControlTypes.h"
#include "host/core/Component.h"
#include "host/core/Events.h"

namespace host {

class TBasicActionLink;
class TActionList;
class TImageList;

class TBasicAction : public TComponent {
  HOST_CLASS(TBasicAction)
public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  // Tells every linked client to drop its link before the action goes.
  ~TBasicAction() override;

  // Fires OnExecute; true when it was assigned.
  virtual bool Execute();
  // Fires OnUpdate; true when it was assigned.
  virtual bool Update();
  // The component that last executed the action through a link.
  TComponent* ActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* Value) { FActionComponent = Value; }

  const TNotifyEvent& OnExecute() const { return FOnExecute; }
  void SetOnExecute(TNotifyEvent Value);
  const TNotifyEvent& OnUpdate() const { return FOnUpdate; }
  void SetOnUpdate(TNotifyEvent Value) { FOnUpdate = std::move(Value); }
  // Fired after any property changed.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  int ClientCount() const { return static_cast<int>(FClients.size()); }
  TBasicActionLink* Clients(int Index) const { return FClients.at(static_cast<std::size_t>(Index)); }

protected:
  virtual void Change();

private:
  friend class TBasicActionLink;
  void RegisterChanges(TBasicActionLink* Value);
  void UnRegisterChanges(TBasicActionLink* Value);

  std::vector<TBasicActionLink*> FClients;
  TComponent* FActionComponent = nullptr;
  TNotifyEvent FOnExecute;
  TNotifyEvent FOnUpdate;
  TNotifyEvent FOnChange;
};

// An action that lives in an action list.
class TContainedAction : public TBasicAction {
  HOST_CLASS(TContainedAction)
public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;

  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* Value);
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& Value);
  // Position in the action list; -1 without one.
  int Index() const;
  void SetIndex(int Value);

  // The list's OnExecute first; the action's own when the list did not handle it.
  bool Execute() override;
  bool Update() override;

  bool HasParent() const override { return FActionList != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

protected:
  void Change() override;

private:
  friend class TActionList;
  TActionList* FActionList = nullptr;
  std::string FCategory;
};

class TCustomAction : public TContainedAction {
  HOST_CLASS(TCustomAction)
public:
  explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Checked() const { return FChecked; }
  // Checking an action of a group unchecks the others of that group.
  void SetChecked(bool Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);

  // Nothing happens while disabled; AutoCheck toggles Checked first.
  bool Execute() override;

private:
  std::string FCaption;
  std::string FHint;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  bool FAutoCheck = false;
  int FGroupIndex = 0;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
};

class TAction : public TCustomAction {
  HOST_CLASS(TAction)
public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// The connection between an action and one client. The client owns it.
class TBasicActionLink {
public:
  explicit TBasicActionLink(TComponent* AClient) : FClient(AClient) {}
  virtual ~TBasicActionLink();
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;

  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);
  TComponent* Client() const { return FClient; }
  // Executes the action on behalf of the client.
  virtual bool Execute();
  virtual bool Update();

  // Called by the actions when a linked value changes; each changes the
  // client only while the client still shows the action's old value.
  virtual void SetCaption(const std::string& Value) {}
  virtual void SetHint(const std::string& Value) {}
  virtual void SetEnabled(bool Value) {}
  virtual void SetVisible(bool Value) {}
  virtual void SetChecked(bool Value) {}
  virtual void SetImageIndex(int Value) {}
  virtual void SetShortCut(TShortCut Value) {}
  virtual void SetGroupIndex(int Value) {}
  // True while the client shows the action's value.
  virtual bool IsCaptionLinked() const { return false; }
  virtual bool IsHintLinked() const { return false; }
  virtual bool IsEnabledLinked() const { return false; }
  virtual bool IsVisibleLinked() const { return false; }
  virtual bool IsCheckedLinked() const { return false; }
  virtual bool IsImageIndexLinked() const { return false; }
  virtual bool IsShortCutLinked() const { return false; }

protected:
  TCustomAction* CustomAction() const;
  TComponent* FClient;

private:
  friend class TBasicAction;
  TBasicAction* FAction = nullptr;
};

class TControl;

// The link of a control: Caption, Hint, Enabled and Visible.
class TControlActionLink : public TBasicActionLink {
public:
  explicit TControlActionLink(TControl* AClient);
  void SetCaption(const std::string& Value) override;
  void SetHint(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  bool IsCaptionLinked() const override;
  bool IsHintLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsVisibleLinked() const override;

protected:
  TControl* FControl;
};

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

class TActionList : public TComponent {
  HOST_CLASS(TActionList)
public:
  explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
  // Frees the actions of the list.
  ~TActionList() override;

  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int Index) const;
  // The action of that name among the list's actions, ignoring case.
  TContainedAction* FindAction(std::string_view Name) const;
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);

  // Fires OnExecute / OnUpdate for an action of the list; true when handled.
  bool ExecuteAction(TBasicAction* Action);
  bool UpdateAction(TBasicAction* Action);
  // Updates every action of the list (OnUpdate), as an idle loop does.
  void UpdateActions();

  const TActionEvent& OnExecute() const { return FOnExecute; }
  void SetOnExecute(TActionEvent Value) { FOnExecute = std::move(Value); }
  const TActionEvent& OnUpdate() const { return FOnUpdate; }
  void SetOnUpdate(TActionEvent Value) { FOnUpdate = std::move(Value); }
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  TComponent* GetChildOwner() override { return Owner(); }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TContainedAction;
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);
  void Changed();

  std::vector<TContainedAction*> FActions;
  TImageList* FImages = nullptr;
  TActionEvent FOnExecute;
  TActionEvent FOnUpdate;
  TNotifyEvent FOnChange;
};

}  // namespace host
