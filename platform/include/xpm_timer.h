/* Middleware: whether the clock follows the time the broadcast carries. */
#ifndef TVUI_PLATFORM_XPM_TIMER_H
#define TVUI_PLATFORM_XPM_TIMER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* 1 lets the broadcast time set the clock (the default), 0 keeps the clock as
 * it is set by hand. Returns 0. */
int32_t XPM_SetAutoTimeUpdate(int32_t on);

/* Simulation control, for tests and the runner: the setting in force (1 after
 * a reset). */
int32_t simtv_xpm_auto_time_update(void);
void simtv_xpm_timer_reset(void);

#ifdef __cplusplus
}
#endif

#endif
