// A middleware event as it reached the GUI thread: its cookie, its number and
// a copy of its payload. Events with a class of their own are made from it
// when they reach the root.
#pragma once

#include <cstdint>
#include <vector>

#include "Core/Event.h"

namespace Events {

class MiddlewareEvent : public Core::Event {
  VG_CLASS()

 public:
  explicit MiddlewareEvent(XObject* link = nullptr) : Core::Event(link) {}

  uint32_t cookie = 0;
  uint32_t event = 0;
  std::vector<uint8_t> payload;
};

}  // namespace Events
