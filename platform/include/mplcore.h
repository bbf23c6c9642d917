/* Platform core: named threads, pointer queues, run status, partitions and
 * general-purpose pins. */
#ifndef TVUI_PLATFORM_MPLCORE_H
#define TVUI_PLATFORM_MPLCORE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*MPLCore_ThreadEntry)(void* argument);
typedef uintptr_t MPLCore_QueueId;

/* Returns the thread's id (above 0), or 0 when it could not be created. */
uint32_t MPLCore_ThreadCreateNamed(const char* name, MPLCore_ThreadEntry entry, void* argument, int32_t priority);
/* The same for a thread without a name of its own, which keeps to the real
 * clock. */
uint32_t MPLCore_ThreadCreate(MPLCore_ThreadEntry entry, void* argument, int32_t priority);

/* A queue of at most capacity entries of entryWords pointers each; 0 on failure. */
MPLCore_QueueId MPLCore_QueueCreate(int32_t kind, int32_t capacity, int32_t entryWords);
/* Copies entryWords pointers from entry. 0, or non-zero when the queue is
 * full or unknown. */
int32_t MPLCore_QueuePost(MPLCore_QueueId queue, const void* entry);
/* Waits up to timeout ms (-1 without limit) for an entry and copies it out.
 * 0, or non-zero on time-out or an unknown queue. */
int32_t MPLCore_QueueWait(MPLCore_QueueId queue, void* entry, int32_t timeout);
/* Deletes a queue with the entries still in it; a thread waiting on it
 * returns non-zero. 0, or non-zero for an unknown queue. */
int32_t MPLCore_QueueDelete(MPLCore_QueueId queue);

int32_t MPLCore_SetRunStatus(int32_t status);
/* Drives a general-purpose output pin high (1) or low (0). 0, or non-zero
 * for a pin the board does not have. */
int32_t MPLCore_GpioSetPin(int32_t pin, int32_t level);
/* 0 when the partition is mounted. */
int32_t MPLCore_MountPartitionName(const char* partition, const char* mountPoint, const char* fileSystem,
                                   int32_t flags);

/* A 32-bit register of the video path by its address; 0, or non-zero for an
 * address the board does not map. */
int32_t MPLCore_ReadReg32(uint32_t address, uint32_t* value);

#ifdef __cplusplus
}
#endif

#endif
