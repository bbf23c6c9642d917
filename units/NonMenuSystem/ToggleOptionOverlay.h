// NonMenuSystem::ToggleOptionOverlay: the small overlay that switches one
// option through its choices, opened with the option id as its value (the
// picture mode, 0x8100001B, when the factory commands set it). LEFT, RIGHT
// and OK step round the choices; each step reaches the television at once.
#pragma once

#include "NonMenuSystem/AdjustmentBar.h"

namespace NonMenuSystem {

class ToggleOptionOverlay : public AdjustmentBar {
  VG_CLASS()

 public:
  explicit ToggleOptionOverlay(XObject* link = nullptr);

  static constexpr int32_t OverlayWidth = 460;

  XObject* HandleEvent(Core::Event* event) override;
};

}  // namespace NonMenuSystem
