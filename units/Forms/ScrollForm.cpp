#include "Forms/ScrollForm.h"

#include "Core/CursorEvent.h"
#include "Core/DragEvent.h"
#include "Forms/ScrollingImpl.h"

namespace Forms {
template class Scrolling<Form, BarCoupling::Driving>;
}  // namespace Forms

VG_DEFINE_CLASS(Forms, ScrollForm, Forms::Form)

namespace Forms {

ScrollForm::ScrollForm(XObject* link) : Scrolling(link) {}

Core::View* ScrollForm::CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, Core::View* onlyView) {
  if (Core::View* hit = Form::CursorHitTest(cursor, point, repeatCount, onlyView)) return hit;
  if (cursor != 0 || repeatCount != 0 || !Enabled) return nullptr;
  return VgIsPointInRect(GetPageArea(), point) ? this : nullptr;
}

// The content follows the finger: dragging to the right shows what lies to
// the left.
XObject* ScrollForm::HandleEvent(Core::Event* event) {
  if (auto* drag = vg_cast<Core::DragEvent>(event)) {
    if (!dragging) return Form::HandleEvent(event);
    OnSetScrollPos(VgMovePointNeg(ScrollPos, drag->offset));
    return this;
  }
  if (auto* cursor = vg_cast<Core::CursorEvent>(event)) {
    if (!cursor->down) {
      dragging = false;
      return this;
    }
    if (cursor->cursor == 0 && cursor->holdTime == 0 && cursor->repeatCount == 0 &&
        VgIsPointInRect(GetPageArea(), cursor->position)) {
      dragging = true;
      return this;
    }
  }
  return Form::HandleEvent(event);
}

}  // namespace Forms
