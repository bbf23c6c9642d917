// The GUI thread's half of the middleware event bridge: vg_xpmEventCallback
// turns each middleware event record that the host takes from the event buffer
// into an event object of this unit and hands it to the root.
//
// The function reaches the host (its flags, its dispatch, the media library
// handle and the factory command processor) through one VgXpmEventHost, which
// the host installs at start-up and tests replace; a call left null is
// skipped. The platform it calls directly.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "Core/Event.h"
#include "Events/FactoryCommandResult.h"

struct VgXpmEventHost {
  // Flags of the event bridge, shared with the host's other threads.
  std::atomic<int32_t>* gTVProcessKeysandEvents = nullptr;
  std::atomic<int32_t>* gKeyEventFlushMarkerFound = nullptr;
  std::atomic<int32_t>* ctvInited = nullptr;
  std::atomic<int32_t>* g_IsPowerOn = nullptr;

  // The GUI loop's DispatchEvent (drops events while the set is off).
  void (*DispatchEvent)(Core::Event* event) = nullptr;
  // BKNI_SetEvent(g_ctv_event_id): releases the deferred start-up.
  void (*SetCtvEvent)() = nullptr;

  // PslNetworkStatusChanged(globalPsl, status): the media library is the host's.
  void (*PslNetworkStatusChanged)(uint16_t status) = nullptr;
  // Runs the command record (kFactoryCommandRecordSize bytes) and fills the result.
  void (*FactoryCommandProcess)(const uint32_t* command, FactoryCommandResult* result) = nullptr;
};

// Installs the host's calls; returns the ones installed before.
VgXpmEventHost VgInstallXpmEventHost(const VgXpmEventHost& host);

// One row of the event table, for walking it: the event number and the
// payload bytes that the event's fields are read from at least.
struct XpmEventRowInfo {
  uint32_t event;
  uint32_t payloadSize;
};
size_t XpmEventRowCount();
XpmEventRowInfo XpmEventRowAt(size_t index);

extern "C" {
// Handles one middleware event record in the GUI thread. The caller keeps and
// frees the payload.
void vg_xpmEventCallback(uint32_t cookie, uint32_t event, uint32_t size, const void* payload);
// Handles one result of the update service in the GUI thread: it reaches the
// root as an Events::XPM_EVENT_UBN_RESULT.
void vg_ubnResultCallback(int32_t result, int32_t value, const char* text);
// Sends a notification code to the external application player; 1 on success.
int32_t SendAppPlayerNotifyMsg(int32_t code);
}
