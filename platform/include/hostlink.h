/* Host link: the key injector of the board's debug link, which feeds key
 * presses into the remote-control path as if they came from the remote. */
#ifndef TVUI_PLATFORM_HOSTLINK_H
#define TVUI_PLATFORM_HOSTLINK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Presses the named key ("blue", "ok", "r", "u", "d", ...) count times.
 * Returns 0, or -1 for a null or empty name. */
int32_t bcm_hostlink_parser_kb_Decoder(const char* key, int32_t count);

#ifdef __cplusplus
}
#endif

#endif
