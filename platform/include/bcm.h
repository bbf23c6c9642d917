/* Board services: the host reset. */
#ifndef TVUI_PLATFORM_BCM_H
#define TVUI_PLATFORM_BCM_H

#ifdef __cplusplus
extern "C" {
#endif

/* Resets the host. On the board it does not return; the simulated board ends the
   process with SIMTV_HOST_RESET_EXIT_STATUS unless told otherwise (simtv.h). */
void bcm_xmc_ResetHost_BCM35230(void);

#ifdef __cplusplus
}
#endif

#endif
