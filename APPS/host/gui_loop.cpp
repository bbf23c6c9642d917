#include "gui_loop.h"

#include <malloc.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Agent/MessageAgent.h"
#include "Core/Event.h"
#include "Fonts/Fonts.h"
#include "GenFont.h"
#include "MainApp/Root.h"
#include "PersistentData.h"
#include "Primitives/MessageDelivery.h"
#include "agents.h"
#include "bkni.h"
#include "event_bridge.h"
#include "gcm.h"
#include "mplcore.h"
#include "oam.h"
#include "ossem.h"
#include "process.h"
#include "tvsm.h"
#include "vgslot.h"
#include "vgtimer.h"
#include "update.h"
#include "xpm.h"

GuiAppSurf App_Surf{};
GuiGfxInfo App_GFX_Info{&App_Surf, nullptr};
GuiClip clip{};
std::atomic<IDirectFBEventBuffer*> buffer{nullptr};
std::atomic<XObject*> rootObject{nullptr};
std::atomic<int32_t> update_time{0};

namespace {

// The render-client handle of the compositor; nothing in the program sets it.
constexpr uint32_t App_GFX_Handle = 0;
int32_t First_Blit = 0;

// Collecting after every dispatched event makes a reference that no field
// holds fail at once instead of some turns later.
const bool g_gcStress = [] {
  const char* stress = std::getenv("VG_GC_STRESS");
  return stress && std::strcmp(stress, "1") == 0;
}();

std::string g_fontFile;
std::span<const uint8_t> g_fontCopy;
std::atomic<int32_t> g_fontStatus{GuiFontPending};
std::atomic<void (*)(int32_t)> g_fontFailure{nullptr};

// Failed takes of the GUI lock in a row, for the back-off.
int32_t g_lockFailures = 0;

// The period whose loop runs on the GUI thread; threads that post work for
// the loop read it too.
std::atomic<AppPeriod*> g_loopPeriod{nullptr};

bool LoopRunning() {
  AppPeriod* period = g_loopPeriod.load();
  return period && period->vgRunning.load() != 0;
}

// The GUI thread's next period, handed over by GuiRunPeriod; it is woken by
// the event, made with the thread.
std::atomic<AppPeriod*> g_nextPeriod{nullptr};
std::atomic<bool> g_guiThreadEnds{false};
std::atomic<bool> g_guiThreadStarted{false};
BKNI_EventHandle g_guiWake = nullptr;

// Null when the thread is to end.
AppPeriod* TakeNextPeriod() {
  for (;;) {
    if (AppPeriod* period = g_nextPeriod.exchange(nullptr)) return period;
    if (g_guiThreadEnds.load()) return nullptr;
    BKNI_WaitForEvent(g_guiWake, BKNI_INFINITE);
  }
}

MainApp::Root* AsMainAppRoot(XObject* root) { return static_cast<MainApp::Root*>(root); }

const GuiRootOps kMainAppRoot{
    &MainApp::Root::Class,
    [](XObject* root, int32_t width, int32_t height) { AsMainAppRoot(root)->Initialize(width, height); },
    [](XObject* root, XObject* event) { return AsMainAppRoot(root)->DispatchEvent(static_cast<Core::Event*>(event)); },
    [](XObject* root) { return AsMainAppRoot(root)->Update(); },
    [](XObject* root) { return AsMainAppRoot(root)->Canvas(); },
    [](XObject* root) { return MainAppRoot_HasUIOnScreen(AsMainAppRoot(root)); },
    [](XObject* root) { return MainAppRoot_IsAnimationActive(AsMainAppRoot(root)); },
    [](XObject* root, int32_t state) { return MainAppRoot_SetTV101State(AsMainAppRoot(root), state); },
};

std::atomic<const GuiRootOps*> g_rootOps{&kMainAppRoot};

// A lock that keeps failing would make the loop spin on the failed take: wait
// longer after each failure in a row, up to a second, and say so now and then.
bool LockFailed() {
  if (!LoopRunning()) return false;
  ++g_lockFailures;
  const int32_t shift = g_lockFailures > 7 ? 7 : g_lockFailures - 1;
  const int32_t delay = std::min(10 << shift, 1000);
  if ((g_lockFailures & (g_lockFailures - 1)) == 0)
    std::printf("vg_task: the GUI lock failed %d times in a row, retrying in %d ms\n", g_lockFailures, delay);
  BKNI_Sleep(unsigned(delay));
  return true;
}

void SyncOsdState(XObject* root) {
  int32_t osd = 0;
  XPM_GetOsdState(&osd);
  const int32_t shown = GuiRoot().hasUIOnScreen(root) ? 1 : 0;
  if (shown != osd) XPM_SetOsdState(shown);
}

// Surfaces kept for the frames of an animation serve no still screen: they
// go once the loop is about to wait with nothing to draw. The pages of the
// heap that closed screens left free between blocks still in use (the
// allocator gives back only what is free at its top) go once the set has
// stood idle for a whole wait: while keys come, the next screen would only
// fault them in again.
void LetGoOfSpareMemory() {
  IDirectFBEventBuffer* events = buffer.load();
  if (events && events->HasEvent(events) == DFB_OK) return;
  GenReleaseSpareSurfaces();
  if (LastWaitTimedOut()) malloc_trim(0);
}

void WaitAndDispatch(XObject* root) {
  if (GuiRoot().isAnimationActive(root) || VgAnyPendingSignals()) {
    int32_t expected = lastNotified.load();
    if (expected == 0 || expected == 2) lastNotified = 1;
    handleEvent(10);
    return;
  }
  LetGoOfSpareMemory();
  if (VgAnyTimerEnabled()) {
    handleCC();
    // At most half a second, but no longer than the next timer is due: a
    // time-out then closes its screen when it expires, not up to 500 ms later.
    handleEvent(std::clamp(VgNextTimerExpiration(), 0, 500));
    update_time = 1;
  } else {
    handleCC();
    handleEvent(1000);
  }
}

}  // namespace

