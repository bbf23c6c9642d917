// Broadcast when the language changes.
#pragma once

#include <cstdint>

#include "Core/Event.h"

namespace Core {

class LanguageEvent : public Event {
  VG_CLASS()

 public:
  explicit LanguageEvent(XObject* link = nullptr) : Event(link) {}

  virtual LanguageEvent* Initialize(int32_t oldValue, int32_t newValue);

  int32_t oldLanguage = 0;
  int32_t newLanguage = 0;
};

}  // namespace Core
