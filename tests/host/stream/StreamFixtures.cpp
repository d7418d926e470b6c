#include "StreamFixtures.h"

#include <algorithm>

#include "host/core/ClassRegistry.h"

namespace streamtest {

const TTypeInfo& TypeInfoOf(TTestKind*) {
  static const TTypeInfo info = MakeEnumInfo("TTestKind", {"tkPlain", "tkBold", "tkFancy"});
  return info;
}

std::vector<TLoadRecord>& LoadLog() {
  static std::vector<TLoadRecord> log;
  return log;
}
int& LiveCount() {
  static int count = 0;
  return count;
}

const TClass& TTestControl::StaticClass() {
  static const TClass cls = TClassBuilder<TTestControl>("TTestControl", &TComponent::StaticClass())
                                .Prop("Caption", &TTestControl::Caption, &TTestControl::SetCaption)
                                .Prop("Hint", &TTestControl::Hint, &TTestControl::SetHint)
                                .Build();
  return cls;
}
const TClass& TTestControl::ClassType() const { return StaticClass(); }

TTestControl::TTestControl(TComponent* AOwner) : TComponent(AOwner) { ++LiveCount(); }

TTestControl::~TTestControl() {
  Destroying();
  for (TTestControl* c : FControls) c->FParent = nullptr;
  SetParent(nullptr);
  --LiveCount();
}

void TTestControl::SetCaption(const std::string& v) {
  FCaption = v;
  FCaptionState = ComponentState();
}

void TTestControl::SetParent(TTestControl* p) {
  if (p == FParent) return;
  if (FParent) {
    auto& list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  FParent = p;
  if (p) p->FControls.push_back(this);
}

void TTestControl::SetParentComponent(TComponent* Value) {
  if (auto* c = dynamic_cast<TTestControl*>(Value)) SetParent(c);
}

void TTestControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  for (TTestControl* c : FControls)
    if (c->Owner() == Root) Proc(c);
}

void TTestControl::Loaded() {
  LoadLog().push_back({Name(), IsLoading(), IsReading(), false});
  TComponent::Loaded();
}

const TClass& TTestAction::StaticClass() {
  static const TClass cls = TClassBuilder<TTestAction>("TTestAction", &TComponent::StaticClass())
                                .Prop("Caption", &TTestAction::Caption, &TTestAction::SetCaption)
                                .Prop("OnExecute", &TTestAction::OnExecute, &TTestAction::SetOnExecute)
                                .Build();
  return cls;
}
const TClass& TTestAction::ClassType() const { return StaticClass(); }

void TTestAction::Loaded() {
  LoadLog().push_back({Name(), IsLoading(), IsReading(), false});
  TComponent::Loaded();
}

const TClass& TTestButton::StaticClass() {
  static const TClass cls = TClassBuilder<TTestButton>("TTestButton", &TTestControl::StaticClass())
                                .Prop("Action", &TTestButton::Action, &TTestButton::SetAction)
                                .Prop("Target", &TTestButton::Target, &TTestButton::SetTarget)
                                .Prop("Default", &TTestButton::Default, &TTestButton::SetDefault)
                                .Default(false)
                                .Prop("Kind", &TTestButton::Kind, &TTestButton::SetKind)
                                .Default(tkPlain)
                                .Prop("Kinds", &TTestButton::Kinds, &TTestButton::SetKinds)
                                .Default(0)
                                .Prop("Width", &TTestButton::Width, &TTestButton::SetWidth)
                                .Default(75)
                                .Prop("Big", &TTestButton::Big, &TTestButton::SetBig)
                                .Default(0)
                                .Prop("Ratio", &TTestButton::Ratio, &TTestButton::SetRatio)
                                .Prop("Accel", &TTestButton::Accel, &TTestButton::SetAccel)
                                .Default(0)
                                .Prop("Font", &TTestButton::Font, &TTestButton::SetFont)
                                .Prop("OnClick", &TTestButton::OnClick, &TTestButton::SetOnClick)
                                .Build();
  return cls;
}
const TClass& TTestButton::ClassType() const { return StaticClass(); }

TTestButton::TTestButton(TComponent* AOwner) : TTestControl(AOwner) {}
TTestButton::~TTestButton() { Destroying(); }

void TTestButton::SetAction(TTestAction* a) {
  if (FAction) FAction->RemoveFreeNotification(this);
  FAction = a;
  if (a) a->FreeNotification(this);
}

void TTestButton::SetTarget(TComponent* c) {
  if (FTarget) FTarget->RemoveFreeNotification(this);
  FTarget = c;
  if (c) c->FreeNotification(this);
}

void TTestButton::Notification(TComponent* AComponent, TOperation Operation) {
  TTestControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FAction) FAction = nullptr;
  if (AComponent == FTarget) FTarget = nullptr;
}