bool GuiLoopRunning() { return LoopRunning(); }

bool GuiRunPeriod(AppPeriod* period) {
  if (!period && !g_guiThreadStarted.load()) return true;
  if (!g_guiThreadStarted.load()) {
    if (!g_guiWake && BKNI_CreateEvent(&g_guiWake) != BKNI_SUCCESS) return false;
    if (MPLCore_ThreadCreateNamed("vg_task", vg_task, nullptr, 70) == 0) return false;
    g_guiThreadStarted = true;
  }
  if (period) {
    g_nextPeriod = period;
  } else {
    g_guiThreadEnds = true;
  }
  BKNI_SetEvent(g_guiWake);
  return true;
}

void GuiUseFontFile(const std::string& path, std::span<const uint8_t> copy) {
  g_fontFile = path;
  g_fontCopy = copy;
}
int32_t GuiFontStatus() { return g_fontStatus.load(); }
void GuiOnFontFailure(void (*handler)(int32_t error)) { g_fontFailure = handler; }

void GuiUseRootOps(const GuiRootOps* ops) { g_rootOps.store(ops ? ops : &kMainAppRoot); }
const GuiRootOps& GuiRoot() { return *g_rootOps.load(); }

extern "C" {

int32_t AcquirePslDornSem(void) {
  if (!g_dorn_mutex) return 1;
  int32_t result = OS_SemTakeTrack(g_dorn_mutex, -1, "gui_loop.cpp", 162);
  if (result == 0) return 1;
  std::printf("AcquirePslDornSem: taking the GUI lock (g_dorn_mutex) failed with %d\n", result);
  return 0;
}

int32_t ReleasePslDornSem(void) {
  if (!g_dorn_mutex) return 1;
  int32_t result = OS_SemGive(g_dorn_mutex);
  if (result == 0) {
    usleep(1);
    return 1;
  }
  std::printf("ReleasePslDornSem: giving back the GUI lock (g_dorn_mutex) failed with %d\n", result);
  return 0;
}

void DispatchEvent(XObject* event) {
  if (g_IsPowerOn.load() == 0) return;
  XObject* root = rootObject.load();
  if (!root || !event) return;
  GuiRoot().dispatchEvent(root, event);
  if (g_gcStress) VgReclaimMemory();
}

void BroadcastEvent(XObject* event) {
  if (g_IsPowerOn.load() == 0) return;
  auto* root = vg_cast<Core::Group>(rootObject.load());
  auto* broadcast = vg_cast<Core::Event>(event);
  if (!root || !broadcast) return;
  CoreGroup__Broadcast(root, broadcast);
  if (g_gcStress) VgReclaimMemory();
}

void UpdateRoot(XObject* root) {
  if (!root) return;
  IDirectFBSurface* surface = App_Surf.surface;
  if (!First_Blit) {
    if (surface) {
      surface->Clear(surface, 0, 0, 0, 0);
      surface->Flip(surface, nullptr, DSFLIP_NONE);
      GenForgetPlainArea(GuiRoot().canvas(root));
    }
    XPM_RenderClient(App_GFX_Handle, 2);
    First_Blit = 1;
  }
  BKNI_AcquireMutex(App_GFX_Info.mutex);
  VgRect area = GuiRoot().update(root);
  if (!VgIsRectEmpty(area)) {
    if (area.y1 > 0) area.y1 -= 1;
    if (area.y2 < App_Surf.height) area.y2 += 1;
    clip = GuiClip{int16_t(area.x1), int16_t(area.y1), int16_t(area.x2 - area.x1), int16_t(area.y2 - area.y1), 0};
    App_Surf.x = area.x1;
    App_Surf.y = area.y1;
    App_Surf.pendingFlip = 1;
  }
  BKNI_ReleaseMutex(App_GFX_Info.mutex);
  if (App_Surf.pendingFlip) {
    // DirectFB's regions include their last row and column.
    if (surface) {
      const DFBRegion region{clip.x, clip.y, clip.x + clip.width - 1, clip.y + clip.height - 1};
      surface->Flip(surface, &region, DSFLIP_NONE);
    }
    App_Surf.pendingFlip = 0;
    XPM_RenderClient(App_GFX_Handle, 1);
  }
}

void RequestRefresh(void) { UpdateRoot(rootObject.load()); }

void handleCC(void) {
  XObject* root = rootObject.load();
  if (root && GuiRoot().hasUIOnScreen(root)) {
    int32_t state = lastNotified.load();
    if (state == 2 || state == 0) lastNotified = 1;
    XPM_EnableCaptionRender(0);
  } else {
    int32_t expected = 1;
    lastNotified.compare_exchange_strong(expected, 0);
    if (g_suspendCCRendering.load() == 0) XPM_EnableCaptionRender(1);
  }
}

void vg_task(void* argument) {
  (void)argument;
  while (AppPeriod* period = TakeNextPeriod()) {
    GuiLoopStart(period);
    while (GuiLoopTurn()) {
    }
    GuiLoopEnd();
    PeriodThreadEnded(period);
  }
}

}  // extern "C"

