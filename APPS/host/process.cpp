#include "process.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "agents.h"
#include "bkni.h"
#include "db.h"
#include "event_bridge.h"
#include "gui_loop.h"
#include "nvpath.h"
#include "oam.h"
#include "tvsm.h"
#include "xpm.h"

std::atomic<int32_t> bInited{0};
std::atomic<int32_t> ctvInited{0};
std::atomic<int32_t> g_suspendCCRendering{0};
std::atomic<int32_t> lastNotified{2};
std::atomic<int32_t> g_IsPowerOn{1};
std::atomic<AppPeriod*> g_period{nullptr};
std::atomic<MPLCore_QueueId> command_queue_id{0};
std::atomic<BKNI_EventHandle> g_ctv_event_id{nullptr};

char buildversion[64] = {};

namespace {

constexpr rlim_t kStackSize = 8388608;

void PrintLine(char c, int count) {
  std::string line(size_t(count), c);
  std::printf("%s\n", line.c_str());
}

// Each period of operation gets threads of 8 MiB stacks where the hard limit allows it.
void RaiseStackLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_STACK, &limit) != 0) return;
  if (limit.rlim_cur < kStackSize && limit.rlim_max >= kStackSize) {
    limit.rlim_cur = kStackSize;
    setrlimit(RLIMIT_STACK, &limit);
  }
}

// The deferred start-up of a period: after the first acquisition or 12 s,
// and 3 s more, it mounts the Flash partition and sets up the databases. A
// period that ends before then (a quick standby) skips it: the middleware is
// ended by then and the next period starts its own.
void DeferredStart(AppPeriod* period) {
  BKNI_WaitForEvent(period->ctvEvent, 12000);
  if (period->ended.load()) return;
  std::printf("---- start to init cApp ---\n");
  if (BKNI_WaitForEvent(period->endEvent, 3000) == BKNI_SUCCESS || period->ended.load()) return;

  bool flashAvailable = true;
  if (!KernelCommandLineHasNfs("/proc/cmdline")) {
    if (MPLCore_MountPartitionName("adobe", "/mnt/stagecraft", "yaffs2", 16) != 0) {
      std::printf("!!! error mount adobe, disabling starting of adobe !!!!\n");
      flashAvailable = false;
    } else {
      std::printf("adobe partition is mounted\n");
    }
  }
  if (flashAvailable) {
    const std::string folder = NvPath("/mnt/stagecraft/vudu/db");
    std::string why = "its path is refused";
    const int made = folder.empty() ? -1 : NvOpenFolder(folder, true, &why);
    if (made < 0) std::printf("ctv_init_task: cannot make the folder /mnt/stagecraft/vudu/db: %s\n", why.c_str());
    if (made >= 0) close(made);
  }

  int32_t mode = 0;
  XPM_GetFactoryModeSetting(0, &mode);
  if (mode == 0) {
    XPM_Create_DB_RECORD_LOG_Internal();
    XPM_Create_DB_CHANNEL_LOGO();
    int32_t valid = 0;
    DB_Handle handle = 0;
    char startTime[XPM_DB_TIME_TEXT_SIZE] = {};
    xpm_get_db_status(&valid, &handle, startTime);
    startTime[sizeof startTime - 1] = '\0';
    if (valid) {
      std::printf("start time = %s \n", startTime);
      DB_update_record_log_starttime(handle, startTime);
      DB_update_record_log_from_standby(handle);
    }
    if (flashAvailable) flashlite_runner_init();
  }
  ctvInited = 1;
}

void StartPeriodThread(AppPeriod* period, const char* name, MPLCore_ThreadEntry entry, int32_t priority) {
  period->holds.fetch_add(1);
  if (MPLCore_ThreadCreateNamed(name, entry, period, priority) == 0) period->holds.fetch_sub(1);
}

// The period's objects exist before anything of the period can use them: a
// command that comes as soon as the callbacks are registered has its queue.
AppPeriod* BeginPeriod() {
  auto* period = new AppPeriod;
  BKNI_CreateEvent(&period->endEvent);
  BKNI_CreateEvent(&period->threadsEnded);
  period->commandQueue = MPLCore_QueueCreate(0, 50, 1);
  BKNI_CreateEvent(&period->ctvEvent);
  command_queue_id = period->commandQueue;
  g_ctv_event_id = period->ctvEvent;
  g_period = period;
  TVSM_RegisterProcessCommandCallback(nullptr, 1, tvCommandCallback);
  TVSM_RegisterKeyReceivedCallback(nullptr, 1, tvKeyReceivedCallback);
  TVSM_RegisterOsdStateCallback(nullptr, 1, tvOsdStateCallback);
  period->holds.fetch_add(1);
  if (!GuiRunPeriod(period)) period->holds.fetch_sub(1);
  StartPeriodThread(period, "command_task", command_task, 40);
  StartPeriodThread(period, "ctv_init_task", ctv_init_task, 40);
  return period;
}

// Stops what the stop command left running, waits for every thread of the
// period to end and frees what the period made. Commands that come after this
// find no queue and are dropped with their message.
void EndPeriod(AppPeriod* period) {
  period->ended = 1;
  StopPeriod(period);
  BKNI_SetEvent(period->ctvEvent);
  BKNI_SetEvent(period->endEvent);
  CommandRecord* wake = nullptr;
  MPLCore_QueuePost(period->commandQueue, &wake);
  if (period->holds.fetch_sub(1) != 1) {
    if (period->threadsEnded) {
      BKNI_WaitForEvent(period->threadsEnded, BKNI_INFINITE);
    } else {
      while (period->holds.load() != 0) BKNI_Sleep(10);
    }
  }
  g_period = nullptr;
  command_queue_id = 0;
  g_ctv_event_id = nullptr;
  DropQueuedCommands(period->commandQueue);
  MPLCore_QueueDelete(period->commandQueue);
  BKNI_DestroyEvent(period->ctvEvent);
  BKNI_DestroyEvent(period->endEvent);
  BKNI_DestroyEvent(period->threadsEnded);
  delete period;
}

}  // namespace

