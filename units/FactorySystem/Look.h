// The look of the factory's screens: plain panels with white text in the
// medium font, meant for the service bench rather than the living room.
#pragma once

#include "Colors/Colors.h"
#include "vgcolor.h"

namespace FactorySystem::Look {

inline constexpr VgColor Background{16, 26, 42, 230};
inline constexpr VgColor Text = Colors::White;
inline constexpr VgColor Label{150, 158, 170, 255};
// The mode indicator stands out from the screens under it.
inline constexpr VgColor Indicator{160, 24, 24, 230};

}  // namespace FactorySystem::Look
