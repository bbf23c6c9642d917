#include "SkinBin/STBOptionButton.h"

#include "Bitmaps.h"

VG_DEFINE_CLASS(SkinBin, STBOptionButton, ::Button::IconButton)

namespace SkinBin {

namespace {

constexpr VgColor DreskovMenuTextFocused{40, 188, 249, 255};

}  // namespace

STBOptionButton::STBOptionButton(XObject* link)
    : OptionButtonBase(link, {{0, 0, 150, 27},
                       DreskovMenuTextFocused,
                       &Bitmaps::NetworkButtonNonfocus,
                       &Bitmaps::NetworkButtonFocus,
                       &Bitmaps::ToggleButtonLeftArrow,
                       &Bitmaps::ToggleButtonRightArrow}) {}

}  // namespace SkinBin
