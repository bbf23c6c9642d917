// Effects stepping a property on the manual clock.
#include <gtest/gtest.h>

#include <vector>

#include "Effects/Effect.h"
#include "vgclock.h"
#include "vgref.h"
#include "vgtimer.h"

namespace EffectsTest {

// The animated object: records every value written to it.
class Target : public XObject {
  VG_CLASS()
 public:
  int32_t OnGetValue() const { return value; }
  void OnSetValue(int32_t v) {
    value = v;
    values.push_back(v);
  }
  VgRect OnGetBounds() const { return bounds; }
  void OnSetBounds(VgRect r) {
    bounds = r;
    rects.push_back(r);
  }
  bool OnGetShown() const { return shown; }
  void OnSetShown(bool v) {
    shown = v;
    ++toggles;
  }
  void Finished(XObject*) { ++finished; }
  void Stepped(XObject*) { ++steps; }

  int32_t value = 0;
  std::vector<int32_t> values;
  VgRect bounds{};
  std::vector<VgRect> rects;
  bool shown = true;
  int toggles = 0;
  int finished = 0;
  int steps = 0;
};

}  // namespace EffectsTest

VG_DEFINE_CLASS(EffectsTest, Target, XObject)

namespace {

using EffectsTest::Target;

class EffectsFixture : public testing::Test {
 protected:
  void SetUp() override {
    VgClockSetManual(true);
    target = VgNew<Target>();
    VgLockObject(target);
  }
  void TearDown() override {
    for (XObject* o : locked) VgUnlockObject(o);
    VgUnlockObject(target);
    VgReclaimMemory();
  }
  template <class E>
  E* Make() {
    E* effect = VgNew<E>();
    VgLockObject(effect);
    locked.push_back(effect);
    effect->OnSetPeriod(10);
    effect->OnSetOnFinished(VgSlotOf<&Target::Finished>(target));
    effect->OnSetOnTrigger(VgSlotOf<&Target::Stepped>(target));
    return effect;
  }
  Effects::Int32Effect* Int32() {
    auto* e = Make<Effects::Int32Effect>();
    e->OnSetActor(VgRefOf<&Target::OnGetValue, &Target::OnSetValue>(target));
    return e;
  }
  // Runs n periods of 10 ms.
  void Periods(int n) {
    for (int i = 0; i < n; ++i) {
      VgClockAdvance(10);
      VgProcessTimers();
    }
  }

