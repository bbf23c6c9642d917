// SkinBin::ProgressQOR: the slider of the quick menu's settings: a groove
// with a red bar that grows from the left to the value.
#pragma once

#include "Progress/Progress.h"
#include "Views/Rectangle.h"

namespace SkinBin {

class ProgressQOR : public ::Progress::Progress {
  VG_CLASS()

 public:
  explicit ProgressQOR(XObject* link = nullptr);

  // Overridden slots.
  // The bar spans the slider's full height.
  void Refresh(XObject* sender = nullptr) override;

  // Kept hidden and colourless: the screens that show the slider use them
  // for their own marks.
  Views::Rectangle markA{this};
  Views::Rectangle markB{this};
};

}  // namespace SkinBin
