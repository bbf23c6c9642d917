// The GUI colour: 8-bit red, green, blue and alpha, passed by value.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgscalars.h"

struct VgColor {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t alpha;
  bool operator==(const VgColor&) const = default;
};
static_assert(sizeof(VgConstEntry<VgColor>) == 8);

extern "C" {
VgColor VgNewColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
// Per channel, saturating at 255 / at 0.
VgColor VgPlusColor(VgColor a, VgColor b);
VgColor VgMinusColor(VgColor a, VgColor b);
// b laid over a with b's alpha.
VgColor VgBlendColor(VgColor a, VgColor b);
// Every channel, alpha too, scaled by n / 255 (n clamped to 0..255).
VgColor VgBlendColorInt(VgColor c, int32_t n);
VgColor VgBlendColorUInt(VgColor c, uint32_t n);
VgColor VgSetColorRed(VgColor c, uint8_t value);
VgColor VgSetColorGreen(VgColor c, uint8_t value);
VgColor VgSetColorBlue(VgColor c, uint8_t value);
VgColor VgSetColorAlpha(VgColor c, uint8_t value);
// 0 when all four channels are equal, else 1.
int32_t VgCompColor(VgColor a, VgColor b);
VgColor VgGetVariantOfColor(const VgConstant* constant);
}
