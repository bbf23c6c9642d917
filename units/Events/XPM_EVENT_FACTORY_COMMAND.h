// A result for the factory and service mode: a factory command's outcome, a
// discrete key, or the name of a front-panel key that was pressed.
#pragma once

#include <cstdint>

#include "Core/Event.h"
#include "vgstring.h"

namespace Events {

class XPM_EVENT_FACTORY_COMMAND : public Core::Event {
  VG_CLASS()

 public:
  explicit XPM_EVENT_FACTORY_COMMAND(XObject* link = nullptr) : Core::Event(link) {}

  // 0 menu, 1 value, 2 raw command, 3 message.
  int32_t Type = 0;
  // The factory screen to open (types 0 and 3).
  const VgClass* ScreenClass = nullptr;
  int32_t Value = 0;
  VgStr Text;
};

}  // namespace Events
