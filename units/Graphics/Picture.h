// A picture made elsewhere (a decoded photo, a thumbnail), shown as it is and
// never drawn into: the engine keeps it in the least memory it can, as row
// runs when its rows are wide plain areas.
#pragma once

#include <cstdint>

#include "Resources/Bitmap.h"

namespace Graphics {

class Picture : public Resources::Bitmap {
  VG_CLASS()

 public:
  explicit Picture(XObject* link = nullptr);

  // A picture of the pixels given (0xAARRGGBB, row by row), which the caller
  // may free at once; null for no pixels or when memory runs short.
  static Picture* Make(const uint32_t* pixels, int32_t width, int32_t height);
  // A picture of an engine bitmap of that size, made for it
  // (GenPictureMaker), which it takes; null for none.
  static Picture* Of(GenBitmap* made, int32_t width, int32_t height);
};

}  // namespace Graphics
