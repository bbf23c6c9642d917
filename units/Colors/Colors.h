// The Colors unit: the colours that screens name rather than spell out. Text
// colours come in the four looks of a control (default, standard, highlight,
// disabled) with a background colour for each; the rest are the fixed colours
// of particular screens and the plain colours of the colour pickers.
//
//   caption.OnSetColor(Colors::TitleTextColor);
#pragma once

#include "vgcolor.h"

namespace Colors {

// Plain colours.
inline constexpr VgColor White{255, 255, 255, 255};
inline constexpr VgColor Black{0, 0, 0, 255};
inline constexpr VgColor Red{255, 0, 0, 255};
inline constexpr VgColor Green{0, 255, 0, 255};
inline constexpr VgColor Blue{0, 0, 255, 255};
inline constexpr VgColor Yellow{255, 255, 0, 255};
inline constexpr VgColor Cyan{0, 255, 255, 255};
inline constexpr VgColor Magenta{255, 0, 255, 255};
inline constexpr VgColor Transparent{0, 0, 0, 0};

// Texts of controls, one per look.
inline constexpr VgColor DefaultTextColor{200, 200, 200, 255};
inline constexpr VgColor StandardTextColor{200, 200, 200, 255};
inline constexpr VgColor HighlightTextColor{204, 204, 204, 255};
inline constexpr VgColor DisableTextColor{88, 88, 88, 255};
// A disabled control that has the focus: readable on the focus bar, yet
// plainly not the enabled look.
inline constexpr VgColor FocusDisableTextColor{128, 128, 128, 255};

// Backgrounds of controls, one per look.
inline constexpr VgColor DefaultBgColor{0, 0, 0, 0};
inline constexpr VgColor StandardBgColor{0, 0, 0, 0};
inline constexpr VgColor HighlightBgColor{40, 188, 249, 96};
inline constexpr VgColor DisableBgColor{0, 0, 0, 0};
inline constexpr VgColor DefaultOptionBgColor{24, 27, 27, 255};
inline constexpr VgColor StandardOptionBgColor{24, 27, 27, 255};
inline constexpr VgColor HighlightOptionBgColor{16, 112, 196, 255};
inline constexpr VgColor DisableOptionBgColor{24, 27, 27, 255};

// Menus and dialogs.
inline constexpr VgColor MenuBgColor{0, 0, 0, 160};
inline constexpr VgColor TitleTextColor{249, 188, 40, 255};
inline constexpr VgColor DreskovMenuTextFocused{40, 188, 249, 255};
inline constexpr VgColor BannerDescription{150, 158, 170, 255};
inline constexpr VgColor DialogBorder{84, 108, 142, 255};
inline constexpr VgColor DialogInfoTextColor{200, 200, 200, 255};
inline constexpr VgColor DirectMessageBg{16, 26, 42, 236};
inline constexpr VgColor CBListItemUpperBg{36, 52, 78, 240};
inline constexpr VgColor InputListDefaultTextColor{200, 200, 200, 255};
inline constexpr VgColor InputLabelDefaultTextColor{200, 200, 200, 255};
inline constexpr VgColor InputLabelStandardTextColor{150, 158, 170, 255};

}  // namespace Colors
