#include "Forms/ScrollBar.h"

#include <algorithm>

#include "Core/CursorEvent.h"
#include "Core/DragEvent.h"

VG_DEFINE_CLASS(Forms, ScrollBar, Core::Group)

namespace Forms {

bool IsRepeatHold(int32_t holdTime) {
  return holdTime == 500 || holdTime == 900 || holdTime == 1200 || holdTime == 1400 || holdTime >= 1500;
}

ScrollBar::ScrollBar(XObject* link) : Core::Group(link) { Bounds = {0, 0, 30, 70}; }

void ScrollBar::OnSetBounds(VgRect rect) {
  Core::Group::OnSetBounds(rect);
  UpdateScrollBar();
}

void ScrollBar::ArrangeTracker(int32_t, int32_t, int32_t) {}

void ScrollBar::UpdateScrollBar() {
  const int32_t visible = std::max(std::min(Content, Page), 0);
  if (Content > 0 && visible < Content) {
    ArrangeTracker(std::max(std::min(Pos, Content - visible), 0), visible, Content);
    OnSetVisible(true);
  } else {
    ArrangeTracker(0, 0, 0);
    OnSetVisible(!AutoHide);
  }
}

bool ScrollBar::Scroll(int32_t delta) {
  if (!Enabled || OnScroll.IsNull()) return false;
  const int32_t visible = std::max(std::min(Content, Page), 0);
  const int64_t wanted = std::min<int64_t>(Content - visible, int64_t(Pos) + delta);
  const int32_t target = static_cast<int32_t>(std::max<int64_t>(wanted, 0));
  if (target != Pos && Content > 0 && visible < Content) {
    OnSetPos(target);
    VgSignal(OnScroll, this);
  }
  return true;
}

void ScrollBar::UpdateCtrlState(uint16_t oldState, uint16_t newState) {
  if (oldState != newState) OnSetEnabled(newState > 0);
}

// ------------------------------------------------------------------ pointer

bool ScrollBar::IsCtrlArea(VgPoint point) {
  return VgIsPointInRect({0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)}, point) != 0;
}

bool ScrollBar::IsThumbArea(VgPoint point) { return IsCtrlArea(point); }

bool ScrollBar::IsIncButtonArea(VgPoint) { return false; }

bool ScrollBar::IsDecButtonArea(VgPoint) { return false; }

int32_t ScrollBar::CalcScrollOffset(VgPoint) { return 0; }

int32_t ScrollBar::ButtonStep(VgPoint point) {
  if (IsDecButtonArea(point)) return -ScrollStep;
  if (IsIncButtonArea(point)) return ScrollStep;
  return 0;
}

// A bar nobody listens to, or a disabled one, lets the press through to what
// lies below it.
Core::View* ScrollBar::CursorHitTest(int32_t cursor, VgPoint point, int32_t, Core::View*) {
  if (cursor != 0 || !Enabled || OnScroll.IsNull()) return nullptr;
  return IsCtrlArea(point) ? this : nullptr;
}

XObject* ScrollBar::HandleEvent(Core::Event* event) {
  if (auto* drag = vg_cast<Core::DragEvent>(event)) {
    if (!thumbDragging) return nullptr;
    const VgPoint moved = VgMovePointNeg(drag->position, drag->startPosition);
    Scroll(dragStart + CalcScrollOffset(moved) - Pos);
    return this;
  }
  auto* cursor = vg_cast<Core::CursorEvent>(event);
  if (!cursor) return Core::Group::HandleEvent(event);
  if (!cursor->down) {
    buttonHeld = false;
    thumbDragging = false;
    return this;
  }
  if (cursor->holdTime == 0) {
    if (cursor->repeatCount != 0) return nullptr;
    if (const int32_t step = ButtonStep(cursor->position)) {
      Scroll(step);
      buttonHeld = true;
    } else if (IsThumbArea(cursor->position)) {
      thumbDragging = true;
      dragStart = Pos;
    }
    return this;
  }
  if (!buttonHeld) return nullptr;
  if (IsRepeatHold(cursor->holdTime)) {
    if (const int32_t step = ButtonStep(cursor->position)) Scroll(step);
  }
  return this;
}

// --------------------------------------------------------------- properties

void ScrollBar::OnSetEnabled(bool value) {
  if (value == Enabled) return;
  Enabled = value;
  UpdateScrollBar();
}

void ScrollBar::OnSetAutoHide(bool value) {
  if (value == AutoHide) return;
  AutoHide = value;
  UpdateScrollBar();
}

void ScrollBar::OnSetContent(int32_t value) {
  if (value == Content) return;
  Content = value;
  UpdateScrollBar();
}

void ScrollBar::OnSetPage(int32_t value) {
  if (value == Page) return;
  Page = value;
  UpdateScrollBar();
}

void ScrollBar::OnSetPos(int32_t value) {
  if (value == Pos) return;
  Pos = value;
  UpdateScrollBar();
}

}  // namespace Forms
