#include "SkinBin/ScrollBar.h"

#include "Bitmaps.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(SkinBin, ScrollBar, Forms::ScrollBar)

namespace SkinBin {

ScrollBar::ScrollBar(XObject* link) : Forms::ScrollBar(link) {
  struct Part {
    Views::Image* image;
    const VgConstant* bitmap;
    VgRect bounds;
  };
  const Part parts[] = {{&background, &Bitmaps::ScrollBackground, {0, 0, 16, 331}},
                        {&upArrow, &Bitmaps::ScrollUp, {0, 0, 16, 16}},
                        {&downArrow, &Bitmaps::ScrollDown, {0, 315, 16, 331}},
                        {&tracker, &Bitmaps::ScrollBar, {0, 100, 16, 180}}};
  for (const Part& part : parts) {
    part.image->OnSetBounds(part.bounds);
    part.image->OnSetAutoSize(true);
    part.image->OnSetBitmap(VgLoad<Resources::Bitmap>(*part.bitmap));
    Add(part.image, 0);
  }
  OnSetBounds({0, 0, 16, 331});
}

void ScrollBar::OnSetBounds(VgRect rect) {
  const bool resized = VgGetRectSize(rect) != VgGetRectSize(Bounds);
  Forms::ScrollBar::OnSetBounds(rect);
  if (!resized) return;
  const int32_t arrow = VgGetRectH(downArrow.Bounds);
  downArrow.OnSetBounds(VgSetRectOrigin(downArrow.Bounds, {downArrow.Bounds.x1, VgGetRectH(Bounds) - arrow}));
}

// The position is scaled over the track in two steps, the first in integers:
// (track x content) / (content - page), then x position / content. A page
// larger than the content has nothing to scroll and rests at the top.
void ScrollBar::ArrangeTracker(int32_t position, int32_t page, int32_t content) {
  const int32_t arrow = VgGetRectH(upArrow.Bounds);
  int32_t top = arrow;
  if (content != 0 && page != 0 && content > page) {
    const int64_t track = int64_t(VgGetRectH(Bounds)) - 2 * arrow - VgGetRectH(tracker.Bounds);
    const int64_t scaled = track * content / (int64_t(content) - page);
    top = arrow + static_cast<int32_t>(static_cast<double>(scaled * position) / content);
  }
  tracker.OnSetBounds(VgSetRectOrigin(tracker.Bounds, {tracker.Bounds.x1, top}));
}

}  // namespace SkinBin
