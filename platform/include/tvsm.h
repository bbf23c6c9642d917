/* Platform state manager: starts the program's periods of normal operation,
 * tells it about standby, sends it commands and takes its reports. */
#ifndef TVUI_PLATFORM_TVSM_H
#define TVUI_PLATFORM_TVSM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The payload belongs to the state manager and lives only during the call. */
typedef void (*TVSM_CommandCallback)(void* context, uint32_t command, const void* payload, uint32_t size);
typedef void (*TVSM_KeyReceivedCallback)(void);
typedef void (*TVSM_OsdStateCallback)(void* context, int32_t state);

/* Blocks while the set is in standby; 1 when a period of normal operation
 * begins, 0 when the program is to run no more periods. */
int32_t TVSM_Standby(void);
/* Blocks until the current period of normal operation ends. Returns 0. */
int32_t TVSM_WaitForStandby(void);

int32_t TVSM_RegisterProcessCommandCallback(void* context, int32_t flag, TVSM_CommandCallback callback);
int32_t TVSM_RegisterKeyReceivedCallback(void* context, int32_t flag, TVSM_KeyReceivedCallback callback);
int32_t TVSM_RegisterOsdStateCallback(void* context, int32_t flag, TVSM_OsdStateCallback callback);
int32_t TVSM_RegisterWindowID(int32_t kind, uint32_t windowId);

/* Code 2: the GUI stopped; 3: command reply; 5: enable refused; 17: network status. */
int32_t TVSM_ReportAsyncEvent(int32_t kind, int32_t code, const void* data, uint32_t size);
/* Non-zero when an external application runs; its id is stored then. */
int32_t TVSM_GetLaunchedAppId(int32_t* id);

#ifdef __cplusplus
}
#endif

#endif
