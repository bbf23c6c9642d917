// NonMenuSystem::BacklightAdjustmentProDialog: how the backlight follows the
// light sensor: the backlight level under the sensor, the automatic
// brightness setting and the kind of room lighting. The light-sensor page
// opens it while the sensor is on, and it returns there.
#pragma once

#include "NonMenuSystem/AdjustmentPanel.h"

namespace NonMenuSystem {

class BacklightAdjustmentProDialog : public AdjustmentPanel {
  VG_CLASS()

 public:
  explicit BacklightAdjustmentProDialog(XObject* link = nullptr);

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
};

}  // namespace NonMenuSystem
