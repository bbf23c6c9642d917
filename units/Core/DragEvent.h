// The pointer moving while pressed.
#pragma once

#include <cstdint>

#include "Core/Event.h"
#include "vgpoint.h"

namespace Core {

class DragEvent : public Event {
  VG_CLASS()

 public:
  explicit DragEvent(XObject* link = nullptr) : Event(link) {}

  virtual DragEvent* Initialize(int32_t cursorNo, VgPoint at, VgPoint start, VgPoint moved, int32_t held,
                                int32_t repeats);

  int32_t cursor = 0;
  VgPoint position{};
  VgPoint startPosition{};
  VgPoint offset{};  // the movement since the previous position
  int32_t holdTime = 0;
  int32_t repeatCount = 0;
};

}  // namespace Core
