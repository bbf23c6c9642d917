#include "Views/ImageList.h"

#include <algorithm>

#include "Graphics/Canvas.h"
#include "Resources/Bitmap.h"
#include "Views/Align.h"

VG_DEFINE_CLASS(Views, ImageList, Core::View)

namespace Views {

ImageList::ImageList(XObject* link) : Core::View(link) { layoutSet = 6; }

VgRect ImageList::GetExtent() { return Bounds; }

void ImageList::MoveView(VgPoint offset) { OnSetBounds(VgMoveRectPos(Bounds, offset)); }

void ImageList::OnSetBounds(VgRect value) {
  if (value == Bounds) return;
  const VgRect old = Bounds;
  Bounds = value;
  InvalidateRect(VgUnionRect(old, value), true);
}

// What follows every change of the bitmap, the cell or the auto size.
void ImageList::Changed() {
  if (AutoSize && Bitmap) AdjustBounds();
  InvalidateView();
}

void ImageList::OnSetBitmap(Resources::Bitmap* value) {
  if (Bitmap.get() == value) return;
  Bitmap = value;
  Changed();
}

void ImageList::OnSetImageNumber(int32_t value) {
  value = std::max(value, 0);
  if (ImageNumber == value) return;
  ImageNumber = value;
  Changed();
}

void ImageList::OnSetImageSize(VgPoint value) {
  value = {std::max(value.x, 1), std::max(value.y, 1)};
  if (ImageSize == value) return;
  ImageSize = value;
  Changed();
}

void ImageList::OnSetAutoSize(bool value) {
  if (AutoSize == value) return;
  AutoSize = value;
  Changed();
}

void ImageList::OnSetOpacity(int32_t value) {
  value = std::clamp(value, 0, 255);
  if (Opacity == value) return;
  Opacity = value;
  InvalidateView();
}

void ImageList::OnSetAlignH(uint16_t value) {
  if (AlignH == value) return;
  AlignH = value;
  InvalidateView();
}

void ImageList::OnSetAlignV(uint16_t value) {
  if (AlignV == value) return;
  AlignV = value;
  InvalidateView();
}

void ImageList::AdjustBounds() {
  const VgPoint at = AlignItem(Bounds, ImageSize, AlignH, AlignV);
  OnSetBounds({at.x, at.y, at.x + ImageSize.x, at.y + ImageSize.y});
}

void ImageList::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  if (!Bitmap) return;
  const int32_t columns = Bitmap->OnGetSize().x / ImageSize.x;
  if (columns < 1) return;
  const int32_t column = ImageNumber % columns;
  const int32_t row = ImageNumber / columns;
  const VgPoint at = AlignItem(VgMoveRectPos(Bounds, offset), ImageSize, AlignH, AlignV);
  const VgRect cell{at.x, at.y, at.x + ImageSize.x, at.y + ImageSize.y};
  // The whole bitmap is placed so that the chosen image lands on the cell.
  canvas->DrawBitmap(VgIntersectRect(clip, cell), {at.x - column * ImageSize.x, at.y - row * ImageSize.y}, Bitmap,
                     Mode, static_cast<uint8_t>(Opacity));
}

}  // namespace Views
