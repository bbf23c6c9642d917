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

#ifdef __cplusplus
}
#endif

#endif
