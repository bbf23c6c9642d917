#include "Forms/Label.h"

#include "Core/CursorEvent.h"
#include "Core/DragEvent.h"

VG_DEFINE_CLASS(Forms, Label, Core::Group)

namespace Forms {

Label::Label(XObject* link) : Core::Group(link) { Bounds = {0, 0, 100, 20}; }

bool Label::IsLabelArea(VgPoint point) {
  return VgIsPointInRect({0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)}, point) != 0;
}

// The label of a disabled control is as dead as the control.
Core::View* Label::CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, Core::View*) {
  if (cursor != 0 || repeatCount != 0 || !control || !control->Enabled) return nullptr;
  return IsLabelArea(point) ? this : nullptr;
}

// Like a button, the label acts on the release, and only when the pointer is
// still on it, so a press can be taken back by sliding off.
XObject* Label::HandleEvent(Core::Event* event) {
  if (vg_cast<Core::DragEvent>(event)) return pressed ? this : nullptr;
  auto* cursor = vg_cast<Core::CursorEvent>(event);
  if (!cursor) return Core::Group::HandleEvent(event);
  if (!cursor->down) {
    const bool wasPressed = pressed;
    pressed = false;
    if (wasPressed && control && IsLabelArea(cursor->position)) control->Activate(true);
    return this;
  }
  if (cursor->holdTime != 0) return pressed ? this : nullptr;
  if (cursor->cursor != 0 || cursor->repeatCount != 0 || !control || !control->Enabled) return nullptr;
  if (!IsLabelArea(cursor->position)) return nullptr;
  pressed = true;
  return this;
}

}  // namespace Forms
