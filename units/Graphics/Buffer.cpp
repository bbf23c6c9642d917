#include "Graphics/Buffer.h"

#include "GenBitmap.h"
#include "Graphics/Canvas.h"

VG_DEFINE_CLASS(Graphics, Buffer, XObject)

namespace Graphics {

Buffer::Buffer(XObject* link) : XObject(link) {}

Buffer::~Buffer() {
  if (bitmap) GenFreeIndex8Bitmap(bitmap);
  bitmap = nullptr;
  Size = {};
}

void Buffer::OnSetSize(VgPoint size) {
  if (size == Size) return;
  Size = size;
  Realloc(size);
}

void Buffer::Realloc(VgPoint size) {
  if (bitmap) GenFreeIndex8Bitmap(bitmap);
  // A size below 1 x 1 leaves no pixels; the engine says so on the console.
  bitmap = GenCreateIndex8Bitmap(size.x, size.y);
}

void Buffer::SetColor(VgColor colour, int32_t index) {
  const GenColor engine = Canvas::EngineColor(colour);
  GenSetColorOfIndex8Bitmap(bitmap, &engine, index, 1);
}

}  // namespace Graphics
