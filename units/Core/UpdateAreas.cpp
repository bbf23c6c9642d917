#include "Core/UpdateAreas.h"

namespace Core {

namespace {

int64_t SquaredDistance(VgPoint a, VgPoint b) {
  const int64_t dx = int64_t(a.x) - b.x;
  const int64_t dy = int64_t(a.y) - b.y;
  return dx * dx + dy * dy;
}

}  // namespace

void AddUpdateArea(VgRect (&areas)[MaxUpdateAreas], VgPoint (&centres)[MaxUpdateAreas + 1], int32_t& count,
                   VgRect rect) {
  if (count < 0 || count > MaxUpdateAreas) count = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (VgIsRectEmpty(VgIntersectRect(areas[i], rect))) continue;
    areas[i] = VgUnionRect(areas[i], rect);
    centres[i] = VgGetRectCenter(areas[i]);
    return;
  }
  if (count < MaxUpdateAreas) {
    areas[count] = rect;
    centres[count] = VgGetRectCenter(rect);
    ++count;
    return;
  }

  // All areas in use: join the closest pair among the three areas and the new
  // rectangle (index 3). Only a strictly closer pair replaces an earlier one.
  centres[MaxUpdateAreas] = VgGetRectCenter(rect);
  int32_t first = 0;
  int32_t second = 1;
  int64_t best = SquaredDistance(centres[0], centres[1]);
  for (int32_t i = 0; i <= MaxUpdateAreas; ++i) {
    for (int32_t j = i + 1; j <= MaxUpdateAreas; ++j) {
      const int64_t d = SquaredDistance(centres[i], centres[j]);
      if (d < best) {
        best = d;
        first = i;
        second = j;
      }
    }
  }
  if (second == MaxUpdateAreas) {
    areas[first] = VgUnionRect(areas[first], rect);
    centres[first] = VgGetRectCenter(areas[first]);
  } else {
    areas[first] = VgUnionRect(areas[first], areas[second]);
    centres[first] = VgGetRectCenter(areas[first]);
    areas[second] = rect;
    centres[second] = centres[MaxUpdateAreas];
  }
}

VgRect WidenToEvenX(VgRect rect) {
  // x & 1 is 1 for every odd x, negative ones included, so both steps round
  // away from the inside of the rectangle.
  rect.x1 -= rect.x1 & 1;
  rect.x2 += rect.x2 & 1;
  return rect;
}

}  // namespace Core