void TTestButton::Loaded() {
  LoadLog().push_back({Name(), IsLoading(), IsReading(), FAction != nullptr});
  TComponent::Loaded();
}

const TClass& TTestPanel::StaticClass() {
  static const TClass cls = TClassBuilder<TTestPanel>("TTestPanel", &TTestControl::StaticClass()).Build();
  return cls;
}
const TClass& TTestPanel::ClassType() const { return StaticClass(); }

const TClass& TTestList::StaticClass() {
  static const TClass cls = TClassBuilder<TTestList>("TTestList", &TTestControl::StaticClass())
                                .Prop("Items", &TTestList::Items, &TTestList::SetItems)
                                .Prop("Columns", &TTestList::Columns, &TTestList::SetColumns)
                                .Prop("GridColumns", &TTestList::GridColumns, &TTestList::SetGridColumns)
                                .Prop("Nodes", &TTestList::Nodes, &TTestList::SetNodes)
                                .Build();
  return cls;
}
const TClass& TTestList::ClassType() const { return StaticClass(); }

TTestList::TTestList(TComponent* AOwner)
    : TTestControl(AOwner),
      FColumns(std::make_unique<TListColumns>(this)),
      FGridColumns(std::make_unique<TDBGridColumns>(this)),
      FNodes(std::make_unique<TTreeNodes>(this)) {}

const TClass& TTestForm::StaticClass() {
  static const TClass cls = TClassBuilder<TTestForm>("TTestForm", &TTestControl::StaticClass())
                                .Prop("FormClassName", &TTestForm::FormClassName, &TTestForm::SetFormClassName)
                                .Stored(false)
                                .Build();
  return cls;
}
const TClass& TTestForm::ClassType() const { return StaticClass(); }

void TTestForm::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
  TTestControl::GetChildren(Proc, Root);
  if (Root != this) return;
  for (TComponent* c : ComponentList())
    if (!c->HasParent() || c->GetParentComponent() == nullptr) {
      if (auto* ctl = dynamic_cast<TTestControl*>(c); ctl && ctl->Parent()) continue;
      Proc(c);
    }
}

const TClass& TTestFrame::StaticClass() {
  static const TClass cls = TClassBuilder<TTestFrame>("TTestFrame", &TTestForm::StaticClass()).Build();
  return cls;
}
const TClass& TTestFrame::ClassType() const { return StaticClass(); }

const TClass& TTestFailing::StaticClass() {
  static const TClass cls = TClassBuilder<TTestFailing>("TTestFailing", &TComponent::StaticClass()).Build();
  return cls;
}
const TClass& TTestFailing::ClassType() const { return StaticClass(); }

void TTestFailing::Loaded() {
  TComponent::Loaded();
  throw EComponentError("cannot start");
}

void RegisterTestClasses() {
  RegisterClass<TTestForm>();
  RegisterClass<TTestFrame>();
  RegisterClass<TTestPanel>();
  RegisterClass<TTestButton>();
  RegisterClass<TTestList>();
  RegisterClass<TTestAction>();
  RegisterClass<TTestFailing>();
}

}  // namespace streamtest
