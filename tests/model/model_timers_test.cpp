// The television model's timers: sleep, game, 3D lock, automatic power-down
// and on-timer shutdown count minutes; the retail demo and the picture
// freeze wait their fixed times; the critical section and the factory's M
// mode hold them back.
#include <gtest/gtest.h>

#include <string>

#include "model_app_fixture.h"
#include "tvsm.h"

VG_DEFINE_CLASS(ModelTest, StandbyRecorder, Core::Group)

namespace ModelTest {
namespace {

class Timers : public ModelApp {
 protected:
  // The text of the last Flash launch reported to the state manager; the
  // record of calls shows its payload as words.
  static std::string LaunchedFlash() {
    const std::string prefix = "TVSM_ReportAsyncEvent 1 " + std::to_string(TVSM_ASYNC_LAUNCH_FLASH) + " ";
    std::string text;
    for (const std::string& call : Calls()) {
      if (call.rfind(prefix, 0) != 0) continue;
      text.clear();
      std::string words = call.substr(prefix.size());
      words = words.substr(0, words.find(' '));
      for (size_t at = 0; at < words.size();) {
        size_t comma = words.find(',', at);
        if (comma == std::string::npos) comma = words.size();
        const auto word = static_cast<uint32_t>(std::stol(words.substr(at, comma - at)));
        for (int shift = 0; shift < 32; shift += 8)
          if (char c = static_cast<char>(word >> shift & 0xFF)) text += c;
        at = comma + 1;
      }
    }
    return text;
  }
};

TEST_F(Timers, TheSleepTimerCountsDownToAStandbyRequest) {
  model->OnSetSleepIndex(2);
  EXPECT_EQ(model->RemainSleepTime, 2);
  Minutes(1);
  EXPECT_EQ(model->OnGetSleepIndex(), 1);
  EXPECT_TRUE(root->reasons.empty());
  Minutes(1);
  ASSERT_EQ(root->reasons.size(), 1u);
  EXPECT_EQ(root->reasons[0], 5);
  EXPECT_EQ(model->OnGetSleepIndex(), 0);
  Minutes(5);
  EXPECT_EQ(root->reasons.size(), 1u) << "the timer stopped at 0";
}

TEST_F(Timers, ANewSleepTimeCountsFromNowAndZeroStopsIt) {
  model->OnSetSleepIndex(3);
  Milliseconds(30000);
  model->OnSetSleepIndex(1);
  Milliseconds(59999);
  EXPECT_EQ(model->RemainSleepTime, 1);
  Milliseconds(1);
  EXPECT_EQ(root->reasons.size(), 1u);

  model->OnSetSleepIndex(1);
  model->OnSetSleepIndex(0);
  Minutes(2);
  EXPECT_EQ(root->reasons.size(), 1u);
}

TEST_F(Timers, WithoutARootTheSleepTimerOnlyStops) {
  model->OnSetRoot(nullptr);
  model->OnSetSleepIndex(1);
  Minutes(1);
  EXPECT_EQ(model->RemainSleepTime, 0);
  EXPECT_TRUE(root->reasons.empty());
}

TEST_F(Timers, GameTimeEndsOnTheLastChannel) {
  constexpr struct {
    int32_t index;
    int32_t minutes;
  } kEntries[] = {{0, 0}, {1, 30}, {2, 60}, {3, 90}, {4, 120}, {5, 0}, {-1, 0}};
  for (const auto& entry : kEntries) {
    model->OnSetGameTimerIndex(entry.index);
    EXPECT_EQ(model->OnGetRemainGameTime(), entry.minutes) << entry.index;
  }

  model->OnSetGameTimerIndex(1);
  EXPECT_TRUE(store->GetBool(Key("GameTimerActivated")));
  Minutes(29);
  EXPECT_EQ(model->OnGetRemainGameTime(), 1);
  EXPECT_TRUE(delivered().empty());
  Minutes(1);
  EXPECT_EQ(model->OnGetRemainGameTime(), 0);
  EXPECT_EQ(model->OnGetGameTimerIndex(), 0);
  EXPECT_FALSE(store->GetBool(Key("GameTimerActivated")));
  ASSERT_EQ(delivered().size(), 1u);
  EXPECT_TRUE(vg_is_exactly<Events::USER_EVENT_LAST_CHANNEL>(delivered()[0]));
  EXPECT_TRUE(root->reasons.empty());
}

TEST_F(Timers, TheThreeDLockLastsAsTheThreeDTimerSettingSays) {
  model->OnSetThreeD_EnableTimer(2);
  model->Start3DLockTimer();
  EXPECT_EQ(model->OnGetRemain3DTime(), 60);
  Minutes(10);
  EXPECT_EQ(model->OnGetRemain3DTime(), 50);
  model->Stop3DLockTimer();
  EXPECT_EQ(model->OnGetRemain3DTime(), 0);
  model->OnSetRemain3DTime(2);
  Minutes(2);
  EXPECT_EQ(model->OnGetRemain3DTime(), 0);
  Minutes(1);
  EXPECT_EQ(model->OnGetRemain3DTime(), 0);
  EXPECT_TRUE(root->reasons.empty());
}

TEST_F(Timers, AutomaticPowerDownAfterFourHoursUnlessSwitchedOffOrInTheFactory) {
  model->StartAutoPowerTimer();
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 0) << "off in a fresh set";
  model->OnSetAutomaticPowerDown(1);
  model->StartAutoPowerTimer();
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 240);
  Minutes(239);
  EXPECT_TRUE(root->reasons.empty());
  model->StartAutoPowerTimer();  // a key: four hours again
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 240);
  Minutes(240);
  ASSERT_EQ(root->reasons.size(), 1u);
  EXPECT_EQ(root->reasons[0], 2);

  model->StartAutoPowerTimer();
  model->OnSetFactoryMode(VgNewStringAnsi("M"));
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 0);
  model->StartAutoPowerTimer();
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 0) << "not while in the factory's M mode";
  model->OnSetFactoryMode(VgNewStringAnsi("S"));
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 240);
  model->StopAutoPowerTimer();
  model->OnSetFactoryMode(nullptr);  // leaving a mode other than M starts nothing
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 0);
}

