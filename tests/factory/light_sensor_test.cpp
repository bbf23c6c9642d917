// The light-sensor picture adjustment, pass by pass on the simulated set, and
// its task started, forced and stopped from other threads (this suite also
// runs under ThreadSanitizer: the tsan presets).
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "FactorySystem/LightSensorTask.h"
#include "sim_calls.h"
#include "simtv.h"
#include "xpm.h"

#if defined(__SANITIZE_THREAD__)
// The graphics library the platform links starts threads and locks of its
// own, uninstrumented; what it does is not this suite's concern.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libdirect-1.7.so\ncalled_from_lib:libdirectfb-1.7.so\ncalled_from_lib:libfusion-1.7.so\n";
}
#endif

namespace {

using Lumetra::Snapshot;

class LightSensor : public testing::Test {
 protected:
  void SetUp() override {
    simtv_tv_reset();
    simtv_factory_reset();
    Lumetra::Reset();
    XPM_SetVideoPreset(0, 2);
    simtv_clear_calls();
  }
  void TearDown() override { Lumetra::Reset(); }

  // One pass as the task makes it, after its start-up count.
  int16_t Pass() {
    Lumetra::RunPass(&control, &data);
    return Snapshot().current;
  }
  // The reading whose target level is `level` on the straight curve.
  static uint16_t ReadingFor(int32_t level) { return uint16_t((level * 1023 + 99) / 100); }

