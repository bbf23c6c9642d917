// The clock and the event wait of the host. The product reads the time of day
// and waits in DirectFB; the scenario runner and the tests hand in the
// simulated set's, so that the same loop runs on a clock they move.
#pragma once

#include <directfb.h>
#include <sys/time.h>

#include <cstdint>

struct HostTime {
  void (*timeOfDay)(timeval* now);
  // DFB_OK when an event is in the buffer within ms (-1: without limit).
  DFBResult (*waitForEvent)(IDirectFBEventBuffer* buffer, int32_t ms);
};

// Null restores the product's.
void HostUseTime(const HostTime* time);

void HostTimeOfDay(timeval* now);
DFBResult HostWaitForEvent(IDirectFBEventBuffer* buffer, int32_t ms);
