#include "Fonts/Fonts.h"

#include "GenFont.h"
#include "vgresmap.h"

namespace Fonts {

namespace {

constexpr int32_t kMode = GenFontModeGray;

}  // namespace

// Each font: its one face, its resource record and the constant's one entry,
// valid in every language.
#define TVUI_DEFINE_FONT(Name, Height)                                                           \
  namespace {                                                                                    \
  constexpr GenFontFace Name##Face{FaceName, Height, 0, 0, 1.0f};                                \
  constexpr GenFontResource Name##Record{&Name##Face, nullptr, 1, 0, &kMode};                    \
  constexpr VgResourceEntry Name##Entry{0, &Name##Record};                                       \
  }                                                                                              \
  constinit const VgConstant Name{&Name##Entry, 1, VgNoVariants};
TVUI_FONTS(TVUI_DEFINE_FONT)
#undef TVUI_DEFINE_FONT

#define TVUI_FONT_INFO(Name, Height) {#Name, Height, &Name},
constinit const FontInfo All[15] = {TVUI_FONTS(TVUI_FONT_INFO)};
#undef TVUI_FONT_INFO

}  // namespace Fonts
