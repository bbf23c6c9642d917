#include "Forms/Indicator.h"

#include "Core/CursorEvent.h"
#include "Forms/ScrollBar.h"

VG_DEFINE_CLASS(Forms, Indicator, Core::Group)

namespace Forms {

Indicator::Indicator(XObject* link) : Core::Group(link) {}

void Indicator::UpdateIndicator(bool) {}

void Indicator::UpdateCtrlState(uint16_t, uint16_t) {}

void Indicator::OnSetEnabled(bool value) {
  if (value == Enabled) return;
  Enabled = value;
  UpdateIndicator(value);
}

bool Indicator::Scroll() {
  if (!Enabled || OnScroll.IsNull()) return false;
  VgSignal(OnScroll, this);
  return true;
}

bool Indicator::IsCtrlArea(VgPoint point) {
  return VgIsPointInRect({0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)}, point) != 0;
}

// Only a first press of the first finger reaches an indicator; a quick second
// tap would otherwise count twice.
Core::View* Indicator::CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, Core::View*) {
  if (cursor != 0 || repeatCount != 0) return nullptr;
  return IsCtrlArea(point) ? this : nullptr;
}

XObject* Indicator::HandleEvent(Core::Event* event) {
  auto* cursor = vg_cast<Core::CursorEvent>(event);
  if (!cursor) return Core::Group::HandleEvent(event);
  if (!cursor->down) {
    pressed = false;
    return this;
  }
  if (cursor->holdTime == 0) {
    if (cursor->cursor != 0 || cursor->repeatCount != 0 || !IsCtrlArea(cursor->position)) return nullptr;
    if (!Enabled || OnScroll.IsNull()) return nullptr;
    Scroll();
    pressed = true;
    return this;
  }
  if (!pressed) return nullptr;
  // Sliding off the arrow pauses the repetition without ending the press.
  if (IsRepeatHold(cursor->holdTime) && IsCtrlArea(cursor->position)) Scroll();
  return this;
}

}  // namespace Forms
