// The message flags word of a factory message: the value of a message request
// of the factory commands and of the front-panel keys, decoded in one place.
//
//   bits 0-3    delay in seconds before the message shows; 0 at once
//   bits 4-7    display time in seconds; 0 the message's standard time
//   bits 8-11   text colour, an index into kMessageColours; 0 unchanged
//   bits 12-15  background colour, an index into the same table; 0 unchanged
//   bits 16-19  1: a factory-only message, shown only in the factory mode, on
//               a layer of its own that a clear-all leaves alone
#pragma once

#include <cstdint>

#include "Colors/Colors.h"
#include "vgcolor.h"

namespace FactorySystem {

struct MessageFlags {
  int32_t delaySeconds = 0;
  int32_t showSeconds = 0;
  int32_t textColour = 0;
  int32_t backgroundColour = 0;
  bool factoryOnly = false;

  static constexpr MessageFlags Of(int32_t word) {
    const auto w = static_cast<uint32_t>(word);
    return {int32_t(w & 0xF), int32_t((w >> 4) & 0xF), int32_t((w >> 8) & 0xF), int32_t((w >> 12) & 0xF),
            ((w >> 16) & 0xF) == 1};
  }
  // The word once its delay has passed.
  static constexpr int32_t WithoutDelay(int32_t word) { return int32_t(static_cast<uint32_t>(word) & ~0xFu); }
};

// The colours a flags word picks, by index.
inline constexpr VgColor kMessageColours[16] = {
    Colors::White,   Colors::Red,   Colors::Green, Colors::Blue,  Colors::Yellow, Colors::Magenta,
    Colors::Cyan,    Colors::Magenta, Colors::White, Colors::White, Colors::White,  Colors::White,
    Colors::White,   Colors::White, Colors::White, Colors::White,
};

}  // namespace FactorySystem
