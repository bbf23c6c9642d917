#include "Graphics/Picture.h"

#include "GenBitmap.h"

VG_DEFINE_CLASS(Graphics, Picture, Resources::Bitmap)

namespace Graphics {

Picture::Picture(XObject* link) : Resources::Bitmap(link) {}

Picture* Picture::Make(const uint32_t* pixels, int32_t width, int32_t height) {
  if (!pixels || width < 1 || height < 1) return nullptr;
  return Of(GenMakePicture(pixels, width, height), width, height);
}

Picture* Picture::Of(GenBitmap* made, int32_t width, int32_t height) {
  if (!made) return nullptr;
  auto* picture = VgNew<Picture>();
  picture->bitmap = made;
  picture->Size = picture->FrameSize = {width, height};
  picture->NoOfFrames = 1;
  return picture;
}

}  // namespace Graphics
