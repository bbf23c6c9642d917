// An 8-bit indexed pixel buffer with a colour table of its own, drawn into a
// canvas through the table.
#pragma once

#include <cstdint>

#include "vgcolor.h"
#include "vgobject.h"
#include "vgpoint.h"

struct GenIndex8Bitmap;

namespace Graphics {

class Buffer : public XObject {
  VG_CLASS()

 public:
  explicit Buffer(XObject* link = nullptr);
  ~Buffer() override;

  VgPoint OnGetSize() const { return Size; }
  void OnSetSize(VgPoint size);
  void Realloc(VgPoint size);
  // Stores the colour at the index of the colour table.
  void SetColor(VgColor colour, int32_t index);

  // The engine's indexed bitmap, null when there is none.
  GenIndex8Bitmap* EngineBitmap() const { return bitmap; }

 protected:
  VgPoint Size{};
  GenIndex8Bitmap* bitmap = nullptr;
};

}  // namespace Graphics
