// QuickMenu::Quick3DSettings: the 3D entry of the quick menu: the 3D format
// and the 2D format choosers, opened the quick menu's way; BACK returns to
// the quick menu.
#pragma once

#include "QuickMenu/QuickMenu.h"

namespace QuickMenu {

class Quick3DSettings : public QuickMenu {
  VG_CLASS()

 public:
  explicit Quick3DSettings(XObject* link = nullptr);
};

}  // namespace QuickMenu
