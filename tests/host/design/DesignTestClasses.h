// Components the design-time tests register and edit: a non-visual gadget
// with a published property of each kind the inspector shows, and a
// descendant of it.
#pragma once

#include <memory>
#include <string>

#include "host/core/Component.h"
#include "host/core/Graphics.h"
#include "host/core/Strings.h"
#include "host/design/DesignIntf.h"

namespace designtest {

enum TGadgetKind { gkSmall, gkMedium, gkLarge };
const host::TTypeInfo& TypeInfoOf(TGadgetKind*);
using TGadgetKinds = host::TSet<TGadgetKind>;

// What a gadget's reference may hold.
class TGadgetStore : public host::TComponent {
  HOST_CLASS(TGadgetStore)
public:
  using TComponent::TComponent;
};

class TGadget : public host::TComponent {
  HOST_CLASS(TGadget)
public:
  explicit TGadget(host::TComponent* AOwner);
  ~TGadget() override;

  int Count() const { return FCount; }
  void SetCount(int v) { FCount = v; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& v) { FTitle = v; }
  TGadgetKind Kind() const { return FKind; }
  void SetKind(TGadgetKind v) { FKind = v; }
  TGadgetKinds Kinds() const { return FKinds; }
  void SetKinds(TGadgetKinds v) { FKinds = v; }
  bool Active() const { return FActive; }
  void SetActive(bool v) { FActive = v; }
  host::TStrings* Lines() const { return FLines.get(); }
  void SetLines(host::TStrings* v) { FLines->Assign(v); }
  host::TFont* Font() const { return FFont.get(); }
  void SetFont(host::TFont* v) { FFont->Assign(v); }
  // A reference that follows its target's removal.
  TGadgetStore* Buddy() const { return FBuddy; }
  void SetBuddy(TGadgetStore* v);
  std::string Summary() const { return FTitle + "#" + std::to_string(FCount); }
  const host::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(host::TNotifyEvent v) { FOnChange = std::move(v); }
  const host::TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(host::TNotifyEvent v) { FOnClick = std::move(v); }

  void Notification(host::TComponent* AComponent, host::TOperation Operation) override;

private:
  int FCount = 0;
  std::string FTitle;
  TGadgetKind FKind = gkSmall;
  TGadgetKinds FKinds;
  bool FActive = false;
  std::unique_ptr<host::TStringList> FLines;
  std::unique_ptr<host::TFont> FFont;
  TGadgetStore* FBuddy = nullptr;
  host::TNotifyEvent FOnChange;
  host::TNotifyEvent FOnClick;
};

class TSuperGadget : public TGadget {
  HOST_CLASS(TSuperGadget)
public:
  using TGadget::TGadget;
  int Extra() const { return FExtra; }
  void SetExtra(int v) { FExtra = v; }

private:
  int FExtra = 0;
};

// Registers the classes for streaming.
void RegisterGadgets();

// Registrations made inside it belong to a package of their own, which it
// withdraws at the end: tests leave the registries as they found them.
class TTestPackage {
public:
  TTestPackage() : FId(host::NewPackageId()), FScope(std::make_unique<host::TPackageScope>(FId)) {}
  ~TTestPackage() {
    FScope.reset();
    host::UnregisterPackage(FId);
  }
  int Id() const { return FId; }

private:
  int FId;
  std::unique_ptr<host::TPackageScope> FScope;
};

}  // namespace designtest
