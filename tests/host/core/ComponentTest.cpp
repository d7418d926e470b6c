// Components: names, ownership order, look-up by name and the states.
#include <gtest/gtest.h>

#include "tests/host/core/TestClasses.h"

using namespace host;
using namespace hosttest;

namespace {
std::vector<std::string> ComponentNames(const TComponent& owner) {
  std::vector<std::string> out;
  for (int i = 0; i < owner.ComponentCount(); ++i) out.push_back(owner.Components(i)->Name());
  return out;
}
TComponent* Named(TComponent* owner, const std::string& name) {
  auto* c = new TSample(owner);
  c->SetName(name);
  return c;
}
}  // namespace

TEST(ComponentOwnership, OwnedComponentsKeepCreationOrder) {
  TComponent form(nullptr);
  Named(&form, "C");
  Named(&form, "A");
  Named(&form, "B");
  EXPECT_EQ(form.ComponentCount(), 3);
  EXPECT_EQ(ComponentNames(form), (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(form.Components(1)->Owner(), &form);
  EXPECT_EQ(form.Components(2)->ComponentIndex(), 2);
  EXPECT_EQ(form.ComponentList().size(), 3u);
  EXPECT_EQ(form.Owner(), nullptr);
  EXPECT_EQ(form.ComponentIndex(), -1);
}

TEST(ComponentOwnership, ComponentsOutOfRangeRaises) {
  TComponent form(nullptr);
  Named(&form, "A");
  EXPECT_THROW(form.Components(1), EListError);
  EXPECT_THROW(form.Components(-1), EListError);
  try {
    form.Components(5);
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
}

TEST(ComponentOwnership, OwnerIsNotTheOnlyLevel) {
  TComponent form(nullptr);
  auto* frame = Named(&form, "Frame1");
  auto* inner = Named(frame, "Button1");
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(frame->ComponentCount(), 1);
  EXPECT_EQ(form.FindComponent("Button1"), nullptr);  // only direct children
  EXPECT_EQ(frame->FindComponent("button1"), inner);
  EXPECT_EQ(inner->GetOwner(), frame);
}

TEST(ComponentOwnership, InsertMovesBetweenOwnersAtTheEnd) {
  TComponent a(nullptr), b(nullptr);
  auto* x = Named(&a, "X");
  Named(&b, "Y");
  b.InsertComponent(x);
  EXPECT_EQ(a.ComponentCount(), 0);
  EXPECT_EQ(ComponentNames(b), (std::vector<std::string>{"Y", "X"}));
  EXPECT_EQ(x->Owner(), &b);
  EXPECT_EQ(a.FindComponent("X"), nullptr);
  EXPECT_EQ(b.FindComponent("x"), x);
  b.RemoveComponent(x);
  EXPECT_EQ(x->Owner(), nullptr);
  EXPECT_EQ(b.FindComponent("X"), nullptr);
  EXPECT_EQ(x->Name(), "X");
  delete x;
}

TEST(ComponentOwnership, InsertWithATakenNameRaisesAndChangesNothing) {
  TComponent a(nullptr), b(nullptr);
  auto* x = Named(&a, "Same");
  auto* y = Named(&b, "SAME");
  EXPECT_THROW(b.InsertComponent(x), EComponentError);
  EXPECT_EQ(x->Owner(), &a);
  EXPECT_EQ(a.FindComponent("Same"), x);
  EXPECT_EQ(b.FindComponent("same"), y);
  EXPECT_EQ(b.ComponentCount(), 1);
}

TEST(ComponentOwnership, OwnershipCyclesAreRefused) {
  TComponent root(nullptr);
  auto* child = Named(&root, "Child");
  auto* grandchild = Named(child, "Grand");
  EXPECT_THROW(child->InsertComponent(child), EComponentError);
  EXPECT_THROW(grandchild->InsertComponent(child), EComponentError);
  EXPECT_THROW(grandchild->InsertComponent(&root), EComponentError);
  EXPECT_EQ(child->Owner(), &root);
  EXPECT_EQ(grandchild->Owner(), child);
}

TEST(ComponentIndex, MovesWithinTheOwnerAndClamps) {
  TComponent form(nullptr);
  auto* a = Named(&form, "A");
  Named(&form, "B");
  auto* c = Named(&form, "C");
  c->SetComponentIndex(0);
  EXPECT_EQ(ComponentNames(form), (std::vector<std::string>{"C", "A", "B"}));
  a->SetComponentIndex(99);
  EXPECT_EQ(ComponentNames(form), (std::vector<std::string>{"C", "B", "A"}));
  a->SetComponentIndex(-5);
  EXPECT_EQ(ComponentNames(form), (std::vector<std::string>{"A", "C", "B"}));
  EXPECT_EQ(a->ComponentIndex(), 0);
  // The name look-up is unaffected by the order.
  EXPECT_EQ(form.FindComponent("c"), c);
  TComponent lone(nullptr);
  lone.SetComponentIndex(3);  // no owner: nothing to do
  EXPECT_EQ(lone.ComponentIndex(), -1);
}

TEST(FindComponent, IgnoresCase) {
  TComponent form(nullptr);
  auto* ok = Named(&form, "btnOK");
  auto* cancel = Named(&form, "btnCancel");
  EXPECT_EQ(form.FindComponent("btnOK"), ok);
  EXPECT_EQ(form.FindComponent("BTNOK"), ok);
  EXPECT_EQ(form.FindComponent("btnok"), ok);
  EXPECT_EQ(form.FindComponent("BtnCancel"), cancel);
  EXPECT_EQ(form.FindComponent("btnOK "), nullptr);
  EXPECT_EQ(form.FindComponent("btn"), nullptr);
}

TEST(FindComponent, EmptyNameFindsNothingEvenAmongUnnamed) {
  TComponent form(nullptr);
  new TSample(&form);
  new TSample(&form);
  EXPECT_EQ(form.ComponentCount(), 2);
  EXPECT_EQ(form.FindComponent(""), nullptr);
}

TEST(FindComponent, FollowsRenamesAndRemovals) {
  TComponent form(nullptr);
  auto* c = Named(&form, "Old");
  c->SetName("New");
  EXPECT_EQ(form.FindComponent("old"), nullptr);
  EXPECT_EQ(form.FindComponent("new"), c);
  c->SetName("");
  EXPECT_EQ(form.FindComponent("New"), nullptr);
  c->SetName("Again");
  EXPECT_EQ(form.FindComponent("AGAIN"), c);
  delete c;
  EXPECT_EQ(form.FindComponent("Again"), nullptr);
  EXPECT_EQ(form.ComponentCount(), 0);
  // The freed name is available again.
  auto* d = Named(&form, "Again");
  EXPECT_EQ(form.FindComponent("again"), d);
}

TEST(ComponentName, ValidIdentifiersAndEmptyAreAccepted) {
  TComponent form(nullptr);
  auto* c = new TSample(&form);
  for (const char* name : {"A", "_", "_x1", "Button1", "a_b_C9", ""}) {
    c->SetName(name);
    EXPECT_EQ(c->Name(), name);
  }
}

TEST(ComponentName, InvalidNamesRaiseAndChangeNothing) {
  TComponent form(nullptr);
  auto* c = Named(&form, "Good");
  for (const char* name : {"1abc", "a b", "a-b", "a.b", " a", "a ", "Ä", "na\xC3\xAFve", "\t"}) {
    try {
      c->SetName(name);
      ADD_FAILURE() << "accepted " << name;
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + name + "' is not a valid component name");
    }
    EXPECT_EQ(c->Name(), "Good");
    EXPECT_EQ(form.FindComponent("Good"), c);
  }
}

TEST(ComponentName, DuplicatesAmongSiblingsRaiseIgnoringCase) {
  TComponent form(nullptr);
  Named(&form, "Button1");
  auto* b = Named(&form, "Button2");
  try {
    b->SetName("BUTTON1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named BUTTON1 already exists");
  }
  EXPECT_EQ(b->Name(), "Button2");
  EXPECT_EQ(form.FindComponent("button2"), b);
  EXPECT_EQ(form.FindComponent("button1")->Name(), "Button1");
  EXPECT_THROW(Named(&form, "button1"), EComponentError);
}

TEST(ComponentName, SameNameUnderOtherOwnersIsFine) {
  TComponent a(nullptr), b(nullptr);
  auto* x = Named(&a, "Edit1");
  auto* y = Named(&b, "Edit1");
  EXPECT_EQ(a.FindComponent("Edit1"), x);
  EXPECT_EQ(b.FindComponent("Edit1"), y);
  TComponent top1(nullptr), top2(nullptr);
  top1.SetName("Form1");
  top2.SetName("Form1");  // no owner: nothing to clash with
  EXPECT_EQ(top2.Name(), "Form1");
}

TEST(ComponentName, ChangingOnlyTheCaseIsAllowed) {
  TComponent form(nullptr);
  auto* c = Named(&form, "label1");
  c->SetName("Label1");
  EXPECT_EQ(c->Name(), "Label1");
  EXPECT_EQ(form.FindComponent("LABEL1"), c);
}

TEST(ComponentName, PublishedNameGoesThroughTheSameChecks) {
  TComponent form(nullptr);
  Named(&form, "Taken");
  auto* c = Named(&form, "Mine");
  SetStrProp(c, "Name", "Other");
  EXPECT_EQ(form.FindComponent("Other"), c);
  EXPECT_THROW(SetStrProp(c, "name", "taken"), EComponentError);
  EXPECT_THROW(SetStrProp(c, "Name", "no way"), EComponentError);
  EXPECT_EQ(GetStrProp(c, "Name"), "Other");
}

TEST(ComponentState, DesigningSpreadsToOwnedAndInsertedComponents) {
  TComponent form(nullptr);
  auto* a = Named(&form, "A");
  auto* inner = Named(a, "Inner");
  form.SetDesigning(true);
  EXPECT_TRUE(form.IsDesigning());
  EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
  EXPECT_TRUE(inner->IsDesigning());
  auto* late = Named(&form, "Late");
  EXPECT_TRUE(late->IsDesigning());
  form.SetDesigning(false, false);
  EXPECT_FALSE(form.IsDesigning());
  EXPECT_TRUE(a->IsDesigning());
}

TEST(ComponentState, LoadingLastsUntilLoaded) {
  TComponent form(nullptr);
  auto* rec = new TRecorder(&form, "r", nullptr);
  EXPECT_TRUE(form.ComponentState().Empty());
  form.SetLoading(true);
  form.SetReading(true);
  rec->SetLoading(true);
  EXPECT_TRUE(form.IsLoading());
  EXPECT_TRUE(form.IsReading());
  EXPECT_TRUE(form.ComponentState().Contains(csReading));
  form.SetReading(false);
  EXPECT_FALSE(form.IsReading());
  EXPECT_TRUE(form.IsLoading());
  form.Loaded();
  rec->Loaded();
  EXPECT_FALSE(form.IsLoading());
  EXPECT_FALSE(rec->IsLoading());
  EXPECT_EQ(rec->LoadedCalls, 1);
  EXPECT_FALSE(form.IsDestroying());
}

TEST(ComponentState, StateItemsHaveNames) {
  const TTypeInfo& info = TypeInfoOf(static_cast<TComponentStateItem*>(nullptr));
  EXPECT_EQ(GetEnumName(&info, csLoading), "csLoading");
  EXPECT_EQ(GetEnumName(&info, csReading), "csReading");
  EXPECT_EQ(GetEnumName(&info, csDesigning), "csDesigning");
  EXPECT_EQ(GetEnumName(&info, csDestroying), "csDestroying");
}

TEST(ComponentTag, IsAPublishedIntegerWithDefaultZero) {
  TComponent c(nullptr);
  EXPECT_TRUE(IsDefaultPropValue(&c, GetPropInfo(&c, "Tag")));
  SetOrdProp(&c, "tag", 42);
  EXPECT_EQ(c.Tag(), 42);
  EXPECT_FALSE(IsDefaultPropValue(&c, GetPropInfo(&c, "Tag")));
}

TEST(GlobalComponents, NewestLookUpFirstAndUnregister) {
  TComponent f1(nullptr), f2(nullptr);
  const int id1 = RegisterFindGlobalComponentProc([&](std::string_view n) -> TComponent* {
    return SameText(n, "Form1") ? &f1 : nullptr;
  });
  const int id2 = RegisterFindGlobalComponentProc([&](std::string_view n) -> TComponent* {
    return SameText(n, "Form1") || SameText(n, "Form2") ? &f2 : nullptr;
  });
  EXPECT_EQ(FindGlobalComponent("form1"), &f2);
  UnRegisterFindGlobalComponentProc(id2);
  EXPECT_EQ(FindGlobalComponent("form1"), &f1);
  EXPECT_EQ(FindGlobalComponent("Form2"), nullptr);
  UnRegisterFindGlobalComponentProc(id1);
  EXPECT_EQ(FindGlobalComponent("Form1"), nullptr);
}
