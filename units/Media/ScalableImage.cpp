#include "Media/ScalableImage.h"

#include <algorithm>

#include "Graphics/Canvas.h"
#include "Resources/Bitmap.h"

VG_DEFINE_CLASS(Media, ScalableImage, Views::Image)

namespace Media {

ScalableImage::ScalableImage(XObject* link) : Views::Image(link) {
  AlignH = 1;
  AlignV = 1;
}

VgRect ScalableImage::PictureRect() const {
  const int32_t w = VgGetRectW(Bounds);
  const int32_t h = VgGetRectH(Bounds);
  if (!Bitmap) return {0, 0, 0, 0};
  VgPoint size = Bitmap->OnGetFrameSize();
  if (size.x <= 0 || size.y <= 0) return {0, 0, 0, 0};
  if (size.x > w || size.y > h) {
    // The tighter of the two ratios, in integers: scale by w / size.x or by
    // h / size.y, whichever is smaller.
    if (int64_t(w) * size.y <= int64_t(h) * size.x) {
      size = {w, std::max<int32_t>(1, int32_t(int64_t(size.y) * w / size.x))};
    } else {
      size = {std::max<int32_t>(1, int32_t(int64_t(size.x) * h / size.y)), h};
    }
  }
  const int32_t x = (w - size.x) / 2;
  const int32_t y = (h - size.y) / 2;
  return {x, y, x + size.x, y + size.y};
}

void ScalableImage::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  if (!Bitmap) return;
  const VgRect area = VgMoveRectPos(Bounds, offset);
  const VgRect picture = VgMoveRectPos(PictureRect(), {area.x1, area.y1});
  const int32_t frame = animationTimer ? animationFrame : FrameNumber;
  const VgPoint size = Bitmap->OnGetFrameSize();
  if (VgGetRectW(picture) == size.x && VgGetRectH(picture) == size.y)
    canvas->DrawBitmapFrame(VgIntersectRect(clip, area), {picture.x1, picture.y1}, Bitmap, frame, Mode,
                            static_cast<uint8_t>(Opacity));
  else
    canvas->ScaleBitmapFrame(VgIntersectRect(clip, area), picture, Bitmap, frame, Mode, static_cast<uint8_t>(Opacity));
}

}  // namespace Media
