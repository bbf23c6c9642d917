// The simulated application services read the set's one clock through the
// middleware and keep the timer time and the current channel in memory.
#include "ace.h"

#include <mutex>

#include "simkernel.h"
#include "simtv.h"
#include "vgcalendar.h"
#include "xpm.h"

namespace {

constexpr Ace_Channel kFirstChannel{0, 1, 2, 1, 0};

simk::StateMutex g_mutex;
bool g_timerSet = false;
int64_t g_timerTime = 0;
Ace_Channel g_channel = kFirstChannel;

}  // namespace

int32_t Ace_GetLocalTime(struct tm* time) {
  if (!time) return -1;
  return XPM_GetLocalTime(time) == 0 ? 0 : -1;
}

int32_t Ace_GetTimer(struct tm* time) {
  if (!time) return -1;
  std::unique_lock lock(g_mutex);
  if (!g_timerSet) {
    lock.unlock();
    return Ace_GetLocalTime(time);
  }
  *time = VgLocalParts(g_timerTime);
  return 0;
}

int32_t channel_agent_get_current_channel(Ace_Channel* channel) {
  if (!channel) return -1;
  std::lock_guard lock(g_mutex);
  *channel = g_channel;
  return 0;
}

void simtv_ace_set_timer_time(int64_t seconds) {
  std::lock_guard lock(g_mutex);
  g_timerSet = true;
  g_timerTime = seconds;
}

void simtv_ace_set_current_channel(const Ace_Channel* channel) {
  if (!channel) return;
  std::lock_guard lock(g_mutex);
  g_channel = *channel;
}

void simtv_ace_reset(void) {
  std::lock_guard lock(g_mutex);
  g_timerSet = false;
  g_timerTime = 0;
  g_channel = kFirstChannel;
}