TEST_F(Timers, TheOnTimerShutdownAsksForStandby) {
  model->OnSetOnTimerShutdownTimer(3);
  Minutes(2);
  EXPECT_EQ(model->OnGetOnTimerShutdownTimer(), 1);
  model->StopOnTimerShutdownTimer();
  Minutes(3);
  EXPECT_TRUE(root->reasons.empty());
  model->OnSetOnTimerShutdownTimer(1);
  Minutes(1);
  EXPECT_EQ(root->reasons, std::vector<int32_t>{2});
}

TEST_F(Timers, TheRetailDemoStartsHalfAMinuteAfterTheLastKeyInAStore) {
  model->StartAutoDemoTimer();
  EXPECT_FALSE(model->IsAutoDemoTimerArmed()) << "a set at home shows no demo";
  model->OnSetLocation(1);
  model->OnSetStickerDemo(0);
  model->StartAutoDemoTimer();
  EXPECT_FALSE(model->IsAutoDemoTimerArmed());
  model->OnSetStickerDemo(1);
  model->StartAutoDemoTimer();
  EXPECT_TRUE(model->IsAutoDemoTimerArmed());

  Milliseconds(20000);
  model->StartAutoDemoTimer();  // a key re-arms it
  Milliseconds(29999);
  EXPECT_FALSE(model->OnGetStartDemo());
  Milliseconds(1);
  EXPECT_TRUE(model->OnGetStartDemo());
  EXPECT_FALSE(model->IsAutoDemoTimerArmed());
  // The movie of the set's series (2 for device property 0) in the US, as
  // the state manager was handed it.
  EXPECT_EQ(LaunchedFlash(), "/CARD/QA200_en.swf --bgalpha 0 --contentdims 960,540 --name demo --compliance 1");
  model->StartAutoDemoTimer();
  EXPECT_FALSE(model->IsAutoDemoTimerArmed()) << "not while the demo runs";

  simtv_clear_calls();
  model->OnSetStartDemo(false);
  EXPECT_TRUE(Called(Calls(), "TVSM_ReportAsyncEvent 1 21 "));
  EXPECT_TRUE(model->IsAutoDemoTimerArmed());
  simtv_clear_calls();
  model->OnSetStartDemo(false);
  EXPECT_FALSE(Called(Calls(), "TVSM_ReportAsyncEvent 1 21 ")) << "nothing to end";

  // A store in Mexico shows the Spanish movie.
  model->OnSetCountry(2);
  model->OnSetStartDemo(true);
  EXPECT_EQ(LaunchedFlash(), "/CARD/QA200_es.swf --bgalpha 0 --contentdims 960,540 --name demo --compliance 1");
}

