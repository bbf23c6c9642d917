// NonMenuSystem::BaseColorAdjustmentBar: the hue, saturation and brightness
// of one base colour of the picture processing, opened with the colour's hue
// id (0x87000000 + 3k); the other two are the ids after it. It returns to
// the base-colour page.
#pragma once

#include "NonMenuSystem/AdjustmentPanel.h"

namespace NonMenuSystem {

class BaseColorAdjustmentBar : public AdjustmentPanel {
  VG_CLASS()

 public:
  explicit BaseColorAdjustmentBar(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace NonMenuSystem
