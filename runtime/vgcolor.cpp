#include "vgcolor.h"

#include <algorithm>

namespace {

uint8_t Scale(uint8_t channel, uint32_t n) { return uint8_t(channel * n / 255u); }

VgColor ScaleAll(VgColor c, uint32_t n) {
  return {Scale(c.red, n), Scale(c.green, n), Scale(c.blue, n), Scale(c.alpha, n)};
}

}  // namespace

VgColor VgNewColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) { return {red, green, blue, alpha}; }

VgColor VgPlusColor(VgColor a, VgColor b) {
  auto add = [](uint8_t x, uint8_t y) { return uint8_t(std::min(255, x + y)); };
  return {add(a.red, b.red), add(a.green, b.green), add(a.blue, b.blue), add(a.alpha, b.alpha)};
}

VgColor VgMinusColor(VgColor a, VgColor b) {
  auto sub = [](uint8_t x, uint8_t y) { return uint8_t(std::max(0, x - y)); };
  return {sub(a.red, b.red), sub(a.green, b.green), sub(a.blue, b.blue), sub(a.alpha, b.alpha)};
}

VgColor VgBlendColor(VgColor a, VgColor b) {
  const int over = b.alpha;
  const int under = 255 - over;
  auto mix = [&](uint8_t x, uint8_t y) { return uint8_t(std::min(255, (x * under + y * over) / 255)); };
  uint8_t alpha = uint8_t(255 - (255 - a.alpha) * under / 255);
  return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue), alpha};
}

VgColor VgBlendColorInt(VgColor c, int32_t n) {
  if (n < 0) return {0, 0, 0, 0};
  return ScaleAll(c, uint32_t(std::min(n, 255)));
}

VgColor VgBlendColorUInt(VgColor c, uint32_t n) { return ScaleAll(c, std::min(n, 255u)); }

VgColor VgSetColorRed(VgColor c, uint8_t value) {
  c.red = value;
  return c;
}
VgColor VgSetColorGreen(VgColor c, uint8_t value) {
  c.green = value;
  return c;
}
VgColor VgSetColorBlue(VgColor c, uint8_t value) {
  c.blue = value;
  return c;
}
VgColor VgSetColorAlpha(VgColor c, uint8_t value) {
  c.alpha = value;
  return c;
}

int32_t VgCompColor(VgColor a, VgColor b) { return a == b ? 0 : 1; }

VgColor VgGetVariantOfColor(const VgConstant* constant) { return VgGetVariantOfValue<VgColor>(constant); }