  Target* target = nullptr;
  std::vector<XObject*> locked;
};

TEST_F(EffectsFixture, ApproachTakesAThirdOfTheRestAndEndsByFrameCount) {
  auto* e = Int32();
  e->OnSetMode(Effects::Effect::ModeApproach);
  e->OnSetEnabled(true);
  Periods(20);
  EXPECT_EQ(target->values, (std::vector<int32_t>{0, 85, 141, 179, 204, 221, 232, 239, 244, 247, 249}));
  EXPECT_EQ(target->finished, 1);
  EXPECT_EQ(target->steps, 11);
  EXPECT_FALSE(e->OnGetEnabled());
}

TEST_F(EffectsFixture, ApproachMovesAtLeastOneStepAndStopsOnArrival) {
  auto* e = Int32();
  e->OnSetMode(Effects::Effect::ModeApproach);
  e->OnSetStartValue(10);
  e->OnSetEndValue(8);
  e->OnSetFactor(5);
  e->OnSetEnabled(true);
  Periods(10);
  // The rest of 2 divided by 5 is 0: the effect still moves by one, and
  // finishes as soon as it reaches the end.
  EXPECT_EQ(target->values, (std::vector<int32_t>{10, 9, 8}));
  EXPECT_EQ(target->finished, 1);
}

TEST_F(EffectsFixture, LinearWithFramesClampedToOne) {
  auto* e = Int32();
  e->OnSetNoOfFrames(-4);
  EXPECT_EQ(e->OnGetNoOfFrames(), 1);
  e->OnSetFactor(0);
  EXPECT_EQ(e->OnGetFactor(), 1);
  e->OnSetStartValue(-20);
  e->OnSetEndValue(40);
  e->OnSetEnabled(true);
  Periods(5);
  EXPECT_EQ(target->values, (std::vector<int32_t>{-20, 40}));
  EXPECT_EQ(target->finished, 1);
}

TEST_F(EffectsFixture, LinearTruncatesTowardsZeroWithoutOverflow) {
  auto* e = Int32();
  e->OnSetNoOfFrames(3);
  e->OnSetStartValue(0);
  e->OnSetEndValue(-10);
  e->OnSetEnabled(true);
  Periods(5);
  EXPECT_EQ(target->values, (std::vector<int32_t>{0, -3, -6, -10}));

  target->values.clear();
  e->OnSetNoOfFrames(2);
  e->OnSetStartValue(-2000000000);
  e->OnSetEndValue(2000000000);
  e->OnSetEnabled(true);
  Periods(4);
  EXPECT_EQ(target->values, (std::vector<int32_t>{-2000000000, 0, 2000000000}));
}

TEST_F(EffectsFixture, ToggleNeverFinishesEarly) {
  auto* e = Int32();
  e->OnSetMode(Effects::Effect::ModeToggle);
  e->OnSetNoOfFrames(4);
  e->OnSetStartValue(1);
  e->OnSetEndValue(2);
  e->OnSetEnabled(true);
  Periods(10);
  EXPECT_EQ(target->values, (std::vector<int32_t>{1, 2, 1, 2, 1}));
  EXPECT_EQ(target->finished, 1);
}

TEST_F(EffectsFixture, WithoutActorFinishesOnTheFirstStep) {
  auto* e = Make<Effects::Int32Effect>();
  e->OnSetEnabled(true);
  Periods(1);
  EXPECT_EQ(target->finished, 1);
  EXPECT_EQ(target->steps, 1);
  EXPECT_FALSE(e->OnGetEnabled());
  Periods(3);
  EXPECT_EQ(target->finished, 1);
}

TEST_F(EffectsFixture, EndlessStartsOverFromFrameZero) {
  auto* e = Int32();
  e->OnSetNoOfFrames(2);
  e->OnSetEndValue(100);
  e->OnSetEndless(true);
  e->OnSetEnabled(true);
  Periods(7);
  EXPECT_EQ(target->values, (std::vector<int32_t>{0, 50, 100, 0, 50, 100, 0}));
  EXPECT_EQ(target->finished, 2);
  EXPECT_TRUE(e->OnGetEnabled());
}

TEST_F(EffectsFixture, SwitchingOffAndOnRewinds) {
  auto* e = Int32();
  e->OnSetEnabled(true);
  Periods(3);
  e->OnSetEnabled(false);
  Periods(3);
  e->OnSetEnabled(true);
  Periods(2);
  EXPECT_EQ(target->values, (std::vector<int32_t>{0, 25, 51, 0, 25}));
  EXPECT_EQ(target->finished, 0);
}

TEST_F(EffectsFixture, RectApproachesEachCoordinateOnItsOwn) {
  auto* e = Make<Effects::RectEffect>();
  e->OnSetActor(VgRefOf<&Target::OnGetBounds, &Target::OnSetBounds>(target));
  e->OnSetMode(Effects::Effect::ModeApproach);
  e->OnSetStartValue({0, 10, 0, 10});
  e->OnSetEndValue({9, 8, 0, 11});
  e->OnSetEnabled(true);
  Periods(10);
  ASSERT_GE(target->rects.size(), 3u);
  EXPECT_EQ(target->rects[0], (VgRect{0, 10, 0, 10}));
  EXPECT_EQ(target->rects[1], (VgRect{3, 9, 0, 11}));
  EXPECT_EQ(target->rects[2], (VgRect{5, 8, 0, 11}));
  EXPECT_EQ(target->rects.back(), (VgRect{9, 8, 0, 11}));
  EXPECT_EQ(target->finished, 1);
}

TEST_F(EffectsFixture, BoolBlinksAndEndsInTheStartingState) {
  auto* e = Make<Effects::BoolEffect>();
  e->OnSetActor(VgRefOf<&Target::OnGetShown, &Target::OnSetShown>(target));
  e->OnSetNoOfFrames(4);
  e->OnSetEnabled(true);
  Periods(10);
  EXPECT_EQ(target->toggles, 4);
  EXPECT_TRUE(target->shown);
  EXPECT_EQ(target->finished, 1);
  EXPECT_FALSE(e->OnGetEnabled());
}

TEST_F(EffectsFixture, BoolEndlessAndWithoutActor) {
  auto* e = Make<Effects::BoolEffect>();
  e->OnSetActor(VgRefOf<&Target::OnGetShown, &Target::OnSetShown>(target));
  e->OnSetNoOfFrames(2);
  e->OnSetEndless(true);
  e->OnSetEnabled(true);
  Periods(5);
  EXPECT_EQ(target->toggles, 5);
  EXPECT_EQ(target->finished, 2);
  EXPECT_TRUE(e->OnGetEnabled());

  auto* idle = Make<Effects::BoolEffect>();
  target->finished = 0;
  e->OnSetEnabled(false);
  idle->OnSetEnabled(true);
  Periods(1);
  EXPECT_EQ(target->finished, 1);
  EXPECT_FALSE(idle->OnGetEnabled());
}

}  // namespace
