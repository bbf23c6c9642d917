// The millisecond clock of the whole GUI. The product reads the monotonic
// clock: the middleware sets the local time from the broadcast, and a timer
// counted on the time of day would fire early or stall for weeks after such
// a jump. Tests and the scenario runner switch the clock to manual and move it
// by hand, so nothing waits for real time to pass.
#pragma once

#include <cstdint>

extern "C" {
// Milliseconds on a 32-bit count that wraps about every 49.7 days.
uint32_t VgGetTicks(void);
// The wall clock in seconds since 1970 (for showing times, never for timing).
int64_t VgGetTime(void);
}

// The tick count widened to 64 bits: a reading below the previous one counts as
// a wrap of the 32-bit count. GUI thread only, and it must be read at least once
// per wrap period, which the GUI loop does every turn.
uint64_t VgGetTicks64();

// Manual clock for tests and the scenario runner. Switching to manual freezes
// the count at its current reading; switching back continues the monotonic
// clock from the manual reading, so neither switch steps the count backwards.
void VgClockSetManual(bool manual);
bool VgClockIsManual();
// Moves the manual clock forward; the wall clock moves with it.
void VgClockAdvance(uint32_t ms);
// Sets the manual count directly (a value below the current one is a wrap).
void VgClockSetTicks(uint32_t ticks);
// Sets the manual wall clock.
void VgClockSetTime(int64_t seconds);
