#include "host_fixture.h"
#include "ossem.h"
#include "vgtimer.h"

namespace HostTest {
namespace {

using Loop = LoopTest;

// The virtual time one turn took: the loop's wait when nothing arrives.
uint64_t TurnMs() {
  const uint64_t before = simtv_now_ms();
  EXPECT_TRUE(GuiLoopTurn());
  return simtv_now_ms() - before;
}

TEST_F(Loop, TheWaitFollowsWhatIsPending) {
  EXPECT_EQ(TurnMs(), 1000u);

  update_time = 0;
  VgTimer* timer = VgCreateTimer([](void*) {}, nullptr);
  VgStartTimer(timer, 100000, 0);
  EXPECT_EQ(TurnMs(), 500u);
  EXPECT_EQ(update_time.load(), 1);

  // An animation wins over the timer, and the captions are left alone.
  TheRoot()->animating = 1;
  const size_t captions = Calls("XPM_EnableCaptionRender").size();
  EXPECT_EQ(TurnMs(), 10u);
  EXPECT_EQ(Calls("XPM_EnableCaptionRender").size(), captions);
  VgDestroyTimer(timer);
}

// A stop ends the loop's wait at once, and what the loop had not taken yet
// waits in the buffer for the next period's loop.
TEST_F(Loop, TheStopEndsTheWaitAndTheNextLoopTakesWhatWasLeft) {
  StopPeriod(&period_);
  const uint64_t before = simtv_now_ms();
  EXPECT_FALSE(GuiLoopTurn());
  EXPECT_EQ(simtv_now_ms(), before);
  timeval now;
  simtv_gettimeofday(&now);
  PostKey(23, DWET_KEYDOWN, now);
  GuiLoopEnd();

  AppPeriod next;
  GuiLoopStart(&next);
  ASSERT_NE(TheRoot(), nullptr);
  while (buffer.load()->HasEvent(buffer.load()) == DFB_OK) handleEvent(0);
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"key 3"}));
  StopPeriod(&period_);
  EXPECT_EQ(Calls("XPM_Term").size(), 1u) << "a period stops once";
}

TEST_F(Loop, AKeyEndsTheWait) {
  timeval now;
  simtv_gettimeofday(&now);
  PostKey(23, DWET_KEYDOWN, now);
  EXPECT_EQ(TurnMs(), 0u);
  EXPECT_EQ(TheRoot()->received, (std::vector<std::string>{"key 3"}));
}

TEST_F(Loop, TheDisplayStateFollowsTheRoot) {
  simtv_set_value("osd_state", 0);
  TheRoot()->showsUI = 1;
  GuiLoopTurn();
  GuiLoopTurn();
  TheRoot()->showsUI = 0;
  GuiLoopTurn();
  EXPECT_EQ(Calls("XPM_SetOsdState"), (std::vector<std::string>{"XPM_SetOsdState 1", "XPM_SetOsdState 0"}));
}

TEST_F(Loop, CaptionsAreOffWhileTheGuiShowsSomething) {
  lastNotified = 2;
  g_suspendCCRendering = 0;
  TheRoot()->showsUI = 1;
  GuiLoopTurn();
  EXPECT_EQ(lastNotified.load(), 1);
  TheRoot()->showsUI = 0;
  GuiLoopTurn();
  EXPECT_EQ(lastNotified.load(), 0);
  g_suspendCCRendering = 1;
  GuiLoopTurn();
  g_suspendCCRendering = 0;
  EXPECT_EQ(Calls("XPM_EnableCaptionRender"),
            (std::vector<std::string>{"XPM_EnableCaptionRender 0", "XPM_EnableCaptionRender 1"}));
}

TEST_F(Loop, OnlyTheDirtyRegionIsShownWidenedByALine) {
  GuiLoopTurn();
  EXPECT_EQ(Calls("XPM_RenderClient"), (std::vector<std::string>{"XPM_RenderClient 0 2"}));
  TheRoot()->dirty = VgRect{10, 5, 20, 30};
  GuiLoopTurn();
  EXPECT_EQ(clip.x, 10);
  EXPECT_EQ(clip.y, 4);
  EXPECT_EQ(clip.width, 10);
  EXPECT_EQ(clip.height, 27);
  TheRoot()->dirty = VgRect{0, 0, 960, 540};
  GuiLoopTurn();
  EXPECT_EQ(clip.y, 0);
  EXPECT_EQ(clip.height, 540);
  GuiLoopTurn();
  EXPECT_EQ(Calls("XPM_RenderClient"), (std::vector<std::string>{"XPM_RenderClient 0 2", "XPM_RenderClient 0 1",
                                                                 "XPM_RenderClient 0 1"}));
}

TEST_F(Loop, AFailingLockBacksOffInsteadOfSpinning) {
  simtv_fail("OS_SemTakeTrack", 1, 4);
  EXPECT_EQ(TurnMs(), 10u);
  EXPECT_EQ(TurnMs(), 20u);
  EXPECT_EQ(TurnMs(), 40u);
  EXPECT_EQ(TurnMs(), 80u);
  EXPECT_EQ(TurnMs(), 1000u);
  // Once the lock works again the back-off starts from the beginning.
  simtv_fail("OS_SemTakeTrack", 1, 1);
  EXPECT_EQ(TurnMs(), 10u);
  simtv_fail("OS_SemTakeTrack", 1, 1);
  period_.vgRunning = 0;
  EXPECT_FALSE(GuiLoopTurn());
}

TEST_F(Loop, TheLoopRunsWithoutALockWhereThereIsNone) {
  OS_SemId lock = g_dorn_mutex;
  g_dorn_mutex = nullptr;
  EXPECT_EQ(AcquirePslDornSem(), 1);
  EXPECT_EQ(ReleasePslDornSem(), 1);
  EXPECT_EQ(TurnMs(), 1000u);
  g_dorn_mutex = lock;
  EXPECT_TRUE(Calls("OS_SemTakeTrack").empty());
}

}  // namespace
}  // namespace HostTest
