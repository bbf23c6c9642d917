// Views::Rectangle: the view's bounds filled with one colour.
#pragma once

#include "Core/View.h"
#include "vgcolor.h"

namespace Views {

class Rectangle : public Core::View {
  VG_CLASS()

 public:
  explicit Rectangle(XObject* link = nullptr);

  VgRect Bounds{0, 0, 0, 0};
  VgColor Color{255, 255, 255, 255};

  void Draw(Graphics::Canvas* canvas, VgRect clip, VgPoint offset) override;
  void MoveView(VgPoint offset) override;
  VgRect GetExtent() override;

  void OnSetColor(VgColor value);
  VgColor OnGetColor() const { return Color; }
  void OnSetBounds(VgRect value);
  VgRect OnGetBounds() const { return Bounds; }
};

}  // namespace Views
