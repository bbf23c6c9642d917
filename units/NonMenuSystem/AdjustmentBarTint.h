// NonMenuSystem::AdjustmentBarTint: the adjustment bar of the tint, whose
// value reads as the shift from the middle towards green (G) or red (R).
#pragma once

#include "NonMenuSystem/AdjustmentBar.h"

namespace NonMenuSystem {

class AdjustmentBarTint : public AdjustmentBar {
  VG_CLASS()

 public:
  explicit AdjustmentBarTint(XObject* link = nullptr);
};

}  // namespace NonMenuSystem
