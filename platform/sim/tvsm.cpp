#include "tvsm.h"

#include <deque>
#include <vector>

#include "simkernel.h"
#include "simtv.h"
#include "simvalues.h"

namespace {

enum class Action { Command, OsdState, Standby, Wake, Shutdown };

struct Pending {
  Action action;
  uint32_t command = 0;
  std::vector<unsigned char> payload;
  int32_t state = 0;
  bool hasPayload = false;
};

// Everything below is guarded by the kernel lock.
struct StateManager {
  std::deque<Pending> pending;
  TVSM_CommandCallback commandCallback = nullptr;
  void* commandContext = nullptr;
  TVSM_OsdStateCallback osdCallback = nullptr;
  void* osdContext = nullptr;
  bool powerOn = true;
  bool periodEnded = false;
  bool shutdown = false;
};

StateManager& S() {
  static StateManager& s = *new StateManager;
  return s;
}

void Enqueue(Pending p) {
  simk::Lock lock(simk::Mutex());
  S().pending.push_back(std::move(p));
  simk::Changed();
}

// The state manager's own thread: it calls the program's callbacks in the
// order the control asked for them, as the platform does from its process.
void StateManagerThread() {
  simk::Lock lock(simk::Mutex());
  std::function<bool()> ready = [] { return !S().pending.empty(); };
  for (;;) {
    simk::Wait(lock, ready, simk::kNoDeadline);
    Pending p = std::move(S().pending.front());
    S().pending.pop_front();
    switch (p.action) {
      case Action::Command: {
        TVSM_CommandCallback callback = S().commandCallback;
        void* context = S().commandContext;
        lock.unlock();
        if (callback) callback(context, p.command, p.hasPayload ? p.payload.data() : nullptr, uint32_t(p.payload.size()));
        lock.lock();
        break;
      }
      case Action::OsdState: {
        TVSM_OsdStateCallback callback = S().osdCallback;
        void* context = S().osdContext;
        lock.unlock();
        if (callback) callback(context, p.state);
        lock.lock();
        break;
      }
      case Action::Standby:
        S().powerOn = false;
        S().periodEnded = true;
        simk::Changed();
        break;
      case Action::Wake:
        S().powerOn = true;
        simk::Changed();
        break;
      case Action::Shutdown:
        S().shutdown = true;
        simk::Changed();
        break;
    }
  }
}

}  // namespace

void SimStartStateManager() { simk::StartThread("simtv_tvsm", StateManagerThread); }

extern "C" {

int32_t TVSM_Standby(void) {
  simk::Record("TVSM_Standby");
  simk::Lock lock(simk::Mutex());
  std::function<bool()> ready = [] { return S().powerOn || S().shutdown; };
  simk::Wait(lock, ready, simk::kNoDeadline);
  if (S().shutdown) return 0;
  // A standby that came and went before this period began is over: only a
  // standby within the period ends it.
  S().periodEnded = false;
  return 1;
}

int32_t TVSM_WaitForStandby(void) {
  simk::Record("TVSM_WaitForStandby");
  simk::Lock lock(simk::Mutex());
  std::function<bool()> ready = [] { return S().periodEnded || S().shutdown; };
  simk::Wait(lock, ready, simk::kNoDeadline);
  S().periodEnded = false;
  return 0;
}

int32_t TVSM_RegisterProcessCommandCallback(void* context, int32_t flag, TVSM_CommandCallback callback) {
  simk::Record("TVSM_RegisterProcessCommandCallback", simk::CallArgs{}.Ptr().Int(flag).Ptr());
  simk::Lock lock(simk::Mutex());
  S().commandCallback = callback;
  S().commandContext = context;
  return 0;
}

int32_t TVSM_RegisterKeyReceivedCallback(void* context, int32_t flag, TVSM_KeyReceivedCallback callback) {
  (void)context;
  (void)callback;
  simk::Record("TVSM_RegisterKeyReceivedCallback", simk::CallArgs{}.Ptr().Int(flag).Ptr());
  return 0;
}

int32_t TVSM_RegisterOsdStateCallback(void* context, int32_t flag, TVSM_OsdStateCallback callback) {
  simk::Record("TVSM_RegisterOsdStateCallback", simk::CallArgs{}.Ptr().Int(flag).Ptr());
  simk::Lock lock(simk::Mutex());
  S().osdCallback = callback;
  S().osdContext = context;
  return 0;
}

int32_t TVSM_RegisterWindowID(int32_t kind, uint32_t windowId) {
  simk::Record("TVSM_RegisterWindowID", simk::CallArgs{}.Int(kind).Int(windowId));
  simtv::SetValue("window_id", int32_t(windowId));
  return 0;
}

int32_t TVSM_ReportAsyncEvent(int32_t kind, int32_t code, const void* data, uint32_t size) {
  simk::Record("TVSM_ReportAsyncEvent", simk::CallArgs{}.Int(kind).Int(code).Words(data, size).Int(size));
  int32_t failure = 0;
  if (simk::Fails("TVSM_ReportAsyncEvent", &failure)) return failure;
  if (kind == 1) simtv::AsyncReport(code, data, size);
  return 0;
}

int32_t TVSM_GetLaunchedAppId(int32_t* id) {
  simk::Record("TVSM_GetLaunchedAppId");
  int32_t app = simtv::Value("launched_app");
  if (!id || app < 0) return 0;
  *id = app;
  return 1;
}

void simtv_inject_command(uint32_t command, const void* payload, uint32_t size) {
  Pending p{Action::Command};
  p.command = command;
  if (payload && size) {
    auto* bytes = static_cast<const unsigned char*>(payload);
    p.payload.assign(bytes, bytes + size);
    p.hasPayload = true;
  }
  Enqueue(std::move(p));
}

void simtv_inject_osd_state(int32_t state) {
  Pending p{Action::OsdState};
  p.state = state;
  Enqueue(std::move(p));
}

void simtv_standby(void) {
  simtv_inject_command(TvsmCommand::Stop, nullptr, 0);
  Enqueue(Pending{Action::Standby});
}

void simtv_wake(void) { Enqueue(Pending{Action::Wake}); }

void simtv_shutdown(void) {
  bool on;
  {
    simk::Lock lock(simk::Mutex());
    on = S().powerOn;
  }
  if (on) simtv_standby();
  Enqueue(Pending{Action::Shutdown});
}

}  // extern "C"
