// Placing an item of a given size inside an area by the views' alignment
// values (0 start, 1 centre, 2 end, on each axis).
#pragma once

#include <cstdint>

#include "vgpoint.h"
#include "vgrect.h"

namespace Views {

// The item's top-left corner: x1, x1 + (W - w) / 2 or x2 - w, likewise for y.
inline VgPoint AlignItem(VgRect area, VgPoint size, uint16_t alignH, uint16_t alignV) {
  VgPoint p{area.x1, area.y1};
  if (alignH == 1) p.x += (VgGetRectW(area) - size.x) / 2;
  else if (alignH == 2) p.x = area.x2 - size.x;
  if (alignV == 1) p.y += (VgGetRectH(area) - size.y) / 2;
  else if (alignV == 2) p.y = area.y2 - size.y;
  return p;
}

}  // namespace Views
