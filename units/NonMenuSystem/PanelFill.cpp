#include "NonMenuSystem/PanelFill.h"

#include <cmath>

#include "Graphics/Canvas.h"

VG_DEFINE_CLASS(NonMenuSystem, PanelFill, Views::Rectangle)

namespace NonMenuSystem {

namespace {

// The fill stays a pixel inside the edge, which the frame's rim draws over.
constexpr int32_t kInset = PanelFill::Edge + 1;
constexpr int32_t kRadius = PanelFill::Corner - 1;

}  // namespace

PanelFill::PanelFill(XObject* link) : Views::Rectangle(link) {
  layoutSet = 0;  // the owner places it, as it places the frame
  Color = {16, 26, 42, 255};
}

void PanelFill::Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) {
  const VgRect b = VgMoveRectPos(Bounds, offset);
  // The centres of the corners' arcs lie this far in from the bounds.
  const int32_t centre = Edge + Corner;
  if (b.x2 - b.x1 <= 2 * centre || b.y2 - b.y1 <= 2 * centre) return;
  canvas->DrawRectangle(clip, {b.x1 + kInset, b.y1 + centre, b.x2 - kInset, b.y2 - centre}, Color, Mode);
  // Above and below that band, each row as wide as the arcs let it be.
  for (int32_t row = kInset; row < centre; ++row) {
    const double dy = centre - (row + 0.5);
    const int32_t half = dy < kRadius ? int32_t(std::sqrt(double(kRadius * kRadius) - dy * dy)) : 0;
    const int32_t x1 = b.x1 + centre - half;
    const int32_t x2 = b.x2 - centre + half;
    canvas->DrawRectangle(clip, {x1, b.y1 + row, x2, b.y1 + row + 1}, Color, Mode);
    canvas->DrawRectangle(clip, {x1, b.y2 - row - 1, x2, b.y2 - row}, Color, Mode);
  }
}

}  // namespace NonMenuSystem
