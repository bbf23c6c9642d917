/* Kernel interface: sleeps, events, mutexes and heap blocks of the host. */
#ifndef TVUI_PLATFORM_BKNI_H
#define TVUI_PLATFORM_BKNI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------- sleeps */

/* Blocks the calling thread for the given milliseconds. Returns 0. */
int BKNI_Sleep(unsigned int milliseconds);

/* ------------------------------------------------------- events and mutexes */

typedef struct BKNI_EventObj* BKNI_EventHandle;
typedef struct BKNI_MutexObj* BKNI_MutexHandle;

enum { BKNI_SUCCESS = 0, BKNI_TIMEOUT = 5, BKNI_ERROR = 1 };
enum { BKNI_INFINITE = -1 };

/* An auto-reset event: a wait that sees it set clears it. */
int32_t BKNI_CreateEvent(BKNI_EventHandle* event);
void BKNI_DestroyEvent(BKNI_EventHandle event);
void BKNI_SetEvent(BKNI_EventHandle event);
/* BKNI_SUCCESS when the event was set within timeout ms, else BKNI_TIMEOUT. */
int32_t BKNI_WaitForEvent(BKNI_EventHandle event, int32_t timeout);

int32_t BKNI_CreateMutex(BKNI_MutexHandle* mutex);
void BKNI_DestroyMutex(BKNI_MutexHandle mutex);
int32_t BKNI_AcquireMutex(BKNI_MutexHandle mutex);
void BKNI_ReleaseMutex(BKNI_MutexHandle mutex);

/* -------------------------------------------------------------- heap blocks */

/* Heap blocks that one thread allocates and another frees. Null when memory is short. */
void* BKNI_Malloc(size_t size);
void BKNI_Free(void* block);

#ifdef __cplusplus
}
#endif

#endif
