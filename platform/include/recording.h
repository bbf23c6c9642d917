/* The recorder's entry points that the host calls directly. */
#ifndef TVUI_PLATFORM_RECORDING_H
#define TVUI_PLATFORM_RECORDING_H

#ifdef __cplusplus
extern "C" {
#endif

/* Closes a recording in progress so that it stays playable after a crash. */
void Crash_Clean_for_recording(void);

#ifdef __cplusplus
}
#endif

#endif
