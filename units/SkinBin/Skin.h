// What the skinned widgets share: the skin's colours and the loading of its
// bitmaps and fonts by constant.
#pragma once

#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "vgcolor.h"
#include "vgresmap.h"

namespace SkinBin::Skin {

inline constexpr VgColor StandardTextColor{200, 200, 200, 255};
inline constexpr VgColor MenuTextFocused{40, 188, 249, 255};
inline constexpr VgColor DisableTextColor{88, 88, 88, 255};
inline constexpr VgColor DefaultOptionBgColor{24, 27, 27, 255};
inline constexpr VgColor White{255, 255, 255, 255};
inline constexpr VgColor Red{255, 0, 0, 255};
inline constexpr VgColor Transparent{0, 0, 0, 0};


}  // namespace SkinBin::Skin
