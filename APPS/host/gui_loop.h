// The GUI thread: its start-up, the three-phase turn of its loop under the
// GUI lock, the redraw of the root, and the dispatch of every event the host
// makes. Only this thread creates, changes or frees GUI objects.
#pragma once

#include <directfb.h>

#include <atomic>
#include <cstdint>
#include <span>
#include <string>

#include "GenBitmap.h"
#include "bkni.h"
#include "process.h"
#include "vgobject.h"
#include "vgrect.h"

// What the loop asks of the application root. The product's root is
// MainApp::Root; tests and the benchmark hand in roots of their own.
struct GuiRootOps {
  const VgClass* rootClass;
  void (*initialize)(XObject* root, int32_t width, int32_t height);
  XObject* (*dispatchEvent)(XObject* root, XObject* event);
  // Redraws what changed and returns the union of it (empty: nothing).
  VgRect (*update)(XObject* root);
  // The bitmap of the main window that the root draws into, or null.
  GenBitmap* (*canvas)(XObject* root);
  int32_t (*hasUIOnScreen)(XObject* root);
  int32_t (*isAnimationActive)(XObject* root);
  int32_t (*setTV101State)(XObject* root, int32_t state);
};

// Null restores the product's root.
void GuiUseRootOps(const GuiRootOps* ops);
const GuiRootOps& GuiRoot();

inline constexpr int32_t GuiScreenWidth = 960;
inline constexpr int32_t GuiScreenHeight = 540;

// The last update rectangle as the compositor reads it.
struct GuiClip {
  int16_t x;
  int16_t y;
  int16_t width;
  int16_t height;
  int32_t reserved;
};

struct GuiAppSurf {
  int32_t width;
  int32_t height;
  int32_t x;
  int32_t y;
  IDirectFBSurface* surface;
  GuiClip* clip;
  int32_t pendingFlip;
};

struct GuiGfxInfo {
  GuiAppSurf* surf;
  BKNI_MutexHandle mutex;
};

extern GuiAppSurf App_Surf;
extern GuiGfxInfo App_GFX_Info;
extern GuiClip clip;

// The GUI thread's one event buffer; other threads post into it. It is made
// by the first period's loop and kept for the life of the process, so that
// keys and events that arrive while one loop ends and the next starts reach
// the next loop.
extern std::atomic<IDirectFBEventBuffer*> buffer;
extern std::atomic<XObject*> rootObject;
// Set to 1 whenever the loop waits with an enabled timer.
extern std::atomic<int32_t> update_time;

// The GUI thread lives as long as the process and runs the loop of one
// period after another: DirectFB keeps state for every thread that ever drew
// and never gives it back, so a thread a period would grow without bound.
// Hands the thread the period whose loop it is to run next (made at the first
// call; false when it cannot be made), or with null tells it to end once its
// loop has ended. The loop's end gives back one of the period's holds.
bool GuiRunPeriod(AppPeriod* period);
// Whether a period's loop runs on the GUI thread, taking what the buffer
// receives.
bool GuiLoopRunning();

extern "C" {
// The GUI thread (argument unused): the loops of the periods GuiRunPeriod hands it.
void vg_task(void* argument);
int32_t AcquirePslDornSem(void);
int32_t ReleasePslDornSem(void);
void DispatchEvent(XObject* event);
// Offers the event to every view of the root, the root's own handlers first.
void BroadcastEvent(XObject* event);
void UpdateRoot(XObject* root);
void RequestRefresh(void);
void handleCC(void);
}

// The font file the loop registers as it starts: fonts/tt7268m_803.ttf below
// the working directory, as on the set, unless a host that knows better (the
// runner) names another before the loop starts, or hands over a copy of it
// in memory (COPY, kept by the host for the life of the process), which every
// period then registers, whatever has become of the file by then. The status
// of that registration: GuiFontPending until the loop has tried, then 0 when
// the font is registered, else the font engine's error.
void GuiUseFontFile(const std::string& path, std::span<const uint8_t> copy = {});
inline constexpr int32_t GuiFontPending = -1;
int32_t GuiFontStatus();
// Called on the GUI thread when a period's registration of the font fails,
// with the font engine's error, before the period draws anything: without
// its font the period would draw no text at all, and the host decides
// whether it goes on (the runner ends the run).
void GuiOnFontFailure(void (*handler)(int32_t error));

// The loop in steps, for tests and the runner: the start-up, one turn (false
// once the loop is to end: the period's vgRunning is 0) and the end. vg_task
// is exactly these three.
void GuiLoopStart(AppPeriod* period);
bool GuiLoopTurn();
void GuiLoopEnd();
