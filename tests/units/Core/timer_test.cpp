// Core::Timer on the manual clock.
#include <gtest/gtest.h>

#include "Core/Timer.h"
#include "vgclock.h"
#include "vgref.h"

namespace CoreTimerTest {

class Counter : public XObject {
  VG_CLASS()
 public:
  void OnTrigger(XObject* sender) {
    ++count;
    lastSender = sender;
  }
  int count = 0;
  XObject* lastSender = nullptr;
};

// A timer subclass, as the effects are: the runtime reaches the override.
class Ticker : public Core::Timer {
  VG_CLASS()
 public:
  void Trigger() override { ++ticks; }
  int ticks = 0;
};

// A view-like object with a timer embedded in it.
class Owner : public XObject {
  VG_CLASS()
 public:
  Core::Timer timer{this};
};

}  // namespace CoreTimerTest

VG_DEFINE_CLASS(CoreTimerTest, Counter, XObject)
VG_DEFINE_CLASS(CoreTimerTest, Ticker, Core::Timer)
VG_DEFINE_CLASS(CoreTimerTest, Owner, XObject)

namespace {

using CoreTimerTest::Counter;

class CoreTimer : public testing::Test {
 protected:
  void SetUp() override {
    VgClockSetManual(true);
    timer = VgNew<Core::Timer>();
    counter = VgNew<Counter>();
    VgLockObject(timer);
    VgLockObject(counter);
    timer->OnSetOnTrigger(VgSlotOf<&Counter::OnTrigger>(counter));
  }
  void TearDown() override {
    VgUnlockObject(timer);
    VgUnlockObject(counter);
    VgReclaimMemory();
  }
  int Turn(uint32_t ms) {
    VgClockAdvance(ms);
    VgProcessTimers();
    return counter->count;
  }

  Core::Timer* timer = nullptr;
  Counter* counter = nullptr;
};

TEST_F(CoreTimer, CreatedDisabledWithAOneSecondPeriod) {
  EXPECT_FALSE(timer->OnGetEnabled());
  EXPECT_EQ(timer->OnGetBegin(), 0);
  EXPECT_EQ(timer->OnGetPeriod(), 1000);
  EXPECT_EQ(Turn(5000), 0);
  timer->OnSetBegin(-5);
  timer->OnSetPeriod(-5);
  EXPECT_EQ(timer->OnGetBegin(), 0);
  EXPECT_EQ(timer->OnGetPeriod(), 0);
}

TEST_F(CoreTimer, TriggersEverySecondOnceEnabled) {
  timer->OnSetEnabled(true);
  EXPECT_EQ(Turn(999), 0);
  EXPECT_EQ(Turn(1), 1);
  EXPECT_EQ(counter->lastSender, timer);
  EXPECT_EQ(Turn(1000), 2);
  EXPECT_EQ(Turn(1000), 3);
  timer->OnSetEnabled(false);
  EXPECT_EQ(Turn(5000), 3);
}

TEST_F(CoreTimer, PeriodChangeWhileEnabledRestartsTheCount) {
  timer->OnSetEnabled(true);
  EXPECT_EQ(Turn(600), 0);
  timer->OnSetPeriod(300);  // from now, not from the old start
  EXPECT_EQ(Turn(299), 0);
  EXPECT_EQ(Turn(1), 1);
  EXPECT_EQ(Turn(300), 2);
  timer->OnSetPeriod(0);  // with Begin 0 nothing is left to count
  EXPECT_TRUE(timer->OnGetEnabled());
  EXPECT_EQ(Turn(10000), 2);
  EXPECT_FALSE(VgAnyTimerEnabled());
}

TEST_F(CoreTimer, PropertyChangesWhileDisabledStartNothing) {
  timer->OnSetPeriod(100);
  timer->OnSetBegin(50);
  EXPECT_EQ(Turn(1000), 0);
  timer->OnSetEnabled(true);
  EXPECT_EQ(Turn(50), 1);
  EXPECT_EQ(Turn(100), 2);
}

TEST_F(CoreTimer, OneShotStaysEnabledUntilActivatedAgain) {
  timer->OnSetPeriod(0);
  timer->OnSetBegin(200);
  timer->OnSetEnabled(true);
  EXPECT_EQ(Turn(200), 1);
  EXPECT_TRUE(timer->OnGetEnabled());
  EXPECT_EQ(Turn(1000), 1);
  timer->Activate();
  EXPECT_EQ(Turn(200), 2);
  timer->OnSetBegin(100);
  EXPECT_EQ(Turn(100), 3);
}

TEST_F(CoreTimer, ActivateRestartsTheDelayFromBegin) {
  timer->OnSetBegin(500);
  timer->OnSetEnabled(true);
  EXPECT_EQ(Turn(400), 0);
  timer->Activate();
  EXPECT_EQ(Turn(400), 0);
  EXPECT_EQ(Turn(100), 1);
}

TEST_F(CoreTimer, PropertiesWorkThroughReferences) {
  auto period = VgRefOf<&Core::Timer::OnGetPeriod, &Core::Timer::OnSetPeriod>(timer);
  auto enabled = VgRefOf<&Core::Timer::OnGetEnabled, &Core::Timer::OnSetEnabled>(timer);
  VgOnSetInt32(period, 250);
  VgOnSetBool(enabled, 1);
  EXPECT_EQ(Turn(250), 1);
}

TEST_F(CoreTimer, SubclassOverridesTrigger) {
  auto* ticker = VgNew<CoreTimerTest::Ticker>();
  VgLockObject(ticker);
  ticker->OnSetPeriod(10);
  ticker->OnSetEnabled(true);
  Turn(10);
  Turn(10);
  EXPECT_EQ(ticker->ticks, 2);
  VgUnlockObject(ticker);
}

TEST_F(CoreTimer, CollectedTimerTakesItsRuntimeTimerWithIt) {
  size_t before = VgTimerCount();
  auto* loose = VgNew<Core::Timer>();
  loose->OnSetOnTrigger(VgSlotOf<&Counter::OnTrigger>(counter));
  loose->OnSetPeriod(10);
  loose->OnSetEnabled(true);
  EXPECT_EQ(VgTimerCount(), before + 1);
  VgReclaimMemory();
  EXPECT_EQ(VgTimerCount(), before);
  EXPECT_EQ(Turn(100), 0);
}

TEST_F(CoreTimer, EmbeddedTimerLivesWithItsOwner) {
  auto* owner = VgNew<CoreTimerTest::Owner>();
  VgLockObject(owner);
  owner->timer.OnSetOnTrigger(VgSlotOf<&Counter::OnTrigger>(counter));
  owner->timer.OnSetPeriod(10);
  owner->timer.OnSetEnabled(true);
  VgReclaimMemory();
  EXPECT_EQ(Turn(10), 1);
  EXPECT_EQ(counter->lastSender, &owner->timer);
  size_t before = VgTimerCount();
  VgUnlockObject(owner);
  VgReclaimMemory();
  EXPECT_EQ(VgTimerCount(), before - 1);
}

}  // namespace
