/* Middleware calls behind the setup menus: the set's inputs, the clock's time
 * zone and daylight saving, the caption services on air, HDMI-CEC control and
 * tuning a window to a channel.
 *
 * Every call returns 0 on success and a non-zero error code otherwise; a
 * getter leaves its outputs untouched when it fails.
 *
 * The simulated television behind these calls keeps its state in memory; its
 * calls are recorded and fail on demand with the rest of the set's (simtv.h). */
#ifndef TVUI_PLATFORM_XPM_SETUP_H
#define TVUI_PLATFORM_XPM_SETUP_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------- inputs */

enum { XPM_MAX_SOURCES = 30 };

/* The set's inputs in menu order: at most capacity source ids copied, count
 * set to the number of inputs. */
int32_t XPM_GetSourceList(int32_t* sources, int32_t capacity, int32_t* count);
/* Whether a source can be chosen now for a purpose (1 the main picture). */
int32_t XPM_IsSourceSelectable(int32_t source, int32_t purpose, int32_t* selectable);

/* -------------------------------------------------------------------- clock */

/* The middleware's time-zone number (5 Eastern, 7 Newfoundland, 6 Atlantic,
 * 1 Hawaii, 0 Alaska, 2 Pacific, 3 Mountain, 4 Central, 8 the ninth zone). */
int32_t XPM_GetTimeZone(int32_t* zone);
int32_t XPM_SetTimeZone(int32_t zone);
int32_t XPM_GetDaylightSaving(int32_t* on);
int32_t XPM_SetDaylightSaving(int32_t on);

/* ----------------------------------------------------------------- captions */

enum { XPM_CAPTION_LANGUAGE_SIZE = 4 };
/* Whether a caption service is on air in the window's channel: analogue
 * services 1-4 (digital 0), digital services 1-6 (digital 1). The language is
 * the service's ISO 639 code, zero-terminated, empty when it has none. */
int32_t XPM_GetCaptionServiceInfo(int32_t window, int32_t digital, int32_t service, int32_t* available,
                                  char* language, int32_t size);

/* ----------------------------------------------------------- HDMI-CEC, tuning */

/* Switches HDMI-CEC control on (1) or off; XPM_CEC_GetEnable reads it. */
int32_t XPM_CEC_SetEnable(int32_t on);
/* Tunes a window to a channel; XPM_GetCurrentChannel reads it. */
int32_t XPM_SetChannel(int32_t window, int32_t major, int32_t minor);

/* ------------------------------------------- simulation control (tests, tools) */

/* Back to a set fresh from the factory: the inputs 1 to 9, all selectable,
 * the Eastern zone without daylight saving, no caption service on air. */
void simtv_setup_reset(void);
/* Replaces the set's inputs (at most XPM_MAX_SOURCES). */
void simtv_setup_set_sources(int32_t count, const int32_t* sources);
void simtv_setup_set_selectable(int32_t source, int32_t selectable);
/* Puts a caption service on air with a language code, or takes it off with
 * a null language. */
void simtv_setup_set_caption_service(int32_t digital, int32_t service, const char* language);

#ifdef __cplusplus
}
#endif

#endif
