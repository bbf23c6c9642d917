#include "event_bridge.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Core/KeyEvent.h"
#include "Events/XPM_EVENT_FACTORY_COMMAND.h"
#include "Events/XPM_EVENT_KEY.h"
#include "Events/XpmEventMap.h"
#include "FactorySystem/FactoryCommands.h"
#include "FactorySystem/LightSensorTask.h"
#include "FactorySystem/SmallMessage.h"
#include "Media/Exports.h"
#include "SkinBin/Wrapper.h"
#include "agents.h"
#include "bkni.h"
#include "bnrm.h"
#include "db.h"
#include "gui_loop.h"
#include "host_time.h"
#include "keymap.h"
#include "ntfy.h"
#include "oam.h"
#include "process.h"
#include "psl.h"
#include "tvsm.h"
#include "update.h"
#include "vgpayload.h"
#include "vgstring.h"
#include "xpm.h"
#include "xpm_events.h"

std::atomic<int32_t> gTVProcessKeysandEvents{0};
std::atomic<int32_t> gKeyEventFlushMarkerFound{1};

namespace {

// Set by the first enable that succeeds; nothing resets it.
std::atomic<int32_t> g_streamingEnabled{0};

// Read and written on the GUI thread only.
bool g_waitTimedOut = false;

void FreeRecord(XpmEventRecord* record) {
  if (!record) return;
  BKNI_Free(record->payload);
  BKNI_Free(record);
}

void ReportWords(int32_t code, uint32_t first, uint32_t second) {
  uint32_t words[2] = {first, second};
  TVSM_ReportAsyncEvent(1, code, words, sizeof words);
}

// Posts an internal event with a copy of the payload. The failure messages
// name the caller, as the flush marker's do.
bool PostInternal(uint32_t event, const void* payload, uint32_t size, const char* who, int line) {
  auto* record = static_cast<XpmEventRecord*>(BKNI_Malloc(sizeof(XpmEventRecord)));
  void* copy = nullptr;
  if (record && payload && size) {
    copy = BKNI_Malloc(size);
    if (copy) std::memcpy(copy, payload, size);
  }
  if (!record || (payload && size && !copy)) {
    std::printf("%s@%d:Out of memory\n", who, line);
    BKNI_Free(record);
    return false;
  }
  *record = XpmEventRecord{0, event, copy ? size : 0, copy};
  int32_t result = post_xpm_event(record);
  if (result != 0) {
    std::printf("%s: MPLCore_QueuePost = 0x%08X Failed\n", who, unsigned(result));
    FreeRecord(record);
    return false;
  }
  return true;
}

void PostFlushMarker() {
  auto* record = static_cast<XpmEventRecord*>(BKNI_Malloc(sizeof(XpmEventRecord)));
  if (!record) {
    std::printf("flush_event_key_queue: Out of memory\n");
    return;
  }
  *record = XpmEventRecord{0, XpmEvent::FlushMarker, 0, nullptr};
  int32_t result = post_xpm_event(record);
  if (result != 0) {
    std::printf("flush_event_key_queue: MPLCore_QueuePost = 0x%08X Failed\n", unsigned(result));
    FreeRecord(record);
  }
}

void SetRootTV101State(int32_t state) {
  if (XObject* root = rootObject.load()) GuiRoot().setTV101State(root, state);
}

void SuspendCaptions() {
  if (g_suspendCCRendering.load() == 0) {
    g_suspendCCRendering = 1;
    XPM_EnableCaptionRender(0);
  }
}

void ResumeCaptions() {
  if (g_suspendCCRendering.load() == 1) {
    if (lastNotified.load() == 0) XPM_EnableCaptionRender(1);
    g_suspendCCRendering = 0;
  }
}

void DisableStreaming() {
  gTVProcessKeysandEvents = 0;
  gKeyEventFlushMarkerFound = 0;
  PostFlushMarker();
  std::printf("\033[0;31m main(line:%d) -  received TVSM_COMMAND_DISABLE_STREAMING\033[0m\n", __LINE__);
  std::fflush(stdout);
  SetRootTV101State(0);
  int32_t source = 0;
  XPM_GetCurrentSource(0, &source);
  if (source != profile_agent_get_ext_source()) XPM_SetBack2TVSourceID(source);
  int32_t app = 0;
  const bool multimedia = TVSM_GetLaunchedAppId(&app) != 0 && app == 5;
  XPM_SetSource(0, multimedia ? profile_agent_get_multimedia_source() : profile_agent_get_ext_source());
  g_suspendCCRendering = 0;
  B_NRM_UnlockExclusiveResource(1);
  agent_standby_notify_tv101_state(0);
  const uint32_t state = 0;
  PostInternal(XpmEvent::TV101State, &state, sizeof state, "command_task", __LINE__);
}

void EnableStreaming() {
  int32_t locked = B_NRM_LockExclusiveResource(1, -1, 1);
  if (locked != 0) {
    ReportWords(TVSM_ASYNC_COMMAND_REPLY, 1, 0);
    if (locked != 1) {
      const uint32_t zero = 0;
      TVSM_ReportAsyncEvent(1, TVSM_ASYNC_ENABLE_REFUSED, &zero, sizeof zero);
    }
    return;
  }
  agent_standby_notify_tv101_state(1);
  gTVProcessKeysandEvents = 1;
  std::printf("\033[0;31m main(line:%d) -  received TVSM_COMMAND_ENABLE_STREAMING\033[0m\n", __LINE__);
  std::fflush(stdout);
  int32_t source = -1;
  XPM_GetBack2TVSourceID(&source);
  SetRootTV101State(1);
  if (source != -1 && agent_standby_get_standby_mode() != 2) {
    std::printf("\033[0;31m main(line:%d) -  XPM_SetSource to %d\033[0m\n", __LINE__, source);
    XPM_SetSource(0, source);
  }
  const uint32_t state = 1;
  PostInternal(XpmEvent::TV101State, &state, sizeof state, "command_task", __LINE__);
  ReportWords(TVSM_ASYNC_COMMAND_REPLY, 1, 0);
  g_streamingEnabled = 1;
}

void DroppedCommand(uint32_t command, uint32_t size) {
  std::printf("command_task: command %u with a payload of %u bytes is too short, dropped\n", command, size);
}

// The record of the internal event CommandApp: the kind, a 32-byte text and a 256-byte text.
constexpr uint32_t kAppRecordSize = 4 + 32 + 256;

// An empty user event: the GUI loop leaves its wait for it and handles nothing.
void WakeGuiLoop() {
  IDirectFBEventBuffer* target = buffer.load();
  if (!target) return;
  DFBUserEvent event;
  std::memset(&event, 0, sizeof event);
  event.clazz = DFEC_USER;
  target->PostEvent(target, DFB_EVENT(&event));
}

void ExecuteCommand(AppPeriod* period, const CommandRecord& record) {
  const VgPayloadReader payload(record.payload, record.size);
  switch (record.command) {
    case TvsmCommand::Stop:
      StopPeriod(period);
      break;
    case TvsmCommand::DisableStreaming:
      if (g_streamingEnabled.load()) DisableStreaming();
      ReportWords(TVSM_ASYNC_COMMAND_REPLY, 0, 0);
      break;
    case TvsmCommand::EnableStreaming:
      EnableStreaming();
      break;
    case TvsmCommand::OsdOfOtherProcess:
      if (!payload.Has(0, 4)) {
        DroppedCommand(record.command, record.size);
      } else if (payload.Word(0) == 1) {
        SuspendCaptions();
      } else {
        ResumeCaptions();
      }
      break;
    case TvsmCommand::CommandText: {
      if (!payload.Has(0, 512)) {
        DroppedCommand(record.command, record.size);
        break;
      }
      char text[256] = {};
      const std::string copy = payload.Text(0, 255);
      std::memcpy(text, copy.data(), copy.size());
      PostInternal(XpmEvent::CommandText, text, sizeof text, "command_task", __LINE__);
      break;
    }
    case TvsmCommand::YahooNotify:
      if (!payload.Has(0, 4)) {
        DroppedCommand(record.command, record.size);
        break;
      }
      PostInternal(payload.Word(0) == 1 ? XpmEvent::YahooOn : XpmEvent::YahooOff, nullptr, 0, "command_task", __LINE__);
      break;
    case TvsmCommand::CommandApp: {
      if (payload.Size() != 0 && !payload.Has(0, 1028)) {
        DroppedCommand(record.command, record.size);
        break;
      }
      const uint32_t kind = payload.Word(0);
      if (kind == 2) {
        uint8_t app[kAppRecordSize] = {};
        const std::string name = payload.Text(4, 31);
        const std::string argument = payload.Text(516, 255);
        std::memcpy(app, &kind, 4);
        std::memcpy(app + 4, name.data(), name.size());
        std::memcpy(app + 36, argument.data(), argument.size());
        PostInternal(XpmEvent::CommandApp, app, sizeof app, "command_task", __LINE__);
      } else {
        PostInternal(XpmEvent::CommandApp, nullptr, 0, "command_task", __LINE__);
      }
      break;
    }
    case TvsmCommand::Command16:
      PostInternal(XpmEvent::Command16, nullptr, 0, "command_task", __LINE__);
      break;
    case TvsmCommand::Command17:
      PostInternal(XpmEvent::Command17, nullptr, 0, "command_task", __LINE__);
      break;
    case TvsmCommand::RegisterTableChanged:
      PostInternal(XpmEvent::RegisterTableChanged, record.payload, record.size, "command_task", __LINE__);
      break;
    case TvsmCommand::ExternalAppStatus:
      PostInternal(XpmEvent::ExternalAppStatus, nullptr, 0, "command_task", __LINE__);
      break;
    default:
      break;
  }
}

// A user event of the type carrying data into the GUI thread's buffer; false
// when there is no buffer or it refused, the data then being the caller's.
bool PostUserEvent(unsigned int type, void* data) {
  IDirectFBEventBuffer* target = buffer.load();
  DFBUserEvent event;
  std::memset(&event, 0, sizeof event);
  event.clazz = DFEC_USER;
  event.type = type;
  event.data = data;
  return target && target->PostEvent(target, DFB_EVENT(&event)) == DFB_OK;
}

}  // namespace

