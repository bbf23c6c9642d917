/* Counting semaphores of the operating-system layer, with lock tracking. The
 * GUI lock is one of them, shared by the GUI thread and the middleware. */
#ifndef TVUI_PLATFORM_OSSEM_H
#define TVUI_PLATFORM_OSSEM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OS_SemObj* OS_SemId;

enum { OS_SEM_OK = 0, OS_SEM_TIMEOUT = 2, OS_SEM_INVALID = 1 };

/* The GUI lock: exported by the program, created and filled by the platform;
 * null where no lock exists. */
extern OS_SemId g_dorn_mutex;

OS_SemId OS_SemCreate(int32_t count);
/* Takes one count, waiting up to timeout ms (-1 without limit); file and line
 * name the taker for the platform's lock tracking. OS_SEM_OK, OS_SEM_TIMEOUT,
 * or OS_SEM_INVALID for a null semaphore. */
int32_t OS_SemTakeTrack(OS_SemId semaphore, int32_t timeout, const char* file, int32_t line);
int32_t OS_SemGive(OS_SemId semaphore);

#ifdef __cplusplus
}
#endif

#endif
