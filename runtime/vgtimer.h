// The GUI's native timers: a callback, a first delay and an optional period,
// counted on the 64-bit millisecond clock of vgclock.h. The GUI loop fires due
// timers once per turn with VgProcessTimers; Core::Timer owns one record each.
#pragma once

#include <cstddef>
#include <cstdint>

using VgTimerProc = void (*)(void* argument);

struct VgTimer {
  VgTimer* next;         // the timer list, newest first
  VgTimerProc callback;
  void* argument;
  int32_t enabled;
  uint64_t expiry;       // ms on the widened clock
  int32_t delay;         // first delay, ms
  int32_t period;        // ms; 0 for a one-shot timer
};

extern "C" {
// A stopped timer at the head of the list.
VgTimer* VgCreateTimer(VgTimerProc callback, void* argument);
// Stops, unlinks and frees the record. A callback may destroy its own record
// (or any other) while it runs; the walk of VgProcessTimers stays valid.
void VgDestroyTimer(VgTimer* timer);
// (Re)starts the timer. Negative values count as 0, a delay of 0 takes the
// period, and with both 0 the timer stays stopped.
void VgStartTimer(VgTimer* timer, int32_t delay, int32_t period);
// Stops an enabled timer and clears its times.
void VgResetTimer(VgTimer* timer);
// Fires every due timer at most once; returns how many fired.
int32_t VgProcessTimers(void);
// Milliseconds until the earliest enabled expiry, at least 0; 2147483647 when
// no timer is enabled.
int32_t VgNextTimerExpiration(void);
}

// Whether any timer is enabled (the GUI loop then wakes up within 500 ms).
bool VgAnyTimerEnabled();
// Records in the list (diagnostics and tests).
size_t VgTimerCount();
