#include "xpm.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "bcm.h"
#include "ossem.h"
#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"
#include "xpm_events.h"

namespace {

struct MiddlewareEvent {
  uint32_t cookie;
  uint32_t event;
  std::vector<unsigned char> payload;
  bool hasPayload;
  simk::Handover edge;
};

MiddlewareEvent MakeEvent(uint32_t cookie, uint32_t event, const void* payload, uint32_t size) {
  MiddlewareEvent e{cookie, event, {}, payload != nullptr, {}};
  if (payload && size) {
    auto* bytes = static_cast<const unsigned char*>(payload);
    e.payload.assign(bytes, bytes + size);
  }
  e.edge.Give();
  return e;
}

// Guarded by the kernel lock.
struct Middleware {
  std::vector<std::pair<XPM_EventCallback, void*>> clients;
  std::deque<MiddlewareEvent> pending;
  // The wake-up by the power key pressed in standby, for the interface of
  // the period that the key begins, once it listens.
  std::optional<MiddlewareEvent> heldWakeup;
  bool watchdogArmed = false;
  uint64_t watchdogTimeoutMs = 0;
  uint64_t watchdogExpiry = 0;
  uint64_t watchdogChanges = 0;
};

std::atomic<simtv_render_hook> g_renderHook{nullptr};

Middleware& M() {
  static Middleware& m = *new Middleware;
  return m;
}

// The middleware delivers its events from a thread of its own; the payload
// lives only during the call, as on the set. What a thread of the set does
// runs out of the kernel's lock, which guards only the queue.
MiddlewareEvent NextEvent(std::vector<std::pair<XPM_EventCallback, void*>>* clients) {
  simk::Lock lock(simk::Mutex());
  std::function<bool()> ready = [] { return !M().pending.empty(); };
  simk::Wait(lock, ready, simk::kNoDeadline);
  MiddlewareEvent e = std::move(M().pending.front());
  M().pending.pop_front();
  *clients = M().clients;
  return e;
}

void MiddlewareThread() {
  for (;;) {
    std::vector<std::pair<XPM_EventCallback, void*>> clients;
    MiddlewareEvent e = NextEvent(&clients);
    e.edge.Take();
    for (auto& [callback, context] : clients) {
      (void)context;
      callback(e.cookie, e.event, e.hasPayload ? e.payload.data() : nullptr, uint32_t(e.payload.size()));
    }
  }
}

// What wakes the hardware watchdog: a change made to it, or its time-out
// passing unfed.
struct WatchdogWake {
  bool expired;
  bool armed;
  uint64_t timeoutMs;
};

WatchdogWake AwaitWatchdog(uint64_t* seen) {
  simk::Lock lock(simk::Mutex());
  std::function<bool()> changed = [seen] { return M().watchdogChanges != *seen; };
  const uint64_t deadline = M().watchdogArmed ? M().watchdogExpiry : simk::kNoDeadline;
  simk::Wait(lock, changed, deadline);
  *seen = M().watchdogChanges;
  return {M().watchdogArmed && simk::NowMs() >= M().watchdogExpiry, M().watchdogArmed, M().watchdogTimeoutMs};
}

// The hardware watchdog resets the set when nobody fed it within its
// time-out. On the wall clock it tells each time it wakes, fed, armed or
// stopped, where no scenario's call record shows it.
void WatchdogThread() {
  uint64_t seen = 0;
  {
    simk::Lock lock(simk::Mutex());
    seen = M().watchdogChanges;
  }
  const bool tell = !simk::IsVirtual();
  for (;;) {
    const WatchdogWake wake = AwaitWatchdog(&seen);
    if (tell && wake.armed) {
      std::printf("SIMTV: the hardware watchdog wakes, armed with a time-out of %llu s\n",
                  static_cast<unsigned long long>(wake.timeoutMs / 1000));
      std::fflush(stdout);
    } else if (tell) {
      std::printf("SIMTV: the hardware watchdog wakes, stopped\n");
      std::fflush(stdout);
    }
    if (!wake.expired) continue;
    std::fprintf(stderr, "SIMTV: the hardware watchdog was not fed for %llu s: it resets the set\n",
                 static_cast<unsigned long long>(wake.timeoutMs / 1000));
    std::fflush(nullptr);
    bcm_xmc_ResetHost_BCM35230();
    simk::Lock lock(simk::Mutex());
    M().watchdogArmed = false;
  }
}

void WatchdogChanged() {
  ++M().watchdogChanges;
  simk::Changed();
}

int32_t Simple(const char* name) {
  simk::Record(name);
  int32_t code = 0;
  return simk::Fails(name, &code) ? code : 0;
}

int32_t Report(const char* name, int32_t* out, int32_t value, simk::CallArgs args = {}) {
  simk::Record(name, args);
  int32_t code = 0;
  if (simk::Fails(name, &code)) return code;
  if (out) *out = value;
  return 0;
}

// The main window's source is "current_source", the sub window's
// "sub_source"; until a source is set for it, the sub window shows the main
// window's.
const char* SourceValue(int32_t window) {
  return window == 1 && simtv::Value("sub_source") >= 0 ? "sub_source" : "current_source";
}

}  // namespace

