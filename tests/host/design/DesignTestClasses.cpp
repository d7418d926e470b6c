#include "tests/host/design/DesignTestClasses.h"

#include "host/core/ClassRegistry.h"

using namespace host;

namespace designtest {

const TTypeInfo& TypeInfoOf(TGadgetKind*) {
  static const TTypeInfo info = MakeEnumInfo("TGadgetKind", {"gkSmall", "gkMedium", "gkLarge"});
  return info;
}

const TClass& TGadgetStore::StaticClass() {
  static const TClass cls = TClassBuilder<TGadgetStore>("TGadgetStore", &TComponent::StaticClass()).Build();
  return cls;
}
const TClass& TGadgetStore::ClassType() const { return StaticClass(); }

const TClass& TGadget::StaticClass() {
  static const TClass cls = TClassBuilder<TGadget>("TGadget", &TComponent::StaticClass())
                                .Prop("Count", &TGadget::Count, &TGadget::SetCount)
                                .Default(0)
                                .Prop("Title", &TGadget::Title, &TGadget::SetTitle)
                                .Prop("Kind", &TGadget::Kind, &TGadget::SetKind)
                                .Default(gkSmall)
                                .Prop("Kinds", &TGadget::Kinds, &TGadget::SetKinds)
                                .Default(0)
                                .Prop("Active", &TGadget::Active, &TGadget::SetActive)
                                .Default(false)
                                .Prop("Lines", &TGadget::Lines, &TGadget::SetLines)
                                .Prop("Font", &TGadget::Font, &TGadget::SetFont)
                                .Prop("Buddy", &TGadget::Buddy, &TGadget::SetBuddy)
                                .Prop("Summary", &TGadget::Summary)
                                .Stored(false)
                                .Prop("OnChange", &TGadget::OnChange, &TGadget::SetOnChange)
                                .Prop("OnClick", &TGadget::OnClick, &TGadget::SetOnClick)
                                .Build();
  return cls;
}
const TClass& TGadget::ClassType() const { return StaticClass(); }

const TClass& TSuperGadget::StaticClass() {
  static const TClass cls = TClassBuilder<TSuperGadget>("TSuperGadget", &TGadget::StaticClass())
                                .Prop("Extra", &TSuperGadget::Extra, &TSuperGadget::SetExtra)
                                .Default(0)
                                .Build();
  return cls;
}
const TClass& TSuperGadget::ClassType() const { return StaticClass(); }

TGadget::TGadget(TComponent* AOwner)
    : TComponent(AOwner), FLines(std::make_unique<TStringList>()), FFont(std::make_unique<TFont>()) {}

TGadget::~TGadget() = default;

void TGadget::SetBuddy(TGadgetStore* v) {
  if (FBuddy == v) return;
  if (FBuddy) FBuddy->RemoveFreeNotification(this);
  FBuddy = v;
  if (FBuddy) FBuddy->FreeNotification(this);
}

void TGadget::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FBuddy) FBuddy = nullptr;
}

void RegisterGadgets() {
  RegisterClass<TGadgetStore>();
  RegisterClass<TGadget>();
  RegisterClass<TSuperGadget>();
}

}  // namespace designtest
