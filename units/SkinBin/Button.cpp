#include "SkinBin/Button.h"

#include "Bitmaps.h"
#include "Fonts/Fonts.h"
#include "SkinBin/Skin.h"

VG_DEFINE_CLASS(SkinBin, Button, ::Button::Button)

namespace SkinBin {

Button::Button(XObject* link) : ::Button::Button(link) {
  OnSetBounds({0, 0, 110, 27});
  OnSetText(VgNewStringAnsi("Text"));
  HelpString = VgNewStringAnsi("Help");
  Nonfocused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonNonfocus);
  Focused_Bitmap = VgLoad<Resources::Bitmap>(Bitmaps::DialogButtonFocus);
  Nonfocused_TextColor = Colors::StandardTextColor;
  Focused_TextColor = Colors::DreskovMenuTextFocused;
  Disabled_TextColor = Colors::DisableTextColor;
  Resources::Font* medium = VgLoad<Resources::Font>(Fonts::MediumFont);
  Disabled_TextFont = medium;
  Nonfocused_TextFont = medium;
  Focused_TextFont = VgLoad<Resources::Font>(Fonts::EPGListFont);
}

void Button::Refresh(XObject* sender) {
  ::Button::Button::Refresh(sender);
  VgRect place = caption.Bounds;
  place.y1 = 2;
  caption.OnSetBounds(place);
}

}  // namespace SkinBin