void GuiLoopStart(AppPeriod* period) {
  std::fprintf(stderr, "(APP:vg_task: Started)\n");
  // Each release of the GUI lock sleeps a microsecond so that the middleware
  // can take it; the kernel's default timer slack would stretch each such
  // sleep to some 50 microseconds more, three times a turn.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  g_loopPeriod = period;
  bInited = 1;
  gTVProcessKeysandEvents = 1;
  g_lockFailures = 0;
  First_Blit = 0;

  IDirectFBEventBuffer* events = buffer.load();
  if (!events && (!g_dfb || g_dfb->CreateEventBuffer(g_dfb, &events) != DFB_OK)) {
    std::printf("vg_task: no DirectFB event buffer: keys and events cannot reach the GUI\n");
    events = nullptr;
  }
  buffer = events;

  // The middleware's thread may post events as soon as the subscription
  // stands; the GUI thread handles them with the table's host already set.
  InstallEventTableHost();
  XPM_SubscribeEventClient(xpmEventCallback, nullptr);
  UBN_SetResultCallback(updateResultCallback, nullptr);
  XPM_Init();
  GenInitGlyphCache(20000);
  // The set's one font file is its screen font, whatever family its maker
  // named in it: registered under the face the screens ask for, another
  // family's font is drawn with, not left unfound with no text drawn.
  if (!g_fontCopy.empty()) {
    g_fontStatus = GenRegisterFontMemory(g_fontCopy.data(), static_cast<uint32_t>(g_fontCopy.size()),
                                         g_fontFile.c_str(), Fonts::FaceName);
  } else if (!g_fontFile.empty()) {
    g_fontStatus = GenRegisterFont(g_fontFile.c_str(), Fonts::FaceName);
  } else {
    char* directory = static_cast<char*>(std::malloc(192));
    char* fontPath = static_cast<char*>(std::malloc(256));
    int32_t status = FS_ERR_FILE;
    if (directory && fontPath && getcwd(directory, 192)) {
      std::snprintf(fontPath, 256, "%s%s", directory, "/fonts/tt7268m_803.ttf");
      status = GenRegisterFont(fontPath, Fonts::FaceName);
    }
    std::free(directory);
    std::free(fontPath);
    g_fontStatus = status;
  }
  if (const int32_t status = g_fontStatus.load(); status != FS_SUCCESS)
    if (void (*failed)(int32_t) = g_fontFailure.load()) failed(status);

  // Screens register with the message agent as the root builds them; the
  // agent hands them messages through the key-routing forms and groups.
  Agent::SetMessageDelivery(&Primitives::DeliverMessage);
  const GuiRootOps& ops = GuiRoot();
  XObject* root = VgNewObjectIndirect(ops.rootClass, 0);
  rootObject = root;
  VgLockObject(root);
  ops.initialize(root, GuiScreenWidth, GuiScreenHeight);

  GenBitmap* canvas = ops.canvas(root);
  App_Surf = GuiAppSurf{GuiScreenWidth, GuiScreenHeight, 0, 0, canvas ? canvas->surface : nullptr, &clip, 0};
  App_GFX_Info.surf = &App_Surf;
  if (!App_GFX_Info.mutex) BKNI_CreateMutex(&App_GFX_Info.mutex);

  if (MoskMainWindow && events) {
    MoskMainWindow->AttachEventBuffer(MoskMainWindow, events);
    DFBWindowID id = 0;
    if (MoskMainWindow->GetID(MoskMainWindow, &id) == DFB_OK) TVSM_RegisterWindowID(1, id);
  } else {
    std::printf("\n   %s:%d Can not create event buffer on  MoskMainWindow!!!!! \n\n", "InitDisplay", 669);
  }

  ops.setTV101State(root, 1);
  oam_dbg_init();
  // The monitor runs for the life of the process: one a period would pile up.
  static std::atomic<bool> monitorStarted{false};
  if (!monitorStarted.exchange(true)) MPLCore_ThreadCreateNamed("app_monitor_task", app_monitor_task, nullptr, 20);
  std::printf("\033[1;31m EP936 ON Start\033[0m\n");
  Turn_On_EP936();
  std::printf("\033[1;31m EP936 End Start\033[0m\n");
}