  Lumetra::Control control;
  Lumetra::Data data;
};

std::vector<std::string> Offsets() {
  std::vector<std::string> sent;
  for (const std::string& call : RecordedCalls())
    if (call.rfind("XPM_SetVideoPropertyOffset ", 0) == 0) sent.push_back(call.substr(27));
  return sent;
}

// The first reading is taken at once; a first setup snaps with its large
// step; after it the level climbs 4 a pass and falls 4 every second pass.
TEST_F(LightSensor, TheLevelJumpsFirstThenClimbsEveryPassAndFallsEverySecond) {
  simtv_factory_set_light_sensor(1023);
  EXPECT_EQ(Pass(), 100) << "point 10 at once";
  EXPECT_EQ(Snapshot().target, 100);

  // Still the first setup: a target 30 above is one step of +50, which
  // overshoots and snaps to it, ending the first setup.
  simtv_factory_set_light_sensor(ReadingFor(40));
  while (Snapshot().count != 0) Pass();
  Pass();
  while (Snapshot().current != 40) Pass();
  XPM_Utility_Lumetra_ForceApply();
  simtv_factory_set_light_sensor(ReadingFor(70));
  while (Snapshot().count != 0) Pass();
  EXPECT_EQ(Pass(), 70);
  EXPECT_EQ(Snapshot().firstSetup, 0);

  simtv_factory_set_light_sensor(ReadingFor(90));
  while (Snapshot().count != 0) Pass();
  std::vector<int16_t> up;
  for (int i = 0; i < 5; ++i) up.push_back(Pass());
  EXPECT_EQ(up, (std::vector<int16_t>{74, 78, 82, 86, 90})) << "after the first setup: 4 a pass";

  simtv_factory_set_light_sensor(ReadingFor(50));
  while (Snapshot().count != 0) Pass();
  std::vector<int16_t> down;
  for (int i = 0; i < 6; ++i) down.push_back(Pass());
  int falls = 0;
  for (size_t i = 1; i < down.size(); ++i) {
    EXPECT_TRUE(down[i] == down[i - 1] || down[i] == down[i - 1] - 4) << i;
    EXPECT_FALSE(i >= 2 && down[i] != down[i - 1] && down[i - 1] != down[i - 2]) << "two falls in a row at " << i;
    falls += down[i] != down[i - 1];
  }
  EXPECT_GE(falls, 2);
}

TEST_F(LightSensor, ThreeZeroReadingsAreRetriedAndTheFourthCounts) {
  simtv_factory_set_light_sensor(0);
  for (int i = 0; i < 3; ++i) {
    Pass();
    EXPECT_EQ(Snapshot().target, -1) << i;
    EXPECT_EQ(Snapshot().count, 0);
  }
  Pass();
  EXPECT_EQ(Snapshot().target, 0);
  EXPECT_EQ(Snapshot().zeroCount, 0);
}

// Outside the picture mode that follows the room only the backlight goes
// out; in it all nine values, in their order, from the tables.
TEST_F(LightSensor, OnlyTheRoomPictureModeTakesTheCorrections) {
  simtv_factory_set_light_sensor(ReadingFor(60));
  Pass();
  EXPECT_EQ(Offsets(), (std::vector<std::string>{"80 10"}));

  XPM_SetVideoPreset(0, 8);
  XPM_Utility_Lumetra_ForceApply();
  simtv_clear_calls();
  Pass();
  EXPECT_EQ(Offsets(), (std::vector<std::string>{"80 10", "131 0", "132 10", "133 25", "68 2", "57 10", "56 0",
                                                 "58 10", "60 0"}));

  // After the start-up passes an unchanged level is not sent again, until a
  // forced apply starts them afresh.
  for (int i = 0; i < 12; ++i) Pass();
  simtv_clear_calls();
  Pass();
  EXPECT_TRUE(Offsets().empty());
  XPM_Utility_Lumetra_ForceApply();
  Pass();
  EXPECT_EQ(Offsets().size(), 9u);

}

TEST_F(LightSensor, ReadingsAndCurvePointsOutsideTheirRangesAreClamped) {
  EXPECT_EQ(Lumetra::BacklightIndex(2000), 100) << "beyond 1125 the tenth would pass the last point";
  simtv_factory_set_backlight_point(0, -20);
  simtv_factory_set_backlight_point(1, -20);
  EXPECT_EQ(Lumetra::BacklightIndex(10), 0);
  simtv_factory_set_backlight_point(10, 250);
  EXPECT_EQ(Lumetra::BacklightIndex(1023), 100) << "a point is at most 100";
  EXPECT_EQ(Lumetra::TableValue(Lumetra::Colour, 0, 0, 0, 150), 50);
  EXPECT_EQ(Lumetra::TableValue(Lumetra::Colour, 20, 0, 0, -5), -25);
}

// The tables from their formulas and given points.
TEST_F(LightSensor, TheTablesFollowTheirPoints) {
  using namespace Lumetra;
  EXPECT_EQ(TableValue(Colour, 3, 0, 0, 10), -25);
  EXPECT_EQ(TableValue(Sharpness, 3, 1, 0, 100), 25);
  EXPECT_EQ(TableValue(DynamicContrast, 0, 0, 0, 32), 0);
  EXPECT_EQ(TableValue(DynamicContrast, 0, 0, 0, 33), 1);
  EXPECT_EQ(TableValue(DynamicContrast, 0, 1, 0, 100), 3);
  EXPECT_EQ(TableValue(GreenGain, 0, 0, 0, 0), -3);
  EXPECT_EQ(TableValue(GreenGain, 0, 0, 0, 31), 0);
  EXPECT_EQ(TableValue(GreenGain, 0, 0, 0, 100), 18);
  EXPECT_EQ(TableValue(GreenGain, 0, 1, 0, 25), -7);
  EXPECT_EQ(TableValue(BlueGain, 0, 0, 0, 75), 33);
  EXPECT_EQ(TableValue(BlueGain, 1, 0, 0, 50), 3);
  for (int32_t level : {0, 30, 64, 100}) {
    EXPECT_EQ(TableValue(GreenGain, 12, 0, 0, level), TableValue(GreenGain, 0, 0, 0, level));
    EXPECT_EQ(TableValue(BlueGain, 7, 0, 0, level), TableValue(BlueGain, 1, 0, 0, level));
    EXPECT_EQ(TableValue(BlueGain, 4, 1, 1, level), TableValue(BlueGain, 4, 1, 0, level)) << "3D repeats 2D";
    EXPECT_EQ(TableValue(RedGain, 4, 1, 1, level), 0);
  }
}

// The task runs its passes on its own thread while another forces an apply;
// stopping waits for its acknowledgement and terminating joins it.
TEST_F(LightSensor, TheTaskStartsTakesForcedAppliesStopsAndEnds) {
  simtv_factory_set_light_sensor(ReadingFor(30));
  XPM_Utility_Lumetra_Init();
  XPM_Utility_Lumetra_Start();
  EXPECT_EQ(simtv_factory_light_sensor_state(), SIMTV_LIGHT_SENSOR_RUNNING);
  std::vector<std::string> created;
  for (const std::string& call : RecordedCalls())
    if (call.rfind("MPLCore_ThreadCreate", 0) == 0) created.push_back(call);
  EXPECT_EQ(created, std::vector<std::string>{"MPLCore_ThreadCreate - - 20"}) << "the platform's task, once";
  std::thread gui([] {
    for (int i = 0; i < 200; ++i) XPM_Utility_Lumetra_ForceApply();
  });
  gui.join();
  XPM_Utility_PrintLumetraData();
  XPM_Utility_Lumetra_Stop();
  EXPECT_EQ(simtv_factory_light_sensor_state(), SIMTV_LIGHT_SENSOR_READY);
  XPM_Utility_Lumetra_Start();
  XPM_Utility_Lumetra_Terminate();
  EXPECT_EQ(simtv_factory_light_sensor_state(), SIMTV_LIGHT_SENSOR_OFF);
}

TEST_F(LightSensor, TheGammaCurveRunsFromZeroToFullScale) {
  std::vector<uint16_t> table(1024 * 3);
  XPM_Utility_CreateGamma(0, table.data());
  EXPECT_EQ(table[0], 0);
  EXPECT_EQ(table[1023 * 3], 1023);
  EXPECT_LT(table[512 * 3], 512) << "a gamma above 1 bends the middle down";
  std::vector<uint16_t> steep(1024 * 3);
  XPM_Utility_CreateGamma(100, steep.data());  // limited to 1.8
  XPM_Utility_CreateGamma(15, table.data());   // exactly 1.8
  EXPECT_EQ(steep, table);
}

}  // namespace