extern "C" {

int32_t post_xpm_event(XpmEventRecord* record) { return PostUserEvent(0, record) ? 0 : 1; }

// Runs on the update service's thread.
void updateResultCallback(void*, int32_t result, int32_t value, const char* text) {
  auto* record = static_cast<UpdateResultRecord*>(BKNI_Malloc(sizeof(UpdateResultRecord)));
  if (!record) {
    std::printf("updateResultCallback: Out of memory, result %d lost\n", result);
    return;
  }
  std::memset(record, 0, sizeof *record);
  record->result = result;
  record->value = value;
  if (text) std::snprintf(record->text, sizeof record->text, "%s", text);
  if (!PostUserEvent(UpdateResultEventType, record)) {
    std::printf("updateResultCallback: result %d could not be posted\n", result);
    BKNI_Free(record);
  }
}

void pslNoticeCallback(void*, PslNotice* notice) {
  if (!PostUserEvent(PslNoticeEventType, notice)) {
    std::printf("pslNoticeCallback: a notice of kind %d could not be posted\n", notice ? notice->kind : 0);
    PslFreeNotice(notice);
  }
}

void xpmEventCallback(uint32_t cookie, uint32_t event, const void* payload, uint32_t size) {
  if (gTVProcessKeysandEvents.load() == 0 || event == XpmEvent::Ignored) return;
  const VgPayloadReader reader(payload, size);
  if (event == XpmEvent::NetworkStatus) {
    if (!reader.Has(0, 4)) return;
    switch (reader.Word(0)) {
      case 1: ReportWords(TVSM_ASYNC_NETWORK_STATUS, 0, 1); break;
      case 0: ReportWords(TVSM_ASYNC_NETWORK_STATUS, 0, 0); break;
      case 3: ReportWords(TVSM_ASYNC_NETWORK_STATUS, 1, 1); break;
      default: std::printf("\n\nNetwork Status is Unknown\n"); break;
    }
  }
  auto* record = static_cast<XpmEventRecord*>(BKNI_Malloc(sizeof(XpmEventRecord)));
  if (!record) {
    std::printf("xpmEventCallback: Out of memory\n");
    return;
  }
  *record = XpmEventRecord{cookie, XpmRenumberedEvent(event), 0, nullptr};
  if (payload && size) {
    record->payload = BKNI_Malloc(size);
    if (!record->payload) {
      std::printf("xpmEventCallback: Out of memory\n");
      FreeRecord(record);
      return;
    }
    std::memcpy(record->payload, payload, size);
    record->size = size;
  }
  int32_t result = post_xpm_event(record);
  if (result != 0) {
    std::printf("xpmEventCallback: MPLCore_QueuePost = 0x%08X Failed\n", unsigned(result));
    FreeRecord(record);
  }
}

void tvCommandCallback(void* context, uint32_t command, const void* payload, uint32_t size) {
  (void)context;
  auto* record = static_cast<CommandRecord*>(BKNI_Malloc(sizeof(CommandRecord)));
  if (!record) {
    std::printf("xpmCommandCallback: Out of memory\n");
    return;
  }
  *record = CommandRecord{command, 0, nullptr};
  if (payload && size) {
    record->payload = BKNI_Malloc(size);
    if (!record->payload) {
      std::printf("xpmCommandCallback: Out of memory\n");
      BKNI_Free(record);
      return;
    }
    std::memcpy(record->payload, payload, size);
    record->size = size;
  }
  int32_t result = MPLCore_QueuePost(command_queue_id.load(), &record);
  if (result != 0) {
    std::printf("xpmCommandCallback: MPLCore_QueuePost = 0x%08X Failed\n", unsigned(result));
    BKNI_Free(record->payload);
    BKNI_Free(record);
  }
}

void command_task(void* argument) {
  auto* period = static_cast<AppPeriod*>(argument);
  while (period->commandRunning.load()) {
    CommandRecord* record = nullptr;
    // An empty entry only wakes the task to look at its flag.
    if (MPLCore_QueueWait(period->commandQueue, &record, -1) == 0 && record) ExecuteCommand(period, *record);
    if (record) {
      BKNI_Free(record->payload);
      BKNI_Free(record);
    }
  }
  PeriodThreadEnded(period);
}

int32_t handleEvent(int32_t timeout) {
  IDirectFBEventBuffer* events = buffer.load();
  if (!events) return HandleEventDone;
  g_waitTimedOut = HostWaitForEvent(events, timeout < 0 ? -1 : timeout) != DFB_OK;
  if (g_waitTimedOut) return HandleEventDone;
  DFBEvent event;
  if (events->GetEvent(events, &event) != DFB_OK) return HandleEventDone;
  if (event.clazz == DFEC_WINDOW) return HandleWindowEvent(event.window);
  if (event.clazz == DFEC_USER && event.user.type == 0 && event.user.data) {
    auto* record = static_cast<XpmEventRecord*>(event.user.data);
    vg_xpmEventCallback(record->cookie, record->event, record->size, record->payload);
    FreeRecord(record);
  } else if (event.clazz == DFEC_USER && event.user.type == UpdateResultEventType && event.user.data) {
    auto* record = static_cast<UpdateResultRecord*>(event.user.data);
    vg_ubnResultCallback(record->result, record->value, record->text);
    BKNI_Free(record);
  } else if (event.clazz == DFEC_USER && event.user.type == PslNoticeEventType && event.user.data) {
    // The media bridge, offered every broadcast first, takes it.
    BroadcastEvent(MediaLibraryNotice__Create(static_cast<PslNotice*>(event.user.data)));
  } else if (event.clazz == DFEC_USER && event.user.type == GuiCallEventType && event.user.data) {
    auto* record = static_cast<GuiCallRecord*>(event.user.data);
    record->call(record->argument);
    BKNI_Free(record);
  }
  return HandleEventDone;
}

}  // extern "C"

