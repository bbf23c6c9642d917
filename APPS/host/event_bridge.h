// The bridge between the GUI thread and the rest: middleware events and
// internal events travel as heap records in DirectFB user events and become
// event objects in the event table of the Events unit; state manager commands
// travel through the command queue to command_task; window key events take
// the key path.
#pragma once

#include <directfb.h>

#include <atomic>
#include <cstdint>

#include "process.h"

// A middleware or internal event on its way to the GUI thread. The GUI thread
// frees it (BKNI_Free) after handling; the poster frees it when posting fails.
struct XpmEventRecord {
  uint32_t cookie;
  uint32_t event;
  uint32_t size;
  void* payload;
};

// A result of the update service on its way to the GUI thread, in a user
// event of its own kind; the GUI thread frees it (BKNI_Free).
struct UpdateResultRecord {
  int32_t result;
  int32_t value;
  char text[256];
};
inline constexpr unsigned int UpdateResultEventType = 1;
// A notice of the media library (psl.h) in a user event of its own kind; the
// GUI thread hands it to the media bridge, which frees it.
inline constexpr unsigned int PslNoticeEventType = 2;
// Work for the GUI thread in a user event of its own kind: the loop runs it
// in its turn, under the GUI lock, as it handles a key, and frees the record
// (BKNI_Free).
struct GuiCallRecord {
  void (*call)(void* argument);
  void* argument;
};
inline constexpr unsigned int GuiCallEventType = 3;

struct CommandRecord {
  uint32_t command;
  uint32_t size;
  void* payload;
};

// Middleware events are accepted while 1; user events already queued are
// dropped in the GUI thread until the flush marker clears the second flag.
extern std::atomic<int32_t> gTVProcessKeysandEvents;
extern std::atomic<int32_t> gKeyEventFlushMarkerFound;

inline constexpr int32_t HandleEventDone = 6;

extern "C" {
int32_t post_xpm_event(XpmEventRecord* record);
void xpmEventCallback(uint32_t cookie, uint32_t event, const void* payload, uint32_t size);
void updateResultCallback(void* context, int32_t result, int32_t value, const char* text);
// The media library's sink: runs on the library's thread.
void pslNoticeCallback(void* context, struct PslNotice* notice);
void tvCommandCallback(void* context, uint32_t command, const void* payload, uint32_t size);
// argument: the AppPeriod whose commands it carries out.
void command_task(void* argument);
int32_t handleEvent(int32_t timeout);
}
// True when handleEvent's last wait ended with no event: the set stood idle
// for the whole wait.
bool LastWaitTimedOut();
// Posts the work for the loop that runs on the GUI thread now; false when no
// loop runs (the work would wait for the next period) or posting failed.
bool PostGuiCall(void (*call)(void* argument), void* argument);

// The end of a period: the middleware's events are no longer taken, the
// period's loops are told to stop, and its GUI loop leaves its wait at once.
// Made by the stop command, or by app_main when the period ended without one;
// only the first call does anything.
void StopPeriod(AppPeriod* period);
// Frees the command records left in an ended period's queue.
void DropQueuedCommands(MPLCore_QueueId queue);

// Hands the middleware event table (vg_xpmEventCallback, which turns each
// record handleEvent takes into an event object) the bridge's flags, the GUI
// loop's DispatchEvent and the platform calls it makes. The GUI thread does
// this at start-up, before it subscribes to the middleware's events.
void InstallEventTableHost();

// The key path of one window event: 0 for every key event it takes (handled
// or dropped), 6 for other window events.
int32_t HandleWindowEvent(const DFBWindowEvent& event);
