#include "simtv.h"

#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "bkni.h"
#include "ossem.h"
#include "simkernel.h"
#include "simvalues.h"

namespace simtv {
namespace {

std::map<std::string, int32_t> FreshValues() {
  return {
      {"factory_mode", 0},     {"current_source", 1}, {"back2tv_source", -1}, {"launched_app", -1},
      {"ext_source", 20},      {"multimedia_source", 21}, {"standby_mode", 0},  {"osd_state", 0},
      {"caption_state", 1},    {"window_id", 0},          {"sub_source", -1},
  };
}

struct Values {
  simk::StateMutex mutex;
  std::map<std::string, int32_t> values = FreshValues();
};

Values& V() {
  static Values& values = *new Values;
  return values;
}

std::atomic<simtv_key_target> g_keyTarget{nullptr};

}  // namespace

int32_t Value(const char* name) {
  std::lock_guard guard(V().mutex);
  auto it = V().values.find(name);
  return it == V().values.end() ? 0 : it->second;
}

void SetValue(const char* name, int32_t value) {
  std::lock_guard guard(V().mutex);
  V().values[name] = value;
}

void ResetValues() {
  std::lock_guard guard(V().mutex);
  V().values = FreshValues();
}

}  // namespace simtv

// Started by the middleware's and the state manager's sources.
void SimStartMiddleware();
void SimStartStateManager();
void SimStartWatchdog();
void SimStartAnswers();

namespace {

// BKNI_Sleep on the virtual clock: a sleeper of the set, or a driving thread
// moving the clock past its own sleep.
void KernelSleep(unsigned int milliseconds) {
  simk::Record("BKNI_Sleep", simk::CallArgs{}.Int(milliseconds));
  simk::Lock lock(simk::Mutex());
  std::function<bool()> never = [] { return false; };
  simk::Wait(lock, never, simk::DeadlineAfter(milliseconds));
}

// The set's keys are the only window events the GUI reads: its input driver
// puts them in the buffer (simtv_inject_key). DirectFB reports the window's
// own changes besides (the pointer entering it, its place and size once it
// shows, an update after every flip) from a thread of its own, at a moment
// of the machine's choosing and off the set's clock: one that came after the
// GUI loop began to wait would wake it whenever the set next looked, and
// shift every turn after by the machine's speed. The set's buffer never
// keeps them: whether the buffer holds an event is decided on the first that
// is not one, so a report that comes meanwhile cannot change the answer.
bool HoldsEventForTheGui(IDirectFBEventBuffer* buffer) {
  DFBEvent event;
  while (buffer->PeekEvent(buffer, &event) == DFB_OK) {
    if (event.clazz != DFEC_WINDOW || event.window.type == DWET_KEYDOWN || event.window.type == DWET_KEYUP)
      return true;
    buffer->GetEvent(buffer, &event);
  }
  return false;
}

}  // namespace

// A held key repeats as the remote's input driver repeats it: a fresh key
// down after the delay, then one each period, until it is let go.
namespace {

constexpr uint32_t kRepeatDelayMs = 500;
constexpr uint32_t kRepeatPeriodMs = 100;

struct HeldKeys {
  simk::StateMutex mutex;
  std::map<uint32_t, uint64_t> repeats;  // key code: its pending repeat
};

HeldKeys& Held() {
  static HeldKeys& held = *new HeldKeys;
  return held;
}

void RepeatHeldKey(uint32_t keyCode) {
  HeldKeys& held = Held();
  std::lock_guard guard(held.mutex);
  auto it = held.repeats.find(keyCode);
  if (it == held.repeats.end()) return;
  simtv_inject_key(keyCode, 1, 0);
  it->second = simtv::AnswerLater(kRepeatPeriodMs, [keyCode] { RepeatHeldKey(keyCode); });
}

}  // namespace

extern "C" {

void simtv_boot(int virtualClock, int bootThreadIsSet) {
  if (simk::IsBooted()) return;
  simk::Boot(virtualClock != 0, bootThreadIsSet != 0);
  g_dorn_mutex = OS_SemCreate(1);
  if (virtualClock) simtv_bkni_set_sleep_handler(&KernelSleep);
  SimStartMiddleware();
  SimStartStateManager();
  SimStartWatchdog();
  SimStartAnswers();
}

int simtv_set_value(const char* name, int32_t value) {
  if (!name) return -1;
  std::lock_guard guard(simtv::V().mutex);
  auto it = simtv::V().values.find(name);
  if (it == simtv::V().values.end()) return -1;
  it->second = value;
  return 0;
}

int simtv_get_value(const char* name, int32_t* value) {
  if (!name || !value) return -1;
  std::lock_guard guard(simtv::V().mutex);
  auto it = simtv::V().values.find(name);
  if (it == simtv::V().values.end()) return -1;
  *value = it->second;
  return 0;
}

DFBResult simtv_wait_event_buffer(IDirectFBEventBuffer* buffer, int32_t ms) {
  if (!buffer) return DFB_INVARG;
  simk::Lock lock(simk::Mutex());
  std::function<bool()> ready = [buffer] { return HoldsEventForTheGui(buffer); };
  return simk::Wait(lock, ready, simk::DeadlineAfter(ms)) ? DFB_OK : DFB_TIMEOUT;
}

void simtv_set_key_target(simtv_key_target target) { simtv::g_keyTarget.store(target); }

int simtv_inject_key(uint32_t keyCode, int down, uint32_t ageMs) {
  simtv_key_target target = simtv::g_keyTarget.load();
  IDirectFBEventBuffer* buffer = target ? target() : nullptr;
  if (!buffer) return -1;
  DFBWindowEvent event;
  std::memset(&event, 0, sizeof event);
  event.clazz = DFEC_WINDOW;
  event.type = down ? DWET_KEYDOWN : DWET_KEYUP;
  event.window_id = DFBWindowID(simtv::Value("window_id"));
  event.key_code = int(keyCode);
  event.key_id = DIKI_UNKNOWN;
  event.key_symbol = DIKS_NULL;
  timeval now;
  simtv_gettimeofday(&now);
  int64_t us = int64_t(now.tv_sec) * 1000000 + now.tv_usec - int64_t(ageMs) * 1000;
  event.timestamp.tv_sec = time_t(us / 1000000);
  event.timestamp.tv_usec = suseconds_t(us % 1000000);
  DFBResult result = buffer->PostEvent(buffer, DFB_EVENT(&event));
  simk::Lock lock(simk::Mutex());
  simk::Changed();
  return result == DFB_OK ? 0 : -1;
}

int simtv_press_key(uint32_t keyCode) {
  HeldKeys& held = Held();
  std::lock_guard guard(held.mutex);
  if (held.repeats.count(keyCode)) return 0;
  if (simtv_inject_key(keyCode, 1, 0) != 0) return -1;
  held.repeats[keyCode] = simtv::AnswerLater(kRepeatDelayMs, [keyCode] { RepeatHeldKey(keyCode); });
  return 0;
}

int simtv_release_key(uint32_t keyCode) {
  HeldKeys& held = Held();
  std::lock_guard guard(held.mutex);
  auto it = held.repeats.find(keyCode);
  if (it != held.repeats.end()) {
    simtv::WithdrawAnswer(it->second);
    held.repeats.erase(it);
  }
  return simtv_inject_key(keyCode, 0, 0);
}

int simtv_key_held(uint32_t keyCode) {
  HeldKeys& held = Held();
  std::lock_guard guard(held.mutex);
  return held.repeats.count(keyCode) ? 1 : 0;
}

}  // extern "C"
