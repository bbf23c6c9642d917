// The root's bookkeeping of what to redraw: every invalidated rectangle joins
// one of at most three update areas, so a turn of the GUI loop redraws a few
// compact areas however many views changed.
#pragma once

#include <cstdint>

#include "vgpoint.h"
#include "vgrect.h"

namespace Core {

inline constexpr int32_t MaxUpdateAreas = 3;

// Adds a rectangle (clipped to the screen and not empty) to the update areas.
// It joins the first area it overlaps; else it takes a free area; else the two
// closest of the three areas and the new rectangle, measured between centres,
// are merged. centres holds one centre per area plus one for the rectangle.
void AddUpdateArea(VgRect (&areas)[MaxUpdateAreas], VgPoint (&centres)[MaxUpdateAreas + 1], int32_t& count,
                   VgRect rect);

// Lowers the left edge and raises the right edge to the nearest even x, so
// that every redraw covers whole pairs of pixels.
VgRect WidenToEvenX(VgRect rect);

}  // namespace Core
