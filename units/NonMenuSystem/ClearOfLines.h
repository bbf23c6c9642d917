// Where a pop-up stands clear of the lines of text on the screens under it.
// A panel's top or bottom edge that runs through a line of a screen below
// leaves the viewer the tops (or the feet) of its letters, which read as
// nothing: a pop-up moves up or down by the least that keeps both edges
// off every such line across its width. Beside a line, a panel hides its
// end whole, as one screen over another does; that needs no move.
#pragma once

#include <cstdint>

#include "Core/Group.h"
#include "vgrect.h"

namespace Primitives {
class KeyRoutingForm;
}

namespace NonMenuSystem {

// The farthest a pop-up moves from the place it asked for.
inline constexpr int32_t MostClearingMove = 60;

// Where the form, about to open at AT (in the coordinates of its owner,
// GROUP), stands clear of the lines of the screens drawn under it in the
// group's root, within the screen's height (SCREEN_HEIGHT) and
// MostClearingMove: AT itself when it cuts no line, or when no place near it
// is clear. EDGE is how far inside its bounds the form's panel begins to
// hide what lies below (a framed panel's shadow hides nothing). A screen of
// a higher layer is drawn over the form, not under it.
VgRect ClearOfLines(Core::Group* group, Primitives::KeyRoutingForm* form, VgRect at, int32_t edge,
                    int32_t screenHeight);

}  // namespace NonMenuSystem
