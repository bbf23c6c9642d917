#include "vgclock.h"

#include <time.h>

#include <atomic>

namespace {

std::atomic<bool> g_manual{false};
std::atomic<uint32_t> g_manualTicks{0};
std::atomic<int64_t> g_manualWallMs{0};
// Added to the monotonic reading so that leaving manual mode continues from the
// manual count instead of jumping back to the real one.
std::atomic<uint32_t> g_offset{0};

// The widening state; only the GUI thread reads the 64-bit clock.
uint32_t g_lastTicks = 0;
uint32_t g_wraps = 0;

uint32_t MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  uint64_t ms = uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
  return uint32_t(ms);
}

}  // namespace

uint32_t VgGetTicks(void) {
  if (g_manual.load(std::memory_order_relaxed)) return g_manualTicks.load(std::memory_order_relaxed);
  return MonotonicMs() + g_offset.load(std::memory_order_relaxed);
}

int64_t VgGetTime(void) {
  if (g_manual.load(std::memory_order_relaxed)) return g_manualWallMs.load(std::memory_order_relaxed) / 1000;
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return int64_t(ts.tv_sec);
}

uint64_t VgGetTicks64() {
  uint32_t reading = VgGetTicks();
  if (reading < g_lastTicks) ++g_wraps;
  g_lastTicks = reading;
  return (uint64_t(g_wraps) << 32) | reading;
}

void VgClockSetManual(bool manual) {
  if (manual == g_manual.load()) return;
  if (manual) {
    g_manualTicks = VgGetTicks();
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    g_manualWallMs = int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
    g_manual = true;
  } else {
    g_offset = g_manualTicks.load() - MonotonicMs();
    g_manual = false;
  }
}

bool VgClockIsManual() { return g_manual.load(); }

void VgClockAdvance(uint32_t ms) {
  g_manualTicks += ms;
  g_manualWallMs += ms;
}

void VgClockSetTicks(uint32_t ticks) { g_manualTicks = ticks; }

void VgClockSetTime(int64_t seconds) { g_manualWallMs = seconds * 1000; }
