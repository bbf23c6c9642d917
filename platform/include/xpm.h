/* Middleware: events, start and end, the hardware watchdog, on-screen-display
 * and caption state, sources, databases and the HDMI-CEC key relay. */
#ifndef TVUI_PLATFORM_XPM_H
#define TVUI_PLATFORM_XPM_H

#include <stdint.h>

#include "db_host.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Runs on a middleware thread; the payload belongs to the middleware and lives
 * only during the call. */
typedef void (*XPM_EventCallback)(uint32_t cookie, uint32_t event, const void* payload, uint32_t size);

int32_t XPM_SubscribeEventClient(XPM_EventCallback callback, void* context);
int32_t XPM_UnsubscribeEventClient(XPM_EventCallback callback, void* context);
int32_t XPM_Init(void);
int32_t XPM_Term(void);

/* The hardware watchdog: it resets the set when it is not fed within its
 * time-out. Setting the time-out (seconds) starts it. */
int32_t XPM_StopWatchdog(void);
int32_t XPM_SetWatchdogTimeout(int32_t seconds);
int32_t XPM_ResetWatchdog(void);
/* 0 when the middleware is alive: its lock could be taken within timeout ms. */
int32_t XPM_CheckAliveStatus(int32_t timeout);

int32_t XPM_GetOsdState(int32_t* state);
int32_t XPM_SetOsdState(int32_t state);
int32_t XPM_EnableCaptionRender(int32_t enable);
int32_t XPM_GetCaptionRenderState(int32_t window, int32_t* state);
/* Tells the compositor that the GUI plane changed: 2 after the first clear, 1 after a flip. */
int32_t XPM_RenderClient(uint32_t handle, int32_t kind);

int32_t XPM_GetCurrentSource(int32_t window, int32_t* source);
int32_t XPM_SetSource(int32_t window, int32_t source);
/* The television source to return to after an external application; -1 for none. */
int32_t XPM_SetBack2TVSourceID(int32_t source);
int32_t XPM_GetBack2TVSourceID(int32_t* source);

int32_t XPM_GetFactoryModeSetting(int32_t kind, int32_t* mode);
int32_t XPM_Create_DB_RECORD_LOG_Internal(void);
int32_t XPM_Create_DB_CHANNEL_LOGO(void);
enum { XPM_DB_TIME_TEXT_SIZE = 32 };
/* Fills the validity flag, the recording log's handle and its start time
 * (zero-terminated, XPM_DB_TIME_TEXT_SIZE bytes). */
int32_t xpm_get_db_status(int32_t* valid, DB_Handle* handle, char* startTime);

/* Offers a key to HDMI-CEC; non-zero when the relay is active for it. */
int32_t xpm_relayhdmicecrcu(int32_t kind, uint32_t keyCode);

/* After a power-on by the user: notes the wake-up for the recording timers,
 * brings the scheduled recordings up to date, and lets the USB pop-up show
 * again (the last also after every other wake-up). */
void TimerWakeupRecord(void);
void XPM_PowerOnUpdateScheduledDataDB(void);
void XPM_EnableUSBPopupMsg(void);

#ifdef __cplusplus
}
#endif

#endif
