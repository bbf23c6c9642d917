// The recording test script: native entry points that a test harness calls
// to drive the recording features without a viewer. Nothing in the system
// starts them. They act only through the platform: the key injector, the
// middleware's timers and clock, and the guide database.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {
// Presses "blue" once.
void test(void);
// Each call presses at most one key, chosen by the tick's offset from the
// start of the cycle (cycle x the script's cycle length); a harness calls them
// once per tick. The three walk the recording setup with 15, 10 and 5 presses
// of "u".
void auto_record_setup_15(int32_t tick, int32_t cycle);
void auto_record_setup_10(int32_t tick, int32_t cycle);
void auto_record_setup_5(int32_t tick, int32_t cycle);
// Stops the clock following the broadcast, prints the local time, sets the
// clock back to the start of the hour and sets recording timer 0 on the
// current channel from then.
void auto_test_recording(void);
// Prints the timer time, then fills recording timers 1 to 27 and their
// scheduled shows "Program1" to "Program27" after it.
void auto_record_setup_others(void);
}

// One row of a tick table: the offset from the cycle's start and the key.
struct TestScriptPress {
  int32_t offset;
  const char* key;
};

struct TestScriptTable {
  int32_t cycleLength;
  const TestScriptPress* presses;
  size_t count;
};

extern const TestScriptTable kRecordSetup15;
extern const TestScriptTable kRecordSetup10;
extern const TestScriptTable kRecordSetup5;

// The texts of the scheduled shows of auto_record_setup_others.
inline constexpr int32_t kTestScriptProgrammes = 27;
inline constexpr int32_t kTestScriptSubtitles = 25;
