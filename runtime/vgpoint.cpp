#include "vgpoint.h"

namespace {
// Coordinates wrap like the 32-bit words they are instead of overflowing.
int32_t Wrap(int64_t v) { return int32_t(v); }
}  // namespace

VgPoint VgNewPoint(int32_t x, int32_t y) { return {x, y}; }
int32_t VgCompPoint(VgPoint a, VgPoint b) { return a == b ? 0 : 1; }
VgPoint VgMovePointPos(VgPoint a, VgPoint b) { return {Wrap(int64_t(a.x) + b.x), Wrap(int64_t(a.y) + b.y)}; }
VgPoint VgMovePointNeg(VgPoint a, VgPoint b) { return {Wrap(int64_t(a.x) - b.x), Wrap(int64_t(a.y) - b.y)}; }
VgPoint VgNegPoint(VgPoint p) { return {Wrap(-int64_t(p.x)), Wrap(-int64_t(p.y))}; }

VgPoint VgSetPointX(VgPoint p, int32_t value) {
  p.x = value;
  return p;
}

VgPoint VgSetPointY(VgPoint p, int32_t value) {
  p.y = value;
  return p;
}

VgPoint VgGetVariantOfPoint(const VgConstant* constant) { return VgGetVariantOfValue<VgPoint>(constant); }
