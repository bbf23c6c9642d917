/* Board services: the host reset. */
#ifndef TVUI_PLATFORM_BCM_H
#define TVUI_PLATFORM_BCM_H

#ifdef __cplusplus
extern "C" {
#endif

/* Resets the host. On the board it does not return; the simulated board ends the
   process with SIMTV_HOST_RESET_EXIT_STATUS unless told otherwise below. */
void bcm_xmc_ResetHost_BCM35230(void);

/* Simulation control, for tests and the runner. */
enum { SIMTV_HOST_RESET_EXIT_STATUS = 86 };
typedef void (*simtv_reset_hook)(void);
/* Called by every reset before the process ends, e.g. to report the simulated state. */
void simtv_bcm_on_reset(simtv_reset_hook hook);
/* With 0 a reset is only recorded and returns, so what the caller does next can be seen. */
void simtv_bcm_reset_ends_process(int ends);
int simtv_bcm_reset_count(void);

#ifdef __cplusplus
}
#endif

#endif
