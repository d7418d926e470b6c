// The class registry: components created by class name, found ignoring case.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/core/ClassRegistry.h"
#include "tests/host/core/TestClasses.h"

using namespace host;
using namespace hosttest;

namespace {
// Unregisters on leaving, so tests do not leak classes into each other.
struct Registered {
  explicit Registered(const TClass& c) : Class(c) {}
  ~Registered() { UnRegisterClass(Class); }
  const TClass& Class;
};
}  // namespace

TEST(ClassRegistry, CreatesRegisteredClassesByNameIgnoringCase) {
  RegisterClass<TSample>();
  Registered guard(TSample::StaticClass());
  const TRegisteredClass* entry = FindRegisteredClass("tsample");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->Class, &TSample::StaticClass());
  TComponent owner(nullptr);
  TComponent* made = entry->Create(&owner);
  EXPECT_EQ(made->ClassName(), "TSample");
  EXPECT_EQ(made->Owner(), &owner);
  EXPECT_EQ(&GetRegisteredClass("TSAMPLE"), entry);
}

TEST(ClassRegistry, UnknownOrUnregisteredNamesAreNotFound) {
  EXPECT_EQ(FindRegisteredClass("TNoSuchClass"), nullptr);
  try {
    GetRegisteredClass("TNoSuchClass");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNoSuchClass not found");
  }
  RegisterClass<TSampleChild>();
  UnRegisterClass(TSampleChild::StaticClass());
  EXPECT_EQ(FindRegisteredClass("TSampleChild"), nullptr);
  const auto all = RegisteredClasses();
  EXPECT_TRUE(std::none_of(all.begin(), all.end(),
                           [](const TRegisteredClass* c) { return c->Class == &TSampleChild::StaticClass(); }));
}

TEST(ClassRegistry, RegisteringAgainReplacesTheFactoryInPlace) {
  RegisterClass<TSample>();
  Registered guard(TSample::StaticClass());
  const TRegisteredClass* first = FindRegisteredClass("TSample");
  int calls = 0;
  RegisterClass(TSample::StaticClass(), [&](TComponent* owner) -> TComponent* {
    ++calls;
    return new TSample(owner);
  });
  EXPECT_EQ(FindRegisteredClass("TSample"), first);
  delete first->Create(nullptr);
  EXPECT_EQ(calls, 1);
}

TEST(ClassRegistry, ListsClassesInRegistrationOrder) {
  RegisterClass(TRecorder::StaticClass(),
                [](TComponent* owner) -> TComponent* { return new TRecorder(owner, "r", nullptr); });
  Registered g1(TRecorder::StaticClass());
  RegisterClass<TSampleChild>();
  Registered g2(TSampleChild::StaticClass());
  const auto all = RegisteredClasses();
  auto pos = [&](const TClass& c) {
    return std::find_if(all.begin(), all.end(), [&](const TRegisteredClass* r) { return r->Class == &c; });
  };
  ASSERT_NE(pos(TRecorder::StaticClass()), all.end());
  ASSERT_NE(pos(TSampleChild::StaticClass()), all.end());
  EXPECT_LT(pos(TRecorder::StaticClass()), pos(TSampleChild::StaticClass()));
}
