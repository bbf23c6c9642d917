/* The recorder's entry points that the program calls directly. */
#ifndef TVUI_PLATFORM_RECORDING_H
#define TVUI_PLATFORM_RECORDING_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Closes a recording in progress so that it stays playable after a crash. */
void Crash_Clean_for_recording(void);

/* An action on the time-shift buffer of the current tuner: 0 play, 1 pause
 * (from live television it starts time-shifting; paused it plays on), 2 fast
 * forward and 3 rewind (each call steps the rate), 4 and 5 skip 30 s forward
 * and backward, 6 back to the start of the buffer, 7 back to live television
 * (the buffer ends). Fast forward that catches up with live television plays
 * on at normal speed; rewind that reaches the start of the buffer plays it. */
int32_t Timeshift_KeyProc(int32_t action);

#ifdef __cplusplus
}
#endif

#endif
