#include "Core/DragEvent.h"

VG_DEFINE_CLASS(Core, DragEvent, Core::Event)

namespace Core {

DragEvent* DragEvent::Initialize(int32_t cursorNo, VgPoint at, VgPoint start, VgPoint moved, int32_t held,
                                 int32_t repeats) {
  cursor = cursorNo;
  position = at;
  startPosition = start;
  offset = moved;
  holdTime = held;
  repeatCount = repeats;
  return this;
}

}  // namespace Core
