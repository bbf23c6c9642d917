// NonMenuSystem::PanelFill: the flat inside of a framed panel (the framed
// dialogs' frame artwork, whose inside lets a little of what lies below
// show through) painted in the panel's colour, solid, under the frame. A
// pop-up or bar that stands over another screen hides that screen's texts
// instead of letting them read through. The fill follows the frame's
// rounded corners a pixel inside its edge.
#pragma once

#include <cstdint>

#include "Views/Rectangle.h"

namespace NonMenuSystem {

class PanelFill : public Views::Rectangle {
  VG_CLASS()

 public:
  explicit PanelFill(XObject* link = nullptr);

  // Where the frame art's visible edge lies inside its bounds (the frame's
  // bounds, in the owner's coordinates), and the radius of its corners.
  static constexpr int32_t Edge = 12;
  static constexpr int32_t Corner = 14;

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
};

}  // namespace NonMenuSystem
