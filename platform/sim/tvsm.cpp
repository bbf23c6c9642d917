#include "tvsm.h"

#include <algorithm>
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
  simk::Handover edge;
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

// A callback runs ordered after the thread that asked for it; a standby or a
// wake orders the program's wait for it after whoever asked for it.
void Enqueue(Pending p) {
  if (p.action == Action::Command || p.action == Action::OsdState) {
    p.edge.Give();
  } else {
    simk::Release(&S());
  }
  simk::Lock lock(simk::Mutex());
  S().pending.push_back(std::move(p));
  simk::Changed();
}

Pending NextAction() {
  simk::Lock lock(simk::Mutex());
  std::function<bool()> ready = [] { return !S().pending.empty(); };
  simk::Wait(lock, ready, simk::kNoDeadline);
  Pending p = std::move(S().pending.front());
  S().pending.pop_front();
  return p;
}

// The state manager's own thread: it calls the program's callbacks in the
// order the control asked for them, as the platform does from its process,
// out of the kernel's lock, which guards only its state.
void StateManagerThread() {
  for (;;) {
    Pending p = NextAction();
    switch (p.action) {
      case Action::Command: {
        TVSM_CommandCallback callback = nullptr;
        void* context = nullptr;
        {
          simk::Lock lock(simk::Mutex());
          callback = S().commandCallback;
          context = S().commandContext;
        }
        p.edge.Take();
        if (callback) callback(context, p.command, p.hasPayload ? p.payload.data() : nullptr, uint32_t(p.payload.size()));
        break;
      }
      case Action::OsdState: {
        TVSM_OsdStateCallback callback = nullptr;
        void* context = nullptr;
        {
          simk::Lock lock(simk::Mutex());
          callback = S().osdCallback;
          context = S().osdContext;
        }
        p.edge.Take();
        if (callback) callback(context, p.state);
        break;
      }
      case Action::Standby:
      case Action::Wake:
      case Action::Shutdown: {
        simk::Lock lock(simk::Mutex());
        if (p.action == Action::Standby) {
          S().powerOn = false;
          S().periodEnded = true;
        } else if (p.action == Action::Wake) {
          S().powerOn = true;
        } else {
          S().shutdown = true;
        }
        simk::Changed();
        break;
      }
    }
  }
}

}  // namespace

void SimStartStateManager() { simk::StartThread("simtv_tvsm", StateManagerThread); }

namespace simtv {

bool PeriodEnds() {
  if (!S().powerOn) return true;
  return std::any_of(S().pending.begin(), S().pending.end(),
                     [](const Pending& p) { return p.action == Action::Standby; });
}

}  // namespace simtv

extern "C" {

int32_t TVSM_Standby(void) {
  simk::Record("TVSM_Standby");
  bool shutdown = false;
  {
    simk::Lock lock(simk::Mutex());
    std::function<bool()> ready = [] { return S().powerOn || S().shutdown; };
    simk::Wait(lock, ready, simk::kNoDeadline);
    shutdown = S().shutdown;
    // A standby that came and went before this period began is over: only a
    // standby within the period ends it.
    if (!shutdown) S().periodEnded = false;
  }
  simk::Acquire(&S());
  return shutdown ? 0 : 1;
}

int32_t TVSM_WaitForStandby(void) {
  simk::Record("TVSM_WaitForStandby");
  {
    simk::Lock lock(simk::Mutex());
    std::function<bool()> ready = [] { return S().periodEnded || S().shutdown; };
    simk::Wait(lock, ready, simk::kNoDeadline);
    S().periodEnded = false;
  }
  simk::Acquire(&S());
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

int simtv_set_on(void) {
  simk::Lock lock(simk::Mutex());
  return simtv::PeriodEnds() ? 0 : 1;
}

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
