#include "Core/LanguageEvent.h"

VG_DEFINE_CLASS(Core, LanguageEvent, Core::Event)

namespace Core {

LanguageEvent* LanguageEvent::Initialize(int32_t oldValue, int32_t newValue) {
  oldLanguage = oldValue;
  newLanguage = newValue;
  return this;
}

}  // namespace Core