void SimStartMiddleware() { simk::StartThread("simtv_xpm", MiddlewareThread); }
void SimStartWatchdog() { simk::StartThread("simtv_watchdog", WatchdogThread); }

extern "C" {

int32_t XPM_SubscribeEventClient(XPM_EventCallback callback, void* context) {
  simk::Record("XPM_SubscribeEventClient", simk::CallArgs{}.Ptr().Ptr());
  int32_t code = 0;
  if (simk::Fails("XPM_SubscribeEventClient", &code)) return code;
  if (!callback) return 1;
  simk::Lock lock(simk::Mutex());
  M().clients.emplace_back(callback, context);
  if (M().heldWakeup) {
    M().pending.push_back(std::move(*M().heldWakeup));
    M().heldWakeup.reset();
    simk::Changed();
  }
  return 0;
}

int32_t XPM_UnsubscribeEventClient(XPM_EventCallback callback, void* context) {
  simk::Record("XPM_UnsubscribeEventClient", simk::CallArgs{}.Ptr().Ptr());
  simk::Lock lock(simk::Mutex());
  auto& clients = M().clients;
  auto it = std::find(clients.begin(), clients.end(), std::make_pair(callback, context));
  if (it == clients.end()) return 1;
  clients.erase(it);
  return 0;
}

int32_t XPM_Init(void) { return Simple("XPM_Init"); }
int32_t XPM_Term(void) { return Simple("XPM_Term"); }

int32_t XPM_StopWatchdog(void) {
  simk::Record("XPM_StopWatchdog");
  simk::Lock lock(simk::Mutex());
  M().watchdogArmed = false;
  WatchdogChanged();
  return 0;
}

int32_t XPM_SetWatchdogTimeout(int32_t seconds) {
  simk::Record("XPM_SetWatchdogTimeout", simk::CallArgs{}.Int(seconds));
  if (seconds <= 0) return 1;
  simk::Lock lock(simk::Mutex());
  M().watchdogArmed = true;
  M().watchdogTimeoutMs = uint64_t(seconds) * 1000u;
  M().watchdogExpiry = simk::NowMs() + M().watchdogTimeoutMs;
  WatchdogChanged();
  return 0;
}

int32_t XPM_ResetWatchdog(void) {
  simk::Record("XPM_ResetWatchdog");
  simk::Lock lock(simk::Mutex());
  if (M().watchdogArmed) {
    M().watchdogExpiry = simk::NowMs() + M().watchdogTimeoutMs;
    WatchdogChanged();
  }
  return 0;
}

int32_t XPM_CheckAliveStatus(int32_t timeout) {
  simk::Record("XPM_CheckAliveStatus", simk::CallArgs{}.Int(timeout));
  int32_t code = 0;
  if (simk::Fails("XPM_CheckAliveStatus", &code)) return code;
  // Alive means the middleware could take its lock, the one the GUI holds
  // while it works: a GUI thread stuck with it makes the middleware dead too.
  if (!g_dorn_mutex) return 0;
  if (!simtv::SemTake(g_dorn_mutex, timeout)) return 1;
  simtv::SemGive(g_dorn_mutex);
  return 0;
}

int32_t XPM_GetOsdState(int32_t* state) { return Report("XPM_GetOsdState", state, simtv::Value("osd_state")); }

int32_t XPM_SetOsdState(int32_t state) {
  simk::Record("XPM_SetOsdState", simk::CallArgs{}.Int(state));
  simtv::SetValue("osd_state", state);
  return 0;
}

int32_t XPM_EnableCaptionRender(int32_t enable) {
  simk::Record("XPM_EnableCaptionRender", simk::CallArgs{}.Int(enable));
  simtv::SetValue("caption_state", enable ? 1 : 0);
  return 0;
}

int32_t XPM_RenderClient(uint32_t handle, int32_t kind) {
  simk::Record("XPM_RenderClient", simk::CallArgs{}.Int(handle).Int(kind));
  if (simtv_render_hook hook = g_renderHook.load()) hook(kind);
  return 0;
}

void simtv_on_render(simtv_render_hook hook) { g_renderHook.store(hook); }

int32_t XPM_GetCurrentSource(int32_t window, int32_t* source) {
  return Report("XPM_GetCurrentSource", source, simtv::Value(SourceValue(window)), simk::CallArgs{}.Int(window));
}

int32_t XPM_SetSource(int32_t window, int32_t source) {
  simk::Record("XPM_SetSource", simk::CallArgs{}.Int(window).Int(source));
  int32_t code = 0;
  if (simk::Fails("XPM_SetSource", &code)) return code;
  if (window != 0 && window != 1) return 2;
  simtv::SetValue(window == 1 ? "sub_source" : "current_source", source);
  simtv::AnswerSource(window, source);
  return 0;
}

int32_t XPM_SwapSource(void) {
  if (int32_t code = Simple("XPM_SwapSource"); code != 0) return code;
  const int32_t main = simtv::Value("current_source");
  simtv::SetValue("current_source", simtv::Value(SourceValue(1)));
  simtv::SetValue("sub_source", main);
  return 0;
}

int32_t XPM_SetDisplayWindow(int32_t window, int32_t x, int32_t y, int32_t width, int32_t height) {
  simk::Record("XPM_SetDisplayWindow", simk::CallArgs{}.Int(window).Int(x).Int(y).Int(width).Int(height));
  int32_t code = 0;
  if (simk::Fails("XPM_SetDisplayWindow", &code)) return code;
  return window == 0 || window == 1 ? 0 : 2;
}

int32_t XPM_SetBack2TVSourceID(int32_t source) {
  simk::Record("XPM_SetBack2TVSourceID", simk::CallArgs{}.Int(source));
  simtv::SetValue("back2tv_source", source);
  return 0;
}

int32_t XPM_GetBack2TVSourceID(int32_t* source) {
  return Report("XPM_GetBack2TVSourceID", source, simtv::Value("back2tv_source"));
}

int32_t XPM_GetFactoryModeSetting(int32_t kind, int32_t* mode) {
  return Report("XPM_GetFactoryModeSetting", mode, simtv::Value("factory_mode"), simk::CallArgs{}.Int(kind));
}

int32_t XPM_Create_DB_RECORD_LOG_Internal(void) { return Simple("XPM_Create_DB_RECORD_LOG_Internal"); }
int32_t XPM_Create_DB_CHANNEL_LOGO(void) { return Simple("XPM_Create_DB_CHANNEL_LOGO"); }

int32_t xpm_get_db_status(int32_t* valid, DB_Handle* handle, char* startTime) {
  simk::Record("xpm_get_db_status");
  int32_t code = 0;
  if (simk::Fails("xpm_get_db_status", &code)) return code;
  if (valid) *valid = 1;
  if (handle) *handle = 1;
  if (startTime) std::snprintf(startTime, XPM_DB_TIME_TEXT_SIZE, "%s", "2012-01-01 00:00:00");
  return 0;
}

void TimerWakeupRecord(void) { simk::Record("TimerWakeupRecord"); }
void XPM_PowerOnUpdateScheduledDataDB(void) { simk::Record("XPM_PowerOnUpdateScheduledDataDB"); }
void XPM_EnableUSBPopupMsg(void) { simk::Record("XPM_EnableUSBPopupMsg"); }

int32_t xpm_relayhdmicecrcu(int32_t kind, uint32_t keyCode) {
  simk::Record("xpm_relayhdmicecrcu", simk::CallArgs{}.Int(kind).Int(keyCode));
  int32_t code = 0;
  // The relay is active only when told to be (an HDMI-CEC device in control).
  return simk::Fails("xpm_relayhdmicecrcu", &code) ? code : 0;
}

void simtv_inject_event(uint32_t cookie, uint32_t event, const void* payload, uint32_t size) {
  MiddlewareEvent e = MakeEvent(cookie, event, payload, size);
  simk::Lock lock(simk::Mutex());
  M().pending.push_back(std::move(e));
  simk::Changed();
}

void simtv_wake_by_power_key(void) {
  const int32_t reasonPower = 1;
  MiddlewareEvent e = MakeEvent(0, XpmEvent::Wakeup, &reasonPower, sizeof reasonPower);
  {
    simk::Lock lock(simk::Mutex());
    if (!simtv::PeriodEnds()) {
      M().pending.push_back(std::move(e));
      simk::Changed();
      return;
    }
    M().heldWakeup = std::move(e);
  }
  simtv_wake();
}

int simtv_event_clients(void) {
  simk::Lock lock(simk::Mutex());
  return int(M().clients.size());
}

int simtv_watchdog_armed(void) {
  simk::Lock lock(simk::Mutex());
  return M().watchdogArmed ? 1 : 0;
}

int64_t simtv_watchdog_left_ms(void) {
  simk::Lock lock(simk::Mutex());
  if (!M().watchdogArmed) return -1;
  return int64_t(M().watchdogExpiry) - int64_t(simk::NowMs());
}

}  // extern "C"
