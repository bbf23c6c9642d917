// The simulated clock has no broadcast to follow; the setting is only kept.
#include "xpm.h"

#include <atomic>

#include "simtv.h"

namespace {

std::atomic<int32_t> g_autoTimeUpdate{1};

}  // namespace

int32_t XPM_SetAutoTimeUpdate(int32_t on) {
  g_autoTimeUpdate.store(on != 0 ? 1 : 0, std::memory_order_relaxed);
  return 0;
}

int32_t simtv_xpm_auto_time_update(void) { return g_autoTimeUpdate.load(std::memory_order_relaxed); }

void simtv_xpm_timer_reset(void) { g_autoTimeUpdate.store(1); }
