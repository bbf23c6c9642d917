// NonMenuSystem::AdjustmentBarQOR: the framed adjustment bar that the
// picture pages open while they hide themselves; it shows a range on the
// groove slider and a list of choices between arrows.
#pragma once

#include "NonMenuSystem/AdjustmentBar.h"

namespace NonMenuSystem {

class AdjustmentBarQOR : public AdjustmentBar {
  VG_CLASS()

 public:
  explicit AdjustmentBarQOR(XObject* link = nullptr);

  static constexpr int32_t FramedWidth = 700;
  static constexpr int32_t FramedHeight = 104;
};

}  // namespace NonMenuSystem
