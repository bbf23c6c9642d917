// The Fonts unit: the fonts of the GUI, each one face of the system's screen
// font in one pixel height, anti-aliased with 16 grey levels. Views load them
// as Resources::Font objects through VgLoadResource.
#pragma once

#include "vgobject.h"

// X(name, pixel height) for every font of the unit. DefaultFont is the
// toolkit's default font, the one of the menu rows' value texts, whose line
// fits their 20-pixel box.
#define TVUI_FONTS(X)            \
  X(ExtraLargeFont, 30)          \
  X(LargeFont, 28)               \
  X(MediumFont, 22)              \
  X(SmallFont, 19)               \
  X(ExtraSmallFont, 18)          \
  X(SmallestFont, 16)            \
  X(BannerBasicInfo, 23)         \
  X(BannerChannelNumber, 43)     \
  X(BannerDescription, 18)       \
  X(EPGListFont, 24)             \
  X(EPGListFont0, 20)            \
  X(SubMenuItem, 25)             \
  X(FocusedButton, 33)           \
  X(EPGListFont1, 27)            \
  X(DefaultFont, 20)

namespace Fonts {

// The face every font of the unit uses.
inline constexpr const char* FaceName = "TiresiasScreenfont";

#define TVUI_DECLARE_FONT(Name, Height) extern const VgConstant Name;
TVUI_FONTS(TVUI_DECLARE_FONT)
#undef TVUI_DECLARE_FONT

// Every font of the unit, in the order above, with its name and height.
struct FontInfo {
  const char* name;
  int height;
  const VgConstant* font;
};
extern const FontInfo All[15];

}  // namespace Fonts
