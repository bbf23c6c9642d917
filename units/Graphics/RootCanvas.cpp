#include "Graphics/RootCanvas.h"

#include "GenBitmap.h"

VG_DEFINE_CLASS(Graphics, RootCanvas, Graphics::Canvas)

namespace Graphics {

RootCanvas::RootCanvas(XObject* link) : Canvas(link) {}

void RootCanvas::Realloc(int32_t width, int32_t height) {
  if (bitmap) GenFreeBitmap(bitmap);
  bitmap = width > 0 && height > 0 ? GenCreateBitmapExternal(width, height, GenColorFormatArgb8888) : nullptr;
}

}  // namespace Graphics
