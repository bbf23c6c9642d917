// Views::Border: the outline of the view's bounds, Width pixels wide.
#pragma once

#include <cstdint>

#include "Core/View.h"
#include "vgcolor.h"

namespace Views {

class Border : public Core::View {
  VG_CLASS()

 public:
  explicit Border(XObject* link = nullptr);

  int32_t Width = 1;
  VgColor Color{255, 255, 255, 255};
  VgRect Bounds{0, 0, 0, 0};

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  VgRect GetExtent() override;

  void OnSetWidth(int32_t value);
  int32_t OnGetWidth() const { return Width; }
  void OnSetColor(VgColor value);
  VgColor OnGetColor() const { return Color; }
  void OnSetBounds(VgRect value);
  VgRect OnGetBounds() const { return Bounds; }
};

}  // namespace Views
