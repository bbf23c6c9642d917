/* Kernel interface: sleeps. */
#ifndef TVUI_PLATFORM_BKNI_H
#define TVUI_PLATFORM_BKNI_H

#ifdef __cplusplus
extern "C" {
#endif

/* Blocks the calling thread for the given milliseconds. Returns 0. */
int BKNI_Sleep(unsigned int milliseconds);

/* Simulation control, for tests and the runner. */
/* With a non-zero argument sleeps only add to the total and return at once. */
void simtv_bkni_skip_sleeps(int skip);
/* Milliseconds asked of BKNI_Sleep since the process started. */
unsigned long simtv_bkni_slept_ms(void);
/* With a handler set, sleeps wait through it (the simulated set's own clock)
   instead of sleeping in real time; null restores real sleeps. */
typedef void (*simtv_bkni_sleep_handler)(unsigned int milliseconds);
void simtv_bkni_set_sleep_handler(simtv_bkni_sleep_handler handler);

#ifdef __cplusplus
}
#endif

#endif
