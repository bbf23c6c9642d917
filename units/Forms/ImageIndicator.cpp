#include "Forms/ImageIndicator.h"

#include "Resources/Bitmap.h"

VG_DEFINE_CLASS(Forms, ImageIndicator, Forms::Indicator)

namespace Forms {

ImageIndicator::ImageIndicator(XObject* link) : Indicator(link) {
  Bounds = {0, 0, 60, 60};
  image.OnSetBounds({0, 0, 60, 60});
  image.OnSetAlignH(1);
  image.OnSetAlignV(1);
  Add(&image, 0);
}

void ImageIndicator::OnSetBounds(VgRect rect) {
  Indicator::OnSetBounds(rect);
  image.OnSetBounds({0, 0, VgGetRectW(Bounds), VgGetRectH(Bounds)});
}

void ImageIndicator::UpdateIndicator(bool enabled) { image.OnSetBitmap(enabled ? EnabledBitmap : DisabledBitmap); }

void ImageIndicator::OnSetDisabledBitmap(Resources::Bitmap* bitmap) {
  DisabledBitmap = bitmap;
  if (!Enabled) image.OnSetBitmap(bitmap);
}

void ImageIndicator::OnSetEnabledBitmap(Resources::Bitmap* bitmap) {
  EnabledBitmap = bitmap;
  if (Enabled) image.OnSetBitmap(bitmap);
}

}  // namespace Forms