void PeriodThreadEnded(AppPeriod* period) {
  if (!period) return;
  // Read before the hold is given back: app_main may free the period then.
  BKNI_EventHandle ended = period->threadsEnded;
  if (period->holds.fetch_sub(1) == 1) BKNI_SetEvent(ended);
}

bool KernelCommandLineHasNfs(const char* path) {
  int fd = open(path, O_RDONLY);
  if (fd < 0) return false;
  // Only the first 31 bytes count; the buffer keeps room for the end mark.
  char line[32] = {};
  ssize_t got = read(fd, line, sizeof line - 1);
  close(fd);
  line[got > 0 ? got : 0] = '\0';
  return std::strstr(line, "/dev/nfs") != nullptr;
}

extern "C" {

void app_buildversion(void) { std::snprintf(buildversion, sizeof buildversion, "%s", "ZEP.244.22.30-TEST2"); }

int app_main(void) {
  OAM_Feature_Config_Init();
  std::fprintf(stderr, "(APP:main(): Starting)\n");
  std::printf("==========================\n");
  std::printf("PID of this process: %d\n", int(getpid()));
  std::printf("The TID: %u\n", unsigned(pthread_self()));
  std::printf("THE TID %u\n", unsigned(syscall(SYS_gettid)));
  std::printf("==========================\n");
  MPLCore_SetRunStatus(0);
  std::printf("\n APP  BOOTSTAGE%02d:%ldms\n", 31, 0L);

  app_buildversion();
  char version[64];
  std::memcpy(version, buildversion, sizeof version);
  PrintLine('*', 51);
  std::printf("        CARD FW Version %s\n", version);
  PrintLine('*', 51);

  std::printf("watchdog is enabled\n");
  MPLCore_ThreadCreateNamed("app_watchdog_task", app_watchdog_task, nullptr, 40);

  while (TVSM_Standby() == 1) {
    RaiseStackLimit();
    AppPeriod* period = BeginPeriod();
    TVSM_WaitForStandby();
    EndPeriod(period);
  }
  GuiRunPeriod(nullptr);
  std::fprintf(stderr, "(APP:main(): Stopped)\n");
  return 0;
}

void app_watchdog_task(void* argument) {
  (void)argument;
  std::printf("\n%s, %d WATCHDOG TIMER INITIALIZED (%d)\n", "app_watchdog_task", 951, 100000);
  std::fflush(stdout);
  XPM_StopWatchdog();
  XPM_SetWatchdogTimeout(100);
  while (bInited.load() == 0) BKNI_Sleep(3000);
  XPM_StopWatchdog();
  std::printf("\n%s, %d WATCHDOG TIMER REINITIALIZED (%d)\n", "app_watchdog_task", 973, 60000);
  std::fflush(stdout);
  XPM_SetWatchdogTimeout(60);
  for (;;) {
    BKNI_Sleep(2000);
    // The middleware is alive when its lock could be had within 10 s; while
    // it is not, the hardware watchdog is left to expire and reset the set.
    if (XPM_CheckAliveStatus(10000) != 0) {
      std::printf("\n [WARNING]:::Watchdog cannot get XE LOCK for 10s! \n");
      std::fflush(stdout);
      continue;
    }
    XPM_ResetWatchdog();
  }
}

void ctv_init_task(void* argument) {
  auto* period = static_cast<AppPeriod*>(argument);
  DeferredStart(period);
  PeriodThreadEnded(period);
}


void app_monitor_task(void* argument) {
  (void)argument;
  BKNI_Sleep(10000);
  for (;;) {
    BKNI_Sleep(1000);
    int32_t osd = 0;
    int32_t captions = 0;
    XPM_GetOsdState(&osd);
    XPM_GetCaptionRenderState(0, &captions);
    OAM_Monitor(0, osd, captions);
  }
}

void tvOsdStateCallback(void* context, int32_t state) {
  (void)context;
  if (state == 1) {
    std::printf("\n\nOne or more OSDs are active\n");
    if (g_suspendCCRendering.load() == 0) {
      g_suspendCCRendering = 1;
      XPM_EnableCaptionRender(0);
    }
  } else {
    std::printf("\n\nNo OSDs are active\n");
    if (g_suspendCCRendering.load() == 1) {
      if (lastNotified.load() == 0) XPM_EnableCaptionRender(1);
      g_suspendCCRendering = 0;
    }
  }
}

void tvKeyReceivedCallback(void) {}

void convert24To12Hour(int32_t hour, int32_t* hour12, const char** suffix) {
  std::printf("input hour %d\n", hour);
  int32_t result = hour % 12;
  std::printf("mod hour12 %d\n", result);
  if (result == 0) result = 12;
  if (hour12) *hour12 = result;
  std::printf("result hour %d\n", result);
  if (hour >= 12) {
    std::printf("this is pm\n");
    if (suffix) *suffix = "pm";
  } else {
    std::printf("this is am\n");
    if (suffix) *suffix = "am";
  }
}

void SuspendUIApp(int32_t suspend) {
  // A loop that its period told to stop stays stopped: app_main waits for it.
  if (AppPeriod* period = g_period.load()) period->vgRunning = suspend == 0 && !period->stopped.load() ? 1 : 0;
}

}  // extern "C"
