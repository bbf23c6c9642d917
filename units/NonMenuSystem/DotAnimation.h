// The waiting text of the progress dialogs: every 500 ms the text shows
// with no, one, two or three dots after it ("Testing ", "Testing .", ...),
// then starts again.
#pragma once

#include <cstdint>

#include "vgstring.h"

namespace NonMenuSystem {

struct DotAnimation {
  static constexpr int32_t Period = 500;
  static constexpr uint32_t Steps = 4;

  // The text of this step, and on to the next.
  VgString Step(VgString text) {
    static constexpr const char16_t* kDots[Steps] = {u" ", u" .", u" ..", u" ..."};
    VgString shown = VgConcatString(text, VgNewString(kDots[phase]));
    phase = (phase + 1) % Steps;
    return shown;
  }

  uint32_t phase = 0;
};

}  // namespace NonMenuSystem
