#include "vgtimer.h"

#include <cstdint>
#include <cstdlib>

#include "vgclock.h"
#include "vgdebug.h"

namespace {

VgTimer* g_timers = nullptr;  // newest first

// The record whose callback runs now. When that callback destroys it, the
// record is only unlinked: the walk still needs its next pointer, and frees it
// once the callback has returned.
VgTimer* g_firing = nullptr;
bool g_firingDestroyed = false;

void Clear(VgTimer* t) {
  t->enabled = 0;
  t->expiry = 0;
  t->delay = 0;
  t->period = 0;
}

// Puts the next expiry of a late periodic timer on the first point of its own
// grid after now, so a blocked loop gives one firing rather than a burst.
void Advance(VgTimer* t, uint64_t now) {
  t->expiry += uint64_t(t->period);
  if (t->expiry > now) return;
  uint64_t late = now - t->expiry;
  t->expiry = now - late % uint64_t(t->period) + uint64_t(t->period);
}

struct FiringScope {
  VgTimer* saved;
  bool savedDestroyed;
  explicit FiringScope(VgTimer* t) : saved(g_firing), savedDestroyed(g_firingDestroyed) {
    g_firing = t;
    g_firingDestroyed = false;
  }
  ~FiringScope() {
    if (g_firingDestroyed) std::free(g_firing);
    g_firing = saved;
    g_firingDestroyed = savedDestroyed;
  }
  FiringScope(const FiringScope&) = delete;
  FiringScope& operator=(const FiringScope&) = delete;
};

}  // namespace

VgTimer* VgCreateTimer(VgTimerProc callback, void* argument) {
  auto* t = static_cast<VgTimer*>(std::calloc(1, sizeof(VgTimer)));
  if (!t) VgPanicAnsi("Can not create a timer. Out of memory");
  t->callback = callback;
  t->argument = argument;
  t->next = g_timers;
  g_timers = t;
  return t;
}

void VgDestroyTimer(VgTimer* timer) {
  VgTimer** link = &g_timers;
  while (*link && *link != timer) link = &(*link)->next;
  if (!timer || !*link) VgPanicAnsi("Timer not in the Timers list");
  *link = timer->next;
  Clear(timer);
  if (timer == g_firing) {
    g_firingDestroyed = true;
    return;
  }
  // The unlinked firing record still leads the walk to its successor.
  if (g_firing && g_firingDestroyed && g_firing->next == timer) g_firing->next = timer->next;
  std::free(timer);
}

void VgResetTimer(VgTimer* timer) {
  if (!timer) {
    VgPrint("VgResetTimer: null timer ignored\n");
    return;
  }
  if (timer->enabled) Clear(timer);
}

void VgStartTimer(VgTimer* timer, int32_t delay, int32_t period) {
  if (!timer) {
    VgPrint("VgStartTimer: null timer ignored\n");
    return;
  }
  VgResetTimer(timer);
  if (delay < 0) delay = 0;
  if (period < 0) period = 0;
  if (delay == 0) delay = period;
  if (delay == 0) return;
  timer->delay = delay;
  timer->period = period;
  timer->expiry = VgGetTicks64() + uint64_t(delay);
  timer->enabled = 1;
}

int32_t VgProcessTimers(void) {
  uint64_t now = VgGetTicks64();
  int32_t fired = 0;
  for (VgTimer* t = g_timers; t;) {
    if (!t->enabled || t->expiry > now) {
      t = t->next;
      continue;
    }
    if (t->period > 0)
      Advance(t, now);
    else
      Clear(t);
    ++fired;
    {
      FiringScope scope(t);
      if (t->callback) t->callback(t->argument);
      // Read after the callback: it may have destroyed the record that followed.
      VgTimer* next = t->next;
      t = next;
    }
  }
  return fired;
}

int32_t VgNextTimerExpiration(void) {
  uint64_t now = VgGetTicks64();
  uint64_t earliest = INT32_MAX;
  for (VgTimer* t = g_timers; t; t = t->next) {
    if (!t->enabled) continue;
    uint64_t left = t->expiry > now ? t->expiry - now : 0;
    if (left < earliest) earliest = left;
  }
  return int32_t(earliest);
}

bool VgAnyTimerEnabled() {
  for (VgTimer* t = g_timers; t; t = t->next)
    if (t->enabled) return true;
  return false;
}

size_t VgTimerCount() {
  size_t n = 0;
  for (VgTimer* t = g_timers; t; t = t->next) ++n;
  return n;
}
