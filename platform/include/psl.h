/* The media library, as far as the program tells it things. */
#ifndef TVUI_PLATFORM_PSL_H
#define TVUI_PLATFORM_PSL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The media library's handle, exported by the library once it is up. */
extern void* globalPsl;

/* The network status word of the middleware, cut to 16 bits: 1 wired up,
 * 3 wireless up, 0 wired down, 5 wireless down; the library takes any value. */
void PslNetworkStatusChanged(void* psl, uint16_t status);

#ifdef __cplusplus
}
#endif

#endif
