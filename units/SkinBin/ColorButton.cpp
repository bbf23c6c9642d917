#include "SkinBin/ColorButton.h"

#include <algorithm>

#include "Bitmaps.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(SkinBin, ColorButton, ::Button::Button)

namespace SkinBin {

ColorButton::ColorButton(XObject* link) : ::Button::Button(link) {
  Add(&colorRect, 0);
  OnSetBounds({0, 0, 32, 32});
  Nonfocused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::PinButtonNonfocus);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::PinButtonFocus);
  colorRect.OnSetBounds({0, 0, 80, 30});
  colorRect.OnSetColor(Colors::Red);
}

void ColorButton::OnSetColor(VgColor value) {
  Color = value;
  colorRect.OnSetColor(value);
}

void ColorButton::Refresh(XObject* sender) {
  ::Button::Button::Refresh(sender);
  // An inset wider than half the button leaves an empty swatch, not an
  // inverted rectangle.
  const int32_t w = std::max(VgGetRectW(Bounds) - 2 * Inset, 0);
  const int32_t h = std::max(VgGetRectH(Bounds) - 2 * Inset, 0);
  colorRect.OnSetBounds({Inset, Inset, Inset + w, Inset + h});
}

}  // namespace SkinBin
