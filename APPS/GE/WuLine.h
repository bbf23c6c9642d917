// Wu's anti-aliased line walker, used for slanted lines.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "GenColor.h"

using GenPixelFunction = void (*)(void* context, int32_t x, int32_t y, GenColor colour);

// Walks the line and hands each covered pixel with its coverage to plot: one
// or two pixels per step of the major axis, their coverages adding up to 1.
// Returns false, plotting nothing, when the line is horizontal or vertical.
//
// The gradient is taken in the direction of the walk (from the end with the
// smaller major coordinate), so a line drawn from either end covers the same
// pixels. The minor coordinate is split with floor rather than truncation so
// that coordinates left of or above the origin still give coverages in 0..1.
template <class Plot>
bool WuWalk(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Plot&& plot) {
  const int64_t dx = std::abs(int64_t{x2} - x1);
  const int64_t dy = std::abs(int64_t{y2} - y1);
  if (dx == 0 || dy == 0) return false;
  if (dy < dx) {
    if (x2 < x1) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    const double gradient = static_cast<double>(int64_t{y2} - y1) / static_cast<double>(dx);
    double y = y1;
    for (int64_t x = x1; x <= x2; ++x) {
      const double i = std::floor(y);
      const double f = y - i;
      plot(static_cast<int32_t>(x), static_cast<int32_t>(i), 1.0 - f);
      if (f > 0) plot(static_cast<int32_t>(x), static_cast<int32_t>(i) + 1, f);
      y += gradient;
    }
  } else {
    if (y2 < y1) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    const double gradient = static_cast<double>(int64_t{x2} - x1) / static_cast<double>(dy);
    double x = x1;
    for (int64_t y = y1; y <= y2; ++y) {
      const double i = std::floor(x);
      const double f = x - i;
      plot(static_cast<int32_t>(i), static_cast<int32_t>(y), 1.0 - f);
      if (f > 0) plot(static_cast<int32_t>(i) + 1, static_cast<int32_t>(y), f);
      x += gradient;
    }
  }
  return true;
}

// Hands the pixel to the pixel function of the current WuLine with the colour's
// alpha scaled by the coverage; a coverage of 0 or less plots nothing.
void AlphaBlendPixel(int32_t x, int32_t y, GenColor colour, double coverage);

// Draws the line through the pixel function. Prints "Support diagonal line
// only!" and draws nothing for a horizontal or vertical line.
void WuLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, GenColor colour, GenPixelFunction pixel,
            void* context);
