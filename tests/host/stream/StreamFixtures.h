// Small component classes for the stream tests: a form, panels, a frame
// that owns what is placed on it, buttons with every kind of property, a
// list with strings, collections and tree nodes, and an action. Each logs
// its Loaded call and the states it saw while being read.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/Collection.h"
#include "host/core/Component.h"
#include "host/core/Graphics.h"
#include "host/core/Strings.h"
#include "host/core/TreeNodes.h"

namespace streamtest {

using namespace host;

enum TTestKind { tkPlain, tkBold, tkFancy };
const TTypeInfo& TypeInfoOf(TTestKind*);
using TTestKinds = TSet<TTestKind>;

struct TLoadRecord {
  std::string Name;
  bool WasLoading;
  bool WasReading;
  bool HadAction;  // for buttons: the reference was resolved before Loaded
};
std::vector<TLoadRecord>& LoadLog();
// Components of these classes alive now (leak checks).
int& LiveCount();

class TTestControl : public TComponent {
  HOST_CLASS(TTestControl)
public:
  explicit TTestControl(TComponent* AOwner);
  ~TTestControl() override;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v) { FHint = v; }
  TTestControl* Parent() const { return FParent; }
  void SetParent(TTestControl* p);
  const std::vector<TTestControl*>& Controls() const { return FControls; }
  // The states seen by the last Caption assignment.
  TComponentState CaptionState() const { return FCaptionState; }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;
  void Loaded() override;

private:
  std::string FCaption, FHint;
  TTestControl* FParent = nullptr;
  std::vector<TTestControl*> FControls;
  TComponentState FCaptionState;
};

class TTestAction : public TComponent {
  HOST_CLASS(TTestAction)
public:
  explicit TTestAction(TComponent* AOwner) : TComponent(AOwner) { ++LiveCount(); }
  ~TTestAction() override { --LiveCount(); }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  const TNotifyEvent& OnExecute() const { return FOnExecute; }
  void SetOnExecute(TNotifyEvent e) { FOnExecute = std::move(e); }
  void Loaded() override;

private:
  std::string FCaption;
  TNotifyEvent FOnExecute;
};

class TTestButton : public TTestControl {
  HOST_CLASS(TTestButton)
public:
  explicit TTestButton(TComponent* AOwner);
  ~TTestButton() override;
  TTestAction* Action() const { return FAction; }
  void SetAction(TTestAction* a);
  TComponent* Target() const { return FTarget; }
  void SetTarget(TComponent* c);
  bool Default() const { return FDefault; }
  void SetDefault(bool v) { FDefault = v; }
  TTestKind Kind() const { return FKind; }
  void SetKind(TTestKind v) { FKind = v; }
  TTestKinds Kinds() const { return FKinds; }
  void SetKinds(TTestKinds v) { FKinds = v; }
  int Width() const { return FWidth; }
  void SetWidth(int v) { FWidth = v; }
  std::int64_t Big() const { return FBig; }
  void SetBig(std::int64_t v) { FBig = v; }
  double Ratio() const { return FRatio; }
  void SetRatio(double v) { FRatio = v; }
  char Accel() const { return FAccel; }
  void SetAccel(char v) { FAccel = v; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* f) { FFont->Assign(f); }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = std::move(e); }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

private:
  TTestAction* FAction = nullptr;
  TComponent* FTarget = nullptr;
  bool FDefault = false;
  TTestKind FKind = tkPlain;
  TTestKinds FKinds;
  int FWidth = 75;
  std::int64_t FBig = 0;
  double FRatio = 0;
  char FAccel = '\0';
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  TNotifyEvent FOnClick;
};

class TTestPanel : public TTestControl {
  HOST_CLASS(TTestPanel)
public:
  using TTestControl::TTestControl;
};

class TTestList : public TTestControl {
  HOST_CLASS(TTestList)
public:
  explicit TTestList(TComponent* AOwner);
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* v) { FItems->Assign(v); }
  TListColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TListColumns* v) { FColumns->Assign(v); }
  TDBGridColumns* GridColumns() const { return FGridColumns.get(); }
  void SetGridColumns(TDBGridColumns* v) { FGridColumns->Assign(v); }
  TTreeNodes* Nodes() const { return FNodes.get(); }
  void SetNodes(TTreeNodes* v) { FNodes->Assign(v); }

private:
  std::unique_ptr<TStringList> FItems = std::make_unique<TStringList>();
  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TDBGridColumns> FGridColumns;
  std::unique_ptr<TTreeNodes> FNodes;
};

// A form: the root of a file. Hands out its controls and its components
// that have no parent; keeps the class name the file declares.
class TTestForm : public TTestControl {
  HOST_CLASS(TTestForm)
public:
  using TTestControl::TTestControl;
  const std::string& FormClassName() const { return FFormClassName; }
  void SetFormClassName(const std::string& v) { FFormClassName = v; }
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;

private:
  std::string FFormClassName;
};

// A frame owns what is placed on it: a new level of names.
class TTestFrame : public TTestForm {
  HOST_CLASS(TTestFrame)
public:
  using TTestForm::TTestForm;
  TComponent* GetChildOwner() override { return this; }
};

// A component whose Loaded fails, for error clean-up.
class TTestFailing : public TComponent {
  HOST_CLASS(TTestFailing)
public:
  explicit TTestFailing(TComponent* AOwner) : TComponent(AOwner) { ++LiveCount(); }
  ~TTestFailing() override { --LiveCount(); }
  void Loaded() override;
};

// Registers the classes above (idempotent).
void RegisterTestClasses();

}  // namespace streamtest
