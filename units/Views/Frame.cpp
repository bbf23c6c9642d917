#include "Views/Frame.h"

#include "Core/Timer.h"
#include "Graphics/Canvas.h"
#include "Resources/Bitmap.h"
#include "Views/Animation.h"

VG_DEFINE_CLASS(Views, Frame, Core::View)

namespace Views {

namespace Anim = AnimationDetail;

Frame::Frame(XObject* link) : Core::View(link) { layoutSet = 6; }

VgRect Frame::GetExtent() { return Bounds; }

void Frame::MoveView(VgPoint offset) { OnSetBounds(VgMoveRectPos(Bounds, offset)); }

void Frame::OnSetBounds(VgRect value) {
  if (value == Bounds) return;
  const VgRect old = Bounds;
  Bounds = value;
  InvalidateRect(VgUnionRect(old, value), true);
}

void Frame::SetFlag(bool& flag, bool value) {
  if (flag == value) return;
  flag = value;
  InvalidateView();
}

void Frame::OnSetDrawInterior(bool value) { SetFlag(DrawInterior, value); }
void Frame::OnSetDrawUpperEdge(bool value) { SetFlag(DrawUpperEdge, value); }
void Frame::OnSetDrawRightEdge(bool value) { SetFlag(DrawRightEdge, value); }
void Frame::OnSetDrawBottomEdge(bool value) { SetFlag(DrawBottomEdge, value); }
void Frame::OnSetDrawLeftEdge(bool value) { SetFlag(DrawLeftEdge, value); }

void Frame::OnSetBitmap(Resources::Bitmap* value) {
  if (Bitmap.get() == value) return;
  Anim::ReplaceBitmap<Frame, &Frame::bitmapChanged>(this, value);
  Anim::Restart<Frame, &Frame::animationStep>(this);
  InvalidateView();
}

void Frame::OnSetAnimated(bool value) { Anim::SetAnimated<Frame, &Frame::animationStep>(this, value); }

void Frame::OnSetBegin(int32_t value) {
  if (Begin == value) return;
  Begin = value;
  Anim::Restart<Frame, &Frame::animationStep>(this);
}

void Frame::OnSetEndless(bool value) { Endless = value; }

void Frame::OnSetOnFinished(VgSlot value) { OnFinished = value; }

void Frame::Activate() {
  if (Animated) OnSetAnimated(false);
  OnSetAnimated(true);
}

void Frame::OnSetFrameNumber(int32_t value) {
  if (value < 0) value = 0;
  if (FrameNumber == value) return;
  FrameNumber = value;
  InvalidateView();
}

void Frame::OnSetOpacity(int32_t value) {
  if (value < 0) value = 0;
  if (value > 255) value = 255;
  if (Opacity == value) return;
  Opacity = value;
  InvalidateView();
}

void Frame::animationStep(XObject*) { Anim::Advance<Frame, &Frame::animationStep>(this); }

void Frame::bitmapChanged(XObject*) {
  Anim::Restart<Frame, &Frame::animationStep>(this);
  InvalidateView();
}

void Frame::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  if (!Bitmap) return;
  const VgPoint frameSize = Bitmap->OnGetFrameSize();
  const int32_t cw = frameSize.x / 3;
  const int32_t ch = frameSize.y / 3;
  const int32_t frame = animationTimer ? animationFrame : FrameNumber;
  const uint8_t opacity = static_cast<uint8_t>(Opacity);

  // A switched-off edge is pushed out of the view, so the parts beside it
  // reach the view's border; the clip keeps the edge itself from showing.
  VgRect a = VgMoveRectPos(Bounds, offset);
  clip = VgIntersectRect(clip, a);
  if (!DrawLeftEdge) a.x1 -= cw;
  if (!DrawUpperEdge) a.y1 -= ch;
  if (!DrawRightEdge) a.x2 += cw;
  if (!DrawBottomEdge) a.y2 += ch;

  // A corner is the whole frame placed so that the cell lands on its target,
  // cut to that target.
  auto corner = [&](VgRect target, int32_t column, int32_t row) {
    VgRect part = VgIntersectRect(clip, target);
    if (VgIsRectEmpty(part)) return;
    canvas->DrawBitmapFrame(part, {target.x1 - column * cw, target.y1 - row * ch}, Bitmap, frame, Mode, opacity);
  };
  auto tile = [&](VgRect target, int32_t column, int32_t row) {
    if (VgIsRectEmpty(VgIntersectRect(clip, target))) return;
    canvas->TileBitmapFrame(clip, target, Bitmap, frame, {column * cw, row * ch, (column + 1) * cw, (row + 1) * ch},
                            Mode, opacity);
  };

  if (DrawUpperEdge || DrawLeftEdge) corner({a.x1, a.y1, a.x1 + cw, a.y1 + ch}, 0, 0);
  if (DrawUpperEdge) tile({a.x1 + cw, a.y1, a.x2 - cw, a.y1 + ch}, 1, 0);
  if (DrawUpperEdge || DrawRightEdge) corner({a.x2 - cw, a.y1, a.x2, a.y1 + ch}, 2, 0);
  if (DrawRightEdge) tile({a.x2 - cw, a.y1 + ch, a.x2, a.y2 - ch}, 2, 1);
  if (DrawInterior) tile({a.x1 + cw, a.y1 + ch, a.x2 - cw, a.y2 - ch}, 1, 1);
  if (DrawLeftEdge) tile({a.x1, a.y1 + ch, a.x1 + cw, a.y2 - ch}, 0, 1);
  if (DrawBottomEdge || DrawLeftEdge) corner({a.x1, a.y2 - ch, a.x1 + cw, a.y2}, 0, 2);
  if (DrawBottomEdge) tile({a.x1 + cw, a.y2 - ch, a.x2 - cw, a.y2}, 1, 2);
  if (DrawBottomEdge || DrawRightEdge) corner({a.x2 - cw, a.y2 - ch, a.x2, a.y2}, 2, 2);
}

}  // namespace Views
