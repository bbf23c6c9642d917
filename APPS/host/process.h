// The native start of the process: app_main with its periods of normal
// operation, the watchdog, deferred start-up and monitor threads, and the
// flags the host's threads share.
#pragma once

#include <atomic>
#include <cstdint>

#include "bkni.h"
#include "mplcore.h"

// Process-wide flags. Threads share them without a lock, so each is atomic.
extern std::atomic<int32_t> bInited;              // the GUI thread has started
extern std::atomic<int32_t> g_vgRunning;          // the GUI loop runs while non-zero
extern std::atomic<int32_t> ctvInited;            // deferred start-up finished
extern std::atomic<int32_t> g_suspendCCRendering; // another process shows an on-screen display
// Caption notification state: 0 the GUI showed nothing at the last long wait,
// 1 it shows something or is busy, 2 initial.
extern std::atomic<int32_t> lastNotified;
extern std::atomic<int32_t> g_IsPowerOn;          // events reach the root only while 1

extern std::atomic<MPLCore_QueueId> command_queue_id;
extern BKNI_EventHandle g_ctv_event_id;

extern "C" {
extern char buildversion[64];

int app_main(void);
void app_buildversion(void);
void tvOsdStateCallback(void* context, int32_t state);
void tvKeyReceivedCallback(void);
void app_monitor_task(void* argument);
void app_watchdog_task(void* argument);
void ctv_init_task(void* argument);
void convert24To12Hour(int32_t hour, int32_t* hour12, const char** suffix);
void SuspendUIApp(int32_t suspend);
}

// Whether the kernel command line in the file names a root file system that
// comes over the network ("/dev/nfs" within its first 31 bytes).
bool KernelCommandLineHasNfs(const char* path);
