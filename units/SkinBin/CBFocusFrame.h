// SkinBin::CBFocusFrame: the channel browser's cursor, drawn 4 pixels
// outside the row it marks.
#pragma once

#include "Cursor/FocusFrame.h"

namespace SkinBin {

class CBFocusFrame : public Cursor::FocusFrame {
  VG_CLASS()

 public:
  explicit CBFocusFrame(XObject* link = nullptr);
};

}  // namespace SkinBin
