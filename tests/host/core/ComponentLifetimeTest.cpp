// Freeing components: owners free what they own (last first), a freed
// component leaves its owner, and removal notifications reach every
// component that asked for them.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/host/core/TestClasses.h"

using namespace host;
using namespace hosttest;

namespace {
bool SawRemoval(const TRecorder& r, const void* what) {
  return std::any_of(r.Seen.begin(), r.Seen.end(),
                     [&](const auto& e) { return e.first == what && e.second == opRemove; });
}
}  // namespace

TEST(ComponentLifetime, OwnerFreesOwnedLastFirst) {
  TLog log;
  {
    TRecorder form(nullptr, "form", &log);
    new TRecorder(&form, "a", &log);
    auto* b = new TRecorder(&form, "b", &log);
    new TRecorder(b, "b1", &log);
    new TRecorder(&form, "c", &log);
  }
  // Each recorder logs as its destructor starts, before the framework frees
  // what it owns: so the form comes first and b1 right after b.
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"form destroyed", "c destroyed", "b destroyed", "b1 destroyed",
                                                 "a destroyed"}));
}

TEST(ComponentLifetime, FollowsTheReorderedList) {
  TLog log;
  {
    TComponent form(nullptr);
    auto* a = new TRecorder(&form, "a", &log);
    new TRecorder(&form, "b", &log);
    a->SetComponentIndex(1);
  }
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"a destroyed", "b destroyed"}));
}

TEST(ComponentLifetime, FreeingLeavesTheOwner) {
  TComponent form(nullptr);
  auto* a = new TSample(&form);
  a->SetName("A");
  auto* b = new TSample(&form);
  delete a;
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), b);
  EXPECT_EQ(form.FindComponent("A"), nullptr);
}

TEST(ComponentLifetime, DestroyComponentsEmptiesTheOwner) {
  TLog log;
  TComponent form(nullptr);
  new TRecorder(&form, "a", &log);
  new TRecorder(&form, "b", &log);
  form.DestroyComponents();
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"b destroyed", "a destroyed"}));
}

TEST(ComponentLifetime, SiblingsHearOfAFreedComponentThroughTheOwner) {
  TComponent form(nullptr);
  auto* watcher = new TRecorder(&form, "w", nullptr);
  auto* target = new TSample(&form);
  target->FreeNotification(watcher);
  watcher->Watched = target;
  delete target;
  EXPECT_EQ(watcher->Watched, nullptr);
  EXPECT_TRUE(SawRemoval(*watcher, target));
}

TEST(ComponentLifetime, WatchersInOtherOwnersAreNotified) {
  TLog log;
  auto form1 = std::make_unique<TComponent>(nullptr);
  auto form2 = std::make_unique<TComponent>(nullptr);
  auto* source = new TSample(form1.get());
  auto* watcher = new TRecorder(form2.get(), "w", &log);
  source->FreeNotification(watcher);
  watcher->Watched = source;
  form1.reset();
  EXPECT_EQ(watcher->Watched, nullptr);
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"w lost watched"}));
}

TEST(ComponentLifetime, TopLevelWatchersAreNotified) {
  auto source = std::make_unique<TSample>(nullptr);
  TRecorder watcher(nullptr, "w", nullptr);
  source->FreeNotification(&watcher);
  watcher.Watched = source.get();
  source.reset();
  EXPECT_EQ(watcher.Watched, nullptr);
}

TEST(ComponentLifetime, FreeNotificationWorksBothWays) {
  // A freed watcher is dropped by the component it watched, so the latter
  // never calls into freed memory.
  TRecorder source(nullptr, "s", nullptr);
  auto watcher = std::make_unique<TRecorder>(nullptr, "w", nullptr);
  source.FreeNotification(watcher.get());
  const void* gone = watcher.get();
  watcher.reset();
  EXPECT_TRUE(SawRemoval(source, gone));
}

TEST(ComponentLifetime, RemovedFreeNotificationIsNotSent) {
  auto source = std::make_unique<TSample>(nullptr);
  TRecorder watcher(nullptr, "w", nullptr);
  source->FreeNotification(&watcher);
  source->RemoveFreeNotification(&watcher);
  const void* gone = source.get();
  source.reset();
  EXPECT_FALSE(SawRemoval(watcher, gone));
}

