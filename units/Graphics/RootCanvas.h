// The canvas whose pixels are the main GUI window, created on the display
// layer with the first size; a new size destroys and recreates the window.
#pragma once

#include "Graphics/Canvas.h"

namespace Graphics {

class RootCanvas : public Canvas {
  VG_CLASS()

 public:
  explicit RootCanvas(XObject* link = nullptr);

  void Realloc(int32_t width, int32_t height) override;
};

}  // namespace Graphics
