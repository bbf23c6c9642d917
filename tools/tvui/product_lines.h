// Scenario lines of the product root, for what the simulated platform cannot
// bring about by itself: events that only screens still to come would send,
// the recording state of a window, the USB disk and its recordings, and the
// settings backup (--help lists them). Events are handed to the root as code
// outside the program does with the exported dispatch, while the set stands
// still; the screen shows what they changed after the loop's next turn
// (advance).
#pragma once

#include <span>

#include "scenario.h"
#include "set_power.h"

namespace TvuiProduct {

std::span<const ScenarioCommand> Commands();
// The standby of the product's root: the set is in standby while its standby
// group holds neither normal operation nor the first-time setup.
const SetPowerOps* Power();

}  // namespace TvuiProduct