bool LastWaitTimedOut() { return g_waitTimedOut; }

bool PostGuiCall(void (*call)(void* argument), void* argument) {
  if (!call || !GuiLoopRunning()) return false;
  auto* record = static_cast<GuiCallRecord*>(BKNI_Malloc(sizeof(GuiCallRecord)));
  if (!record) return false;
  *record = GuiCallRecord{call, argument};
  if (PostUserEvent(GuiCallEventType, record)) return true;
  BKNI_Free(record);
  return false;
}

void StopPeriod(AppPeriod* period) {
  if (!period || period->stopped.exchange(1)) return;
  XPM_UnsubscribeEventClient(xpmEventCallback, nullptr);
  UBN_SetResultCallback(nullptr, nullptr);
  XPM_Term();
  g_suspendCCRendering = 0;
  period->commandRunning = 0;
  period->vgRunning = 0;
  // The loop would otherwise finish a wait of up to a second first, and the
  // next period could not begin before it.
  WakeGuiLoop();
}

void DropQueuedCommands(MPLCore_QueueId queue) {
  CommandRecord* record = nullptr;
  while (MPLCore_QueueWait(queue, &record, 0) == 0) {
    if (!record) continue;
    BKNI_Free(record->payload);
    BKNI_Free(record);
    record = nullptr;
  }
}

