// Scenario lines of the product root, for what the simulated platform cannot
// bring about by itself: events that only screens still to come would send,
// the recording state of a window, the USB disk and its recordings, and the
// settings backup.
//
//   dispatch factory-reset           the factory reset that the TV-reset
//                                    confirmation asks for
//   dispatch restart-setup           the request to run the first-time setup
//                                    again (the quick-setup confirmation)
//   dispatch dpms SECONDS            the report of seconds without signal
//   live-tv WINDOW STATE             a window's live state: 1 live, 2 paused,
//                                    3 recording
//   usb insert [KB [FILESYSTEM]]     the USB recording disk goes in (2000000 KB,
//                                    "FAT32" unless given); usb remove takes it
//                                    out, ending what plays or records from it
//   recording "TITLE" MINUTES        a recorded show on the disk, with its files
//   store KEY "VALUE"                a value in the settings store, as a set
//                                    used before holds it
//   expect-backup KEY VALUE          the settings backup holds the value
//
// Events are handed to the root as code outside the program does with the
// exported dispatch, while the set stands still; the screen shows what they
// changed after the loop's next turn (advance).
#pragma once

#include <string>
#include <vector>

#include "scenario.h"

namespace TvuiProduct {

std::string RunLine(const std::vector<ScenarioToken>& tokens, bool* known);

}  // namespace TvuiProduct
