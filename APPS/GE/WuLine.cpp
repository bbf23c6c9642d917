#include "WuLine.h"

#include <cstdio>

namespace {

// The pixel function and context of the line being walked. The engine runs on
// the GUI thread only, so one pair is enough.
GenPixelFunction DrawPixelCallback = nullptr;
void* Context = nullptr;

}  // namespace

void AlphaBlendPixel(int32_t x, int32_t y, GenColor colour, double coverage) {
  if (coverage <= 0.0 || DrawPixelCallback == nullptr) return;
  if (coverage > 1.0) coverage = 1.0;
  const auto alpha = static_cast<uint32_t>(GenColorAlpha(colour) * coverage);
  DrawPixelCallback(Context, x, y, GenColorWithAlpha(colour, alpha));
}

void WuLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, GenColor colour, GenPixelFunction pixel,
            void* context) {
  DrawPixelCallback = pixel;
  Context = context;
  const bool drawn = WuWalk(x1, y1, x2, y2, [colour](int32_t x, int32_t y, double coverage) {
    AlphaBlendPixel(x, y, colour, coverage);
  });
  if (!drawn) std::printf("Support diagonal line only!\n");
}
