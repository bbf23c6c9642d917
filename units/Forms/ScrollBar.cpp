#include "Forms/ScrollBar.h"

#include <algorithm>

VG_DEFINE_CLASS(Forms, ScrollBar, Core::Group)

namespace Forms {

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
