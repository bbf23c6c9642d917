// SkinBin::FocusFrame: the skin's focus frame around a square tile; the
// screen gives it its bitmap.
#pragma once

#include "Cursor/FocusFrame.h"

namespace SkinBin {

class FocusFrame : public Cursor::FocusFrame {
  VG_CLASS()

 public:
  explicit FocusFrame(XObject* link = nullptr);
};

}  // namespace SkinBin
