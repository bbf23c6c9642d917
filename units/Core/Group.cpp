#include "Core/Group.h"

#include <algorithm>

#include "Graphics/Canvas.h"
#include "vgdebug.h"
#include "vgslot.h"

VG_DEFINE_CLASS(Core, Group, Core::View)

namespace Core {

namespace {

VgPoint TopLeft(VgRect r) { return {r.x1, r.y1}; }

}  // namespace

Group::Group(XObject* link) : View(link) { layoutSet = 6; }

// ------------------------------------------------------------------ children

void Group::CheckChild(View* view) const {
  if (!view || view->owner.get() != this) VgPanicAnsi("View is not in this group");
}

// Links an unowned view directly below the sibling, or on top without one.
void Group::LinkBelow(View* view, View* sibling) {
  if (!sibling) {
    view->prevView = lastView.get();
    view->nextView = nullptr;
    if (lastView) lastView->nextView = view;
    else firstView = view;
    lastView = view;
  } else {
    view->nextView = sibling;
    view->prevView = sibling->prevView.get();
    if (sibling->prevView) sibling->prevView->nextView = view;
    else firstView = view;
    sibling->prevView = view;
  }
  view->owner = this;
}

void Group::Unlink(View* view) {
  if (view->prevView) view->prevView->nextView = view->nextView.get();
  else firstView = view->nextView.get();
  if (view->nextView) view->nextView->prevView = view->prevView.get();
  else lastView = view->prevView.get();
  view->nextView = nullptr;
  view->prevView = nullptr;
  view->owner = nullptr;
}

void Group::Add(View* view, int32_t restack) {
  if (!view) {
    VgPrint("Core::Group.Add: no view to add\n");
    return;
  }
  if (view->owner) VgPanicAnsi("View already in a group");
  LinkBelow(view, nullptr);
  if (restack != 0) Restack(view, restack);
  if (view->Visible) Invalidate(view->GetExtent());
  Rearrange(view);
}

void Group::AddBehind(View* view, View* sibling) {
  if (!view) {
    VgPrint("Core::Group.AddBehind: no view to add\n");
    return;
  }
  if (view->owner) VgPanicAnsi("View already in a group");
  if (sibling && sibling->owner.get() != this) VgPanicAnsi("Sibling view does not belong to the group");
  LinkBelow(view, sibling);
  if (view->Visible) Invalidate(view->GetExtent());
  Rearrange(view);
}

void Group::Remove(View* view) {
  CheckChild(view);
  const bool wasFocus = view == Focus.get();
  View* candidate = wasFocus ? FindFocusable(view) : nullptr;
  Unlink(view);
  if (wasFocus) {
    if (Focused) {
      OnSetFocus(candidate);
    } else {
      Focus = candidate;
    }
  }
  if (view->Visible) Invalidate(view->GetExtent());
  Rearrange(view);
}

void Group::Restack(View* view, int32_t steps) {
  CheckChild(view);
  View* target = view;
  if (steps > 0) {
    while (steps > 0 && target->nextView) {
      target = target->nextView;
      --steps;
    }
    if (target == view) return;
    // Directly above target: below target's upper neighbour, or on top.
    View* above = target->nextView;
    Unlink(view);
    LinkBelow(view, above);
  } else if (steps < 0) {
    while (steps < 0 && target->prevView) {
      target = target->prevView;
      ++steps;
    }
    if (target == view) return;
    Unlink(view);
    LinkBelow(view, target);
  } else {
    return;
  }
  view->InvalidateView();
}

void Group::RestackTop(View* view) {
  CheckChild(view);
  if (view == lastView.get()) return;
  Unlink(view);
  LinkBelow(view, nullptr);
  view->InvalidateView();
}

void Group::RestackBack(View* view) {
  CheckChild(view);
  if (view == firstView.get()) return;
  View* bottom = firstView;
  Unlink(view);
  LinkBelow(view, bottom);
  view->InvalidateView();
}

void Group::RestackBehind(View* view, View* sibling) {
  CheckChild(view);
  if (sibling && sibling->owner.get() != this) VgPanicAnsi("Sibling view does not belong to the group");
  // A view cannot lie below itself; asking for it leaves the order alone.
  if (sibling == view) return;
  if (view->nextView.get() == sibling) return;  // also covers the top view with no sibling
  Unlink(view);
  LinkBelow(view, sibling);
  view->InvalidateView();
}

void Group::Rearrange(View*) {}

View* Group::FindFocusable(View* view) {
  if (!view) return nullptr;
  return view->nextView ? view->nextView.get() : view->prevView.get();
}

// --------------------------------------------------------------------- focus

void Group::UpdateFocus(bool focused) {
  if (Focused == focused) return;
  Focused = focused;
  // Gaining runs from the outer group inwards, losing from the inner view out.
  if (focused) {
    HandleFocus(true);
    if (Focus) Focus->UpdateFocus(true);
  } else {
    if (Focus) Focus->UpdateFocus(false);
    HandleFocus(false);
  }
}

void Group::OnSetFocus(View* view) {
  if (view && view->owner.get() != this) VgPanicAnsi("The view does not belong to this group");
  if (view == Focus.get()) return;
  if (View* old = Focus) {
    if (Focused) old->UpdateFocus(false);
    old->HandleSelection(false);
  }
  Focus = view;
  if (view) {
    view->HandleSelection(true);
    if (Focused) view->UpdateFocus(true);
  }
}

// ------------------------------------------------------------------- events

XObject* Group::DispatchEvent(Event* event) {
  XObject* result;
  if (Group* group = vg_cast<Group>(Focus.get())) {
    result = group->DispatchEvent(event);
  } else if (Focus) {
    result = Focus->HandleEvent(event);
  } else {
    return HandleEvent(event);
  }
  return result ? result : HandleEvent(event);
}

XObject* Group::Broadcast(Event* event) {
  for (View* view = lastView; view;) {
    // A handler may take its own view out of the group; the walk goes on
    // below it all the same.
    View* below = view->prevView;
    Group* group = vg_cast<Group>(view);
    XObject* result = group ? group->Broadcast(event) : view->HandleEvent(event);
    if (result) return result;
    view = below;
  }
  return HandleEvent(event);
}

View* Group::CursorHitTest(int32_t cursor, VgPoint point, int32_t repeatCount, View* onlyView) {
  for (View* view = lastView; view; view = view->prevView) {
    if (!view->Visible || (onlyView && view != onlyView)) continue;
    VgRect extent = view->GetExtent();
    if (!VgIsPointInRect(extent, point)) continue;
    if (View* hit = view->CursorHitTest(cursor, VgMovePointNeg(point, TopLeft(extent)), repeatCount, nullptr))
      return hit;
  }
  return nullptr;
}

// ------------------------------------------------------------- coordinates

VgRect Group::GetExtent() { return Bounds; }

VgPoint Group::MakeLocal(VgPoint point) {
  for (Group* g = this; g; g = g->owner) point = VgMovePointNeg(point, TopLeft(g->Bounds));
  return point;
}

VgPoint Group::MakeGlobal(VgPoint point) {
  for (Group* g = this; g; g = g->owner) point = VgMovePointPos(point, TopLeft(g->Bounds));
  return point;
}

void Group::MoveView(VgPoint offset) { OnSetBounds(VgMoveRectPos(Bounds, offset)); }

void Group::OnSetBounds(VgRect rect) {
  if (rect == Bounds) return;
  const VgRect old = Bounds;
  const bool resized = VgGetRectW(old) != VgGetRectW(rect) || VgGetRectH(old) != VgGetRectH(rect);
  Bounds = rect;
  if (Buffered && resized) ResizeBuffer();
  InvalidateRect(VgUnionRect(old, rect), true);
}

void Group::OnSetOpacity(int32_t value) {
  if (value < 0) value = 0;
  if (value > 255) value = 255;
  if (value == Opacity) return;
  Opacity = value;
  InvalidateView();
}

// ----------------------------------------------------------- invalidation

void Group::Invalidate(VgRect rect) {
  if (VgIsRectEmpty(rect)) return;
  if (owner && Visible) {
    VgRect inOwner = VgIntersectRect(VgMoveRectPos(rect, TopLeft(Bounds)), Bounds);
    if (!VgIsRectEmpty(inOwner)) owner->Invalidate(inOwner);
  }
  if (Buffered) {
    bufferDirty = VgUnionRect(bufferDirty, rect);
    VgPostSignal(VgSlotOf<&Group::updateBufferCanvas>(this));
  }
}

// ------------------------------------------------------------------ drawing

void Group::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  const VgPoint origin = VgMovePointPos(offset, TopLeft(Bounds));
  if (Buffered) {
    if (bufferCanvas) canvas->DrawBitmap(clip, origin, bufferCanvas, Mode, static_cast<uint8_t>(Opacity));
    return;
  }
  if (Opacity == 255) {
    DrawContent(canvas, clip, origin);
    return;
  }
  // A group blended at no opacity leaves the pixels below as they are (a row
  // at the start of its fade): none of it is drawn.
  if (Opacity == 0 && Mode == ModeBlend) return;
  // A translucent group is composed off-screen first, so that its children
  // blend with one another before the whole blends with what lies below. It
  // is composed a band of rows at a time, in a layer of a band's height and
  // a width rounded up: the rows of a menu fade in a frame together, and
  // layers of a few sizes are ones the engine keeps for the next row.
  constexpr int32_t kBandRows = 32;
  constexpr int32_t kWidthStep = 64;
  const int32_t width = (clip.x2 - clip.x1 + kWidthStep - 1) / kWidthStep * kWidthStep;
  auto* layer = VgNew<Graphics::Canvas>();
  layer->OnSetSize({width, kBandRows});
  for (int32_t top = clip.y1; top < clip.y2; top += kBandRows) {
    const VgRect band{clip.x1, top, clip.x2, std::min(top + kBandRows, clip.y2)};
    const VgRect inLayer{0, 0, band.x2 - band.x1, band.y2 - band.y1};
    if (top != clip.y1) layer->DrawRectangle(inLayer, inLayer, VgColor{0, 0, 0, 0}, 0);
    DrawContent(layer, inLayer, VgMovePointNeg(origin, TopLeft(band)));
    canvas->DrawBitmap(band, TopLeft(band), layer, Mode, static_cast<uint8_t>(Opacity));
  }
  layer->OnSetSize(_Const0001);
}

