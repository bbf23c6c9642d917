// SkinBin::Progress: the skin's adjustment slider: a slider frame with a
// round indicator kept 4 pixels inside it.
#pragma once

#include "Progress/Progress.h"
#include "Views/Rectangle.h"

namespace SkinBin {

class Progress : public ::Progress::Progress {
  VG_CLASS()

 public:
  explicit Progress(XObject* link = nullptr);

  // Kept hidden and transparent for the screens that mark the slider.
  Views::Rectangle markA{this};
  Views::Rectangle markB{this};
};

}  // namespace SkinBin