void InstallEventTableHost() {
  VgXpmEventHost host;
  host.gTVProcessKeysandEvents = &gTVProcessKeysandEvents;
  host.gKeyEventFlushMarkerFound = &gKeyEventFlushMarkerFound;
  host.ctvInited = &ctvInited;
  host.g_IsPowerOn = &g_IsPowerOn;
  host.DispatchEvent = [](Core::Event* event) { DispatchEvent(event); };
  host.SetCtvEvent = [] { BKNI_SetEvent(g_ctv_event_id); };
  host.PslNetworkStatusChanged = [](uint16_t status) { PslNetworkStatusChanged(globalPsl, status); };
  PslSetNoticeSink(globalPsl, &pslNoticeCallback, nullptr);
  host.FactoryCommandProcess = [](const uint32_t* command, FactoryCommandResult* result) {
    FactoryCommandProcess(command, result);
  };
  FactoryCommands::InstallClock(&HostTimeOfDay);
  // The user's automatic brightness re-applies the room's light through the
  // light-sensor adjustment, which runs only once something starts it.
  SkinBin::Wrapper::LumetraForceApply = &XPM_Utility_Lumetra_ForceApply;
  VgInstallXpmEventHost(host);
}

int32_t HandleWindowEvent(const DFBWindowEvent& event) {
  if (event.type != DWET_KEYDOWN && event.type != DWET_KEYUP) return HandleEventDone;
  const int32_t keyCode = event.key_code;
  if (xpm_relayhdmicecrcu(0, uint32_t(keyCode)) != 0 && OAM_CEC_GetKeyType(uint32_t(keyCode)) == 2) return 0;
  if (keyCode == IgnoredKeyCode) return 0;
  if (event.type == DWET_KEYUP) return 0;

  // A key that waited behind a long turn acts late or piles up with repeats:
  // it is dropped. A time stamp ahead of the clock passes.
  timeval now;
  HostTimeOfDay(&now);
  int64_t seconds = int64_t(now.tv_sec) - int64_t(event.timestamp.tv_sec);
  int64_t micros = int64_t(now.tv_usec) - int64_t(event.timestamp.tv_usec);
  if (micros < 0) {
    micros += 1000000;
    seconds -= 1;
  }
  if (seconds >= 1 || (seconds == 0 && micros > 100000)) return 0;

  const int32_t code = GuiKeyCodeOf(keyCode);
  const char* frontPanelName = FrontPanelKeyName(keyCode);
  if (frontPanelName) {
    auto* command = VgNew<Events::XPM_EVENT_FACTORY_COMMAND>();
    command->Type = Events::XPM_EVENT_FACTORY_COMMAND::TypeMessage;
    command->Value = Events::XPM_EVENT_FACTORY_COMMAND::FrontPanelKeyMessage;
    command->ScreenClass = &FactorySystem::SmallMessage::Class;
    char name[8] = {};
    std::snprintf(name, sizeof name, "%s", frontPanelName);
    command->Text = VgNewStringAnsi(name);
    DispatchEvent(command);
    if (keyCode == FrontPanelMenuKeyCode) BKNI_Sleep(100);
  }
  // Made after the factory command's dispatch: nothing would keep it alive
  // through a collection in between.
  auto* key = VgNew<Events::XPM_EVENT_KEY>();
  key->FrontPanel = frontPanelName ? 1 : 0;
  CoreKeyEvent__Initialize(key, code, 1);
  DispatchEvent(key);
  return 0;
}