bool GuiLoopTurn() {
  XObject* root = rootObject.load();
  if (!AcquirePslDornSem()) return LockFailed();
  SyncOsdState(root);
  ReleasePslDornSem();

  if (!AcquirePslDornSem()) return LockFailed();
  // The settings that this turn changes are written once, after its frame
  // is flipped and before the turn ends.
  PersistentData::PersistentData::HoldSaves();
  WaitAndDispatch(root);
  ReleasePslDornSem();

  if (!AcquirePslDornSem()) return LockFailed();
  VgProcessTimers();
  VgProcessSignals();
  UpdateRoot(root);
  PersistentData::PersistentData::WriteHeldSaves();
  VgReclaimMemory();
  ReleasePslDornSem();

  g_lockFailures = 0;
  return LoopRunning();
}

void GuiLoopEnd() {
  // The root and the screens go as every GUI object goes, under the GUI lock:
  // another thread that holds it may be reading them. A lock that fails
  // leaves them to go all the same.
  const bool locked = AcquirePslDornSem() != 0;
  PersistentData::PersistentData::WriteHeldSaves();
  // The buffer outlives the period's window; attached, it would keep the
  // window alive.
  IDirectFBEventBuffer* events = buffer.load();
  if (MoskMainWindow && events) MoskMainWindow->DetachEventBuffer(MoskMainWindow, events);
  XObject* root = rootObject.exchange(nullptr);
  if (root) VgUnlockObject(root);
  VgReclaimMemory();
  App_Surf.surface = nullptr;
  GenDoneGlyphCache();
  if (locked) ReleasePslDornSem();
  std::fprintf(stderr, "(APP:vg_task: Stopped)\n");
  std::printf("vg_task: the GUI loop has ended\n");
  g_loopPeriod = nullptr;
  TVSM_ReportAsyncEvent(1, TVSM_ASYNC_GUI_STOPPED, nullptr, 0);
}
