// SkinBin::ColorButton: a small button showing a colour swatch inside its
// frame, as the colour choices of the caption and colour settings use.
#pragma once

#include <cstdint>

#include "Button/Button.h"
#include "Views/Rectangle.h"
#include "vgcolor.h"

namespace SkinBin {

class ColorButton : public ::Button::Button {
  VG_CLASS()

 public:
  explicit ColorButton(XObject* link = nullptr);

  // Overridden slots.
  // Keeps the swatch Inset pixels inside the button on every side.
  void Refresh(XObject* sender = nullptr) override;

  void OnSetColor(VgColor value);
  VgColor OnGetColor() const { return Color; }
  int32_t OnGetInset() const { return Inset; }
  void OnSetInset(int32_t value) { Inset = value; }

  Views::Rectangle colorRect{this};
  int32_t Inset = 5;
  VgColor Color{255, 0, 0, 255};
};

}  // namespace SkinBin
