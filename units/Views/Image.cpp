#include "Views/Image.h"

#include "Core/Timer.h"
#include "Graphics/Canvas.h"
#include "Resources/Bitmap.h"
#include "Views/Align.h"
#include "Views/Animation.h"

VG_DEFINE_CLASS(Views, Image, Core::View)

namespace Views {

namespace Anim = AnimationDetail;

Image::Image(XObject* link) : Core::View(link) { layoutSet = 6; }

VgRect Image::GetExtent() { return Bounds; }

void Image::MoveView(VgPoint offset) { OnSetBounds(VgMoveRectPos(Bounds, offset)); }

void Image::OnSetBounds(VgRect value) {
  if (value == Bounds) return;
  const VgRect old = Bounds;
  Bounds = value;
  InvalidateRect(VgUnionRect(old, value), true);
}

void Image::OnSetBitmap(Resources::Bitmap* value) {
  if (Bitmap.get() == value) return;
  Anim::ReplaceBitmap<Image, &Image::bitmapChanged>(this, value);
  if (value && AutoSize) AdjustBounds();
  Anim::Restart<Image, &Image::animationStep>(this);
  InvalidateView();
}

void Image::OnSetAutoSize(bool value) {
  if (AutoSize == value) return;
  AutoSize = value;
  if (value && Bitmap) AdjustBounds();
  InvalidateView();
}

void Image::OnSetAnimated(bool value) { Anim::SetAnimated<Image, &Image::animationStep>(this, value); }

void Image::OnSetBegin(int32_t value) {
  if (Begin == value) return;
  Begin = value;
  Anim::Restart<Image, &Image::animationStep>(this);
}

void Image::OnSetEndless(bool value) { Endless = value; }

void Image::OnSetOnFinished(VgSlot value) { OnFinished = value; }

void Image::Activate() {
  if (Animated) OnSetAnimated(false);
  OnSetAnimated(true);
}

void Image::OnSetFrameNumber(int32_t value) {
  if (value < 0) value = 0;
  if (FrameNumber == value) return;
  FrameNumber = value;
  InvalidateView();
}

void Image::OnSetOpacity(int32_t value) {
  if (value < 0) value = 0;
  if (value > 255) value = 255;
  if (Opacity == value) return;
  Opacity = value;
  InvalidateView();
}

void Image::OnSetAlignH(uint16_t value) {
  if (AlignH == value) return;
  AlignH = value;
  InvalidateView();
}

void Image::OnSetAlignV(uint16_t value) {
  if (AlignV == value) return;
  AlignV = value;
  InvalidateView();
}

void Image::AdjustBounds() {
  if (!Bitmap) return;
  const VgPoint size = Bitmap->OnGetFrameSize();
  const VgPoint at = AlignItem(Bounds, size, AlignH, AlignV);
  OnSetBounds({at.x, at.y, at.x + size.x, at.y + size.y});
}

void Image::animationStep(XObject*) { Anim::Advance<Image, &Image::animationStep>(this); }

void Image::bitmapChanged(XObject*) {
  if (AutoSize && Bitmap) AdjustBounds();
  Anim::Restart<Image, &Image::animationStep>(this);
  InvalidateView();
}

void Image::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  if (!Bitmap) return;
  const VgRect area = VgMoveRectPos(Bounds, offset);
  const VgPoint size = Bitmap->OnGetFrameSize();
  VgPoint at = AlignItem(area, size, AlignH, AlignV);
  // The image centres on the sum of both edges, which rounds differently from
  // the start-plus-half-the-room of the other views when the frame is larger.
  if (AlignH == 1) at.x = (area.x1 + area.x2 - size.x) / 2;
  if (AlignV == 1) at.y = (area.y1 + area.y2 - size.y) / 2;
  const int32_t frame = animationTimer ? animationFrame : FrameNumber;
  canvas->DrawBitmapFrame(VgIntersectRect(clip, area), at, Bitmap, frame, Mode, static_cast<uint8_t>(Opacity));
}

}  // namespace Views