void Group::DrawContent(Graphics::Canvas* canvas, VgRect clip, VgPoint origin) {
  for (View* view = firstView; view; view = view->nextView) {
    if (!view->Visible) continue;
    VgRect part = VgIntersectRect(VgMoveRectPos(view->GetExtent(), origin), clip);
    if (VgIsRectEmpty(part)) continue;
    if (DrawWatch) DrawWatch(canvas, view, part);
    view->Draw(canvas, part, origin);
  }
}

void Group::Stacking(std::vector<Stacked>* views) {
  for (View* view = firstView; view; view = view->nextView)
    if (view->Visible) views->push_back({view, this});
}

void Group::DrawStacked(Graphics::Canvas* canvas, VgRect clip, VgPoint origin) {
  std::vector<Stacked> views;
  Stacking(&views);
  for (const Stacked& stacked : views) {
    VgPoint at = origin;
    VgRect room = clip;
    if (stacked.holder != this) {
      const VgRect holder = VgMoveRectPos(stacked.holder->Bounds, origin);
      at = TopLeft(holder);
      room = VgIntersectRect(clip, holder);
    }
    const VgRect part = VgIntersectRect(VgMoveRectPos(stacked.view->GetExtent(), at), room);
    if (VgIsRectEmpty(part)) continue;
    if (DrawWatch) DrawWatch(canvas, stacked.view, part);
    stacked.view->Draw(canvas, part, at);
  }
}

