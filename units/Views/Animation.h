// The frame animation that Views::Image and Views::Frame share: a timer per
// run steps through the bitmap's frames. Each view keeps the fields itself
// (Animated, Endless, animationTimer, animationFrame, OnFinished, Begin,
// Bitmap) and calls these from its own operations.
#pragma once

#include <algorithm>

#include "Core/Timer.h"
#include "Resources/Bitmap.h"
#include "vgslot.h"

namespace Views::AnimationDetail {

// The shortest period between two frames.
inline constexpr int32_t kMinFrameDelay = 10;

template <class V, void (V::*Step)(XObject*)>
void SetAnimated(V* view, bool value) {
  if (view->Animated == value) return;
  view->Animated = value;
  Resources::Bitmap* bitmap = view->Bitmap;
  if (value && bitmap && bitmap->OnGetIsAnimated()) {
    auto* timer = VgNew<Core::Timer>();
    timer->OnSetOnTrigger(VgSlotOf<Step>(view));
    timer->OnSetBegin(view->Begin);
    timer->OnSetPeriod(std::max(bitmap->OnGetFrameDelay(), kMinFrameDelay));
    timer->OnSetEnabled(true);
    view->animationTimer = timer;
  } else if (view->animationTimer) {
    // The stopped timer is left to the collector; it may be the one firing now.
    view->animationTimer->OnSetEnabled(false);
    view->animationTimer = nullptr;
  }
  view->animationFrame = 0;
  view->InvalidateView();
}

// Starts the animation again from its first frame when it is switched on.
template <class V, void (V::*Step)(XObject*)>
void Restart(V* view) {
  if (!view->Animated) return;
  SetAnimated<V, Step>(view, false);
  SetAnimated<V, Step>(view, true);
}

template <class V, void (V::*Step)(XObject*)>
void Advance(V* view) {
  Resources::Bitmap* bitmap = view->Bitmap;
  if (bitmap && view->animationFrame + 1 < bitmap->OnGetNoOfFrames()) {
    ++view->animationFrame;
    view->InvalidateView();
    return;
  }
  SetAnimated<V, Step>(view, false);
  if (view->Endless) SetAnimated<V, Step>(view, true);
  VgSignal(view->OnFinished, view);
}

// The bitmap observer of a view: only bitmaps whose pixels change while shown
// (a group's buffer) are watched.
template <class V, void (V::*Changed)(XObject*)>
void ReplaceBitmap(V* view, Resources::Bitmap* value) {
  if (view->Bitmap) VgDetachObjObserver(VgSlotOf<Changed>(view), view->Bitmap, 0);
  view->Bitmap = value;
  if (value && value->Mutable) VgAttachObjObserver(VgSlotOf<Changed>(view), value, 0);
}

}  // namespace Views::AnimationDetail
