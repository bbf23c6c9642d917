// A key press of the remote control or the front panel, as the event bridge
// hands it to the root.
#pragma once

#include <cstdint>

#include "Core/KeyEvent.h"

namespace Events {

class XPM_EVENT_KEY : public Core::KeyEvent {
  VG_CLASS()

 public:
  explicit XPM_EVENT_KEY(XObject* link = nullptr) : Core::KeyEvent(link) {}

  // 1 for a key of the front panel.
  int32_t FrontPanel = 0;
};

}  // namespace Events
