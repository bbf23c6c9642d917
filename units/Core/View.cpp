#include "Core/View.h"

#include "Core/Group.h"

VG_DEFINE_CLASS(Core, View, XObject)

namespace Core {

View::View(XObject* link) : XObject(link) {}

bool View::IsExposed() { return Visible && owner && owner->IsExposed(); }

void View::Draw(Graphics::Canvas*, VgRect, VgPoint) {}

void View::MoveView(VgPoint) {}

View* View::CursorHitTest(int32_t, VgPoint, int32_t, View*) { return nullptr; }

VgRect View::GetExtent() { return _Const0000; }

Root* View::GetRoot() { return owner ? owner->GetRoot() : nullptr; }

void View::UpdateFocus(bool focused) {
  if (Focused == focused) return;
  Focused = focused;
  HandleFocus(focused);
}

XObject* View::HandleEvent(Event*) { return nullptr; }

void View::HandleFocus(bool) {}

void View::HandleSelection(bool) {}

void View::OnSetVisible(bool value) {
  if (Visible == value) return;
  // The owner is asked while the view is visible in both directions, so that
  // the area is invalidated exactly once per change.
  if (!value) {
    InvalidateView();
    Visible = false;
  } else {
    Visible = true;
    InvalidateView();
  }
}

void View::OnSetMode(uint16_t value) {
  if (Mode == value) return;
  Mode = value;
  InvalidateView();
}

void View::InvalidateView() {
  if (Visible && owner) owner->Invalidate(GetExtent());
}

void View::InvalidateRect(VgRect rect, bool rearrange) {
  if (Visible && owner) owner->Invalidate(rect);
  if (rearrange && owner) owner->Rearrange(this);
}

}  // namespace Core
