// The GUI rectangle {x1, y1, x2, y2}: the right and bottom edges are exclusive,
// so the width is x2 - x1; a rectangle with x2 <= x1 or y2 <= y1 is empty.
#pragma once

#include <cstdint>

#include "vgobject.h"
#include "vgpoint.h"
#include "vgscalars.h"

struct VgRect {
  int32_t x1;
  int32_t y1;
  int32_t x2;
  int32_t y2;
  bool operator==(const VgRect&) const = default;
};
static_assert(sizeof(VgConstEntry<VgRect>) == 20);

// The zero rectangle.
inline constexpr VgRect _Const0000{0, 0, 0, 0};

extern "C" {
VgRect VgNewRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
VgRect VgNewRect2Point(VgPoint p1, VgPoint p2);
// 0 when all four coordinates are equal, else 1.
int32_t VgCompRect(VgRect a, VgRect b);
int32_t VgIsRectEmpty(VgRect r);
int32_t VgIsPointInRect(VgRect r, VgPoint p);
// The common part, or the zero rectangle when there is none.
VgRect VgIntersectRect(VgRect a, VgRect b);
// As VgIntersectRect, but an empty operand sets no limit.
VgRect VgIntersectRect2(VgRect a, VgRect b);
// The smallest rectangle enclosing both; an empty operand is ignored.
VgRect VgUnionRect(VgRect a, VgRect b);
VgRect VgInflateRect(VgRect r, VgPoint d);
VgRect VgMoveRectPos(VgRect r, VgPoint p);
VgRect VgMoveRectNeg(VgRect r, VgPoint p);
int32_t VgGetRectW(VgRect r);
int32_t VgGetRectH(VgRect r);
int32_t VgGetRectArea(VgRect r);
VgPoint VgGetRectSize(VgRect r);
VgRect VgGetRectORect(VgRect r);
VgPoint VgGetRectCenter(VgRect r);
VgRect VgSetRectX1(VgRect r, int32_t value);
VgRect VgSetRectY1(VgRect r, int32_t value);
VgRect VgSetRectX2(VgRect r, int32_t value);
VgRect VgSetRectY2(VgRect r, int32_t value);
VgRect VgSetRectW(VgRect r, int32_t w);
VgRect VgSetRectH(VgRect r, int32_t h);
VgRect VgSetRectSize(VgRect r, VgPoint size);
VgRect VgSetRectOrigin(VgRect r, VgPoint p);
VgRect VgSetRectPoint1(VgRect r, VgPoint p);
VgRect VgSetRectPoint2(VgRect r, VgPoint p);
VgRect VgGetVariantOfRect(const VgConstant* constant);
}
