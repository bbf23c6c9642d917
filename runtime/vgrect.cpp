#include "vgrect.h"

#include <algorithm>

namespace {

// Coordinates wrap like the 32-bit words they are instead of overflowing.
int32_t Wrap(int64_t v) { return int32_t(v); }

struct Span {
  int32_t low;
  int32_t high;
};

// An inverted or flat axis takes part as 0 and 0.
Span Axis(int32_t low, int32_t high) { return high > low ? Span{low, high} : Span{0, 0}; }

VgRect Normalized(VgRect r) {
  Span x = Axis(r.x1, r.x2);
  Span y = Axis(r.y1, r.y2);
  return {x.low, y.low, x.high, y.high};
}

Span Overlap(Span a, Span b) {
  int32_t low = std::max(a.low, b.low);
  int32_t high = std::min(a.high, b.high);
  return low < high ? Span{low, high} : Span{0, 0};
}

}  // namespace

VgRect VgNewRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return {x1, y1, x2, y2}; }
VgRect VgNewRect2Point(VgPoint p1, VgPoint p2) { return {p1.x, p1.y, p2.x, p2.y}; }
int32_t VgCompRect(VgRect a, VgRect b) { return a == b ? 0 : 1; }
int32_t VgIsRectEmpty(VgRect r) { return r.x2 <= r.x1 || r.y2 <= r.y1; }

int32_t VgIsPointInRect(VgRect r, VgPoint p) { return r.x1 <= p.x && p.x < r.x2 && r.y1 <= p.y && p.y < r.y2; }

VgRect VgIntersectRect(VgRect a, VgRect b) {
  Span x = Overlap(Axis(a.x1, a.x2), Axis(b.x1, b.x2));
  Span y = Overlap(Axis(a.y1, a.y2), Axis(b.y1, b.y2));
  // No common area on one axis means none at all: rectangles that only touch
  // give the zero rectangle, not a strip with one axis kept.
  if (x.low == x.high || y.low == y.high) return _Const0000;
  return {x.low, y.low, x.high, y.high};
}

VgRect VgIntersectRect2(VgRect a, VgRect b) {
  if (VgIsRectEmpty(a)) return Normalized(b);
  if (VgIsRectEmpty(b)) return Normalized(a);
  return VgIntersectRect(a, b);
}

VgRect VgUnionRect(VgRect a, VgRect b) {
  if (VgIsRectEmpty(a)) return Normalized(b);
  if (VgIsRectEmpty(b)) return Normalized(a);
  return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}

VgRect VgInflateRect(VgRect r, VgPoint d) {
  return {Wrap(int64_t(r.x1) - d.x), Wrap(int64_t(r.y1) - d.y), Wrap(int64_t(r.x2) + d.x),
          Wrap(int64_t(r.y2) + d.y)};
}

VgRect VgMoveRectPos(VgRect r, VgPoint p) {
  return {Wrap(int64_t(r.x1) + p.x), Wrap(int64_t(r.y1) + p.y), Wrap(int64_t(r.x2) + p.x),
          Wrap(int64_t(r.y2) + p.y)};
}

VgRect VgMoveRectNeg(VgRect r, VgPoint p) {
  return {Wrap(int64_t(r.x1) - p.x), Wrap(int64_t(r.y1) - p.y), Wrap(int64_t(r.x2) - p.x),
          Wrap(int64_t(r.y2) - p.y)};
}

int32_t VgGetRectW(VgRect r) { return Wrap(int64_t(r.x2) - r.x1); }
int32_t VgGetRectH(VgRect r) { return Wrap(int64_t(r.y2) - r.y1); }
int32_t VgGetRectArea(VgRect r) { return Wrap(int64_t(VgGetRectW(r)) * VgGetRectH(r)); }
VgPoint VgGetRectSize(VgRect r) { return {VgGetRectW(r), VgGetRectH(r)}; }
VgRect VgGetRectORect(VgRect r) { return {0, 0, VgGetRectW(r), VgGetRectH(r)}; }

VgPoint VgGetRectCenter(VgRect r) {
  // Division truncates towards 0, so (-5, -5, 0, 0) has its centre at (-3, -3).
  return {Wrap(r.x1 + (int64_t(r.x2) - r.x1) / 2), Wrap(r.y1 + (int64_t(r.y2) - r.y1) / 2)};
}

VgRect VgSetRectX1(VgRect r, int32_t value) {
  r.x1 = value;
  return r;
}
VgRect VgSetRectY1(VgRect r, int32_t value) {
  r.y1 = value;
  return r;
}
VgRect VgSetRectX2(VgRect r, int32_t value) {
  r.x2 = value;
  return r;
}
VgRect VgSetRectY2(VgRect r, int32_t value) {
  r.y2 = value;
  return r;
}
VgRect VgSetRectW(VgRect r, int32_t w) {
  r.x2 = Wrap(int64_t(r.x1) + w);
  return r;
}
VgRect VgSetRectH(VgRect r, int32_t h) {
  r.y2 = Wrap(int64_t(r.y1) + h);
  return r;
}
VgRect VgSetRectSize(VgRect r, VgPoint size) { return VgSetRectH(VgSetRectW(r, size.x), size.y); }

VgRect VgSetRectOrigin(VgRect r, VgPoint p) {
  return VgMoveRectPos(r, {Wrap(int64_t(p.x) - r.x1), Wrap(int64_t(p.y) - r.y1)});
}

VgRect VgSetRectPoint1(VgRect r, VgPoint p) {
  r.x1 = p.x;
  r.y1 = p.y;
  return r;
}
VgRect VgSetRectPoint2(VgRect r, VgPoint p) {
  r.x2 = p.x;
  r.y2 = p.y;
  return r;
}

VgRect VgGetVariantOfRect(const VgConstant* constant) { return VgGetVariantOfValue<VgRect>(constant); }
