// NonMenuSystem::NoSliderAdjustmentBar: an adjustment bar without a slider:
// the value (or the choice) alone between arrows, for options such as the
// colour temperature whose steps are named rather than measured.
#pragma once

#include "NonMenuSystem/AdjustmentBar.h"

namespace NonMenuSystem {

class NoSliderAdjustmentBar : public AdjustmentBar {
  VG_CLASS()

 public:
  explicit NoSliderAdjustmentBar(XObject* link = nullptr);
};

}  // namespace NonMenuSystem
