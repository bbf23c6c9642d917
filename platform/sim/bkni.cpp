#include "bkni.h"

#include <time.h>

#include <atomic>
#include <cerrno>

#include "simtv.h"

namespace {

std::atomic<bool> g_skipSleeps{false};
std::atomic<unsigned long> g_sleptMs{0};
std::atomic<simtv_bkni_sleep_handler> g_sleepHandler{nullptr};

}  // namespace

int BKNI_Sleep(unsigned int milliseconds) {
  g_sleptMs.fetch_add(milliseconds, std::memory_order_relaxed);
  if (g_skipSleeps.load()) return 0;
  if (simtv_bkni_sleep_handler handler = g_sleepHandler.load()) {
    handler(milliseconds);
    return 0;
  }
  // nanosleep rather than a C++ sleep: the crash handler calls this from a signal handler.
  timespec left{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
  return 0;
}

void simtv_bkni_set_sleep_handler(simtv_bkni_sleep_handler handler) { g_sleepHandler.store(handler); }

void simtv_bkni_skip_sleeps(int skip) { g_skipSleeps.store(skip != 0); }

unsigned long simtv_bkni_slept_ms(void) { return g_sleptMs.load(std::memory_order_relaxed); }
