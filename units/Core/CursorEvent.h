// A pointer (or finger) press, hold or release, in the receiving view's
// coordinates.
#pragma once

#include <cstdint>

#include "Core/Event.h"
#include "vgpoint.h"

namespace Core {

class CursorEvent : public Event {
  VG_CLASS()

 public:
  explicit CursorEvent(XObject* link = nullptr) : Event(link) {}

  virtual CursorEvent* InitializeDown(int32_t cursorNo, VgPoint at, int32_t repeats, bool isDeflected);
  virtual CursorEvent* InitializeUp(int32_t cursorNo, VgPoint at, VgPoint start, int32_t held, int32_t repeats,
                                    bool isDeflected);
  virtual CursorEvent* InitializeHold(int32_t cursorNo, VgPoint at, VgPoint start, int32_t held, int32_t repeats);

  // Set when the press or release came from the pointer moving to another
  // view rather than from the user.
  bool deflected = false;
  bool down = false;
  int32_t cursor = 0;
  VgPoint position{};
  VgPoint startPosition{};
  int32_t holdTime = 0;     // ms since the press
  int32_t repeatCount = 0;  // 0 for a first press
};

}  // namespace Core