TEST(ComponentLifetime, AskingTwiceNotifiesOnce) {
  auto source = std::make_unique<TSample>(nullptr);
  TRecorder watcher(nullptr, "w", nullptr);
  source->FreeNotification(&watcher);
  source->FreeNotification(&watcher);
  const void* gone = source.get();
  source.reset();
  EXPECT_EQ(std::count_if(watcher.Seen.begin(), watcher.Seen.end(), [&](const auto& e) { return e.first == gone; }),
            1);
}

TEST(ComponentLifetime, WatchedSiblingFreedWithItsOwnerNotifiesLaterSiblings) {
  // Freed last first: the watcher created before the source is still alive
  // when the source goes, and hears of it.
  TLog log;
  {
    TComponent form(nullptr);
    auto* watcher = new TRecorder(&form, "w", &log);
    auto* source = new TSample(&form);
    source->FreeNotification(watcher);
    watcher->Watched = source;
  }
  EXPECT_EQ(log.Lines, (std::vector<std::string>{"w lost watched", "w destroyed"}));
}

TEST(ComponentLifetime, OwnerBroadcastsRemovalToAllOwned) {
  TComponent form(nullptr);
  auto* a = new TRecorder(&form, "a", nullptr);
  auto* b = new TRecorder(&form, "b", nullptr);
  auto* gone = new TSample(&form);
  form.RemoveComponent(gone);
  EXPECT_TRUE(SawRemoval(*a, gone));
  EXPECT_TRUE(SawRemoval(*b, gone));
  delete gone;
}

TEST(ComponentLifetime, InsertionIsBroadcastToo) {
  TComponent form(nullptr);
  auto* a = new TRecorder(&form, "a", nullptr);
  auto* added = new TSample(&form);
  ASSERT_FALSE(a->Seen.empty());
  EXPECT_EQ(a->Seen.back().first, added);
  EXPECT_EQ(a->Seen.back().second, opInsert);
}

TEST(ComponentLifetime, DestroyingStateIsSetForTheWholeFamily) {
  struct TProbe : TComponent {
    using TComponent::TComponent;
    bool* destroying = nullptr;
    ~TProbe() override {
      if (destroying) *destroying = IsDestroying();
    }
  };
  // The owner marks the whole family before it frees anyone.
  bool seen = false;
  {
    TComponent form(nullptr);
    auto* frame = new TComponent(&form);
    auto* p = new TProbe(frame);
    p->destroying = &seen;
  }
  EXPECT_TRUE(seen);
}

TEST(ComponentLifetime, NotificationHandlerMayFreeOtherComponents) {
  // A handler that frees a sibling while the owner walks its list must not
  // make the walk read freed memory or miss the components still there.
  struct TKiller : TComponent {
    using TComponent::TComponent;
    TComponent* victim = nullptr;
    TComponent* trigger = nullptr;
    void Notification(TComponent* AComponent, TOperation Operation) override {
      TComponent::Notification(AComponent, Operation);
      if (Operation == opRemove && AComponent == trigger && victim) {
        TComponent* v = victim;
        victim = nullptr;
        delete v;
      }
    }
  };
  TComponent form(nullptr);
  auto* first = new TRecorder(&form, "first", nullptr);
  auto* victim = new TSample(&form);
  auto* killer = new TKiller(&form);
  auto* trigger = new TSample(&form);
  killer->victim = victim;
  killer->trigger = trigger;
  delete trigger;
  EXPECT_EQ(form.ComponentCount(), 2);
  EXPECT_EQ(form.Components(0), first);
  EXPECT_EQ(form.Components(1), killer);
  EXPECT_TRUE(SawRemoval(*first, trigger));
  EXPECT_TRUE(SawRemoval(*first, victim));
}

TEST(ComponentLifetime, InsertionIntoALoadingOwnerIsNotAnnounced) {
  TComponent form(nullptr);
  auto* a = new TRecorder(&form, "a", nullptr);
  form.SetLoading(true);
  auto* added = new TSample(&form);
  form.SetLoading(false);
  for (const auto& seen : a->Seen) EXPECT_NE(seen.first, added);
  // Removal is still announced while loading: a reference must never dangle.
  form.SetLoading(true);
  form.RemoveComponent(added);
  form.SetLoading(false);
  EXPECT_TRUE(SawRemoval(*a, added));
  delete added;
}
