/* Board services: the host reset and the board's console printing. */
#ifndef TVUI_PLATFORM_BCM_H
#define TVUI_PLATFORM_BCM_H

#ifdef __cplusplus
extern "C" {
#endif

/* Resets the host. On the board it does not return; the simulated board ends the
   process with SIMTV_HOST_RESET_EXIT_STATUS unless told otherwise (simtv.h). */
void bcm_xmc_ResetHost_BCM35230(void);
/* Switches the board's own printing on its console on (1) or off (0); the
   factory switches it off while its test fixture listens on the serial line. */
int BCM_ControlPrintf(int on);

/* The model group of the factory model table, which the board's own services
   follow; 0, or non-zero for a group the board does not know. */
int BCM_SetModel(int group);

/* Runs a shell command and gives its output, zero-terminated and cut to
   size - 1 bytes: the command's exit status, or -1 when it could not be
   started. */
int BCM_syscall_run(const char* command, char* output, int size);
/* The time-out of the board's HTTP transfers, in seconds. */
int BCM_Set_http_timeout(int seconds);
/* Fetches path from server ("ADDRESS:PORT") and gives the throughput in
   kilobytes per second, 0 or less when nothing came. */
int BCM_HTTP_Speed(const char* server, const char* path, int connection);

#ifdef __cplusplus
}
#endif

#endif
