#include "recording.h"

#include <atomic>

#include "simtv.h"

namespace {

std::atomic<int> g_crashCleanCount{0};

}  // namespace

void Crash_Clean_for_recording(void) { g_crashCleanCount.fetch_add(1, std::memory_order_relaxed); }

int simtv_recording_crash_clean_count(void) { return g_crashCleanCount.load(std::memory_order_relaxed); }
