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

  enum : int32_t { TypeMenu = 0, TypeValue = 1, TypeRawCommand = 2, TypeMessage = 3 };
  // The Value of a front-panel key's message: factory-only, shown for 1 s.
  static constexpr int32_t FrontPanelKeyMessage = 0x10010;

  int32_t Type = TypeMenu;
  // The factory screen to open (types 0 and 3).
  const VgClass* ScreenClass = nullptr;
  int32_t Value = 0;
  VgStr Text;
};

}  // namespace Events