// ------------------------------------------------------------------- buffer

void Group::OnSetBuffered(bool value) {
  if (Buffered == value) return;
  Buffered = value;
  if (value) {
    auto* canvas = VgNew<Graphics::Canvas>();
    // Image views that show the buffer watch it for new content.
    canvas->Mutable = true;
    bufferCanvas = canvas;
    ResizeBuffer();
  } else {
    if (bufferCanvas) bufferCanvas->OnSetSize(_Const0001);
    bufferCanvas = nullptr;
    bufferDirty = _Const0000;
    VgNotifyObjObservers(this, 0);
  }
}

// Sizes the buffer to the bounds and schedules a redraw of all of it.
void Group::ResizeBuffer() {
  const VgPoint size = VgGetRectSize(Bounds);
  bufferCanvas->OnSetSize(size);
  bufferDirty = {0, 0, size.x, size.y};
  VgPostSignal(VgSlotOf<&Group::updateBufferCanvas>(this));
}

void Group::updateBufferCanvas(XObject*) {
  if (VgIsRectEmpty(bufferDirty) || !bufferCanvas) return;
  const VgRect dirty = bufferDirty;
  bufferCanvas->DrawRectangle(dirty, dirty, VgColor{0, 0, 0, 0}, 0);
  DrawContent(bufferCanvas, dirty, _Const0001);
  bufferDirty = _Const0000;
  VgNotifyObjObservers(bufferCanvas, 0);
  VgNotifyObjObservers(this, 0);
}

// --------------------------------------------------------------------- help

// No group of this toolkit carries a help text.
VgString Group::GetHelpString() { return nullptr; }

void Group::UpdateHelpString() {}

}  // namespace Core

XObject* CoreGroup__DispatchEvent(Core::Group* group, Core::Event* event) {
  return group ? group->DispatchEvent(event) : nullptr;
}

XObject* CoreGroup__Broadcast(Core::Group* group, Core::Event* event) {
  return group ? group->Broadcast(event) : nullptr;
}
