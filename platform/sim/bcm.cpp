#include "bcm.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "simtv.h"

namespace {

std::atomic<simtv_reset_hook> g_resetHook{nullptr};
std::atomic<bool> g_resetEndsProcess{true};
std::atomic<int> g_resetCount{0};

}  // namespace

void bcm_xmc_ResetHost_BCM35230(void) {
  g_resetCount.fetch_add(1, std::memory_order_relaxed);
  if (simtv_reset_hook hook = g_resetHook.load()) hook();
  if (!g_resetEndsProcess.load()) return;
  std::fprintf(stderr, "SIMTV: host reset, ending the process with status %d\n", SIMTV_HOST_RESET_EXIT_STATUS);
  std::fflush(nullptr);
  // A reset runs no exit handlers: the process may be in any state when it is asked for.
  _exit(SIMTV_HOST_RESET_EXIT_STATUS);
}

void simtv_bcm_on_reset(simtv_reset_hook hook) { g_resetHook.store(hook); }

void simtv_bcm_reset_ends_process(int ends) { g_resetEndsProcess.store(ends != 0); }

int simtv_bcm_reset_count(void) { return g_resetCount.load(std::memory_order_relaxed); }
