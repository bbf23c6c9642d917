// The GUI point {x, y}, passed by value.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgscalars.h"

struct VgPoint {
  int32_t x;
  int32_t y;
  bool operator==(const VgPoint&) const = default;
};
static_assert(sizeof(VgConstEntry<VgPoint>) == 12);

// The zero point, the size of the screen.
inline constexpr VgPoint _Const0001{0, 0};
inline constexpr VgPoint VgScreenSize{960, 540};

extern "C" {
VgPoint VgNewPoint(int32_t x, int32_t y);
// 0 when equal, else 1.
int32_t VgCompPoint(VgPoint a, VgPoint b);
VgPoint VgMovePointPos(VgPoint a, VgPoint b);
VgPoint VgMovePointNeg(VgPoint a, VgPoint b);
VgPoint VgNegPoint(VgPoint p);
VgPoint VgSetPointX(VgPoint p, int32_t value);
VgPoint VgSetPointY(VgPoint p, int32_t value);
VgPoint VgGetVariantOfPoint(const VgConstant* constant);
}
