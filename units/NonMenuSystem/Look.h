// The look shared by the screens of this unit: colours, fonts and bitmaps
// loaded once per use, so every dialog, bar and pop-up reads as one family.
#pragma once

#include <cstdint>

#include "Resources/Bitmap.h"
#include "Resources/Font.h"
#include "vgcolor.h"
#include "vgobject.h"
#include "vgresmap.h"

namespace NonMenuSystem::Look {

inline constexpr VgColor Panel{16, 26, 42, 236};
inline constexpr VgColor PanelDark{6, 12, 22, 230};
inline constexpr VgColor Caption{96, 204, 250, 255};
inline constexpr VgColor Text{240, 244, 248, 255};
inline constexpr VgColor TextDim{170, 180, 194, 255};
inline constexpr VgColor Separator{84, 108, 142, 255};
inline constexpr VgColor Warning{250, 200, 40, 255};
inline constexpr VgColor Black{0, 0, 0, 255};
inline constexpr VgColor BorderLine{150, 158, 170, 255};
inline constexpr VgColor Transparent{0, 0, 0, 0};


}  // namespace NonMenuSystem::Look
