/* The software update service beside the middleware: it checks for newer
 * software, fetches and installs it, and reports the result of each check
 * and each upgrade (0: an upgrade is available, or the upgrade succeeded;
 * any other number a failure code) with a second value and a text to the one
 * listener set, from a thread of its own. The text lives only during the
 * call. No middleware event carries these results. */
#ifndef TVUI_PLATFORM_UPDATE_H
#define TVUI_PLATFORM_UPDATE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*UBN_ResultCallback)(void* context, int32_t result, int32_t value, const char* text);
/* Sets the listener (null: none). Returns 0. */
int32_t UBN_SetResultCallback(UBN_ResultCallback callback, void* context);

#ifdef __cplusplus
}
#endif

#endif
