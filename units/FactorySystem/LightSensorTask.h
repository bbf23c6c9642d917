// The light-sensor picture adjustment: a periodic task reads the ambient
// light sensor, turns the reading into a target backlight level through the
// board's backlight curve, moves the applied level towards it in steps and
// sends it (and, in the picture mode that follows the room, colour, contrast
// and sharpness corrections from tables) to the video processing as property
// offsets. One adjustment per process. The television model calls only
// ForceApply; the rest are whole operations that the product does not start.
#pragma once

#include <cstdint>

extern "C" {

int32_t XPM_Utility_Lumetra_Init(void);
int32_t XPM_Utility_Lumetra_Start(void);
int32_t XPM_Utility_Lumetra_Stop(void);
// Stops the task's passes and waits for it to end before releasing the sensor.
int32_t XPM_Utility_Lumetra_Terminate(void);
// The next passes send everything and move in large steps. Any thread.
int32_t XPM_Utility_Lumetra_ForceApply(void);
int32_t XPM_Utility_PrintLumetraData(void);
// 1024 rows of red, green and blue for the gamma of that level.
int32_t XPM_Utility_CreateGamma(int32_t level, uint16_t* table);
// The task, which Start creates through the platform (priority 20).
void bcm_lumetra_task_entry(void* argument);

}  // extern "C"

namespace Lumetra {

// What one pass decides: the film and 3D flags and the applied level.
struct Control {
  int32_t film = 0;
  int32_t threeD = 0;
  int16_t level = 0;
};
// What one pass sends, in the order it is sent: the backlight offset (level
// - 50), then one value of each table kind below.
enum Field : int32_t {
  Backlight,
  RedGainValue,
  GreenGainValue,
  BlueGainValue,
  DynamicContrastValue,
  ColourValue,
  TintValue,
  SharpnessValue,
  SuperResolutionValue,
  Fields
};
struct Data {
  int16_t value[Fields] = {};
};

// One pass's three steps; the task runs them under its lock.
int32_t GetControl(Control* control);
int32_t GetData(const Control& control, Data* data);
int32_t ApplyData(const Data& data);
// One whole pass as the task makes it, counting the start-up passes.
void RunPass(Control* control, Data* data);

// The tables' kinds, in the order of the data after the backlight.
enum Kind : int32_t { RedGain, GreenGain, BlueGain, DynamicContrast, Colour, Tint, Sharpness, SuperResolution };
inline constexpr int32_t kVariants = 13;
inline constexpr int32_t kLevels = 101;
// The table entry for a model variant, film and 3D flag and level 0-100.
int16_t TableValue(int32_t kind, int32_t variant, int32_t film, int32_t threeD, int32_t level);
// The target level of a sensor reading, 0-100.
int32_t BacklightIndex(int32_t reading);

// The adjustment's state as a pass leaves it, for tests.
struct State {
  int32_t firstSetup;
  int16_t bootCount;
  int16_t target;
  int16_t current;
  int16_t step;
  int16_t interval;
  int32_t count;
  int32_t zeroCount;
};
State Snapshot();
// Back to the start-up values, with no task. For tests.
void Reset();

}  // namespace Lumetra
