#include "Core/CursorEvent.h"

VG_DEFINE_CLASS(Core, CursorEvent, Core::Event)

namespace Core {

CursorEvent* CursorEvent::InitializeDown(int32_t cursorNo, VgPoint at, int32_t repeats, bool isDeflected) {
  down = true;
  deflected = isDeflected;
  cursor = cursorNo;
  position = at;
  startPosition = at;
  holdTime = 0;
  repeatCount = repeats;
  return this;
}

CursorEvent* CursorEvent::InitializeUp(int32_t cursorNo, VgPoint at, VgPoint start, int32_t held, int32_t repeats,
                                       bool isDeflected) {
  down = false;
  deflected = isDeflected;
  cursor = cursorNo;
  position = at;
  startPosition = start;
  holdTime = held;
  repeatCount = repeats;
  return this;
}

CursorEvent* CursorEvent::InitializeHold(int32_t cursorNo, VgPoint at, VgPoint start, int32_t held, int32_t repeats) {
  down = true;
  cursor = cursorNo;
  position = at;
  startPosition = start;
  holdTime = held;
  repeatCount = repeats;
  return this;
}

}  // namespace Core
