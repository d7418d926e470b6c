// The registration services: palette pages and their order, which component
// editor and which property editor serve a component, and withdrawing a
// package's registrations.
#include <gtest/gtest.h>

#include <map>

#include "host/controls/Buttons.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/StdRegister.h"
#include "host/core/ClassRegistry.h"
#include "host/design/DesignEditors.h"
#include "host/design/ToolsAPI.h"
#include "tests/host/design/DesignTestClasses.h"

using namespace host;
using namespace designtest;

namespace {

class TNamedEditor : public TComponentEditor {
public:
  TNamedEditor(TComponent* C, IDesigner* D, std::string Name) : TComponentEditor(C, D), FName(std::move(Name)) {}
  int GetVerbCount() override { return 1; }
  std::string GetVerb(int) override { return FName; }

private:
  std::string FName;
};

TComponentEditorClass Named(const std::string& Name) {
  return [Name](TComponent* C, IDesigner* D) { return std::make_unique<TNamedEditor>(C, D, Name); };
}

std::string VerbOf(TComponent* C) { return GetComponentEditor(C, nullptr)->GetVerb(0); }

class TTaggedProperty : public TIntegerProperty {
public:
  using TIntegerProperty::TIntegerProperty;
  std::string GetValue() const override { return "tagged " + TIntegerProperty::GetValue(); }
};

// The editors GetComponentProperties makes for Object, by property name.
std::map<std::string, std::unique_ptr<TPropertyEditor>> EditorsOf(TPersistent* Object) {
  std::map<std::string, std::unique_ptr<TPropertyEditor>> editors;
  GetComponentProperties({Object}, nullptr, [&](std::unique_ptr<TPropertyEditor> E) {
    const std::string name = E->GetName();
    editors[name] = std::move(E);
  });
  return editors;
}

class RegistrationTest : public ::testing::Test {
protected:
  RegistrationTest() {
    RegisterStandardControls();
    RegisterGadgets();
  }
  TTestPackage Package;
};

}  // namespace

TEST_F(RegistrationTest, PalettePagesKeepTheOrderTheyWereFirstNamedAndClassesTheirGivenOrder) {
  RegisterComponents("Gadgets", {&TSuperGadget::StaticClass(), &TGadget::StaticClass()});
  RegisterComponents("More Gadgets", {&TGadget::StaticClass()});
  RegisterComponents("gadgets", {&TButton::StaticClass()});  // the same page, whatever the case

  const std::vector<std::string> pages = PalettePages();
  auto first = std::find(pages.begin(), pages.end(), "Gadgets");
  auto second = std::find(pages.begin(), pages.end(), "More Gadgets");
  ASSERT_NE(first, pages.end());
  ASSERT_NE(second, pages.end());
  EXPECT_LT(first, second);
  EXPECT_EQ(PaletteClasses("Gadgets"),
            (std::vector<const TClass*>{&TSuperGadget::StaticClass(), &TGadget::StaticClass(), &TButton::StaticClass()}));
  // A class that streaming cannot create has no place on the palette.
  EXPECT_THROW(RegisterComponents("Gadgets", {&TComponent::StaticClass()}), EDesignError);
}

TEST_F(RegistrationTest, TheMostDerivedComponentEditorServesAComponent) {
  TGadget gadget(nullptr);
  TSuperGadget super(nullptr);
  EXPECT_NE(dynamic_cast<TDefaultEditor*>(GetComponentEditor(&gadget, nullptr).get()), nullptr);

  RegisterComponentEditor(TSuperGadget::StaticClass(), Named("super"));
  RegisterComponentEditor(TGadget::StaticClass(), Named("base"));
  RegisterComponentEditor(TComponent::StaticClass(), Named("any"));
  // Registered after the derived one, the base editors still do not take
  // the derived class over.
  EXPECT_EQ(VerbOf(&super), "super");
  EXPECT_EQ(VerbOf(&gadget), "base");
  // Among registrations for one class the later wins.
  RegisterComponentEditor(TGadget::StaticClass(), Named("base again"));
  EXPECT_EQ(VerbOf(&gadget), "base again");
  EXPECT_EQ(VerbOf(&super), "super");
}