TEST_F(Timers, AnApplicationOnScreenStopsTheAutomaticTimers) {
  model->OnSetAutomaticPowerDown(1);
  model->OnSetLocation(1);
  model->StartAutoPowerTimer();
  model->StartAutoDemoTimer();
  model->OnSetGameTimerIndex(2);
  model->OnSetOnTimerShutdownTimer(10);
  model->StartLumetraThread();
  model->OnSetSleepIndex(30);

  model->EnterAppCriticalSection(true);
  EXPECT_TRUE(model->OnGetAppCriticalSection());
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 0);
  EXPECT_FALSE(model->IsAutoDemoTimerArmed());
  EXPECT_EQ(model->OnGetRemainGameTime(), 0);
  EXPECT_FALSE(store->GetBool(Key("GameTimerActivated")));
  EXPECT_EQ(model->OnGetOnTimerShutdownTimer(), 0);
  EXPECT_EQ(model->RemainSleepTime, 30) << "the sleep timer goes on";
  model->StartAutoDemoTimer();
  EXPECT_FALSE(model->IsAutoDemoTimerArmed()) << "no demo over an application";

  model->EnterAppCriticalSection(false);
  EXPECT_FALSE(model->OnGetAppCriticalSection());
  EXPECT_FALSE(model->IsAutoDemoTimerArmed());
  model->StartAutoDemoTimer();
  EXPECT_TRUE(model->IsAutoDemoTimerArmed());

  model->EnterAppCriticalSection(true);
  model->ExitAppCriticalSection();
  EXPECT_FALSE(model->OnGetAppCriticalSection());
  EXPECT_TRUE(model->IsAutoDemoTimerArmed());
  EXPECT_EQ(model->OnGetAutoPowerTimer(), 240);
}

TEST_F(Timers, AFrozenPictureRunsAgainAfterFifteenMinutes) {
  model->OnSetIsFrozen(true);
  EXPECT_EQ(simtv_tv_freeze(0), 1);
  EXPECT_TRUE(model->OnGetIsFrozen());
  Milliseconds(899999);
  EXPECT_TRUE(model->OnGetIsFrozen());
  Milliseconds(1);
  EXPECT_FALSE(model->OnGetIsFrozen());
  EXPECT_EQ(simtv_tv_freeze(0), 0);

  model->OnSetIsFrozen(true);
  model->OnSetIsFrozen(false);
  model->OnSetIsFrozen(true);
  Milliseconds(600000);
  model->OnSetIsFrozen(false);
  simtv_clear_calls();
  Milliseconds(300000);
  EXPECT_TRUE(TvCalls().empty()) << "an unfrozen picture has no time limit";
}

TEST_F(Timers, TheLightSensorIsAppliedOnlyWhileItRuns) {
  static int applied = 0;
  applied = 0;
  SkinBin::Wrapper::LumetraForceApply = [] { return ++applied, 0; };
  model->ForceApplyLumetra();
  EXPECT_EQ(applied, 0);
  model->StartLumetraThread();
  model->ForceApplyLumetra();
  EXPECT_EQ(applied, 1);
  model->EnterAppCriticalSection(true);
  model->ForceApplyLumetra();
  EXPECT_EQ(applied, 1);
  SkinBin::Wrapper::LumetraForceApply = nullptr;
  model->StartLumetraThread();
  model->ForceApplyLumetra();  // nothing installed: a log line
}

}  // namespace
}  // namespace ModelTest
