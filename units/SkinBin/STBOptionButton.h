// SkinBin::STBOptionButton: the option button in the look of the recording
// timer dialog: a narrower row with the network buttons' icons and the
// toggle arrows.
#pragma once

#include "SkinBin/OptionButton.h"

namespace SkinBin {

class STBOptionButton : public OptionButtonBase {
  VG_CLASS()

 public:
  explicit STBOptionButton(XObject* link = nullptr);
};

}  // namespace SkinBin
