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
extern std::atomic<int32_t> ctvInited;            // deferred start-up finished
extern std::atomic<int32_t> g_suspendCCRendering; // another process shows an on-screen display
// Caption notification state: 0 the GUI showed nothing at the last long wait,
// 1 it shows something or is busy, 2 initial.
extern std::atomic<int32_t> lastNotified;
extern std::atomic<int32_t> g_IsPowerOn;          // events reach the root only while 1

// One period of normal operation. app_main makes it when the period begins,
// hands it to the GUI thread for the period's loop and to the period's own
// threads (command_task, ctv_init_task) as their argument; when the period
// ends it waits for the loop and those threads to end before the next period
// begins, so two GUI loops never run side by side. The stop flags are the
// period's own: the stop is made once and nothing sets them back, so a stop
// that comes while the loop is still starting is not lost.
struct AppPeriod {
  std::atomic<int32_t> vgRunning{1};       // the period's GUI loop runs while non-zero
  std::atomic<int32_t> commandRunning{1};  // its command_task runs while non-zero
  std::atomic<int32_t> stopped{0};         // the stop has been made
  std::atomic<int32_t> ended{0};           // the state manager has ended the period
  MPLCore_QueueId commandQueue = 0;
  BKNI_EventHandle ctvEvent = nullptr;     // releases ctv_init_task before its 12 s
  BKNI_EventHandle endEvent = nullptr;     // set when the period ends
  BKNI_EventHandle threadsEnded = nullptr; // set by the last of its threads to end
  // Its loop and threads that have not ended, and one for app_main until the
  // period ends.
  std::atomic<int32_t> holds{1};
};

// The period under way; null before the first and between periods.
extern std::atomic<AppPeriod*> g_period;
// The current period's command queue and deferred start-up event (0 and null
// between periods): the state manager's and the middleware's callbacks reach
// the period through them.
extern std::atomic<MPLCore_QueueId> command_queue_id;
extern std::atomic<BKNI_EventHandle> g_ctv_event_id;

// The last thing each thread of a period, and the period's loop, does.
void PeriodThreadEnded(AppPeriod* period);

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
// Stops (non-zero) or resumes the GUI loop of the period under way.
void SuspendUIApp(int32_t suspend);
}

// Whether the kernel command line in the file names a root file system that
// comes over the network ("/dev/nfs" within its first 31 bytes).
bool KernelCommandLineHasNfs(const char* path);
