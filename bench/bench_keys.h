// Keys for the benchmarks that drive the GUI loop: a window event of the
// remote's key code posted into the GUI's event buffer, as the host's input
// path posts it.
#pragma once

#include <directfb.h>
#include <sys/time.h>

#include <cstring>

#include "gui_loop.h"

inline void PostKeyEvent(int32_t keyCode, DFBWindowEventType type) {
  DFBWindowEvent event;
  std::memset(&event, 0, sizeof event);
  event.clazz = DFEC_WINDOW;
  event.type = type;
  event.key_code = keyCode;
  gettimeofday(&event.timestamp, nullptr);
  IDirectFBEventBuffer* events = buffer.load();
  events->PostEvent(events, DFB_EVENT(&event));
}
