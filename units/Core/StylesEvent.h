// Broadcast when the styles set changes.
#pragma once

#include <cstdint>

#include "Core/Event.h"

namespace Core {

class StylesEvent : public Event {
  VG_CLASS()

 public:
  explicit StylesEvent(XObject* link = nullptr) : Event(link) {}

  virtual StylesEvent* Initialize(uint32_t oldValue, uint32_t newValue);

  uint32_t oldStyles = 0;
  uint32_t newStyles = 0;
};

}  // namespace Core
