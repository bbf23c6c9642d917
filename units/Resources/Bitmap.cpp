#include "Resources/Bitmap.h"

#include "GenArtwork.h"
#include "GenBitmap.h"
#include "vgdebug.h"

VG_DEFINE_CLASS(Resources, Bitmap, Core::Resource)

namespace Resources {

Bitmap::Bitmap(XObject* link) : Core::Resource(link) {
  if (!resource) return;
  bitmap = GenLoadArtwork(static_cast<const GenBitmapResource*>(resource));
  if (!bitmap) return;
  Size = {bitmap->width, bitmap->height};
  FrameSize = {bitmap->frameWidth, bitmap->frameHeight};
  FrameDelay = bitmap->frameDelay;
  if (FrameSize.x < 1 || FrameSize.y < 1) {
    // The frame count divides by the frame size; such a bitmap has no frames.
    VgPrint("Bitmap resource %dx%d has the invalid frame size %dx%d.\n", Size.x, Size.y, FrameSize.x,
            FrameSize.y);
    return;
  }
  NoOfFrames = (Size.y / FrameSize.y) * (Size.x / FrameSize.x);
  IsAnimated = FrameDelay >= 1 && NoOfFrames >= 2;
}

Bitmap::~Bitmap() {
  // Artwork goes back to be kept for the next load of its constant; a
  // canvas's pixels are its own.
  if (bitmap && resource)
    GenReleaseArtwork(static_cast<const GenBitmapResource*>(resource), bitmap);
  else if (bitmap)
    GenFreeBitmap(bitmap);
  bitmap = nullptr;
  IsAnimated = false;
  Size = FrameSize = {};
  FrameDelay = NoOfFrames = 0;
}

void Bitmap::OnSetSize(VgPoint) { VgPanicAnsi("The property 'Size' is READ ONLY."); }
void Bitmap::OnSetFrameSize(VgPoint) { VgPanicAnsi("The property 'FrameSize' is READ ONLY."); }
void Bitmap::OnSetFrameDelay(int32_t) { VgPanicAnsi("The property 'FrameDelay' is READ ONLY."); }
void Bitmap::OnSetNoOfFrames(int32_t) { VgPanicAnsi("The property 'NoOfFrames' is READ ONLY."); }
void Bitmap::OnSetIsAnimated(bool) { VgPanicAnsi("The property 'IsAnimated' is READ ONLY."); }

}  // namespace Resources