TEST_F(RegistrationTest, APropertyEditorServesDescendantsAndTheMostSpecificRegistrationWins) {
  TSuperGadget super(nullptr);
  super.SetCount(3);
  RegisterPropertyEditor<TTaggedProperty>(TypeInfo<int>(), &TGadget::StaticClass(), "Count");
  EXPECT_EQ(EditorsOf(&super).at("Count")->GetValue(), "tagged 3");
  // Other integer properties keep the default editor.
  EXPECT_EQ(EditorsOf(&super).at("Extra")->GetValue(), "0");

  // A registration for every integer of every class does not beat the
  // named one, however late it comes.
  RegisterPropertyEditor(TypeInfo<int>(), nullptr, "", PropertyEditorClass<TIntegerProperty>());
  EXPECT_EQ(EditorsOf(&super).at("Count")->GetValue(), "tagged 3");
  // A string registration does not serve an integer property.
  RegisterPropertyEditor(TypeInfo<std::string>(), &TSuperGadget::StaticClass(), "Count",
                         PropertyEditorClass<TStringProperty>());
  EXPECT_EQ(EditorsOf(&super).at("Count")->GetValue(), "tagged 3");
  // The derived class's own registration does.
  RegisterPropertyEditor(TypeInfo<int>(), &TSuperGadget::StaticClass(), "Count",
                         PropertyEditorClass<TIntegerProperty>());
  EXPECT_EQ(EditorsOf(&super).at("Count")->GetValue(), "3");
  TGadget gadget(nullptr);
  EXPECT_EQ(EditorsOf(&gadget).at("Count")->GetValue(), "tagged 0");
}

TEST_F(RegistrationTest, ARegistrationWithoutEditorHidesThePropertyAlsoForAClassType) {
  TSuperGadget super(nullptr);
  ASSERT_EQ(EditorsOf(&super).count("Lines"), 1u);
  // TStrings registered: the TStringList property is one of its descendants.
  RegisterPropertyEditor(TypeInfo<TStrings>(), &TGadget::StaticClass(), "Lines", nullptr);
  RegisterPropertyEditor(TypeInfo<TGadgetKind>(), &TSuperGadget::StaticClass(), "", nullptr);
  const auto editors = EditorsOf(&super);
  EXPECT_EQ(editors.count("Lines"), 0u);
  EXPECT_EQ(editors.count("Kind"), 0u);
  EXPECT_EQ(editors.count("Title"), 1u);
  TGadget gadget(nullptr);
  EXPECT_EQ(EditorsOf(&gadget).count("Kind"), 1u);
}

TEST_F(RegistrationTest, UnregisteringAPackageWithdrawsExactlyItsOwnRegistrations) {
  RegisterComponents("Gadgets", {&TGadget::StaticClass()});
  RegisterComponentEditor(TGadget::StaticClass(), Named("outer"));
  const int inner = NewPackageId();
  struct TWizard : TNotifierObject, IOTAWizard {
    bool* Freed;
    explicit TWizard(bool* F) : Freed(F) {}
    ~TWizard() override { *Freed = true; }
    std::string GetIDString() const override { return "Test.Wizard"; }
    std::string GetName() const override { return "Test"; }
    TWizardState GetState() const override { return {wsEnabled}; }
    void Execute() override {}
  };
  bool freed = false;
  // First registered inside the package, the class goes with it.
  UnRegisterClass(TSuperGadget::StaticClass());
  {
    TPackageScope scope(inner);
    RegisterComponents<TSuperGadget>("Inner Gadgets");
    RegisterComponents("Gadgets", {&TSuperGadget::StaticClass()});
    RegisterComponentEditor(TGadget::StaticClass(), Named("inner"));
    RegisterClass<TMemo>();  // known before: stays the host's
    RegisterPackageWizard(std::make_unique<TWizard>(&freed));
  }
  TGadget gadget(nullptr);
  EXPECT_EQ(VerbOf(&gadget), "inner");
  EXPECT_EQ(PaletteClasses("Gadgets").size(), 2u);
  ASSERT_GT(WizardCount(), 0);

  UnregisterPackage(inner);
  EXPECT_TRUE(freed);
  EXPECT_EQ(VerbOf(&gadget), "outer");
  EXPECT_EQ(PaletteClasses("Gadgets"), (std::vector<const TClass*>{&TGadget::StaticClass()}));
  EXPECT_TRUE(PaletteClasses("Inner Gadgets").empty());
  EXPECT_NE(FindRegisteredClass("TMemo"), nullptr);
  EXPECT_EQ(FindRegisteredClass("TSuperGadget"), nullptr);
}
