// The recording test script: its tick tables walked row by row, and the
// timers and scheduled shows it leaves in the simulated set.
#include "test_script.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "ace.h"
#include "db.h"
#include "hostlink.h"
#include "simtv.h"
#include "vgcalendar.h"
#include "xpm.h"

namespace {

std::vector<std::string> Presses() {
  std::vector<std::string> keys;
  for (int32_t i = 0; i < simtv_hostlink_key_count(); ++i) keys.emplace_back(simtv_hostlink_key(i));
  simtv_hostlink_reset();
  return keys;
}

// Local time of a date, as the set's clock counts it.
int64_t Seconds(int year, int month, int day, int hour, int minute, int second) {
  struct tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return VgLocalSeconds(t);
}

class TestScript : public testing::Test {
 protected:
  void SetUp() override {
    simtv_hostlink_reset();
    simtv_ace_reset();
    simtv_xpm_timer_reset();
    simtv_tv_reset();
    simtv_db_clear_programmes();
  }
};

TEST_F(TestScript, TestPressesBlueOnce) {
  test();
  EXPECT_EQ(Presses(), std::vector<std::string>{"blue"});
}

TEST_F(TestScript, EachTickPressesItsTableRowAndNothingElse) {
  struct Script {
    void (*entry)(int32_t, int32_t);
    const TestScriptTable& table;
    int32_t ups;
    int32_t lastOffset;
  };
  const Script scripts[] = {{&auto_record_setup_15, kRecordSetup15, 15, 58},
                            {&auto_record_setup_10, kRecordSetup10, 10, 48},
                            {&auto_record_setup_5, kRecordSetup5, 5, 38}};
  for (const Script& s : scripts) {
    SCOPED_TRACE(s.ups);
    EXPECT_EQ(s.table.presses[s.table.count - 1].offset, s.lastOffset);
    int32_t ups = 0;
    for (size_t i = 0; i < s.table.count; ++i) {
      const TestScriptPress& row = s.table.presses[i];
      s.entry(3 * s.table.cycleLength + row.offset, 3);
      EXPECT_EQ(Presses(), std::vector<std::string>{row.key}) << "offset " << row.offset;
      ups += std::string(row.key) == "u";
    }
    EXPECT_EQ(ups, s.ups);
    // The whole run, ticks before the cycle included, presses each row once.
    for (int32_t tick = 3 * s.table.cycleLength - 5; tick <= 3 * s.table.cycleLength + 70; ++tick) s.entry(tick, 3);
    EXPECT_EQ(Presses().size(), s.table.count);
  }
  // The script with five "u" presses steps right at 6, 7, 8 and 10.
  for (int32_t tick = 0; tick <= 12; ++tick) auto_record_setup_5(tick, 0);
  EXPECT_EQ(Presses(), (std::vector<std::string>{"blue", "r", "r", "r", "r", "ok"}));
  auto_record_setup_5(9, 0);
  EXPECT_TRUE(Presses().empty());
}

TEST_F(TestScript, TestRecordingWindsTheClockBackToTheHour) {
  simtv_tv_set_local_time(Seconds(2011, 5, 17, 14, 37, 21));
  const Ace_Channel channel{3, 1, 7, 2, 1};
  simtv_ace_set_current_channel(&channel);

  testing::internal::CaptureStdout();
  auto_test_recording();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Check Time 1: 2011:05:17:14:37:21\n\n");
  EXPECT_EQ(simtv_xpm_auto_time_update(), 0);
  EXPECT_EQ(simtv_tv_local_time(), Seconds(2011, 5, 17, 14, 0, 21));

  XPM_TimerInfo timer{};
  ASSERT_EQ(XPM_GetTimer(0, &timer), 0);
  EXPECT_EQ(timer.enabled, 1);
  EXPECT_EQ(timer.start.tm_hour, 14);
  EXPECT_EQ(timer.start.tm_min, 0);
  EXPECT_EQ(timer.major, 7);
  EXPECT_EQ(timer.minor, 2);
  EXPECT_EQ(timer.mapId, 1);
  EXPECT_GT(timer.duration, 0);
}

TEST_F(TestScript, OthersFillTwentySevenTimersAndShows) {
  const int64_t base = Seconds(2011, 5, 17, 20, 0, 0);
  simtv_ace_set_timer_time(base);
  testing::internal::CaptureStdout();
  auto_record_setup_others();
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed, "Year 2011\nmon  5\nday  17\nhour 20\nmin  0\nsec 0\nlocalsecons " + std::to_string(base) + "\n");

  ASSERT_EQ(simtv_db_scheduled_count(), 27);
  DB_ScheduledShow show{};
  int32_t previous = 0;
  for (int32_t index = 1; index <= 27; ++index) {
    SCOPED_TRACE(index);
    ASSERT_EQ(index == 1 ? DB_Get_First_Scheduled_Show(static_cast<int32_t>(base), &show)
                         : DB_Get_Scheduled_Show_Next(show.startTime, show.timerId, &show),
              0);
    EXPECT_EQ(show.timerId, index);
    EXPECT_EQ(std::string(show.title), "Program" + std::to_string(index));
    // Only 25 subtitles exist: the last two programmes have none.
    EXPECT_EQ(std::string(show.description), index <= 25 ? "Sub" + std::to_string(index) : "");
    EXPECT_GT(show.startTime, previous);
    previous = show.startTime;

    XPM_TimerInfo timer{};
    ASSERT_EQ(XPM_GetTimer(index, &timer), 0);
    EXPECT_EQ(timer.enabled, 1);
    EXPECT_EQ(VgLocalSeconds(timer.start), show.startTime);
  }
}

}  // namespace
