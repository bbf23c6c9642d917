// Forms::ImageIndicator: an indicator drawn as one of two bitmaps, the
// enabled or the disabled one, centred in its bounds.
#pragma once

#include "Forms/Indicator.h"
#include "Views/Image.h"

namespace Resources {
class Bitmap;
}

namespace Forms {

class ImageIndicator : public Indicator {
  VG_CLASS()

 public:
  explicit ImageIndicator(XObject* link = nullptr);

  void OnSetBounds(VgRect rect) override;
  void UpdateIndicator(bool enabled) override;

  Resources::Bitmap* OnGetDisabledBitmap() const { return DisabledBitmap; }
  void OnSetDisabledBitmap(Resources::Bitmap* bitmap);
  Resources::Bitmap* OnGetEnabledBitmap() const { return EnabledBitmap; }
  void OnSetEnabledBitmap(Resources::Bitmap* bitmap);

  // A part of the indicator, its only child.
  Views::Image image{this};
  VgPtr<Resources::Bitmap> DisabledBitmap;
  VgPtr<Resources::Bitmap> EnabledBitmap;
};

}  // namespace Forms
