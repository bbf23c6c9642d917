// Timers run on the manual clock: every test moves time by hand.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

#include "vgclock.h"
#include "vgdebug.h"
#include "vgtimer.h"

namespace {

class TimerTest : public testing::Test {
 protected:
  void SetUp() override { VgClockSetManual(true); }
  void TearDown() override {
    for (VgTimer* t : timers_) VgDestroyTimer(t);
  }

  // A timer that appends its number to the firing order.
  VgTimer* Make(int number) {
    slots_.push_back({this, number});
    VgTimer* t = VgCreateTimer(&Record, &slots_.back());
    timers_.push_back(t);
    return t;
  }
  void Forget(VgTimer* t) { std::erase(timers_, t); }

  // Advances the clock and runs one turn; returns the number fired.
  int Turn(uint32_t ms) {
    VgClockAdvance(ms);
    return VgProcessTimers();
  }

  struct Slot {
    TimerTest* test;
    int number;
  };
  static void Record(void* argument) {
    auto* slot = static_cast<Slot*>(argument);
    slot->test->fired_.push_back(slot->number);
    if (slot->test->onFire_) slot->test->onFire_(slot->number);
  }

  std::vector<int> fired_;
  std::function<void(int)> onFire_;
  std::vector<VgTimer*> timers_;
  std::deque<Slot> slots_;
};

TEST_F(TimerTest, OneShotFiresOnceAfterItsDelay) {
  VgTimer* t = Make(1);
  VgStartTimer(t, 250, 0);
  EXPECT_EQ(Turn(249), 0);
  EXPECT_EQ(VgNextTimerExpiration(), 1);
  EXPECT_EQ(Turn(1), 1);
  EXPECT_FALSE(t->enabled);
  EXPECT_EQ(Turn(10000), 0);
  EXPECT_EQ(fired_, std::vector<int>{1});
}

TEST_F(TimerTest, PeriodicWithoutDelayFirstFiresAfterOnePeriod) {
  VgTimer* t = Make(1);
  VgStartTimer(t, 0, 500);
  EXPECT_EQ(Turn(499), 0);
  EXPECT_EQ(Turn(1), 1);
  EXPECT_EQ(Turn(499), 0);
  EXPECT_EQ(Turn(1), 1);
  EXPECT_EQ(Turn(500), 1);
  EXPECT_TRUE(t->enabled);
}

TEST_F(TimerTest, ZeroOrNegativeTimesNeverFire) {
  VgTimer* zero = Make(1);
  VgTimer* negative = Make(2);
  VgTimer* mixed = Make(3);
  VgStartTimer(zero, 0, 0);
  VgStartTimer(negative, -100, -5);
  VgStartTimer(mixed, -100, 0);
  EXPECT_FALSE(VgAnyTimerEnabled());
  EXPECT_EQ(Turn(0), 0);
  EXPECT_EQ(Turn(100000), 0);
  EXPECT_EQ(VgNextTimerExpiration(), 2147483647);
  VgStartTimer(mixed, -1, 300);  // a negative delay takes the period
  EXPECT_EQ(Turn(299), 0);
  EXPECT_EQ(Turn(1), 1);
}

TEST_F(TimerTest, BlockedPeriodicTimerFiresOnceAndKeepsItsGrid) {
  VgClockSetTicks(1234);  // the grid is set by the start, not by round numbers
  VgTimer* t = Make(1);
  VgStartTimer(t, 0, 100);
  EXPECT_EQ(Turn(1050), 1);
  EXPECT_EQ(VgNextTimerExpiration(), 50);  // 1234 + 1100
  EXPECT_EQ(VgProcessTimers(), 0);
  EXPECT_EQ(Turn(49), 0);
  EXPECT_EQ(Turn(1), 1);
  EXPECT_EQ(VgNextTimerExpiration(), 100);
  EXPECT_EQ(fired_.size(), 2u);
}

TEST_F(TimerTest, LateTimerExactlyOnAGridPointSkipsToTheNext) {
  VgTimer* t = Make(1);
  VgStartTimer(t, 0, 100);
  EXPECT_EQ(Turn(200), 1);
  EXPECT_EQ(VgNextTimerExpiration(), 100);
}

TEST_F(TimerTest, EachTimerFiresAtMostOncePerCall) {
  Make(1);
  Make(2);
  VgStartTimer(timers_[0], 10, 10);
  VgStartTimer(timers_[1], 30, 0);
  EXPECT_EQ(Turn(1000), 2);
  EXPECT_EQ(VgProcessTimers(), 0);
  EXPECT_EQ(fired_.size(), 2u);
}

TEST_F(TimerTest, DueTimersFireNewestFirst) {
  VgTimer* older = Make(1);
  VgTimer* newer = Make(2);
  VgStartTimer(older, 100, 0);
  VgStartTimer(newer, 100, 0);
  EXPECT_EQ(Turn(100), 2);
  EXPECT_EQ(fired_, (std::vector<int>{2, 1}));
}

TEST_F(TimerTest, TimerStartedByACallbackWaitsForTheNextCall) {
  VgTimer* first = Make(1);
  VgStartTimer(first, 10, 0);
  onFire_ = [this](int number) {
    if (number != 1) return;
    VgTimer* second = Make(2);
    VgStartTimer(second, 1, 0);
    VgClockAdvance(5);  // already due when the walk goes on
  };
  EXPECT_EQ(Turn(10), 1);
  EXPECT_EQ(VgProcessTimers(), 1);
  EXPECT_EQ(fired_, (std::vector<int>{1, 2}));
}

TEST_F(TimerTest, NextExpirationWithoutTimers) {
  EXPECT_EQ(VgNextTimerExpiration(), 2147483647);
  VgTimer* t = Make(1);
  EXPECT_EQ(VgNextTimerExpiration(), 2147483647);  // created stopped
  VgStartTimer(t, 700, 0);
  EXPECT_EQ(VgNextTimerExpiration(), 700);
  VgClockAdvance(900);
  EXPECT_EQ(VgNextTimerExpiration(), 0);  // overdue is never negative
  VgResetTimer(t);
  EXPECT_EQ(VgNextTimerExpiration(), 2147483647);
  EXPECT_EQ(t->delay, 0);
  EXPECT_EQ(t->period, 0);
}

TEST_F(TimerTest, NextExpirationIsTheEarliestEnabled) {
  VgStartTimer(Make(1), 900, 0);
  VgStartTimer(Make(2), 300, 1000);
  VgStartTimer(Make(3), 600, 0);
  EXPECT_EQ(VgNextTimerExpiration(), 300);
}

TEST_F(TimerTest, RestartReplacesTheRunningCount) {
  VgTimer* t = Make(1);
  VgStartTimer(t, 100, 0);
  EXPECT_EQ(Turn(90), 0);
  VgStartTimer(t, 100, 0);
  EXPECT_EQ(Turn(90), 0);
  EXPECT_EQ(Turn(10), 1);
}

TEST_F(TimerTest, CountingGoesOnAcrossTheWrapOfTheTickCount) {
  VgClockSetTicks(0xFFFFFF00u);
  VgTimer* t = Make(1);
  VgStartTimer(t, 0x200, 0x200);
  EXPECT_EQ(Turn(0x100), 0);
  EXPECT_EQ(VgGetTicks(), 0u);
  EXPECT_EQ(Turn(0xFF), 0);
  EXPECT_EQ(VgNextTimerExpiration(), 1);
  EXPECT_EQ(Turn(1), 1);
  EXPECT_EQ(Turn(0x1FF), 0);
  EXPECT_EQ(Turn(1), 1);
}

TEST_F(TimerTest, AReadingBelowThePreviousCountsAsAWrap) {
  VgClockSetTicks(5000);
  uint64_t before = VgGetTicks64();
  VgClockSetTicks(1000);
  uint64_t after = VgGetTicks64();
  EXPECT_GT(after, before);
  EXPECT_EQ(after - before, (uint64_t(1) << 32) - 4000);
}

TEST_F(TimerTest, LeavingManualModeNeverStepsTheClockBack) {
  VgClockAdvance(3600u * 1000u);
  uint64_t manual = VgGetTicks64();
  VgClockSetManual(false);
  uint64_t real = VgGetTicks64();
  VgClockSetManual(true);
  uint64_t again = VgGetTicks64();
  EXPECT_GE(real, manual);
  EXPECT_LT(real - manual, uint64_t(1) << 31);  // no wrap was counted
  EXPECT_GE(again, real);
}

TEST_F(TimerTest, DestroyingAnUnknownTimerPanics) {
  VgTimer* t = Make(1);
  Forget(t);
  VgDestroyTimer(t);
  EXPECT_THROW(VgDestroyTimer(t), VgPanicError);
  VgTimer stray{};
  EXPECT_THROW(VgDestroyTimer(&stray), VgPanicError);
  EXPECT_THROW(VgDestroyTimer(nullptr), VgPanicError);
}

TEST_F(TimerTest, CallbackMayDestroyItsOwnTimerAndTheNext) {
  VgTimer* last = Make(1);
  VgTimer* middle = Make(2);
  VgTimer* first = Make(3);  // newest: fires first
  for (VgTimer* t : {first, middle, last}) VgStartTimer(t, 10, 10);
  onFire_ = [&](int number) {
    if (number != 3) return;
    Forget(first);
    Forget(middle);
    VgDestroyTimer(first);
    VgDestroyTimer(middle);
  };
  EXPECT_EQ(Turn(10), 2);
  EXPECT_EQ(fired_, (std::vector<int>{3, 1}));
  EXPECT_EQ(VgTimerCount(), timers_.size());
}

}  // namespace
