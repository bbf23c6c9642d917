#include "Core/StylesEvent.h"

VG_DEFINE_CLASS(Core, StylesEvent, Core::Event)

namespace Core {

StylesEvent* StylesEvent::Initialize(uint32_t oldValue, uint32_t newValue) {
  oldStyles = oldValue;
  newStyles = newValue;
  return this;
}

}  // namespace Core
