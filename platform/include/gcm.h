/* Graphics composition: the platform component that owns DirectFB. It starts
 * DirectFB before the GUI runs and hands out the main interface and the display
 * layer on which the GUI creates its window. */
#ifndef TVUI_PLATFORM_GCM_H
#define TVUI_PLATFORM_GCM_H

#include <directfb.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The DirectFB main interface, exported by the program and filled by the
 * platform when it starts DirectFB; null before that. */
extern IDirectFB* g_dfb;

/* The main interface, or null while DirectFB is not started. */
IDirectFB* GCM_GetDirectFB(void);
/* The primary display layer in shared mode, or null while DirectFB is not
 * started. The platform keeps the reference; callers do not release it. */
IDirectFBDisplayLayer* GCM_GetDisplayLayer(void);

/* Control of this stand-in, for the host, tests and tools. On the set the
 * composition manager has started DirectFB before the program runs.
 *
 * GCM_Start starts DirectFB once (later calls return 0 at once). Headless uses
 * DirectFB's dummy system: real surfaces and windows in memory, no screen, no
 * terminal and no root rights needed. Otherwise DirectFB's own configuration
 * (directfbrc, DFBARGS) picks the system. Returns 0 or the DirectFB result.
 * GCM_Stop releases the layer and the main interface and clears g_dfb. */
int GCM_Start(int headless);
void GCM_Stop(void);

/* Headless, with a set's folder (TVUI_ROOT), DirectFB is shown a folder of
 * the set's own links to its modules, and runs every library it finds there.
 * GCM_Start returns GCM_FOREIGN_MODULES when that folder held anything else,
 * before DirectFB was started or as it started (another process may have put
 * a library there meanwhile, and DirectFB may have run it); DirectFB is then
 * left stopped, and GCM_ModuleFault says what was found (empty otherwise). */
#define GCM_FOREIGN_MODULES (-1)
const char* GCM_ModuleFault(void);

#ifdef __cplusplus
}
#endif

#endif
