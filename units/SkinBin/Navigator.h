// SkinBin::Navigator: the up and down arrows of the skin that stand over and
// under the focused spinner of a pop-up; the spinner moves them with itself.
#pragma once

#include "Cursor/Navigator.h"

namespace SkinBin {

class Navigator : public Cursor::Navigator {
  VG_CLASS()

 public:
  explicit Navigator(XObject* link = nullptr);
};

}  // namespace SkinBin
