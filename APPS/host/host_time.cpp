#include "host_time.h"

#include <atomic>

namespace {

void RealTimeOfDay(timeval* now) { gettimeofday(now, nullptr); }

DFBResult DirectFBWait(IDirectFBEventBuffer* buffer, int32_t ms) {
  if (ms < 0) return buffer->WaitForEvent(buffer);
  // A timeout of zero is not a wait: only look whether an event is there.
  if (ms == 0) return buffer->HasEvent(buffer);
  return buffer->WaitForEventWithTimeout(buffer, 0, unsigned(ms));
}

constexpr HostTime kProductTime{&RealTimeOfDay, &DirectFBWait};
std::atomic<const HostTime*> g_time{&kProductTime};

}  // namespace

void HostUseTime(const HostTime* time) { g_time.store(time ? time : &kProductTime); }

void HostTimeOfDay(timeval* now) { g_time.load()->timeOfDay(now); }

DFBResult HostWaitForEvent(IDirectFBEventBuffer* buffer, int32_t ms) {
  return g_time.load()->waitForEvent(buffer, ms);
}
